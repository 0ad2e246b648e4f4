#pragma once

#include "app/Finestra.h"

class QLineEdit;

class TfrmPassword : public TFinestraLunga {
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget* parent = nullptr);

protected:
    void FormShow() override;
    void FormClose() override;

private:
    QLineEdit* txtPassword;
};
