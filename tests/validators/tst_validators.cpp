#include "support/AiutiFinestre.h"
#include "support/PiattaformaProva.h"

#include "validators/CodFisc.h"
#include "validators/PartitaIVA.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

const QString TestoLunghezzaCodFisc = QStringLiteral(
    "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
const QString TestoValido = QStringLiteral("Il codice fiscale digitato è VALIDO.");
const QString TestoErrato = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");
const QString TestoLunghezzaPartitaIva =
    QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
const QString TestoPartitaIvaErrata =
    QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon è "
                   "quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha "
                   "rilasciato.");

QString testoPartitaIvaValida(const QString& ufficio) {
    return QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato "
                          "rilasciato dall'Ufficio IVA del Comune di ") +
           ufficio + QLatin1Char('.');
}

const QString TestoUfficioIgnoto =
    QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nL'Ufficio IVA che lo "
                   "ha rilasciato non è tra quelli noti al programma.");

// What a test saw of a check dialog opened from the record window's tax-code field.
struct Visto {
    QString classe;
    QString testo;
    QWidget* proprietario = nullptr;
    QString fuoco;
    bool visibileDopo = false;
};

} // namespace

class tst_Validators : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { VERIFICA_PIATTAFORMA(piattaforma); }

    void sceltaDelControllo_data();
    void sceltaDelControllo();
    void dialogoLiberatoAllaChiusura();

    // What both checks do, one row per check and case.
    void risultato_data();
    void risultato();
    void lunghezza_data();
    void lunghezza();
    void invioSpostaIlFuoco_data();
    void invioSpostaIlFuoco();
    void chiudiSenzaMessaggi();

    // What each check does on its own.
    void codFiscMaiuscoleMentreSiScrive();
    void partitaIvaFiltroTasti();
    void partitaIvaTastiDiModifica();

private:
    // Runs `apri`, which opens a check dialog modally, and `azione` on that dialog; the returned
    // record says what was opened and whether it was still open after `azione`.
    Visto esegui(const std::function<void()>& apri, const std::function<void(QWidget*)>& azione);
    // The check opened as the record window opens it for its tax-code field.
    Visto controlla(const QString& testo, const std::function<void(QWidget*)>& azione = {});
    // The partita IVA check opened with any text in its field.
    Visto partitaIva(const QString& numero, const std::function<void(QWidget*)>& azione);
    // The check of the row, "codice fiscale" (opened as the record window opens it) or
    // "partita IVA" (opened with any text).
    Visto apri(const QString& controllo, const QString& preimpostato,
               const std::function<void(QWidget*)>& azione);

    PiattaformaProva piattaforma;
    QWidget scheda; // stands in for the record window
};

Visto tst_Validators::esegui(const std::function<void()>& apri,
                             const std::function<void(QWidget*)>& azione) {
    Visto visto;
    const bool aperto = conDialogoModale(apri, [&](QWidget* dialogo) {
        visto.classe = dialogo->metaObject()->className();
        auto* campo = dialogo->findChild<QLineEdit*>();
        visto.testo = campo->text();
        visto.proprietario = dialogo->parentWidget();
        if (QWidget* f = dialogo->focusWidget())
            visto.fuoco = f->objectName();
        if (azione)
            azione(dialogo);
        visto.visibileDopo = dialogo->isVisible();
    });
    if (!aperto)
        qWarning("no dialog opened");
    return visto;
}

Visto tst_Validators::controlla(const QString& testo, const std::function<void(QWidget*)>& azione) {
    return esegui([&] { ControllaCodiceFiscale(&scheda, testo); }, azione);
}

Visto tst_Validators::partitaIva(const QString& numero,
                                 const std::function<void(QWidget*)>& azione) {
    return esegui(
        [&] {
            apriDialogo<TfrmPartitaIva>(&scheda, [&](TfrmPartitaIva& d) { d.preimposta(numero); });
        },
        azione);
}

Visto tst_Validators::apri(const QString& controllo, const QString& preimpostato,
                           const std::function<void(QWidget*)>& azione) {
    return controllo == QLatin1String("partita IVA") ? partitaIva(preimpostato, azione)
                                                     : controlla(preimpostato, azione);
}

void tst_Validators::sceltaDelControllo_data() {
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("classe");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("fuoco");

    QTest::newRow("eleven digits") << "12345670017"
                                   << "TfrmPartitaIva"
                                   << "12345670017"
                                   << "txtPartitaIva";
    QTest::newRow("digits with blanks around") << "  12345670017 "
                                               << "TfrmPartitaIva"
                                               << "12345670017"
                                               << "txtPartitaIva";
    QTest::newRow("one digit") << "7"
                               << "TfrmPartitaIva"
                               << "7"
                               << "txtPartitaIva";
    QTest::newRow("eleven digits and a letter") << "12345670017A"
                                                << "TfrmCodFisc"
                                                << "12345670017A"
                                                << "txtCodFisc";
    QTest::newRow("empty") << ""
                           << "TfrmCodFisc"
                           << ""
                           << "txtCodFisc";
    QTest::newRow("blanks only") << "   "
                                 << "TfrmCodFisc"
                                 << ""
                                 << "txtCodFisc";
    QTest::newRow("codice fiscale") << " RSSMRA80A01H501U "
                                    << "TfrmCodFisc"
                                    << "RSSMRA80A01H501U"
                                    << "txtCodFisc";
    QTest::newRow("digits with a blank inside") << "123456 70017"
                                                << "TfrmCodFisc"
                                                << "123456 70017"
                                                << "txtCodFisc";
    QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("\u0661\u0662\u0663") << "TfrmCodFisc"
                                         << QString::fromUtf8("\u0661\u0662\u0663") << "txtCodFisc";
    // Longer than the field: shown whole, so the check reports the length instead of checking
    // the first characters only.
    QTest::newRow("sixteen digits") << "1234567001712345"
                                    << "TfrmPartitaIva"
                                    << "1234567001712345"
                                    << "txtPartitaIva";
    QTest::newRow("seventeen characters") << "RSSMRA80A01H501UX"
                                          << "TfrmCodFisc"
                                          << "RSSMRA80A01H501UX"
                                          << "txtCodFisc";
}

void tst_Validators::sceltaDelControllo() {
    QFETCH(QString, campo);
    QFETCH(QString, classe);
    QFETCH(QString, testo);
    QFETCH(QString, fuoco);

    const Visto visto = controlla(campo);
    QCOMPARE(visto.classe, classe);
    QCOMPARE(visto.testo, testo);
    QCOMPARE(visto.proprietario, &scheda);
    QCOMPARE(visto.fuoco, fuoco);
    QVERIFY(piattaforma.mostrati.isEmpty());
}

void tst_Validators::dialogoLiberatoAllaChiusura() {
    for (const QString& testo :
         {QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("12345670017")}) {
        QPointer<QWidget> dialogo;
        controlla(testo, [&](QWidget* d) { dialogo = d; });
        QVERIFY(dialogo.isNull());
    }
    QVERIFY(scheda.findChildren<QDialog*>().isEmpty());
}

void tst_Validators::risultato_data() {
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<QString>("preimpostato");
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("mostrato");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<int>("risposta");

    const QString cf = QStringLiteral("codice fiscale");
    const QString iva = QStringLiteral("partita IVA");
    const int avviso = int(TipoMessaggio::Avviso);
    const int informazione = int(TipoMessaggio::Informazione);
    const int ok = int(Risposta::Ok);
    // The codice fiscale typed into the empty check, as the user types it.
    QTest::newRow("codice fiscale: sum 8, letter I")
        << cf << ""
        << "AAAAAA00A00A000I"
        << "AAAAAA00A00A000I" << informazione << TestoValido << ok;
    QTest::newRow("codice fiscale: wrong letter")
        << cf << ""
        << "AAAAAA00A00A000A"
        << "AAAAAA00A00A000A" << avviso << TestoErrato << ok;
    QTest::newRow("codice fiscale: lower case, valid")
        << cf << ""
        << "rssmra80a01h501u"
        << "RSSMRA80A01H501U" << informazione << TestoValido << ok;
    QTest::newRow("codice fiscale: lower case, wrong")
        << cf << ""
        << "rssmra80a01h501v"
        << "RSSMRA80A01H501V" << avviso << TestoErrato << ok;
    QTest::newRow("codice fiscale: omocodia")
        << cf << ""
        << "RSSMRALPALMHRLMV"
        << "RSSMRALPALMHRLMV" << informazione << TestoValido << ok;
    QTest::newRow("codice fiscale: answered with Cancel")
        << cf << ""
        << "RSSMRA80A01H501U"
        << "RSSMRA80A01H501U" << informazione << TestoValido << int(Risposta::Annulla);
    QTest::newRow("codice fiscale: accented letter")
        << cf << "" << QString::fromUtf8("RSSMRà80A01H501U")
        << QString::fromUtf8("RSSMRà80A01H501U") << avviso << TestoErrato << ok;
    // The partita IVA given to the check whole.
    const auto partita = [&](const char* riga, const QString& numero, int tipoMessaggio,
                             const QString& testo) {
        QTest::newRow(riga) << iva << numero << "" << numero << tipoMessaggio << testo << ok;
    };
    partita("partita IVA: Torino", "12345670017", informazione,
            testoPartitaIvaValida(QStringLiteral("Torino")));
    partita("partita IVA: wrong check digit", "12345670018", avviso, TestoPartitaIvaErrata);
    partita("partita IVA: Bologna 2, office 120", "12345671205", informazione,
            testoPartitaIvaValida(QStringLiteral("Bologna 2")));
    partita("partita IVA: accented office", "12345670405", informazione,
            testoPartitaIvaValida(QString::fromUtf8("Forlì")));
    partita("partita IVA: Eni, Roma 2", "00905811006", informazione,
            testoPartitaIvaValida(QStringLiteral("Roma 2")));
    partita("partita IVA: all zeros, office 000", "00000000000", informazione, TestoUfficioIgnoto);
    partita("partita IVA: office 103", "12345671031", informazione, TestoUfficioIgnoto);
    partita("partita IVA: office 122", "12345671221", informazione, TestoUfficioIgnoto);
    // Letters reach the field only past the key filter, e.g. from the record.
    partita("partita IVA: pasted letter", "1234567001A", avviso, TestoPartitaIvaErrata);
}

void tst_Validators::risultato() {
    QFETCH(QString, controllo);
    QFETCH(QString, preimpostato);
    QFETCH(QString, digitato);
    QFETCH(QString, mostrato);
    QFETCH(int, tipo);
    QFETCH(QString, messaggio);
    QFETCH(int, risposta);

    piattaforma.attendi(TipoMessaggio(tipo), Pulsanti::OkAnnulla, messaggio, Risposta(risposta));
    QString visto;
    const Visto dialogo = apri(controllo, preimpostato, [&](QWidget* d) {
        auto* campo = d->findChild<QLineEdit*>();
        digita(campo, digitato);
        visto = campo->text();
        QTest::mouseClick(figlio<QPushButton>(d, "btnControlla"), Qt::LeftButton);
    });
    QCOMPARE(visto, mostrato);
    QVERIFY(!dialogo.visibileDopo);
}

void tst_Validators::lunghezza_data() {
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<QString>("preimpostato");
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("avviso");
    QTest::addColumn<QString>("campo");

    const QString cf = QStringLiteral("codice fiscale");
    const QString iva = QStringLiteral("partita IVA");
    QTest::newRow("codice fiscale: empty") << cf << ""
                                           << "" << TestoLunghezzaCodFisc << "txtCodFisc";
    QTest::newRow("codice fiscale: 15 characters")
        << cf << ""
        << "RSSMRA80A01H501" << TestoLunghezzaCodFisc << "txtCodFisc";
    QTest::newRow("codice fiscale: 17 characters from the record")
        << cf << "RSSMRA80A01H501UX"
        << "" << TestoLunghezzaCodFisc << "txtCodFisc";
    QTest::newRow("partita IVA: empty") << iva << ""
                                        << "" << TestoLunghezzaPartitaIva << "txtPartitaIva";
    QTest::newRow("partita IVA: ten digits")
        << iva << ""
        << "1234567001" << TestoLunghezzaPartitaIva << "txtPartitaIva";
    QTest::newRow("partita IVA: twelve digits from the record")
        << iva << "123456700170"
        << "" << TestoLunghezzaPartitaIva << "txtPartitaIva";
}

void tst_Validators::lunghezza() {
    QFETCH(QString, controllo);
    QFETCH(QString, preimpostato);
    QFETCH(QString, digitato);
    QFETCH(QString, avviso);
    QFETCH(QString, campo);

    piattaforma.attendi(TipoMessaggio::Avviso, Pulsanti::OkAnnulla, avviso);
    QString fuoco;
    QString testo;
    const Visto dialogo = apri(controllo, preimpostato, [&](QWidget* d) {
        auto* casella = figlio<QLineEdit>(d, qPrintable(campo));
        digita(casella, digitato);
        auto* controlla = figlio<QPushButton>(d, "btnControlla");
        controlla->setFocus();
        QTest::mouseClick(controlla, Qt::LeftButton);
        fuoco = d->focusWidget()->objectName();
        testo = casella->text();
    });
    QVERIFY(dialogo.visibileDopo);
    QCOMPARE(fuoco, campo);
    QCOMPARE(testo, preimpostato + digitato);
}

void tst_Validators::invioSpostaIlFuoco_data() {
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<Qt::Key>("invio");
    QTest::newRow("codice fiscale, Return") << "RSSMRA80A01H501U"
                                            << "txtCodFisc" << Qt::Key_Return;
    QTest::newRow("partita IVA, Return") << "12345670017"
                                         << "txtPartitaIva" << Qt::Key_Return;
    QTest::newRow("partita IVA, Enter") << "12345670017"
                                        << "txtPartitaIva" << Qt::Key_Enter;
}

void tst_Validators::invioSpostaIlFuoco() {
    QFETCH(QString, codice);
    QFETCH(QString, campo);
    QFETCH(Qt::Key, invio);
    QString fuoco;
    const Visto dialogo = controlla(codice, [&](QWidget* d) {
        QTest::keyClick(figlio<QLineEdit>(d, qPrintable(campo)), invio);
        fuoco = d->focusWidget()->objectName();
    });
    QCOMPARE(fuoco, QStringLiteral("btnControlla"));
    QVERIFY(dialogo.visibileDopo);
    QVERIFY(piattaforma.mostrati.isEmpty());
}

void tst_Validators::chiudiSenzaMessaggi() {
    for (const QString& testo :
         {QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("12345670017")}) {
        const Visto dialogo = controlla(testo, [](QWidget* d) {
            QTest::mouseClick(figlio<QPushButton>(d, "btnChiudi"), Qt::LeftButton);
        });
        QVERIFY(!dialogo.visibileDopo);
    }
    QVERIFY(piattaforma.mostrati.isEmpty());
}

void tst_Validators::codFiscMaiuscoleMentreSiScrive() {
    controlla(QString(), [](QWidget* d) {
        auto* campo = figlio<QLineEdit>(d, "txtCodFisc");

        // A blank typed first or last never stays; capitals as the user types.
        digita(campo, QStringLiteral(" rss"));
        QCOMPARE(campo->text(), QStringLiteral("RSS"));
        digita(campo, QStringLiteral(" "));
        QCOMPARE(campo->text(), QStringLiteral("RSS"));

        // Typing in the middle keeps the cursor where the user is typing.
        digita(campo, QStringLiteral("ra80"));
        campo->setCursorPosition(3);
        digita(campo, QStringLiteral("m"));
        QCOMPARE(campo->text(), QStringLiteral("RSSMRA80"));
        QCOMPARE(campo->cursorPosition(), 4);

        // Only a-z change: other letters stay as typed.
        campo->clear();
        digita(campo, QString::fromUtf8("àß1x"));
        QCOMPARE(campo->text(), QString::fromUtf8("àß1X"));

        // A paste is an edit too; a blank inside stays.
        campo->clear();
        QApplication::clipboard()->setText(QStringLiteral(" rss mra80a01h5 "));
        QTest::keyClick(campo, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(campo->text(), QStringLiteral("RSS MRA80A01H5"));
    });
}

void tst_Validators::partitaIvaFiltroTasti() {
    QString testo;
    partitaIva(QString(), [&](QWidget* d) {
        auto* campo = figlio<QLineEdit>(d, "txtPartitaIva");
        // Letters, blanks, signs, other scripts' digits, Home and a paste shortcut are dropped.
        QApplication::clipboard()->setText(QStringLiteral("999"));
        digita(campo, QString::fromUtf8("1a 2B.3-+\u0664\uFF15"));
        QTest::keyClick(campo, Qt::Key_Home);
        QTest::keyClick(campo, Qt::Key_V, Qt::ControlModifier);
        digita(campo, QStringLiteral("4"));
        QTest::keyClick(campo, Qt::Key_5, Qt::KeypadModifier);
        // Eleven digits at most.
        digita(campo, QStringLiteral("678901234"));
        testo = campo->text();
    });
    QCOMPARE(testo, QStringLiteral("12345678901"));
}

void tst_Validators::partitaIvaTastiDiModifica() {
    QString testo;
    int cursore = -1;
    QString fuoco;
    partitaIva(QStringLiteral("12345"), [&](QWidget* d) {
        auto* campo = figlio<QLineEdit>(d, "txtPartitaIva");
        campo->setCursorPosition(5);
        QTest::keyClick(campo, Qt::Key_Left);
        QTest::keyClick(campo, Qt::Key_Left);
        QTest::keyClick(campo, Qt::Key_Backspace); // removes 3
        QTest::keyClick(campo, Qt::Key_Delete);    // removes 4
        QTest::keyClick(campo, Qt::Key_Right);
        digita(campo, QStringLiteral("9"));
        testo = campo->text();
        cursore = campo->cursorPosition();
        // Tab still leaves the field.
        QTest::keyClick(campo, Qt::Key_Tab);
        fuoco = d->focusWidget()->objectName();
    });
    QCOMPARE(testo, QStringLiteral("1259"));
    QCOMPARE(cursore, 4);
    QCOMPARE(fuoco, QStringLiteral("btnControlla"));
}

BLINDORO_TEST_MAIN(tst_Validators)
#include "tst_validators.moc"
