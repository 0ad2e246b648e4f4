// What the single fields and small buttons of the record window do while the user works: hints,
// focus colours, Enter order, masking, web address and e-mail, case folding.

#include "ui_Blindoro.h"

#include "gui/Convenzioni.h"
#include "app/Finestre.h"
#include "editor/Blindoro.h"
#include "support/AiutiFinestre.h"
#include "support/PiattaformaProva.h"

#include <QApplication>
#include <memory>

class TestCampi : public QObject {
    Q_OBJECT

    std::unique_ptr<PiattaformaProva> piattaforma;
    std::unique_ptr<FinestreProva> finestre;

    Ui::TfrmBlindoro& ui() { return *frmBlindoro->ui; }

    void mettiFocus(QWidget* campo) {
        campo->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), campo);
    }

private Q_SLOTS:
    void init() {
        piattaforma = std::make_unique<PiattaformaProva>();
        finestre = std::make_unique<FinestreProva>();
        ui().lblFile->setText(piattaforma->cartella + QStringLiteral("Casa.psw"));
        ui().lblNome->setText(QStringLiteral("Casa"));
        frmBlindoro->mostra();
        QVERIFY(QTest::qWaitForWindowExposed(frmBlindoro));
        QApplication::setActiveWindow(frmBlindoro);
    }

    void cleanup() {
        finestre.reset();
        VERIFICA_PIATTAFORMA(*piattaforma);
        piattaforma.reset();
    }

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
        frmBlindoro->close();
        frmBlindoro->mostra();
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
        QCOMPARE(proprietario, static_cast<QWidget*>(frmBlindoro));
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
            QString etichetta;
            const bool aperto = conDialogoModale(
                [&] { QTest::keyClick(ui().txtScadenza, tasto); },
                [&](QWidget* dialogo) {
                    etichetta = dialogo->findChild<QLabel*>(QStringLiteral("lblMemory"))->text();
                });
            QVERIFY(aperto);
            QCOMPARE(etichetta, QStringLiteral("data_scadenza"));
            QCOMPARE(ui().txtScadenza->text(), QString());
        }
        // Tab moves on, as everywhere.
        QApplication::setActiveWindow(frmBlindoro);
        mettiFocus(ui().txtScadenza);
        QTest::keyClick(ui().txtScadenza, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), ui().txtDomanda);
    }
};

BLINDORO_TEST_MAIN(TestCampi)
#include "tst_campi.moc"
