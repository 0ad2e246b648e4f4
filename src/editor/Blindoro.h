#pragma once

#include "app/Finestra.h"

class TfrmBlindoro : public TFinestraLunga {
    Q_OBJECT
public:
    explicit TfrmBlindoro(QWidget* parent = nullptr);

protected:
    void FormClose() override;
};
