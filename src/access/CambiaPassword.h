#pragma once

#include "app/Finestra.h"

class TfrmCambiaPassword : public TFinestraLunga {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget* parent = nullptr);

protected:
    void FormClose() override;
};
