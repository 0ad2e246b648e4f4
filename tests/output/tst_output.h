#pragma once

// The output windows of the record window, on real archive files: the search window, the expired
// summary, the card print and the export. One test program; each window's cases live in their own
// file (tst_output_<window>.cpp) and are declared here in their section.

#include "support/AiutiFinestre.h"
#include "support/ControlliScheda.h"
#include "support/PiattaformaProva.h"

#include <QObject>
#include <memory>

class tst_Output : public QObject {
    Q_OBJECT

    std::unique_ptr<PiattaformaProva> piattaforma;
    std::unique_ptr<TFinestre> finestre;
    std::unique_ptr<ControlliScheda> controlli;

    TfrmBlindoro* scheda() { return &finestre->Blindoro(); }
    ControlliScheda& ui() { return *controlli; }
    // The archive the record window has open: Casa.psw in the program folder.
    QString percorsoArchivio() const;

private Q_SLOTS:
    void init();
    void cleanup();

    // --- Search window (tst_output_ricerca.cpp) ---

    // --- Expired summary (tst_output_scadute.cpp) ---

    // --- Card print (tst_output_stampa.cpp) ---
    void stampaFinestraDellaScheda();
    void stampaIlContenutoDellaFinestra_data();
    void stampaIlContenutoDellaFinestra();
    void stampaRigheDeiMemoSenzaVuoteAiBordi_data();
    void stampaRigheDeiMemoSenzaVuoteAiBordi();
    void stampaTitoloLungoTagliatoAlBordo();
    void stampaChiusaSenzaStampare_data();
    void stampaChiusaSenzaStampare();
    void stampaSchedaInPdf();

    // --- Export (tst_output_esportazione.cpp) ---
    void esportazioneGrigliaDiArchivioVuoto();
    void esportazioneGrigliaMostraLeSchedeRipulite();
    void esportazioneScriveLaGrigliaModificata();
    void esportazioneDomande_data();
    void esportazioneDomande();
    void esportazioneFallitaLasciaIlFileDiPrima_data();
    void esportazioneFallitaLasciaIlFileDiPrima();
    void esportazioneArchivioIlleggibileLasciaLeRigheVuote();
    void esportazioneRigaDeiSuggerimenti();
    void esportazioneGuidaEdEsci();
};
