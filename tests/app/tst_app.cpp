// Start-up and the window set, the start window's transitions, every window as a screen reader and
// a keyboard user meet it, and the application object that shows a failure no handler caught.

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Applicazione.h"
#include "app/Avvio.h"
#include "app/Finestre.h"
#include "archive/ApriArchivio.h"
#include "archive/CreaArchivio.h"
#include "core/helptext/Produttore.h"
#include "core/password/Crypt.h"
#include "core/text/Formati.h"
#include "editor/AllegaCartella.h"
#include "editor/Blindoro.h"
#include "editor/Calendario.h"
#include "gui/Immagini.h"
#include "help/Guida.h"
#include "help/Info.h"
#include "help/Splash.h"
#include "output/ExpPassword.h"
#include "output/Segnalati.h"
#include "output/StampaCredenziali.h"
#include "output/TrovaPassword.h"
#include "support/Accessibile.h"
#include "support/AiutiFinestre.h"
#include "support/FileProva.h"
#include "support/PiattaformaProva.h"
#include "validators/CodFisc.h"
#include "validators/PartitaIVA.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <stdexcept>

class tst_App : public QObject {
    Q_OBJECT

    std::unique_ptr<PiattaformaProva> piattaforma;
    std::unique_ptr<TFinestre> finestre;

    QList<QWidget*> finestreVisibili() const {
        QList<QWidget*> visibili;
        for (QWidget* finestra : finestre->Elenco())
            if (finestra->isVisible())
                visibili << finestra;
        return visibili;
    }

    // The long-lived window of this class, built on its first use.
    QWidget* finestraDelleSei(const QString& classe) const {
        const QList<QPair<QString, QWidget* (*)(TFinestre&)>> finestreDelProgramma{
            {"TfrmPassword", [](TFinestre& f) -> QWidget* { return &f.Password(); }},
            {"TfrmAvvio", [](TFinestre& f) -> QWidget* { return &f.Avvio(); }},
            {"TfrmCambiaPassword", [](TFinestre& f) -> QWidget* { return &f.CambiaPassword(); }},
            {"TfrmCreaArchivio", [](TFinestre& f) -> QWidget* { return &f.CreaArchivio(); }},
            {"TfrmApriArchivio", [](TFinestre& f) -> QWidget* { return &f.ApriArchivio(); }},
            {"TfrmBlindoro", [](TFinestre& f) -> QWidget* { return &f.Blindoro(); }},
        };
        for (const auto& [nome, finestra] : finestreDelProgramma)
            if (nome == classe)
                return finestra(*finestre);
        return nullptr;
    }

    // A new dialog of this class, as a use of it makes one.
    std::unique_ptr<QWidget> nuovoDialogo(const QString& classe) {
        TfrmBlindoro* scheda = &finestre->Blindoro();
        if (classe == QLatin1String("TfrmGuida"))
            return std::make_unique<TfrmGuida>(scheda);
        if (classe == QLatin1String("TfrmInfo"))
            return std::make_unique<TfrmInfo>(scheda);
        if (classe == QLatin1String("TfrmSplash"))
            return std::make_unique<TfrmSplash>(scheda);
        if (classe == QLatin1String("TfrmPartitaIva"))
            return std::make_unique<TfrmPartitaIva>(scheda);
        if (classe == QLatin1String("TfrmCodFisc"))
            return std::make_unique<TfrmCodFisc>(scheda);
        if (classe == QLatin1String("TfrmCalendario"))
            return std::make_unique<TfrmCalendario>(scheda);
        if (classe == QLatin1String("TfrmAllegaCartella"))
            return std::make_unique<TfrmAllegaCartella>(scheda);
        if (classe == QLatin1String("TfrmTrovaPassword"))
            return std::make_unique<TfrmTrovaPassword>(scheda);
        if (classe == QLatin1String("TfrmSegnalati"))
            return std::make_unique<TfrmSegnalati>(scheda);
        if (classe == QLatin1String("TfrmExpPassword"))
            return std::make_unique<TfrmExpPassword>(scheda);
        if (classe == QLatin1String("TfrmStampaCredenziali"))
            return std::make_unique<TfrmStampaCredenziali>(scheda);
        return nullptr;
    }

    // Clicks a start-window picture that opens a modal dialog; returns the dialog's class name and
    // whether it was freed once its modal run ended.
    QPair<QString, bool> apriDialogoDa(const char* pulsante) {
        QString classe;
        QPointer<QWidget> dialogo;
        auto* comando = figlio<QAbstractButton>(&finestre->Avvio(), pulsante);
        const bool visto =
            conDialogoModale([&] { comando->click(); },
                             [&](QWidget* aperto) {
                                 classe = QString::fromLatin1(aperto->metaObject()->className());
                                 dialogo = aperto;
                                 if (aperto->parentWidget() != &finestre->Avvio())
                                     classe += QStringLiteral(" (wrong owner)");
                             });
        return {visto ? classe : QString(), dialogo.isNull()};
    }

private Q_SLOTS:
    // As when a screen reader listens: the toolkit announces every change, and makes the
    // interfaces it needs for that as soon as widgets are built.
    void initTestCase() { QAccessible::setActive(true); }

    void init() {
        piattaforma = std::make_unique<PiattaformaProva>();
        finestre = std::make_unique<TFinestre>();
    }

    void cleanup() {
        finestre.reset();
        VERIFICA_PIATTAFORMA(*piattaforma);
        piattaforma.reset();
    }

    void avvioMostraSoloLaFinestraDiAccesso() {
        // Only the login window exists before it shows; dialogs are made for each use only.
        const QList<QWidget*> elenco = finestre->Elenco();
        QCOMPARE(elenco.size(), 1);
        QCOMPARE(QString::fromLatin1(elenco[0]->metaObject()->className()),
                 QStringLiteral("TfrmPassword"));
        for (QWidget* finestra : QApplication::topLevelWidgets())
            QVERIFY2(!qobject_cast<QDialog*>(finestra), finestra->metaObject()->className());

        finestre->MostraFinestraPrincipale();
        QCOMPARE(finestreVisibili(), QList<QWidget*>{elenco[0]});
        QCOMPARE(elenco[0]->windowTitle(), QStringLiteral(" Blindoro - Autenticazione"));
        QVERIFY(QTest::qWaitForWindowExposed(elenco[0]));
        QApplication::setActiveWindow(elenco[0]);
        QTRY_COMPARE(QApplication::focusWidget(),
                     elenco[0]->findChild<QWidget*>(QStringLiteral("txtPassword")));
    }

    // Every other long-lived window is built on its first use, once: the same instance then serves
    // the whole run, hidden between uses.
    void finestreLungheCreateAlPrimoUso() {
        TfrmBlindoro* scheda = &finestre->Blindoro();
        TfrmAvvio* avvio = &finestre->Avvio();
        QCOMPARE(&finestre->Blindoro(), scheda);
        QCOMPARE(&finestre->Avvio(), avvio);
        const QStringList classi{"TfrmPassword", "TfrmBlindoro", "TfrmAvvio"};
        QStringList viste;
        for (QWidget* finestra : finestre->Elenco()) {
            viste << QString::fromLatin1(finestra->metaObject()->className());
            QVERIFY(!finestra->isVisible());
        }
        QCOMPARE(viste, classi);
    }

    // What replacements killed midway left beside the program and among the attachment copies goes
    // at start; the program's and the user's own files stay.
    void residuiRimossiAllAvvio() {
        const QString cartella = piattaforma->cartella;
        const QStringList residui = {"Blindoro.xls.0a1b2c3d.tmp",
                                     "Documenti_Allegati/contratto.pdf.99aa00ff.tmp"};
        const QStringList propri = {"Blindoro.xls", "lavoro.psw",
                                    "Documenti_Allegati/contratto.pdf"};
        for (const QString& nome : residui + propri)
            scriviFile(cartella + nome, "dati");

        RimuoviResiduiProgramma();

        for (const QString& nome : residui)
            QVERIFY2(!QFile::exists(cartella + nome), qPrintable(nome));
        for (const QString& nome : propri)
            QVERIFY2(QFile::exists(cartella + nome), qPrintable(nome));
    }

    void formatiDelProcessoPrimaDellaPrimaFinestra() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        TFinestre programma;
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        QCOMPARE(DataInTesto(QDate(2024, 3, 7)), QStringLiteral("07/03/2024"));
    }

    void formatiDelProcessoDallaFinestraDiAvvio() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        TfrmAvvio avvio;
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        QCOMPARE(DataInTesto(QDate(2024, 3, 7)), QStringLiteral("07/03/2024"));
        QCOMPARE(DataDaTesto(QStringLiteral("07/03/2024")), QDate(2024, 3, 7));
    }

    void ogniFinestraHaDidascaliaEGenere_data() {
        QTest::addColumn<QString>("classe");
        QTest::addColumn<QString>("didascalia");
        QTest::addColumn<bool>("dialogo");
        QTest::addColumn<QSize>("area");
        const QSize libera;
        QTest::newRow("avvio") << "TfrmAvvio"
                               << " Blindoro" << false << libera;
        QTest::newRow("cambio password") << "TfrmCambiaPassword"
                                         << " Cambia password" << false << QSize(411, 418);
        QTest::newRow("guida") << "TfrmGuida"
                               << " Guida all'utilizzo del software" << true << QSize(670, 572);
        QTest::newRow("informazioni") << "TfrmInfo"
                                      << " Informazioni su Blindoro" << true << QSize(473, 579);
        QTest::newRow("crediti") << "TfrmSplash"
                                 << "" << true << QSize(661, 467);
        QTest::newRow("creazione") << "TfrmCreaArchivio"
                                   << " Blindoro - Creazione blindoro" << false << libera;
        QTest::newRow("apertura") << "TfrmApriArchivio"
                                  << " Blindoro - Apertura blindoro" << false << libera;
        QTest::newRow("schede") << "TfrmBlindoro"
                                << " Blindoro - Gestione blindoro" << false << libera;
        QTest::newRow("partita IVA") << "TfrmPartitaIva"
                                     << " Controllo partita IVA" << true << QSize(480, 254);
        QTest::newRow("codice fiscale") << "TfrmCodFisc"
                                        << " Controllo codice fiscale" << true << QSize(478, 254);
        QTest::newRow("calendario") << "TfrmCalendario"
                                    << " Importazione data" << true << QSize(253, 294);
        QTest::newRow("allegati") << "TfrmAllegaCartella"
                                  << " Allega file" << true << QSize(634, 534);
        QTest::newRow("ricerca") << "TfrmTrovaPassword"
                                 << " Trova credenziali in archivio" << true << QSize(862, 560);
        QTest::newRow("scadute") << "TfrmSegnalati"
                                 << " Riepilogo password scadute" << true << QSize(862, 560);
        QTest::newRow("esportazione")
            << "TfrmExpPassword"
            << " Esporta blindoro in Microsoft Excel" << true << QSize(862, 560);
        QTest::newRow("stampa") << "TfrmStampaCredenziali"
                                << " Stampa scheda" << true << QSize(362, 287);
    }

    // A long-lived window is the one of the window set; a dialog is a new instance, as each use
    // makes one, owned by the record window.
    void ogniFinestraHaDidascaliaEGenere() {
        QFETCH(QString, classe);
        QFETCH(QString, didascalia);
        QFETCH(bool, dialogo);
        QFETCH(QSize, area);
        std::unique_ptr<QWidget> nuovo = dialogo ? nuovoDialogo(classe) : nullptr;
        QWidget* finestra = dialogo ? nuovo.get() : finestraDelleSei(classe);
        QVERIFY(finestra);
        QCOMPARE(QString::fromLatin1(finestra->metaObject()->className()), classe);
        if (didascalia.isEmpty()) // the credits window names the product and its maker
            QVERIFY(finestra->windowTitle().startsWith(QLatin1Char(' ')));
        else
            QCOMPARE(finestra->windowTitle(), didascalia);
        QCOMPARE(qobject_cast<QDialog*>(finestra) != nullptr, dialogo);
        QVERIFY(finestra->isWindow());
        QVERIFY(!finestra->isVisible());
        if (area.isValid()) {
            QCOMPARE(finestra->minimumSize(), area);
            QCOMPARE(finestra->maximumSize(), area);
            QVERIFY(!(finestra->windowFlags() & Qt::WindowCloseButtonHint));
        }
    }

    // Every picture of every window is drawn: each clickable picture has its icon, each
    // decorative one names an SVG of the resources.
    void ogniImmagineHaIlSuoDisegno_data() { ogniFinestraHaDidascaliaEGenere_data(); }

    void ogniImmagineHaIlSuoDisegno() {
        QFETCH(QString, classe);
        QFETCH(bool, dialogo);
        std::unique_ptr<QWidget> nuovo = dialogo ? nuovoDialogo(classe) : nullptr;
        QWidget* finestra = dialogo ? nuovo.get() : finestraDelleSei(classe);
        for (QAbstractButton* pulsante : finestra->findChildren<QAbstractButton*>()) {
            const QString icona = pulsante->property("icona").toString();
            if (icona.isEmpty())
                continue;
            QVERIFY2(QFile::exists(icona), qPrintable(icona));
            QVERIFY2(!pulsante->icon().pixmap(32).isNull(), qPrintable(pulsante->objectName()));
        }
        for (ImmagineSvg* immagine : finestra->findChildren<ImmagineSvg*>()) {
            QVERIFY2(QFile::exists(immagine->immagine()), qPrintable(immagine->objectName()));
            QVERIFY2(!IconaSvg(immagine->immagine()).pixmap(32).isNull(),
                     qPrintable(immagine->objectName()));
        }
    }

    void finestraAvvioPassaAlleAltre_data() {
        QTest::addColumn<QString>("pulsante");
        QTest::addColumn<QString>("raggiunta");
        QTest::newRow("imgCrea") << "imgCrea"
                                 << "TfrmCreaArchivio";
        QTest::newRow("btnCrea") << "btnCrea"
                                 << "TfrmCreaArchivio";
        QTest::newRow("imgApri") << "imgApri"
                                 << "TfrmApriArchivio";
        QTest::newRow("btnApri") << "btnApri"
                                 << "TfrmApriArchivio";
    }

    void finestraAvvioPassaAlleAltre() {
        QFETCH(QString, pulsante);
        QFETCH(QString, raggiunta);
        auto* avvio = &finestre->Avvio();
        finestre->Avvio().mostra();
        figlio<QAbstractButton>(avvio, qPrintable(pulsante))->click();
        QWidget* finestra = finestraDelleSei(raggiunta);
        QCOMPARE(finestreVisibili(), QList<QWidget*>{finestra});

        // Its close box leads back to the start window.
        finestra->close();
        QCOMPARE(finestreVisibili(), QList<QWidget*>{avvio});
    }

    void finestraAvvioApreDialoghiNuoviOgniVolta() {
        finestre->Avvio().mostra();
        const QPair<QString, bool> info1 = apriDialogoDa("imgInfo");
        const QPair<QString, bool> info2 = apriDialogoDa("imgInfo");
        QCOMPARE(info1, qMakePair(QStringLiteral("TfrmInfo"), true));
        QCOMPARE(info2, qMakePair(QStringLiteral("TfrmInfo"), true));
        QCOMPARE(apriDialogoDa("imgCopyright"), qMakePair(QStringLiteral("TfrmSplash"), true));
        QCOMPARE(apriDialogoDa("imgGuida"), qMakePair(QStringLiteral("TfrmGuida"), true));
        // No instance of a dialog outlives its use.
        for (QWidget* finestra : QApplication::topLevelWidgets())
            QVERIFY2(!qobject_cast<QDialog*>(finestra), finestra->metaObject()->className());
        QVERIFY(finestre->Avvio().isVisible());
    }

    void finestraAvvioApreIlSitoDelProduttore() {
        finestre->Avvio().mostra();
        figlio<QAbstractButton>(&finestre->Avvio(), "imgSito")->click();
        QCOMPARE(piattaforma->aperture.size(), 1);
        QCOMPARE(piattaforma->aperture[0].indirizzo,
                 QUrl(QString::fromLatin1(Produttore::SitoWeb)));
        QVERIFY(finestre->Avvio().isVisible());
    }

    void esciEChiusuraTerminanoIlProgramma_data() {
        QTest::addColumn<bool>("conCasellaDiChiusura");
        QTest::newRow("imgEsci") << false;
        QTest::newRow("casella di chiusura") << true;
    }

    void esciEChiusuraTerminanoIlProgramma() {
        QFETCH(bool, conCasellaDiChiusura);
        auto* avvio = &finestre->Avvio();
        finestre->Avvio().mostra();
        QTimer::singleShot(0, avvio, [&] {
            if (conCasellaDiChiusura)
                avvio->close();
            else
                figlio<QAbstractButton>(avvio, "imgEsci")->click();
        });
        // If the program did not end, this stops the loop with another code.
        QTimer::singleShot(3000, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void finestraAvvioHaPulsantiAccessibili() {
        for (auto* pulsante : finestre->Avvio().findChildren<QAbstractButton*>()) {
            QVERIFY2(!pulsante->accessibleName().isEmpty(), qPrintable(pulsante->objectName()));
            QVERIFY2(!pulsante->toolTip().isEmpty(), qPrintable(pulsante->objectName()));
            QCOMPARE(pulsante->cursor().shape(), Qt::PointingHandCursor);
            if (auto* immagine = qobject_cast<QToolButton*>(pulsante))
                QVERIFY2(!immagine->icon().pixmap(32).isNull(), qPrintable(pulsante->objectName()));
        }
    }

    void ogniFinestraOffertaAllaTecnologiaAssistiva_data() {
        ogniFinestraHaDidascaliaEGenere_data();
        QTest::newRow("accesso") << "TfrmPassword"
                                 << " Blindoro - Autenticazione" << false << QSize(388, 405);
    }

    // What a screen reader is told of every window of the program: a window or a dialog, named by
    // its caption; every command it offers with a name and a press action; its decorations not at
    // all; and Tab goes through its controls in their reading order.
    void ogniFinestraOffertaAllaTecnologiaAssistiva() {
        QFETCH(QString, classe);
        QFETCH(bool, dialogo);
        std::unique_ptr<QWidget> nuovo = dialogo ? nuovoDialogo(classe) : nullptr;
        QWidget* finestra = dialogo ? nuovo.get() : finestraDelleSei(classe);
        QAccessibleInterface* interfaccia = QAccessible::queryAccessibleInterface(finestra);
        QCOMPARE(interfaccia->role(), dialogo ? QAccessible::Dialog : QAccessible::Window);
        QCOMPARE(interfaccia->text(QAccessible::Name), finestra->windowTitle());
        for (const QStringList& problemi :
             {problemiComandi(finestra), problemiDecorazioni(finestra),
              problemiOrdineTab(finestra)})
            QVERIFY2(problemi.isEmpty(), qPrintable(problemi.join(QLatin1Char('\n'))));
    }

    // The start window's pictures are all reached with Tab, in the reading order: the two icons
    // at the top, the two large pictures, their two buttons, then the foot from left to right.
    // Enter presses the one that has the focus, Space too, and F1 opens the help from anywhere.
    void finestraAvvioDallaTastiera() {
        auto* avvio = &finestre->Avvio();
        QStringList ordine;
        for (QWidget* fermata : fermateTab(avvio))
            ordine << fermata->objectName();
        const QStringList attese{"imgInfo", "imgGuida",     "imgCrea", "imgApri", "btnCrea",
                                 "btnApri", "imgCopyright", "imgSito", "imgEsci"};
        const qsizetype inizio = ordine.indexOf(QStringLiteral("imgInfo"));
        QCOMPARE(ordine.mid(inizio) + ordine.mid(0, inizio), attese);

        avvio->mostra();
        QVERIFY(QTest::qWaitForWindowExposed(avvio));
        QApplication::setActiveWindow(avvio);
        auto* sito = figlio<QAbstractButton>(avvio, "imgSito");
        sito->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(sito->hasFocus());
        QTest::keyClick(sito, Qt::Key_Return);
        QTest::keyClick(sito, Qt::Key_Space);
        QCOMPARE(piattaforma->aperture.size(), 2);

        QString aperta;
        QVERIFY(conDialogoModale(
            [&] {
                QTest::keyClick(sito, Qt::Key_F1);
                QTRY_VERIFY(!aperta.isEmpty());
            },
            [&](QWidget* guida) {
                aperta = QString::fromLatin1(guida->metaObject()->className());
            }));
        QCOMPARE(aperta, QStringLiteral("TfrmGuida"));
        QCOMPARE(figlio<QAbstractButton>(avvio, "imgGuida")->toolTip(),
                 QStringLiteral("Guida all'utilizzo del software (F1)"));

        // The information and the credits: opened with Enter, left with Esc.
        for (const char* nome : {"imgInfo", "imgCopyright"}) {
            auto* immagine = figlio<QAbstractButton>(avvio, nome);
            QApplication::setActiveWindow(avvio);
            immagine->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(immagine->hasFocus());
            bool chiusaConEsc = false;
            QVERIFY(
                conDialogoModale([&] { QTest::keyClick(immagine, Qt::Key_Return); },
                                 [&](QWidget* dialogo) {
                                     QApplication::setActiveWindow(dialogo);
                                     QTRY_VERIFY(QApplication::focusWidget() &&
                                                 QApplication::focusWidget()->window() == dialogo);
                                     QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                                     chiusaConEsc = !dialogo->isVisible();
                                 }));
            QVERIFY2(chiusaConEsc, nome);
        }
    }

    // The whole round without a mouse: from the login window to the password change and back,
    // the login, the start window, an archive opened from the list, the record window left with
    // its keys, a new archive created, and back to the start window each time. Without a window
    // manager no window becomes active by itself, so the test activates each one shown, as the
    // desktop would.
    void ilProgrammaSenzaMouse() {
        scriviFile(piattaforma->cartella + QStringLiteral("unins000.dll"),
                   "[Accesso]\r\nValore=" +
                       EncryptToHex(QStringLiteral("PERGOLATOVERDE")).toLatin1() + "\r\n");
        scriviFile(piattaforma->cartella + QStringLiteral("Casa.psw"));
        const auto attiva = [](QWidget* finestra) {
            QVERIFY(QTest::qWaitForWindowExposed(finestra));
            QApplication::setActiveWindow(finestra);
            QTRY_VERIFY(QApplication::focusWidget() &&
                        QApplication::focusWidget()->window() == finestra);
        };
        const auto tasto = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
            QTest::keyClick(QApplication::focusWidget(), k, m);
        };
        // Tab until the control named `nome` has the focus; false when it is never reached.
        const auto tabFino = [&](const char* nome) {
            for (int i = 0; i < 20; ++i) {
                if (QApplication::focusWidget()->objectName() == QLatin1String(nome))
                    return true;
                tasto(Qt::Key_Tab);
            }
            return false;
        };

        finestre->MostraFinestraPrincipale();
        attiva(&finestre->Password());
        QVERIFY(tabFino("btnCambiaPassword"));
        tasto(Qt::Key_Space);
        QCOMPARE(finestreVisibili(), QList<QWidget*>{&finestre->CambiaPassword()});
        attiva(&finestre->CambiaPassword());
        QVERIFY(tabFino("cmdEsci"));
        tasto(Qt::Key_Space);
        QCOMPARE(finestreVisibili(), QList<QWidget*>{&finestre->Password()});

        attiva(&finestre->Password());
        QVERIFY(tabFino("txtPassword"));
        digita(QApplication::focusWidget(), QStringLiteral("pergolatoverde"));
        tasto(Qt::Key_Return);
        QCOMPARE(finestreVisibili(), QList<QWidget*>{&finestre->Avvio()});

        attiva(&finestre->Avvio());
        QVERIFY(tabFino("imgApri"));
        tasto(Qt::Key_Return);
        QCOMPARE(finestreVisibili(), QList<QWidget*>{&finestre->ApriArchivio()});
        attiva(&finestre->ApriArchivio());
        QVERIFY(tabFino("lstFiles"));
        tasto(Qt::Key_Down);
        QVERIFY(tabFino("btnApri"));
        tasto(Qt::Key_Space);
        QCOMPARE(finestreVisibili(), QList<QWidget*>{&finestre->Blindoro()});
        QCOMPARE(finestre->Blindoro().NomeArchivio(), QStringLiteral("Casa"));

        attiva(&finestre->Blindoro());
        tasto(Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(finestreVisibili(), QList<QWidget*>{&finestre->Avvio()});

        attiva(&finestre->Avvio());
        QVERIFY(tabFino("btnCrea"));
        tasto(Qt::Key_Return);
        QCOMPARE(finestreVisibili(), QList<QWidget*>{&finestre->CreaArchivio()});
        attiva(&finestre->CreaArchivio());
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtFile"));
        digita(QApplication::focusWidget(), QStringLiteral("Lavoro"));
        QVERIFY(tabFino("btnApplica"));
        piattaforma->attendi(
            TipoMessaggio::Informazione, Pulsanti::OkAnnulla,
            QStringLiteral("Il file di archivio relativo al nuovo archivio di password è stato "
                           "creato con successo.\r\n\r\nE' ora possibile visualizzarlo "
                           "nell'elenco degli archivi di password esistenti."));
        tasto(Qt::Key_Return);
        QVERIFY(QFile::exists(piattaforma->cartella + QStringLiteral("Lavoro.psw")));
        QCOMPARE(finestreVisibili(), QList<QWidget*>{&finestre->Avvio()});
    }

    // The application object's last net: a failure that reaches it all the same is shown in the
    // error box with its own text, and the program goes on. (Sent straight to an object, so that
    // no Qt frame that would need its destructors run lies between the failure and the net.)
    void erroreNonGestitoMostratoEIlProgrammaProsegue() {
        class Fallisce : public QObject {
        public:
            int eventi = 0;

        protected:
            bool event(QEvent* evento) override {
                if (evento->type() != QEvent::User)
                    return QObject::event(evento);
                if (++eventi == 1)
                    throw std::runtime_error("Spazio su disco esaurito.");
                return true;
            }
        } destinatario;
        piattaforma->attendi(TipoMessaggio::Errore, Pulsanti::Ok,
                             QStringLiteral("Spazio su disco esaurito."));
        QEvent primo(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&destinatario, &primo));
        QEvent secondo(QEvent::User);
        QVERIFY(QCoreApplication::sendEvent(&destinatario, &secondo));
        QCOMPARE(destinatario.eventi, 2);
    }
};

BLINDORO_TEST_MAIN(tst_App)
#include "tst_app.moc"
