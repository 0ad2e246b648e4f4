#pragma once

// The output windows of the record window, on real archive files: the search window, the expired
// summary, the card print and the export. One test program; each window's cases live in their own
// file (tst_output_<window>.cpp) and are declared here in their section.

#include "support/AiutiFinestre.h"
#include "support/ControlliScheda.h"
#include "support/PiattaformaProva.h"

#include "core/storage/Scheda.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class ComponenteRapporto;
class QDialog;
class TfrmImportaSchede;
class TfrmSegnalati;
class TfrmTrovaPassword;

class tst_Output : public QObject {
    Q_OBJECT

    std::unique_ptr<PiattaformaProva> piattaforma;
    std::unique_ptr<TFinestre> finestre;
    std::unique_ptr<ControlliScheda> controlli;

    TfrmBlindoro* scheda() { return &finestre->Blindoro(); }
    ControlliScheda& ui() { return *controlli; }
    // The archive the record window has open: Casa.psw in the program folder.
    QString percorsoArchivio() const;

    // Search window and expired summary: what both use (tst_output_ricerca.cpp).

    // A record with these fields, the others empty.
    using Campi = QList<QPair<Campo, QString>>;
    static TScheda nuovaScheda(const Campi& campi);
    // Writes these records, in this order, as the whole archive Casa.psw.
    void scriviArchivio(const QList<TScheda>& schede);
    // Clicks the record window's command and runs `azione` on the window it opens; fails when no
    // window opened, when it is of another class or owner, or when it was not freed afterwards.
    // The search window may be opened with another caller tag instead, as another caller would.
    void conRicerca(const std::function<void(TfrmTrovaPassword&)>& azione);
    void conScadute(const std::function<void(TfrmSegnalati&)>& azione);
    // The lines the list of the window shows, top to bottom.
    static QStringList righeMostrate(QDialog& finestra);
    // The titles those lines begin with.
    static QStringList titoliMostrati(QDialog& finestra);
    // Double-clicks the line of the list (or, with -1, the list's empty part below the lines).
    static void doppioClic(QDialog& finestra, int riga);
    // Prints through the window's "Stampa" with the print dialog cancelled, and checks what the
    // report engine prepared: the title, then the lines, then the footer; the memo as tall as
    // its lines and its band 10 units taller; the window still open.
    void verificaStampa(QDialog& finestra, ComponenteRapporto& rapporto, const QString& titolo);

    // Import (tst_output_importazione.cpp): a CSV file among the user's documents, beside the
    // program folder; the record window's command "Importa schede" given, `file` chosen in its
    // file dialog and `azione` run on the preview; fails when no preview opened, when it is of
    // another class or owner, or when it was not freed afterwards.
    QString fileDaImportare(const QByteArray& csv,
                            const QString& nome = QStringLiteral("elenco.csv"));
    void conImportazione(const QString& file,
                         const std::function<void(TfrmImportaSchede&)>& azione);

private Q_SLOTS:
    void init();
    void cleanup();

    // --- Search window (tst_output_ricerca.cpp) ---
    void ricercaFiltri_data();
    void ricercaFiltri();
    void ricercaArchivioVuotoETrova();
    void ricercaSenzaAccesso_data();
    void ricercaSenzaAccesso();
    void ricercaPannelliAloniEInvio();
    void ricercaAccessibile();
    void ricercaTrovaEUltimaChiave();
    void ricercaRigaInteraVisibile();
    void ricercaDoppioClic_data();
    void ricercaDoppioClic();
    void ricercaDoppioClicSenzaScelta_data();
    void ricercaDoppioClicSenzaScelta();
    void ricercaStampa();
    void ricercaDallaTastiera();

    // --- Expired summary (tst_output_scadute.cpp) ---
    void scaduteElencate_data();
    void scaduteElencate();
    void scaduteNessunaTrovaEStampa();
    void scaduteTastiera();
    void scaduteArchivioIllegibile();
    void scaduteDoppioClic_data();
    void scaduteDoppioClic();
    void scaduteStampa();

    // --- Copy from the search window and the expired summary (tst_output_copia.cpp) ---
    void elencoCopiaLaSchedaDellaRiga_data();
    void elencoCopiaLaSchedaDellaRiga();
    void elencoCopiaSenzaRisultato_data();
    void elencoCopiaSenzaRisultato();
    void elencoCopiaNonSuiFiltri();

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
    void esportazioneSuDiscoPieno();
    void esportazioneArchivioNonLetto_data();
    void esportazioneArchivioNonLetto();
    void esportazioneRigaDeiSuggerimenti();
    void esportazioneGuidaEdEsci();

    // --- Import (tst_output_importazione.cpp) ---
    void importazioneRifiutata_data();
    void importazioneRifiutata();
    void importazioneAnteprimaEImporta();
    void importazioneSuDiscoPieno();
    void importazioneAnnullata_data();
    void importazioneAnnullata();
    void importazioneConLaTastiera();
};
