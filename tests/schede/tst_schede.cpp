// The record window on real archive files: opening, navigation, new, duplicate and save.

#include "ui_Blindoro.h"

#include "app/Finestre.h"
#include "core/storage/FileArchivio.h"
#include "editor/Blindoro.h"
#include "support/AiutiFinestre.h"
#include "support/PiattaformaProva.h"
#include "support/Privilegi.h"

#include <QApplication>
#include <QFile>
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

} // namespace

class TestSchede : public QObject {
    Q_OBJECT

    std::unique_ptr<PiattaformaProva> piattaforma;
    std::unique_ptr<FinestreProva> finestre;
    QString percorso;

    Ui::TfrmBlindoro& ui() { return *frmBlindoro->ui; }
    QWidget* finestra() { return frmBlindoro; }

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
        ui().lblFile->setText(percorso);
        ui().lblNome->setText(QStringLiteral("Casa"));
        frmBlindoro->mostra();
        QVERIFY(QTest::qWaitForWindowExposed(finestra()));
        QApplication::setActiveWindow(finestra());
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

private Q_SLOTS:
    void init() {
        piattaforma = std::make_unique<PiattaformaProva>();
        finestre = std::make_unique<FinestreProva>();
        percorso = piattaforma->cartella + QStringLiteral("Casa.psw");
    }

    void cleanup() {
        finestre.reset();
        VERIFICA_PIATTAFORMA(*piattaforma);
        piattaforma.reset();
    }

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
        QVERIFY(reinterpret_cast<QWidget*>(frmAvvio)->isVisible());
        frmBlindoro->mostra();
        QCOMPARE(ui().txtTitolo->text(), QString());
        QCOMPARE(ui().lblPosizione->text(), QString());
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
            ui().lblPosizione->setText(partenza);
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
        ui().lblPosizione->setText(partenza);
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
        ui().lblPosizione->setText(QStringLiteral("3"));
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
        ui().lblFile02->setText(QStringLiteral("carta.jpg"));
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
};

BLINDORO_TEST_MAIN_SENZA_ROOT(TestSchede)
#include "tst_schede.moc"
