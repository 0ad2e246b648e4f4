// Start-up, the start window's transitions and the conventions every window shares: message
// boxes, the shell hand-over, uncaught failures, focus highlight, hint line, Enter order, links.

#include "app/Avvio.h"
#include "gui/Convenzioni.h"
#include "app/Finestre.h"
#include "core/text/Formati.h"
#include "gui/Messaggi.h"
#include "gui/OpenURL.h"
#include "gui/PiattaformaQt.h"
#include "core/helptext/Produttore.h"
#include "support/AiutiFinestre.h"
#include "support/PiattaformaProva.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>
#include <stdexcept>

class TestFondamenta : public QObject {
    Q_OBJECT

    std::unique_ptr<PiattaformaProva> piattaforma;
    std::unique_ptr<FinestreProva> finestre;

    QList<QWidget*> finestreVisibili() const {
        QList<QWidget*> visibili;
        for (QWidget* finestra : ElencoFinestre())
            if (finestra->isVisible())
                visibili << finestra;
        return visibili;
    }

    // Clicks a start-window picture that opens a modal dialog; returns the dialog's class name and
    // whether it was freed once its modal run ended.
    QPair<QString, bool> apriDialogoDa(const char* pulsante) {
        QString classe;
        QPointer<QWidget> dialogo;
        auto* comando = figlio<QAbstractButton>(reinterpret_cast<QWidget*>(frmAvvio), pulsante);
        const bool visto =
            conDialogoModale([&] { comando->click(); },
                             [&](QWidget* aperto) {
                                 classe = QString::fromLatin1(aperto->metaObject()->className());
                                 dialogo = aperto;
                                 if (aperto->parentWidget() != reinterpret_cast<QWidget*>(frmAvvio))
                                     classe += QStringLiteral(" (wrong owner)");
                             });
        return {visto ? classe : QString(), dialogo.isNull()};
    }

private Q_SLOTS:
    void init() {
        piattaforma = std::make_unique<PiattaformaProva>();
        finestre = std::make_unique<FinestreProva>();
    }

    void cleanup() {
        finestre.reset();
        VERIFICA_PIATTAFORMA(*piattaforma);
        piattaforma.reset();
    }

    void avvioMostraSoloLaFinestraDiAccesso() {
        const QStringList classi{"TfrmPassword",
                                 "TfrmAvvio",
                                 "TfrmCambiaPassword",
                                 "TfrmGuida",
                                 "TfrmInfo",
                                 "TfrmSplash",
                                 "TfrmCreaArchivio",
                                 "TfrmApriArchivio",
                                 "TfrmBlindoro",
                                 "TfrmPartitaIva",
                                 "TfrmCodFisc",
                                 "TfrmCalendario",
                                 "TfrmAllegaCartella",
                                 "TfrmTrovaPassword",
                                 "TfrmSegnalati",
                                 "TfrmExpPassword",
                                 "TfrmStampaCredenziali"};
        const auto& elenco = ElencoFinestre();
        QCOMPARE(static_cast<int>(elenco.size()), classi.size());
        for (int i = 0; i < classi.size(); ++i)
            QCOMPARE(QString::fromLatin1(elenco[i]->metaObject()->className()), classi[i]);

        MostraFinestraPrincipale();
        QCOMPARE(finestreVisibili(), QList<QWidget*>{elenco[0]});
        QCOMPARE(elenco[0]->windowTitle(), QStringLiteral(" Blindoro - Autenticazione"));
        QVERIFY(QTest::qWaitForWindowExposed(elenco[0]));
        QApplication::setActiveWindow(elenco[0]);
        QTRY_COMPARE(QApplication::focusWidget(),
                     elenco[0]->findChild<QWidget*>(QStringLiteral("txtPassword")));
    }

    void formatiDelProcessoDallaFinestraDiAvvio() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        TfrmAvvio avvio;
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        QCOMPARE(DataInTesto(QDate(2024, 3, 7)), QStringLiteral("07/03/2024"));
        QCOMPARE(DataDaTesto(QStringLiteral("07/03/2024")), QDate(2024, 3, 7));
    }

    void ogniFinestraHaDidascaliaEGenere_data() {
        QTest::addColumn<int>("ordine");
        QTest::addColumn<QString>("didascalia");
        QTest::addColumn<bool>("dialogo");
        QTest::addColumn<QSize>("area");
        const QSize libera;
        QTest::newRow("avvio") << 2 << " Blindoro" << false << libera;
        QTest::newRow("cambio password") << 3 << " Cambia password" << false << QSize(411, 418);
        QTest::newRow("guida") << 4 << " Guida all'utilizzo del software" << true
                               << QSize(670, 572);
        QTest::newRow("informazioni")
            << 5 << " Informazioni su Blindoro" << true << QSize(473, 579);
        QTest::newRow("crediti") << 6 << "" << true << QSize(661, 467);
        QTest::newRow("creazione") << 7 << " Blindoro - Creazione blindoro" << false << libera;
        QTest::newRow("apertura") << 8 << " Blindoro - Apertura blindoro" << false << libera;
        QTest::newRow("schede") << 9 << " Blindoro - Gestione blindoro" << false << libera;
        QTest::newRow("partita IVA") << 10 << " Controllo partita IVA" << true << QSize(480, 254);
        QTest::newRow("codice fiscale")
            << 11 << " Controllo codice fiscale" << true << QSize(478, 254);
        QTest::newRow("calendario") << 12 << " Importazione data" << true << QSize(253, 294);
        QTest::newRow("allegati") << 13 << " Allega file" << true << QSize(634, 534);
        QTest::newRow("ricerca") << 14 << " Trova credenziali in archivio" << true
                                 << QSize(862, 560);
        QTest::newRow("scadute") << 15 << " Riepilogo password scadute" << true << QSize(862, 560);
        QTest::newRow("esportazione")
            << 16 << " Esporta blindoro in Microsoft Excel" << true << QSize(862, 560);
        QTest::newRow("stampa") << 17 << " Stampa scheda" << true << QSize(362, 287);
    }

    void ogniFinestraHaDidascaliaEGenere() {
        QFETCH(int, ordine);
        QFETCH(QString, didascalia);
        QFETCH(bool, dialogo);
        QFETCH(QSize, area);
        QWidget* finestra = ElencoFinestre()[ordine - 1];
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

    void finestraAvvioPassaAlleAltre_data() {
        QTest::addColumn<QString>("pulsante");
        QTest::addColumn<int>("ordineRaggiunta");
        QTest::newRow("imgCrea") << "imgCrea" << 7;
        QTest::newRow("btnCrea") << "btnCrea" << 7;
        QTest::newRow("imgApri") << "imgApri" << 8;
        QTest::newRow("btnApri") << "btnApri" << 8;
    }

    void finestraAvvioPassaAlleAltre() {
        QFETCH(QString, pulsante);
        QFETCH(int, ordineRaggiunta);
        auto* avvio = reinterpret_cast<QWidget*>(frmAvvio);
        frmAvvio->mostra();
        figlio<QAbstractButton>(avvio, qPrintable(pulsante))->click();
        QWidget* raggiunta = ElencoFinestre()[ordineRaggiunta - 1];
        QCOMPARE(finestreVisibili(), QList<QWidget*>{raggiunta});

        // Its close box leads back to the start window.
        raggiunta->close();
        QCOMPARE(finestreVisibili(), QList<QWidget*>{avvio});
    }

    void finestraAvvioApreDialoghiNuoviOgniVolta() {
        frmAvvio->mostra();
        const QPair<QString, bool> info1 = apriDialogoDa("imgInfo");
        const QPair<QString, bool> info2 = apriDialogoDa("imgInfo");
        QCOMPARE(info1, qMakePair(QStringLiteral("TfrmInfo"), true));
        QCOMPARE(info2, qMakePair(QStringLiteral("TfrmInfo"), true));
        QCOMPARE(apriDialogoDa("imgCopyright"), qMakePair(QStringLiteral("TfrmSplash"), true));
        QCOMPARE(apriDialogoDa("imgGuida"), qMakePair(QStringLiteral("TfrmGuida"), true));
        // The instances created at start are never shown and stay where they are.
        QVERIFY(frmInfo && !reinterpret_cast<QWidget*>(frmInfo)->isVisible());
        QVERIFY(reinterpret_cast<QWidget*>(frmAvvio)->isVisible());
    }

    void finestraAvvioApreIlSitoDelProduttore() {
        frmAvvio->mostra();
        figlio<QAbstractButton>(reinterpret_cast<QWidget*>(frmAvvio), "imgSito")->click();
        QCOMPARE(piattaforma->aperture.size(), 1);
        QCOMPARE(piattaforma->aperture[0].indirizzo,
                 QUrl(QString::fromLatin1(Produttore::SitoWeb)));
        QVERIFY(reinterpret_cast<QWidget*>(frmAvvio)->isVisible());
    }

    void esciEChiusuraTerminanoIlProgramma_data() {
        QTest::addColumn<bool>("conCasellaDiChiusura");
        QTest::newRow("imgEsci") << false;
        QTest::newRow("casella di chiusura") << true;
    }

    void esciEChiusuraTerminanoIlProgramma() {
        QFETCH(bool, conCasellaDiChiusura);
        auto* avvio = reinterpret_cast<QWidget*>(frmAvvio);
        frmAvvio->mostra();
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
        for (auto* pulsante :
             reinterpret_cast<QWidget*>(frmAvvio)->findChildren<QAbstractButton*>()) {
            QVERIFY2(!pulsante->accessibleName().isEmpty(), qPrintable(pulsante->objectName()));
            QVERIFY2(!pulsante->toolTip().isEmpty(), qPrintable(pulsante->objectName()));
            QCOMPARE(pulsante->cursor().shape(), Qt::PointingHandCursor);
            if (auto* immagine = qobject_cast<QToolButton*>(pulsante))
                QVERIFY2(!immagine->icon().pixmap(32).isNull(), qPrintable(pulsante->objectName()));
        }
    }

    void finestreMessaggioHannoDidascaliaEPulsanti_data() {
        QTest::addColumn<TipoMessaggio>("tipo");
        QTest::addColumn<Pulsanti>("pulsanti");
        QTest::addColumn<QString>("didascalia");
        QTest::addColumn<QStringList>("testiPulsanti");
        QTest::newRow("avviso") << TipoMessaggio::Avviso << Pulsanti::OkAnnulla << "Warning"
                                << QStringList{"OK", "Annulla"};
        QTest::newRow("errore") << TipoMessaggio::Errore << Pulsanti::OkAnnulla << "Error"
                                << QStringList{"OK", "Annulla"};
        QTest::newRow("informazione") << TipoMessaggio::Informazione << Pulsanti::OkAnnulla
                                      << "Information" << QStringList{"OK", "Annulla"};
        QTest::newRow("conferma") << TipoMessaggio::Conferma << Pulsanti::SiNo << "Confirm"
                                  << QStringList{"Sì", "No"};
        QTest::newRow("semplice") << TipoMessaggio::Semplice << Pulsanti::Ok << ""
                                  << QStringList{"OK"};
    }

    void finestreMessaggioHannoDidascaliaEPulsanti() {
        QFETCH(TipoMessaggio, tipo);
        QFETCH(Pulsanti, pulsanti);
        QFETCH(QString, didascalia);
        QFETCH(QStringList, testiPulsanti);
        const auto box = creaFinestraMessaggio(nullptr, tipo, pulsanti,
                                               QStringLiteral("Prima riga.\n\rSeconda riga."));
        QCOMPARE(box->windowTitle(), didascalia);
        QCOMPARE(box->icon() == QMessageBox::NoIcon, tipo == TipoMessaggio::Semplice);
        QCOMPARE(box->text(), QStringLiteral("Prima riga.\nSeconda riga."));
        QStringList testi;
        for (QAbstractButton* pulsante : box->buttons())
            testi << pulsante->text().remove(QLatin1Char('&'));
        testi.sort();
        testiPulsanti.sort();
        QCOMPARE(testi, testiPulsanti);
    }

    void confermaRispondeSoloSiONo() {
        PiattaformaQt sistema;
        Risposta risposta = Risposta::Ok;
        bool ancoraAperta = false;
        conDialogoModale(
            [&] {
                risposta = sistema.messaggio(nullptr, TipoMessaggio::Conferma, Pulsanti::SiNo,
                                             QStringLiteral("Si conferma?"));
            },
            [&](QWidget* box) {
                QTest::keyClick(box, Qt::Key_Escape);
                box->close();
                QTest::qWait(20);
                ancoraAperta = box->isVisible();
                static_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
            });
        QVERIFY(ancoraAperta);
        QCOMPARE(risposta, Risposta::No);
    }

    void avvisoSiChiudeConEntrambiIPulsantiEConEsc() {
        PiattaformaQt sistema;
        for (int modo = 0; modo < 3; ++modo) {
            bool visto = conDialogoModale(
                [&] {
                    sistema.messaggio(nullptr, TipoMessaggio::Avviso, Pulsanti::OkAnnulla,
                                      QStringLiteral("Attenzione."));
                },
                [&](QWidget* box) {
                    auto* messaggio = static_cast<QMessageBox*>(box);
                    if (modo == 0)
                        messaggio->button(QMessageBox::Ok)->click();
                    else if (modo == 1)
                        messaggio->button(QMessageBox::Cancel)->click();
                    else
                        QTest::keyClick(box, Qt::Key_Escape);
                    QVERIFY(!box->isVisible());
                });
            QVERIFY(visto);
        }
    }

    void consegnaAlSistema_data() {
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QUrl>("atteso");
        const QString conSpazi = QStringLiteral("/tmp/cartella con spazi/Guida.pdf");
        QTest::newRow("sito https")
            << "https://www.esempio.it/accesso" << QUrl("https://www.esempio.it/accesso");
        QTest::newRow("sito http") << "http://esempio.it" << QUrl("http://esempio.it");
        QTest::newRow("schema maiuscolo") << "HTTPS://ESEMPIO.IT" << QUrl("https://esempio.it");
        QTest::newRow("posta tra virgolette")
            << "\"mailto:info@esempio.it?subject=Software Blindoro\""
            << QUrl("mailto:info@esempio.it?subject=Software Blindoro", QUrl::TolerantMode);
        QTest::newRow("documento con spazi")
            << "\"" + conSpazi + "\"" << QUrl::fromLocalFile(conSpazi);
        QTest::newRow("javascript") << "javascript:alert(1)" << QUrl();
        QTest::newRow("file") << "file:///etc/passwd" << QUrl();
        QTest::newRow("ftp") << "ftp://esempio.it" << QUrl();
        QTest::newRow("vuoto") << "" << QUrl();
        QTest::newRow("virgolette vuote") << "\"\"" << QUrl();
    }

    void consegnaAlSistema() {
        QFETCH(QString, comando);
        QFETCH(QUrl, atteso);
        TMisc::Open(comando);
        if (atteso.isEmpty()) {
            QVERIFY(piattaforma->aperture.isEmpty());
            return;
        }
        QCOMPARE(piattaforma->aperture.size(), 1);
        QCOMPARE(piattaforma->aperture[0].comando, comando);
        QCOMPARE(piattaforma->aperture[0].indirizzo, atteso);
        if (atteso.isLocalFile())
            QCOMPARE(piattaforma->aperture[0].indirizzo.toLocalFile(), atteso.toLocalFile());
    }

    void erroreNonGestitoMostratoEIlProgrammaProsegue() {
        QWidget finestra;
        auto* pulsante = new QPushButton(QStringLiteral("Salva"), &finestra);
        int clic = 0;
        connect(pulsante, &QPushButton::clicked, &finestra, [&clic] {
            if (++clic == 1)
                throw std::runtime_error("Spazio su disco esaurito.");
        });
        finestra.show();
        piattaforma->attendi(TipoMessaggio::Errore, Pulsanti::Ok,
                             QStringLiteral("Spazio su disco esaurito."));
        QTest::mouseClick(pulsante, Qt::LeftButton);
        QVERIFY(finestra.isVisible());
        QTest::mouseClick(pulsante, Qt::LeftButton);
        QCOMPARE(clic, 2);
    }

    void evidenziazioneSfondoSegueIlFocus() {
        QWidget finestra;
        auto* layout = new QVBoxLayout(&finestra);
        auto* bianco = new QLineEdit(&finestra);
        auto* grigio = new QLineEdit(&finestra);
        auto* pulsante = new QPushButton(QStringLiteral("OK"), &finestra);
        layout->addWidget(bianco);
        layout->addWidget(grigio);
        layout->addWidget(pulsante);
        auto* evidenziazione = new EvidenziazioneSfondo(&finestra);
        evidenziazione->aggiungi(bianco, Colori::AliceBlue);
        evidenziazione->aggiungi(grigio, Colori::White);
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        QApplication::setActiveWindow(&finestra);
        const QPoint interno(6, 4);
        pulsante->setFocus();

        QCOMPARE(coloreVisto(bianco, interno), Colori::AliceBlue);
        QCOMPARE(coloreVisto(grigio, interno), Colori::White);
        QCOMPARE(coloreVisto(bianco, QPoint(0, bianco->height() / 2)), Colori::SkyBlue);
        bianco->setFocus();
        QTRY_COMPARE(coloreVisto(bianco, interno), Colori::Yellow);
        grigio->setFocus();
        QTRY_COMPARE(coloreVisto(grigio, interno), Colori::Yellow);
        QCOMPARE(coloreVisto(bianco, interno), Colori::AliceBlue);
    }

    void evidenziazioneAloneSegueIlFocus() {
        QWidget finestra;
        auto* campo = new QLineEdit(&finestra);
        campo->setGeometry(20, 20, 200, 30);
        auto* altro = new QLineEdit(&finestra);
        altro->setGeometry(20, 80, 200, 30);
        auto* evidenziazione = new EvidenziazioneAlone(&finestra);
        QWidget* alone = evidenziazione->aggiungi(campo, QStringLiteral("effPassword"));
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        QApplication::setActiveWindow(&finestra);

        QCOMPARE(finestra.findChild<QWidget*>(QStringLiteral("effPassword")), alone);
        QCOMPARE(alone->geometry(), QRect(16, 16, 208, 38));
        altro->setFocus();
        QVERIFY(!alone->isVisible());
        campo->setFocus();
        QTRY_VERIFY(alone->isVisible());
        QCOMPARE(coloreVisto(&finestra, QPoint(19, 35)), Colori::Yellow);
        altro->setFocus();
        QTRY_VERIFY(!alone->isVisible());
    }

    void rigaSuggerimentiSegueIlMouse() {
        QWidget finestra;
        finestra.resize(400, 200);
        auto* comando = new QPushButton(QStringLiteral("Salva"), &finestra);
        comando->setGeometry(10, 10, 80, 30);
        auto* didascalia = new QLabel(QStringLiteral("Titolo sito Web:"), &finestra);
        didascalia->setGeometry(10, 60, 150, 20);
        auto* riga =
            new QLabel(QStringLiteral("Pronto per archiviare una nuova scheda..."), &finestra);
        riga->setGeometry(0, 170, 400, 30);
        auto* suggerimenti = new RigaSuggerimenti(riga);
        suggerimenti->suggerimento(comando, QStringLiteral("Salva la scheda in archivio."));
        suggerimenti->sfondo(&finestra);
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));

        QTest::mouseMove(&finestra, QPoint(300, 100));
        QTest::mouseMove(comando, QPoint(20, 10));
        QTRY_COMPARE(riga->text(), QStringLiteral("Salva la scheda in archivio."));
        QTest::mouseMove(didascalia, QPoint(30, 10));
        QTest::qWait(20);
        QCOMPARE(riga->text(), QStringLiteral("Salva la scheda in archivio."));
        QTest::mouseMove(&finestra, QPoint(300, 100));
        QTRY_COMPARE(riga->text(), QString());
    }

    void invioSpostaIlFocusEMaiPremeUnPulsante() {
        QDialog dialogo;
        auto* layout = new QVBoxLayout(&dialogo);
        auto* primo = new QLineEdit(&dialogo);
        auto* secondo = new QLineEdit(&dialogo);
        auto* libero = new QLineEdit(&dialogo);
        auto* ok = new QPushButton(QStringLiteral("OK"), &dialogo);
        for (QWidget* w : {static_cast<QWidget*>(primo), static_cast<QWidget*>(secondo),
                           static_cast<QWidget*>(libero), static_cast<QWidget*>(ok)})
            layout->addWidget(w);
        ok->setDefault(true);
        int premuto = 0;
        connect(ok, &QPushButton::clicked, &dialogo, [&premuto] { ++premuto; });
        auto* invio = new TastoInvio(&dialogo);
        invio->sposta(primo, secondo);
        invio->sposta(secondo, primo);
        dialogo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialogo));
        QApplication::setActiveWindow(&dialogo);

        primo->setFocus();
        QTest::keyClick(primo, Qt::Key_Return);
        QTRY_VERIFY(secondo->hasFocus());
        QTest::keyClick(secondo, Qt::Key_Enter);
        QTRY_VERIFY(primo->hasFocus());
        libero->setFocus();
        QTest::keyClick(libero, Qt::Key_Return);
        QVERIFY(libero->hasFocus());
        QCOMPARE(premuto, 0);
        QVERIFY(dialogo.isVisible());
    }

    void collegamentoCambiaColoreEApre() {
        QWidget finestra;
        auto* testo = new QPushButton(QStringLiteral("Visualizza guida in formato PDF"), &finestra);
        auto* icona = new QToolButton(&finestra);
        icona->move(0, 40);
        int aperture = 0;
        preparaCollegamento(testo, icona, [&aperture] { ++aperture; });
        const auto colore = [testo] { return testo->palette().color(QPalette::ButtonText); };
        QCOMPARE(colore(), Colori::Collegamento);
        QVERIFY(testo->font().underline());

        for (QAbstractButton* parte :
             {static_cast<QAbstractButton*>(testo), static_cast<QAbstractButton*>(icona)}) {
            QTest::mousePress(parte, Qt::LeftButton);
            QCOMPARE(colore(), Colori::CollegamentoPremuto);
            QTest::mouseRelease(parte, Qt::LeftButton);
            QCOMPARE(colore(), Colori::Collegamento);
        }
        QCOMPARE(aperture, 2);
        QCOMPARE(icona->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(icona->accessibleName(), testo->text());
    }
};

BLINDORO_TEST_MAIN(TestFondamenta)
#include "tst_fondamenta.moc"
