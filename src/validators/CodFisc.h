#pragma once

#include "app/Finestra.h"

class TfrmCodFisc : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* parent = nullptr);
};
