#include "LetturaGuasta.h"

#include "core/storage/FileArchivio.h"
#include "core/storage/Scheda.h"
#include "core/summary/Ricerca.h"
#include "core/summary/RigaRiepilogo.h"
#include "core/summary/Scadenze.h"
#include "core/summary/Scansioni.h"
#include "core/text/Testo.h"
#include "support/Privilegi.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <utility>

namespace {

QString Spazi(qsizetype quanti) {
    return QString(quanti, u' ');
}

using Valori = std::initializer_list<std::pair<Campo, QString>>;

TScheda SchedaCon(Valori valori) {
    TScheda scheda{};
    for (const auto& [campo, testo] : valori)
        CodificaCampo(scheda, campo, testo);
    return scheda;
}

// A record with the five fields of its list line.
TScheda SchedaElenco(const QString& titolo, const QString& utente, const QString& intestatario,
                     const QString& tel, const QString& scadenza) {
    return SchedaCon({{Campo::Titolo, titolo},
                      {Campo::Utente, utente},
                      {Campo::Intestatario, intestatario},
                      {Campo::Tel, tel},
                      {Campo::Scadenza, scadenza}});
}

TScheda SchedaScadenza(const QString& titolo, const QString& scadenza) {
    return SchedaCon({{Campo::Titolo, titolo}, {Campo::Scadenza, scadenza}});
}

bool ScriviArchivio(const QString& percorso, const QList<TScheda>& schede) {
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (const TScheda& scheda : schede) {
        if (file.write(reinterpret_cast<const char*>(&scheda), sizeof scheda) != sizeof scheda)
            return false;
    }
    return file.flush();
}

int DescrittoriAperti() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files).size());
}

const QDate Oggi(2024, 3, 15);

} // namespace

class tst_Summary : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void rigaRiepilogo_data();
    void rigaRiepilogo();

    void ordine_data();
    void ordine();
    void ordinaNellElenco();

    void lettereMinuscole();
    void filtri_data();
    void filtri();
    void filtroSuUnCampoNonCercato();
    void filtroSuiByteComeSulTesto();

    void trova_data();
    void trova();
    void trovaIdScorreOgniRiga();

    void scadenza_data();
    void scadenza();

    void cercaSchede();
    void archivioMancanteVieneCreatoVuoto();
    void elencaScaduteSaltaLeScadenzeNonDate();
    void elencaScaduteTieneLeRigheTrovatePrimaDelGuasto();
    void caricaSchedeDellaRigaDaTutteLeSchedeUguali();
    void caricaSchedeTieneQuelleMostratePrimaDelGuasto();
    void scansioniFalliscono_data();
    void scansioniFalliscono();

private:
    QString Percorso(const QString& nome = QStringLiteral("prova.psw")) const {
        return cartella->filePath(nome);
    }
    std::unique_ptr<QTemporaryDir> cartella;
};

void tst_Summary::init() {
    cartella = std::make_unique<QTemporaryDir>();
    QVERIFY(cartella->isValid());
}

void tst_Summary::cleanup() {
    GuastaLetturaDopo(-1);
    cartella.reset();
}

void tst_Summary::rigaRiepilogo_data() {
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QString>("utente");
    QTest::addColumn<QString>("intestatario");
    QTest::addColumn<QString>("tel");
    QTest::addColumn<QString>("scadenza");
    QTest::addColumn<QString>("riga");

    QTest::newRow("brevi") << "Banca"
                           << "mario"
                           << "Mario Rossi"
                           << "06 1234"
                           << "14/03/2024"
                           << QStringLiteral("Banca") + Spazi(37) + "  ID: mario" + Spazi(23) +
                                  "  Nome: Mario Rossi" + Spazi(17) + "  Tel. 06 1234" + Spazi(9) +
                                  "  Scad. 14/03/2024";
    QTest::newRow("vuoti") << ""
                           << ""
                           << ""
                           << ""
                           << ""
                           << Spazi(42) + "  ID: " + Spazi(28) + "  Nome: " + Spazi(28) +
                                  "  Tel. " + Spazi(16) + "  Scad. ";
    const QString titolo42 = QStringLiteral("T").repeated(42);
    const QString utente28 = QStringLiteral("u").repeated(28);
    const QString nome28 = QStringLiteral("n").repeated(28);
    const QString tel16 = QStringLiteral("1").repeated(16);
    QTest::newRow("larghezza esatta") << titolo42 << utente28 << nome28 << tel16 << "01/01/2000"
                                      << titolo42 + "  ID: " + utente28 + "  Nome: " + nome28 +
                                             "  Tel. " + tel16 + "  Scad. 01/01/2000";
    QTest::newRow("lunghi tagliati")
        << QStringLiteral("0123456789").repeated(6) << utente28 + "XYZ" << nome28 + "!"
        << tel16 + "999"
        << "01/01/2000"
        << QStringLiteral("0123456789").repeated(4) + "01" + "  ID: " + utente28 +
               "  Nome: " + nome28 + "  Tel. " + tel16 + "  Scad. 01/01/2000";
    QTest::newRow("spazi e caratteri di controllo ai lati")
        << "\t  Banca  \r\n"
        << " mario\x01"
        << "\x1f"
        << "  "
        << " 1/3/2024 "
        << QStringLiteral("Banca") + Spazi(37) + "  ID: mario" + Spazi(23) +
               "  Nome: " + Spazi(28) + "  Tel. " + Spazi(16) + "  Scad. 1/3/2024";
    QTest::newRow("spazi interni restano")
        << "Poste  Italiane"
        << "a b"
        << ""
        << ""
        << ""
        << QStringLiteral("Poste  Italiane") + Spazi(27) + "  ID: a b" + Spazi(25) +
               "  Nome: " + Spazi(28) + "  Tel. " + Spazi(16) + "  Scad. ";
    QTest::newRow("accenti ed euro, un carattere ciascuno")
        << "Città è €"
        << ""
        << "Niccolò"
        << ""
        << ""
        << QStringLiteral("Città è €") + Spazi(33) + "  ID: " + Spazi(28) + "  Nome: Niccolò" +
               Spazi(21) + "  Tel. " + Spazi(16) + "  Scad. ";
}

void tst_Summary::rigaRiepilogo() {
    QFETCH(QString, titolo);
    QFETCH(QString, utente);
    QFETCH(QString, intestatario);
    QFETCH(QString, tel);
    QFETCH(QString, scadenza);
    QFETCH(QString, riga);
    // Other fields hold text too: the line must not take it from them.
    TScheda scheda = SchedaElenco(titolo, utente, intestatario, tel, scadenza);
    CodificaCampo(scheda, Campo::URL, QStringLiteral("https://altro"));
    CodificaCampo(scheda, Campo::Email, QStringLiteral("altro@example.com"));
    const QString ottenuta = RigaRiepilogo(scheda);
    QCOMPARE(ottenuta, riga);
    QCOMPARE(ottenuta.size(), 143 + TogliSpazi(scadenza).size());
}

void tst_Summary::ordine_data() {
    QTest::addColumn<QString>("primo");
    QTest::addColumn<QString>("secondo");
    QTest::addColumn<int>("segno");

    QTest::newRow("a-z come A-Z") << "abc"
                                  << "ABD" << -1;
    QTest::newRow("solo maiuscole diverse: pari") << "Banca"
                                                  << "BANCA" << 0;
    QTest::newRow("maiuscola dopo minuscola") << "Zeta"
                                              << "alfa" << 1;
    // Folding to capitals, not to small letters: "[" and "_" lie between the two.
    QTest::newRow("lettera prima di [") << "a"
                                        << "[" << -1;
    QTest::newRow("lettera prima di _") << "x_"
                                        << "xa" << 1;
    QTest::newRow("accentata dopo z") << "z"
                                      << "è" << -1;
    QTest::newRow("accentate non piegate") << "È"
                                           << "è" << -1;
    QTest::newRow("É dopo e") << "e"
                              << "É" << -1;
    QTest::newRow("prefisso prima") << "Banca"
                                    << "banca " << -1;
    QTest::newRow("vuoto prima") << ""
                                 << "a" << -1;
    QTest::newRow("uguali") << "Posta"
                            << "Posta" << 0;
    QTest::newRow("cifre prima delle lettere") << "9"
                                               << "A" << -1;
}

void tst_Summary::ordine() {
    QFETCH(QString, primo);
    QFETCH(QString, secondo);
    QFETCH(int, segno);
    QCOMPARE(ConfrontaNellElenco(primo, secondo), segno);
    QCOMPARE(ConfrontaNellElenco(secondo, primo), -segno);
    QCOMPARE(PrecedeNellElenco(primo, secondo), segno < 0);
}

void tst_Summary::ordinaNellElenco() {
    QStringList righe = {
        QStringLiteral("posta"), QStringLiteral("Èlite"), QStringLiteral("BANCA"),
        QStringLiteral("_nota"), QStringLiteral("banca"), QStringLiteral("Banca web"),
        QStringLiteral("Banca"), QStringLiteral("zeta"),  QStringLiteral("[prova]")};
    OrdinaNellElenco(righe);
    // Equal lines keep the order they came in.
    const QStringList attese = {
        QStringLiteral("BANCA"),     QStringLiteral("banca"), QStringLiteral("Banca"),
        QStringLiteral("Banca web"), QStringLiteral("posta"), QStringLiteral("zeta"),
        QStringLiteral("[prova]"),   QStringLiteral("_nota"), QStringLiteral("Èlite")};
    QCOMPARE(righe, attese);
}

void tst_Summary::lettereMinuscole() {
    QCOMPARE(LettereMinuscole(QStringLiteral("CITTÀ Bank@Z[]")), QStringLiteral("cittÀ bank@z[]"));
    QCOMPARE(LettereMinuscole(QString()), QString());
}

void tst_Summary::filtri_data() {
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QString>("utente");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("filtroTitolo");
    QTest::addColumn<QString>("filtroUtente");
    QTest::addColumn<QString>("filtroNote");
    QTest::addColumn<int>("filtri");
    QTest::addColumn<bool>("passa");

    QTest::newRow("Bank in Banca BankItalia") << "Banca BankItalia"
                                              << ""
                                              << ""
                                              << "Bank"
                                              << ""
                                              << "" << 1 << true;
    QTest::newRow("Bank in my bank") << "my bank"
                                     << ""
                                     << ""
                                     << "Bank"
                                     << ""
                                     << "" << 1 << true;
    QTest::newRow("Bank non in Banca") << "Banca"
                                       << ""
                                       << ""
                                       << "Bank"
                                       << ""
                                       << "" << 1 << false;
    QTest::newRow("Città non in CITTÀ") << "CITTÀ"
                                        << ""
                                        << ""
                                        << "Città"
                                        << ""
                                        << "" << 1 << false;
    QTest::newRow("CITTÀ in CITTÀ") << "CITTÀ"
                                    << ""
                                    << ""
                                    << "CITTÀ"
                                    << ""
                                    << "" << 1 << true;
    QTest::newRow("cittÀ in CITTÀ") << "CITTÀ"
                                    << ""
                                    << ""
                                    << "cittÀ"
                                    << ""
                                    << "" << 1 << true;
    QTest::newRow("spazio e mario in io mario") << ""
                                                << "io mario"
                                                << ""
                                                << ""
                                                << " mario"
                                                << "" << 1 << true;
    QTest::newRow("spazio e mario non in mario") << ""
                                                 << "mario"
                                                 << ""
                                                 << ""
                                                 << " mario"
                                                 << "" << 1 << false;
    QTest::newRow("filtro di soli spazi ignorato") << "Home bank"
                                                   << ""
                                                   << ""
                                                   << "bank"
                                                   << ""
                                                   << "   " << 1 << true;
    QTest::newRow("soli spazi, titolo senza bank") << "Posta"
                                                   << ""
                                                   << ""
                                                   << "bank"
                                                   << ""
                                                   << "   " << 1 << false;
    QTest::newRow("posta e mario: entrambi") << "Poste posta"
                                             << "Mario.Rossi"
                                             << ""
                                             << "posta"
                                             << "mario"
                                             << "" << 2 << true;
    QTest::newRow("posta e mario: manca mario") << "posta"
                                                << "luigi"
                                                << ""
                                                << "posta"
                                                << "mario"
                                                << "" << 2 << false;
    QTest::newRow("posta e mario: manca posta") << "banca"
                                                << "mario"
                                                << ""
                                                << "posta"
                                                << "mario"
                                                << "" << 2 << false;
    QTest::newRow("nessun filtro: passa tutto") << "x"
                                                << "y"
                                                << "z"
                                                << ""
                                                << "\t"
                                                << "" << 0 << true;
    QTest::newRow("fine di una nota lunga") << ""
                                            << "" << QStringLiteral("x").repeated(4990) + "PIN 1234"
                                            << ""
                                            << ""
                                            << "pin 1234" << 1 << true;
    // A character the code page lacks is in no field: not even as the "?" or the plain letter
    // that a record would have stored in its place.
    QTest::newRow("fuori dal codice: non come ?") << "perché?"
                                                  << ""
                                                  << ""
                                                  << "π"
                                                  << ""
                                                  << "" << 1 << false;
    QTest::newRow("fuori dal codice: non come lettera semplice") << "Gdansk"
                                                                 << ""
                                                                 << ""
                                                                 << "Gdańsk"
                                                                 << ""
                                                                 << "" << 1 << false;
    QTest::newRow("controllo C1 del codice") << "a\u0081b"
                                             << ""
                                             << ""
                                             << "\u0081"
                                             << ""
                                             << "" << 1 << true;
    QTest::newRow("euro e accentate") << "Prezzo 5€ più"
                                      << ""
                                      << ""
                                      << "5€ PIÙ"
                                      << ""
                                      << "" << 1 << false;
    QTest::newRow("euro e accentate nello stesso caso") << "Prezzo 5€ PIÙ"
                                                        << ""
                                                        << ""
                                                        << "5€ più"
                                                        << ""
                                                        << "" << 1 << false;
    QTest::newRow("euro e accentata, A-Z piegate") << "PREZZO 5€ più"
                                                   << ""
                                                   << ""
                                                   << "prezzo 5€ più"
                                                   << ""
                                                   << "" << 1 << true;
}

void tst_Summary::filtri() {
    QFETCH(QString, titolo);
    QFETCH(QString, utente);
    QFETCH(QString, note);
    QFETCH(QString, filtroTitolo);
    QFETCH(QString, filtroUtente);
    QFETCH(QString, filtroNote);
    QFETCH(int, filtri);
    QFETCH(bool, passa);
    // The text of a filtered field stands in other fields too: each filter tests its own field.
    const TScheda scheda = SchedaCon({{Campo::Titolo, titolo},
                                      {Campo::Utente, utente},
                                      {Campo::Note, note},
                                      {Campo::Descrizione, titolo + utente + note},
                                      {Campo::Risposta, titolo + utente + note}});
    FiltriRicerca filtro;
    filtro.Imposta(Campo::Titolo, filtroTitolo);
    filtro.Imposta(Campo::Utente, filtroUtente);
    filtro.Imposta(Campo::Note, filtroNote);
    QCOMPARE(filtro.NumeroFiltri(), filtri);
    QCOMPARE(filtro.Soddisfatti(scheda), passa);
}

void tst_Summary::filtroSuUnCampoNonCercato() {
    FiltriRicerca filtro;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                             filtro.Imposta(Campo::Scadenza, QStringLiteral("2024")));
    // A filter set again replaces the earlier one; blank again, it takes no part any more.
    filtro.Imposta(Campo::CodFisc, QStringLiteral("RSS"));
    filtro.Imposta(Campo::CodFisc, QStringLiteral("MRA"));
    QCOMPARE(filtro.NumeroFiltri(), 1);
    QVERIFY(filtro.Soddisfatti(SchedaCon({{Campo::CodFisc, QStringLiteral("MRARSS")}})));
    QVERIFY(!filtro.Soddisfatti(SchedaCon({{Campo::CodFisc, QStringLiteral("RSSXXX")}})));
    filtro.Imposta(Campo::CodFisc, QStringLiteral(" "));
    QCOMPARE(filtro.NumeroFiltri(), 0);
}

// The filters look at the record's bytes, the key search at the lines' text: on random fields and
// keys (A to Z and a to z, the bytes around them, accented letters in both cases, the bytes
// 80-9F, characters outside the code page) both give the same answer.
void tst_Summary::filtroSuiByteComeSulTesto() {
    const QString caratteri = QStringLiteral("AaZz@[`{?ÀàÈè€ŠšŸ\u0081\u009dαą");
    QRandomGenerator caso(4);
    const auto testo = [&](int massimo) {
        QString risultato;
        for (int n = static_cast<int>(caso.bounded(massimo + 1)); n > 0; --n)
            risultato += caratteri[caso.bounded(caratteri.size())];
        return risultato;
    };
    int trovate = 0;
    for (int prova = 0; prova < 3000; ++prova) {
        const QString chiave = testo(3);
        const TScheda scheda = SchedaCon({{Campo::Note, testo(12)}});
        FiltriRicerca filtro;
        filtro.Imposta(Campo::Note, chiave);
        const bool attesa =
            TogliSpazi(chiave).isEmpty() ||
            ContieneChiave(DecodificaCampo(scheda, Campo::Note), LettereMinuscole(chiave));
        QVERIFY2(filtro.Soddisfatti(scheda) == attesa,
                 qPrintable(chiave + " / " + DecodificaCampo(scheda, Campo::Note)));
        trovate += attesa;
    }
    // Both answers occur often enough to mean something.
    QVERIFY(trovate > 300 && trovate < 2700);
}

void tst_Summary::trova_data() {
    QTest::addColumn<QStringList>("righe");
    QTest::addColumn<int>("selezionata"); // -1: none
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QString>("ultima");
    QTest::addColumn<int>("attesa"); // -1: none
    QTest::addColumn<QString>("nuovaUltima");

    const QStringList tre = {QStringLiteral("alfa"), QStringLiteral("beta Mario"),
                             QStringLiteral("gamma mario")};
    QTest::newRow("nuova chiave dall'inizio") << tre << 2 << "MARIO"
                                              << "" << 1 << "mario";
    QTest::newRow("nuova chiave sulla prima riga") << tre << 2 << "alf"
                                                   << "mario" << 0 << "alf";
    QTest::newRow("stessa chiave: la successiva") << tre << 1 << "mario"
                                                  << "mario" << 2 << "mario";
    QTest::newRow("stessa chiave: si riparte dall'alto") << tre << 2 << "Mario"
                                                         << "mario" << 1 << "mario";
    QTest::newRow("stessa chiave senza selezione: dopo la prima") << tre << -1 << "mario"
                                                                  << "mario" << 1 << "mario";
    QTest::newRow("unica corrispondenza resta selezionata") << tre << 0 << "alfa"
                                                            << "alfa" << 0 << "alfa";
    QTest::newRow("nessuna corrispondenza: selezione invariata") << tre << 2 << "zzz"
                                                                 << "" << 2 << "zzz";
    QTest::newRow("nessuna corrispondenza senza selezione: la prima") << tre << -1 << "zzz"
                                                                      << "" << 0 << "zzz";
    QTest::newRow("selezione fuori dall'elenco come nessuna") << tre << 7 << "zzz"
                                                              << "" << 0 << "zzz";
    QTest::newRow("chiave vuota nuova non trova") << tre << 1 << ""
                                                  << "mario" << 1 << "";
    QTest::newRow("chiave vuota ripetuta non trova") << tre << 2 << ""
                                                     << "" << 2 << "";
    QTest::newRow("chiave non tagliata")
        << QStringList{QStringLiteral("mario"), QStringLiteral("io mario")} << 0 << " mario"
        << "" << 1 << " mario";
    QTest::newRow("accentate solo nello stesso caso")
        << QStringList{QStringLiteral("città"), QStringLiteral("CITTÀ")} << 0 << "CITTÀ"
        << "" << 1 << "cittÀ";
    QTest::newRow("elenco vuoto: nulla cambia") << QStringList() << -1 << "mario"
                                                << "alfa" << -1 << "alfa";
}

void tst_Summary::trova() {
    QFETCH(QStringList, righe);
    QFETCH(int, selezionata);
    QFETCH(QString, chiave);
    QFETCH(QString, ultima);
    QFETCH(int, attesa);
    QFETCH(QString, nuovaUltima);
    const EsitoTrova esito =
        Trova(righe, selezionata < 0 ? std::nullopt : std::optional<qsizetype>(selezionata), chiave,
              ultima);
    QCOMPARE(esito.riga.has_value(), attesa >= 0);
    if (esito.riga)
        QCOMPARE(*esito.riga, attesa);
    QCOMPARE(esito.ultimaChiave, nuovaUltima);
}

// Every list line holds "  ID: ": the first click selects line 0, each further click the next.
void tst_Summary::trovaIdScorreOgniRiga() {
    QStringList righe;
    for (const char* titolo : {"Alfa", "Beta", "Gamma"})
        righe << RigaRiepilogo(SchedaElenco(QString::fromUtf8(titolo), QStringLiteral("u"),
                                            QString(), QString(), QString()));
    std::optional<qsizetype> selezionata;
    QString ultima;
    QList<qsizetype> percorse;
    for (int clic = 0; clic < 5; ++clic) {
        const EsitoTrova esito = Trova(righe, selezionata, QStringLiteral("ID:"), ultima);
        QVERIFY(esito.riga);
        selezionata = esito.riga;
        ultima = esito.ultimaChiave;
        percorse << *esito.riga;
    }
    QCOMPARE(percorse, (QList<qsizetype>{0, 1, 2, 0, 1}));
    QCOMPARE(ultima, QStringLiteral("id:"));
}

void tst_Summary::scadenza_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QDate>("giorno");
    QTest::addColumn<bool>("scaduta");

    QTest::newRow("ieri") << "14/03/2024" << QDate(2024, 3, 14) << true;
    QTest::newRow("oggi") << "15/03/2024" << QDate(2024, 3, 15) << false;
    QTest::newRow("domani") << "16/03/2024" << QDate(2024, 3, 16) << false;
    // Compared as days, not as texts: "16/02" sorts after "15/03" but is earlier.
    QTest::newRow("mese prima, giorno dopo") << "16/02/2024" << QDate(2024, 2, 16) << true;
    QTest::newRow("mese dopo, giorno prima") << "01/04/2024" << QDate(2024, 4, 1) << false;
    QTest::newRow("anno prima") << "20/12/2023" << QDate(2023, 12, 20) << true;
    QTest::newRow("una cifra") << "5/3/2024" << QDate(2024, 3, 5) << true;
    QTest::newRow("spazi ai lati") << " 14/03/2024 " << QDate(2024, 3, 14) << true;
    QTest::newRow("vuota") << "" << QDate() << false;
    QTest::newRow("spazi") << "          " << QDate() << false;
    QTest::newRow("giorno inesistente") << "30/02/2024" << QDate() << false;
    QTest::newRow("mese 13") << "14/13/2023" << QDate() << false;
    QTest::newRow("anno di due cifre") << "14/03/23" << QDate() << false;
    QTest::newRow("trattini") << "14-03-2024" << QDate() << false;
    QTest::newRow("testo") << "mai" << QDate() << false;
    QTest::newRow("data e altro") << "14/03/2024x" << QDate() << false;
    QTest::newRow("anno di cinque cifre") << "14/03/20245" << QDate() << false;
    QTest::newRow("giorno di tre cifre") << "014/03/2024" << QDate() << false;
    QTest::newRow("giorno zero") << "0/3/2024" << QDate() << false;
    QTest::newRow("anno zero") << "01/01/0000" << QDate() << false;
    QTest::newRow("manca il mese") << "14//2024" << QDate() << false;
    QTest::newRow("segno") << "+1/3/2024" << QDate() << false;
}

void tst_Summary::scadenza() {
    QFETCH(QString, testo);
    QFETCH(QDate, giorno);
    QFETCH(bool, scaduta);
    QCOMPARE(DataScadenza(testo), giorno);
    QCOMPARE(Scaduta(testo, Oggi), scaduta);
}

void tst_Summary::cercaSchede() {
    const TScheda zeta = SchedaElenco("zeta bank", "anna", "", "", "01/01/2025");
    const TScheda posta = SchedaElenco("Posta", "mario", "", "", "");
    const TScheda alfa = SchedaElenco("Alfa Bank", "bruno", "", "", "");
    const TScheda banca = SchedaElenco("banca", "carla", "", "", "");
    QVERIFY(ScriviArchivio(Percorso(), {zeta, posta, alfa, banca}));

    FiltriRicerca bank;
    bank.Imposta(Campo::Titolo, QStringLiteral("BANK"));
    QCOMPARE(CercaSchede(Percorso(), bank),
             (QStringList{RigaRiepilogo(alfa), RigaRiepilogo(zeta)}));

    QCOMPARE(CercaSchede(Percorso(), FiltriRicerca()),
             (QStringList{RigaRiepilogo(alfa), RigaRiepilogo(banca), RigaRiepilogo(posta),
                          RigaRiepilogo(zeta)}));

    FiltriRicerca nessuna;
    nessuna.Imposta(Campo::Utente, QStringLiteral("zorro"));
    QVERIFY(CercaSchede(Percorso(), nessuna).isEmpty());
}

// The archive file that went missing comes back empty, as for every other action.
void tst_Summary::archivioMancanteVieneCreatoVuoto() {
    QVERIFY(CercaSchede(Percorso(QStringLiteral("a.psw")), FiltriRicerca()).isEmpty());
    QStringList scadute{QStringLiteral("vecchia")};
    ElencaScadute(Percorso(QStringLiteral("b.psw")), Oggi, scadute);
    QVERIFY(scadute.isEmpty());
    for (const char* nome : {"a.psw", "b.psw"}) {
        QVERIFY(QFile::exists(Percorso(QString::fromLatin1(nome))));
        QCOMPARE(QFile(Percorso(QString::fromLatin1(nome))).size(), 0);
    }
}

// An empty or broken expiry is passed over: the expired records after it are still listed.
void tst_Summary::elencaScaduteSaltaLeScadenzeNonDate() {
    const TScheda zeta = SchedaScadenza("Zeta", "01/03/2024");
    const TScheda alfa = SchedaScadenza("Alfa", "10/03/2024");
    const TScheda beta = SchedaScadenza("Beta", "14/03/2024");
    QVERIFY(ScriviArchivio(Percorso(), {zeta, SchedaScadenza("Vuota", ""), alfa,
                                        SchedaScadenza("Domani", "16/03/2024"),
                                        SchedaScadenza("Rotta", "32/13/2024"),
                                        SchedaScadenza("Oggi", "15/03/2024"), beta}));
    QStringList righe;
    ElencaScadute(Percorso(), Oggi, righe);
    QCOMPARE(righe, (QStringList{RigaRiepilogo(alfa), RigaRiepilogo(beta), RigaRiepilogo(zeta)}));
}

void tst_Summary::elencaScaduteTieneLeRigheTrovatePrimaDelGuasto() {
    const TScheda zeta = SchedaScadenza("Zeta", "01/03/2024");
    const TScheda alfa = SchedaScadenza("Alfa", "10/03/2024");
    QVERIFY(ScriviArchivio(Percorso(), {zeta, SchedaScadenza("Domani", "16/03/2024"), alfa,
                                        SchedaScadenza("Beta", "14/03/2024")}));
    const int aperti = DescrittoriAperti();
    QStringList righe;
    GuastaLetturaDopo(3);
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, ElencaScadute(Percorso(), Oggi, righe));
    QVERIFY(LetturaGuastaAvvenuta());
    QCOMPARE(righe, (QStringList{RigaRiepilogo(alfa), RigaRiepilogo(zeta)}));
    QCOMPARE(DescrittoriAperti(), aperti);
}

// Two records with the same line: both are handed over in file order, so the later one is shown
// last; the others, a line differing only in case included, are not.
void tst_Summary::caricaSchedeDellaRigaDaTutteLeSchedeUguali() {
    TScheda prima = SchedaElenco("Posta", "mario", "Mario Rossi", "06 1", "01/01/2024");
    TScheda seconda = prima;
    CodificaCampo(prima, Campo::Password, QStringLiteral("vecchia"));
    CodificaCampo(seconda, Campo::Password, QStringLiteral("nuova"));
    const TScheda maiuscola = SchedaElenco("POSTA", "mario", "Mario Rossi", "06 1", "01/01/2024");
    const TScheda altra = SchedaElenco("Posta", "mario", "Mario Rossi", "06 1", "");
    QVERIFY(ScriviArchivio(Percorso(), {altra, prima, maiuscola, seconda, altra}));

    QList<std::pair<qint64, QString>> mostrate;
    const auto mostra = [&](const TScheda& scheda, qint64 numero) {
        mostrate.append({numero, DecodificaCampo(scheda, Campo::Password)});
    };
    // The window's item may carry blanks around the line: both sides are trimmed.
    CaricaSchedeDellaRiga(Percorso(), QStringLiteral("  ") + RigaRiepilogo(prima) + "\t", mostra);
    QCOMPARE(mostrate, (QList<std::pair<qint64, QString>>{{2, QStringLiteral("vecchia")},
                                                          {4, QStringLiteral("nuova")}}));

    // A line with no date ends in "  Scad. ": trimmed, it still finds its records.
    mostrate.clear();
    CaricaSchedeDellaRiga(Percorso(), RigaRiepilogo(altra), mostra);
    QCOMPARE(mostrate.size(), 2);
    QCOMPARE(mostrate[0].first, 1);
    QCOMPARE(mostrate[1].first, 5);
}

void tst_Summary::caricaSchedeTieneQuelleMostratePrimaDelGuasto() {
    const TScheda uguale = SchedaElenco("Posta", "mario", "", "", "");
    QVERIFY(ScriviArchivio(Percorso(), {uguale, SchedaElenco("Altra", "", "", "", ""), uguale}));
    QList<qint64> mostrate;
    const int aperti = DescrittoriAperti();
    GuastaLetturaDopo(2);
    QVERIFY_THROWS_EXCEPTION(
        ErroreArchivio,
        CaricaSchedeDellaRiga(Percorso(), RigaRiepilogo(uguale),
                              [&](const TScheda&, qint64 numero) { mostrate << numero; }));
    QCOMPARE(mostrate, QList<qint64>{1});
    QCOMPARE(DescrittoriAperti(), aperti);
}

void tst_Summary::scansioniFalliscono_data() {
    QTest::addColumn<QString>("caso");
    QTest::addColumn<QString>("scansione");
    for (const char* caso : {"cartella mancante", "file illeggibile", "una cartella"}) {
        for (const char* scansione : {"ricerca", "scadute", "caricamento"})
            QTest::addRow("%s, %s", caso, scansione)
                << QString::fromLatin1(caso) << QString::fromLatin1(scansione);
    }
}

// The archive cannot be opened: each scan throws, delivers nothing and leaves no handle open.
void tst_Summary::scansioniFalliscono() {
    QFETCH(QString, caso);
    QFETCH(QString, scansione);
    QString percorso = Percorso();
    if (caso == QLatin1String("cartella mancante")) {
        percorso = Percorso(QStringLiteral("manca/prova.psw"));
    } else if (caso == QLatin1String("file illeggibile")) {
        QVERIFY(ScriviArchivio(percorso, {SchedaScadenza("Alfa", "01/01/2020")}));
        QVERIFY(QFile::setPermissions(percorso, QFileDevice::Permissions()));
    } else {
        QVERIFY(QDir(cartella->path()).mkdir(QStringLiteral("prova.psw")));
    }
    const int aperti = DescrittoriAperti();
    if (scansione == QLatin1String("ricerca")) {
        QVERIFY_THROWS_EXCEPTION(ErroreArchivio, CercaSchede(percorso, FiltriRicerca()));
    } else if (scansione == QLatin1String("scadute")) {
        QStringList righe{QStringLiteral("vecchia")};
        QVERIFY_THROWS_EXCEPTION(ErroreArchivio, ElencaScadute(percorso, Oggi, righe));
        QVERIFY(righe.isEmpty());
    } else {
        bool mostrata = false;
        QVERIFY_THROWS_EXCEPTION(
            ErroreArchivio, CaricaSchedeDellaRiga(percorso, QString(), [&](const TScheda&, qint64) {
                mostrata = true;
            }));
        QVERIFY(!mostrata);
    }
    QCOMPARE(DescrittoriAperti(), aperti);
    QVERIFY(!QFile::exists(Percorso(QStringLiteral("manca"))));
}

BLINDORO_TEST_NUCLEO_SENZA_ROOT(tst_Summary)

#include "tst_summary.moc"
