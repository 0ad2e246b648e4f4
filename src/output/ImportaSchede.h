#pragma once

#include "core/import/Importazione.h"
#include "gui/DialogoScheda.h"

#include <QString>

#include <memory>

class TFiltroRigheImportazione;
class TModelloRigheImportazione;

namespace Ui {
class TfrmImportaSchede;
}

// The record window's command "Importa schede": asks for a CSV file, reads it and shows its
// preview (TfrmImportaSchede), which appends the records to the open archive once the user
// confirms. A file that cannot be imported is told with its reason (the line of a fault, the
// formats understood) and nothing is written.
void ImportaSchede(SchedaAperta& scheda);

// The import preview: what a CSV file will add to the archive open in the record window. It tells
// the format and the encoding found and how many records will be added, asks once for the
// account holder and the expiry date of the rows that have none, and shows every row of the file
// in a table: its line, its state, its main fields and what the preview says of it (values cut,
// characters replaced, dates not understood, fields missing, duplicates). Rows still lacking a
// field can be filled in there; a duplicate can be added all the same, and any row left out.
// "Importa" appends the records in one step, all or none, confirms how many were added and shows
// the first of them in the record window; "Annulla" closes the window and writes nothing.
class TfrmImportaSchede : public TDialogoScheda {
    Q_OBJECT
public:
    // `nomeFile` is the name of the file read, as the user knows it.
    TfrmImportaSchede(SchedaAperta* scheda, AnteprimaImportazione anteprima,
                      const QString& nomeFile);
    ~TfrmImportaSchede() override;

    void cmdImportaClick();
    void cmdAnnullaClick();
    void txtIntestatarioChange();
    void txtScadenzaChange();
    void chkDaCompletareClick();

private:
    void preparaConvenzioni();
    // The counts, the rows to complete and the state of "Importa", after any change.
    void mostraRiepilogo();
    // What the preview says of the row the user is on.
    void mostraRilievi();

    std::unique_ptr<Ui::TfrmImportaSchede> ui;
    AnteprimaImportazione anteprima_;
    TModelloRigheImportazione* modello_;
    TFiltroRigheImportazione* filtro_;
};
