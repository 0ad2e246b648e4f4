#pragma once

#include "app/Finestra.h"

class TfrmSplash : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent = nullptr);
};
