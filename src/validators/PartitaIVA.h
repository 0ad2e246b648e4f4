#pragma once

#include "gui/Finestra.h"

#include <QString>
#include <memory>

class QKeyEvent;

namespace Ui {
class TfrmPartitaIva;
}

// The partita IVA check: the user types an 11-digit number and learns whether its check digit
// fits and which VAT office issued it. The dialog only reports; it writes nothing back.
class TfrmPartitaIva : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* parent = nullptr);
    ~TfrmPartitaIva() override;

    void preimposta(const QString& numero);

    // Whether a key pressed in the field goes on to it; the field takes digits only.
    bool txtPartitaIvaKeyDown(const QKeyEvent& tasto) const;
    void btnControllaClick();
    void btnChiudiClick();

protected:
    void FormShow() override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    std::unique_ptr<Ui::TfrmPartitaIva> ui;
};
