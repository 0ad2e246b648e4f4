#pragma once

#include "app/Finestra.h"

class TfrmPartitaIva : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* parent = nullptr);
};
