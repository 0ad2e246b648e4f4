#pragma once

#include "gui/Finestra.h"

#include <QDate>
#include <memory>
#include <optional>

namespace Ui {
class TfrmCalendario;
}

// The date dialog of the record window: a month calendar on today's date. "Importa" closes it
// with the date chosen, which the record window writes into the date field the dialog was opened
// from; "Annulla" closes it with none.
class TfrmCalendario : public TDialogo {
    Q_OBJECT
public:
    // `proprietario` is the window that opens the dialog and takes its date.
    explicit TfrmCalendario(QWidget* proprietario);
    ~TfrmCalendario() override;

    // The date chosen with "Importa"; none until then, and after "Annulla".
    std::optional<QDate> DataScelta() const { return scelta_; }

    void btnImportaDataClick();
    void btnAnnullaClick();

private:
    std::unique_ptr<Ui::TfrmCalendario> ui;
    std::optional<QDate> scelta_;
};
