// The cipher of the access password, the settings file that keeps it, and the form in which
// passwords are compared and stored.

#include "core/password/Accesso.h"
#include "core/password/Crypt.h"
#include "core/password/ProfiloPrivato.h"
#include "support/DiscoPieno.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

QByteArray contenuto(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void crea(const QString& percorso, const QByteArray& byte) {
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(byte), byte.size());
}

// Every code from 0 to 255, once.
QString tuttiICodici() {
    QString testo;
    for (int codice = 0; codice <= 255; ++codice)
        testo.append(QChar(static_cast<char16_t>(codice)));
    return testo;
}

} // namespace

class tst_Password : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cifratura_data();
    void cifratura();
    void cifraturaTuttiICodici();
    void cifraturaPrefissi();
    void cifraturaCodiciOltre255();
    void decifraturaFormeAmmesse_data();
    void decifraturaFormeAmmesse();
    void decifraturaCoppiaErrata_data();
    void decifraturaCoppiaErrata();

    void normalizzazione_data();
    void normalizzazione();
    void passwordCifrabile_data();
    void passwordCifrabile();

    void letturaProfilo_data();
    void letturaProfilo();
    void letturaValoreLungo();
    void scritturaProfilo_data();
    void scritturaProfilo();
    void fileMancante();
    void scritturaSuFile();
    void scritturaFallita_data();
    void scritturaFallita();
    void scritturaSuDiscoPieno();

    void fileConsegnato();
};

void tst_Password::cifratura_data() {
    QTest::addColumn<QString>("chiaro");
    QTest::addColumn<QString>("cifrato");

    QTest::newRow("empty text") << QString() << QString();
    QTest::newRow("one letter") << QStringLiteral("A") << QStringLiteral("64");
    QTest::newRow("three letters") << QStringLiteral("ABC") << QStringLiteral("64749E");
    QTest::newRow("accented capital") << QStringLiteral("ÀBC") << QStringLiteral("E505B9");
    QTest::newRow("NUL") << QString(QChar(u'\0')) << QStringLiteral("25");
    QTest::newRow("code 255") << QStringLiteral("ÿ") << QStringLiteral("DA");
    QTest::newRow("initial password")
        << QStringLiteral("PERGOLATOVERDE") << QStringLiteral("7501359E3A894D550D0D592D49EE");
}

void tst_Password::cifratura() {
    QFETCH(QString, chiaro);
    QFETCH(QString, cifrato);
    QCOMPARE(EncryptToHex(chiaro), cifrato);
    QCOMPARE(DecryptFromHex(cifrato), chiaro);
}

void tst_Password::cifraturaTuttiICodici() {
    static const QRegularExpression soloCifre(QStringLiteral("^[0-9A-F]*$"));
    const QString avanti = tuttiICodici();
    QString indietro = avanti;
    std::reverse(indietro.begin(), indietro.end());
    for (const QString& testo : {avanti, indietro}) {
        const QString cifrato = EncryptToHex(testo);
        QCOMPARE(cifrato.size(), 2 * testo.size());
        QVERIFY(soloCifre.match(cifrato).hasMatch());
        QCOMPARE(EncryptToHex(testo), cifrato);
        QCOMPARE(DecryptFromHex(cifrato), testo);
    }
}

void tst_Password::cifraturaPrefissi() {
    const QString testo = QStringLiteral("PERGOLATOVERDE");
    const QString cifrato = EncryptToHex(testo);
    for (qsizetype n = 0; n <= testo.size(); ++n)
        QVERIFY(cifrato.startsWith(EncryptToHex(testo.left(n))));

    // One character changed: its pair changes, every pair before it stays.
    for (qsizetype i = 0; i < testo.size(); ++i) {
        QString cambiato = testo;
        cambiato[i] = QLatin1Char('#');
        const QString altro = EncryptToHex(cambiato);
        QCOMPARE(altro.left(2 * i), cifrato.left(2 * i));
        QVERIFY(altro.mid(2 * i, 2) != cifrato.mid(2 * i, 2));
    }
}

void tst_Password::cifraturaCodiciOltre255() {
    // Only the low byte is kept, so such a character comes back as another one.
    QCOMPARE(EncryptToHex(QStringLiteral("Ł")), EncryptToHex(QStringLiteral("A")));
    QCOMPARE(DecryptFromHex(EncryptToHex(QStringLiteral("€"))), QStringLiteral("¬"));
}

void tst_Password::decifraturaFormeAmmesse_data() {
    QTest::addColumn<QString>("cifrato");
    QTest::addColumn<QString>("chiaro");

    QTest::newRow("lower-case digits") << QStringLiteral("64749e") << QStringLiteral("ABC");
    QTest::newRow("mixed case") << QStringLiteral("7501359e3a894d550D0D592D49EE")
                                << QStringLiteral("PERGOLATOVERDE");
    QTest::newRow("odd last digit ignored") << QStringLiteral("64749E7") << QStringLiteral("ABC");
    QTest::newRow("single digit") << QStringLiteral("6") << QString();
    QTest::newRow("empty text") << QString() << QString();
}

void tst_Password::decifraturaFormeAmmesse() {
    QFETCH(QString, cifrato);
    QFETCH(QString, chiaro);
    QCOMPARE(DecryptFromHex(cifrato), chiaro);
}

void tst_Password::decifraturaCoppiaErrata_data() {
    QTest::addColumn<QString>("cifrato");

    QTest::newRow("letter past F at the end") << QStringLiteral("64749G");
    QTest::newRow("bad first pair") << QStringLiteral("G4749E");
    QTest::newRow("blank inside") << QStringLiteral("64 49E");
    QTest::newRow("leading blank") << QStringLiteral(" 4749E");
    QTest::newRow("sign") << QStringLiteral("+4");
    QTest::newRow("hex prefix") << QStringLiteral("0x");
    QTest::newRow("full-width digits") << QStringLiteral("６４");
}

void tst_Password::decifraturaCoppiaErrata() {
    QFETCH(QString, cifrato);
    QVERIFY_THROWS_EXCEPTION(ErroreConversione, DecryptFromHex(cifrato));
}

void tst_Password::normalizzazione_data() {
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("normalizzato");
    QTest::addColumn<QString>("senzaSpazi");

    QTest::newRow("small letters")
        << QStringLiteral("abc") << QStringLiteral("ABC") << QStringLiteral("abc");
    QTest::newRow("blanks and controls around") << QStringLiteral(" \t\x01"
                                                                  "aB c\r\n ")
                                                << QStringLiteral("AB C") << QStringLiteral("aB c");
    QTest::newRow("accented letters keep their case")
        << QStringLiteral("àÈß") << QStringLiteral("àÈß") << QStringLiteral("àÈß");
    QTest::newRow("digits and signs")
        << QStringLiteral("x1-!") << QStringLiteral("X1-!") << QStringLiteral("x1-!");
    QTest::newRow("blanks only") << QStringLiteral("   ") << QString() << QString();
    // A no-break space (code 160) is not a blank here.
    QTest::newRow("no-break space")
        << QStringLiteral("\u00A0a") << QStringLiteral("\u00A0A") << QStringLiteral("\u00A0a");
}

void tst_Password::normalizzazione() {
    QFETCH(QString, digitato);
    QFETCH(QString, normalizzato);
    QFETCH(QString, senzaSpazi);
    QCOMPARE(NormalizzaPassword(digitato), normalizzato);
    QCOMPARE(TogliSpazi(digitato), senzaSpazi);
}

void tst_Password::passwordCifrabile_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("cifrabile");

    QTest::newRow("every code to 255") << tuttiICodici() << true;
    QTest::newRow("euro sign") << QStringLiteral("PREZZO€") << false;
    QTest::newRow("Greek letter") << QStringLiteral("ΑΒΓ") << false;
    QTest::newRow("emoji") << QStringLiteral("CIAO😀") << false;
}

void tst_Password::passwordCifrabile() {
    QFETCH(QString, password);
    QFETCH(bool, cifrabile);
    QCOMPARE(PasswordCifrabile(password), cifrabile);
}

void tst_Password::letturaProfilo_data() {
    QTest::addColumn<QByteArray>("profilo");
    QTest::addColumn<QString>("valore");

    QTest::newRow("plain") << QByteArray("[Accesso]\r\nValore=64749E\r\n")
                           << QStringLiteral("64749E");
    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("missing section") << QByteArray("[Altro]\r\nValore=64\r\n") << QString();
    QTest::newRow("missing key") << QByteArray("[Accesso]\r\nAltro=64\r\n") << QString();
    QTest::newRow("empty value") << QByteArray("[Accesso]\r\nValore=\r\n") << QString();
    QTest::newRow("key without equals sign") << QByteArray("[Accesso]\r\nValore\r\n") << QString();
    QTest::newRow("names in another case")
        << QByteArray("[aCCESSO]\r\nVALORE=64\r\n") << QStringLiteral("64");
    QTest::newRow("blanks around names and value")
        << QByteArray("  [ Accesso ]  \n\t Valore  =  64  \n") << QStringLiteral("64");
    QTest::newRow("line feeds, no final break")
        << QByteArray("[Accesso]\nValore=64") << QStringLiteral("64");
    QTest::newRow("quoted value") << QByteArray("[Accesso]\nValore=\"64\"\n")
                                  << QStringLiteral("64");
    QTest::newRow("among other sections and keys")
        << QByteArray("; note\n[Prima]\nValore=11\n[Accesso]\nAltro=1\nValore=64\n[Dopo]\n"
                      "Valore=22\n")
        << QStringLiteral("64");
    QTest::newRow("key of a later section")
        << QByteArray("[Accesso]\n[Altro]\nValore=64\n") << QString();
    QTest::newRow("key before any section") << QByteArray("Valore=64\n[Accesso]\n") << QString();
    QTest::newRow("first of two keys")
        << QByteArray("[Accesso]\nValore=64\nValore=65\n") << QStringLiteral("64");
    QTest::newRow("UTF-8 mark in front")
        << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=64\r\n") << QStringLiteral("64");
}

void tst_Password::letturaProfilo() {
    QFETCH(QByteArray, profilo);
    QFETCH(QString, valore);
    QCOMPARE(ValoreInProfilo(profilo, Accesso::Sezione, Accesso::Chiave), valore);
}

void tst_Password::letturaValoreLungo() {
    const QByteArray valore(3000, '7');
    const QString letto = ValoreInProfilo("[Accesso]\r\nValore=" + valore + "\r\n",
                                          Accesso::Sezione, Accesso::Chiave);
    QCOMPARE(letto, QString(2047, QLatin1Char('7')));
}

void tst_Password::scritturaProfilo_data() {
    QTest::addColumn<QByteArray>("prima");
    QTest::addColumn<QByteArray>("dopo");

    QTest::newRow("new file") << QByteArray() << QByteArray("[Accesso]\r\nValore=AB\r\n");
    QTest::newRow("value replaced in place, every other line kept")
        << QByteArray("; note\r\n[Prima]\r\nValore=11\r\n\r\n[accesso]\r\n  valore = 64  \r\n"
                      "Altro=x\r\n[Dopo]\r\nValore=22")
        << QByteArray("; note\r\n[Prima]\r\nValore=11\r\n\r\n[accesso]\r\n  valore = AB\r\n"
                      "Altro=x\r\n[Dopo]\r\nValore=22");
    QTest::newRow("empty value filled")
        << QByteArray("[Accesso]\nValore=\n") << QByteArray("[Accesso]\nValore=AB\n");
    QTest::newRow("quoted value replaced")
        << QByteArray("[Accesso]\nValore=\"64\"\n") << QByteArray("[Accesso]\nValore=AB\n");
    QTest::newRow("key without equals sign")
        << QByteArray("[Accesso]\nValore\n") << QByteArray("[Accesso]\nValore=AB\n");
    QTest::newRow("key added to its section, before the blank line")
        << QByteArray("[Accesso]\nAltro=x\n\n[Dopo]\nY=1\n")
        << QByteArray("[Accesso]\nAltro=x\nValore=AB\n\n[Dopo]\nY=1\n");
    QTest::newRow("key added after a header without line break")
        << QByteArray("[Accesso]") << QByteArray("[Accesso]\r\nValore=AB\r\n");
    QTest::newRow("section added at the end")
        << QByteArray("[Altro]\nValore=64")
        << QByteArray("[Altro]\nValore=64\n[Accesso]\nValore=AB\n");
    QTest::newRow("UTF-8 mark kept") << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=64\r\n")
                                     << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=AB\r\n");
}

void tst_Password::scritturaProfilo() {
    QFETCH(QByteArray, prima);
    QFETCH(QByteArray, dopo);
    const QByteArray scritto =
        ProfiloConValore(prima, Accesso::Sezione, Accesso::Chiave, QStringLiteral("AB"));
    QCOMPARE(scritto, dopo);
    QCOMPARE(ValoreInProfilo(scritto, Accesso::Sezione, Accesso::Chiave), QStringLiteral("AB"));
}

void tst_Password::fileMancante() {
    QTemporaryDir cartella;
    QCOMPARE(
        LeggiValoreProfilo(cartella.filePath("unins000.dll"), Accesso::Sezione, Accesso::Chiave),
        QString());
    QCOMPARE(LeggiValoreProfilo(cartella.filePath("manca/unins000.dll"), Accesso::Sezione,
                                Accesso::Chiave),
             QString());
}

void tst_Password::scritturaSuFile() {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("unins000.dll");

    ScriviValoreProfilo(percorso, Accesso::Sezione, Accesso::Chiave, QStringLiteral("64"));
    QCOMPARE(contenuto(percorso), QByteArray("[Accesso]\r\nValore=64\r\n"));
    // It keeps the access password: a new file is for its owner's eyes only.
    QCOMPARE(QFile::permissions(percorso) & ~(QFile::ReadUser | QFile::WriteUser),
             QFile::ReadOwner | QFile::WriteOwner);

    crea(percorso, "[Prima]\nX=1\n[Accesso]\nValore=64\n[Dopo]\nY=2\n");
    ScriviValoreProfilo(percorso, Accesso::Sezione, Accesso::Chiave, QStringLiteral("6474"));
    QCOMPARE(contenuto(percorso),
             QByteArray("[Prima]\nX=1\n[Accesso]\nValore=6474\n[Dopo]\nY=2\n"));
    QCOMPARE(LeggiValoreProfilo(percorso, Accesso::Sezione, Accesso::Chiave),
             QStringLiteral("6474"));
    // Nothing is left behind beside the file.
    QCOMPARE(QDir(cartella.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("unins000.dll")});
}

void tst_Password::scritturaFallita_data() {
    QTest::addColumn<QString>("caso");
    QTest::newRow("read-only file") << QStringLiteral("file");
    QTest::newRow("read-only folder") << QStringLiteral("cartella");
    QTest::newRow("folder missing") << QStringLiteral("mancante");
    QTest::newRow("folder in place of the file") << QStringLiteral("directory");
}

void tst_Password::scritturaFallita() {
    QFETCH(QString, caso);
    QTemporaryDir base;
    const QString cartella = base.filePath("programma");
    QVERIFY(QDir().mkpath(cartella));
    QString percorso = cartella + "/unins000.dll";
    const QByteArray vecchio("[Altro]\r\nX=1\r\n[Accesso]\r\nValore=64749E\r\n");

    if (caso == "mancante") {
        percorso = base.filePath("manca/unins000.dll");
    } else if (caso == "directory") {
        QVERIFY(QDir().mkpath(percorso));
    } else {
        crea(percorso, vecchio);
        const auto lettura = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        if (caso == "file")
            QVERIFY(QFile::setPermissions(percorso, lettura));
        else
            QVERIFY(QFile::setPermissions(cartella, lettura | QFile::ExeOwner | QFile::ExeGroup |
                                                        QFile::ExeOther));
    }
    // The temporary folder can be removed afterwards, whatever the outcome.
    const auto ripristina = qScopeGuard([&] {
        QFile::setPermissions(cartella, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });

    QVERIFY_THROWS_EXCEPTION(
        ErroreScritturaProfilo,
        ScriviValoreProfilo(percorso, Accesso::Sezione, Accesso::Chiave, QStringLiteral("41")));

    if (caso == "file" || caso == "cartella") {
        QCOMPARE(contenuto(percorso), vecchio);
        QCOMPARE(QDir(cartella).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("unins000.dll")});
    }
    QVERIFY(!QFile::exists(base.filePath("manca")));
}

// A full disk: the change fails, the file stays byte for byte and the old password still reads.
void tst_Password::scritturaSuDiscoPieno() {
    SALTA_SENZA_DISCO_PIENO();
    DiscoPieno disco;
    const QString percorso = disco.Percorso("unins000.dll");
    const QByteArray vecchio(
        "[Altro]\r\nX=1\r\n[Accesso]\r\nValore=7501359E3A894D550D0D592D49EE\r\n");
    crea(percorso, vecchio);
    QVERIFY(disco.Riempi());
    const QString nuovo = EncryptToHex(QStringLiteral("NUOVA"));

    try {
        ScriviValoreProfilo(percorso, Accesso::Sezione, Accesso::Chiave, nuovo);
        QFAIL("the write on a full disk reported success");
    } catch (const ErroreScritturaProfilo& errore) {
        QVERIFY2(QString::fromLocal8Bit(errore.what())
                     .contains(QString::fromLocal8Bit(std::strerror(ENOSPC))),
                 errore.what());
    }
    QCOMPARE(contenuto(percorso), vecchio);
    QCOMPARE(DecryptFromHex(LeggiValoreProfilo(percorso, Accesso::Sezione, Accesso::Chiave)),
             QStringLiteral("PERGOLATOVERDE"));
    QCOMPARE(QDir(disco.Cartella()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("unins000.dll")});

    // With room again, the same change goes through.
    QVERIFY(disco.Libera(vecchio.size()));
    ScriviValoreProfilo(percorso, Accesso::Sezione, Accesso::Chiave, nuovo);
    QCOMPARE(LeggiValoreProfilo(percorso, Accesso::Sezione, Accesso::Chiave), nuovo);
}

void tst_Password::fileConsegnato() {
    const QString consegnato = QStringLiteral(BLINDORO_FILE_ACCESSO);
    QCOMPARE(contenuto(consegnato),
             QByteArray("[Accesso]\r\nValore=7501359E3A894D550D0D592D49EE\r\n"));
    const QString valore = LeggiValoreProfilo(consegnato, Accesso::Sezione, Accesso::Chiave);
    QCOMPARE(DecryptFromHex(valore), QStringLiteral("PERGOLATOVERDE"));
    QVERIFY(QFile::exists(QStringLiteral(BLINDORO_PROGRAM_DIR "/unins000.dll")));
}

BLINDORO_TEST_NUCLEO_DISCO_PIENO(tst_Password)

#include "tst_password.moc"
