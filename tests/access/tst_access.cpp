// The login and password-change windows, driven through the real windows as a user would.

#include "access/CambiaPassword.h"
#include "core/password/Crypt.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "app/Finestre.h"
#include "support/AiutiFinestre.h"
#include "support/PiattaformaProva.h"
#include "support/Privilegi.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTimer>
#include <memory>

namespace {

const QString PasswordErrata = QStringLiteral("Attenzione: password errata.");
const QString ErroreLettura =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della "
                   "password. Si consiglia di reinstallare il software.");
const QString VecchiaErrata = QStringLiteral("Attenzione: vecchia password errata.");
const QString NonConfermata =
    QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. E' "
                   "necessario reinserire entrambi i valori.");
const QString ModificaRiuscita = QStringLiteral("Modifica della password completata con successo.");
const QString ErroreModifica =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della "
                   "password. Si consiglia di reinstallare il software.");
const QString CaratteriNonMemorizzabili =
    QStringLiteral("Attenzione: la nuova password contiene caratteri che non possono essere "
                   "memorizzati (ad esempio il simbolo dell'euro, lettere di alfabeti non latini "
                   "o emoji). E' necessario reinserire entrambi i valori.");
const QString TroppoLunga =
    QStringLiteral("Attenzione: la nuova password è troppo lunga: può contenere al massimo 1023 "
                   "caratteri. E' necessario reinserire entrambi i valori.");

} // namespace

class tst_Access : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void accesso_data();
    void accesso();
    void invioNelCampoPassword();
    void abilitazioneOK();
    void valoreMemorizzatoIllegibile();
    void senzaFileNessunAccesso();
    void alonePassword();
    void campiMascherati();
    void uscita_data();
    void uscita();

    void cambioRiuscito_data();
    void cambioRiuscito();
    void vecchiaPasswordErrata();
    void nuovaPasswordNonConfermata();
    void nuovaPasswordRifiutata_data();
    void nuovaPasswordRifiutata();
    void chiudiNonMemorizza();
    void cambioSenzaFile();
    void cambioConValoreIllegibile();
    void cambioSuFileNonScrivibile();
    void invioNelCambio();
    void abilitazioneOKCambio();
    void aloniCambio();

private:
    QString fileAccesso() const { return piattaforma->cartella + QStringLiteral("unins000.dll"); }
    void scriviFile(const QByteArray& contenuto);
    // Stores the text as the stored password, enciphered as it is (not normalised).
    void memorizza(const QString& password) { scriviFile(valoreFile(password)); }
    static QByteArray valoreFile(const QString& password);
    QByteArray contenutoFile() const;

    QLineEdit* campo(QWidget* finestra, const char* nome) {
        return figlio<QLineEdit>(finestra, nome);
    }
    QPushButton* pulsante(QWidget* finestra, const char* nome) {
        return figlio<QPushButton>(finestra, nome);
    }
    QLabel* memoria(QWidget* finestra) { return figlio<QLabel>(finestra, "lblMemory"); }

    void apriLogin();
    void apriCambio();
    // Types the old password, the new one and its confirmation, then presses OK.
    void cambia(const QString& vecchia, const QString& nuova, const QString& conferma);
    bool loginAccetta(const QString& password);

    std::unique_ptr<PiattaformaProva> piattaforma;
    std::unique_ptr<FinestreProva> finestre;
};

void tst_Access::init() {
    piattaforma = std::make_unique<PiattaformaProva>();
    finestre = std::make_unique<FinestreProva>();
}

void tst_Access::cleanup() {
    finestre.reset();
    const auto fine = qScopeGuard([this] { piattaforma.reset(); });
    VERIFICA_PIATTAFORMA(*piattaforma);
}

QByteArray tst_Access::valoreFile(const QString& password) {
    return "[Accesso]\r\nValore=" + EncryptToHex(password).toLatin1() + "\r\n";
}

void tst_Access::scriviFile(const QByteArray& contenuto) {
    QFile file(fileAccesso());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(contenuto), contenuto.size());
}

QByteArray tst_Access::contenutoFile() const {
    QFile file(fileAccesso());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void tst_Access::apriLogin() {
    MostraFinestraPrincipale();
    frmPassword->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmPassword));
}

void tst_Access::apriCambio() {
    apriLogin();
    QTest::mouseClick(pulsante(frmPassword, "btnCambiaPassword"), Qt::LeftButton);
    QVERIFY(frmCambiaPassword->isVisible());
    frmCambiaPassword->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmCambiaPassword));
}

void tst_Access::cambia(const QString& vecchia, const QString& nuova,
                                  const QString& conferma) {
    digita(campo(frmCambiaPassword, "txtPasswordOld"), vecchia);
    digita(campo(frmCambiaPassword, "txtPasswordNew"), nuova);
    digita(campo(frmCambiaPassword, "txtConferma"), conferma);
    QTest::mouseClick(pulsante(frmCambiaPassword, "cmdOK"), Qt::LeftButton);
}

bool tst_Access::loginAccetta(const QString& password) {
    QLineEdit* txtPassword = campo(frmPassword, "txtPassword");
    txtPassword->clear();
    digita(txtPassword, password);
    QTest::keyClick(txtPassword, Qt::Key_Return);
    return frmAvvio->isVisible() && !frmPassword->isVisible();
}

// --- login window ---

void tst_Access::accesso_data() {
    QTest::addColumn<QString>("memorizzata");
    QTest::addColumn<QString>("digitata");
    QTest::addColumn<bool>("accettata");

    const QString abc = QStringLiteral("ABC");
    QTest::newRow("small letters") << abc << QStringLiteral("abc") << true;
    QTest::newRow("capitals") << abc << QStringLiteral("ABC") << true;
    QTest::newRow("mixed case") << abc << QStringLiteral("aBc") << true;
    QTest::newRow("blanks around") << abc << QStringLiteral("  abc ") << true;
    QTest::newRow("first two letters") << abc << QStringLiteral("ab") << false;
    QTest::newRow("a fourth letter") << abc << QStringLiteral("abcd") << false;
    QTest::newRow("blank inside") << abc << QStringLiteral("a bc") << false;
    QTest::newRow("stored with blanks around")
        << QStringLiteral(" ABC\t") << QStringLiteral("abc") << true;
    QTest::newRow("accented capital typed")
        << QStringLiteral("ÀBC") << QStringLiteral("Àbc") << true;
    QTest::newRow("accented small typed")
        << QStringLiteral("ÀBC") << QStringLiteral("àbc") << false;
}

void tst_Access::accesso() {
    QFETCH(QString, memorizzata);
    QFETCH(QString, digitata);
    QFETCH(bool, accettata);
    memorizza(memorizzata);
    apriLogin();
    QLineEdit* txtPassword = campo(frmPassword, "txtPassword");
    QPushButton* cmdOK = pulsante(frmPassword, "cmdOK");
    digita(txtPassword, digitata);
    QVERIFY(cmdOK->isEnabled());

    if (!accettata)
        piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, PasswordErrata);
    QTest::mouseClick(cmdOK, Qt::LeftButton);

    QCOMPARE(frmAvvio->isVisible(), accettata);
    QCOMPARE(frmPassword->isVisible(), !accettata);
    if (accettata) {
        QCOMPARE(txtPassword->text(), digitata);
    } else {
        QCOMPARE(txtPassword->text(), QString());
        QVERIFY(!cmdOK->isEnabled());
        QCOMPARE(frmPassword->focusWidget(), txtPassword);
    }
    QCOMPARE(contenutoFile(), valoreFile(memorizzata));
}

void tst_Access::invioNelCampoPassword() {
    memorizza(QStringLiteral("ABC"));
    apriLogin();
    QLineEdit* txtPassword = campo(frmPassword, "txtPassword");

    // Blanks only: Enter does nothing.
    digita(txtPassword, QStringLiteral("   "));
    QTest::keyClick(txtPassword, Qt::Key_Return);
    QCOMPARE(txtPassword->text(), QStringLiteral("   "));
    QVERIFY(frmPassword->isVisible());

    // A wrong password: the same check as the button.
    txtPassword->clear();
    digita(txtPassword, QStringLiteral("abd"));
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, PasswordErrata);
    QTest::keyClick(txtPassword, Qt::Key_Enter);
    QCOMPARE(txtPassword->text(), QString());
    QVERIFY(frmPassword->isVisible());

    QVERIFY(loginAccetta(QStringLiteral("abc")));
}

void tst_Access::abilitazioneOK() {
    apriLogin();
    QLineEdit* txtPassword = campo(frmPassword, "txtPassword");
    QPushButton* cmdOK = pulsante(frmPassword, "cmdOK");
    QVERIFY(!cmdOK->isEnabled());

    digita(txtPassword, QStringLiteral(" "));
    QVERIFY(!cmdOK->isEnabled());
    digita(txtPassword, QStringLiteral("x"));
    QVERIFY(cmdOK->isEnabled());
    QTest::keyClick(txtPassword, Qt::Key_Backspace);
    QVERIFY(!cmdOK->isEnabled());

    // A text that arrived without a change notice is seen at the next key release.
    {
        const QSignalBlocker silenzio(txtPassword);
        txtPassword->setText(QStringLiteral("abc"));
    }
    QVERIFY(!cmdOK->isEnabled());
    QTest::keyRelease(txtPassword, Qt::Key_Shift);
    QVERIFY(cmdOK->isEnabled());
}

void tst_Access::valoreMemorizzatoIllegibile() {
    scriviFile("[Accesso]\r\nValore=64749Z\r\n");
    apriLogin();
    QLineEdit* txtPassword = campo(frmPassword, "txtPassword");
    digita(txtPassword, QStringLiteral("abc"));

    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, ErroreLettura);
    QTest::mouseClick(pulsante(frmPassword, "cmdOK"), Qt::LeftButton);

    QVERIFY(frmPassword->isVisible());
    QVERIFY(!frmAvvio->isVisible());
    QCOMPARE(txtPassword->text(), QStringLiteral("abc"));
}

void tst_Access::senzaFileNessunAccesso() {
    apriLogin();
    QLineEdit* txtPassword = campo(frmPassword, "txtPassword");
    digita(txtPassword, QStringLiteral("pergolatoverde"));
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, PasswordErrata);
    QTest::mouseClick(pulsante(frmPassword, "cmdOK"), Qt::LeftButton);
    QVERIFY(!frmAvvio->isVisible());
    QVERIFY(!QFile::exists(fileAccesso()));

    // A file without the value is no different.
    scriviFile("[Accesso]\r\nAltro=64749E\r\n");
    digita(txtPassword, QStringLiteral("abc"));
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, PasswordErrata);
    QTest::mouseClick(pulsante(frmPassword, "cmdOK"), Qt::LeftButton);
    QVERIFY(!frmAvvio->isVisible());
}

void tst_Access::alonePassword() {
    apriLogin();
    QWidget* effPassword = figlio<QWidget>(frmPassword, "effPassword");
    QLineEdit* txtPassword = campo(frmPassword, "txtPassword");
    QVERIFY(txtPassword->hasFocus());
    QVERIFY(effPassword->isVisible());
    QCOMPARE(effPassword->geometry(), txtPassword->geometry().adjusted(-4, -4, 4, 4));
    QCOMPARE(coloreVisto(frmPassword,
                         effPassword->mapTo(frmPassword, QPoint(3, effPassword->height() / 2))),
             QColor(Qt::yellow));

    QTest::keyClick(txtPassword, Qt::Key_Tab);
    QVERIFY(!txtPassword->hasFocus());
    QVERIFY(!effPassword->isVisible());
}

void tst_Access::campiMascherati() {
    for (QWidget* finestra :
         {static_cast<QWidget*>(frmPassword), static_cast<QWidget*>(frmCambiaPassword)})
        for (QLineEdit* campo : finestra->findChildren<QLineEdit*>())
            QCOMPARE(campo->echoMode(), QLineEdit::Password);
}

void tst_Access::uscita_data() {
    QTest::addColumn<bool>("conPulsante");
    QTest::newRow("Esci") << true;
    QTest::newRow("close box") << false;
}

void tst_Access::uscita() {
    QFETCH(bool, conPulsante);
    apriLogin();
    QTimer::singleShot(0, [conPulsante] {
        if (conPulsante)
            QTest::mouseClick(figlio<QPushButton>(frmPassword, "cmdEsci"), Qt::LeftButton);
        else
            frmPassword->close();
    });
    // Should the program go on, the loop is ended with another code.
    QTimer guardia;
    guardia.setSingleShot(true);
    connect(&guardia, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guardia.start(5000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!frmPassword->isVisible());
    QVERIFY(!frmAvvio->isVisible());
}

// --- password-change window ---

void tst_Access::cambioRiuscito_data() {
    QTest::addColumn<QString>("nuova");
    QTest::addColumn<QString>("conferma");
    QTest::addColumn<QString>("memorizzata");

    QTest::newRow("new password") << QStringLiteral("segreto") << QStringLiteral("segreto")
                                  << QStringLiteral("SEGRETO");
    QTest::newRow("blank in front, blank behind")
        << QStringLiteral(" Segreto") << QStringLiteral("Segreto ") << QStringLiteral("SEGRETO");
    QTest::newRow("accented letters")
        << QStringLiteral("Città") << QStringLiteral("Città") << QStringLiteral("CITTà");
    QTest::newRow("code 255") << QStringLiteral("ÿ1") << QStringLiteral("ÿ1")
                              << QStringLiteral("ÿ1");
    QTest::newRow("longest password")
        << QString(1023, u'x') << QString(1023, u'x') << QString(1023, u'X');
    QTest::newRow("same password again")
        << QStringLiteral("abc") << QStringLiteral("abc") << QStringLiteral("ABC");
}

void tst_Access::cambioRiuscito() {
    QFETCH(QString, nuova);
    QFETCH(QString, conferma);
    QFETCH(QString, memorizzata);
    scriviFile("[Prima]\r\nX=1\r\n[Accesso]\r\nValore=" + EncryptToHex("ABC").toLatin1() +
               "\r\n[Dopo]\r\nY=2\r\n");
    apriLogin();
    digita(campo(frmPassword, "txtPassword"), QStringLiteral("qualcosa"));
    apriCambio();

    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, ModificaRiuscita);
    cambia(QStringLiteral(" abc"), nuova, conferma);

    QCOMPARE(contenutoFile(), "[Prima]\r\nX=1\r\n[Accesso]\r\nValore=" +
                                  EncryptToHex(memorizzata).toLatin1() + "\r\n[Dopo]\r\nY=2\r\n");
    // Back to the login window, which starts afresh.
    QVERIFY(!frmCambiaPassword->isVisible());
    QVERIFY(frmPassword->isVisible());
    QCOMPARE(campo(frmPassword, "txtPassword")->text(), QString());
    QCOMPARE(memoria(frmPassword)->text(), QString());
    QCOMPARE(frmPassword->focusWidget(), campo(frmPassword, "txtPassword"));

    if (memorizzata != QStringLiteral("ABC")) {
        piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, PasswordErrata);
        QVERIFY(!loginAccetta(QStringLiteral("abc")));
    }
    QVERIFY(loginAccetta(nuova));
}

void tst_Access::vecchiaPasswordErrata() {
    memorizza(QStringLiteral("ABC"));
    apriCambio();
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, VecchiaErrata);
    cambia(QStringLiteral("abd"), QStringLiteral("nuova"), QStringLiteral("nuova"));

    QVERIFY(frmCambiaPassword->isVisible());
    QCOMPARE(campo(frmCambiaPassword, "txtPasswordOld")->text(), QString());
    QCOMPARE(frmCambiaPassword->focusWidget(), campo(frmCambiaPassword, "txtPasswordOld"));
    QCOMPARE(campo(frmCambiaPassword, "txtPasswordNew")->text(), QStringLiteral("nuova"));
    QCOMPARE(campo(frmCambiaPassword, "txtConferma")->text(), QStringLiteral("nuova"));
    QVERIFY(!pulsante(frmCambiaPassword, "cmdOK")->isEnabled());
    QCOMPARE(contenutoFile(), valoreFile(QStringLiteral("ABC")));
}

void tst_Access::nuovaPasswordNonConfermata() {
    memorizza(QStringLiteral("ABC"));
    apriCambio();
    // Both would be stored alike, but the confirmation must match letter for letter.
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, NonConfermata);
    cambia(QStringLiteral("abc"), QStringLiteral("segreto"), QStringLiteral("SEGRETO"));

    QVERIFY(frmCambiaPassword->isVisible());
    QCOMPARE(campo(frmCambiaPassword, "txtPasswordOld")->text(), QStringLiteral("abc"));
    QCOMPARE(campo(frmCambiaPassword, "txtPasswordNew")->text(), QString());
    QCOMPARE(campo(frmCambiaPassword, "txtConferma")->text(), QString());
    QCOMPARE(frmCambiaPassword->focusWidget(), campo(frmCambiaPassword, "txtPasswordNew"));
    QCOMPARE(contenutoFile(), valoreFile(QStringLiteral("ABC")));
}

void tst_Access::nuovaPasswordRifiutata_data() {
    QTest::addColumn<QString>("nuova");
    QTest::addColumn<QString>("messaggio");

    QTest::newRow("euro sign") << QStringLiteral("prezzo€") << CaratteriNonMemorizzabili;
    QTest::newRow("Greek letters") << QStringLiteral("αβγ") << CaratteriNonMemorizzabili;
    QTest::newRow("emoji") << QStringLiteral("ciao😀") << CaratteriNonMemorizzabili;
    QTest::newRow("1024 characters") << QString(1024, u'x') << TroppoLunga;
}

void tst_Access::nuovaPasswordRifiutata() {
    QFETCH(QString, nuova);
    QFETCH(QString, messaggio);
    memorizza(QStringLiteral("ABC"));
    apriCambio();
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, messaggio);
    cambia(QStringLiteral("abc"), nuova, nuova);

    QVERIFY(frmCambiaPassword->isVisible());
    QCOMPARE(campo(frmCambiaPassword, "txtPasswordNew")->text(), QString());
    QCOMPARE(campo(frmCambiaPassword, "txtConferma")->text(), QString());
    QCOMPARE(frmCambiaPassword->focusWidget(), campo(frmCambiaPassword, "txtPasswordNew"));
    QCOMPARE(contenutoFile(), valoreFile(QStringLiteral("ABC")));
}

void tst_Access::chiudiNonMemorizza() {
    memorizza(QStringLiteral("ABC"));
    apriLogin();
    digita(campo(frmPassword, "txtPassword"), QStringLiteral("qualcosa"));
    apriCambio();
    digita(campo(frmCambiaPassword, "txtPasswordOld"), QStringLiteral("abc"));
    digita(campo(frmCambiaPassword, "txtPasswordNew"), QStringLiteral("nuova"));
    digita(campo(frmCambiaPassword, "txtConferma"), QStringLiteral("nuova"));

    QTest::mouseClick(pulsante(frmCambiaPassword, "cmdEsci"), Qt::LeftButton);

    QVERIFY(!frmCambiaPassword->isVisible());
    QVERIFY(frmPassword->isVisible());
    QCOMPARE(campo(frmPassword, "txtPassword")->text(), QString());
    QCOMPARE(frmPassword->focusWidget(), campo(frmPassword, "txtPassword"));
    QCOMPARE(contenutoFile(), valoreFile(QStringLiteral("ABC")));

    // Shown again, the change window starts with empty fields.
    QTest::mouseClick(pulsante(frmPassword, "btnCambiaPassword"), Qt::LeftButton);
    for (const char* nome : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
        QCOMPARE(campo(frmCambiaPassword, nome)->text(), QString());
    QVERIFY(!pulsante(frmCambiaPassword, "cmdOK")->isEnabled());
    QCOMPARE(frmCambiaPassword->focusWidget(), campo(frmCambiaPassword, "txtPasswordOld"));
}

void tst_Access::cambioSenzaFile() {
    apriCambio();
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, VecchiaErrata);
    cambia(QStringLiteral("pergolatoverde"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    QVERIFY(frmCambiaPassword->isVisible());
    QVERIFY(!QFile::exists(fileAccesso()));
}

void tst_Access::cambioConValoreIllegibile() {
    scriviFile("[Accesso]\r\nValore=64749Z\r\n");
    apriCambio();
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, ErroreModifica);
    cambia(QStringLiteral("abc"), QStringLiteral("nuova"), QStringLiteral("nuova"));

    QVERIFY(frmCambiaPassword->isVisible());
    QCOMPARE(campo(frmCambiaPassword, "txtPasswordOld")->text(), QStringLiteral("abc"));
    QCOMPARE(campo(frmCambiaPassword, "txtPasswordNew")->text(), QStringLiteral("nuova"));
    QCOMPARE(campo(frmCambiaPassword, "txtConferma")->text(), QStringLiteral("nuova"));
    QCOMPARE(contenutoFile(), QByteArray("[Accesso]\r\nValore=64749Z\r\n"));
}

void tst_Access::cambioSuFileNonScrivibile() {
    memorizza(QStringLiteral("ABC"));
    QVERIFY(QFile::setPermissions(fileAccesso(), QFile::ReadOwner));
    apriCambio();
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, ErroreModifica);
    cambia(QStringLiteral("abc"), QStringLiteral("nuova"), QStringLiteral("nuova"));

    QVERIFY(frmCambiaPassword->isVisible());
    QCOMPARE(campo(frmCambiaPassword, "txtPasswordNew")->text(), QStringLiteral("nuova"));
    QCOMPARE(contenutoFile(), valoreFile(QStringLiteral("ABC")));

    QTest::mouseClick(pulsante(frmCambiaPassword, "cmdEsci"), Qt::LeftButton);
    QVERIFY(loginAccetta(QStringLiteral("abc")));
}

void tst_Access::invioNelCambio() {
    memorizza(QStringLiteral("ABC"));
    apriCambio();
    QLineEdit* vecchia = campo(frmCambiaPassword, "txtPasswordOld");
    QLineEdit* nuova = campo(frmCambiaPassword, "txtPasswordNew");
    QLineEdit* conferma = campo(frmCambiaPassword, "txtConferma");

    digita(vecchia, QStringLiteral("abc"));
    QTest::keyClick(vecchia, Qt::Key_Return);
    QVERIFY(nuova->hasFocus());
    digita(nuova, QStringLiteral("nuova"));
    QTest::keyClick(nuova, Qt::Key_Return);
    QVERIFY(conferma->hasFocus());
    digita(conferma, QStringLiteral("nuova"));
    QVERIFY(pulsante(frmCambiaPassword, "cmdOK")->isEnabled());
    // Enter never runs OK here: it goes back to the first field.
    QTest::keyClick(conferma, Qt::Key_Enter);
    QVERIFY(vecchia->hasFocus());
    QVERIFY(frmCambiaPassword->isVisible());
    QCOMPARE(contenutoFile(), valoreFile(QStringLiteral("ABC")));
}

void tst_Access::abilitazioneOKCambio() {
    apriCambio();
    QPushButton* cmdOK = pulsante(frmCambiaPassword, "cmdOK");
    QLineEdit* conferma = campo(frmCambiaPassword, "txtConferma");
    QVERIFY(!cmdOK->isEnabled());
    digita(campo(frmCambiaPassword, "txtPasswordOld"), QStringLiteral("a"));
    digita(campo(frmCambiaPassword, "txtPasswordNew"), QStringLiteral("b"));
    QVERIFY(!cmdOK->isEnabled());
    digita(conferma, QStringLiteral("  "));
    QVERIFY(!cmdOK->isEnabled());
    digita(conferma, QStringLiteral("b"));
    QVERIFY(cmdOK->isEnabled());
    campo(frmCambiaPassword, "txtPasswordOld")->clear();
    QVERIFY(!cmdOK->isEnabled());
}

void tst_Access::aloniCambio() {
    apriCambio();
    const std::pair<const char*, const char*> coppie[] = {{"txtPasswordOld", "effPasswordOld"},
                                                          {"txtPasswordNew", "effPasswordNew"},
                                                          {"txtConferma", "effConferma"}};
    for (const auto& [nomeCampo, nomeAlone] : coppie) {
        campo(frmCambiaPassword, nomeCampo)->setFocus(Qt::TabFocusReason);
        for (const auto& [altroCampo, altroAlone] : coppie)
            QCOMPARE(figlio<QWidget>(frmCambiaPassword, altroAlone)->isVisible(),
                     altroAlone == nomeAlone);
    }
    pulsante(frmCambiaPassword, "cmdEsci")->setFocus(Qt::TabFocusReason);
    for (const auto& [nomeCampo, nomeAlone] : coppie)
        QVERIFY(!figlio<QWidget>(frmCambiaPassword, nomeAlone)->isVisible());
}

BLINDORO_TEST_MAIN_SENZA_ROOT(tst_Access)

#include "tst_access.moc"
