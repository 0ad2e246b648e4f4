#pragma once

#include "gui/Finestra.h"
#include "core/storage/Scheda.h"

#include <array>
#include <functional>
#include <memory>

class QKeyEvent;

namespace Ui {
class TfrmBlindoro;
}

// The record window: reads, types and saves the records of one open archive. It keeps its state
// in its own controls; the other windows read and write them through `ui` (the archive's path in
// lblFile, its name in lblNome, the number of the record shown in lblPosizione, empty for a record
// not yet in the archive, the attachments in the six hidden labels, and the sixteen fields).
class TfrmBlindoro : public TFinestraLunga {
    Q_OBJECT
public:
    explicit TfrmBlindoro(QWidget* parent = nullptr);
    ~TfrmBlindoro() override;

    std::unique_ptr<Ui::TfrmBlindoro> ui;

    // Fills the window with a record and its 1-based number; focus and masking stay as they are.
    void MostraScheda(const TScheda& scheda, qint64 numero);
    // Prepares the window for a new record.
    void SvuotaScheda();

    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void btnFocusClick();
    void cmdEsciClick();
    void cmdFileClick();
    void cmdGuidaClick();
    void btnSitoClick();
    void btnEmailClick();
    void btnPasswordClick();
    void btnRispostaClick();
    void btnCodFiscClick();
    void txtCodFiscTyping();
    void txtEmailTyping();
    void txtURLExit();

protected:
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // Where a navigation command goes, decided once the archive is open.
    struct Destinazione {
        enum class Tipo { Scheda, ArchivioVuoto, Nessuna } tipo;
        qint64 indice = 0;
    };
    void naviga(const std::function<Destinazione(qint64 numeroSchede)>& scegli);
    QString percorsoArchivio() const;
    qint64 numeroInEtichetta() const;
    bool campiObbligatoriPresenti();
    void completaIndirizzo();
    void tastoInData(QWidget* campo, QKeyEvent* tasto);
    void preparaConvenzioni();

    // The controls that hold the 22 fields of a record, in the record's order.
    std::array<QWidget*, NumeroCampi> campi_{};
    // The window's record buffer, reused for every read and write of the run.
    TScheda scheda_{};
};
