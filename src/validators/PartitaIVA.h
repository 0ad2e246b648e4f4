#pragma once

#include "validators/DialogoControllo.h"

#include <memory>

class QKeyEvent;

namespace Ui {
class TfrmPartitaIva;
}

// The partita IVA check: the user types an 11-digit number and learns whether its check digit
// fits and which VAT office issued it. The field takes digits only.
class TfrmPartitaIva : public TDialogoControllo {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* parent = nullptr);
    ~TfrmPartitaIva() override;

    // Whether a key pressed in the field goes on to it.
    bool txtPartitaIvaKeyDown(const QKeyEvent& tasto) const;

protected:
    Esito esito(const QString& numero) const override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    std::unique_ptr<Ui::TfrmPartitaIva> ui;
};
