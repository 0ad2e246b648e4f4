// The import of a CSV file as the user meets it, from the record window's command: the file
// dialog, the files refused before anything is shown, the preview (the format and the counts, the
// findings of each row, the holder and the expiry asked once, a row filled in, a duplicate added
// all the same), the append and the first new record shown, a full disk, the preview left without
// importing, and the preview from the keyboard and for a screen reader.

#include "tst_output.h"

#include "core/import/Importazione.h"
#include "core/storage/FileArchivio.h"
#include "editor/Blindoro.h"
#include "output/ImportaSchede.h"
#include "output/RigheImportazione.h"
#include "support/Accessibile.h"
#include "support/DiscoPieno.h"
#include "support/FileProva.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableView>
#include <QToolButton>

#include <functional>
#include <utility>

namespace {

const QString AccessoNegato =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                   "installazione del programma.");
const QString TitoloScelta = QStringLiteral("Selezionare il file CSV da importare:");
const QString FiltroScelta = QStringLiteral("File CSV (*.csv);;Tutti i file (*.*)");

QString Rifiutato(const QString& nome, const QString& motivo) {
    return QStringLiteral("Attenzione: il file «%1» non può essere importato.\r\n\r\n%2\r\n\r\n"
                          "Nessuna scheda è stata aggiunta all'archivio.")
        .arg(nome, motivo);
}

// What the core says of a file it refuses.
QString MotivoDelRifiuto(const QByteArray& csv) {
    try {
        AnteprimaImportazione(csv, {}, QDate(2024, 3, 7));
    } catch (const ErroreImportazione& errore) {
        return errore.Messaggio();
    }
    return QStringLiteral("<taken>");
}

// A password export of Chrome: a row of two lines, the duplicate of the first record of the
// archive (line 4), a row without its password (line 5), the duplicate of an earlier row (line 6)
// and a title whose letters the archive's code page lacks (line 7).
const QByteArray Elenco = "name,url,username,password,note\n"
                          "Banca,https://banca.example,mario,segreta1,\"prima riga\n"
                          "seconda riga\"\n"
                          "Sito 1,https://sito1.it,utente1,segreta1,\n"
                          "Posta,https://posta.example,anna,,\n"
                          "Banca,https://banca.example,mario,altra,\n"
                          "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1,https://gr.example,"
                          "nikos,pw,\n";

int Colonna(ColonnaRighe colonna) {
    return static_cast<int>(colonna);
}

QTableView* griglia(QWidget* finestra) {
    return figlio<QTableView>(finestra, "grdRighe");
}

QString cella(QWidget* finestra, int riga, ColonnaRighe colonna) {
    const QAbstractItemModel* modello = griglia(finestra)->model();
    return modello->data(modello->index(riga, Colonna(colonna))).toString();
}

QStringList colonna(QWidget* finestra, ColonnaRighe quale) {
    QStringList testi;
    for (int riga = 0; riga < griglia(finestra)->model()->rowCount(); ++riga)
        testi << cella(finestra, riga, quale);
    return testi;
}

QString testo(QWidget* finestra, const char* etichetta) {
    return figlio<QLabel>(finestra, etichetta)->text();
}

QString riepilogo(int daAggiungere, int righe, int duplicate, int incomplete, int escluse) {
    return QStringLiteral("Schede da aggiungere all'archivio: %1 su %2. Duplicate: %3, da "
                          "completare: %4, escluse: %5.")
        .arg(daAggiungere)
        .arg(righe)
        .arg(duplicate)
        .arg(incomplete)
        .arg(escluse);
}

void mettiFocus(QWidget* widget) {
    widget->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), widget);
}

// Puts the table's cursor on a cell, as the arrow keys do.
void vaiACella(QWidget* finestra, int riga, ColonnaRighe quale) {
    QTableView* tabella = griglia(finestra);
    mettiFocus(tabella);
    tabella->setCurrentIndex(tabella->model()->index(riga, Colonna(quale)));
}

// Types a value into a field cell of the table: F2, the text over the old one, Enter.
void scriviInCella(QWidget* finestra, int riga, ColonnaRighe quale, const QString& valore) {
    vaiACella(finestra, riga, quale);
    QTest::keyClick(griglia(finestra), Qt::Key_F2);
    QPointer<QLineEdit> editore = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editore);
    editore->selectAll();
    digita(editore, valore);
    QTest::keyClick(editore, Qt::Key_Return);
    // The table takes the value once back in its event loop.
    QTRY_VERIFY(!editore || !editore->isVisible());
}

void scriviInCampo(QLineEdit* campo, const QString& valore) {
    mettiFocus(campo);
    campo->selectAll();
    QTest::keyClick(campo, Qt::Key_Delete);
    digita(campo, valore);
}

TScheda leggiScheda(const QString& percorso, qint64 indice) {
    FileArchivio archivio = ApriFileArchivio(percorso);
    TScheda scheda{};
    archivio.Posiziona(indice);
    archivio.Leggi(scheda);
    return scheda;
}

} // namespace

QString tst_Output::fileDaImportare(const QByteArray& csv, const QString& nome) {
    const QString percorso = piattaforma->cartella + QStringLiteral("Documenti/") + nome;
    scriviFile(percorso, csv);
    return percorso;
}

void tst_Output::conImportazione(const QString& file,
                                 const std::function<void(TfrmImportaSchede&)>& azione) {
    piattaforma->attendiFile(file);
    QPointer<QWidget> aperta;
    const bool vista =
        conDialogoModale([this] { figlio<QAction>(scheda(), "actImportaSchede")->trigger(); },
                         [&](QWidget* dialogo) {
                             aperta = dialogo;
                             auto* anteprima = qobject_cast<TfrmImportaSchede*>(dialogo);
                             QVERIFY2(anteprima, dialogo->metaObject()->className());
                             QCOMPARE(dialogo->parentWidget(), static_cast<QWidget*>(scheda()));
                             QApplication::setActiveWindow(dialogo);
                             azione(*anteprima);
                         });
    QVERIFY2(vista, "the preview did not open");
    QVERIFY2(aperta.isNull(), "the preview was not freed");
    QCOMPARE(piattaforma->dialoghiFile.size(), 1);
    QCOMPARE(piattaforma->dialoghiFile[0].titolo, TitoloScelta);
    QCOMPARE(piattaforma->dialoghiFile[0].filtro, FiltroScelta);
}

void tst_Output::importazioneRifiutata_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<bool>("archivioLeggibile");
    QTest::addColumn<bool>("fileLeggibile");
    QTest::addColumn<QString>("motivo");
    const QByteArray chrome = "name,url,username,password\n";
    QTest::newRow("quote never closed")
        << chrome + "a,b,c,d\n\"e\nf,g,h\n"
        << true << true << "Riga 3: le virgolette aperte in questa riga non vengono mai chiuse.";
    QTest::newRow("a row of three cells")
        << chrome + "a,b,c,d\n\n\"x\ny\",u,n\n"
        << true << true << "Riga 4: 3 celle, mentre l'intestazione ne ha 4.";
    QTest::newRow("NUL byte") << chrome + QByteArray("a,b,c,d\ne,f\0,g,h\n",
                                                     sizeof "a,b,c,d\ne,f\0,g,h\n" - 1)
                              << true << true << "Riga 3: il file contiene un carattere nullo";
    QTest::newRow("not UTF-8") << chrome + "Chamb\xE9ry,b,c,d\n"
                               << true << true << "Riga 2: il testo non è in UTF-8 valido.";
    QTest::newRow("unknown header")
        << QByteArray("Sito;Utente;Parola\nx;y;z\n") << true << true
        << "KeePassXC, da Bitwarden (le credenziali di accesso), da Chrome o Edge e da Firefox, e "
           "il foglio di calcolo esportato da Blindoro";
    QTest::newRow("empty file") << QByteArray() << true << true << "Il file è vuoto";
    QTest::newRow("file that cannot be read")
        << chrome + "a,b,c,d\n"
        << true << false << "Il file «elenco.csv» non può essere letto";
    QTest::newRow("archive that cannot be read") << chrome + "a,b,c,d\n" << false << true << "";
}

// A file that cannot be imported is told with its reason (the line of a fault, the formats
// understood) and nothing is written or shown; nor when the archive cannot be read.
void tst_Output::importazioneRifiutata() {
    QFETCH(QByteArray, csv);
    QFETCH(bool, archivioLeggibile);
    QFETCH(bool, fileLeggibile);
    QFETCH(QString, motivo);
    piattaforma->dataOggi = QDate(2024, 3, 7);
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Banca"}})});
    const QByteArray prima = contenutoFile(percorsoArchivio());
    const QString file = fileDaImportare(csv);
    if (!fileLeggibile) {
        QVERIFY(QFile::setPermissions(file, QFile::Permissions()));
        try {
            LeggiFileCsv(file);
        } catch (const ErroreImportazione& errore) {
            QVERIFY2(errore.Messaggio().startsWith(motivo), qPrintable(errore.Messaggio()));
            motivo = errore.Messaggio();
        }
    } else if (archivioLeggibile) {
        const QString detto = MotivoDelRifiuto(csv);
        QVERIFY2(detto.contains(motivo), qPrintable(detto));
        motivo = detto;
    }
    if (!archivioLeggibile)
        QVERIFY(QFile::setPermissions(percorsoArchivio(), QFile::Permissions()));
    if (archivioLeggibile)
        piattaforma->attendi(TipoMessaggio::Avviso, Pulsanti::OkAnnulla,
                             Rifiutato(QStringLiteral("elenco.csv"), motivo));
    else
        piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, AccessoNegato);
    piattaforma->attendiFile(file);
    const bool aperta = conDialogoModale(
        [this] { figlio<QAction>(scheda(), "actImportaSchede")->trigger(); }, [](QWidget*) {});
    QVERIFY(QFile::setPermissions(percorsoArchivio(), QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(!aperta);
    QCOMPARE(piattaforma->mostrati.size(), 1);
    QCOMPARE(piattaforma->mostrati[0].proprietario, static_cast<QWidget*>(scheda()));
    QCOMPARE(contenutoFile(percorsoArchivio()), prima);
    QCOMPARE(ui().lblPosizione->text(), QString());
}

// The preview of a file of five rows: the format, the counts, the state and the findings of each
// row; the holder typed once, a missing password filled in, a duplicate added all the same, the
// expiry given once (a date that is not one adds nothing); then the import, its confirmation, the
// new records at the end of the archive as the preview showed them, and the first of them in the
// record window.
void tst_Output::importazioneAnteprimaEImporta() {
    piattaforma->dataOggi = QDate(2024, 3, 7);
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Sito 1"},
                                 {Campo::URL, "https://sito1.it"},
                                 {Campo::Utente, "utente1"}}),
                    nuovaScheda({{Campo::Titolo, "Sito 2"}}),
                    nuovaScheda({{Campo::Titolo, "Sito 3"}})});
    const QByteArray prima = contenutoFile(percorsoArchivio());
    QString titoloGreco;
    conImportazione(fileDaImportare(Elenco), [&](TfrmImportaSchede& finestra) {
        QCOMPARE(finestra.windowTitle(), QStringLiteral(" Importa schede da un file CSV"));
        QCOMPARE(finestra.size(), QSize(960, 660));
        QCOMPARE(testo(&finestra, "lblSottotitolo"),
                 QStringLiteral("File elenco.csv, da aggiungere all'archivio «Casa»."));
        QCOMPARE(testo(&finestra, "lblFormato"),
                 QStringLiteral("Formato: Chrome o Edge. Codifica: UTF-8, celle separate da "
                                "virgole."));
        auto* txtIntestatario = figlio<QLineEdit>(&finestra, "txtIntestatario");
        auto* txtScadenza = figlio<QLineEdit>(&finestra, "txtScadenza");
        auto* cmdImporta = figlio<QToolButton>(&finestra, "cmdImporta");
        // No source carries a holder: it is asked first, and until then nothing can be added.
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(txtIntestatario));
        QCOMPARE(txtScadenza->text(), QStringLiteral("07/03/2025"));
        QCOMPARE(colonna(&finestra, ColonnaRighe::Linea), (QStringList{"2", "4", "5", "6", "7"}));
        QCOMPARE(testo(&finestra, "lblRiepilogo"), riepilogo(0, 5, 0, 5, 0));
        QCOMPARE(testo(&finestra, "lblDaCompletare"),
                 QStringLiteral("Per aggiungere le schede da completare: indicare l'intestatario "
                                "dell'account; completare nella tabella il titolo, il nome utente "
                                "o la password mancanti (la riga 5 del file)."));
        QVERIFY(!cmdImporta->isEnabled());

        scriviInCampo(txtIntestatario, QStringLiteral("Mario Rossi"));
        QCOMPARE(testo(&finestra, "lblRiepilogo"), riepilogo(2, 5, 2, 1, 0));
        QCOMPARE(colonna(&finestra, ColonnaRighe::Stato),
                 (QStringList{"Da aggiungere", "Duplicata", "Da completare", "Duplicata",
                              "Da aggiungere"}));
        QCOMPARE(colonna(&finestra, ColonnaRighe::Intestatario), QStringList(5, "Mario Rossi"));
        QCOMPARE(colonna(&finestra, ColonnaRighe::Scadenza), QStringList(5, "07/03/2025"));
        QCOMPARE(colonna(&finestra, ColonnaRighe::Creazione), QStringList(5, "07/03/2024"));
        QVERIFY(cmdImporta->isEnabled());
        // A row lacking a field has no box to tick; the others have theirs, ticked when the row
        // will be added.
        const QAbstractItemModel* modello = griglia(&finestra)->model();
        const auto stato = [&](int riga) {
            return modello->index(riga, Colonna(ColonnaRighe::Stato));
        };
        QVERIFY(!(modello->flags(stato(2)) & Qt::ItemIsUserCheckable));
        QVERIFY(modello->flags(stato(1)) & Qt::ItemIsUserCheckable);
        QCOMPARE(modello->data(stato(0), Qt::CheckStateRole), QVariant(Qt::Checked));
        QCOMPARE(modello->data(stato(1), Qt::CheckStateRole), QVariant(Qt::Unchecked));
        // The findings of each row, in Italian, in its cell and in the box below the table.
        const QStringList rilievi = colonna(&finestra, ColonnaRighe::Rilievi);
        QCOMPARE(rilievi[0], QString());
        QCOMPARE(rilievi[1], QStringLiteral("Ha titolo, URL e nome utente della scheda 1 "
                                            "dell'archivio: non sarà aggiunta, se non la si "
                                            "include."));
        QCOMPARE(rilievi[2], QStringLiteral("Non sarà aggiunta finché non si indica: Password."));
        QCOMPARE(rilievi[3], QStringLiteral("Ha titolo, URL e nome utente della riga 2 del file: "
                                            "non sarà aggiunta, se non la si include."));
        QVERIFY2(rilievi[4].startsWith(QStringLiteral("Titolo sito Web: «Ε» non esiste nella "
                                                      "codifica dell'archivio e diventa")),
                 qPrintable(rilievi[4]));
        vaiACella(&finestra, 4, ColonnaRighe::Titolo);
        const QString tuttiIRilievi =
            modello->data(modello->index(4, Colonna(ColonnaRighe::Rilievi)), Qt::ToolTipRole)
                .toString();
        QCOMPARE(tuttiIRilievi.count(QLatin1Char('\n')), 4); // five letters the code page lacks
        QCOMPARE(figlio<QPlainTextEdit>(&finestra, "txtRilievi")->toPlainText(),
                 QStringLiteral("Riga 7 del file:\n") + tuttiIRilievi);
        titoloGreco = cella(&finestra, 4, ColonnaRighe::Titolo);
        QCOMPARE(titoloGreco.size(), 6);

        // The password the row lacks, typed into its cell.
        scriviInCella(&finestra, 2, ColonnaRighe::Password, QStringLiteral("nuova"));
        QCOMPARE(cella(&finestra, 2, ColonnaRighe::Stato), QStringLiteral("Da aggiungere"));
        QCOMPARE(testo(&finestra, "lblRiepilogo"), riepilogo(3, 5, 2, 0, 0));
        QCOMPARE(testo(&finestra, "lblDaCompletare"), QString());

        // The duplicate of the earlier row added all the same, by its box; the last row left
        // out and taken again.
        vaiACella(&finestra, 3, ColonnaRighe::Stato);
        QTest::keyClick(griglia(&finestra), Qt::Key_Space);
        QCOMPARE(cella(&finestra, 3, ColonnaRighe::Stato), QStringLiteral("Da aggiungere"));
        QCOMPARE(cella(&finestra, 3, ColonnaRighe::Rilievi),
                 QStringLiteral("Ha titolo, URL e nome utente della riga 2 del file, ma sarà "
                                "aggiunta lo stesso."));
        QVERIFY(griglia(&finestra)->model()->setData(stato(4), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(testo(&finestra, "lblRiepilogo"), riepilogo(3, 5, 1, 0, 1));
        vaiACella(&finestra, 4, ColonnaRighe::Stato);
        QTest::keyClick(griglia(&finestra), Qt::Key_Space);
        QCOMPARE(testo(&finestra, "lblRiepilogo"), riepilogo(4, 5, 1, 0, 0));

        // An expiry that is no date leaves every row without one.
        scriviInCampo(txtScadenza, QStringLiteral("31/02/2030"));
        QCOMPARE(testo(&finestra, "lblFormatoData"),
                 QStringLiteral("data non valida: scriverla nella forma gg/mm/aaaa"));
        QCOMPARE(testo(&finestra, "lblRiepilogo"), riepilogo(0, 5, 0, 5, 0));
        QVERIFY(!cmdImporta->isEnabled());
        scriviInCampo(txtScadenza, QStringLiteral("31/12/2030"));
        QCOMPARE(testo(&finestra, "lblFormatoData"), QStringLiteral("nella forma gg/mm/aaaa"));
        QCOMPARE(testo(&finestra, "lblRiepilogo"), riepilogo(4, 5, 1, 0, 0));
        QCOMPARE(colonna(&finestra, ColonnaRighe::Scadenza), QStringList(5, "31/12/2030"));
        QCOMPARE(contenutoFile(percorsoArchivio()), prima);

        piattaforma->attendi(TipoMessaggio::Informazione, Pulsanti::OkAnnulla,
                             QStringLiteral("Sono state aggiunte all'archivio 4 schede."));
        cmdImporta->click();
        QVERIFY(!finestra.isVisible());
    });

    // The archive as it was, then the four new records in the file's order.
    const QByteArray dopo = contenutoFile(percorsoArchivio());
    QCOMPARE(dopo.size(), 7 * 13318);
    QCOMPARE(dopo.left(prima.size()), prima);
    const struct {
        QString titolo, utente, password, note;
    } attese[] = {
        {"Banca", "mario", "segreta1", "prima riga\r\nseconda riga"},
        {"Posta", "anna", "nuova", ""},
        {"Banca", "mario", "altra", ""},
        {titoloGreco, "nikos", "pw", ""},
    };
    for (int i = 0; i < 4; ++i) {
        const TScheda nuova = leggiScheda(percorsoArchivio(), 3 + i);
        QCOMPARE(DecodificaCampo(nuova, Campo::Titolo), attese[i].titolo);
        QCOMPARE(DecodificaCampo(nuova, Campo::Utente), attese[i].utente);
        QCOMPARE(DecodificaCampo(nuova, Campo::Password), attese[i].password);
        QCOMPARE(DecodificaCampo(nuova, Campo::Note), attese[i].note);
        QCOMPARE(DecodificaCampo(nuova, Campo::Intestatario), QStringLiteral("Mario Rossi"));
        QCOMPARE(DecodificaCampo(nuova, Campo::Scadenza), QStringLiteral("31/12/2030"));
        QCOMPARE(DecodificaCampo(nuova, Campo::Creazione), QStringLiteral("07/03/2024"));
        QCOMPARE(DecodificaCampo(nuova, Campo::File01), QString());
    }
    // The record window shows the first new record, which a save would overwrite.
    QCOMPARE(ui().lblPosizione->text(), QStringLiteral("4"));
    QCOMPARE(ui().txtTitolo->text(), QStringLiteral("Banca"));
    QCOMPARE(ui().txtURL->text(), QStringLiteral("https://banca.example"));
    QCOMPARE(ui().txtNote->toPlainText(), QStringLiteral("prima riga\nseconda riga"));
    QCOMPARE(ui().txtIntestatario->text(), QStringLiteral("Mario Rossi"));
}

// On a full disk nothing is added: the archive stays as it was, byte for byte, the user gets the
// archive access message and the preview stays open; once there is room, the same preview adds
// its records.
void tst_Output::importazioneSuDiscoPieno() {
    SALTA_SENZA_DISCO_PIENO();
    piattaforma->dataOggi = QDate(2024, 3, 7);
    DiscoPieno disco;
    const QString archivio = disco.Percorso(QStringLiteral("Casa.psw"));
    scheda()->ApriArchivio(archivio, QStringLiteral("Casa"));
    QByteArray prima;
    for (const char* titolo : {"Sito 1", "Sito 2"}) {
        const TScheda s = nuovaScheda({{Campo::Titolo, titolo}});
        prima.append(reinterpret_cast<const char*>(&s), sizeof s);
    }
    prima.append("pezzo di una scheda");
    scriviFile(archivio, prima);
    const QString file = fileDaImportare(Elenco);
    conImportazione(file, [&](TfrmImportaSchede& finestra) {
        scriviInCampo(figlio<QLineEdit>(&finestra, "txtIntestatario"),
                      QStringLiteral("Mario Rossi"));
        QVERIFY(disco.Riempi());
        QVERIFY(disco.Libera(13318));
        piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, AccessoNegato);
        figlio<QToolButton>(&finestra, "cmdImporta")->click();
        QCOMPARE(piattaforma->mostrati.size(), 1);
        QCOMPARE(piattaforma->mostrati[0].proprietario, static_cast<QWidget*>(&finestra));
        QCOMPARE(contenutoFile(archivio), prima);
        QVERIFY(finestra.isVisible());
        QCOMPARE(ui().lblPosizione->text(), QString());

        QVERIFY(disco.Libera(4 * 13318));
        piattaforma->attendi(TipoMessaggio::Informazione, Pulsanti::OkAnnulla,
                             QStringLiteral("Sono state aggiunte all'archivio 3 schede."));
        figlio<QToolButton>(&finestra, "cmdImporta")->click();
    });
    QCOMPARE(QFileInfo(archivio).size(), 5 * 13318);
    QCOMPARE(contenutoFile(archivio).left(2 * 13318), prima.left(2 * 13318));
    QCOMPARE(ui().lblPosizione->text(), QStringLiteral("3"));
    QCOMPARE(ui().txtTitolo->text(), QStringLiteral("Banca"));
}

void tst_Output::importazioneAnnullata_data() {
    QTest::addColumn<QString>("come");
    QTest::newRow("Annulla") << QStringLiteral("Annulla");
    QTest::newRow("Esc") << QStringLiteral("Esc");
    QTest::newRow("file dialog cancelled") << QString();
}

// Cancelling the file dialog, or leaving the preview by "Annulla" or Esc, writes nothing and
// leaves the record window as it was.
void tst_Output::importazioneAnnullata() {
    QFETCH(QString, come);
    piattaforma->dataOggi = QDate(2024, 3, 7);
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Sito 1"}})});
    const QByteArray prima = contenutoFile(percorsoArchivio());
    ui().txtTitolo->setText(QStringLiteral("scritto a mano"));
    if (come.isEmpty()) {
        piattaforma->attendiFile(QString());
        QVERIFY(!conDialogoModale(
            [this] { figlio<QAction>(scheda(), "actImportaSchede")->trigger(); }, [](QWidget*) {}));
        QCOMPARE(piattaforma->dialoghiFile.size(), 1);
    } else {
        conImportazione(fileDaImportare(Elenco), [&](TfrmImportaSchede& finestra) {
            scriviInCampo(figlio<QLineEdit>(&finestra, "txtIntestatario"),
                          QStringLiteral("Mario Rossi"));
            if (come == QLatin1String("Esc"))
                QTest::keyClick(griglia(&finestra), Qt::Key_Escape);
            else
                figlio<QToolButton>(&finestra, "cmdAnnulla")->click();
            QVERIFY(!finestra.isVisible());
        });
    }
    QCOMPARE(contenutoFile(percorsoArchivio()), prima);
    QCOMPARE(ui().txtTitolo->text(), QStringLiteral("scritto a mano"));
    QCOMPARE(ui().lblPosizione->text(), QString());
    QVERIFY(piattaforma->mostrati.isEmpty());
}

// The preview as a keyboard user and a screen reader meet it: every command named by its caption
// and described by its hint, with its keys; the fields named by their captions; Tab in reading
// order; Enter from the holder to the expiry to the table; the rows lacking a field alone on
// request; a duplicate included with Space and the import given by its keys; the hint line.
void tst_Output::importazioneConLaTastiera() {
    piattaforma->dataOggi = QDate(2024, 3, 7);
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Sito 1"},
                                 {Campo::URL, "https://sito1.it"},
                                 {Campo::Utente, "utente1"}})});
    conImportazione(fileDaImportare(Elenco), [&](TfrmImportaSchede& finestra) {
        for (const auto& problemi : {problemiComandi(&finestra), problemiDecorazioni(&finestra),
                                     problemiOrdineTab(&finestra)})
            QVERIFY2(problemi.isEmpty(), qPrintable(problemi.join(QLatin1Char('\n'))));
        QCOMPARE(QAccessible::queryAccessibleInterface(&finestra)->role(), QAccessible::Dialog);
        const struct {
            const char* controllo;
            QString nome;
        } nomi[] = {
            {"txtIntestatario", QStringLiteral("Intestatario account:")},
            {"txtScadenza", QStringLiteral("Data scadenza:")},
            {"txtRilievi", QStringLiteral("Rilievi della riga scelta:")},
            {"grdRighe", QStringLiteral("Righe del file")},
            {"chkDaCompletare", QStringLiteral("Solo le righe da completare")},
        };
        for (const auto& voce : nomi)
            QCOMPARE(
                QAccessible::queryAccessibleInterface(figlio<QWidget>(&finestra, voce.controllo))
                    ->text(QAccessible::Name),
                voce.nome);
        auto* cmdImporta = figlio<QToolButton>(&finestra, "cmdImporta");
        auto* cmdAnnulla = figlio<QToolButton>(&finestra, "cmdAnnulla");
        const QString suggerimento =
            QStringLiteral("Aggiungi all'archivio le schede da aggiungere, tutte insieme.");
        QCOMPARE(cmdImporta->accessibleName(), QStringLiteral("Importa"));
        QCOMPARE(cmdImporta->accessibleDescription(), suggerimento);
        QCOMPARE(cmdImporta->toolTip(), suggerimento + QStringLiteral(" (Ctrl+Maiusc+I)"));
        QCOMPARE(cmdAnnulla->accessibleName(), QStringLiteral("Annulla"));

        // The hint line follows the mouse over the commands and empties over the background.
        auto* panInfo = figlio<QLabel>(&finestra, "panInfo");
        QCOMPARE(panInfo->text(), QStringLiteral("Anteprima delle schede da importare."));
        const std::pair<const char*, QString> passi[] = {
            {"cmdImporta", suggerimento},
            {"shpInfo", QString()},
            {"cmdAnnulla",
             QStringLiteral("Chiudi l'anteprima senza aggiungere nulla all'archivio.")},
            {"panContainer", QString()},
        };
        for (const auto& [elemento, atteso] : passi) {
            QWidget* sotto = figlio<QWidget>(&finestra, elemento);
            QTest::mouseMove(finestra.windowHandle(), sotto->mapTo(&finestra, QPoint(3, 3)));
            QTRY_COMPARE(panInfo->text(), atteso);
        }

        // Holder, Enter, expiry, Enter, table.
        auto* txtIntestatario = figlio<QLineEdit>(&finestra, "txtIntestatario");
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(txtIntestatario));
        digita(txtIntestatario, QStringLiteral("Mario Rossi"));
        QTest::keyClick(txtIntestatario, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtScadenza"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(griglia(&finestra)));

        // Only the row lacking its password, then all again.
        auto* chkDaCompletare = figlio<QCheckBox>(&finestra, "chkDaCompletare");
        chkDaCompletare->click();
        QCOMPARE(colonna(&finestra, ColonnaRighe::Linea), QStringList{"5"});
        chkDaCompletare->click();
        QCOMPARE(griglia(&finestra)->model()->rowCount(), 5);

        // The duplicate of line 6 with Space on its state, then Ctrl+Shift+I.
        vaiACella(&finestra, 3, ColonnaRighe::Stato);
        QTest::keyClick(griglia(&finestra), Qt::Key_Space);
        QCOMPARE(testo(&finestra, "lblRiepilogo"), riepilogo(3, 5, 1, 1, 0));
        piattaforma->attendi(TipoMessaggio::Informazione, Pulsanti::OkAnnulla,
                             QStringLiteral("Sono state aggiunte all'archivio 3 schede."));
        QTest::keyClick(griglia(&finestra), Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(!finestra.isVisible());
    });
    QCOMPARE(QFileInfo(percorsoArchivio()).size(), 4 * 13318);
    QCOMPARE(ui().lblPosizione->text(), QStringLiteral("2"));
}
