// The login and password-change windows, driven through the real windows as a user would.

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "app/Finestre.h"
#include "core/password/Crypt.h"
#include "support/AiutiFinestre.h"
#include "support/DiscoPieno.h"
#include "support/PiattaformaProva.h"
#include "support/Privilegi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
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
    void nessunaFinestraTieneLaPassword();

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
    void cambioSuDiscoPieno_data();
    void cambioSuDiscoPieno();
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
    std::unique_ptr<TFinestre> finestre;
};

void tst_Access::init() {
    piattaforma = std::make_unique<PiattaformaProva>();
    finestre = std::make_unique<TFinestre>();
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
    finestre->MostraFinestraPrincipale();
    finestre->Password().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&finestre->Password()));
}

void tst_Access::apriCambio() {
    apriLogin();
    QTest::mouseClick(pulsante(&finestre->Password(), "btnCambiaPassword"), Qt::LeftButton);
    QVERIFY(finestre->CambiaPassword().isVisible());
    finestre->CambiaPassword().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&finestre->CambiaPassword()));
}

void tst_Access::cambia(const QString& vecchia, const QString& nuova, const QString& conferma) {
    digita(campo(&finestre->CambiaPassword(), "txtPasswordOld"), vecchia);
    digita(campo(&finestre->CambiaPassword(), "txtPasswordNew"), nuova);
    digita(campo(&finestre->CambiaPassword(), "txtConferma"), conferma);
    QTest::mouseClick(pulsante(&finestre->CambiaPassword(), "cmdOK"), Qt::LeftButton);
}

bool tst_Access::loginAccetta(const QString& password) {
    QLineEdit* txtPassword = campo(&finestre->Password(), "txtPassword");
    txtPassword->clear();
    digita(txtPassword, password);
    QTest::keyClick(txtPassword, Qt::Key_Return);
    return finestre->Avvio().isVisible() && !finestre->Password().isVisible();
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
    QLineEdit* txtPassword = campo(&finestre->Password(), "txtPassword");
    QPushButton* cmdOK = pulsante(&finestre->Password(), "cmdOK");
    digita(txtPassword, digitata);
    QVERIFY(cmdOK->isEnabled());

    if (!accettata)
        piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, PasswordErrata);
    QTest::mouseClick(cmdOK, Qt::LeftButton);

    QCOMPARE(finestre->Avvio().isVisible(), accettata);
    QCOMPARE(finestre->Password().isVisible(), !accettata);
    if (accettata) {
        // The login window will not be seen again with it: it keeps no password.
        QCOMPARE(txtPassword->text(), QString());
    } else {
        QCOMPARE(txtPassword->text(), QString());
        QVERIFY(!cmdOK->isEnabled());
        QCOMPARE(finestre->Password().focusWidget(), txtPassword);
    }
    QCOMPARE(contenutoFile(), valoreFile(memorizzata));
}

// Once the login or a change is over, the access password is in no control of any window: not in
// a field, a label, a caption, a tooltip or an accessible name, in any case of its letters.
void tst_Access::nessunaFinestraTieneLaPassword() {
    const QString segreta = QStringLiteral("PERGOLATOVERDE");
    const auto nessunaTraccia = [&](const char* quando) {
        for (QWidget* w : QApplication::allWidgets()) {
            QStringList testi{w->toolTip(), w->accessibleName(), w->accessibleDescription(),
                              w->windowTitle()};
            if (auto* c = qobject_cast<QLineEdit*>(w))
                testi << c->text() << c->placeholderText();
            if (auto* e = qobject_cast<QLabel*>(w))
                testi << e->text();
            if (auto* p = qobject_cast<QAbstractButton*>(w))
                testi << p->text();
            for (const QString& testo : std::as_const(testi))
                QVERIFY2(
                    !testo.contains(segreta, Qt::CaseInsensitive),
                    qPrintable(QStringLiteral("%1: %2 holds it").arg(quando, w->objectName())));
        }
    };
    memorizza(segreta);
    apriLogin();
    apriCambio();
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, ModificaRiuscita);
    cambia(QStringLiteral("pergolatoverde"), QStringLiteral("pergolatoverde"),
           QStringLiteral("pergolatoverde"));
    nessunaTraccia("after a change");

    QVERIFY(loginAccetta(QStringLiteral("Pergolatoverde")));
    nessunaTraccia("after the login");
}

void tst_Access::invioNelCampoPassword() {
    memorizza(QStringLiteral("ABC"));
    apriLogin();
    QLineEdit* txtPassword = campo(&finestre->Password(), "txtPassword");

    // Blanks only: Enter does nothing.
    digita(txtPassword, QStringLiteral("   "));
    QTest::keyClick(txtPassword, Qt::Key_Return);
    QCOMPARE(txtPassword->text(), QStringLiteral("   "));
    QVERIFY(finestre->Password().isVisible());

    // A wrong password: the same check as the button.
    txtPassword->clear();
    digita(txtPassword, QStringLiteral("abd"));
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, PasswordErrata);
    QTest::keyClick(txtPassword, Qt::Key_Enter);
    QCOMPARE(txtPassword->text(), QString());
    QVERIFY(finestre->Password().isVisible());

    QVERIFY(loginAccetta(QStringLiteral("abc")));
}

void tst_Access::abilitazioneOK() {
    apriLogin();
    QLineEdit* txtPassword = campo(&finestre->Password(), "txtPassword");
    QPushButton* cmdOK = pulsante(&finestre->Password(), "cmdOK");
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
    QLineEdit* txtPassword = campo(&finestre->Password(), "txtPassword");
    digita(txtPassword, QStringLiteral("abc"));

    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, ErroreLettura);
    QTest::mouseClick(pulsante(&finestre->Password(), "cmdOK"), Qt::LeftButton);

    QVERIFY(finestre->Password().isVisible());
    QVERIFY(!finestre->Avvio().isVisible());
    QCOMPARE(txtPassword->text(), QStringLiteral("abc"));
}

void tst_Access::senzaFileNessunAccesso() {
    apriLogin();
    QLineEdit* txtPassword = campo(&finestre->Password(), "txtPassword");
    digita(txtPassword, QStringLiteral("pergolatoverde"));
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, PasswordErrata);
    QTest::mouseClick(pulsante(&finestre->Password(), "cmdOK"), Qt::LeftButton);
    QVERIFY(!finestre->Avvio().isVisible());
    QVERIFY(!QFile::exists(fileAccesso()));

    // A file without the value is no different.
    scriviFile("[Accesso]\r\nAltro=64749E\r\n");
    digita(txtPassword, QStringLiteral("abc"));
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, PasswordErrata);
    QTest::mouseClick(pulsante(&finestre->Password(), "cmdOK"), Qt::LeftButton);
    QVERIFY(!finestre->Avvio().isVisible());
}

void tst_Access::alonePassword() {
    apriLogin();
    QWidget* effPassword = figlio<QWidget>(&finestre->Password(), "effPassword");
    QLineEdit* txtPassword = campo(&finestre->Password(), "txtPassword");
    QVERIFY(txtPassword->hasFocus());
    QVERIFY(effPassword->isVisible());
    QCOMPARE(effPassword->geometry(), txtPassword->geometry().adjusted(-4, -4, 4, 4));
    QCOMPARE(coloreVisto(
                 &finestre->Password(),
                 effPassword->mapTo(&finestre->Password(), QPoint(3, effPassword->height() / 2))),
             QColor(Qt::yellow));

    QTest::keyClick(txtPassword, Qt::Key_Tab);
    QVERIFY(!txtPassword->hasFocus());
    QVERIFY(!effPassword->isVisible());
}

void tst_Access::campiMascherati() {
    for (QWidget* finestra : {static_cast<QWidget*>(&finestre->Password()),
                              static_cast<QWidget*>(&finestre->CambiaPassword())})
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
    QTimer::singleShot(0, [this, conPulsante] {
        if (conPulsante)
            QTest::mouseClick(figlio<QPushButton>(&finestre->Password(), "cmdEsci"),
                              Qt::LeftButton);
        else
            finestre->Password().close();
    });
    // Should the program go on, the loop is ended with another code.
    QTimer guardia;
    guardia.setSingleShot(true);
    connect(&guardia, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guardia.start(5000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!finestre->Password().isVisible());
    QVERIFY(!finestre->Avvio().isVisible());
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
    digita(campo(&finestre->Password(), "txtPassword"), QStringLiteral("qualcosa"));
    apriCambio();

    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, ModificaRiuscita);
    cambia(QStringLiteral(" abc"), nuova, conferma);

    QCOMPARE(contenutoFile(), "[Prima]\r\nX=1\r\n[Accesso]\r\nValore=" +
                                  EncryptToHex(memorizzata).toLatin1() + "\r\n[Dopo]\r\nY=2\r\n");
    // Back to the login window, which starts afresh.
    QVERIFY(!finestre->CambiaPassword().isVisible());
    QVERIFY(finestre->Password().isVisible());
    QCOMPARE(campo(&finestre->Password(), "txtPassword")->text(), QString());
    QCOMPARE(memoria(&finestre->Password())->text(), QString());
    QCOMPARE(finestre->Password().focusWidget(), campo(&finestre->Password(), "txtPassword"));

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

    QVERIFY(finestre->CambiaPassword().isVisible());
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtPasswordOld")->text(), QString());
    QCOMPARE(finestre->CambiaPassword().focusWidget(),
             campo(&finestre->CambiaPassword(), "txtPasswordOld"));
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtPasswordNew")->text(), QStringLiteral("nuova"));
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtConferma")->text(), QStringLiteral("nuova"));
    QVERIFY(!pulsante(&finestre->CambiaPassword(), "cmdOK")->isEnabled());
    QCOMPARE(contenutoFile(), valoreFile(QStringLiteral("ABC")));
}

void tst_Access::nuovaPasswordNonConfermata() {
    memorizza(QStringLiteral("ABC"));
    apriCambio();
    // Both would be stored alike, but the confirmation must match letter for letter.
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, NonConfermata);
    cambia(QStringLiteral("abc"), QStringLiteral("segreto"), QStringLiteral("SEGRETO"));

    QVERIFY(finestre->CambiaPassword().isVisible());
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtPasswordOld")->text(), QStringLiteral("abc"));
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtPasswordNew")->text(), QString());
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtConferma")->text(), QString());
    QCOMPARE(finestre->CambiaPassword().focusWidget(),
             campo(&finestre->CambiaPassword(), "txtPasswordNew"));
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

    QVERIFY(finestre->CambiaPassword().isVisible());
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtPasswordNew")->text(), QString());
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtConferma")->text(), QString());
    QCOMPARE(finestre->CambiaPassword().focusWidget(),
             campo(&finestre->CambiaPassword(), "txtPasswordNew"));
    QCOMPARE(contenutoFile(), valoreFile(QStringLiteral("ABC")));
}

void tst_Access::chiudiNonMemorizza() {
    memorizza(QStringLiteral("ABC"));
    apriLogin();
    digita(campo(&finestre->Password(), "txtPassword"), QStringLiteral("qualcosa"));
    apriCambio();
    digita(campo(&finestre->CambiaPassword(), "txtPasswordOld"), QStringLiteral("abc"));
    digita(campo(&finestre->CambiaPassword(), "txtPasswordNew"), QStringLiteral("nuova"));
    digita(campo(&finestre->CambiaPassword(), "txtConferma"), QStringLiteral("nuova"));

    QTest::mouseClick(pulsante(&finestre->CambiaPassword(), "cmdEsci"), Qt::LeftButton);

    QVERIFY(!finestre->CambiaPassword().isVisible());
    QVERIFY(finestre->Password().isVisible());
    QCOMPARE(campo(&finestre->Password(), "txtPassword")->text(), QString());
    QCOMPARE(finestre->Password().focusWidget(), campo(&finestre->Password(), "txtPassword"));
    QCOMPARE(contenutoFile(), valoreFile(QStringLiteral("ABC")));

    // Shown again, the change window starts with empty fields.
    QTest::mouseClick(pulsante(&finestre->Password(), "btnCambiaPassword"), Qt::LeftButton);
    for (const char* nome : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
        QCOMPARE(campo(&finestre->CambiaPassword(), nome)->text(), QString());
    QVERIFY(!pulsante(&finestre->CambiaPassword(), "cmdOK")->isEnabled());
    QCOMPARE(finestre->CambiaPassword().focusWidget(),
             campo(&finestre->CambiaPassword(), "txtPasswordOld"));
}

void tst_Access::cambioSenzaFile() {
    apriCambio();
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, VecchiaErrata);
    cambia(QStringLiteral("pergolatoverde"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    QVERIFY(finestre->CambiaPassword().isVisible());
    QVERIFY(!QFile::exists(fileAccesso()));
}

void tst_Access::cambioConValoreIllegibile() {
    scriviFile("[Accesso]\r\nValore=64749Z\r\n");
    apriCambio();
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, ErroreModifica);
    cambia(QStringLiteral("abc"), QStringLiteral("nuova"), QStringLiteral("nuova"));

    QVERIFY(finestre->CambiaPassword().isVisible());
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtPasswordOld")->text(), QStringLiteral("abc"));
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtPasswordNew")->text(), QStringLiteral("nuova"));
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtConferma")->text(), QStringLiteral("nuova"));
    QCOMPARE(contenutoFile(), QByteArray("[Accesso]\r\nValore=64749Z\r\n"));
}

void tst_Access::cambioSuFileNonScrivibile() {
    memorizza(QStringLiteral("ABC"));
    QVERIFY(QFile::setPermissions(fileAccesso(), QFile::ReadOwner));
    apriCambio();
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, ErroreModifica);
    cambia(QStringLiteral("abc"), QStringLiteral("nuova"), QStringLiteral("nuova"));

    QVERIFY(finestre->CambiaPassword().isVisible());
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtPasswordNew")->text(), QStringLiteral("nuova"));
    QCOMPARE(contenutoFile(), valoreFile(QStringLiteral("ABC")));

    QTest::mouseClick(pulsante(&finestre->CambiaPassword(), "cmdEsci"), Qt::LeftButton);
    QVERIFY(loginAccetta(QStringLiteral("abc")));
}

void tst_Access::cambioSuDiscoPieno_data() {
    QTest::addColumn<bool>("liberaSpazio");
    QTest::newRow("then the old password logs in") << false;
    QTest::newRow("then the change works once room is freed") << true;
}

// A real full file system under the program folder: the new value cannot be written, so the file
// must stay exactly as it was and the window must say so.
void tst_Access::cambioSuDiscoPieno() {
    SALTA_SENZA_DISCO_PIENO();
    QFETCH(bool, liberaSpazio);
    DiscoPieno disco;
    piattaforma->cartella = disco.Cartella() + QLatin1Char('/');
    const QByteArray prima = "[Prima]\r\nX=1\r\n" + valoreFile(QStringLiteral("ABC"));
    scriviFile(prima);
    QVERIFY(disco.Riempi());
    apriCambio();

    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, ErroreModifica);
    cambia(QStringLiteral("abc"), QStringLiteral("nuova"), QStringLiteral("nuova"));

    QVERIFY(finestre->CambiaPassword().isVisible());
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtPasswordOld")->text(), QStringLiteral("abc"));
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtPasswordNew")->text(), QStringLiteral("nuova"));
    QCOMPARE(campo(&finestre->CambiaPassword(), "txtConferma")->text(), QStringLiteral("nuova"));
    QVERIFY(pulsante(&finestre->CambiaPassword(), "cmdOK")->isEnabled());
    QCOMPARE(contenutoFile(), prima);
    QCOMPARE(QDir(disco.Cartella()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("unins000.dll")});

    if (!liberaSpazio) {
        QTest::mouseClick(pulsante(&finestre->CambiaPassword(), "cmdEsci"), Qt::LeftButton);
        QVERIFY(loginAccetta(QStringLiteral("abc")));
        return;
    }
    // The same OK again, the fields as they were left.
    QVERIFY(disco.Libera(prima.size()));
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, ModificaRiuscita);
    QTest::mouseClick(pulsante(&finestre->CambiaPassword(), "cmdOK"), Qt::LeftButton);
    QVERIFY(!finestre->CambiaPassword().isVisible());
    QCOMPARE(contenutoFile(), "[Prima]\r\nX=1\r\n" + valoreFile(QStringLiteral("NUOVA")));
    piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, PasswordErrata);
    QVERIFY(!loginAccetta(QStringLiteral("abc")));
    QVERIFY(loginAccetta(QStringLiteral("nuova")));
}

void tst_Access::invioNelCambio() {
    memorizza(QStringLiteral("ABC"));
    apriCambio();
    QLineEdit* vecchia = campo(&finestre->CambiaPassword(), "txtPasswordOld");
    QLineEdit* nuova = campo(&finestre->CambiaPassword(), "txtPasswordNew");
    QLineEdit* conferma = campo(&finestre->CambiaPassword(), "txtConferma");

    digita(vecchia, QStringLiteral("abc"));
    QTest::keyClick(vecchia, Qt::Key_Return);
    QVERIFY(nuova->hasFocus());
    digita(nuova, QStringLiteral("nuova"));
    QTest::keyClick(nuova, Qt::Key_Return);
    QVERIFY(conferma->hasFocus());
    digita(conferma, QStringLiteral("nuova"));
    QVERIFY(pulsante(&finestre->CambiaPassword(), "cmdOK")->isEnabled());
    // Enter never runs OK here: it goes back to the first field.
    QTest::keyClick(conferma, Qt::Key_Enter);
    QVERIFY(vecchia->hasFocus());
    QVERIFY(finestre->CambiaPassword().isVisible());
    QCOMPARE(contenutoFile(), valoreFile(QStringLiteral("ABC")));
}

void tst_Access::abilitazioneOKCambio() {
    apriCambio();
    QPushButton* cmdOK = pulsante(&finestre->CambiaPassword(), "cmdOK");
    QLineEdit* conferma = campo(&finestre->CambiaPassword(), "txtConferma");
    QVERIFY(!cmdOK->isEnabled());
    digita(campo(&finestre->CambiaPassword(), "txtPasswordOld"), QStringLiteral("a"));
    digita(campo(&finestre->CambiaPassword(), "txtPasswordNew"), QStringLiteral("b"));
    QVERIFY(!cmdOK->isEnabled());
    digita(conferma, QStringLiteral("  "));
    QVERIFY(!cmdOK->isEnabled());
    digita(conferma, QStringLiteral("b"));
    QVERIFY(cmdOK->isEnabled());
    campo(&finestre->CambiaPassword(), "txtPasswordOld")->clear();
    QVERIFY(!cmdOK->isEnabled());
}

void tst_Access::aloniCambio() {
    apriCambio();
    const std::pair<const char*, const char*> coppie[] = {{"txtPasswordOld", "effPasswordOld"},
                                                          {"txtPasswordNew", "effPasswordNew"},
                                                          {"txtConferma", "effConferma"}};
    for (const auto& [nomeCampo, nomeAlone] : coppie) {
        campo(&finestre->CambiaPassword(), nomeCampo)->setFocus(Qt::TabFocusReason);
        for (const auto& [altroCampo, altroAlone] : coppie)
            QCOMPARE(figlio<QWidget>(&finestre->CambiaPassword(), altroAlone)->isVisible(),
                     altroAlone == nomeAlone);
    }
    pulsante(&finestre->CambiaPassword(), "cmdEsci")->setFocus(Qt::TabFocusReason);
    for (const auto& [nomeCampo, nomeAlone] : coppie)
        QVERIFY(!figlio<QWidget>(&finestre->CambiaPassword(), nomeAlone)->isVisible());
}

BLINDORO_TEST_MAIN_DISCO_PIENO(tst_Access)

#include "tst_access.moc"
