#pragma once

#include "gui/Finestra.h"

class TfrmExpPassword : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmExpPassword(QWidget* parent = nullptr);
};
