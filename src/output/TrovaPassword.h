#pragma once

#include "gui/Finestra.h"

class TfrmTrovaPassword : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmTrovaPassword(QWidget* parent = nullptr);
};
