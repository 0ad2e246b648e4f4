#pragma once

#include "app/Finestra.h"

class TfrmTrovaPassword : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmTrovaPassword(QWidget* parent = nullptr);
};
