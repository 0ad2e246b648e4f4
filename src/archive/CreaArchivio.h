#pragma once

#include "app/Finestra.h"

class TfrmCreaArchivio : public TFinestraLunga {
    Q_OBJECT
public:
    explicit TfrmCreaArchivio(QWidget* parent = nullptr);

protected:
    void FormClose() override;
};
