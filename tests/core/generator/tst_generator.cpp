#include "core/generator/FraseSegreta.h"
#include "core/generator/Generatore.h"
#include "core/generator/StimaForza.h"
#include "core/storage/Windows1252.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTest>

#include <cmath>
#include <map>
#include <stdexcept>
#include <vector>

Q_DECLARE_METATYPE(ImpostazioniPassword)
Q_DECLARE_METATYPE(ImpostazioniFrase)

namespace {

// The classes as the test knows them, written out rather than taken from the generator.
const QString Maiuscole = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString Minuscole = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
const QString Cifre = QStringLiteral("0123456789");
const QString Simboli = QStringLiteral("!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~");
const QString Sosia = QStringLiteral("lI1O0");

ImpostazioniPassword Password(int lunghezza, const char* classi, bool senzaSosia = false) {
    const QByteArray scelte(classi);
    ImpostazioniPassword impostazioni;
    impostazioni.lunghezza = lunghezza;
    impostazioni.maiuscole = scelte.contains('M');
    impostazioni.minuscole = scelte.contains('m');
    impostazioni.cifre = scelte.contains('c');
    impostazioni.simboli = scelte.contains('s');
    impostazioni.senzaSosia = senzaSosia;
    return impostazioni;
}

QList<QString> ClassiAttese(const ImpostazioniPassword& impostazioni) {
    QList<QString> classi;
    const auto aggiungi = [&](bool scelta, QString classe) {
        if (!scelta)
            return;
        if (impostazioni.senzaSosia)
            classe.removeIf([](QChar c) { return Sosia.contains(c); });
        classi.append(classe);
    };
    aggiungi(impostazioni.maiuscole, Maiuscole);
    aggiungi(impostazioni.minuscole, Minuscole);
    aggiungi(impostazioni.cifre, Cifre);
    aggiungi(impostazioni.simboli, Simboli);
    return classi;
}

// Pearson's statistic of observed against expected counts.
double ChiQuadro(const std::vector<double>& osservati, const std::vector<double>& attesi) {
    double somma = 0;
    for (size_t i = 0; i < osservati.size(); ++i)
        somma += (osservati[i] - attesi[i]) * (osservati[i] - attesi[i]) / attesi[i];
    return somma;
}

} // namespace

class tst_Generator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void classiPresenti_data();
    void classiPresenti();
    void impostazioniNonValide_data();
    void impostazioniNonValide();
    void conteggioControEnumerazione_data();
    void conteggioControEnumerazione();
    void entropiaDelleImpostazioni_data();
    void entropiaDelleImpostazioni();
    void chiQuadroDiUnaPosizione_data();
    void chiQuadroDiUnaPosizione();

    void elencoParole();
    void frase_data();
    void frase();
    void frasiNonValide_data();
    void frasiNonValide();
    void chiQuadroDelleParole();

    void nomiDellaForza_data();
    void nomiDellaForza();
    void forzaDiPasswordNote();

private:
    QHash<QString, qsizetype> indiceParole;
};

void tst_Generator::initTestCase() {
    for (qsizetype i = 0; i < NumeroParole(); ++i)
        indiceParole.insert(Parola(i), i);
}

// ---- Passwords ----

void tst_Generator::classiPresenti_data() {
    QTest::addColumn<ImpostazioniPassword>("impostazioni");
    // M capitals, m small letters, c digits, s symbols.
    QTest::newRow("the defaults") << ImpostazioniPassword{};
    QTest::newRow("shortest, every class") << Password(8, "Mmcs");
    QTest::newRow("longest, every class") << Password(120, "Mmcs");
    QTest::newRow("shortest, every class, no look-alikes") << Password(8, "Mmcs", true);
    QTest::newRow("longest, every class, no look-alikes") << Password(120, "Mmcs", true);
    QTest::newRow("capitals only, no look-alikes") << Password(8, "M", true);
    QTest::newRow("digits only, no look-alikes") << Password(120, "c", true);
    QTest::newRow("small letters and symbols") << Password(13, "ms");
    QTest::newRow("capitals and digits, no look-alikes") << Password(9, "Mc", true);
}

void tst_Generator::classiPresenti() {
    QFETCH(ImpostazioniPassword, impostazioni);
    const QList<QString> classi = ClassiAttese(impostazioni);
    QCOMPARE(ClassiScelte(impostazioni), classi);
    const QString alfabeto = classi.join(QString());
    for (int prova = 0; prova < 300; ++prova) {
        const QString password = GeneraPassword(impostazioni);
        QCOMPARE(password.size(), impostazioni.lunghezza);
        for (QChar c : password) {
            QVERIFY2(c > QLatin1Char(' ') && c <= QLatin1Char('~'), "not printable ASCII");
            QVERIFY2(alfabeto.contains(c), "a character of a class not chosen");
            if (impostazioni.senzaSosia)
                QVERIFY2(!Sosia.contains(c), "a look-alike");
        }
        for (const QString& classe : classi)
            QVERIFY2(std::any_of(password.begin(), password.end(),
                                 [&](QChar c) { return classe.contains(c); }),
                     "a chosen class is missing");
        // The archive stores it byte for byte: one byte a character, read back the same.
        const QByteArray codificata = CodificaWindows1252(password);
        QCOMPARE(codificata, password.toLatin1());
        QCOMPARE(DecodificaWindows1252(codificata), password);
    }
}

void tst_Generator::impostazioniNonValide_data() {
    QTest::addColumn<ImpostazioniPassword>("impostazioni");
    QTest::newRow("one character too short") << Password(7, "Mmcs");
    QTest::newRow("one character too long") << Password(121, "Mmcs");
    QTest::newRow("no length") << Password(0, "Mmcs");
    QTest::newRow("negative length") << Password(-20, "Mmcs");
    QTest::newRow("no class") << Password(20, "", true);
}

void tst_Generator::impostazioniNonValide() {
    QFETCH(ImpostazioniPassword, impostazioni);
    QVERIFY(!ImpostazioniValide(impostazioni));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, GeneraPassword(impostazioni));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, EntropiaEsatta(impostazioni));
}

void tst_Generator::conteggioControEnumerazione_data() {
    QTest::addColumn<int>("alfabeto");
    QTest::addColumn<QList<int>>("classi");
    QTest::addColumn<int>("lunghezza");
    QTest::newRow("no class") << 5 << QList<int>{} << 3;
    QTest::newRow("one class, the whole alphabet") << 3 << QList<int>{3} << 4;
    QTest::newRow("one class of two in four") << 4 << QList<int>{2} << 3;
    QTest::newRow("two classes, one character") << 3 << QList<int>{1, 2} << 1;
    QTest::newRow("two classes, two characters") << 3 << QList<int>{1, 2} << 2;
    QTest::newRow("two classes, five characters") << 3 << QList<int>{1, 2} << 5;
    QTest::newRow("classes of 1, 2 and 3, three characters") << 6 << QList<int>{1, 2, 3} << 3;
    QTest::newRow("classes of 1, 2 and 3, six characters") << 6 << QList<int>{1, 2, 3} << 6;
    QTest::newRow("four single characters, three places") << 4 << QList<int>{1, 1, 1, 1} << 3;
    QTest::newRow("four single characters, four places") << 4 << QList<int>{1, 1, 1, 1} << 4;
    QTest::newRow("four single characters, seven places") << 4 << QList<int>{1, 1, 1, 1} << 7;
    QTest::newRow("four classes and free characters") << 8 << QList<int>{1, 2, 1, 1} << 6;
}

void tst_Generator::conteggioControEnumerazione() {
    QFETCH(int, alfabeto);
    QFETCH(QList<int>, classi);
    QFETCH(int, lunghezza);
    // Character k belongs to the class whose range holds it; those past the classes to none.
    std::vector<int> classeDi(alfabeto, -1);
    int inizio = 0;
    for (int c = 0; c < classi.size(); ++c)
        for (int i = 0; i < classi[c]; ++i)
            classeDi[inizio++] = c;
    long long testi = 1, buoni = 0;
    for (int i = 0; i < lunghezza; ++i)
        testi *= alfabeto;
    for (long long numero = 0; numero < testi; ++numero) {
        std::vector<bool> presente(classi.size(), false);
        for (long long resto = numero, i = 0; i < lunghezza; ++i, resto /= alfabeto)
            if (classeDi[resto % alfabeto] >= 0)
                presente[classeDi[resto % alfabeto]] = true;
        buoni += std::all_of(presente.begin(), presente.end(), [](bool p) { return p; });
    }
    QCOMPARE(TestiConOgniClasse(alfabeto, classi, lunghezza), static_cast<double>(buoni));
}

void tst_Generator::entropiaDelleImpostazioni_data() {
    QTest::addColumn<ImpostazioniPassword>("impostazioni");
    QTest::addColumn<double>("bit");
    QTest::newRow("small letters, 20") << Password(20, "m") << 20 * std::log2(26.0);
    QTest::newRow("symbols, 8") << Password(8, "s") << 40.0;
    QTest::newRow("digits, no look-alikes, 8") << Password(8, "c", true) << 24.0;
    QTest::newRow("capitals, no look-alikes, 10")
        << Password(10, "M", true) << 10 * std::log2(24.0);
    QTest::newRow("small letters, no look-alikes, 120")
        << Password(120, "m", true) << 120 * std::log2(25.0);
    // 40 characters, less the texts of symbols only and of digits only.
    QTest::newRow("digits and symbols, no look-alikes, 8")
        << Password(8, "cs", true)
        << std::log2(std::pow(40.0, 8) - std::pow(32.0, 8) - std::pow(8.0, 8));
    QTest::newRow("capitals and small letters, 8")
        << Password(8, "Mm") << std::log2(std::pow(52.0, 8) - 2 * std::pow(26.0, 8));
}

void tst_Generator::entropiaDelleImpostazioni() {
    QFETCH(ImpostazioniPassword, impostazioni);
    QFETCH(double, bit);
    QCOMPARE(EntropiaEsatta(impostazioni), bit);
}

// The character at the first place of many passwords, each drawn by a call of its own, against the
// frequencies the uniform draw over the valid passwords gives it. A character of class K starts
// T(L - 1, the other classes) of the T(L, every class) valid passwords (T as TestiConOgniClasse,
// checked above by enumeration); for one class that is 1/n.
//
// The statistic has (alphabet size - 1) degrees of freedom. Each threshold is the value a uniform
// draw exceeds with probability about 1e-9 (the upper tail of the chi-square distribution), so the
// test fails by chance about once in a billion runs:
//   26 characters, 25 degrees of freedom, threshold 93:  false alarm 9.2e-10
//   94 characters, 93 degrees of freedom, threshold 200: false alarm 8.3e-10
//   89 characters, 88 degrees of freedom, threshold 193: false alarm 7.8e-10
// A byte reduced modulo n without throwing any away makes some characters 10/256 likely instead of
// 9/256 (or 3/256 instead of 2/256): for the small letters that moves the statistic's mean by 268,
// more than 6 standard deviations past the threshold; with every class the rule of one of each
// class hides part of it, and runs with that fault gave about 1500 and 1150. A generator seeded the
// same way on each call draws the same character every time: a statistic in the millions.
void tst_Generator::chiQuadroDiUnaPosizione_data() {
    QTest::addColumn<ImpostazioniPassword>("impostazioni");
    QTest::addColumn<int>("estrazioni");
    QTest::addColumn<double>("soglia");
    QTest::newRow("small letters, 8") << Password(8, "m") << 200000 << 93.0;
    QTest::newRow("every class, 8") << Password(8, "Mmcs") << 100000 << 200.0;
    QTest::newRow("every class, no look-alikes, 8") << Password(8, "Mmcs", true) << 100000 << 193.0;
}

void tst_Generator::chiQuadroDiUnaPosizione() {
    QFETCH(ImpostazioniPassword, impostazioni);
    QFETCH(int, estrazioni);
    QFETCH(double, soglia);
    const QList<QString> classi = ClassiAttese(impostazioni);
    const QString alfabeto = classi.join(QString());
    const auto n = static_cast<int>(alfabeto.size());
    QList<int> dimensioni;
    for (const QString& classe : classi)
        dimensioni.append(static_cast<int>(classe.size()));
    const double validi = TestiConOgniClasse(n, dimensioni, impostazioni.lunghezza);

    std::vector<double> attesi;
    for (int k = 0; k < classi.size(); ++k) {
        QList<int> altre = dimensioni;
        altre.removeAt(k);
        const double quota = TestiConOgniClasse(n, altre, impostazioni.lunghezza - 1) / validi;
        attesi.insert(attesi.end(), classi[k].size(), estrazioni * quota);
    }
    std::vector<double> osservati(n, 0);
    for (int i = 0; i < estrazioni; ++i)
        ++osservati[alfabeto.indexOf(GeneraPassword(impostazioni).at(0))];
    const double statistica = ChiQuadro(osservati, attesi);
    QVERIFY2(statistica < soglia,
             qPrintable(QStringLiteral("chi-square %1, threshold %2").arg(statistica).arg(soglia)));
}

// ---- Passphrases ----

void tst_Generator::elencoParole() {
    // The build's filter done again here: Debian's list, words of 4 to 9 letters a to z, each once.
    QFile dizionario(QStringLiteral(BLINDORO_DIZIONARIO_ITALIANO));
    QVERIFY(dizionario.open(QIODevice::ReadOnly));
    const QRegularExpression parolaAmmessa(QStringLiteral("^[a-z]{4,9}$"));
    QStringList attese;
    for (const QString& riga : QString::fromUtf8(dizionario.readAll()).split(QLatin1Char('\n')))
        if (parolaAmmessa.match(riga).hasMatch())
            attese.append(riga);
    attese.sort();
    attese.removeDuplicates();
    QVERIFY(attese.size() > 40000);

    QStringList elenco;
    for (qsizetype i = 0; i < NumeroParole(); ++i)
        elenco.append(Parola(i));
    QCOMPARE(elenco, attese);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, Parola(NumeroParole()));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, Parola(-1));
}

void tst_Generator::frase_data() {
    QTest::addColumn<int>("parole");
    QTest::addColumn<QString>("separatore");
    QTest::newRow("the defaults") << ImpostazioniFrase{}.parole << ImpostazioniFrase{}.separatore;
    QTest::newRow("fewest words") << 4 << "-";
    QTest::newRow("most words, longest separator") << 10 << "~~~";
    QTest::newRow("a blank") << 5 << " ";
    QTest::newRow("digit, sign and capital") << 7 << "9.Z";
    QTest::newRow("a double quote") << 6 << "\"";
}

void tst_Generator::frase() {
    QFETCH(int, parole);
    QFETCH(QString, separatore);
    const ImpostazioniFrase impostazioni{parole, separatore};
    QVERIFY(ImpostazioniValide(impostazioni));
    QCOMPARE(EntropiaEsatta(impostazioni), parole * std::log2(static_cast<double>(NumeroParole())));
    for (int prova = 0; prova < 200; ++prova) {
        const QString frase = GeneraFrase(impostazioni);
        QVERIFY(frase.size() <= LunghezzaMassimaPassword);
        QCOMPARE(CodificaWindows1252(frase), frase.toLatin1());
        const QStringList pezzi = frase.split(separatore);
        QCOMPARE(pezzi.size(), parole);
        for (const QString& pezzo : pezzi)
            QVERIFY2(indiceParole.contains(pezzo), qPrintable(pezzo));
    }
}

void tst_Generator::frasiNonValide_data() {
    QTest::addColumn<int>("parole");
    QTest::addColumn<QString>("separatore");
    QTest::newRow("three words") << 3 << "-";
    QTest::newRow("eleven words") << 11 << "-";
    QTest::newRow("no separator") << 5 << "";
    QTest::newRow("a small letter") << 5 << "e";
    QTest::newRow("a small letter among signs") << 5 << "-x-";
    QTest::newRow("four characters") << 5 << "----";
    QTest::newRow("an accented letter") << 5 << QString::fromUtf8("è");
    QTest::newRow("a tab") << 5 << "\t";
    QTest::newRow("a line feed") << 5 << "\n";
    QTest::newRow("the euro sign") << 5 << QString::fromUtf8("€");
}

void tst_Generator::frasiNonValide() {
    QFETCH(int, parole);
    QFETCH(QString, separatore);
    const ImpostazioniFrase impostazioni{parole, separatore};
    QVERIFY(!ImpostazioniValide(impostazioni));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, GeneraFrase(impostazioni));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, EntropiaEsatta(impostazioni));
}

// The words of many passphrases, by their place in the list cut into 64 runs of (nearly) the same
// size, against the runs' shares of the list: 63 degrees of freedom, threshold 160, exceeded by a
// uniform draw with probability 2.2e-10. Two bytes reduced modulo the list's size without throwing
// any away would make the first 15,634 words twice as likely as the others, and move the
// statistic's mean by about 12,000.
void tst_Generator::chiQuadroDelleParole() {
    constexpr int Tratti = 64;
    constexpr int Frasi = 20000;
    const qsizetype numero = NumeroParole();
    const auto tratto = [&](qsizetype indice) {
        return static_cast<int>(indice * Tratti / numero);
    };
    std::vector<double> attesi(Tratti, 0), osservati(Tratti, 0);
    for (qsizetype i = 0; i < numero; ++i)
        attesi[tratto(i)] += Frasi * 5.0 / numero;
    for (int i = 0; i < Frasi; ++i)
        for (const QString& parola : GeneraFrase({5, QStringLiteral(" ")}).split(QLatin1Char(' ')))
            ++osservati[tratto(indiceParole.value(parola))];
    const double statistica = ChiQuadro(osservati, attesi);
    QVERIFY2(statistica < 160, qPrintable(QStringLiteral("chi-square %1").arg(statistica)));
}

// ---- Strength ----

void tst_Generator::nomiDellaForza_data() {
    QTest::addColumn<double>("bit");
    QTest::addColumn<QString>("nome");
    QTest::newRow("nothing") << 0.0 << "Debole";
    QTest::newRow("just below 40") << 39.99 << "Debole";
    QTest::newRow("40") << 40.0 << "Discreta";
    QTest::newRow("just below 75") << 74.99 << "Discreta";
    QTest::newRow("75") << 75.0 << "Buona";
    QTest::newRow("just below 100") << 99.99 << "Buona";
    QTest::newRow("100") << 100.0 << "Ottima";
    QTest::newRow("far beyond") << 700.0 << "Ottima";
}

void tst_Generator::nomiDellaForza() {
    QFETCH(double, bit);
    QFETCH(QString, nome);
    QCOMPARE(NomeForza(ForzaDeiBit(bit)), nome);
}

void tst_Generator::forzaDiPasswordNote() {
    struct Caso {
        const char* password;
        const char* forza;
    };
    // From the weakest to the strongest, as the library ranks them. The library knows English words
    // and names, not Italian ones: it puts a passphrase of five Italian words (78 bits exactly)
    // above a random password of 20 characters (131 bits exactly).
    const Caso casi[] = {
        {"password", "Debole"},
        {"Tr0ub4dor&3", "Discreta"},
        {"#W8ZJG;fDQ7VY./iSQ`V", "Ottima"},
        {"situammo-visiva-sventure-agguato-denunzie", "Ottima"},
    };
    for (const QString& parola : QString::fromLatin1(casi[3].password).split(QLatin1Char('-')))
        QVERIFY(indiceParole.contains(parola));
    double precedente = -1;
    for (const Caso& caso : casi) {
        const double bit = BitStimati(QString::fromLatin1(caso.password));
        QVERIFY2(bit > precedente, caso.password);
        QCOMPARE(NomeForza(ForzaDeiBit(bit)), QString::fromLatin1(caso.forza));
        precedente = bit;
    }
    QCOMPARE(BitStimati(QString()), 0.0);
    // Text outside ASCII reaches the library as UTF-8.
    QVERIFY(BitStimati(QString::fromUtf8("perché€")) > 0);
}

QTEST_GUILESS_MAIN(tst_Generator)
#include "tst_generator.moc"
