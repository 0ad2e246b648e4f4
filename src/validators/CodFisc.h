#pragma once

#include "validators/DialogoControllo.h"

#include <memory>

namespace Ui {
class TfrmCodFisc;
}

// The codice fiscale check: the user types a code and learns whether its check letter fits. The
// field keeps what is typed in capitals, without blanks at either end.
class TfrmCodFisc : public TDialogoControllo {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* parent = nullptr);
    ~TfrmCodFisc() override;

    void txtCodFiscTyping();

protected:
    QString codiceDaControllare() const override;
    Esito esito(const QString& codice) const override;

private:
    std::unique_ptr<Ui::TfrmCodFisc> ui;
};

// The record window's check of the holder's tax code: a text of digits only (blanks around it
// aside) opens the partita IVA check, anything else, the empty text included, the codice fiscale
// check; the dialog starts with the trimmed text and is freed when it closes.
void ControllaCodiceFiscale(QWidget* proprietario, const QString& testo);
