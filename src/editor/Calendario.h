#pragma once

#include "gui/Finestra.h"

#include <memory>

namespace Ui {
class TfrmCalendario;
}

// The date dialog of the record window: a month calendar on today's date. "Importa" writes the
// chosen date into the record-window field named by the caller tag in lblMemory ("data_creazione"
// or "data_scadenza"); "Annulla" writes nothing.
class TfrmCalendario : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget* parent = nullptr);
    ~TfrmCalendario() override;

    void btnImportaDataClick();
    void btnAnnullaClick();

    // The caller presets the controls (the caller tag in lblMemory) before the modal run.
    std::unique_ptr<Ui::TfrmCalendario> ui;
};
