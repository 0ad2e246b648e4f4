#pragma once

#include "app/Finestra.h"

class TfrmApriArchivio : public TFinestraLunga {
    Q_OBJECT
public:
    explicit TfrmApriArchivio(QWidget* parent = nullptr);

protected:
    void FormClose() override;
};
