#include "core/export/Esportazione.h"
#include "core/import/Importazione.h"
#include "core/storage/FileArchivio.h"
#include "core/storage/Scheda.h"
#include "core/text/Testo.h"
#include "support/DiscoPieno.h"
#include "support/FoglioCalc.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <map>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The fields a record is expected to hold; every field not named is expected empty.
using CampiAttesi = std::map<Campo, QString>;
using SchedeAttese = QList<CampiAttesi>;
Q_DECLARE_METATYPE(SchedeAttese)
Q_DECLARE_METATYPE(FormatoImportazione)
Q_DECLARE_METATYPE(CodificaCsv)

namespace {

const QDate Oggi(2026, 6, 15);
const QString OggiInTesto = QStringLiteral("15/06/2026");
const QString TraUnAnno = QStringLiteral("15/06/2027");
const QString Titolare = QStringLiteral("Anna Prova");

QByteArray Dati(const char* nome) {
    QFile file(QStringLiteral(BLINDORO_TEST_DATA "/import/") + QLatin1String(nome));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("fixture %s missing", nome);
    return file.readAll();
}

AnteprimaImportazione Anteprima(QByteArrayView csv, SchedeEsistenti esistenti = {}) {
    return AnteprimaImportazione(csv, std::move(esistenti), Oggi);
}

QByteArray ByteDi(const TScheda& scheda) {
    return QByteArray(reinterpret_cast<const char*>(&scheda), sizeof scheda);
}

TScheda SchedaCon(const QString& titolo, const QString& url, const QString& utente) {
    TScheda scheda{};
    CodificaCampo(scheda, Campo::Titolo, titolo);
    CodificaCampo(scheda, Campo::URL, url);
    CodificaCampo(scheda, Campo::Utente, utente);
    return scheda;
}

QByteArray ContenutoFile(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool ScriviFile(const QString& percorso, const QByteArray& contenuto) {
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(contenuto) == contenuto.size() && file.flush();
}

// An archive of two records and a piece of a third, as a write that failed halfway leaves it.
QByteArray ArchivioConCoda() {
    return ByteDi(SchedaCon("uno", "https://uno.example", "u1")) +
           ByteDi(SchedaCon("due", "https://due.example", "u2")) + QByteArray(100, 'z');
}

QByteArray CsvChrome(int righe) {
    QByteArray csv = "name,url,username,password\n";
    for (int i = 0; i < righe; ++i)
        csv +=
            QStringLiteral("sito %1,https://sito%1.example,utente%1,segreta%1\n").arg(i).toUtf8();
    return csv;
}

// The rows of the export as the export window's grid holds them.
class RigheDelFoglio : public RigheDaEsportare {
public:
    explicit RigheDelFoglio(QList<CelleEsportate> righe)
        : righe(std::move(righe)) {}
    qsizetype NumeroRighe() const override { return righe.size(); }
    CelleEsportate Celle(qsizetype riga) const override { return righe.at(riga); }

private:
    QList<CelleEsportate> righe;
};

// The records of the round trip through the spreadsheet: every field filled, the five a save
// requires among them; the separators, quotes, accents and euro sign, runs of blanks, a line
// break in a one-line field, blanks at the ends, texts a spreadsheet likes to convert, an empty
// creation date. No tab: the spreadsheet reads a tab inside a cell as a blank.
QList<CampiAttesi> SchedeDelGiro() {
    const CampiAttesi comuni{
        {Campo::Utilizzate, QStringLiteral("vecchia1\r\nvecchia2")},
        {Campo::Note, QStringLiteral("Nota\r\nsu due righe")},
        {Campo::File01, QStringLiteral("contratto.pdf")},
        {Campo::Desc01, QStringLiteral("Contratto firmato")},
        {Campo::File02, QStringLiteral("carta.png")},
        {Campo::Desc02, QStringLiteral("Carta d'identità")},
        {Campo::File03, QStringLiteral("nota.txt")},
        {Campo::Desc03, QStringLiteral("Appunti")},
    };
    QList<CampiAttesi> schede{
        {{Campo::Titolo, QStringLiteral("Banca Città & Co.")},
         {Campo::URL, QStringLiteral("https://banca.example/?a=1&b=2")},
         {Campo::Proprietario, QStringLiteral("Banca, S.p.A.")},
         {Campo::Descrizione, QStringLiteral("Conto \"famiglia\"; carte")},
         {Campo::Utente, QStringLiteral("mario.rossi")},
         {Campo::Creazione, QStringLiteral("01/02/2024")},
         {Campo::Password, QStringLiteral("Pa55;wo,rd\"€")},
         {Campo::Scadenza, QStringLiteral("31/12/2027")},
         {Campo::Domanda, QStringLiteral("Nome del primo gatto?")},
         {Campo::Risposta, QStringLiteral("Micio  Mao   Miao")},
         {Campo::Intestatario, QStringLiteral("Mario Rossi")},
         {Campo::CodFisc, QStringLiteral("RSSMRA80A01H501U")},
         {Campo::Email, QStringLiteral("mario@example.com")},
         {Campo::Tel, QStringLiteral("+39 333  1234567")}},
        {{Campo::Titolo, QStringLiteral("=1+1")},
         {Campo::URL, QStringLiteral("https://x.example")},
         {Campo::Proprietario, QStringLiteral("00877010157")},
         {Campo::Descrizione, QStringLiteral("riga1\r\nriga2 \r\n riga3")},
         {Campo::Utente, QStringLiteral("  spazi ai lati  ")},
         {Campo::Password, QStringLiteral("1E5")},
         {Campo::Scadenza, QStringLiteral("01/03/2026")},
         {Campo::Domanda, QStringLiteral("12,5")},
         {Campo::Risposta, QStringLiteral("TRUE")},
         {Campo::Intestatario, QStringLiteral("Anna Bianchi")},
         {Campo::CodFisc, QStringLiteral("00877010157")},
         {Campo::Email, QStringLiteral("a@b.it")},
         {Campo::Tel, QStringLiteral("0612345678")}},
        {{Campo::Titolo, QStringLiteral("<b>Posta</b> &amp;")},
         {Campo::URL, QStringLiteral("'abc")},
         {Campo::Proprietario, QStringLiteral("Perché? È così; sì")},
         {Campo::Descrizione, QStringLiteral("50%")},
         {Campo::Utente, QStringLiteral("@")},
         {Campo::Creazione, QStringLiteral("14/03/2024")},
         {Campo::Password, QStringLiteral("-5")},
         {Campo::Scadenza, QStringLiteral("15/06/2026")},
         {Campo::Domanda, QStringLiteral("01/02/2024")},
         {Campo::Risposta, QStringLiteral("3/4")},
         {Campo::Intestatario, QStringLiteral("Luca Verdi")},
         {Campo::CodFisc, QStringLiteral("12345678903")},
         {Campo::Email, QStringLiteral("luca@example.com")},
         {Campo::Tel, QStringLiteral("06 1234")}},
    };
    for (CampiAttesi& scheda : schede)
        scheda.insert(comuni.cbegin(), comuni.cend());
    return schede;
}

} // namespace

class tst_Import : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void formati_data();
    void formati();
    void bitwardenSaltaGliAltriTipi();
    void malformati_data();
    void malformati();
    void intestazioneSconosciuta();
    void fileIlleggibile();
    void windows1252SoloPerIlFoglioDelProgramma();
    void rilievi();
    void descrizioniDeiRilievi();
    void campiRichiestiEDateDiCreazione();
    void duplicati();
    void importaAggiungeInCoda();
    void discoPienoLasciaLArchivioComEra();
    void scritturaInterrottaTagliaLArchivio();
    void giroDalFoglioDiCalcolo_data();
    void giroDalFoglioDiCalcolo();
};

void tst_Import::initTestCase() {
    // The sources' times become local days; the fixtures' times are the same day everywhere near
    // UTC, and here they are UTC.
    qputenv("TZ", "UTC");
    ::tzset();
}

void tst_Import::formati_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<FormatoImportazione>("formato");
    QTest::addColumn<char>("separatore");
    QTest::addColumn<CodificaCsv>("codifica");
    QTest::addColumn<QList<qsizetype>>("linee");
    QTest::addColumn<SchedeAttese>("schede");

    const QString oggi = OggiInTesto, scadenza = TraUnAnno, titolare = Titolare;
    QTest::newRow("KeePassXC, made by keepassxc-cli")
        << Dati("keepassxc.csv") << FormatoImportazione::KeePassXC << ',' << CodificaCsv::Utf8
        << QList<qsizetype>{2, 3, 5, 6}
        << SchedeAttese{
               {{Campo::Titolo, "Forum senza utente"},
                {Campo::URL, "forum.example.org"},
                {Campo::Password, "abc123"},
                {Campo::Note, "Nessun nome utente"},
                {Campo::Creazione, "05/03/2024"},
                {Campo::Scadenza, scadenza},
                {Campo::Intestatario, titolare}},
               {{Campo::Titolo, "Posta elettronica è"},
                {Campo::URL, "https://posta.example.it"},
                {Campo::Descrizione, "Posta"},
                {Campo::Utente, "mario.rossi"},
                {Campo::Password, "pw, \"tra virgolette\" e virgola"},
                {Campo::Note, "Prima riga, con una virgola\r\nSeconda riga: città e perché"},
                {Campo::Creazione, "05/03/2024"},
                {Campo::Scadenza, scadenza},
                {Campo::Intestatario, titolare}},
               // Greek letters are not in the code page; "ż", "ł", "ć" lose their marks.
               {{Campo::Titolo, "???????? ???????"},
                {Campo::URL, "https://viaggi.example.gr"},
                {Campo::Descrizione, "Posta"},
                {Campo::Utente, "mario"},
                {Campo::Password, "Zazólc"},
                {Campo::Note, "Prezzo in € e lódka"},
                {Campo::Creazione, "05/03/2024"},
                {Campo::Scadenza, scadenza},
                {Campo::Intestatario, titolare}},
               {{Campo::Titolo, "Banca Popolare"},
                {Campo::URL, "https://banca.example.it/accesso?a=1,2"},
                {Campo::Descrizione, "Banca/Conti correnti"},
                {Campo::Utente, "m.rossi"},
                {Campo::Password, "S3gr3t0!"},
                {Campo::Creazione, "05/03/2024"},
                {Campo::Scadenza, scadenza},
                {Campo::Intestatario, titolare}},
           };
    QTest::newRow("Bitwarden, personal vault")
        << Dati("bitwarden.csv") << FormatoImportazione::Bitwarden << ',' << CodificaCsv::Utf8
        << QList<qsizetype>{2, 4, 9}
        << SchedeAttese{
               {{Campo::Titolo, "Posta di casa"},
                {Campo::URL, "https://posta.example.it"},
                {Campo::Descrizione, "Posta"},
                {Campo::Utente, "anna.bianchi"},
                {Campo::Password, "pa,ss\"word"},
                {Campo::Note, "Nota con una virgola, e un a capo\r\nseconda riga: perché sì\r\n\r\n"
                              "Altri indirizzi: https://webmail.example.it"},
                {Campo::Creazione, oggi},
                {Campo::Scadenza, scadenza},
                {Campo::Intestatario, titolare}},
               {{Campo::Titolo, "Negozio già visto"},
                {Campo::URL, "https://negozio.example.com"},
                {Campo::Utente, "anna"},
                {Campo::Password, "Negozio!2024"},
                {Campo::Note, "Campi: PIN: 1234\r\nCliente: 99\r\nTOTP: JBSWY3DPEHPK3PXP"},
                {Campo::Creazione, oggi},
                {Campo::Scadenza, scadenza},
                {Campo::Intestatario, titolare}},
               {{Campo::Titolo, "Città del gusto"},
                {Campo::URL, "https://gusto.example.it"},
                {Campo::Utente, "chef"},
                {Campo::Password, "Basilico&Menta"},
                {Campo::Creazione, oggi},
                {Campo::Scadenza, scadenza},
                {Campo::Intestatario, titolare}},
           };
    QTest::newRow("KeePassXC, TOTP, a time with its offset")
        << QByteArray(
               "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\","
               "\"Icon\",\"Last Modified\",\"Created\"\n"
               "\"Root\",\"Conto\",\"io\",\"pw\",\"\",\"\",\"otpauth://totp/x?secret=AB\",\"0\","
               "\"\",\"2024-03-06T01:30:00+02:00\"\n")
        << FormatoImportazione::KeePassXC << ',' << CodificaCsv::Utf8 << QList<qsizetype>{2}
        << SchedeAttese{{{Campo::Titolo, "Conto"},
                         {Campo::Utente, "io"},
                         {Campo::Password, "pw"},
                         {Campo::Note, "TOTP: otpauth://totp/x?secret=AB"},
                         {Campo::Creazione, "05/03/2024"},
                         {Campo::Scadenza, scadenza},
                         {Campo::Intestatario, titolare}}};
    QTest::newRow("Bitwarden, organisation")
        << QByteArray("collections,type,name,notes,fields,reprompt,login_uri,login_username,"
                      "login_password,login_totp\n"
                      "\"Social,Marketing\",login,Twitter,,,0,twitter.com,me@example.com,pw123,\n")
        << FormatoImportazione::Bitwarden << ',' << CodificaCsv::Utf8 << QList<qsizetype>{2}
        << SchedeAttese{{{Campo::Titolo, "Twitter"},
                         {Campo::URL, "twitter.com"},
                         {Campo::Descrizione, "Social,Marketing"},
                         {Campo::Utente, "me@example.com"},
                         {Campo::Password, "pw123"},
                         {Campo::Creazione, oggi},
                         {Campo::Scadenza, scadenza},
                         {Campo::Intestatario, titolare}}};
    QTest::newRow("Firefox, a time of 0 is none")
        << QByteArray("url,username,password,httpRealm,formActionOrigin,timeCreated,"
                      "timePasswordChanged\n"
                      "https://a.example,u,p,,,1709634030000,0\n"
                      "https://b.example,u,p,,,0,\n")
        << FormatoImportazione::Firefox << ',' << CodificaCsv::Utf8 << QList<qsizetype>{2, 3}
        << SchedeAttese{{{Campo::Titolo, "a.example"},
                         {Campo::URL, "https://a.example"},
                         {Campo::Utente, "u"},
                         {Campo::Password, "p"},
                         {Campo::Creazione, "05/03/2024"},
                         {Campo::Scadenza, scadenza},
                         {Campo::Intestatario, titolare}},
                        {{Campo::Titolo, "b.example"},
                         {Campo::URL, "https://b.example"},
                         {Campo::Utente, "u"},
                         {Campo::Password, "p"},
                         {Campo::Creazione, oggi},
                         {Campo::Scadenza, scadenza},
                         {Campo::Intestatario, titolare}}};
    QTest::newRow("Chrome and Edge")
        << Dati("chrome.csv") << FormatoImportazione::Chrome << ',' << CodificaCsv::Utf8
        << QList<qsizetype>{2, 3}
        << SchedeAttese{
               {{Campo::Titolo, "accounts.example.com"},
                {Campo::URL, "https://accounts.example.com/login"},
                {Campo::Utente, "luca.verdi"},
                {Campo::Password, "Ve,rd\"i1"},
                {Campo::Creazione, oggi},
                {Campo::Scadenza, scadenza},
                {Campo::Intestatario, titolare}},
               {{Campo::Titolo, "shop.example.it"},
                {Campo::URL, "https://shop.example.it/"},
                {Campo::Utente, "luca"},
                {Campo::Password, "Però123!"},
                {Campo::Note, "Nota su due righe,\r\nconsegna a Città di Castello"},
                {Campo::Creazione, oggi},
                {Campo::Scadenza, scadenza},
                {Campo::Intestatario, titolare}},
           };
    QTest::newRow("Firefox, CR LF")
        << Dati("firefox.csv") << FormatoImportazione::Firefox << ',' << CodificaCsv::Utf8
        << QList<qsizetype>{2, 3, 4}
        << SchedeAttese{
               // The password's date is the day it last changed, else the day it was made.
               {{Campo::Titolo, "www.example.org"},
                {Campo::URL, "https://www.example.org"},
                {Campo::Utente, "giulia"},
                {Campo::Password, "Gi,ulia\"1"},
                {Campo::Creazione, "05/03/2024"},
                {Campo::Scadenza, scadenza},
                {Campo::Intestatario, titolare}},
               {{Campo::Titolo, "mail.example.net"},
                {Campo::URL, "https://mail.example.net"},
                {Campo::Utente, "giulia@example.net"},
                {Campo::Password, "Più€sicura"},
                {Campo::Creazione, "01/02/2024"},
                {Campo::Scadenza, scadenza},
                {Campo::Intestatario, titolare}},
               {{Campo::Titolo, "intranet.example.com"},
                {Campo::URL, "https://intranet.example.com:8443"},
                {Campo::Descrizione, "Area riservata, ufficio"},
                {Campo::Utente, "mario"},
                {Campo::Password, "prima riga seconda riga"},
                {Campo::Creazione, "01/01/2024"},
                {Campo::Scadenza, scadenza},
                {Campo::Intestatario, titolare}},
           };
    // The program's own columns keep their own holder, expiry and empty creation date. (The round
    // trip through LibreOffice Calc, export, CSV by soffice as tst_export makes it, import into an
    // empty archive, every exported field compared, belongs beside these rows once the export
    // writes its dates as text cells.)
    const SchedeAttese blindoro = {
        {{Campo::Titolo, "Posta Città"},
         {Campo::URL, "https://posta.example.it"},
         {Campo::Proprietario, "Poste, S.p.A."},
         {Campo::Descrizione, "Casella principale"},
         {Campo::Utente, "mario.rossi"},
         {Campo::Password, "pa;ss,\"w\""},
         {Campo::Creazione, "05/03/2024"},
         {Campo::Scadenza, "05/03/2025"},
         {Campo::Domanda, "Nome del cane?"},
         {Campo::Risposta, "Fido"},
         {Campo::Intestatario, "Mario Rossi"},
         {Campo::CodFisc, "RSSMRA80A01H501U"},
         {Campo::Email, "mario@example.it"},
         {Campo::Tel, "06 1234567"}},
        {{Campo::Titolo, "Banca € sicura"},
         {Campo::URL, "https://banca.example.it"},
         {Campo::Proprietario, "Banca"},
         {Campo::Descrizione, "Conto corrente"},
         {Campo::Utente, "m.rossi"},
         {Campo::Password, "Zz9!"},
         {Campo::Scadenza, "31/12/2024"},
         {Campo::Intestatario, titolare}},
    };
    QTest::newRow("Blindoro, commas, UTF-8 with BOM, CR LF")
        << Dati("blindoro-virgola-bom.csv") << FormatoImportazione::Blindoro << ','
        << CodificaCsv::Utf8ConBom << QList<qsizetype>{2, 3} << blindoro;
    QTest::newRow("Blindoro, semicolons, Windows-1252, LF")
        << Dati("blindoro-puntoevirgola-1252.csv") << FormatoImportazione::Blindoro << ';'
        << CodificaCsv::Windows1252 << QList<qsizetype>{2, 3} << blindoro;
}

void tst_Import::formati() {
    QFETCH(QByteArray, csv);
    QFETCH(FormatoImportazione, formato);
    QFETCH(char, separatore);
    QFETCH(CodificaCsv, codifica);
    QFETCH(QList<qsizetype>, linee);
    QFETCH(SchedeAttese, schede);

    AnteprimaImportazione anteprima = Anteprima(csv);
    anteprima.ImpostaIntestatario(Titolare);
    QCOMPARE(anteprima.Formato(), formato);
    QCOMPARE(anteprima.Separatore(), separatore);
    QCOMPARE(anteprima.Codifica(), codifica);
    QCOMPARE(anteprima.NumeroRighe(), schede.size());
    for (qsizetype riga = 0; riga < schede.size(); ++riga) {
        QCOMPARE(anteprima.Linea(riga), linee[riga]);
        const TScheda scheda = anteprima.Scheda(riga);
        for (int c = 0; c < NumeroCampi; ++c) {
            const auto campo = static_cast<Campo>(c);
            const auto atteso = schede[riga].find(campo);
            const QString valore = atteso == schede[riga].end() ? QString() : atteso->second;
            QVERIFY2(anteprima.Valore(riga, campo) == valore,
                     qPrintable(QStringLiteral("row %1, %2: \"%3\"")
                                    .arg(riga)
                                    .arg(NomeCampo(campo), anteprima.Valore(riga, campo))));
            // The record holds what the preview shows.
            QCOMPARE(DecodificaCampo(scheda, campo), valore);
        }
    }
}

void tst_Import::bitwardenSaltaGliAltriTipi() {
    const AnteprimaImportazione anteprima = Anteprima(Dati("bitwarden.csv"));
    QCOMPARE(anteprima.ElementiSaltati(),
             (QList<std::pair<QString, qsizetype>>{{"note", 2}, {"card", 1}}));
    QCOMPARE(anteprima.TestoElementiSaltati(),
             QStringLiteral("Non vengono importati 3 elementi che non sono credenziali di accesso "
                            "(note sicure: 2, carte: 1)."));
    QCOMPARE(anteprima.ColonneIgnorate(), (QStringList{"favorite", "reprompt"}));
    QCOMPARE(Anteprima("type,name,login_uri,login_username,login_password\n"
                       "identity,Io,,,\nlogin,Sito,https://s.example,u,p\n")
                 .TestoElementiSaltati(),
             QStringLiteral("Non viene importato 1 elemento che non è una credenziale di accesso "
                            "(identità: 1)."));
    QCOMPARE(Anteprima(Dati("chrome.csv")).TestoElementiSaltati(), QString());
}

void tst_Import::malformati_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("linea");
    QTest::addColumn<QString>("messaggio");

    const QByteArray chrome = "name,url,username,password\n";
    const QString virgolette = QStringLiteral("virgolette fuori posto");
    const QString aperte = QStringLiteral("le virgolette aperte in questa riga non vengono mai");
    const QString utf8 = QStringLiteral("non è in UTF-8 valido");
    QTest::newRow("quote never closed") << chrome + "a,b,c,\"aperta\nancora\naltro\n"
                                        << 2 << aperte;
    QTest::newRow("quote never closed, after a cell of two lines")
        << chrome + "\"x\ny\",u,n,p\nq,\"r\n\n"
        << 4 << aperte;
    QTest::newRow("quote inside a cell without quotes") << chrome + "a,b\"c,d,e\n"
                                                        << 2 << virgolette;
    QTest::newRow("text after a closing quote, after a cell of two lines")
        << chrome + "\"a\nb\",c,d,e\nf,\"g\"h,i,j\n"
        << 4 << virgolette;
    QTest::newRow("a blank before an opening quote") << chrome + "a, \"b\",c,d\n"
                                                     << 2 << virgolette;
    QTest::newRow("lines ended by CR alone")
        << QByteArray("name,url,username,password\r\"a\rb\",u,n,p\rx\"y,u,n,p\r") << 4
        << virgolette;
    QTest::newRow("too few cells, row of two lines")
        << chrome + "\"a\nb\",c,d\n"
        << 2 << QStringLiteral("3 celle, mentre l'intestazione ne ha 4");
    QTest::newRow("too many cells")
        << chrome + "a,b,c,d\n\n\"e\ne\",f,g,h,i\n"
        << 4 << QStringLiteral("5 celle, mentre l'intestazione ne ha 4");
    QTest::newRow("NUL byte") << chrome + QByteArray("a,b,c,d\r\ne,f\0g,h,i\n", 19) << 3
                              << QStringLiteral("carattere nullo");
    QTest::newRow("invalid UTF-8") << chrome + "a,b,c,d\nChamb\xE9ry,b,c,d\n" << 3 << utf8;
    QTest::newRow("invalid UTF-8 in the second line of a cell")
        << chrome + "\"riga\nsec\xE8onda\",b,c,d\n"
        << 3 << utf8;
    QTest::newRow("UTF-8 cut short at the end") << chrome + "a,b,c,\"d\xC3\"\n" << 2 << utf8;
    QTest::newRow("program's own columns, BOM, not UTF-8")
        << QByteArray("\xEF\xBB\xBF") + Dati("blindoro-puntoevirgola-1252.csv") << 2 << utf8;
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFEn\0a\0m\0e\0", 10) << 1
                            << QStringLiteral("UTF-16");
    QTest::newRow("empty file") << QByteArray() << 0 << QStringLiteral("Il file è vuoto");
    QTest::newRow("blank lines and separators only")
        << QByteArray("\r\n\n,,,\n,\n") << 0 << QStringLiteral("Il file è vuoto");
}

void tst_Import::malformati() {
    QFETCH(QByteArray, csv);
    QFETCH(int, linea);
    QFETCH(QString, messaggio);
    try {
        Anteprima(csv);
        QFAIL("the file was taken");
    } catch (const ErroreImportazione& errore) {
        QVERIFY2(errore.Messaggio().contains(messaggio), qPrintable(errore.Messaggio()));
        QCOMPARE(errore.Linea(), qsizetype(linea));
        if (linea > 0)
            QVERIFY2(errore.Messaggio().startsWith(QStringLiteral("Riga %1: ").arg(linea)) ||
                         linea == 1,
                     qPrintable(errore.Messaggio()));
    }
}

void tst_Import::intestazioneSconosciuta() {
    const auto messaggio = [](const QByteArray& csv) {
        try {
            Anteprima(csv);
        } catch (const ErroreImportazione& errore) {
            return errore.Messaggio();
        }
        return QStringLiteral("<taken>");
    };
    const QString ignoto = messaggio("Sito;Utente;Parola\nx;y;z\n");
    QVERIFY2(ignoto.startsWith(QStringLiteral("La prima riga del file non è l'intestazione di un "
                                              "formato conosciuto.")),
             qPrintable(ignoto));
    for (const char* nome : {"KeePassXC", "Bitwarden", "Chrome o Edge", "Firefox", "Blindoro"})
        QVERIFY2(ignoto.contains(QLatin1String(nome)), nome);
    QVERIFY(!ignoto.contains(QStringLiteral("mancano")));
    // Even in a file that is not UTF-8, the header is what is told.
    QCOMPARE(messaggio("Sito;Utente\nCitt\xE0;y\n"), ignoto);
    // A header that comes near a format says which columns it lacks.
    QVERIFY2(messaggio("name,url,username\na,b,c\n")
                 .endsWith(QStringLiteral("Per il formato di Chrome o Edge mancano le colonne: "
                                          "password.")),
             qPrintable(messaggio("name,url,username\na,b,c\n")));
    QVERIFY(messaggio("Titolo sito Web;URL;Nome Utente;Password;Data creazione;Data scadenza;"
                      "Domanda segreta;Intestatario account\n")
                .contains(QStringLiteral("Per il formato di Blindoro (foglio di calcolo) mancano "
                                         "le colonne: Proprietario sito Web, Descrizione, "
                                         "Risposta segreta, Codice fiscale, E-mail, Tel.")));
    // Names are compared without regard to case and to blanks at their ends, in any order.
    QCOMPARE(Anteprima(" PASSWORD ,Name,URL,userName\np,n,u,x\n").Valore(0, Campo::Utente),
             QStringLiteral("x"));
}

void tst_Import::fileIlleggibile() {
    QTemporaryDir cartella;
    try {
        LeggiFileCsv(cartella.filePath(QStringLiteral("manca.csv")));
        QFAIL("a missing file was read");
    } catch (const ErroreImportazione& errore) {
        QVERIFY2(errore.Messaggio().startsWith(
                     QStringLiteral("Il file «manca.csv» non può essere letto: ")),
                 qPrintable(errore.Messaggio()));
    }
}

void tst_Import::windows1252SoloPerIlFoglioDelProgramma() {
    const QByteArray intestazione =
        "Titolo sito Web;URL;Proprietario sito Web;Descrizione;Nome Utente;Password;Data "
        "creazione;Data scadenza;Domanda segreta;Risposta segreta;Intestatario account;Codice "
        "fiscale;E-mail;Tel.\n";
    // Valid UTF-8 is UTF-8 even without its mark; otherwise the system code page, where every
    // byte is a character (0x80 the euro sign, 0x81 the control character of its code).
    const QByteArray riga = "Citt\xC3\xA0;;;;;;;;;;;;;\n";
    QCOMPARE(Anteprima(intestazione + riga).Codifica(), CodificaCsv::Utf8);
    QCOMPARE(Anteprima(intestazione + riga).ValoreLetto(0, Campo::Titolo), QStringLiteral("Città"));
    const AnteprimaImportazione ansi = Anteprima(intestazione + "Citt\xE0 \x80\x81;;;;;;;;;;;;;\n");
    QCOMPARE(ansi.Codifica(), CodificaCsv::Windows1252);
    QCOMPARE(ansi.ValoreLetto(0, Campo::Titolo), QStringLiteral("Città €\u0081"));
    QVERIFY(ansi.Rilievi(0).isEmpty());
}

void tst_Import::rilievi() {
    const QString lungo = QString(250, u'T') + QStringLiteral("la coda tagliata");
    QString note;
    for (int i = 0; i < 1000; ++i)
        note += QStringLiteral("riga%1\n").arg(i, 3, 10, QLatin1Char('0')); // 7 + CR LF each
    QByteArray csv = "name,url,username,password,note\n";
    csv += "\"" + lungo.toUtf8() + "\",https://a.example,u,p,\"" + note.toUtf8() + "\"\n";
    csv += "\"Due\nrighe\r\ne tre\",https://b.example,\xCF\x80\xC5\x82\xC5\x82,"
           "\xF0\x9F\x98\x80ok\xC5\x82,\n";
    // A character after the cut is not reported: it is not written.
    csv += "\"" + QString(250, u'x').toUtf8() + "\xCF\x80\",https://c.example,u,p,\n";

    const AnteprimaImportazione anteprima = Anteprima(csv);
    QCOMPARE(anteprima.Rilievi(0),
             (QList<Rilievo>{
                 {TipoRilievo::Tagliato, Campo::Titolo, "la coda tagliata", {}, 250},
                 // 1000 lines of 9 bytes: the 556th line is cut after its first byte.
                 {TipoRilievo::Tagliato,
                  Campo::Note,
                  QString(note).replace("\n", "\r\n").mid(5000),
                  {},
                  5000},
             }));
    QCOMPARE(anteprima.Valore(0, Campo::Titolo), QString(250, u'T'));
    QCOMPARE(anteprima.Valore(0, Campo::Note).size(), 5000);
    QVERIFY(anteprima.Valore(0, Campo::Note).startsWith("riga000\r\nriga001\r\n"));

    QCOMPARE(anteprima.Rilievi(1),
             (QList<Rilievo>{
                 {TipoRilievo::ACapoTolto, Campo::Titolo, {}, {}, 2},
                 {TipoRilievo::Sostituito, Campo::Utente, "π", "?", 1},
                 {TipoRilievo::Sostituito, Campo::Utente, "ł", "l", 2},
                 // A character outside the Basic Multilingual Plane is one character.
                 {TipoRilievo::Sostituito, Campo::Password, "😀", "?", 1},
                 {TipoRilievo::Sostituito, Campo::Password, "ł", "l", 1},
             }));
    QCOMPARE(anteprima.Valore(1, Campo::Titolo), QStringLiteral("Due righe e tre"));
    QCOMPARE(anteprima.Valore(1, Campo::Utente), QStringLiteral("?ll"));
    QCOMPARE(anteprima.Valore(1, Campo::Password), QStringLiteral("?okl"));
    QCOMPARE(anteprima.Rilievi(2),
             (QList<Rilievo>{{TipoRilievo::Tagliato, Campo::Titolo, "π", {}, 250}}));

    // Dates: the form dd/mm/yyyy only; one that is not is left empty, and the expiry given once
    // stands in for it.
    QByteArray foglio = "Titolo sito Web,URL,Proprietario sito Web,Descrizione,Nome Utente,"
                        "Password,Data creazione,Data scadenza,Domanda segreta,Risposta segreta,"
                        "Intestatario account,Codice fiscale,E-mail,Tel.\n";
    foglio += "a,,,,u,p,31/02/2024,domani,,,I,,,\n";
    foglio += "b,,,,u,p, 05/03/2024 ,2024-03-05,,,I,,,\n";
    const AnteprimaImportazione date = Anteprima(foglio);
    QCOMPARE(date.Rilievi(0),
             (QList<Rilievo>{{TipoRilievo::DataNonValida, Campo::Creazione, "31/02/2024", {}, 0},
                             {TipoRilievo::DataNonValida, Campo::Scadenza, "domani", {}, 0}}));
    QCOMPARE(date.Valore(0, Campo::Creazione), QString());
    QCOMPARE(date.Valore(0, Campo::Scadenza), TraUnAnno);
    QCOMPARE(date.Rilievi(1),
             (QList<Rilievo>{{TipoRilievo::DataNonValida, Campo::Scadenza, "2024-03-05", {}, 0}}));
    QCOMPARE(date.Valore(1, Campo::Creazione), QStringLiteral("05/03/2024"));

    // The holder given once has its findings too.
    AnteprimaImportazione titolare = Anteprima(CsvChrome(1));
    titolare.ImpostaIntestatario(QStringLiteral("Łukasz"));
    QCOMPARE(titolare.RilieviIntestatario(),
             (QList<Rilievo>{{TipoRilievo::Sostituito, Campo::Intestatario, "Ł", "L", 1}}));
    QCOMPARE(titolare.Valore(0, Campo::Intestatario), QStringLiteral("Lukasz"));
}

void tst_Import::descrizioniDeiRilievi() {
    QCOMPARE(DescriviRilievo({TipoRilievo::Tagliato, Campo::Titolo, QString(50, u'x'), {}, 250}),
             QStringLiteral("Titolo sito Web: il campo contiene 250 caratteri, il testo viene "
                            "tagliato dopo il 250° e si perde «") +
                 QString(40, u'x') + QStringLiteral("…»."));
    QCOMPARE(DescriviRilievo({TipoRilievo::Sostituito, Campo::Note, "ł", "l", 3}),
             QStringLiteral("Note: «ł» non esiste nella codifica dell'archivio e diventa «l» (3 "
                            "volte)."));
    QCOMPARE(DescriviRilievo({TipoRilievo::ACapoTolto, Campo::Descrizione, {}, {}, 1}),
             QStringLiteral("Descrizione: il campo ha una sola riga, gli a capo diventano "
                            "spazi."));
    QCOMPARE(DescriviRilievo({TipoRilievo::DataNonValida, Campo::Scadenza, "domani", {}, 0}),
             QStringLiteral("Data scadenza: «domani» non è una data nella forma gg/mm/aaaa e "
                            "viene lasciata vuota; vale la scadenza indicata per tutte le "
                            "schede."));
    QCOMPARE(TestoConferma(1), QStringLiteral("È stata aggiunta all'archivio 1 scheda."));
    QCOMPARE(TestoConferma(12), QStringLiteral("Sono state aggiunte all'archivio 12 schede."));
}

void tst_Import::campiRichiestiEDateDiCreazione() {
    AnteprimaImportazione anteprima = Anteprima("name,url,username,password\n"
                                                "Posta,https://posta.example,mario,segreta\n"
                                                "Senza utente,https://a.example,,segreta\n"
                                                ",https://b.example,  ,\n");
    // Without the holder no row can be saved.
    for (qsizetype riga = 0; riga < 3; ++riga)
        QCOMPARE(anteprima.Stato(riga), StatoRiga::Incompleta);
    QCOMPARE(anteprima.Mancanti(0), QList<Campo>{Campo::Intestatario});
    QCOMPARE(anteprima.Descrizioni(0),
             QStringList{"Non sarà aggiunta finché non si indica: Intestatario account."});

    anteprima.ImpostaIntestatario(QStringLiteral("   "));
    QCOMPARE(anteprima.NumeroDaAggiungere(), 0);
    anteprima.ImpostaIntestatario(Titolare);
    QCOMPARE(anteprima.Stato(0), StatoRiga::DaAggiungere);
    QCOMPARE(anteprima.Mancanti(1), QList<Campo>{Campo::Utente});
    QCOMPARE(anteprima.Mancanti(2), (QList<Campo>{Campo::Titolo, Campo::Utente, Campo::Password}));
    QCOMPARE(anteprima.Descrizioni(2),
             QStringList{"Non sarà aggiunta finché non si indica: Titolo sito Web, Nome Utente, "
                         "Password."});
    QCOMPARE(anteprima.NumeroDaAggiungere(), 1);
    QCOMPARE(anteprima.Numero(StatoRiga::Incompleta), 2);

    // No expiry at all: every row lacks it.
    anteprima.ImpostaScadenza(QDate());
    QCOMPARE(anteprima.Mancanti(0), QList<Campo>{Campo::Scadenza});
    anteprima.ImpostaScadenza(QDate(2030, 1, 31));
    QCOMPARE(anteprima.Valore(0, Campo::Scadenza), QStringLiteral("31/01/2030"));

    // The preview fills in what a row lacks.
    anteprima.ImpostaValore(1, Campo::Utente, QStringLiteral("anna"));
    QCOMPARE(anteprima.Stato(1), StatoRiga::DaAggiungere);
    QCOMPARE(anteprima.ValoreLetto(1, Campo::Utente), QStringLiteral("anna"));
    anteprima.ImpostaValore(2, Campo::Titolo, QStringLiteral("Nuovo"));
    anteprima.ImpostaValore(2, Campo::Utente, QStringLiteral("u"));
    QCOMPARE(anteprima.Mancanti(2), QList<Campo>{Campo::Password});
    anteprima.ImpostaValore(2, Campo::Password, QStringLiteral("p"));
    QCOMPARE(anteprima.NumeroDaAggiungere(), 3);
    // A row left out is not added.
    anteprima.ImpostaInclusa(0, false);
    QCOMPARE(anteprima.Stato(0), StatoRiga::Esclusa);
    QCOMPARE(anteprima.NumeroDaAggiungere(), 2);

    // The creation date: the source's, else today; the program's own empty date stays empty.
    QCOMPARE(anteprima.Valore(0, Campo::Creazione), OggiInTesto);
    AnteprimaImportazione keepass = Anteprima(Dati("keepassxc.csv"));
    QCOMPARE(keepass.Valore(1, Campo::Creazione), QStringLiteral("05/03/2024"));
    keepass.ImpostaValore(1, Campo::Creazione, QString());
    QCOMPARE(keepass.Valore(1, Campo::Creazione), OggiInTesto);
    QCOMPARE(Anteprima(Dati("blindoro-virgola-bom.csv")).Valore(1, Campo::Creazione), QString());
}

void tst_Import::duplicati() {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("prova.psw"));
    QVERIFY(
        ScriviFile(percorso, ByteDi(SchedaCon("Altro", "https://altro.example", "x")) +
                                 ByteDi(SchedaCon("Posta", "https://posta.example", "mario")) +
                                 ByteDi(SchedaCon("Posta", "https://posta.example", "mario")) +
                                 ByteDi(SchedaCon(QString(250, u'L'), "https://l.example", "u")) +
                                 ByteDi(SchedaCon("Zazólc", "https://z.example", "u"))));
    FileArchivio archivio = ApriFileArchivio(percorso);
    const SchedeEsistenti esistenti = LeggiSchedeEsistenti(archivio);

    QByteArray csv = "name,url,username,password\n";
    csv += "Posta,https://posta.example,mario,p\n"; // 0: record 2 of the archive
    csv += "Posta,https://posta.example,Mario,p\n"; // 1: new: the user differs in case
    csv += "Nuovo,https://n.example,u,p\n";         // 2: new
    csv += "Nuovo,https://n.example,u,altra\n";     // 3: as row 2
    csv += QString(260, u'L').toUtf8() + ",https://l.example,u,p\n";     // 4: record 4, once cut
    csv += "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87,https://z.example,u,p\n"; // 5: stored as record 5
    csv += ",https://v.example,u,p\n";                                   // 6: incomplete
    csv += "Vuoto,https://v.example,u,p\n"; // 7: new, since 8 is not added
    csv += "Vuoto,https://v.example,u,p\n"; // 8: as row 7
    AnteprimaImportazione anteprima = Anteprima(csv, esistenti);
    anteprima.ImpostaIntestatario(Titolare);
    const QList<StatoRiga> stati = {
        StatoRiga::Duplicata,  StatoRiga::DaAggiungere, StatoRiga::DaAggiungere,
        StatoRiga::Duplicata,  StatoRiga::Duplicata,    StatoRiga::Duplicata,
        StatoRiga::Incompleta, StatoRiga::DaAggiungere, StatoRiga::Duplicata};
    for (qsizetype riga = 0; riga < stati.size(); ++riga)
        QVERIFY2(anteprima.Stato(riga) == stati[riga], qPrintable(QString::number(riga)));
    QCOMPARE(anteprima.DuplicatoDi(0)->schedaInArchivio, 2);
    QCOMPARE(anteprima.DuplicatoDi(3)->rigaPrecedente, 2);
    QCOMPARE(anteprima.DuplicatoDi(4)->schedaInArchivio, 4);
    QCOMPARE(anteprima.DuplicatoDi(5)->schedaInArchivio, 5);
    QCOMPARE(anteprima.Descrizioni(0),
             QStringList{"Ha titolo, URL e nome utente della scheda 2 dell'archivio: non sarà "
                         "aggiunta, se non la si include."});
    QCOMPARE(anteprima.Descrizioni(3).front(),
             QStringLiteral("Ha titolo, URL e nome utente della riga 4 del file: non sarà "
                            "aggiunta, se non la si include."));
    QCOMPARE(anteprima.NumeroDaAggiungere(), 3);

    // An incomplete row filled in with an existing key becomes a duplicate.
    anteprima.ImpostaValore(6, Campo::Titolo, QStringLiteral("Vuoto"));
    QCOMPARE(anteprima.Stato(6), StatoRiga::DaAggiungere);
    QCOMPARE(anteprima.Stato(7), StatoRiga::Duplicata);
    QCOMPARE(anteprima.DuplicatoDi(7)->rigaPrecedente, 6);
    // Row 6 left out: row 7 is new again.
    anteprima.ImpostaInclusa(6, false);
    QCOMPARE(anteprima.Stato(7), StatoRiga::DaAggiungere);
    // A duplicate included all the same is added, and says so.
    anteprima.ImpostaInclusa(0, true);
    QCOMPARE(anteprima.Stato(0), StatoRiga::DaAggiungere);
    QCOMPARE(anteprima.Descrizioni(0).front(),
             QStringLiteral("Ha titolo, URL e nome utente della scheda 2 dell'archivio, ma sarà "
                            "aggiunta lo stesso."));
    QCOMPARE(anteprima.NumeroDaAggiungere(), 4);
}

void tst_Import::importaAggiungeInCoda() {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("prova.psw"));
    const QByteArray prima = ArchivioConCoda();
    QVERIFY(ScriviFile(percorso, prima));
    AnteprimaImportazione anteprima = Anteprima(CsvChrome(4));
    anteprima.ImpostaIntestatario(Titolare);
    anteprima.ImpostaInclusa(1, false);
    EsitoImportazione esito;
    {
        FileArchivio archivio = ApriFileArchivio(percorso);
        esito = anteprima.Importa(archivio);
        QCOMPARE(archivio.NumeroSchede(), 5);
    }
    QCOMPARE(esito.aggiunte, 3);
    QCOMPARE(esito.primaScheda, 3);
    // The new records go over the trailing piece, each as the preview makes it, nothing else.
    QCOMPARE(ContenutoFile(percorso), prima.left(2 * 13318) + ByteDi(anteprima.Scheda(0)) +
                                          ByteDi(anteprima.Scheda(2)) +
                                          ByteDi(anteprima.Scheda(3)));
    TScheda terza;
    FileArchivio archivio = ApriFileArchivio(percorso);
    archivio.Posiziona(2);
    archivio.Leggi(terza);
    QCOMPARE(DecodificaCampo(terza, Campo::Titolo), QStringLiteral("sito 0"));
    QCOMPARE(DecodificaCampo(terza, Campo::Intestatario), Titolare);
    QCOMPARE(DecodificaCampo(terza, Campo::File01), QString());

    // Nothing to add writes nothing.
    AnteprimaImportazione vuota = Anteprima(CsvChrome(2));
    QCOMPARE(vuota.Importa(archivio).aggiunte, 0);
    QCOMPARE(QFileInfo(percorso).size(), 5 * 13318);
}

// The room of every new record is taken before the first is written: on a full disk nothing is
// written and the archive stays as it was, its trailing piece included.
void tst_Import::discoPienoLasciaLArchivioComEra() {
    SALTA_SENZA_DISCO_PIENO();
    DiscoPieno disco;
    const QString percorso = disco.Percorso(QStringLiteral("prova.psw"));
    const QByteArray prima = ArchivioConCoda();
    QVERIFY(ScriviFile(percorso, prima));
    AnteprimaImportazione anteprima = Anteprima(CsvChrome(10));
    anteprima.ImpostaIntestatario(Titolare);
    QCOMPARE(anteprima.NumeroDaAggiungere(), 10);
    // Room for three of the ten records.
    QVERIFY(disco.Riempi());
    QVERIFY(disco.Libera(3 * 13318));
    {
        FileArchivio archivio = ApriFileArchivio(percorso);
        QVERIFY_THROWS_EXCEPTION(ErroreArchivio, anteprima.Importa(archivio));
    }
    QCOMPARE(ContenutoFile(percorso), prima);

    // With room, the same preview adds all ten.
    QVERIFY(disco.Libera(11 * 13318));
    FileArchivio archivio = ApriFileArchivio(percorso);
    QCOMPARE(anteprima.Importa(archivio).primaScheda, 3);
    QCOMPARE(archivio.NumeroSchede(), 12);
}

// A write that fails after some records are on the disk (here the file-size limit, which the
// room taken beforehand does not see) cuts the archive back to its length before the import and
// puts its trailing piece back, byte for byte.
void tst_Import::scritturaInterrottaTagliaLArchivio() {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("prova.psw"));
    const QByteArray prima = ArchivioConCoda();
    QVERIFY(ScriviFile(percorso, prima));
    AnteprimaImportazione anteprima = Anteprima(CsvChrome(200));
    anteprima.ImpostaIntestatario(Titolare);

    const pid_t figlio = ::fork();
    if (figlio == 0) {
        int codice = 1;
        try {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limite{rlim_t(2 * 13318 + 150 * 13318 + 7), RLIM_INFINITY};
            if (::setrlimit(RLIMIT_FSIZE, &limite) != 0)
                ::_exit(3);
            FileArchivio archivio = ApriFileArchivio(percorso);
            anteprima.Importa(archivio);
            codice = 2;
        } catch (const ErroreArchivio&) {
            codice = 0;
        } catch (...) {
        }
        ::_exit(codice);
    }
    int stato = 0;
    QCOMPARE(::waitpid(figlio, &stato, 0), figlio);
    QVERIFY(WIFEXITED(stato));
    QCOMPARE(WEXITSTATUS(stato), 0);
    QCOMPARE(ContenutoFile(percorso), prima);
}

void tst_Import::giroDalFoglioDiCalcolo_data() {
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<char>("separatore");
    QTest::addColumn<CodificaCsv>("codifica");
    QTest::newRow("virgole, UTF-8")
        << QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1") << ',' << CodificaCsv::Utf8;
    QTest::newRow("punti e virgola, Windows-1252, come un foglio di calcolo italiano")
        << QStringLiteral("csv:Text - txt - csv (StarCalc):59,34,1,1") << ';'
        << CodificaCsv::Windows1252;
}

// Export, correct in a spreadsheet, import: an archive exported as the export window does, turned
// into CSV by LibreOffice Calc, and imported into an empty archive gives back every exported
// field of every record as the export wrote it (trimmed, a line break one blank, runs of blanks
// kept); the fields the export leaves out (passwords used before, notes, attachments) stay empty.
void tst_Import::giroDalFoglioDiCalcolo() {
    QFETCH(QString, filtro);
    QFETCH(char, separatore);
    QFETCH(CodificaCsv, codifica);
    QTemporaryDir cartella;
    QVERIFY(cartella.isValid());
    const QList<CampiAttesi> schede = SchedeDelGiro();
    QList<TScheda> sorgenti;
    {
        FileArchivio archivio = ApriFileArchivio(cartella.filePath(QStringLiteral("Casa.psw")));
        for (const CampiAttesi& campi : schede) {
            TScheda scheda{};
            for (const auto& [campo, testo] : campi)
                CodificaCampo(scheda, campo, testo);
            archivio.Aggiungi(scheda);
        }
        archivio.PerOgniScheda([&](const TScheda& scheda) { sorgenti.append(scheda); });
        archivio.Chiudi();
    }
    QList<CelleEsportate> righe;
    for (const TScheda& scheda : sorgenti)
        righe.append(CelleDellaScheda(scheda));
    const QString foglio = cartella.filePath(QStringLiteral("Blindoro.xls"));
    {
        QFile file(foglio);
        QVERIFY(file.open(QIODevice::WriteOnly));
        EsportaInFoglio(RigheDelFoglio(righe), file);
        file.close();
    }
    const ConversioneCalc csv = ConvertiConCalc(foglio, filtro, cartella.path());
    QVERIFY2(!csv.percorso.isEmpty(), qPrintable(csv.errore));

    AnteprimaImportazione anteprima = Anteprima(LeggiFileCsv(csv.percorso));
    QCOMPARE(anteprima.Formato(), FormatoImportazione::Blindoro);
    QCOMPARE(anteprima.Separatore(), separatore);
    QCOMPARE(anteprima.Codifica(), codifica);
    QCOMPARE(anteprima.NumeroRighe(), schede.size());
    QCOMPARE(anteprima.NumeroDaAggiungere(), schede.size());
    for (qsizetype riga = 0; riga < anteprima.NumeroRighe(); ++riga)
        QVERIFY2(anteprima.Descrizioni(riga).isEmpty(),
                 qPrintable(anteprima.Descrizioni(riga).join(u'\n')));

    const QString importato = cartella.filePath(QStringLiteral("Importato.psw"));
    QList<TScheda> lette;
    {
        FileArchivio archivio = ApriFileArchivio(importato);
        const EsitoImportazione esito = anteprima.Importa(archivio);
        QCOMPARE(esito.aggiunte, schede.size());
        QCOMPARE(esito.primaScheda, 1);
        archivio.PerOgniScheda([&](const TScheda& scheda) { lette.append(scheda); });
        archivio.Chiudi();
    }
    QCOMPARE(lette.size(), sorgenti.size());
    static const QRegularExpression aCapo(QStringLiteral("\r\n|\r|\n"));
    QStringList differenze;
    for (qsizetype i = 0; i < sorgenti.size(); ++i) {
        TScheda attesa{};
        for (const ColonnaEsportata& colonna : ColonneEsportate)
            CodificaCampo(attesa, colonna.campo,
                          TogliSpazi(DecodificaCampo(sorgenti[i], colonna.campo))
                              .replace(aCapo, QStringLiteral(" ")));
        for (int campo = 0; campo < NumeroCampi; ++campo) {
            const QString atteso = DecodificaCampo(attesa, static_cast<Campo>(campo));
            const QString letto = DecodificaCampo(lette[i], static_cast<Campo>(campo));
            if (letto != atteso)
                differenze << QStringLiteral("record %1, %2 (field %3): «%4» came back as «%5»")
                                  .arg(i + 1)
                                  .arg(NomeCampo(static_cast<Campo>(campo)))
                                  .arg(campo + 1)
                                  .arg(atteso, letto);
        }
        if (differenze.isEmpty())
            QCOMPARE(ByteDi(lette[i]), ByteDi(attesa));
    }
    QVERIFY2(differenze.isEmpty(), qPrintable(differenze.join(u'\n')));
}

BLINDORO_TEST_NUCLEO_DISCO_PIENO(tst_Import)

#include "tst_import.moc"
