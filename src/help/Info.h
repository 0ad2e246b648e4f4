#pragma once

#include "app/Finestra.h"

class TfrmInfo : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* parent = nullptr);
};
