#pragma once

#include "editor/DialogoScheda.h"

#include <QString>
#include <memory>

class TfrmBlindoro;

namespace Ui {
class TfrmCalendario;
}

// The date dialog of the record window: a month calendar on today's date. "Importa" writes the
// chosen date into the record-window field named by the caller tag in lblMemory ("data_creazione"
// or "data_scadenza"); "Annulla" writes nothing.
class TfrmCalendario : public TDialogoScheda {
    Q_OBJECT
public:
    // `scheda` is the record window that opens the dialog and receives the date.
    explicit TfrmCalendario(TfrmBlindoro* scheda);
    ~TfrmCalendario() override;

    // The caller tag, set before the modal run.
    void ImpostaChiamante(const QString& tag);

    void btnImportaDataClick();
    void btnAnnullaClick();

private:
    std::unique_ptr<Ui::TfrmCalendario> ui;
};
