// The record window as the user meets it, on real archive files: opening, navigation, new,
// duplicate and save; what its single fields and small buttons do while the user works (hints,
// focus colours, Enter order, masking, web address and e-mail, case folding); its two dialogs,
// the date dialog and the attachments window with its copies in the attachments folder; the
// password generator and the strength of the record's password; and the window as a keyboard
// user and a screen reader meet it.

#include "core/generator/FraseSegreta.h"
#include "core/generator/Generatore.h"
#include "core/generator/StimaForza.h"
#include "core/helptext/Tastiera.h"
#include "core/storage/FileArchivio.h"
#include "core/text/Testo.h"
#include "editor/AllegaCartella.h"
#include "editor/Blindoro.h"
#include "editor/Calendario.h"
#include "editor/GeneraPassword.h"
#include "gui/Appunti.h"
#include "gui/Convenzioni.h"
#include "gui/EtichettaAdattata.h"
#include "support/Accessibile.h"
#include "support/AiutiFinestre.h"
#include "support/ControlliScheda.h"
#include "support/DiscoPieno.h"
#include "support/FileProva.h"
#include "support/PiattaformaProva.h"
#include "support/Privilegi.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>
#include <QSet>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const QString AccessoNegato =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                   "installazione del programma.");
const QString ArchivioVuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString SchedaInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString ModificheSalvate =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

TScheda schedaDiProva(int numero) {
    TScheda scheda{};
    const QString n = QString::number(numero);
    CodificaCampo(scheda, Campo::Titolo, QStringLiteral("Sito ") + n);
    CodificaCampo(scheda, Campo::URL, QStringLiteral("https://sito") + n + QStringLiteral(".it"));
    CodificaCampo(scheda, Campo::Utente, QStringLiteral("utente") + n);
    CodificaCampo(scheda, Campo::Password, QStringLiteral("segreta") + n);
    CodificaCampo(scheda, Campo::Scadenza, QStringLiteral("31/12/2027"));
    CodificaCampo(scheda, Campo::Intestatario, QStringLiteral("Mario Rossi"));
    CodificaCampo(scheda, Campo::Note, QStringLiteral("prima riga\r\nseconda riga"));
    CodificaCampo(scheda, Campo::File01, QStringLiteral("contratto.pdf"));
    CodificaCampo(scheda, Campo::Desc01, QStringLiteral("Contratto firmato"));
    return scheda;
}

TScheda leggiScheda(const QString& percorso, qint64 indice) {
    FileArchivio archivio = ApriFileArchivio(percorso);
    TScheda scheda{};
    archivio.Posiziona(indice);
    archivio.Leggi(scheda);
    return scheda;
}

const QString DomandaSovrascrivi = QStringLiteral(
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome."
    "\r\n\r\nSi vuole sovrascrivere il file esistente?");
const QString CopiaNonRiuscita = QStringLiteral(
    "Attenzione: non è stato possibile copiare il file scelto nella cartella dei documenti "
    "allegati.\r\n\r\nIl file non risulta allegato: accertarsi che sul disco ci sia spazio "
    "libero e di possedere i privilegi di scrittura nella cartella di installazione del "
    "programma, poi sceglierlo di nuovo.");

} // namespace

Q_DECLARE_METATYPE(Risposta)
Q_DECLARE_METATYPE(ImpostazioniPassword)

class tst_Editor : public QObject {
    Q_OBJECT

    std::unique_ptr<PiattaformaProva> piattaforma;
    std::unique_ptr<TFinestre> finestre;
    std::unique_ptr<ControlliScheda> controlli;
    std::unique_ptr<QTemporaryDir> documenti; // the user's own files, outside the program folder
    QString percorso;

    TfrmBlindoro* finestra() { return &finestre->Blindoro(); }
    ControlliScheda& ui() { return *controlli; }

    // What the selection window does when the user opens an archive.
    void mostraArchivio() {
        finestra()->ApriArchivio(percorso, QStringLiteral("Casa"));
        QVERIFY(QTest::qWaitForWindowExposed(finestra()));
        QApplication::setActiveWindow(finestra());
    }

    void creaArchivio(int numeroSchede) {
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        for (int i = 1; i <= numeroSchede; ++i) {
            const TScheda scheda = schedaDiProva(i);
            file.write(reinterpret_cast<const char*>(&scheda), sizeof scheda);
        }
    }

    // What the selection window does when the user opens an archive.
    void apriArchivio(int numeroSchede) {
        creaArchivio(numeroSchede);
        finestra()->hide();
        mostraArchivio();
    }

    // Shows record `numero` of the open archive, as the user gets to it.
    void vaiAllaScheda(int numero) {
        ui().cmdPrimo->click();
        while (ui().lblPosizione->text().toInt() < numero)
            ui().cmdAvanti->click();
    }

    qint64 lunghezzaArchivio() const { return QFileInfo(percorso).size(); }

    void compilaObbligatori(const QString& titolo = QStringLiteral("Banca")) {
        ui().txtTitolo->setText(titolo);
        ui().txtUtente->setText(QStringLiteral("mrossi"));
        ui().txtPassword->setText(QStringLiteral("Pa55word"));
        ui().txtScadenza->setText(QStringLiteral("01/01/2027"));
        ui().txtIntestatario->setText(QStringLiteral("Mario Rossi"));
    }

    void salva(const QString& messaggio) {
        piattaforma->attendi(TipoMessaggio::Informazione, Pulsanti::OkAnnulla, messaggio);
        ui().cmdSalva->click();
    }

    void mettiFocus(QWidget* campo) {
        campo->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), campo);
    }

    QString allegati() const {
        return piattaforma->cartella + QStringLiteral("Documenti_Allegati/");
    }
    QString documento(const QString& nome) const {
        return documenti->path() + QLatin1Char('/') + nome;
    }

    QLineEdit* campoData(const QString& nome) {
        return nome == QLatin1String("txtCreazione") ? ui().txtCreazione : ui().txtScadenza;
    }

    // Presses a key in a date field of the record window and runs `azione` on the date dialog that
    // it opens; the dialog must be freed once closed. Returns whether a dialog opened.
    bool premiInData(QLineEdit* campo, Qt::Key tasto,
                     const std::function<void(TfrmCalendario&)>& azione) {
        QPointer<QWidget> aperto;
        const bool visto = conDialogoModale(
            [&] { QTest::keyClick(campo, tasto); },
            [&](QWidget* dialogo) {
                aperto = dialogo;
                auto* calendario = qobject_cast<TfrmCalendario*>(dialogo);
                QVERIFY(calendario);
                QCOMPARE(dialogo->parentWidget(), static_cast<QWidget*>(&finestre->Blindoro()));
                azione(*calendario);
            });
        if (visto && !aperto.isNull())
            QTest::qFail("the date dialog was not freed", __FILE__, __LINE__);
        return visto;
    }

    // Opens the attachments window with the record window's command and runs `azione` on it.
    void conAllegati(const std::function<void(TfrmAllegaCartella&)>& azione) {
        QPointer<QWidget> aperto;
        const bool visto = conDialogoModale([this] { ui().cmdFile->click(); },
                                            [&](QWidget* dialogo) {
                                                aperto = dialogo;
                                                auto* allegati =
                                                    qobject_cast<TfrmAllegaCartella*>(dialogo);
                                                QVERIFY(allegati);
                                                azione(*allegati);
                                            });
        QVERIFY2(visto, "the attachments window did not open");
        QVERIFY2(aperto.isNull(), "the attachments window was not freed");
    }

    void impostaAllegati(const QStringList& sei) {
        finestra()->ImpostaAllegati({{{sei.value(0), sei.value(1)},
                                      {sei.value(2), sei.value(3)},
                                      {sei.value(4), sei.value(5)}}});
    }

    // The window as it stands on record `numero` of the archive (none: a new record), whatever
    // the fields hold.
    void mostraNumero(const QString& numero) {
        if (numero.isEmpty())
            finestra()->SvuotaScheda();
        else
            finestra()->MostraScheda(schedaDiProva(numero.toInt()), numero.toInt());
    }

    QStringList allegatiDellaScheda() {
        return {ui().lblFile01->text(), ui().lblDesc01->text(), ui().lblFile02->text(),
                ui().lblDesc02->text(), ui().lblFile03->text(), ui().lblDesc03->text()};
    }

    QAction* azione(const char* nome) {
        auto* trovata = finestra()->findChild<QAction*>(QString::fromLatin1(nome));
        if (!trovata)
            qFatal("missing action %s", nome);
        return trovata;
    }

    // Opens the password generator with the record window's command and runs `azione` on it;
    // the dialog must be freed once closed.
    void conGeneratore(const std::function<void(TfrmGeneraPassword&)>& azione) {
        QPointer<QWidget> aperto;
        const bool visto = conDialogoModale(
            [this] { this->azione("actGeneraPassword")->trigger(); },
            [&](QWidget* dialogo) {
                aperto = dialogo;
                auto* generatore = qobject_cast<TfrmGeneraPassword*>(dialogo);
                QVERIFY(generatore);
                QCOMPARE(dialogo->parentWidget(), static_cast<QWidget*>(finestra()));
                azione(*generatore);
            });
        QVERIFY2(visto, "the generator did not open");
        QVERIFY2(aperto.isNull(), "the generator was not freed");
    }

    static QString anteprima(TfrmGeneraPassword& generatore) {
        return figlio<QPlainTextEdit>(&generatore, "txtAnteprima")->toPlainText();
    }
    static QString testoDi(TfrmGeneraPassword& generatore, const char* etichetta) {
        return figlio<QLabel>(&generatore, etichetta)->text();
    }
    static QString bit(double valore, int decimali) {
        return QLocale(QLocale::Italian, QLocale::Italy).toString(valore, 'f', decimali) +
               QStringLiteral(" bit");
    }
    // What the generator shows of the strength of the password it shows, for a choice of this
    // exact entropy: the estimate, the exact figure, and the word of the smaller one.
    static void verificaForza(TfrmGeneraPassword& generatore, double esatta) {
        const double stima = BitStimati(anteprima(generatore));
        QCOMPARE(testoDi(generatore, "lblStima"),
                 QStringLiteral("Stima di zxcvbn: circa ") + bit(std::round(stima), 0));
        QCOMPARE(testoDi(generatore, "lblEntropia"),
                 QStringLiteral("Entropia esatta: ") + bit(esatta, 1));
        QCOMPARE(testoDi(generatore, "lblForza"), NomeForza(ForzaDeiBit(std::min(stima, esatta))));
    }

    // The entries of a field's context menu, as it opens: the field's own, then the window's.
    QList<QAction*> vociDelMenu(QWidget* campo, QStringList* testi) {
        QList<QAction*> voci;
        if (!conMenuContestuale(campo, QPoint(5, 5), [&](QMenu* menu) {
                voci = menu->actions();
                for (QAction* voce : voci)
                    *testi << (voce->isSeparator() ? QStringLiteral("|") : voce->text());
            }))
            qWarning("no context menu opened");
        return voci;
    }

private Q_SLOTS:
    // Each case starts with the record window open on the archive Casa.psw of an empty program
    // folder (the file itself is made only by the cases that need records in it).
    // As when a screen reader listens: the toolkit announces every change, and makes the
    // interfaces it needs for that as soon as widgets are built.
    void initTestCase() { QAccessible::setActive(true); }

    void init() {
        piattaforma = std::make_unique<PiattaformaProva>();
        piattaforma->dataOggi = QDate(2024, 3, 7);
        documenti = std::make_unique<QTemporaryDir>();
        QVERIFY(documenti->isValid());
        percorso = piattaforma->cartella + QStringLiteral("Casa.psw");
        finestre = std::make_unique<TFinestre>();
        controlli = std::make_unique<ControlliScheda>(finestra());
        mostraArchivio();
    }

    void cleanup() {
        // A copy's delay must not run into the next case's window.
        Appunti::programma().cancella();
        // A case that made the attachments folder read-only may have stopped half-way.
        QFile::setPermissions(allegati(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        controlli.reset();
        finestre.reset();
        documenti.reset();
        // Put back the previous platform even when the check fails, or the next case would run
        // against the real one.
        const std::unique_ptr<PiattaformaProva> vista = std::move(piattaforma);
        VERIFICA_PIATTAFORMA(*vista);
    }

    // --- Opening, navigation, new, duplicate and save ---

    void aperturaMostraUnaSchedaNuova() {
        apriArchivio(3);
        QCOMPARE(ui().lblNome->text(), QStringLiteral("Casa"));
        QCOMPARE(ui().txtURL->text(), QStringLiteral("https://"));
        QCOMPARE(ui().txtTitolo->text(), QString());
        QCOMPARE(ui().lblPosizione->text(), QString());
        QTRY_VERIFY(ui().txtTitolo->hasFocus());

        ui().cmdAvanti->click();
        QCOMPARE(ui().lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(ui().txtTitolo->text(), QStringLiteral("Sito 1"));
        QCOMPARE(ui().txtNote->toPlainText(), QStringLiteral("prima riga\nseconda riga"));
        QCOMPARE(ui().lblFile01->text(), QStringLiteral("contratto.pdf"));

        // Closing returns to the start window; the next opening starts empty again.
        finestra()->close();
        QVERIFY(reinterpret_cast<QWidget*>(&finestre->Avvio())->isVisible());
        finestre->Blindoro().mostra();
        QCOMPARE(ui().txtTitolo->text(), QString());
        QCOMPARE(ui().lblPosizione->text(), QString());
    }

    // The number box reads whole up to a six-digit number; up to four digits in its full size.
    void numeroSchedaLeggibileIntero_data() {
        QTest::addColumn<qint64>("numero");
        QTest::addColumn<bool>("grandezzaPiena");
        QTest::newRow("1") << qint64(1) << true;
        QTest::newRow("9999") << qint64(9999) << true;
        QTest::newRow("99999") << qint64(99999) << false;
        QTest::newRow("100000") << qint64(100000) << false;
        QTest::newRow("888888") << qint64(888888) << false;
    }

    void numeroSchedaLeggibileIntero() {
        QFETCH(qint64, numero);
        QFETCH(bool, grandezzaPiena);
        finestra()->MostraScheda(schedaDiProva(1), numero);
        auto* box = static_cast<EtichettaAdattata*>(ui().lblPosizione);
        const QFont usato = box->CarattereUsato();

        QCOMPARE(box->text(), QString::number(numero));
        QVERIFY(QFontMetricsF(usato).horizontalAdvance(box->text()) <= box->contentsRect().width());
        QVERIFY2(usato.pointSizeF() >= 9, qPrintable(QString::number(usato.pointSizeF())));
        QCOMPARE(usato.pointSizeF() == box->font().pointSizeF(), grandezzaPiena);
    }

    void navigazione_data() {
        QTest::addColumn<QString>("partenza");
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QString>("arrivo");
        QTest::newRow("ultimo") << ""
                                << "cmdUltimo"
                                << "7";
        QTest::newRow("avanti sull'ultima") << "7"
                                            << "cmdAvanti"
                                            << "7";
        QTest::newRow("indietro sull'ultima") << "7"
                                              << "cmdIndietro"
                                              << "6";
        QTest::newRow("indietro sulla prima") << "1"
                                              << "cmdIndietro"
                                              << "1";
        QTest::newRow("primo dalla quinta") << "5"
                                            << "cmdPrimo"
                                            << "1";
        QTest::newRow("primo da nuova") << ""
                                        << "cmdPrimo"
                                        << "1";
        QTest::newRow("avanti da nuova") << ""
                                         << "cmdAvanti"
                                         << "1";
        QTest::newRow("indietro da nuova") << ""
                                           << "cmdIndietro"
                                           << "1";
        QTest::newRow("avanti dalla terza") << "3"
                                            << "cmdAvanti"
                                            << "4";
    }

    void navigazione() {
        QFETCH(QString, partenza);
        QFETCH(QString, comando);
        QFETCH(QString, arrivo);
        apriArchivio(7);
        if (!partenza.isEmpty()) {
            mostraNumero(partenza);
            ui().txtTitolo->setText(QStringLiteral("Sito ") + partenza);
        }
        figlio<QAbstractButton>(finestra(), qPrintable(comando))->click();
        QCOMPARE(ui().lblPosizione->text(), arrivo);
        QCOMPARE(ui().txtTitolo->text(), QStringLiteral("Sito ") + arrivo);
    }

    void archivioVuoto_data() {
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QString>("partenza");
        QTest::addColumn<QString>("arrivo");
        QTest::newRow("primo") << "cmdPrimo"
                               << "4"
                               << "4";
        QTest::newRow("ultimo") << "cmdUltimo"
                                << "4"
                                << "4";
        QTest::newRow("indietro") << "cmdIndietro"
                                  << "4"
                                  << "4";
        QTest::newRow("indietro da nuova") << "cmdIndietro"
                                           << ""
                                           << "";
        QTest::newRow("avanti") << "cmdAvanti"
                                << "4"
                                << "";
        QTest::newRow("avanti da nuova") << "cmdAvanti"
                                         << ""
                                         << "";
    }

    void archivioVuoto() {
        QFETCH(QString, comando);
        QFETCH(QString, partenza);
        QFETCH(QString, arrivo);
        apriArchivio(0);
        mostraNumero(partenza);
        ui().txtTitolo->setText(QStringLiteral("scritto a mano"));
        piattaforma->attendi(TipoMessaggio::Informazione, Pulsanti::OkAnnulla, ArchivioVuoto);
        figlio<QAbstractButton>(finestra(), qPrintable(comando))->click();
        QCOMPARE(ui().lblPosizione->text(), arrivo);
        QCOMPARE(ui().txtTitolo->text(), QStringLiteral("scritto a mano"));
    }

    void indietroDopoNuovoMostraLaPrima() {
        apriArchivio(3);
        ui().cmdUltimo->click();
        ui().cmdNuovo->click();
        QCOMPARE(ui().lblPosizione->text(), QString());
        QCOMPARE(ui().txtURL->text(), QStringLiteral("https://"));
        ui().cmdIndietro->click();
        QCOMPARE(ui().lblPosizione->text(), QStringLiteral("1"));
    }

    void archivioCancellatoRitornaVuoto() {
        apriArchivio(2);
        ui().cmdPrimo->click();
        QVERIFY(QFile::remove(percorso));
        piattaforma->attendi(TipoMessaggio::Informazione, Pulsanti::OkAnnulla, ArchivioVuoto);
        ui().cmdAvanti->click();
        QVERIFY(QFileInfo::exists(percorso));
        QCOMPARE(lunghezzaArchivio(), 0);
        QCOMPARE(ui().txtTitolo->text(), QStringLiteral("Sito 1"));
    }

    void aggiuntaInCoda() {
        apriArchivio(12);
        compilaObbligatori();
        salva(SchedaInserita);
        QCOMPARE(lunghezzaArchivio(), 13 * DimensioneScheda);
        QCOMPARE(ui().lblPosizione->text(), QStringLiteral("13"));
        QCOMPARE(DecodificaCampo(leggiScheda(percorso, 12), Campo::Titolo),
                 QStringLiteral("Banca"));
        QCOMPARE(DecodificaCampo(leggiScheda(percorso, 12), Campo::URL),
                 QStringLiteral("https://"));
        QCOMPARE(QApplication::focusWidget(), ui().btnFocus);

        // The window now shows record 13: a second save overwrites it.
        salva(ModificheSalvate);
        QCOMPARE(lunghezzaArchivio(), 13 * DimensioneScheda);
    }

    void primaSchedaInArchivioVuoto() {
        apriArchivio(0);
        compilaObbligatori();
        salva(SchedaInserita);
        QCOMPARE(lunghezzaArchivio(), DimensioneScheda);
        QCOMPARE(ui().lblPosizione->text(), QStringLiteral("1"));
    }

    void sovrascritturaDellaQuarta() {
        apriArchivio(7);
        mostraNumero(QStringLiteral("3"));
        ui().cmdAvanti->click();
        ui().txtPassword->setText(QStringLiteral("nuova-password"));
        salva(ModificheSalvate);
        QCOMPARE(lunghezzaArchivio(), 7 * DimensioneScheda);
        QCOMPARE(ui().lblPosizione->text(), QStringLiteral("4"));
        QCOMPARE(DecodificaCampo(leggiScheda(percorso, 3), Campo::Password),
                 QStringLiteral("nuova-password"));
        QCOMPARE(DecodificaCampo(leggiScheda(percorso, 3), Campo::File01),
                 QStringLiteral("contratto.pdf"));
        for (int i : {2, 4})
            QCOMPARE(DecodificaCampo(leggiScheda(percorso, i), Campo::Password),
                     QStringLiteral("segreta%1").arg(i + 1));
    }

    void campiObbligatori_data() {
        QTest::addColumn<QString>("vuoto");
        QTest::addColumn<QString>("avviso");
        const QString prefisso =
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ");
        QTest::newRow("titolo") << "txtTitolo" << prefisso + "il titolo del sito Web.";
        QTest::newRow("utente") << "txtUtente" << prefisso + "il Nome Utente.";
        QTest::newRow("password") << "txtPassword" << prefisso + "la password.";
        QTest::newRow("scadenza") << "txtScadenza"
                                  << prefisso + "la data di scadenza della password.";
        QTest::newRow("intestatario")
            << "txtIntestatario" << prefisso + "l'intestatario dell'account.";
    }

    void campiObbligatori() {
        QFETCH(QString, vuoto);
        QFETCH(QString, avviso);
        apriArchivio(1);
        compilaObbligatori();
        auto* campo = figlio<QLineEdit>(finestra(), qPrintable(vuoto));
        campo->setText(QStringLiteral("  \t "));
        piattaforma->attendi(TipoMessaggio::Avviso, Pulsanti::OkAnnulla, avviso);
        ui().cmdSalva->click();
        QCOMPARE(QApplication::focusWidget(), campo);
        QCOMPARE(lunghezzaArchivio(), DimensioneScheda);
    }

    void soloIlPrimoCampoMancanteVieneSegnalato() {
        apriArchivio(0);
        piattaforma->attendi(
            TipoMessaggio::Avviso, Pulsanti::OkAnnulla,
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il titolo "
                           "del sito Web."));
        ui().cmdSalva->click();
        QCOMPARE(QApplication::focusWidget(), ui().txtTitolo);
    }

    void titoloSalvatoComeScrittoEInvioLoRipulisce() {
        apriArchivio(0);
        compilaObbligatori(QStringLiteral(" Banca del Nord "));
        salva(SchedaInserita);
        QCOMPARE(DecodificaCampo(leggiScheda(percorso, 0), Campo::Titolo),
                 QStringLiteral(" Banca del Nord "));
        QCOMPARE(QApplication::focusWidget(), ui().btnFocus);
        QTest::keyClick(ui().btnFocus, Qt::Key_Return);
        QCOMPARE(ui().txtTitolo->text(), QStringLiteral("Banca del Nord"));
        QCOMPARE(ui().txtUtente->text(), QStringLiteral("mrossi"));
    }

    void duplicazioneSenzaAllegati() {
        apriArchivio(3);
        ui().cmdPrimo->click();
        ui().cmdAvanti->click();
        impostaAllegati({allegatiDellaScheda().value(0), allegatiDellaScheda().value(1),
                         QStringLiteral("carta.jpg"), allegatiDellaScheda().value(3),
                         allegatiDellaScheda().value(4), allegatiDellaScheda().value(5)});
        piattaforma->attendi(
            TipoMessaggio::Informazione, Pulsanti::OkAnnulla,
            QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                           "corrente.\n\r\n\rAl termine premere Salva per inserire la scheda in "
                           "archivio."));
        ui().cmdDuplica->click();
        QCOMPARE(ui().lblPosizione->text(), QString());
        QCOMPARE(ui().txtTitolo->text(), QStringLiteral("Sito 2"));
        QCOMPARE(QApplication::focusWidget(), ui().txtTitolo);
        salva(SchedaInserita);

        QCOMPARE(lunghezzaArchivio(), 4 * DimensioneScheda);
        const TScheda copia = leggiScheda(percorso, 3);
        const TScheda originale = leggiScheda(percorso, 1);
        QCOMPARE(DecodificaCampo(copia, Campo::Titolo), QStringLiteral("Sito 2"));
        QCOMPARE(DecodificaCampo(copia, Campo::Note), QStringLiteral("prima riga\r\nseconda riga"));
        for (Campo allegato : {Campo::File01, Campo::File02, Campo::Desc01})
            QCOMPARE(DecodificaCampo(copia, allegato), QString());
        QCOMPARE(DecodificaCampo(originale, Campo::File01), QStringLiteral("contratto.pdf"));
    }

    void duplicazioneDiUnaSchedaNuova() {
        apriArchivio(1);
        ui().txtTitolo->setText(QStringLiteral("Bozza"));
        piattaforma->attendi(
            TipoMessaggio::Avviso, Pulsanti::OkAnnulla,
            QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                           "che questa è stata inserita in archivio."));
        ui().cmdDuplica->click();
        QCOMPARE(ui().txtTitolo->text(), QStringLiteral("Bozza"));
        QCOMPARE(lunghezzaArchivio(), DimensioneScheda);
    }

    void notaLungaTagliataA5000Byte() {
        apriArchivio(0);
        compilaObbligatori();
        ui().txtNote->setPlainText(QString(6000, QLatin1Char('n')));
        salva(SchedaInserita);
        QCOMPARE(DecodificaCampo(leggiScheda(percorso, 0), Campo::Note),
                 QString(5000, QLatin1Char('n')));
    }

    void indirizzoCompletatoPrimaDelSalvataggio() {
        apriArchivio(0);
        compilaObbligatori();
        ui().txtURL->setFocus();
        ui().txtURL->setText(QStringLiteral("www.banca.it"));
        QTRY_VERIFY(ui().txtURL->hasFocus());
        salva(SchedaInserita);
        QCOMPARE(DecodificaCampo(leggiScheda(percorso, 0), Campo::URL),
                 QStringLiteral("https://www.banca.it"));
    }

    void schedaScomparsaVieneAggiuntaInCoda() {
        apriArchivio(5);
        ui().cmdUltimo->click();
        creaArchivio(2); // the archive was replaced meanwhile by a shorter one
        salva(SchedaInserita);
        QCOMPARE(lunghezzaArchivio(), 3 * DimensioneScheda);
        QCOMPARE(ui().lblPosizione->text(), QStringLiteral("3"));
    }

    void archivioDiSolaLettura() {
        apriArchivio(2);
        ui().cmdPrimo->click();
        QVERIFY(QFile::setPermissions(percorso, QFileDevice::ReadOwner));
        const QByteArray prima = [this] {
            QFile f(percorso);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();

        ui().txtPassword->setText(QStringLiteral("cambiata"));
        piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, AccessoNegato);
        ui().cmdSalva->click();
        QCOMPARE(ui().lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(ui().txtPassword->text(), QStringLiteral("cambiata"));

        piattaforma->attendi(TipoMessaggio::Errore, Pulsanti::OkAnnulla, AccessoNegato);
        ui().cmdAvanti->click();
        QCOMPARE(ui().lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(ui().txtPassword->text(), QStringLiteral("cambiata"));

        QFile dopo(percorso);
        QVERIFY(dopo.open(QIODevice::ReadOnly));
        QCOMPARE(dopo.readAll(), prima);
    }

    // --- Field behaviours ---

    void suggerimentoSparisceSulloSfondo() {
        QCOMPARE(ui().panInfo->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QTest::mouseMove(ui().cmdSalva, QPoint(10, 10));
        QTRY_COMPARE(ui().panInfo->text(), QStringLiteral("Salva la scheda in archivio."));
        // A caption lying on the background is not the background.
        QTest::mouseMove(ui().lblTitolo, QPoint(5, 5));
        QTest::qWait(20);
        QCOMPARE(ui().panInfo->text(), QStringLiteral("Salva la scheda in archivio."));
        QTest::mouseMove(ui().txtScadenza, QPoint(5, 5));
        QTRY_COMPARE(ui().panInfo->text(),
                     QStringLiteral("Fai clic su questo campo e premi un tasto qualsiasi per "
                                    "importare una data dal calendario."));
        QTest::mouseMove(ui().bkgCredenziali, QPoint(3, 3));
        QTRY_COMPARE(ui().panInfo->text(), QString());
        QTest::mouseMove(ui().cmdTrova, QPoint(10, 10));
        QTRY_COMPARE(ui().panInfo->text(), QStringLiteral("Trova una scheda in archivio."));
    }

    void coloriDelFocus() {
        const QPoint interno(6, 5);
        mettiFocus(ui().txtTitolo);
        QCOMPARE(coloreVisto(ui().txtTitolo, interno), Colori::Yellow);
        QCOMPARE(coloreVisto(ui().txtUtente, interno), Colori::White);
        mettiFocus(ui().txtUtente);
        QCOMPARE(coloreVisto(ui().txtUtente, interno), Colori::Yellow);
        QCOMPARE(coloreVisto(ui().txtTitolo, interno), Colori::AliceBlue);
        QCOMPARE(coloreVisto(ui().txtTitolo, QPoint(0, 10)), Colori::SkyBlue);
        mettiFocus(ui().txtNote);
        QCOMPARE(coloreVisto(ui().txtUtente, interno), Colori::White);
    }

    void invioPercorreIlCerchio() {
        const QList<QWidget*> giro{ui().txtTitolo,      ui().txtURL,    ui().txtProprietario,
                                   ui().txtDescrizione, ui().txtUtente, ui().txtCreazione};
        mettiFocus(giro.first());
        for (int i = 1; i < giro.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTRY_COMPARE(QApplication::focusWidget(), giro[i]);
        }
        const QList<QPair<QWidget*, QWidget*>> salti{
            {ui().txtPassword, ui().txtScadenza},   {ui().txtDomanda, ui().txtRisposta},
            {ui().txtRisposta, ui().txtUtilizzate}, {ui().txtIntestatario, ui().txtCodFisc},
            {ui().txtCodFisc, ui().txtEmail},       {ui().txtEmail, ui().txtTel},
            {ui().txtTel, ui().txtTitolo}};
        for (const auto& [da, a] : salti) {
            mettiFocus(da);
            QTest::keyClick(da, Qt::Key_Enter);
            QTRY_COMPARE(QApplication::focusWidget(), a);
        }
        // A multi-line field takes Enter as a new line.
        mettiFocus(ui().txtNote);
        QTest::keyClicks(ui().txtNote, QStringLiteral("uno"));
        QTest::keyClick(ui().txtNote, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), ui().txtNote);
        QCOMPARE(ui().txtNote->toPlainText(), QStringLiteral("uno\n"));
    }

    void mascheramentoAlternatoESopravvive() {
        QCOMPARE(ui().txtPassword->echoMode(), QLineEdit::Password);
        QCOMPARE(ui().txtRisposta->echoMode(), QLineEdit::Password);
        ui().btnPassword->click();
        QCOMPARE(ui().txtPassword->echoMode(), QLineEdit::Normal);
        ui().btnPassword->click();
        QCOMPARE(ui().txtPassword->echoMode(), QLineEdit::Password);

        ui().btnRisposta->click();
        ui().cmdNuovo->click();
        finestre->Blindoro().close();
        finestre->Blindoro().mostra();
        QCOMPARE(ui().txtRisposta->echoMode(), QLineEdit::Normal);
        QCOMPARE(ui().txtPassword->echoMode(), QLineEdit::Password);
    }

    void pulsanteSito_data() {
        QTest::addColumn<QString>("scritto");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("aperto");
        QTest::newRow("nome host") << "www.banca.it"
                                   << "https://www.banca.it"
                                   << "https://www.banca.it";
        QTest::newRow("http") << "http://vecchio.it"
                              << "http://vecchio.it"
                              << "http://vecchio.it";
        QTest::newRow("HTTP maiuscolo") << "HTTP://ESEMPIO.IT"
                                        << "https://HTTP://ESEMPIO.IT"
                                        << "https://HTTP://ESEMPIO.IT";
        QTest::newRow("spazio davanti") << " https://a.it "
                                        << "https://https://a.it"
                                        << "https://https://a.it";
        QTest::newRow("spazio dietro") << "https://a.it  "
                                       << "https://a.it  "
                                       << "https://a.it";
    }

    void pulsanteSito() {
        QFETCH(QString, scritto);
        QFETCH(QString, campo);
        QFETCH(QString, aperto);
        ui().txtURL->setText(scritto);
        ui().btnSito->click();
        QCOMPARE(ui().txtURL->text(), campo);
        QCOMPARE(piattaforma->aperture.size(), 1);
        QCOMPARE(piattaforma->aperture[0].comando, aperto);
    }

    void indirizzoVuoto() {
        ui().txtURL->clear();
        piattaforma->attendi(
            TipoMessaggio::Avviso, Pulsanti::OkAnnulla,
            QStringLiteral("Attenzione: per collegarsi al sito è necessario indicare il suo "
                           "Indirizzo."));
        ui().btnSito->click();
        QCOMPARE(ui().txtURL->text(), QStringLiteral("https://"));
        QTRY_COMPARE(QApplication::focusWidget(), ui().txtURL);
        QVERIFY(piattaforma->aperture.isEmpty());

        // Leaving the empty field completes it without a word.
        ui().txtURL->clear();
        QTest::keyClick(ui().txtURL, Qt::Key_Tab);
        QTRY_VERIFY(!ui().txtURL->hasFocus());
        QCOMPARE(ui().txtURL->text(), QStringLiteral("https://"));
    }

    void lasciareIlCampoCompletaLIndirizzo() {
        mettiFocus(ui().txtURL);
        ui().txtURL->selectAll();
        QTest::keyClicks(ui().txtURL, QStringLiteral("posta.it"));
        QTest::keyClick(ui().txtURL, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), ui().txtProprietario);
        QCOMPARE(ui().txtURL->text(), QStringLiteral("https://posta.it"));
    }

    void pulsanteEmail() {
        ui().txtEmail->setText(QStringLiteral("mario.rossi@esempio.it"));
        ui().btnEmail->click();
        ui().txtEmail->clear();
        ui().btnEmail->click();
        QCOMPARE(piattaforma->aperture.size(), 2);
        QCOMPARE(piattaforma->aperture[0].comando,
                 QStringLiteral("\"mailto:mario.rossi@esempio.it\""));
        QCOMPARE(piattaforma->aperture[0].indirizzo.scheme(), QStringLiteral("mailto"));
        QCOMPARE(piattaforma->aperture[1].comando, QStringLiteral("\"mailto:\""));
    }

    void codiceFiscaleEdEmailMentreSiScrive() {
        mettiFocus(ui().txtCodFisc);
        digita(ui().txtCodFisc, QStringLiteral(" rssmrà74"));
        QCOMPARE(ui().txtCodFisc->text(), QStringLiteral("RSSMRà74"));
        QTest::keyClick(ui().txtCodFisc, Qt::Key_Home);
        QTest::keyClicks(ui().txtCodFisc, QStringLiteral("x"));
        QCOMPARE(ui().txtCodFisc->text(), QStringLiteral("XRSSMRà74"));
        QCOMPARE(ui().txtCodFisc->cursorPosition(), 1);

        mettiFocus(ui().txtEmail);
        QTest::keyClicks(ui().txtEmail, QStringLiteral(" Mario@Esempio.it "));
        QCOMPARE(ui().txtEmail->text(), QStringLiteral("Mario@Esempio.it"));
    }

    void controlloDelCodiceFiscale_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("dialogo");
        QTest::addColumn<QString>("casella");
        QTest::addColumn<QString>("testo");
        QTest::newRow("undici cifre") << " 12345670017 "
                                      << "TfrmPartitaIva"
                                      << "txtPartitaIva"
                                      << "12345670017";
        QTest::newRow("cifre e una lettera") << "12345670017X"
                                             << "TfrmCodFisc"
                                             << "txtCodFisc"
                                             << "12345670017X";
        QTest::newRow("vuoto") << ""
                               << "TfrmCodFisc"
                               << "txtCodFisc"
                               << "";
    }

    void controlloDelCodiceFiscale() {
        QFETCH(QString, campo);
        QFETCH(QString, dialogo);
        QFETCH(QString, casella);
        QFETCH(QString, testo);
        ui().txtCodFisc->setText(campo);
        QString classe;
        QString mostrato;
        QVERIFY(conDialogoModale([&] { ui().btnCodFisc->click(); },
                                 [&](QWidget* aperto) {
                                     classe =
                                         QString::fromLatin1(aperto->metaObject()->className());
                                     mostrato =
                                         figlio<QLineEdit>(aperto, qPrintable(casella))->text();
                                 }));
        QCOMPARE(classe, dialogo);
        QCOMPARE(mostrato, testo);
        QCOMPARE(ui().txtCodFisc->text(), campo);
    }

    void guidaDellaFinestra() {
        QString titolo;
        QWidget* proprietario = nullptr;
        QVERIFY(conDialogoModale([&] { ui().cmdGuida->click(); },
                                 [&](QWidget* guida) {
                                     titolo = figlio<QLabel>(guida, "lblTitolo")->text();
                                     proprietario = guida->parentWidget();
                                 }));
        QCOMPARE(titolo, QStringLiteral("Applicazione Gestione blindoro."));
        QCOMPARE(proprietario, static_cast<QWidget*>(&finestre->Blindoro()));
    }

    void campiDataNonSiScrivono() {
        ui().txtCreazione->setText(QStringLiteral("01/02/2024"));
        mettiFocus(ui().txtCreazione);
        QTest::keyClick(ui().txtCreazione, Qt::Key_Delete);
        QCOMPARE(ui().txtCreazione->text(), QString());
        ui().txtScadenza->setText(QStringLiteral("01/02/2024"));
        mettiFocus(ui().txtScadenza);
        QTest::keyClick(ui().txtScadenza, Qt::Key_Backspace);
        QCOMPARE(ui().txtScadenza->text(), QString());

        for (const Qt::Key tasto : {Qt::Key_A, Qt::Key_Return}) {
            const bool aperto =
                conDialogoModale([&] { QTest::keyClick(ui().txtScadenza, tasto); },
                                 [&](QWidget* dialogo) {
                                     QVERIFY(qobject_cast<TfrmCalendario*>(dialogo));
                                     figlio<QPushButton>(dialogo, "btnAnnulla")->click();
                                 });
            QVERIFY(aperto);
            QCOMPARE(ui().txtScadenza->text(), QString());
        }
        // Tab moves on, as everywhere.
        QApplication::setActiveWindow(&finestre->Blindoro());
        mettiFocus(ui().txtScadenza);
        QTest::keyClick(ui().txtScadenza, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), ui().txtDomanda);
    }

    // --- The date dialog ---

    void importaScriveLaDataNelCampo_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<Qt::Key>("tasto");
        QTest::addColumn<QDate>("scelta"); // invalid: the calendar is left on today
        QTest::addColumn<QString>("atteso");

        QTest::newRow("expiry date, Enter, today")
            << "txtScadenza" << Qt::Key_Return << QDate() << "07/03/2024";
        QTest::newRow("creation date, a letter, today")
            << "txtCreazione" << Qt::Key_A << QDate() << "07/03/2024";
        QTest::newRow("creation date, blank, 1 January 2025")
            << "txtCreazione" << Qt::Key_Space << QDate(2025, 1, 1) << "01/01/2025";
        QTest::newRow("expiry date, a digit, 1 January 2025")
            << "txtScadenza" << Qt::Key_7 << QDate(2025, 1, 1) << "01/01/2025";
    }

    void importaScriveLaDataNelCampo() {
        QFETCH(QString, campo);
        QFETCH(Qt::Key, tasto);
        QFETCH(QDate, scelta);
        QFETCH(QString, atteso);
        QLineEdit* destinazione = campoData(campo);
        QLineEdit* altro = destinazione == ui().txtCreazione ? ui().txtScadenza : ui().txtCreazione;
        destinazione->setText(QStringLiteral("31/12/1999"));
        altro->setText(QStringLiteral("15/06/2020"));

        const bool aperto = premiInData(destinazione, tasto, [&](TfrmCalendario& calendario) {
            // Every opening starts on today, whatever the field held.
            QCOMPARE(figlio<QCalendarWidget>(&calendario, "calAppuntamenti")->selectedDate(),
                     piattaforma->dataOggi);
            if (scelta.isValid())
                figlio<QCalendarWidget>(&calendario, "calAppuntamenti")->setSelectedDate(scelta);
            figlio<QPushButton>(&calendario, "btnImportaData")->click();
            QVERIFY(!calendario.isVisible());
        });

        QVERIFY(aperto);
        QCOMPARE(destinazione->text(), atteso);
        QCOMPARE(altro->text(), QStringLiteral("15/06/2020"));
    }

    void annullaLasciaIlCampoComEra_data() {
        QTest::addColumn<QString>("iniziale");
        QTest::addColumn<bool>("conEsc");
        QTest::newRow("empty field, Annulla") << QString() << false;
        QTest::newRow("field with a date, Annulla") << QStringLiteral("15/06/2020") << false;
        QTest::newRow("empty field, Escape") << QString() << true;
    }

    void annullaLasciaIlCampoComEra() {
        QFETCH(QString, iniziale);
        QFETCH(bool, conEsc);
        ui().txtCreazione->setText(iniziale);

        const bool aperto =
            premiInData(ui().txtCreazione, Qt::Key_X, [&](TfrmCalendario& calendario) {
                figlio<QCalendarWidget>(&calendario, "calAppuntamenti")
                    ->setSelectedDate(QDate(2025, 1, 1));
                if (conEsc)
                    QTest::keyClick(figlio<QCalendarWidget>(&calendario, "calAppuntamenti"),
                                    Qt::Key_Escape);
                else
                    figlio<QPushButton>(&calendario, "btnAnnulla")->click();
                QVERIFY(!calendario.isVisible());
            });

        QVERIFY(aperto);
        QCOMPARE(ui().txtCreazione->text(), iniziale);
        QVERIFY(ui().txtScadenza->text().isEmpty());
    }

    void cancellazioneSvuotaSenzaDialogo_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<Qt::Key>("tasto");
        QTest::newRow("Delete in the creation date") << "txtCreazione" << Qt::Key_Delete;
        QTest::newRow("Backspace in the expiry date") << "txtScadenza" << Qt::Key_Backspace;
    }

    void cancellazioneSvuotaSenzaDialogo() {
        QFETCH(QString, campo);
        QFETCH(Qt::Key, tasto);
        campoData(campo)->setText(QStringLiteral("15/06/2020"));

        QVERIFY(!premiInData(campoData(campo), tasto, [](TfrmCalendario&) {}));
        QVERIFY(campoData(campo)->text().isEmpty());
    }

    // The date dialog writes into no window itself: it closes with the date chosen, and only the
    // date field that opened it takes the date. Opened by anything else, it leaves the record
    // window as it was.
    void calendarioRestituisceLaData() {
        std::optional<QDate> scelta;
        conDialogoModale(
            [&] {
                TfrmCalendario calendario(&finestre->Blindoro());
                calendario.exec();
                scelta = calendario.DataScelta();
            },
            [&](QWidget* dialogo) {
                figlio<QCalendarWidget>(dialogo, "calAppuntamenti")
                    ->setSelectedDate(QDate(2025, 1, 1));
                figlio<QPushButton>(dialogo, "btnImportaData")->click();
            });

        QCOMPARE(scelta, std::optional<QDate>(QDate(2025, 1, 1)));
        QVERIFY(ui().txtCreazione->text().isEmpty());
        QVERIFY(ui().txtScadenza->text().isEmpty());

        conDialogoModale(
            [&] {
                TfrmCalendario calendario(&finestre->Blindoro());
                calendario.exec();
                scelta = calendario.DataScelta();
            },
            [&](QWidget* dialogo) { figlio<QPushButton>(dialogo, "btnAnnulla")->click(); });
        QCOMPARE(scelta, std::nullopt);
    }

    void calendarioInItaliano() {
        premiInData(ui().txtCreazione, Qt::Key_A, [](TfrmCalendario& calendario) {
            QCalendarWidget* mese = figlio<QCalendarWidget>(&calendario, "calAppuntamenti");
            auto* nomeMese =
                mese->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
            QVERIFY(nomeMese);
            QCOMPARE(nomeMese->text(), QStringLiteral("marzo"));
            QCOMPARE(mese->firstDayOfWeek(), Qt::Monday);
        });
    }

    // --- The attachments window ---

    void sfogliaCopiaIlFileNellaCartella() {
        const QString scelto = documento(QStringLiteral("una cartella/contratto.pdf"));
        scriviFile(scelto, "contratto firmato");
        QVERIFY(!QFileInfo::exists(allegati()));
        piattaforma->attendiFile(scelto);

        conAllegati([&](TfrmAllegaCartella& finestra) {
            QVERIFY(!figlio<QPushButton>(&finestra, "btnApri02")->isEnabled());
            figlio<QPushButton>(&finestra, "btnSfoglia02")->click();
            QCOMPARE(figlio<QLineEdit>(&finestra, "txtFile02")->text(),
                     QStringLiteral("contratto.pdf"));
            QVERIFY(figlio<QPushButton>(&finestra, "btnApri02")->isEnabled());
            QVERIFY(!figlio<QPushButton>(&finestra, "btnApri01")->isEnabled());
            QVERIFY(!figlio<QPushButton>(&finestra, "btnApri03")->isEnabled());

            figlio<QPushButton>(&finestra, "btnApri02")->click();
            figlio<QLineEdit>(&finestra, "txtDesc02")
                ->setText(QStringLiteral("Contratto della luce"));
            figlio<QPushButton>(&finestra, "btnApplica")->click();
        });

        QCOMPARE(piattaforma->dialoghiFile.size(), 1);
        QCOMPARE(piattaforma->dialoghiFile[0].titolo,
                 QStringLiteral("Selezionare il file da allegare:"));
        QCOMPARE(piattaforma->dialoghiFile[0].filtro, QStringLiteral("Tutti i file (*.*)"));
        QCOMPARE(fileSotto(allegati()), QStringList{"contratto.pdf"});
        QCOMPARE(contenutoFile(allegati() + "contratto.pdf"), QByteArray("contratto firmato"));
        QCOMPARE(contenutoFile(scelto), QByteArray("contratto firmato"));
        QCOMPARE(piattaforma->aperture.size(), 1);
        QCOMPARE(piattaforma->aperture[0].comando,
                 QLatin1Char('"') + allegati() + QStringLiteral("contratto.pdf\""));
        QCOMPARE(allegatiDellaScheda(),
                 (QStringList{"", "", "contratto.pdf", "Contratto della luce", "", ""}));
    }

    void copiaDiUnFileGrandeIntera() {
        QByteArray dati;
        for (int i = 0; dati.size() < 3 * 1024 * 1024 + 17; ++i)
            dati += QByteArray::number(i) + ' ';
        scriviFile(documento("archivio.zip"), dati);
        piattaforma->attendiFile(documento("archivio.zip"));

        conAllegati([](TfrmAllegaCartella& finestra) {
            figlio<QPushButton>(&finestra, "btnSfoglia01")->click();
        });

        QVERIFY(contenutoFile(allegati() + "archivio.zip") == dati);
        QCOMPARE(fileSotto(allegati()), QStringList{"archivio.zip"});
    }

    void stessoNomeChiedeSeSovrascrivere_data() {
        QTest::addColumn<Risposta>("risposta");
        QTest::addColumn<QByteArray>("copiaDopo");
        QTest::newRow("Yes replaces the copy") << Risposta::Si << QByteArray("nuovo");
        QTest::newRow("No keeps the old copy") << Risposta::No << QByteArray("vecchio");
    }

    void stessoNomeChiedeSeSovrascrivere() {
        QFETCH(Risposta, risposta);
        QFETCH(QByteArray, copiaDopo);
        scriviFile(allegati() + "contratto.pdf", "vecchio");
        scriviFile(documento("altra/contratto.pdf"), "nuovo");
        piattaforma->attendiFile(documento("altra/contratto.pdf"));
        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaSovrascrivi, risposta);

        conAllegati([&](TfrmAllegaCartella& finestra) {
            figlio<QPushButton>(&finestra, "btnSfoglia03")->click();
            QCOMPARE(figlio<QLineEdit>(&finestra, "txtFile03")->text(),
                     QStringLiteral("contratto.pdf"));
            QVERIFY(figlio<QPushButton>(&finestra, "btnApri03")->isEnabled());
            figlio<QPushButton>(&finestra, "btnApplica")->click();
        });

        QCOMPARE(contenutoFile(allegati() + "contratto.pdf"), copiaDopo);
        QCOMPARE(fileSotto(allegati()), QStringList{"contratto.pdf"});
        QCOMPARE(ui().lblFile03->text(), QStringLiteral("contratto.pdf"));
    }

    void sceltaAnnullataNonCambiaNulla() {
        impostaAllegati({"fattura.pdf", "Fattura di gennaio"});
        piattaforma->attendiFile(QString());

        conAllegati([&](TfrmAllegaCartella& finestra) {
            figlio<QPushButton>(&finestra, "btnSfoglia01")->click();
            QCOMPARE(figlio<QLineEdit>(&finestra, "txtFile01")->text(),
                     QStringLiteral("fattura.pdf"));
            QVERIFY(figlio<QPushButton>(&finestra, "btnApri01")->isEnabled());
            figlio<QPushButton>(&finestra, "btnApplica")->click();
        });

        QVERIFY(!QFileInfo::exists(allegati()));
        QVERIFY(piattaforma->mostrati.isEmpty());
        QCOMPARE(allegatiDellaScheda(),
                 (QStringList{"fattura.pdf", "Fattura di gennaio", "", "", "", ""}));
    }

    void cancellaEApplicaTieneLaDescrizione() {
        scriviFile(allegati() + "fattura.pdf", "fattura");
        impostaAllegati({"fattura.pdf", "Fattura di gennaio", "foto.jpg", "Foto"});

        conAllegati([&](TfrmAllegaCartella& finestra) {
            QVERIFY(figlio<QPushButton>(&finestra, "btnApri01")->isEnabled());
            figlio<QAbstractButton>(&finestra, "imgCancella01")->click();
            QVERIFY(figlio<QLineEdit>(&finestra, "txtFile01")->text().isEmpty());
            QVERIFY(!figlio<QPushButton>(&finestra, "btnApri01")->isEnabled());
            QCOMPARE(figlio<QLineEdit>(&finestra, "txtDesc01")->text(),
                     QStringLiteral("Fattura di gennaio"));
            figlio<QPushButton>(&finestra, "btnApplica")->click();
        });

        QCOMPARE(allegatiDellaScheda(),
                 (QStringList{"", "Fattura di gennaio", "foto.jpg", "Foto", "", ""}));
        QCOMPARE(contenutoFile(allegati() + "fattura.pdf"), QByteArray("fattura"));
    }

    void annullaDopoUnaCopiaTieneLaCopia() {
        impostaAllegati({"", "", "", "", "vecchio.txt", "Vecchio"});
        scriviFile(documento("nuovo.txt"), "nuovo");
        piattaforma->attendiFile(documento("nuovo.txt"));

        conAllegati([&](TfrmAllegaCartella& finestra) {
            figlio<QPushButton>(&finestra, "btnSfoglia03")->click();
            figlio<QLineEdit>(&finestra, "txtDesc03")->setText(QStringLiteral("Nuovo"));
            figlio<QPushButton>(&finestra, "btnAnnulla")->click();
        });

        QCOMPARE(allegatiDellaScheda(), (QStringList{"", "", "", "", "vecchio.txt", "Vecchio"}));
        QCOMPARE(contenutoFile(allegati() + "nuovo.txt"), QByteArray("nuovo"));
    }

    void spaziTolti() {
        impostaAllegati({"  polizza.pdf  ", "\t Assicurazione auto  "});
        scriviFile(documento(" relazione.txt "), "relazione");
        piattaforma->attendiFile(documento(" relazione.txt "));

        conAllegati([&](TfrmAllegaCartella& finestra) {
            QCOMPARE(figlio<QLineEdit>(&finestra, "txtFile01")->text(),
                     QStringLiteral("polizza.pdf"));
            QCOMPARE(figlio<QLineEdit>(&finestra, "txtDesc01")->text(),
                     QStringLiteral("Assicurazione auto"));
            QVERIFY(figlio<QPushButton>(&finestra, "btnApri01")->isEnabled());

            figlio<QPushButton>(&finestra, "btnSfoglia02")->click();
            QCOMPARE(figlio<QLineEdit>(&finestra, "txtFile02")->text(),
                     QStringLiteral(" relazione.txt "));
            figlio<QPushButton>(&finestra, "btnApri02")->click();
            figlio<QLineEdit>(&finestra, "txtDesc02")->setText(QStringLiteral("  Relazione  "));
            figlio<QPushButton>(&finestra, "btnApplica")->click();
        });

        QCOMPARE(fileSotto(allegati()), QStringList{"relazione.txt"});
        QCOMPARE(piattaforma->aperture.size(), 1);
        QCOMPARE(piattaforma->aperture[0].comando,
                 QLatin1Char('"') + allegati() + QStringLiteral("relazione.txt\""));
        QCOMPARE(allegatiDellaScheda(), (QStringList{"polizza.pdf", "Assicurazione auto",
                                                     "relazione.txt", "Relazione", "", ""}));
    }

    void nomeConCartellaRestaNegliAllegati_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("nudo");
        QTest::newRow("parent folders") << "../../segreto.txt"
                                        << "segreto.txt";
        QTest::newRow("parent folders with backslashes") << "..\\..\\segreto.txt"
                                                         << "segreto.txt";
        QTest::newRow("absolute path") << "/etc/passwd"
                                       << "passwd";
        QTest::newRow("drive and folders") << "C:\\Documenti\\contratto.pdf"
                                           << "contratto.pdf";
        QTest::newRow("sub-folder and blanks") << "sotto/cartella/ nota.txt "
                                               << "nota.txt";
    }

    void nomeConCartellaRestaNegliAllegati() {
        QFETCH(QString, nome);
        QFETCH(QString, nudo);
        impostaAllegati({nome, "Allegato"});

        conAllegati([&](TfrmAllegaCartella& finestra) {
            QVERIFY(figlio<QPushButton>(&finestra, "btnApri01")->isEnabled());
            figlio<QPushButton>(&finestra, "btnApri01")->click();
            figlio<QPushButton>(&finestra, "btnApplica")->click();
        });

        QCOMPARE(piattaforma->aperture.size(), 1);
        QCOMPARE(piattaforma->aperture[0].comando, QLatin1Char('"') + allegati() + nudo + '"');
        QCOMPARE(piattaforma->aperture[0].indirizzo.toLocalFile(), allegati() + nudo);
        // The record keeps the name it had: only the paths built from it are reduced.
        QCOMPARE(ui().lblFile01->text(), TogliSpazi(nome));
    }

    void nomeSenzaFileNonApreNulla_data() {
        QTest::addColumn<QString>("nome");
        QTest::newRow("dot") << ".";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("folder and dot dot") << "cartella/..";
        QTest::newRow("folder only") << "cartella/";
        QTest::newRow("folder only, backslash") << "cartella\\";
        QTest::newRow("parent folder, backslash") << "..\\";
    }

    void nomeSenzaFileNonApreNulla() {
        QFETCH(QString, nome);
        impostaAllegati({nome});

        conAllegati([&](TfrmAllegaCartella& finestra) {
            QCOMPARE(figlio<QLineEdit>(&finestra, "txtFile01")->text(), nome);
            QVERIFY(!figlio<QPushButton>(&finestra, "btnApri01")->isEnabled());
            finestra.btnApriClick(0);
        });

        QVERIFY(piattaforma->aperture.isEmpty());
    }

    void copiaDiUnNomeConBarraRovescia_data() {
        QTest::addColumn<QString>("nomeScelto");
        QTest::addColumn<QString>("nomeMostrato");
        QTest::addColumn<QStringList>("allegatiDopo");
        QTest::newRow("parent folder in the name") << "..\\fuori.txt"
                                                   << "fuori.txt" << QStringList{"fuori.txt"};
        QTest::newRow("nothing left of the name") << "cartella\\"
                                                  << "" << QStringList();
    }

    // A file name may hold a backslash here; it still never reaches outside the folder.
    void copiaDiUnNomeConBarraRovescia() {
        QFETCH(QString, nomeScelto);
        QFETCH(QString, nomeMostrato);
        QFETCH(QStringList, allegatiDopo);
        scriviFile(documento(nomeScelto), "dati");
        piattaforma->attendiFile(documento(nomeScelto));

        conAllegati([&](TfrmAllegaCartella& finestra) {
            figlio<QPushButton>(&finestra, "btnSfoglia01")->click();
            QCOMPARE(figlio<QLineEdit>(&finestra, "txtFile01")->text(), nomeMostrato);
        });

        QCOMPARE(fileSotto(allegati()), allegatiDopo);
        QCOMPARE(fileSotto(piattaforma->cartella),
                 allegatiDopo.isEmpty() ? QStringList()
                                        : QStringList{"Documenti_Allegati/fuori.txt"});
    }

    void copiaFallitaSegnalata_data() {
        QTest::addColumn<QString>("caso");
        QTest::newRow("the chosen file has gone") << "sorgente mancante";
        QTest::newRow("a file stands where the folder should be") << "cartella occupata";
        QTest::newRow("read-only attachments folder") << "cartella in sola lettura";
        QTest::newRow("read-only copy, replaced with Yes") << "copia in sola lettura";
    }

    void copiaFallitaSegnalata() {
        QFETCH(QString, caso);
        const QString scelto = documento(QStringLiteral("estratto.pdf"));
        if (caso != "sorgente mancante")
            scriviFile(scelto, "nuovo");
        if (caso == "cartella occupata")
            scriviFile(piattaforma->cartella + "Documenti_Allegati", "non una cartella");
        if (caso == "cartella in sola lettura") {
            QVERIFY(QDir().mkpath(allegati()));
            QVERIFY(QFile::setPermissions(allegati(), QFile::ReadOwner | QFile::ExeOwner));
        }
        if (caso == "copia in sola lettura") {
            scriviFile(allegati() + "estratto.pdf", "vecchio");
            QVERIFY(QFile::setPermissions(allegati() + "estratto.pdf", QFile::ReadOwner));
            piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaSovrascrivi,
                                 Risposta::Si);
        }
        piattaforma->attendi(TipoMessaggio::Errore, Pulsanti::OkAnnulla, CopiaNonRiuscita);
        piattaforma->attendiFile(scelto);

        conAllegati([&](TfrmAllegaCartella& finestra) {
            figlio<QPushButton>(&finestra, "btnSfoglia02")->click();
            QCOMPARE(figlio<QLineEdit>(&finestra, "txtFile02")->text(),
                     QStringLiteral("estratto.pdf"));
            QVERIFY(figlio<QPushButton>(&finestra, "btnApri02")->isEnabled());
            figlio<QPushButton>(&finestra, "btnApplica")->click();
        });

        QCOMPARE(ui().lblFile02->text(), QStringLiteral("estratto.pdf"));
        const QByteArray copia = caso == "copia in sola lettura" ? "vecchio" : "<missing>";
        QCOMPARE(contenutoFile(allegati() + "estratto.pdf"), copia);
    }

    // The attachments window writes into no window itself: "Applica e chiudi" closes it with the
    // slots, trimmed, and only the record window's command takes them for the record; "Annulla"
    // gives none.
    void applicaRestituisceGliAllegati() {
        impostaAllegati({"vecchio.pdf", "Vecchio"});
        std::optional<Allegati> applicati;
        for (const char* pulsante : {"btnApplica", "btnAnnulla"}) {
            conDialogoModale(
                [&] {
                    TfrmAllegaCartella finestra(&finestre->Blindoro());
                    finestra.MostraAllegati(
                        {{{QStringLiteral(" nuovo.pdf"), QStringLiteral("Nuovo ")}}});
                    finestra.exec();
                    applicati = finestra.AllegatiApplicati();
                },
                [&](QWidget* dialogo) { figlio<QPushButton>(dialogo, pulsante)->click(); });

            if (QByteArray(pulsante) == "btnApplica")
                QCOMPARE(applicati, std::optional<Allegati>(Allegati{
                                        {{QStringLiteral("nuovo.pdf"), QStringLiteral("Nuovo")}}}));
            else
                QCOMPARE(applicati, std::nullopt);
            QCOMPARE(ui().lblFile01->text(), QStringLiteral("vecchio.pdf"));
            QCOMPARE(ui().lblDesc01->text(), QStringLiteral("Vecchio"));
        }
    }

    void invioInUnCampoNonPremePulsanti() {
        impostaAllegati({"polizza.pdf", "Polizza"});
        conAllegati([&](TfrmAllegaCartella& finestra) {
            for (QLineEdit* campo : {figlio<QLineEdit>(&finestra, "txtFile01"),
                                     figlio<QLineEdit>(&finestra, "txtDesc01"),
                                     figlio<QLineEdit>(&finestra, "txtDesc03")}) {
                campo->setFocus();
                QTest::keyClick(campo, Qt::Key_Return);
                QVERIFY2(finestra.isVisible(), qPrintable(campo->objectName()));
            }
        });
        QCOMPARE(ui().lblFile01->text(), QStringLiteral("polizza.pdf"));
        QVERIFY(piattaforma->aperture.isEmpty());
    }

    // --- The password generator and the strength of the record's password ---

    // The generator opens on a password of 20 characters of the four classes, in a monospaced
    // font, with its strength; its choices keep to their limits.
    void generatoreScelteELimiti() {
        conGeneratore([&](TfrmGeneraPassword& generatore) {
            auto* lunghezza = figlio<QSpinBox>(&generatore, "spnLunghezza");
            auto* parole = figlio<QSpinBox>(&generatore, "spnParole");
            auto* separatore = figlio<QLineEdit>(&generatore, "txtSeparatore");
            QCOMPARE(generatore.windowTitle(), QStringLiteral(" Genera password"));
            QVERIFY(figlio<QRadioButton>(&generatore, "rdoCaratteri")->isChecked());
            QCOMPARE(lunghezza->minimum(), 8);
            QCOMPARE(lunghezza->maximum(), 120);
            QCOMPARE(lunghezza->value(), 20);
            QCOMPARE(parole->minimum(), 4);
            QCOMPARE(parole->maximum(), 10);
            QCOMPARE(parole->value(), 5);
            QCOMPARE(separatore->text(), QStringLiteral("-"));
            QCOMPARE(separatore->maxLength(), 3);
            for (const char* classe : {"chkMaiuscole", "chkMinuscole", "chkCifre", "chkSimboli"})
                QVERIFY2(figlio<QCheckBox>(&generatore, classe)->isChecked(), classe);
            QVERIFY(!figlio<QCheckBox>(&generatore, "chkSenzaSosia")->isChecked());
            QVERIFY(QFontInfo(figlio<QPlainTextEdit>(&generatore, "txtAnteprima")->font())
                        .fixedPitch());
            QVERIFY(figlio<QPushButton>(&generatore, "btnUsa")->isDefault());

            QCOMPARE(anteprima(generatore).size(), 20);
            verificaForza(generatore, EntropiaEsatta(ImpostazioniPassword{}));
            QCOMPARE(testoDi(generatore, "lblEntropia"),
                     QStringLiteral("Entropia esatta: 130,9 bit"));
            QVERIFY(!figlio<QLabel>(&generatore, "lblForza")->toolTip().isEmpty());

            lunghezza->setValue(121);
            QCOMPARE(anteprima(generatore).size(), 120);
            lunghezza->setValue(7);
            QCOMPARE(anteprima(generatore).size(), 8);
            verificaForza(generatore, EntropiaEsatta(ImpostazioniPassword{8}));
            // A separator takes no small letter and nothing beyond printable ASCII.
            separatore->clear();
            digita(separatore, QStringLiteral("aè+Bz=#"));
            QCOMPARE(separatore->text(), QStringLiteral("+B="));
        });
    }

    void generatoreClassiDiCaratteri_data() {
        QTest::addColumn<ImpostazioniPassword>("scelte");
        QTest::newRow("the four, 20") << ImpostazioniPassword{};
        QTest::newRow("the four without look-alikes, 120")
            << ImpostazioniPassword{120, true, true, true, true, true};
        QTest::newRow("digits alone, 8") << ImpostazioniPassword{8, false, false, true, false};
        QTest::newRow("symbols alone, 30") << ImpostazioniPassword{30, false, false, false, true};
        QTest::newRow("letters without look-alikes, 16")
            << ImpostazioniPassword{16, true, true, false, false, true};
        QTest::newRow("capitals and digits, 12")
            << ImpostazioniPassword{12, true, false, true, false};
    }

    // Every password holds only the chosen classes, each at least once, and no look-alike when
    // they are left out; its exact entropy is that of the choice.
    void generatoreClassiDiCaratteri() {
        QFETCH(ImpostazioniPassword, scelte);
        conGeneratore([&](TfrmGeneraPassword& generatore) {
            figlio<QSpinBox>(&generatore, "spnLunghezza")->setValue(scelte.lunghezza);
            figlio<QCheckBox>(&generatore, "chkMaiuscole")->setChecked(scelte.maiuscole);
            figlio<QCheckBox>(&generatore, "chkMinuscole")->setChecked(scelte.minuscole);
            figlio<QCheckBox>(&generatore, "chkCifre")->setChecked(scelte.cifre);
            figlio<QCheckBox>(&generatore, "chkSimboli")->setChecked(scelte.simboli);
            figlio<QCheckBox>(&generatore, "chkSenzaSosia")->setChecked(scelte.senzaSosia);
            const QList<QString> classi = ClassiScelte(scelte);
            const QString alfabeto = classi.join(QString());
            for (int estrazione = 0; estrazione < 20; ++estrazione) {
                figlio<QPushButton>(&generatore, "btnRigenera")->click();
                const QString password = anteprima(generatore);
                QCOMPARE(password.size(), scelte.lunghezza);
                for (QChar c : password) {
                    QVERIFY2(alfabeto.contains(c), qPrintable(password));
                    QVERIFY2(!scelte.senzaSosia || !QLatin1String(SosiaPassword).contains(c),
                             qPrintable(password));
                }
                for (const QString& classe : classi)
                    QVERIFY2(std::any_of(password.begin(), password.end(),
                                         [&](QChar c) { return classe.contains(c); }),
                             qPrintable(password));
            }
            verificaForza(generatore, EntropiaEsatta(scelte));
        });
    }

    // With no class chosen there is no password: the dialog says what is missing, and neither
    // "Usa" nor Enter closes it; choosing a class again gives one.
    void generatoreSenzaClassi() {
        conGeneratore([&](TfrmGeneraPassword& generatore) {
            for (const char* classe : {"chkMaiuscole", "chkMinuscole", "chkCifre", "chkSimboli"})
                figlio<QCheckBox>(&generatore, classe)->setChecked(false);
            auto* txtAnteprima = figlio<QPlainTextEdit>(&generatore, "txtAnteprima");
            QCOMPARE(txtAnteprima->toPlainText(), QString());
            QCOMPARE(txtAnteprima->placeholderText(),
                     QStringLiteral("Scegliere almeno un tipo di caratteri."));
            QVERIFY(!figlio<QPushButton>(&generatore, "btnUsa")->isEnabled());
            QVERIFY(!figlio<QPushButton>(&generatore, "btnRigenera")->isEnabled());
            QCOMPARE(testoDi(generatore, "lblForza"), QStringLiteral("-"));
            QTest::keyClick(txtAnteprima, Qt::Key_Return);
            QVERIFY(generatore.isVisible());

            figlio<QCheckBox>(&generatore, "chkCifre")->setChecked(true);
            QVERIFY(figlio<QPushButton>(&generatore, "btnUsa")->isEnabled());
            QCOMPARE(anteprima(generatore).size(), 20);
        });
        QCOMPARE(ui().txtPassword->text(), QString());
    }

    // "Rigenera" draws another password with the same choices.
    void generatoreRigenera() {
        conGeneratore([&](TfrmGeneraPassword& generatore) {
            QSet<QString> viste{anteprima(generatore)};
            for (int i = 0; i < 5; ++i) {
                figlio<QPushButton>(&generatore, "btnRigenera")->click();
                QCOMPARE(anteprima(generatore).size(), 20);
                viste.insert(anteprima(generatore));
            }
            // Six draws of 131 bits each: two the same would be a fault, not chance.
            QCOMPARE(viste.size(), 6);
        });
    }

    // The passphrase: words of the built-in list, as many as chosen, joined by the separator;
    // its exact entropy is words x log2(list size), and the word for its strength comes from
    // that figure whenever the estimator, which does not know Italian, rates it higher.
    void generatoreFraseDiParole() {
        QSet<QString> elenco;
        for (qsizetype i = 0; i < NumeroParole(); ++i)
            elenco.insert(Parola(i));
        conGeneratore([&](TfrmGeneraPassword& generatore) {
            figlio<QRadioButton>(&generatore, "rdoFrase")->click();
            QCOMPARE(figlio<QStackedWidget>(&generatore, "stkTipo")->currentWidget()->objectName(),
                     QStringLiteral("pagFrase"));
            auto* parole = figlio<QSpinBox>(&generatore, "spnParole");
            auto* separatore = figlio<QLineEdit>(&generatore, "txtSeparatore");
            const QList<std::pair<int, QString>> scelte{
                {5, QStringLiteral("-")}, {4, QStringLiteral(" ")}, {10, QStringLiteral("+=#")}};
            for (const auto& [numero, segno] : scelte) {
                parole->setValue(numero);
                separatore->setText(segno);
                const QStringList frase = anteprima(generatore).split(segno);
                QCOMPARE(frase.size(), numero);
                for (const QString& parola : frase)
                    QVERIFY2(elenco.contains(parola), qPrintable(parola));
                const double esatta = numero * std::log2(double(NumeroParole()));
                verificaForza(generatore, esatta);
                if (BitStimati(anteprima(generatore)) > esatta)
                    QCOMPARE(testoDi(generatore, "lblForza"), NomeForza(ForzaDeiBit(esatta)));
            }
            QCOMPARE(testoDi(generatore, "lblEntropia"),
                     QStringLiteral("Entropia esatta: ") +
                         bit(10 * std::log2(double(NumeroParole())), 1));
            QVERIFY(
                testoDi(generatore, "lblElenco")
                    .contains(QLocale(QLocale::Italian, QLocale::Italy).toString(NumeroParole()) +
                              QStringLiteral(" parole")));

            separatore->clear();
            QCOMPARE(anteprima(generatore), QString());
            QVERIFY(!figlio<QPushButton>(&generatore, "btnUsa")->isEnabled());
            QVERIFY(
                !figlio<QPlainTextEdit>(&generatore, "txtAnteprima")->placeholderText().isEmpty());

            // Back to characters: a password of the length still chosen.
            figlio<QRadioButton>(&generatore, "rdoCaratteri")->click();
            QCOMPARE(anteprima(generatore).size(), 20);
        });
    }

    void usaPasswordGenerata_data() {
        QTest::addColumn<QString>("vecchia");
        QTest::addColumn<QString>("elenco");
        QTest::addColumn<QString>("elencoDopo");
        QTest::addColumn<bool>("pieno");
        const QString x2494(2494, QLatin1Char('x'));
        const QString x2495(2495, QLatin1Char('x'));
        QTest::newRow("into an empty list") << "segreta2"
                                            << ""
                                            << "segreta2" << false;
        QTest::newRow("on a new last line") << "segreta2"
                                            << "prima\nseconda"
                                            << "prima\nseconda\nsegreta2" << false;
        QTest::newRow("after the line break the list ends with") << "segreta2"
                                                                 << "prima\n"
                                                                 << "prima\nsegreta2" << false;
        QTest::newRow("already the last line") << "segreta2"
                                               << "prima\nsegreta2"
                                               << "prima\nsegreta2" << false;
        QTest::newRow("already the last line, a line break after it") << "segreta2"
                                                                      << "segreta2\n"
                                                                      << "segreta2\n"
                                                                      << false;
        QTest::newRow("an earlier line is no reason to skip it")
            << "segreta2"
            << "segreta2\naltra"
            << "segreta2\naltra\nsegreta2" << false;
        QTest::newRow("no old password") << ""
                                         << "prima"
                                         << "prima" << false;
        QTest::newRow("blanks are no password") << "   "
                                                << "prima"
                                                << "prima" << false;
        // In the record the lines are separated by CR LF: 2494 + 2 + 2494, then 2 + 8.
        QTest::newRow("filling the field to its last character")
            << "segreta2" << x2494 + "\n" + x2494 << x2494 + "\n" + x2494 + "\nsegreta2" << false;
        QTest::newRow("one character more than the field holds")
            << "segreta2" << x2495 + "\n" + x2494 << x2495 + "\n" + x2494 << true;
        QTest::newRow("a list already longer than its field")
            << "segreta2" << QString(6000, QLatin1Char('y')) << QString(6000, QLatin1Char('y'))
            << true;
    }

    // "Usa" puts the new password into the field, moves the one it held to the end of the
    // passwords used before (when it fits) and makes the creation date today; the archive is
    // written only by "Salva", with all three.
    void usaPasswordGenerata() {
        QFETCH(QString, vecchia);
        QFETCH(QString, elenco);
        QFETCH(QString, elencoDopo);
        QFETCH(bool, pieno);
        apriArchivio(3);
        vaiAllaScheda(2);
        ui().txtPassword->setText(vecchia);
        ui().txtUtilizzate->setPlainText(elenco);
        const QByteArray archivio = contenutoFile(percorso);

        if (pieno)
            piattaforma->attendi(
                TipoMessaggio::Avviso, Pulsanti::OkAnnulla,
                QStringLiteral("Attenzione: la password precedente non è stata aggiunta "
                               "all'elenco delle password già utilizzate, che non può superare "
                               "i 5000 caratteri.\r\n\r\nLa nuova password è nel campo "
                               "Password; la scheda in archivio conserva quella precedente "
                               "finché non si preme Salva."));
        QString nuova;
        conGeneratore([&](TfrmGeneraPassword& generatore) {
            nuova = anteprima(generatore);
            figlio<QPushButton>(&generatore, "btnUsa")->click();
        });
        QCOMPARE(nuova.size(), 20);
        QCOMPARE(ui().txtPassword->text(), nuova);
        QCOMPARE(ui().txtUtilizzate->toPlainText(), elencoDopo);
        QCOMPARE(ui().txtCreazione->text(), QStringLiteral("07/03/2024"));
        QCOMPARE(ui().txtScadenza->text(), QStringLiteral("31/12/2027"));
        QCOMPARE(ui().lblPosizione->text(), QStringLiteral("2"));
        QVERIFY2(contenutoFile(percorso) == archivio, "the archive changed before Salva");

        salva(ModificheSalvate);
        const TScheda salvata = leggiScheda(percorso, 1);
        QCOMPARE(DecodificaCampo(salvata, Campo::Password), nuova);
        QCOMPARE(DecodificaCampo(salvata, Campo::Utilizzate),
                 QString(elencoDopo).replace(QLatin1Char('\n'), QLatin1String("\r\n")).left(5000));
        QCOMPARE(DecodificaCampo(salvata, Campo::Creazione), QStringLiteral("07/03/2024"));
        QCOMPARE(DecodificaCampo(leggiScheda(percorso, 0), Campo::Password),
                 QStringLiteral("segreta1"));
    }

    // Enter in the dialog's fields takes the password shown.
    void invioUsaLaPassword() {
        apriArchivio(2);
        vaiAllaScheda(2);
        QString vista;
        conGeneratore([&](TfrmGeneraPassword& generatore) {
            auto* lunghezza = figlio<QSpinBox>(&generatore, "spnLunghezza");
            lunghezza->setFocus();
            lunghezza->selectAll();
            QTest::keyClicks(lunghezza, QStringLiteral("32"));
            QTest::keyClick(lunghezza, Qt::Key_Return);
            vista = anteprima(generatore);
            QVERIFY(!generatore.isVisible());
        });
        QCOMPARE(vista.size(), 32);
        QCOMPARE(ui().txtPassword->text(), vista);
        QCOMPARE(ui().txtUtilizzate->toPlainText(), QStringLiteral("segreta2"));
    }

    // "Annulla" and Esc leave the record as it was.
    void annullaGeneratoreNonCambiaNulla() {
        apriArchivio(2);
        vaiAllaScheda(1);
        for (const char* modo : {"btnAnnulla", "Esc"}) {
            conGeneratore([&](TfrmGeneraPassword& generatore) {
                if (QLatin1String(modo) == QLatin1String("Esc"))
                    QTest::keyClick(figlio<QPushButton>(&generatore, "btnRigenera"),
                                    Qt::Key_Escape);
                else
                    figlio<QPushButton>(&generatore, modo)->click();
                QVERIFY(!generatore.isVisible());
            });
            QCOMPARE(ui().txtPassword->text(), QStringLiteral("segreta1"));
            QCOMPARE(ui().txtUtilizzate->toPlainText(), QString());
            QCOMPARE(ui().txtCreazione->text(), QString());
        }
    }

    void valutaPassword_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("messaggio");
        const auto giudizio = [](const char* forza) {
            return QStringLiteral("La password è ") + QString::fromUtf8(forza) +
                   QStringLiteral(" secondo lo stimatore.\r\n\r\nLo stimatore riconosce le "
                                  "password comuni, le parole, i nomi, le date e le sequenze "
                                  "della tastiera in inglese, non le parole italiane: una "
                                  "password fatta di parole italiane può essere più debole di "
                                  "quanto stima.");
        };
        QTest::newRow("a common password") << "123456" << giudizio("Debole: circa 1 bit");
        QTest::newRow("a known pattern") << "Tr0ub4dor&3" << giudizio("Discreta: circa 47 bit");
        QTest::newRow("common words")
            << "gatto-casa-mare-sole-luna" << giudizio("Buona: circa 92 bit");
        QTest::newRow("random, 20 characters")
            << "q7$Lw!2Zr#9xTv&4Mp@K" << giudizio("Ottima: circa 115 bit");
        QTest::newRow("no password") << ""
                                     << "La scheda non contiene una password da valutare.";
        QTest::newRow("blanks") << "   "
                                << "La scheda non contiene una password da valutare.";
    }

    // The strength of the password the record holds, on request, from the real library: never
    // the password itself.
    void valutaPassword() {
        QFETCH(QString, password);
        QFETCH(QString, messaggio);
        ui().txtPassword->setText(password);
        piattaforma->attendi(TipoMessaggio::Informazione, Pulsanti::OkAnnulla, messaggio);
        azione("actValutaPassword")->trigger();
        QCOMPARE(piattaforma->mostrati.size(), 1);
        QVERIFY(TogliSpazi(password).isEmpty() ||
                !piattaforma->mostrati[0].testo.contains(password));
    }

    // The password field's context menu holds its own entries, then the two commands, which its
    // keys give from anywhere in the window.
    // Shift+F10 opens the menu of the field with the focus, as the Menu key does.
    void menuConMaiuscoloF10() {
        mettiFocus(ui().txtPassword);
        QStringList voci;
        QTimer sonda;
        sonda.setInterval(5);
        connect(&sonda, &QTimer::timeout, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu || !menu->isVisible())
                return;
            sonda.stop();
            for (QAction* voce : menu->actions())
                voci << voce->text();
            menu->close();
        });
        sonda.start();
        QTest::keyClick(ui().txtPassword, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(!sonda.isActive());
        QVERIFY2(voci.contains(QStringLiteral("Copia la password")), qPrintable(voci.join('|')));
        QCOMPARE(ui().txtPassword->text(), QString());
    }

    void menuDelCampoPassword() {
        QCOMPARE(azione("actGeneraPassword")->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Alt+G")));
        QCOMPARE(azione("actValutaPassword")->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Alt+V")));
        ui().txtPassword->setText(QStringLiteral("123456"));
        mettiFocus(ui().txtUtente);
        piattaforma->attendi(TipoMessaggio::Informazione, Pulsanti::OkAnnulla,
                             QStringLiteral("La password è Debole: circa 1 bit secondo lo "
                                            "stimatore.\r\n\r\nLo stimatore riconosce le password "
                                            "comuni, le parole, i nomi, le date e le sequenze "
                                            "della tastiera in inglese, non le parole italiane: "
                                            "una password fatta di parole italiane può essere più "
                                            "debole di quanto stima."));
        QTest::keyClick(ui().txtUtente, Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
        QTRY_COMPARE(piattaforma->mostrati.size(), 1);
        QCOMPARE(QApplication::focusWidget(), ui().txtUtente);

        QStringList testi;
        const QList<QAction*> voci = vociDelMenu(ui().txtPassword, &testi);
        QVERIFY2(testi.size() > 4, qPrintable(testi.join(QLatin1Char(','))));
        QCOMPARE(testi.mid(testi.size() - 4),
                 (QStringList{"|", "Copia la password", "Genera password", "Valuta la password"}));
        QCOMPARE(voci.mid(voci.size() - 2),
                 (QList<QAction*>{azione("actGeneraPassword"), azione("actValutaPassword")}));
        for (QWidget* campo :
             {static_cast<QWidget*>(ui().txtTitolo), static_cast<QWidget*>(ui().txtNote)}) {
            QStringList altri;
            vociDelMenu(campo, &altri);
            QVERIFY2(!altri.isEmpty() && !altri.contains(QStringLiteral("Genera password")),
                     qPrintable(campo->objectName()));
        }
    }

    // --- Without the mouse, and with a screen reader ---

    // Every command of the record window is offered to assistive technology by its caption, with
    // its hint (the text the hint line shows for it) as description, and given by its own keys,
    // shown in its tooltip; none takes the focus, and no two share keys. The window itself is a
    // window named by its caption; its decorations and the hidden focus button are not offered,
    // and Tab follows the fields in their reading order.
    void comandiOffertiAllaTecnologiaAssistiva() {
        QAccessibleInterface* interfacciaFinestra =
            QAccessible::queryAccessibleInterface(finestra());
        QCOMPARE(interfacciaFinestra->role(), QAccessible::Window);
        QCOMPARE(interfacciaFinestra->text(QAccessible::Name),
                 QStringLiteral(" Blindoro - Gestione blindoro"));
        for (const auto& problemi : {problemiComandi(finestra()), problemiDecorazioni(finestra()),
                                     problemiOrdineTab(finestra())})
            QVERIFY2(problemi.isEmpty(), qPrintable(problemi.join(QLatin1Char('\n'))));
        QCOMPARE(fermateTab(finestra()).size(), 16);

        const QHash<QString, QString> soloImmagine{
            {QStringLiteral("btnSito"), QStringLiteral("Visita il sito Web")},
            {QStringLiteral("btnPassword"), QStringLiteral("Mostra / Nascondi password")},
            {QStringLiteral("btnRisposta"), QStringLiteral("Mostra / Nascondi risposta segreta")},
            {QStringLiteral("btnCodFisc"), QStringLiteral("Controlla il codice fiscale")},
            {QStringLiteral("btnEmail"), QStringLiteral("Invia una e-mail")},
        };
        // What a text field takes for itself on one desktop or another (the Linux desktops add
        // Ctrl+E, Ctrl+K, Ctrl+U and Ctrl+Shift+A to the usual ones), and every key of the
        // standard editing commands on this desktop: a command given those keys would never be
        // reached from a field that has the focus.
        QSet<QString> tastiDeiCampi{
            "Ctrl+A",       "Ctrl+C",       "Ctrl+V",          "Ctrl+X",           "Ctrl+Z",
            "Ctrl+Y",       "Ctrl+Shift+Z", "Ctrl+E",          "Ctrl+K",           "Ctrl+U",
            "Ctrl+Shift+A", "Ctrl+Ins",     "Shift+Ins",       "Shift+Del",        "Ctrl+Backspace",
            "Ctrl+Del",     "Ctrl+Left",    "Ctrl+Right",      "Ctrl+Home",        "Ctrl+End",
            "Ctrl+Up",      "Ctrl+Down",    "Ctrl+Shift+Left", "Ctrl+Shift+Right", "Home",
            "End",          "Ctrl+Shift+U"}; // the desktops' Unicode input
        for (QKeySequence::StandardKey modifica : {QKeySequence::Undo,
                                                   QKeySequence::Redo,
                                                   QKeySequence::Cut,
                                                   QKeySequence::Copy,
                                                   QKeySequence::Paste,
                                                   QKeySequence::SelectAll,
                                                   QKeySequence::Delete,
                                                   QKeySequence::Backspace,
                                                   QKeySequence::DeleteStartOfWord,
                                                   QKeySequence::DeleteEndOfWord,
                                                   QKeySequence::DeleteEndOfLine,
                                                   QKeySequence::DeleteCompleteLine,
                                                   QKeySequence::MoveToNextChar,
                                                   QKeySequence::MoveToPreviousChar,
                                                   QKeySequence::MoveToNextWord,
                                                   QKeySequence::MoveToPreviousWord,
                                                   QKeySequence::MoveToNextLine,
                                                   QKeySequence::MoveToPreviousLine,
                                                   QKeySequence::MoveToStartOfLine,
                                                   QKeySequence::MoveToEndOfLine,
                                                   QKeySequence::MoveToStartOfBlock,
                                                   QKeySequence::MoveToEndOfBlock,
                                                   QKeySequence::MoveToStartOfDocument,
                                                   QKeySequence::MoveToEndOfDocument,
                                                   QKeySequence::SelectNextChar,
                                                   QKeySequence::SelectPreviousChar,
                                                   QKeySequence::SelectNextWord,
                                                   QKeySequence::SelectPreviousWord,
                                                   QKeySequence::SelectStartOfLine,
                                                   QKeySequence::SelectEndOfLine,
                                                   QKeySequence::SelectStartOfDocument,
                                                   QKeySequence::SelectEndOfDocument,
                                                   QKeySequence::InsertLineSeparator,
                                                   QKeySequence::InsertParagraphSeparator})
            for (const QKeySequence& tasti : QKeySequence::keyBindings(modifica))
                tastiDeiCampi.insert(tasti.toString());
        QSet<QKeySequence> usate;
        const QList<ComandoDaTastiera> comandi = ComandiGestioneDaTastiera();
        int pulsanti = 0;
        for (const ComandoDaTastiera& comando : comandi) {
            const QKeySequence tasti(comando.scorciatoia.tasti, QKeySequence::PortableText);
            QVERIFY2(!tasti.isEmpty() && !usate.contains(tasti), qPrintable(comando.controllo));
            QVERIFY2(!tastiDeiCampi.contains(tasti.toString()), qPrintable(tasti.toString()));
            usate.insert(tasti);
            auto* pulsante = finestra()->findChild<QToolButton*>(comando.controllo);
            if (!pulsante) {
                // A command without a button: an action of the window, offered in menus.
                auto* azione = finestra()->findChild<QAction*>(comando.controllo);
                QVERIFY2(azione, qPrintable(comando.controllo));
                QVERIFY(finestra()->actions().contains(azione));
                QCOMPARE(azione->shortcut(), tasti);
                QCOMPARE(azione->shortcutContext(), Qt::WindowShortcut);
                QVERIFY2(!azione->text().isEmpty() && !azione->statusTip().isEmpty(),
                         qPrintable(comando.controllo));
                continue;
            }
            ++pulsanti;
            QCOMPARE(pulsante->shortcut(), tasti);
            QCOMPARE(pulsante->focusPolicy(), Qt::NoFocus);

            QAccessibleInterface* interfaccia = QAccessible::queryAccessibleInterface(pulsante);
            QCOMPARE(interfaccia->text(QAccessible::Name),
                     soloImmagine.value(comando.controllo, pulsante->text()));
            // The hint line shows the command's hint when the mouse comes over it.
            QEnterEvent sopra(QPointF(5, 5), pulsante->mapTo(finestra(), QPointF(5, 5)),
                              pulsante->mapToGlobal(QPointF(5, 5)));
            QApplication::sendEvent(pulsante, &sopra);
            QCOMPARE(interfaccia->text(QAccessible::Description), ui().panInfo->text());
            QCOMPARE(pulsante->toolTip(), ui().panInfo->text() + QStringLiteral(" (") +
                                              comando.scorciatoia.testo + QLatin1Char(')'));
            QCOMPARE(interfaccia->actionInterface()->keyBindingsForAction(
                         QAccessibleActionInterface::pressAction()),
                     QStringList{tasti.toString(QKeySequence::NativeText)});
        }
        QCOMPARE(pulsanti, 19);
    }

    // "Importa schede" has no button: it is an entry of the context menu of the window's
    // background, with its keys, wherever a right click lands outside the fields (on the
    // background, a caption, a frame, a command) and from the Menu key when no field has the
    // focus (after a save); a field's menu keeps to the field's own entries. Chosen there, it asks
    // for the CSV file.
    void importaSchedeNelMenuDelloSfondo() {
        apriArchivio(1);
        const QStringList voci{QStringLiteral("Importa schede\tCtrl+Shift+I")};
        auto* azione = figlio<QAction>(finestra(), "actImportaSchede");
        QCOMPARE(azione->text(), QStringLiteral("Importa schede"));
        QCOMPARE(azione->statusTip(),
                 QStringLiteral("Aggiungi all'archivio le schede di un file CSV esportato da un "
                                "altro programma o dal foglio di calcolo."));
        QCOMPARE(azione->toolTip(), azione->statusTip());
        for (const char* dove : {"panContainer", "bkgSfondo", "lblTitolo", "bkgCredenziali",
                                 "shpPulsanti01", "cmdSalva", "lblNome", "shpInfo"})
            QCOMPARE(vociMenuContestuale(figlio<QWidget>(finestra(), dove), QPoint(3, 3)), voci);

        compilaObbligatori();
        salva(SchedaInserita);
        QCOMPARE(QApplication::focusWidget(), ui().btnFocus);
        QCOMPARE(vociMenuContestuale(ui().btnFocus, std::nullopt), voci);

        for (QWidget* campo :
             {static_cast<QWidget*>(ui().txtTitolo), static_cast<QWidget*>(ui().txtNote)}) {
            const QStringList delCampo = vociMenuContestuale(campo, QPoint(3, 3));
            QVERIFY2(!delCampo.isEmpty(), qPrintable(campo->objectName()));
            QVERIFY2(!delCampo.contains(voci[0]), qPrintable(delCampo.join(u'|')));
        }

        piattaforma->attendiFile(QString());
        vociMenuContestuale(figlio<QWidget>(finestra(), "panContainer"), QPoint(3, 3),
                            QStringLiteral("Importa schede"));
        QCOMPARE(piattaforma->dialoghiFile.size(), 1);
        QCOMPARE(piattaforma->dialoghiFile[0].titolo,
                 QStringLiteral("Selezionare il file CSV da importare:"));
        QCOMPARE(piattaforma->dialoghiFile[0].filtro,
                 QStringLiteral("File CSV (*.csv);;Tutti i file (*.*)"));
    }

    // Ctrl+Shift+I from inside any field asks for the CSV file; cancelled, nothing else happens:
    // the record shown and the archive stay as they were.
    void importaSchedeDallaTastiera() {
        apriArchivio(2);
        vaiAllaScheda(2);
        const QByteArray prima = contenutoFile(percorso);
        for (QWidget* campo :
             {static_cast<QWidget*>(ui().txtPassword), static_cast<QWidget*>(ui().txtNote)}) {
            mettiFocus(campo);
            piattaforma->attendiFile(QString());
            QTest::keyClick(campo, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
            QTRY_COMPARE(QApplication::focusWidget(), campo);
        }
        QCOMPARE(piattaforma->dialoghiFile.size(), 2);
        QVERIFY(piattaforma->mostrati.isEmpty());
        QCOMPARE(ui().lblPosizione->text(), QStringLiteral("2"));
        QCOMPARE(ui().txtTitolo->text(), QStringLiteral("Sito 2"));
        QCOMPARE(contenutoFile(percorso), prima);
    }

    // Pressing "Salva" through assistive technology returns at once; the save runs right after,
    // from the event loop, and its warning comes then.
    void salvaPremutoDallaTecnologiaAssistiva() {
        QAccessibleActionInterface* azioni =
            QAccessible::queryAccessibleInterface(ui().cmdSalva)->actionInterface();
        piattaforma->attendi(TipoMessaggio::Avviso, Pulsanti::OkAnnulla,
                             QStringLiteral("Attenzione: per salvare la scheda è necessario "
                                            "indicare il titolo del sito Web."));
        azioni->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(piattaforma->mostrati.isEmpty());
        QTRY_COMPARE(piattaforma->mostrati.size(), 1);
        QTRY_VERIFY(ui().txtTitolo->hasFocus());
    }

    // The record number is read with what it is: "Scheda 3", or a record not in the archive.
    void numeroDellaSchedaLeggibile() {
        apriArchivio(3);
        QAccessibleInterface* numero = QAccessible::queryAccessibleInterface(ui().lblPosizione);
        QCOMPARE(numero->role(), QAccessible::StaticText);
        QCOMPARE(numero->text(QAccessible::Name), QStringLiteral("Scheda non in archivio"));
        ui().cmdUltimo->click();
        QCOMPARE(numero->text(QAccessible::Name), QStringLiteral("Scheda 3"));
        ui().cmdIndietro->click();
        QCOMPARE(numero->text(QAccessible::Name), QStringLiteral("Scheda 2"));
        ui().cmdNuovo->click();
        QCOMPARE(numero->text(QAccessible::Name), QStringLiteral("Scheda non in archivio"));
    }

    // A whole record typed and saved with the keyboard alone: Tab from field to field, the
    // expiry date from the date dialog, back to the web address with Shift+Tab, Ctrl+S. Leaving
    // the address for the hidden button completes it, as a click on "Salva" does.
    void schedaScrittaESalvataConLaTastiera() {
        apriArchivio(2);
        const auto tasto = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
            QTest::keyClick(QApplication::focusWidget(), k, m);
        };
        const auto scrivi = [](const QString& testo) {
            digita(QApplication::focusWidget(), testo);
        };
        QTRY_COMPARE(QApplication::focusWidget(), ui().txtTitolo);
        scrivi(QStringLiteral("Banca"));
        for (int i = 0; i < 4; ++i)
            tasto(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ui().txtUtente);
        scrivi(QStringLiteral("mrossi"));
        tasto(Qt::Key_Tab);
        tasto(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ui().txtPassword);
        scrivi(QStringLiteral("Pa55word"));
        tasto(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ui().txtScadenza);
        QVERIFY(conDialogoModale([&] { tasto(Qt::Key_Space); },
                                 [&](QWidget* calendario) {
                                     QApplication::setActiveWindow(calendario);
                                     QTRY_VERIFY(calendario->isActiveWindow());
                                     QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                                     QCOMPARE(QApplication::focusWidget()->objectName(),
                                              QStringLiteral("btnImportaData"));
                                     QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
                                 }));
        QCOMPARE(ui().txtScadenza->text(), QStringLiteral("07/03/2024"));
        QApplication::setActiveWindow(finestra());
        QTRY_COMPARE(QApplication::focusWidget(), ui().txtScadenza);
        for (int i = 0; i < 5; ++i)
            tasto(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ui().txtIntestatario);
        scrivi(QStringLiteral("Mario Rossi"));
        for (int i = 0; i < 11 && QApplication::focusWidget() != ui().txtURL; ++i)
            tasto(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), ui().txtURL);
        scrivi(QStringLiteral("www.banca.it"));

        piattaforma->attendi(TipoMessaggio::Informazione, Pulsanti::OkAnnulla, SchedaInserita);
        tasto(Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(piattaforma->mostrati.size(), 1);
        QCOMPARE(ui().lblPosizione->text(), QStringLiteral("3"));
        QCOMPARE(QApplication::focusWidget(), ui().btnFocus);
        const TScheda salvata = leggiScheda(percorso, 2);
        QCOMPARE(DecodificaCampo(salvata, Campo::URL), QStringLiteral("https://www.banca.it"));
        QCOMPARE(DecodificaCampo(salvata, Campo::Titolo), QStringLiteral("Banca"));
        QCOMPARE(DecodificaCampo(salvata, Campo::Scadenza), QStringLiteral("07/03/2024"));
        QCOMPARE(DecodificaCampo(salvata, Campo::Intestatario), QStringLiteral("Mario Rossi"));
    }

    void navigazioneConLaTastiera_data() {
        QTest::addColumn<QKeyCombination>("tasti");
        QTest::addColumn<QString>("partenza");
        QTest::addColumn<QString>("arrivo");
        QTest::newRow("Alt+End: last") << QKeyCombination(Qt::AltModifier, Qt::Key_End) << ""
                                       << "7";
        QTest::newRow("Alt+Left: previous") << QKeyCombination(Qt::AltModifier, Qt::Key_Left) << "7"
                                            << "6";
        QTest::newRow("Alt+Right: next") << QKeyCombination(Qt::AltModifier, Qt::Key_Right) << "3"
                                         << "4";
        QTest::newRow("Alt+Right on a new record: the first")
            << QKeyCombination(Qt::AltModifier, Qt::Key_Right) << ""
            << "1";
        QTest::newRow("Alt+Home: first") << QKeyCombination(Qt::AltModifier, Qt::Key_Home) << "5"
                                         << "1";
    }

    // The navigation keys work from inside any field, which keeps the focus.
    void navigazioneConLaTastiera() {
        QFETCH(QKeyCombination, tasti);
        QFETCH(QString, partenza);
        QFETCH(QString, arrivo);
        apriArchivio(7);
        if (!partenza.isEmpty()) {
            vaiAllaScheda(partenza.toInt());
            QCOMPARE(ui().lblPosizione->text(), partenza);
        }
        mettiFocus(ui().txtNote);
        QTest::keyClick(ui().txtNote, tasti.key(), tasti.keyboardModifiers());
        QTRY_COMPARE(ui().lblPosizione->text(), arrivo);
        QCOMPARE(ui().txtTitolo->text(), QStringLiteral("Sito ") + arrivo);
        QCOMPARE(QApplication::focusWidget(), ui().txtNote);
    }

    void dialoghiConLaTastiera_data() {
        QTest::addColumn<QKeyCombination>("tasti");
        QTest::addColumn<QString>("classe");
        QTest::newRow("Ctrl+F: search")
            << QKeyCombination(Qt::ControlModifier, Qt::Key_F) << "TfrmTrovaPassword";
        QTest::newRow("Ctrl+L: attachments")
            << QKeyCombination(Qt::ControlModifier, Qt::Key_L) << "TfrmAllegaCartella";
        QTest::newRow("Ctrl+P: card print")
            << QKeyCombination(Qt::ControlModifier, Qt::Key_P) << "TfrmStampaCredenziali";
        QTest::newRow("Ctrl+Shift+X: export")
            << QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_X)
            << "TfrmExpPassword";
        QTest::newRow("Ctrl+R: expired")
            << QKeyCombination(Qt::ControlModifier, Qt::Key_R) << "TfrmSegnalati";
        QTest::newRow("F1: help") << QKeyCombination(Qt::Key_F1) << "TfrmGuida";
        QTest::newRow("Ctrl+Shift+C: tax code")
            << QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_C) << "TfrmCodFisc";
        QTest::newRow("Ctrl+Alt+G: password generator")
            << QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_G)
            << "TfrmGeneraPassword";
    }

    // Each window the record window opens is reached by its keys and left with Esc; it is a
    // dialog named by its caption, every command in it is offered with a name and a press action,
    // and its decorations are not.
    void dialoghiConLaTastiera() {
        QFETCH(QKeyCombination, tasti);
        QFETCH(QString, classe);
        apriArchivio(2);
        mettiFocus(ui().txtTitolo);
        bool chiusoConEsc = false;
        QString visto;
        const bool aperto = conDialogoModale(
            [&] {
                QTest::keyClick(ui().txtTitolo, tasti.key(), tasti.keyboardModifiers());
                QTRY_VERIFY(!visto.isEmpty());
            },
            [&](QWidget* dialogo) {
                visto = QString::fromLatin1(dialogo->metaObject()->className());
                QAccessibleInterface* interfaccia = QAccessible::queryAccessibleInterface(dialogo);
                QCOMPARE(interfaccia->role(), QAccessible::Dialog);
                QCOMPARE(interfaccia->text(QAccessible::Name), dialogo->windowTitle());
                for (const auto& problemi : {problemiComandi(dialogo), problemiDecorazioni(dialogo),
                                             problemiOrdineTab(dialogo)})
                    QVERIFY2(problemi.isEmpty(), qPrintable(problemi.join(QLatin1Char('\n'))));
                QApplication::setActiveWindow(dialogo);
                QTRY_VERIFY(QApplication::focusWidget() &&
                            QApplication::focusWidget()->window() == dialogo);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                chiusoConEsc = !dialogo->isVisible();
            });
        QVERIFY(aperto);
        QCOMPARE(visto, classe);
        QVERIFY(chiusoConEsc);
        QCOMPARE(ui().txtTitolo->text(), QString());
    }

    // The small buttons beside the fields and the commands that stay in the window answer their
    // keys too; Ctrl+W leaves the window for the start window.
    void comandiDiCampoConLaTastiera() {
        apriArchivio(2);
        mettiFocus(ui().txtTitolo);
        const auto premi = [this](Qt::Key tasto, Qt::KeyboardModifiers modificatori) {
            QTest::keyClick(ui().txtTitolo, tasto, modificatori);
            QTest::qWait(150);
        };
        const Qt::KeyboardModifiers ctrlMaiusc = Qt::ControlModifier | Qt::ShiftModifier;
        premi(Qt::Key_P, ctrlMaiusc);
        QCOMPARE(ui().txtPassword->echoMode(), QLineEdit::Normal);
        premi(Qt::Key_R, ctrlMaiusc);
        QCOMPARE(ui().txtRisposta->echoMode(), QLineEdit::Normal);
        premi(Qt::Key_P, ctrlMaiusc);
        QCOMPARE(ui().txtPassword->echoMode(), QLineEdit::Password);

        ui().txtURL->setText(QStringLiteral("www.banca.it"));
        ui().txtEmail->setText(QStringLiteral("mario@esempio.it"));
        premi(Qt::Key_W, ctrlMaiusc);
        premi(Qt::Key_E, ctrlMaiusc);
        QCOMPARE(piattaforma->aperture.size(), 2);
        QCOMPARE(piattaforma->aperture[0].comando, QStringLiteral("https://www.banca.it"));
        QCOMPARE(piattaforma->aperture[1].comando, QStringLiteral("\"mailto:mario@esempio.it\""));

        piattaforma->attendi(
            TipoMessaggio::Avviso, Pulsanti::OkAnnulla,
            QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire "
                           "soltanto dopo che questa è stata inserita in "
                           "archivio."));
        premi(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(piattaforma->mostrati.size(), 1);
        ui().cmdUltimo->click();
        premi(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(ui().lblPosizione->text(), QString());
        QCOMPARE(ui().txtTitolo->text(), QString());

        premi(Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!finestra()->isVisible());
        QVERIFY(reinterpret_cast<QWidget*>(&finestre->Avvio())->isVisible());
    }

    // --- Clipboard: the password, the user name and the web address copied ---

    // Each by its keys from any field (a date field included, which opens no calendar for them):
    // the text goes to the clipboard, the hint line says what it was and for how long, and later
    // that the clipboard was emptied; an empty field copies nothing and says so. The copied text
    // shows nowhere.
    void copiaNegliAppunti_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<QString>("premutoIn");
        QTest::addColumn<QString>("copiato"); // null: nothing copied
        QTest::addColumn<QString>("avviso");
        const QString password =
            QStringLiteral("Password copiata negli appunti: verrà cancellata tra 10 secondi.");
        QTest::newRow("password as typed, its blanks included")
            << "txtPassword"
            << " Pa55 wörd " << int(Qt::Key_P) << "txtTitolo"
            << " Pa55 wörd " << password;
        QTest::newRow("password from a date field") << "txtPassword"
                                                    << "Pa55word" << int(Qt::Key_P) << "txtScadenza"
                                                    << "Pa55word" << password;
        QTest::newRow("user name without the blanks at its ends")
            << "txtUtente"
            << "  mario.rossi " << int(Qt::Key_U) << "txtPassword"
            << "mario.rossi"
            << "Nome utente copiato negli appunti: verrà cancellato tra 10 secondi.";
        QTest::newRow("web address")
            << "txtURL"
            << "https://www.banca.it" << int(Qt::Key_I) << "txtNote"
            << "https://www.banca.it"
            << "Indirizzo del sito copiato negli appunti: verrà cancellato tra 10 secondi.";
        QTest::newRow("empty password") << "txtPassword"
                                        << "" << int(Qt::Key_P) << "txtTitolo" << QString()
                                        << "Il campo Password è vuoto: non è stato copiato nulla.";
        QTest::newRow("user name of blanks")
            << "txtUtente"
            << "   " << int(Qt::Key_U) << "txtTitolo" << QString()
            << "Il campo Nome Utente è vuoto: non è stato copiato nulla.";
        QTest::newRow("the https:// of a new record")
            << "txtURL"
            << "https://" << int(Qt::Key_I) << "txtTitolo" << QString()
            << "Il campo URL è vuoto: non è stato copiato nulla.";
    }

    void copiaNegliAppunti() {
        QFETCH(QString, campo);
        QFETCH(QString, testo);
        QFETCH(int, tasto);
        QFETCH(QString, premutoIn);
        QFETCH(QString, copiato);
        QFETCH(QString, avviso);
        QClipboard* appunti = QGuiApplication::clipboard();
        const QString suo = QStringLiteral("testo dell'utente");
        appunti->setText(suo);
        finestra()->findChild<QLineEdit*>(campo)->setText(testo);
        auto* dove = finestra()->findChild<QWidget*>(premutoIn);
        mettiFocus(dove);
        const bool calendario = conDialogoModale(
            [&] {
                QTest::keyClick(dove, static_cast<Qt::Key>(tasto),
                                Qt::ControlModifier | Qt::AltModifier);
            },
            [](QWidget*) {});
        QVERIFY(!calendario);
        QCOMPARE(ui().panInfo->text(), avviso);
        QCOMPARE(appunti->text(), copiato.isNull() ? suo : copiato);
        if (auto* campoDove = qobject_cast<QLineEdit*>(dove); campoDove && premutoIn != campo)
            QCOMPARE(campoDove->text(), QString()); // the keys typed nothing
        if (copiato.isNull())
            return;
        for (QAction* azione : finestra()->actions())
            for (const QString& mostrato : {azione->text(), azione->toolTip(), azione->statusTip()})
                QVERIFY2(!mostrato.contains(copiato.trimmed()), qPrintable(mostrato));

        Appunti::programma().cancella();
        QCOMPARE(appunti->text(), QString());
        QCOMPARE(ui().panInfo->text(), QStringLiteral("Gli appunti sono stati svuotati."));
    }

    // Each field's context menu offers its copy after the field's own entries, with the command's
    // caption, hint and keys; choosing it copies.
    void copiaDalMenuDelCampo_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("voce");
        QTest::addColumn<QString>("suggerimento");
        QTest::newRow("password") << "txtPassword"
                                  << "Copia la password"
                                  << "Copia la password negli appunti per 10 secondi.";
        QTest::newRow("user name") << "txtUtente"
                                   << "Copia il nome utente"
                                   << "Copia il nome utente negli appunti per 10 secondi.";
        QTest::newRow("web address") << "txtURL"
                                     << "Copia l'indirizzo del sito"
                                     << "Copia l'indirizzo del sito negli appunti per 10 secondi.";
    }

    void copiaDalMenuDelCampo() {
        QFETCH(QString, campo);
        QFETCH(QString, voce);
        QFETCH(QString, suggerimento);
        auto* testo = finestra()->findChild<QLineEdit*>(campo);
        testo->setText(QStringLiteral("https://valore.it"));
        QGuiApplication::clipboard()->clear();
        QStringList voci;
        const bool visto = conMenuContestuale(testo, QPoint(10, 10), [&](QMenu* menu) {
            const QList<QAction*> azioni = menu->actions();
            // The first entry after the separator that ends the field's own.
            qsizetype posto = azioni.size() - 1;
            while (posto > 0 && !azioni[posto - 1]->isSeparator())
                --posto;
            QVERIFY(posto > 1);
            QAction* copia = azioni[posto];
            QCOMPARE(copia->text(), voce);
            QCOMPARE(copia->statusTip(), suggerimento);
            QVERIFY(copia->shortcut().toString().startsWith(QLatin1String("Ctrl+Alt+")));
            QAccessibleInterface* interfaccia = QAccessible::queryAccessibleInterface(menu);
            QCOMPARE(interfaccia->child(int(posto))->text(QAccessible::Name), voce);
            for (QAction* a : azioni)
                voci << a->text();
            scegliVoce(menu, voce);
        });
        QVERIFY(visto);
        // The field's own entries first: cut, copy, paste and the others of a text field.
        QVERIFY2(voci.size() > 4, qPrintable(voci.join(QLatin1Char('|'))));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("https://valore.it"));
    }

    // A message stays in the hint line as a hint does: while the pointer stays over the part of
    // the window it was on (a field on it included), until a command's hint or the empty line of
    // another part of the background takes over.
    void avvisoRestaComeUnSuggerimento() {
        ui().txtPassword->setText(QStringLiteral("segreta"));
        const QString copiata =
            QStringLiteral("Password copiata negli appunti: verrà cancellata tra 10 secondi.");
        const auto copia = [this] {
            QTest::keyClick(ui().txtTitolo, Qt::Key_P, Qt::ControlModifier | Qt::AltModifier);
        };
        mettiFocus(ui().txtTitolo);
        QTest::mouseMove(ui().bkgCredenziali, QPoint(3, 3));
        QTRY_COMPARE(ui().panInfo->text(), QString());
        copia();
        QCOMPARE(ui().panInfo->text(), copiata);
        QTest::mouseMove(ui().bkgCredenziali, QPoint(6, 4));
        QTest::mouseMove(ui().txtPassword, QPoint(5, 5));
        QTest::qWait(20);
        QCOMPARE(ui().panInfo->text(), copiata);
        QTest::mouseMove(ui().cmdSalva, QPoint(10, 10));
        QTRY_COMPARE(ui().panInfo->text(), QStringLiteral("Salva la scheda in archivio."));

        // Given with the pointer on a command: moves over the command keep it, as they keep the
        // command's hint.
        copia();
        QCOMPARE(ui().panInfo->text(), copiata);
        QTest::mouseMove(ui().cmdSalva, QPoint(12, 12));
        QTest::qWait(20);
        QCOMPARE(ui().panInfo->text(), copiata);
        QTest::mouseMove(ui().bkgCredenziali, QPoint(3, 3));
        QTRY_COMPARE(ui().panInfo->text(), QString());
        copia();
        QTest::mouseMove(ui().cmdTrova, QPoint(10, 10));
        QTRY_COMPARE(ui().panInfo->text(), QStringLiteral("Trova una scheda in archivio."));
    }

    // --- Full disk: saves and attachment copies on a real full file system ---
    // The program folder of these cases is a folder of a small tmpfs (support/DiscoPieno.h) that
    // the case fills up, so every write meets the system's own "no space left" answer.

private:
    void suDisco(const DiscoPieno& disco) {
        piattaforma->cartella = disco.Cartella() + QLatin1Char('/');
        percorso = piattaforma->cartella + QStringLiteral("Casa.psw");
    }

private Q_SLOTS:
    void salvataggioSuDiscoPieno_data() {
        QTest::addColumn<QString>("posizione");
        QTest::addColumn<int>("schede");
        QTest::newRow("new record appended") << "" << 3;
        // The window shows record 3, which another copy of the program has cut off meanwhile: the
        // save goes to the end, and needs room there.
        QTest::newRow("record shown no longer in the archive") << "3" << 2;
    }

    void salvataggioSuDiscoPieno() {
        SALTA_SENZA_DISCO_PIENO();
        QFETCH(QString, posizione);
        QFETCH(int, schede);
        DiscoPieno disco;
        suDisco(disco);
        apriArchivio(3);
        if (!posizione.isEmpty()) {
            ui().cmdUltimo->click();
            QCOMPARE(ui().lblPosizione->text(), posizione);
            QVERIFY(QFile::resize(percorso, schede * DimensioneScheda));
        }
        compilaObbligatori();
        const QByteArray prima = contenutoFile(percorso);
        QCOMPARE(prima.size(), schede * DimensioneScheda);
        QVERIFY(disco.Riempi());

        piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, AccessoNegato);
        ui().cmdSalva->click();
        QCOMPARE(ui().lblPosizione->text(), posizione);
        QCOMPARE(ui().txtTitolo->text(), QStringLiteral("Banca"));
        QCOMPARE(ui().txtUtente->text(), QStringLiteral("mrossi"));
        // A piece of the record may stay after the last one; it is not a record.
        QCOMPARE(contenutoFile(percorso).left(prima.size()), prima);
        QCOMPARE(ApriFileArchivio(percorso).NumeroSchede(), schede);

        // With room again the same save goes through, as the next record.
        QVERIFY(disco.Libera(DimensioneScheda));
        salva(SchedaInserita);
        QCOMPARE(ui().lblPosizione->text(), QString::number(schede + 1));
        QCOMPARE(lunghezzaArchivio(), (schede + 1) * DimensioneScheda);
        QCOMPARE(contenutoFile(percorso).left(prima.size()), prima);
        QCOMPARE(DecodificaCampo(leggiScheda(percorso, schede), Campo::Titolo),
                 QStringLiteral("Banca"));
    }

    // A record written over in place takes no new room, so a full disk does not stop a change.
    void sovrascritturaSuDiscoPieno() {
        SALTA_SENZA_DISCO_PIENO();
        DiscoPieno disco;
        suDisco(disco);
        apriArchivio(3);
        ui().cmdPrimo->click();
        ui().cmdAvanti->click();
        ui().txtPassword->setText(QStringLiteral("nuova-password"));
        const QByteArray prima = contenutoFile(percorso);
        QVERIFY(disco.Riempi());

        salva(ModificheSalvate);
        QCOMPARE(ui().lblPosizione->text(), QStringLiteral("2"));
        const QByteArray dopo = contenutoFile(percorso);
        QCOMPARE(dopo.size(), prima.size());
        QCOMPARE(dopo.left(DimensioneScheda), prima.left(DimensioneScheda));
        QCOMPARE(dopo.mid(2 * DimensioneScheda), prima.mid(2 * DimensioneScheda));
        QCOMPARE(DecodificaCampo(leggiScheda(percorso, 1), Campo::Password),
                 QStringLiteral("nuova-password"));
    }

    void allegatoSuDiscoPieno_data() {
        QTest::addColumn<bool>("copiaEsistente");
        QTest::newRow("over an existing copy, replaced with Yes") << true;
        QTest::newRow("first copy of the name") << false;
    }

    void allegatoSuDiscoPieno() {
        SALTA_SENZA_DISCO_PIENO();
        QFETCH(bool, copiaEsistente);
        DiscoPieno disco;
        suDisco(disco);
        QByteArray nuovo;
        for (int i = 0; nuovo.size() < 64 * 1024; ++i)
            nuovo += QByteArray::number(i) + ' ';
        const QString scelto = documento(QStringLiteral("estratto.pdf"));
        scriviFile(scelto, nuovo);
        const QByteArray vecchio("estratto conto di gennaio");
        if (copiaEsistente)
            scriviFile(allegati() + "estratto.pdf", vecchio);
        QVERIFY(QDir().mkpath(allegati()));
        QVERIFY(disco.Riempi());

        // The message asks to choose the file again once there is room: the second choice does.
        for (bool conSpazio : {false, true}) {
            if (conSpazio)
                QVERIFY(disco.Libera(nuovo.size()));
            if (copiaEsistente)
                piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaSovrascrivi,
                                     Risposta::Si);
            if (!conSpazio)
                piattaforma->attendi(TipoMessaggio::Errore, Pulsanti::OkAnnulla, CopiaNonRiuscita);
            piattaforma->attendiFile(scelto);

            conAllegati([&](TfrmAllegaCartella& finestra) {
                figlio<QPushButton>(&finestra, "btnSfoglia02")->click();
                QCOMPARE(figlio<QLineEdit>(&finestra, "txtFile02")->text(),
                         QStringLiteral("estratto.pdf"));
                figlio<QPushButton>(&finestra, "btnApplica")->click();
            });

            QCOMPARE(ui().lblFile02->text(), QStringLiteral("estratto.pdf"));
            if (conSpazio) {
                QVERIFY(contenutoFile(allegati() + "estratto.pdf") == nuovo);
            } else if (copiaEsistente) {
                QCOMPARE(contenutoFile(allegati() + "estratto.pdf"), vecchio);
            }
            QCOMPARE(fileSotto(allegati()), copiaEsistente || conSpazio
                                                ? QStringList{QStringLiteral("estratto.pdf")}
                                                : QStringList());
        }
    }
};

BLINDORO_TEST_MAIN_DISCO_PIENO(tst_Editor)

#include "tst_editor.moc"
