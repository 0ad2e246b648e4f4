// The archive catalogue as the user meets it: the create window and the selection window, driven
// from the start window, with the program folder pointed at a temporary folder.

#include "support/AiutiFinestre.h"
#include "support/FileProva.h"
#include "support/PiattaformaProva.h"
#include "support/Privilegi.h"

#include "app/Avvio.h"
#include "app/Finestre.h"
#include "archive/ApriArchivio.h"
#include "archive/CreaArchivio.h"
#include "editor/Blindoro.h"
#include "gui/Convenzioni.h"
#include "help/Guida.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <cerrno>
#include <memory>

namespace {

const QString MsgNomeMancante =
    QStringLiteral("Attenzione: per creare il nuovo archivio è necessario indicare il nome del "
                   "nuovo archivio di password.");
const QString MsgNomeGiaUsato = QStringLiteral(
    "Attenzione: il nome dell'archivio di password indicato è già stato utilizzato in "
    "precedenza.\r\n\r\nInserire un nome diverso oppure, se si desidera aprire un archivio di "
    "password già creato, premere il pulsante Apri blindoro esistente.");
const QString MsgNomeNonAmmesso = QStringLiteral(
    "Attenzione: il nome indicato non può essere utilizzato per un archivio di password.\r\n\r\n"
    "Il nome non deve contenere caratteri non stampabili né i caratteri \" * / : < > ? \\ ° Ç Ñ "
    "ç ñ, e non può essere formato soltanto da punti.");
const QString MsgArchivioCreato = QStringLiteral(
    "Il file di archivio relativo al nuovo archivio di password è stato creato con "
    "successo.\r\n\r\nE' ora possibile visualizzarlo nell'elenco degli archivi di password "
    "esistenti.");
const QString MsgElencoVuoto =
    QStringLiteral("Attenzione: l'elenco non contiene nessun archivio di password.");
const QString MsgSelezionaDaAprire =
    QStringLiteral("Attenzione: selezionare l'archivio di password dall'elenco prima di premere "
                   "il pulsante Apri archivio.");
const QString MsgSelezionaDaEliminare =
    QStringLiteral("Attenzione: selezionare dall'elenco l'archivio di password da eliminare prima "
                   "di premere il pulsante del cestino.");
const QString MsgConfermaEliminazione = QStringLiteral(
    "Si sta per eliminare l'archivio di password selezionato. Si ricorda che il file eliminato "
    "non potrà essere recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?");
const QString MsgEliminato =
    QStringLiteral("L'archivio di password è stato eliminato con successo.");
const QString MsgNonEliminato = QStringLiteral(
    "Attenzione: l'archivio di password selezionato non è stato eliminato.\r\n\r\nIl sistema non "
    "permette di eliminare il file: accertarsi che il file esista ancora e di possedere i "
    "privilegi di scrittura nella cartella di installazione del programma.");

QString rigaConteggio(int archivi) {
    return QStringLiteral("Sono stati creati %1 archivi di password.").arg(archivi);
}

} // namespace

class tst_Archive : public QObject {
    Q_OBJECT

    std::unique_ptr<PiattaformaProva> piattaforma;
    std::unique_ptr<TFinestre> finestre;

    QString percorso(const QString& nome) const { return piattaforma->cartella + nome; }

    void scrivi(const QString& nome, const QByteArray& dati = QByteArray()) {
        scriviFile(percorso(nome), dati);
    }
    QByteArray contenuto(const QString& nome) const { return contenutoFile(percorso(nome)); }

    // Everything in the program folder: files, folders, links.
    QStringList voci() const {
        return QDir(piattaforma->cartella)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }

    QWidget* crea() const { return &finestre->CreaArchivio(); }
    QWidget* apri() const { return &finestre->ApriArchivio(); }
    QWidget* avvio() const { return &finestre->Avvio(); }
    QWidget* blindoro() const { return &finestre->Blindoro(); }

    QLineEdit* txtFile() const { return figlio<QLineEdit>(crea(), "txtFile"); }
    QListWidget* lstFiles() const { return figlio<QListWidget>(apri(), "lstFiles"); }
    QString testo(QWidget* finestra, const char* etichetta) const {
        return figlio<QLabel>(finestra, etichetta)->text();
    }

    void clic(QWidget* finestra, const char* pulsante) {
        QTest::mouseClick(figlio<QAbstractButton>(finestra, pulsante), Qt::LeftButton);
    }

    // The start window is shown, as after the login; the user reaches the window from it.
    void daAvvio(const char* pulsante) {
        finestre->Avvio().mostra();
        clic(avvio(), pulsante);
    }
    void apriCreazione() {
        daAvvio("btnCrea");
        QVERIFY(crea()->isVisible());
    }
    void apriSelezione() {
        daAvvio("btnApri");
        QVERIFY(apri()->isVisible());
    }

    QStringList elencati() const {
        QStringList nomi;
        for (int i = 0; i < lstFiles()->count(); ++i)
            nomi << lstFiles()->item(i)->text();
        return nomi;
    }

    void seleziona(const QString& nome) {
        const QList<QListWidgetItem*> trovati = lstFiles()->findItems(nome, Qt::MatchExactly);
        QCOMPARE(trovati.size(), 1);
        const QRect area = lstFiles()->visualItemRect(trovati.first());
        QTest::mouseClick(lstFiles()->viewport(), Qt::LeftButton, Qt::NoModifier, area.center());
        QCOMPARE(lstFiles()->selectedItems(), trovati);
    }

    // After a deletion, whatever its outcome: the window stays open, reads the folder again and
    // has nothing selected.
    void verificaDopoEliminazione(const QStringList& elencoAtteso) {
        QVERIFY(apri()->isVisible());
        QCOMPARE(elencati(), elencoAtteso);
        QVERIFY(lstFiles()->selectedItems().isEmpty());
        QCOMPARE(testo(apri(), "lblCreati"), rigaConteggio(int(elencoAtteso.size())));
        QCOMPARE(testo(apri(), "lblMemory"), QStringLiteral("avvio"));
        QCOMPARE(testo(apri(), "lblFile"), QString());
    }

private Q_SLOTS:
    void init() {
        piattaforma.reset();
        piattaforma = std::make_unique<PiattaformaProva>();
        finestre = std::make_unique<TFinestre>();
    }

    void cleanup() {
        finestre.reset();
        VERIFICA_PIATTAFORMA(*piattaforma);
    }

    void creaArchivio_data() {
        QTest::addColumn<QString>("digitato");
        QTest::addColumn<QString>("fileAtteso");
        QTest::newRow("nome semplice") << "Casa"
                                       << "Casa.psw";
        QTest::newRow("spazi attorno tolti") << "   conti banca  "
                                             << "conti banca.psw";
        QTest::newRow("estensione aggiunta anche se c'è") << "casa.psw"
                                                          << "casa.psw.psw";
        QTest::newRow("barra verticale e accenti") << "più|già"
                                                   << "più|già.psw";
    }

    void creaArchivio() {
        QFETCH(QString, digitato);
        QFETCH(QString, fileAtteso);
        apriCreazione();
        digita(txtFile(), digitato);

        piattaforma->attendi(TipoMessaggio::Informazione, Pulsanti::OkAnnulla, MsgArchivioCreato);
        clic(crea(), "btnApplica");

        QCOMPARE(voci(), QStringList{fileAtteso});
        QCOMPARE(QFileInfo(percorso(fileAtteso)).size(), 0);
        // It holds passwords in clear: nobody but its owner may read it.
        const QFileDevice::Permissions gruppoEAltri(0x00FF);
        QCOMPARE(QFileInfo(percorso(fileAtteso)).permissions() & gruppoEAltri,
                 QFileDevice::Permissions());
        QCOMPARE(testo(crea(), "lblFile"), percorso(fileAtteso));
        QVERIFY(!crea()->isVisible());
        QVERIFY(avvio()->isVisible());

        // The selection window shows the new archive the next time it opens.
        apriSelezione();
        QCOMPARE(elencati(), QStringList{fileAtteso});
    }

    void nomeMancante_data() {
        QTest::addColumn<QString>("nome");
        QTest::newRow("vuoto") << "";
        QTest::newRow("soli spazi") << "     ";
        QTest::newRow("spazi e caratteri di controllo") << " \t\x01 ";
    }

    void nomeMancante() {
        QFETCH(QString, nome);
        apriCreazione();
        txtFile()->setText(nome);

        piattaforma->attendi(TipoMessaggio::Avviso, Pulsanti::OkAnnulla, MsgNomeMancante);
        clic(crea(), "btnApplica");

        QVERIFY(voci().isEmpty());
        QVERIFY(crea()->isVisible());
        QCOMPARE(crea()->focusWidget(), txtFile());
    }

    // Pasted text passes the key filter; a name that would leave the program folder, or holds a
    // character the filter refuses, is refused when the archive is created.
    void nomeNonAmmesso_data() {
        QTest::addColumn<QString>("incollato");
        QTest::newRow("risale di una cartella") << "../fuori";
        QTest::newRow("barra") << "sotto/cartella";
        QTest::newRow("barra rovesciata") << "..\\fuori";
        QTest::newRow("due punti") << "c:dati";
        QTest::newRow("un punto") << ".";
        QTest::newRow("due punti di fila") << "..";
        QTest::newRow("punto interrogativo") << "chi?";
        QTest::newRow("virgolette") << "\"casa\"";
        QTest::newRow("segno di grado") << "n°1";
        QTest::newRow("enne con tilde") << "Ñandù";
        QTest::newRow("carattere di controllo interno") << "casa\tmare";
    }

    void nomeNonAmmesso() {
        QFETCH(QString, incollato);
        apriCreazione();
        QGuiApplication::clipboard()->setText(incollato);
        txtFile()->paste();
        QCOMPARE(txtFile()->text(), incollato);

        piattaforma->attendi(TipoMessaggio::Avviso, Pulsanti::OkAnnulla, MsgNomeNonAmmesso);
        clic(crea(), "btnApplica");

        QVERIFY(voci().isEmpty());
        QVERIFY(!QFile::exists(percorso(QStringLiteral("../fuori.psw"))));
        QVERIFY(crea()->isVisible());
        QCOMPARE(txtFile()->text(), incollato);
        QCOMPARE(crea()->focusWidget(), txtFile());
    }

    // The name is taken: the entry is kept as it is, even a link to a missing file, which an
    // ordinary create-or-truncate would follow and create.
    void nomeGiaUsato_data() {
        QTest::addColumn<QString>("voce");
        QTest::newRow("file con dati") << "file";
        QTest::newRow("cartella") << "cartella";
        QTest::newRow("collegamento a un file che non c'è") << "collegamento";
    }

    void nomeGiaUsato() {
        QFETCH(QString, voce);
        const QString esistente = QStringLiteral("Casa.psw");
        if (voce == QLatin1String("file"))
            scrivi(esistente, "dati preziosi");
        else if (voce == QLatin1String("cartella"))
            QVERIFY(QDir(piattaforma->cartella).mkdir(esistente));
        else
            QVERIFY(QFile::link(percorso(QStringLiteral("altrove.psw")), percorso(esistente)));
        const QStringList prima = voci();

        apriCreazione();
        digita(txtFile(), QStringLiteral("Casa"));
        piattaforma->attendi(TipoMessaggio::Avviso, Pulsanti::OkAnnulla, MsgNomeGiaUsato);
        clic(crea(), "btnApplica");

        QCOMPARE(voci(), prima);
        if (voce == QLatin1String("file"))
            QCOMPARE(contenuto(esistente), QByteArray("dati preziosi"));
        QVERIFY(crea()->isVisible());
        QCOMPARE(txtFile()->text(), QStringLiteral("Casa"));
    }

    void filtroTasti() {
        apriCreazione();
        digita(txtFile(), QStringLiteral("a\"b*c/d:e<f>g?h\\i°jÇkÑlçmñn|o"));
        QCOMPARE(txtFile()->text(), QStringLiteral("abcdefghijklmn|o"));

        txtFile()->clear();
        QTest::keyClicks(txtFile(), QString(260, QLatin1Char('x')));
        QCOMPARE(txtFile()->text(), QString(250, QLatin1Char('x')));
    }

    // A creation that the system refuses leaves the handler as a failure: the application shows
    // the system's error text in the error box, and the window stays as it was.
    void creazioneFallita_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("cartellaInSolaLettura");
        QTest::addColumn<int>("errore");
        QTest::newRow("nome troppo lungo") << QString(130, QChar(0xE0)) << false << ENAMETOOLONG;
        QTest::newRow("cartella in sola lettura") << "Casa" << true << EACCES;
    }

    void creazioneFallita() {
        QFETCH(QString, nome);
        QFETCH(bool, cartellaInSolaLettura);
        QFETCH(int, errore);
        apriCreazione();
        txtFile()->setText(nome);
        std::unique_ptr<SolaLettura> protezione;
        if (cartellaInSolaLettura)
            protezione = std::make_unique<SolaLettura>(piattaforma->cartella);

        const QString file = percorso(nome + QStringLiteral(".psw"));
        piattaforma->attendi(TipoMessaggio::Errore, Pulsanti::Ok,
                             QStringLiteral("Impossibile creare il file \"%1\": %2")
                                 .arg(file, qt_error_string(errore)));
        clic(crea(), "btnApplica");

        QVERIFY(voci().isEmpty());
        QVERIFY(crea()->isVisible());
        QVERIFY(!avvio()->isVisible());
        QCOMPARE(txtFile()->text(), nome);
    }

    void evidenziazioneDelNome() {
        apriCreazione();
        crea()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(crea()));
        const QPoint interno(6, txtFile()->height() / 2);
        QCOMPARE(crea()->focusWidget(), txtFile());
        QCOMPARE(coloreVisto(txtFile(), interno), QColor(0xFF, 0xFF, 0x00));

        figlio<QWidget>(crea(), "btnApplica")->setFocus();
        QCOMPARE(coloreVisto(txtFile(), interno), QColor(0xF0, 0xF8, 0xFF));
        QCOMPARE(coloreVisto(txtFile(), QPoint(0, txtFile()->height() / 2)),
                 QColor(0x87, 0xCE, 0xEB));
    }

    // Annulla and the close box lead back to the start window; each showing starts afresh.
    void tornaAllAvvio_data() {
        QTest::addColumn<bool>("finestraCreazione");
        QTest::addColumn<bool>("conAnnulla");
        QTest::newRow("creazione, Annulla") << true << true;
        QTest::newRow("creazione, chiusura") << true << false;
        QTest::newRow("selezione, Annulla") << false << true;
        QTest::newRow("selezione, chiusura") << false << false;
    }

    void tornaAllAvvio() {
        QFETCH(bool, finestraCreazione);
        QFETCH(bool, conAnnulla);
        scrivi(QStringLiteral("casa.psw"));
        if (finestraCreazione) {
            apriCreazione();
            digita(txtFile(), QStringLiteral("bozza"));
        } else {
            apriSelezione();
            seleziona(QStringLiteral("casa.psw"));
        }
        QWidget* finestra = finestraCreazione ? crea() : apri();
        if (conAnnulla)
            clic(finestra, "btnAnnulla");
        else
            finestra->close();

        QVERIFY(!finestra->isVisible());
        QVERIFY(avvio()->isVisible());
        QVERIFY(!blindoro()->isVisible());
        QCOMPARE(voci(), QStringList{QStringLiteral("casa.psw")});

        if (finestraCreazione) {
            apriCreazione();
            QCOMPARE(txtFile()->text(), QString());
            QCOMPARE(crea()->focusWidget(), txtFile());
        } else {
            apriSelezione();
            QVERIFY(lstFiles()->selectedItems().isEmpty());
        }
    }

    void ordineElenco_data() {
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<QStringList>("elenco");
        QTest::newRow("lettere senza badare alle maiuscole")
            << QStringList{"zeta.psw", "Alfa.psw", "beta.psw"}
            << QStringList{"Alfa.psw", "beta.psw", "zeta.psw"};
        QTest::newRow("altri caratteri per codice")
            << QStringList{"é.psw", "_a.psw", "Z.psw", "B.psw", "ab.psw", "a.psw", "1.psw"}
            << QStringList{"1.psw", "a.psw", "ab.psw", "B.psw", "Z.psw", "_a.psw", "é.psw"};
        QTest::newRow("prima il nome più corto")
            << QStringList{"casa.psw.psw", "casa.psw"} << QStringList{"casa.psw", "casa.psw.psw"};
        QTest::newRow("estensione in ogni forma, altri file esclusi")
            << QStringList{"conti.Psw", "Casa.PSW",        "note.txt",
                           "psw",       "vecchio.psw.bak", ".nascosto.psw"}
            << QStringList{".nascosto.psw", "Casa.PSW", "conti.Psw"};
    }

    void ordineElenco() {
        QFETCH(QStringList, file);
        QFETCH(QStringList, elenco);
        for (const QString& nome : file)
            scrivi(nome);
        // Folders are not archives, and the listing does not descend into them.
        QDir cartella(piattaforma->cartella);
        QVERIFY(cartella.mkdir(QStringLiteral("cartella.psw")));
        QVERIFY(cartella.mkdir(QStringLiteral("sotto")));
        scrivi(QStringLiteral("sotto/interno.psw"));

        apriSelezione();

        QCOMPARE(elencati(), elenco);
        QCOMPARE(testo(apri(), "lblCreati"), rigaConteggio(int(elenco.size())));
        QVERIFY(lstFiles()->selectedItems().isEmpty());
        QCOMPARE(testo(apri(), "lblMemory"), QStringLiteral("avvio"));
        QCOMPARE(testo(apri(), "lblFile"), piattaforma->cartella);
    }

    void elencoRilettoAOgniApertura() {
        QCOMPARE(testo(apri(), "lblCreati"), rigaConteggio(0));
        scrivi(QStringLiteral("uno.psw"));
        scrivi(QStringLiteral("due.psw"));
        apriSelezione();
        QCOMPARE(testo(apri(), "lblCreati"), rigaConteggio(2));
        clic(apri(), "btnAnnulla");

        QVERIFY(QFile::remove(percorso(QStringLiteral("uno.psw"))));
        QVERIFY(QFile::remove(percorso(QStringLiteral("due.psw"))));
        apriSelezione();
        QCOMPARE(elencati(), QStringList());
        QCOMPARE(testo(apri(), "lblCreati"), rigaConteggio(0));
    }

    void senzaArchivioScelto_data() {
        QTest::addColumn<bool>("conArchivi");
        QTest::addColumn<QString>("pulsante");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("apri, elenco vuoto") << false << "btnApri" << MsgElencoVuoto;
        QTest::newRow("elimina, elenco vuoto") << false << "btnElimina" << MsgElencoVuoto;
        QTest::newRow("apri, nessuna selezione") << true << "btnApri" << MsgSelezionaDaAprire;
        QTest::newRow("elimina, nessuna selezione")
            << true << "btnElimina" << MsgSelezionaDaEliminare;
    }

    void senzaArchivioScelto() {
        QFETCH(bool, conArchivi);
        QFETCH(QString, pulsante);
        QFETCH(QString, messaggio);
        if (conArchivi)
            scrivi(QStringLiteral("casa.psw"), "dati");
        apriSelezione();

        piattaforma->attendi(TipoMessaggio::Avviso, Pulsanti::OkAnnulla, messaggio);
        clic(apri(), qPrintable(pulsante));

        QVERIFY(apri()->isVisible());
        QVERIFY(!blindoro()->isVisible());
        QCOMPARE(elencati().size(), conArchivi ? 1 : 0);
        if (conArchivi)
            QCOMPARE(contenuto(QStringLiteral("casa.psw")), QByteArray("dati"));
    }

    // Opening hands the record window the archive's path and name; the selection window is only
    // hidden and reads the folder again when it comes back.
    void apriArchivio_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("nome");
        QTest::newRow("estensione maiuscola") << "Casa.PSW"
                                              << "Casa";
        QTest::newRow("spazio iniziale nel nome del file") << " casa.psw"
                                                           << " casa";
    }

    void apriArchivio() {
        QFETCH(QString, file);
        QFETCH(QString, nome);
        scrivi(QStringLiteral("casa.psw"));
        scrivi(file);
        apriSelezione();
        seleziona(file);

        clic(apri(), "btnApri");

        QCOMPARE(testo(blindoro(), "lblFile"), percorso(file));
        QCOMPARE(testo(blindoro(), "lblNome"), nome);
        QVERIFY(blindoro()->isVisible());
        QVERIFY(!apri()->isVisible());
        QVERIFY(!avvio()->isVisible());
        QCOMPARE(testo(apri(), "lblFile"), percorso(file));

        blindoro()->close();
        QVERIFY(avvio()->isVisible());
        scrivi(QStringLiteral("nuovo.psw"));
        apriSelezione();
        QCOMPARE(elencati().size(), 3);
        QVERIFY(lstFiles()->selectedItems().isEmpty());
        QCOMPARE(testo(apri(), "lblMemory"), QStringLiteral("avvio"));
    }

    void eliminaRispostaNo() {
        scrivi(QStringLiteral("a.psw"), "primo");
        scrivi(QStringLiteral("b.psw"), "secondo");
        apriSelezione();
        seleziona(QStringLiteral("b.psw"));

        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, MsgConfermaEliminazione,
                             Risposta::No);
        clic(apri(), "btnElimina");

        QCOMPARE(contenuto(QStringLiteral("b.psw")), QByteArray("secondo"));
        QCOMPARE(elencati(), (QStringList{"a.psw", "b.psw"}));
        QCOMPARE(lstFiles()->selectedItems().size(), 1);
        QCOMPARE(testo(apri(), "lblCreati"), rigaConteggio(2));
        QVERIFY(apri()->isVisible());
    }

    void eliminaArchivio_data() {
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<QString>("eliminato");
        QTest::addColumn<QStringList>("restano");
        QTest::newRow("uno di due")
            << QStringList{"a.psw", "b.psw"} << "b.psw" << QStringList{"a.psw"};
        QTest::newRow("l'ultimo") << QStringList{"solo.psw"} << "solo.psw" << QStringList();
        QTest::newRow("spazio iniziale, non l'omonimo senza")
            << QStringList{" casa.psw", "casa.psw"} << " casa.psw" << QStringList{"casa.psw"};
    }

    void eliminaArchivio() {
        QFETCH(QStringList, file);
        QFETCH(QString, eliminato);
        QFETCH(QStringList, restano);
        for (const QString& nome : file)
            scrivi(nome, nome.toUtf8());
        apriSelezione();
        seleziona(eliminato);

        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, MsgConfermaEliminazione,
                             Risposta::Si);
        piattaforma->attendi(TipoMessaggio::Informazione, Pulsanti::OkAnnulla, MsgEliminato);
        clic(apri(), "btnElimina");

        QCOMPARE(voci(), restano);
        for (const QString& nome : restano)
            QCOMPARE(contenuto(nome), nome.toUtf8());
        verificaDopoEliminazione(restano);
    }

    // A deletion that the system refuses is reported as such, never as a success, and the list
    // shows the folder as it really is.
    void eliminazioneRifiutata_data() {
        QTest::addColumn<bool>("fileScomparso");
        QTest::addColumn<QStringList>("restano");
        QTest::newRow("file scomparso nel frattempo") << true << QStringList{"altro.psw"};
        QTest::newRow("cartella in sola lettura") << false << QStringList{"altro.psw", "casa.psw"};
    }

    void eliminazioneRifiutata() {
        QFETCH(bool, fileScomparso);
        QFETCH(QStringList, restano);
        scrivi(QStringLiteral("casa.psw"), "dati");
        scrivi(QStringLiteral("altro.psw"));
        apriSelezione();
        seleziona(QStringLiteral("casa.psw"));
        std::unique_ptr<SolaLettura> protezione;
        if (fileScomparso)
            QVERIFY(QFile::remove(percorso(QStringLiteral("casa.psw"))));
        else
            protezione = std::make_unique<SolaLettura>(piattaforma->cartella);

        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, MsgConfermaEliminazione,
                             Risposta::Si);
        piattaforma->attendi(TipoMessaggio::Errore, Pulsanti::OkAnnulla, MsgNonEliminato);
        clic(apri(), "btnElimina");

        QCOMPARE(voci(), restano);
        verificaDopoEliminazione(restano);
        if (!fileScomparso)
            QCOMPARE(contenuto(QStringLiteral("casa.psw")), QByteArray("dati"));
    }

    void guida_data() {
        QTest::addColumn<bool>("finestraCreazione");
        QTest::newRow("creazione") << true;
        QTest::newRow("selezione") << false;
    }

    void guida() {
        QFETCH(bool, finestraCreazione);
        if (finestraCreazione)
            apriCreazione();
        else
            apriSelezione();
        QWidget* finestra = finestraCreazione ? crea() : apri();

        QString argomento;
        int puntiDelCollegamento = 0;
        const bool aperta = conDialogoModale(
            [&] { clic(finestra, "imgGuida"); },
            [&](QWidget* dialogo) {
                QVERIFY(qobject_cast<TfrmGuida*>(dialogo));
                argomento = testo(dialogo, "lblTitolo");
                // The window's own look stays its own: the help window it owns shows its link in
                // the link's dark blue, not in the white of the window's buttons.
                const QImage collegamento = figlio<QWidget>(dialogo, "lnkWeb")->grab().toImage();
                for (int x = 0; x < collegamento.width(); ++x)
                    for (int y = 0; y < collegamento.height(); ++y)
                        puntiDelCollegamento +=
                            collegamento.pixelColor(x, y) == Colori::Collegamento ? 1 : 0;
            });
        QVERIFY(aperta);
        QCOMPARE(argomento, TitoloGuida(ArgomentoGuida::Gestione));
        QVERIFY2(puntiDelCollegamento > 100, qPrintable(QString::number(puntiDelCollegamento)));
        QVERIFY(finestra->isVisible());
    }

    // The keyboard reaches the list with nothing chosen and no archive under the focus; the
    // arrows choose, from the first, and "Apri archivio" opens the one chosen. After a deletion
    // nothing is chosen again, until the arrows choose.
    void elencoDallaTastiera() {
        for (const char* nome : {"zeta.psw", "Alfa.psw", "beta.psw"})
            scrivi(QString::fromLatin1(nome));
        apriSelezione();
        QApplication::setActiveWindow(apri());
        lstFiles()->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(lstFiles()->hasFocus());
        QVERIFY(lstFiles()->selectedItems().isEmpty());
        QVERIFY(!lstFiles()->currentItem());
        QTest::keyClick(lstFiles(), Qt::Key_Down);
        QCOMPARE(lstFiles()->selectedItems().first()->text(), QStringLiteral("Alfa.psw"));
        QTest::keyClick(lstFiles(), Qt::Key_Down);
        QCOMPARE(lstFiles()->selectedItems().first()->text(), QStringLiteral("beta.psw"));

        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo,
                             QStringLiteral("Si sta per eliminare l'archivio di password "
                                            "selezionato. Si ricorda che il file eliminato non "
                                            "potrà essere recuperato.\r\n\r\nSi conferma "
                                            "l'eliminazione dell'archivio?"),
                             Risposta::Si);
        piattaforma->attendi(TipoMessaggio::Informazione, Pulsanti::OkAnnulla,
                             QStringLiteral("L'archivio di password è stato eliminato con "
                                            "successo."));
        auto* elimina = figlio<QAbstractButton>(apri(), "btnElimina");
        elimina->setFocus(Qt::TabFocusReason);
        QTest::keyClick(elimina, Qt::Key_Space);
        QCOMPARE(elencati(), (QStringList{"Alfa.psw", "zeta.psw"}));
        QVERIFY(lstFiles()->selectedItems().isEmpty());

        QTest::keyClick(elimina, Qt::Key_Tab);
        QTRY_VERIFY(lstFiles()->hasFocus());
        QVERIFY(lstFiles()->selectedItems().isEmpty());
        QTest::keyClick(lstFiles(), Qt::Key_Down);
        QCOMPARE(lstFiles()->selectedItems().first()->text(), QStringLiteral("Alfa.psw"));
        QTest::keyClick(lstFiles(), Qt::Key_End);
        QCOMPARE(lstFiles()->selectedItems().first()->text(), QStringLiteral("zeta.psw"));
        auto* pulsanteApri = figlio<QAbstractButton>(apri(), "btnApri");
        pulsanteApri->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pulsanteApri, Qt::Key_Return);
        QCOMPARE(testo(blindoro(), "lblNome"), QStringLiteral("zeta"));
    }

    // Pictures that act are buttons a keyboard and a screen reader can reach; captions name their
    // fields.
    void accessibilita() {
        for (QWidget* finestra : {crea(), apri()}) {
            const QList<QAbstractButton*> pulsanti = finestra->findChildren<QAbstractButton*>();
            QVERIFY(!pulsanti.isEmpty());
            for (const QAbstractButton* pulsante : pulsanti) {
                QCOMPARE(pulsante->cursor().shape(), Qt::PointingHandCursor);
                QVERIFY2(!pulsante->accessibleName().isEmpty(), qPrintable(pulsante->objectName()));
                QVERIFY(pulsante->focusPolicy() & Qt::TabFocus);
            }
        }
        QCOMPARE(figlio<QLabel>(crea(), "lblNomeArchivio")->buddy(), txtFile());
        QCOMPARE(figlio<QLabel>(apri(), "lblElenco")->buddy(), lstFiles());
    }
};

BLINDORO_TEST_MAIN_SENZA_ROOT(tst_Archive)

#include "tst_archive.moc"
