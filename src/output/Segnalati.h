#pragma once

#include "app/Finestra.h"

class TfrmSegnalati : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmSegnalati(QWidget* parent = nullptr);
};
