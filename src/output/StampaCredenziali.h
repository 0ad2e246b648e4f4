#pragma once

#include "gui/Finestra.h"

class TfrmStampaCredenziali : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmStampaCredenziali(QWidget* parent = nullptr);
};
