#include "core/taxcode/ControlloFiscale.h"

#include <QTest>

// Expected check letters and digits below were worked out by hand (or with a separate script) from
// the published rules, not with the routines under test.
class tst_Taxcode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void codiceFiscale_data();
    void codiceFiscale();
    void partitaIva_data();
    void partitaIva();
    void ufficioDellaPartitaIva_data();
    void ufficioDellaPartitaIva();
    void tabellaUffici();
};

void tst_Taxcode::codiceFiscale_data() {
    QTest::addColumn<QString>("codice");
    QTest::addColumn<bool>("valido");

    QTest::newRow("sum 8, letter I") << "AAAAAA00A00A000I" << true;
    QTest::newRow("same code, wrong letter") << "AAAAAA00A00A000A" << false;

    // Widely published sample codes.
    QTest::newRow("Mario Rossi, Roma 1980") << "RSSMRA80A01H501U" << true;
    QTest::newRow("Mario Rossi, 1985") << "RSSMRA85T10A562S" << true;
    QTest::newRow("published code, last letter off by one") << "RSSMRA80A01H501V" << false;
    QTest::newRow("published code, one digit changed") << "RSSMRA80A01H502U" << false;

    // Omocodia: digits replaced by letters from the right; only the check letter matters.
    QTest::newRow("omocodia, one digit") << "RSSMRA80A01H50MM" << true;
    QTest::newRow("omocodia, two digits") << "RSSMRA80A01H5LMX" << true;
    QTest::newRow("omocodia, every digit") << "RSSMRALPALMHRLMV" << true;
    QTest::newRow("omocodia with the original letter") << "RSSMRA80A01H50MU" << false;

    // Together these put every character from 0 to Z in an odd and in an even place, so a
    // single wrong value in either table changes one of the letters.
    QTest::newRow("every value 1") << "0123456789ABCDEP" << true;
    QTest::newRow("every value 2") << "123456789ABCDEFA" << true;
    QTest::newRow("every value 3") << "EFGHIJKLMNOPQRSN" << true;
    QTest::newRow("every value 4") << "FGHIJKLMNOPQRSTC" << true;
    QTest::newRow("every value 5") << "KLMNOPQRSTUVWXYW" << true;
    QTest::newRow("every value 6") << "LMNOPQRSTUVWXYZZ" << true;
    QTest::newRow("every value 7") << "Z0Z0Z0Z0Z0Z0Z0ZC" << true;
    QTest::newRow("every value 8") << "0Z0Z0Z0Z0Z0Z0Z0B" << true;

    QTest::newRow("empty") << "" << false;
    QTest::newRow("15 characters") << "RSSMRA80A01H501" << false;
    QTest::newRow("17 characters") << "RSSMRA80A01H501UX" << false;

    // Characters outside 0-9 and A-Z make the code wrong, even where a zero table value would
    // make the letter fit (":" and "A" are both worth 0 in an even place).
    QTest::newRow("colon in an even place") << "A:AAAA00A00A000I" << false;
    QTest::newRow("at sign in an odd place") << "@AAAAA00A00A000I" << false;
    QTest::newRow("blank inside") << "RSSMRA 0A01H501U" << false;
    QTest::newRow("lower case") << "rssmra80a01h501u" << false;
    QTest::newRow("lower case beyond the table") << "zzzzzzzzzzzzzzzV" << false;
    QTest::newRow("accented letter") << QString::fromUtf8("RSSMRÀ80A01H501U") << false;
    QTest::newRow("bracket after Z") << "[AAAAA00A00A000I" << false;
}

void tst_Taxcode::codiceFiscale() {
    QFETCH(QString, codice);
    QFETCH(bool, valido);
    QCOMPARE(CodFiscValido(codice), valido);
}

void tst_Taxcode::partitaIva_data() {
    QTest::addColumn<QString>("numero");
    QTest::addColumn<bool>("valida");

    QTest::newRow("12345670017") << "12345670017" << true;
    QTest::newRow("12345670018") << "12345670018" << false;
    QTest::newRow("12345671205") << "12345671205" << true;
    QTest::newRow("all zeros") << "00000000000" << true;

    // Published numbers of large companies.
    QTest::newRow("Eni") << "00905811006" << true;
    QTest::newRow("TIM") << "00488410010" << true;
    QTest::newRow("Poste Italiane") << "01114601006" << true;
    QTest::newRow("Enel") << "00811720580" << true;
    QTest::newRow("Eni, last digit changed") << "00905811007" << false;
    QTest::newRow("Eni, two digits swapped") << "00950811006" << false;
    QTest::newRow("TIM, check digit moved") << "00488410001" << false;

    // Every digit in an odd and in an even place (doubling below and above 10).
    QTest::newRow("digits 0 to 9") << "01234567897" << true;
    QTest::newRow("digits 1 to 0") << "12345678903" << true;
    QTest::newRow("digits 9 to 0") << "98765432103" << true;
    QTest::newRow("digits 9 to 0, wrong check") << "98765432104" << false;

    QTest::newRow("empty") << "" << false;
    QTest::newRow("10 digits") << "1234567001" << false;
    QTest::newRow("12 digits") << "123456700170" << false;
    QTest::newRow("letter") << "1234567001A" << false;
    QTest::newRow("blank inside") << "1234567 017" << false;
    QTest::newRow("blank after") << "12345670017 " << false;
    QTest::newRow("Arabic-Indic seven") << QString::fromUtf8("1234567001\u0667") << false;
    QTest::newRow("full-width seven") << QString::fromUtf8("1234567001\uFF17") << false;
}

void tst_Taxcode::partitaIva() {
    QFETCH(QString, numero);
    QFETCH(bool, valida);
    QCOMPARE(PartitaIvaValida(numero), valida);
}

void tst_Taxcode::ufficioDellaPartitaIva_data() {
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("ufficio");

    QTest::newRow("000") << "00000000000"
                         << "";
    QTest::newRow("001") << "12345670017"
                         << "Torino";
    QTest::newRow("040") << "12345670405" << QString::fromUtf8("Forlì");
    QTest::newRow("058") << "00811720580"
                         << "Roma 1";
    QTest::newRow("066") << "12345670660"
                         << "Aquila";
    QTest::newRow("100") << "00905811006"
                         << "Roma 2";
    QTest::newRow("102") << "12345671023"
                         << "Napoli 2";
    QTest::newRow("103") << "12345671031"
                         << "";
    QTest::newRow("119") << "12345671197"
                         << "";
    QTest::newRow("120") << "12345671205"
                         << "Bologna 2";
    QTest::newRow("121") << "12345671213"
                         << "Napoli 2";
    QTest::newRow("122") << "12345671221"
                         << "";
}

void tst_Taxcode::ufficioDellaPartitaIva() {
    QFETCH(QString, numero);
    QFETCH(QString, ufficio);
    QVERIFY(PartitaIvaValida(numero));
    QCOMPARE(NomeUfficioIva(CodiceUfficio(numero)), ufficio);
}

void tst_Taxcode::tabellaUffici() {
    // Codes 001 to 102 without a gap, then 120 and 121: a row lost or doubled shifts every name.
    QStringList codici;
    for (const UfficioIva& ufficio : UfficiIva)
        codici << ufficio.codice.toString();
    QStringList attesi;
    for (int codice = 1; codice <= 102; ++codice)
        attesi << QStringLiteral("%1").arg(codice, 3, 10, QLatin1Char('0'));
    attesi << QStringLiteral("120") << QStringLiteral("121");
    QCOMPARE(codici, attesi);

    QCOMPARE(NomeUfficioIva(QStringLiteral("037")), QStringLiteral("Bologna 1"));
    QCOMPARE(NomeUfficioIva(QStringLiteral("096")), QStringLiteral("Monza (Milano 2)"));
    QCOMPARE(NomeUfficioIva(QStringLiteral("099")), QStringLiteral("Chiavari (Genova 2)"));
    QCOMPARE(NomeUfficioIva(QStringLiteral("101")), QStringLiteral("Bologna 2"));
    // Only the exact three-character code finds an office.
    QCOMPARE(NomeUfficioIva(QStringLiteral("1")), QString());
    QCOMPARE(NomeUfficioIva(QStringLiteral("01")), QString());
    QCOMPARE(NomeUfficioIva(QString()), QString());
}

QTEST_APPLESS_MAIN(tst_Taxcode)
#include "tst_taxcode.moc"
