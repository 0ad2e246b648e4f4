#pragma once

#include "gui/Finestra.h"

class TfrmSegnalati : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmSegnalati(QWidget* parent = nullptr);
};
