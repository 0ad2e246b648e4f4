// Start-up and the window set, the start window's transitions, and the application object that
// shows a failure no handler caught.

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "app/Finestre.h"
#include "archive/ApriArchivio.h"
#include "archive/CreaArchivio.h"
#include "core/helptext/Produttore.h"
#include "core/text/Formati.h"
#include "editor/AllegaCartella.h"
#include "editor/Calendario.h"
#include "gui/Immagini.h"
#include "help/Guida.h"
#include "help/Info.h"
#include "help/Splash.h"
#include "output/ExpPassword.h"
#include "output/Segnalati.h"
#include "output/StampaCredenziali.h"
#include "output/TrovaPassword.h"
#include "support/AiutiFinestre.h"
#include "support/PiattaformaProva.h"
#include "validators/CodFisc.h"
#include "validators/PartitaIVA.h"

#include <QAbstractButton>
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
