#pragma once

#include "app/Finestra.h"

class TfrmAllegaCartella : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* parent = nullptr);
};
