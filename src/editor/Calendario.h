#pragma once

#include "app/Finestra.h"

class TfrmCalendario : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget* parent = nullptr);
};
