#include "core/export/Esportazione.h"
#include "core/storage/FileArchivio.h"
#include "core/storage/Scheda.h"
#include "core/text/Testo.h"
#include "support/FoglioCalc.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

namespace {

// The head of the file, byte for byte.
const QByteArray Testa =
    R"(<html xmlns:o="urn:schemas-microsoft-com:office:office" xmlns:x="urn:schemas-microsoft-com:office:excel" xmlns="http://www.w3.org/TR/REC-html40">)"
    R"(<head><meta http-equiv="Content-Type" content="text/html; charset=windows-1252">)"
    R"(<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>)"
    R"(<x:Name>Blindoro</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>)"
    R"(<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>)"
    R"(<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>)"
    R"(<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet>)"
    R"(</x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]--></head><body><table x:str>)";

const QByteArray Intestazione =
    R"(<tr>)"
    R"(<td style="text-align: left; font-weight: bold;" width=400>Titolo sito Web</td>)"
    R"(<td style="text-align: left; font-weight: bold;" width=400>URL</td>)"
    R"(<td style="text-align: left; font-weight: bold;" width=350>Proprietario sito Web</td>)"
    R"(<td style="text-align: left; font-weight: bold;" width=400>Descrizione</td>)"
    R"(<td style="text-align: left; font-weight: bold;" width=250>Nome Utente</td>)"
    R"(<td style="text-align: left; font-weight: bold;" width=250>Password</td>)"
    R"(<td style="text-align: left; font-weight: bold;" width=200>Data creazione</td>)"
    R"(<td style="text-align: left; font-weight: bold;" width=200>Data scadenza</td>)"
    R"(<td style="text-align: left; font-weight: bold;" width=400>Domanda segreta</td>)"
    R"(<td style="text-align: left; font-weight: bold;" width=400>Risposta segreta</td>)"
    R"(<td style="text-align: left; font-weight: bold;" width=350>Intestatario account</td>)"
    R"(<td style="text-align: left; font-weight: bold;" width=250>Codice fiscale</td>)"
    R"(<td style="text-align: left; font-weight: bold;" width=250>E-mail</td>)"
    R"(<td style="text-align: left; font-weight: bold;" width=250>Tel.</td>)"
    R"(</tr>)";

const QByteArray Coda = "</table></body></html>";

// A data cell: marked as text for Calc (sdnum) and for Excel (mso-number-format).
QByteArray Cella(const QByteArray& testo) {
    return R"(<td style="text-align: left; mso-number-format:'\@';" sdnum="1040;0;@">)" + testo +
           "</td>";
}

// A data row whose cells hold the given bytes, the rest empty.
QByteArray Riga(const QList<QByteArray>& celle) {
    QByteArray riga = "<tr>";
    for (int i = 0; i < NumeroColonneEsportate; ++i)
        riga += Cella(i < celle.size() ? celle[i] : QByteArray());
    return riga + "</tr>";
}

// One cell of a CSV file as LibreOffice writes it: its text, and whether it stood in double
// quotes. With "quote all text cells" and tabs between the cells, only text cells do: a number
// as shown never holds a tab or a quote.
struct CellaCsv {
    QString testo;
    bool traVirgolette = false;
};

// The rows of a CSV file: cells separated by tabs, a quoted cell's inner quotes doubled, rows
// ended by a line break.
QList<QList<CellaCsv>> LeggiCsv(const QString& csv) {
    QList<QList<CellaCsv>> righe;
    QList<CellaCsv> riga;
    CellaCsv cella;
    bool dentro = false;
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const QChar carattere = csv[i];
        if (dentro) {
            if (carattere != u'"')
                cella.testo += carattere;
            else if (i + 1 < csv.size() && csv[i + 1] == u'"')
                cella.testo += csv[++i];
            else
                dentro = false;
        } else if (carattere == u'"' && cella.testo.isEmpty() && !cella.traVirgolette) {
            dentro = cella.traVirgolette = true;
        } else if (carattere == u'\t') {
            riga.append(std::exchange(cella, {}));
        } else if (carattere == u'\n') {
            riga.append(std::exchange(cella, {}));
            righe.append(std::exchange(riga, {}));
        } else if (carattere != u'\r') {
            cella.testo += carattere;
        }
    }
    if (!riga.isEmpty() || !cella.testo.isEmpty() || cella.traVirgolette) {
        riga.append(cella);
        righe.append(riga);
    }
    return righe;
}

class RigheProva : public RigheDaEsportare {
public:
    explicit RigheProva(QList<CelleEsportate> righe)
        : righe(std::move(righe)) {}
    qsizetype NumeroRighe() const override { return righe.size(); }
    CelleEsportate Celle(qsizetype riga) const override { return righe.at(riga); }

private:
    QList<CelleEsportate> righe;
};

CelleEsportate CelleCon(const QStringList& testi) {
    CelleEsportate celle;
    for (int i = 0; i < testi.size(); ++i)
        celle[i] = testi[i];
    return celle;
}

QByteArray Esporta(const RigheDaEsportare& righe) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EsportaInFoglio(righe, buffer);
    return buffer.data();
}

// A device that takes `capienza` bytes and then refuses, as a full disk does; counts the writes
// asked of it after the first refusal.
class DispositivoPieno : public QIODevice {
public:
    explicit DispositivoPieno(qint64 capienza)
        : capienza(capienza) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    QByteArray scritti;
    int scrittureDopoIlRifiuto = 0;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* dati, qint64 quanti) override {
        if (rifiutato)
            ++scrittureDopoIlRifiuto;
        const qint64 presi = qMin(quanti, capienza - scritti.size());
        if (presi <= 0) {
            rifiutato = true;
            setErrorString(QStringLiteral("disco pieno"));
            return -1;
        }
        scritti.append(dati, presi);
        if (presi < quanti)
            setErrorString(QStringLiteral("disco pieno"));
        return presi;
    }

private:
    qint64 capienza;
    bool rifiutato = false;
};

} // namespace

class tst_Export : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void treRighe();
    void dieciRigheVuote();
    void celle_data();
    void celle();
    void celleDellaScheda();
    void scritturaFallita_data();
    void scritturaFallita();
    void flushFallito();
    void foglioLettoDaCalc_data();
    void foglioLettoDaCalc();
};

void tst_Export::treRighe() {
    const RigheProva righe(
        {CelleCon({"Banca", "https://banca.example", "Banca Spa", "conto", "mario", "segreta",
                   "01/01/2024", "01/01/2025", "Città?", "Roma", "Mario Rossi", "RSSMRA80A01H501U",
                   "mario@example.com", "06 1234"}),
         CelleCon({"  Posta  "}),
         CelleCon({"", "", "", "", "", "", "", "", "", "", "", "", "", "ultima"})});
    const QByteArray atteso =
        Testa + Intestazione +
        Riga({"Banca", "https://banca.example", "Banca Spa", "conto", "mario", "segreta",
              "01/01/2024", "01/01/2025", "Citt\xE0?", "Roma", "Mario Rossi", "RSSMRA80A01H501U",
              "mario@example.com", "06 1234"}) +
        Riga({"Posta"}) + Riga({"", "", "", "", "", "", "", "", "", "", "", "", "", "ultima"}) +
        Coda;
    const QByteArray file = Esporta(righe);
    QCOMPARE(file, atteso);
    QVERIFY(!file.contains('\r'));
    QVERIFY(!file.contains('\n'));
}

// An empty archive leaves the grid with its ten empty rows, and they are written.
void tst_Export::dieciRigheVuote() {
    const RigheProva righe(QList<CelleEsportate>(10));
    QCOMPARE(Esporta(righe), Testa + Intestazione + Riga({}).repeated(10) + Coda);
    QCOMPARE(Esporta(RigheProva({})), Testa + Intestazione + Coda);
}

void tst_Export::celle_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QByteArray>("cella");

    QTest::newRow("markup") << "A&B <test>" << QByteArray("A&amp;B &lt;test&gt;");
    QTest::newRow("già un'entità") << "&amp;" << QByteArray("&amp;amp;");
    QTest::newRow("virgolette restano") << "a \"b\" 'c'" << QByteArray("a \"b\" 'c'");
    QTest::newRow("è ed euro") << "è €" << QByteArray("\xE8 \x80");
    QTest::newRow("lettera fuori dal codice") << "π" << QByteArray("?");
    // The code page writes these as the plain signs: they are escaped like them.
    QTest::newRow("segni a larghezza piena")
        << QString::fromUtf8("\uFF1Cb\uFF1E \uFF06") << QByteArray("&lt;b&gt; &amp;");
    QTest::newRow("fuori dal piano di base") << "a😀b" << QByteArray("a?b");
    QTest::newRow("CR LF") << "riga1\r\nriga2" << QByteArray("riga1 riga2");
    QTest::newRow("CR solo") << "a\rb" << QByteArray("a b");
    QTest::newRow("LF solo") << "a\nb" << QByteArray("a b");
    // A spreadsheet shows a run of blanks as one, but keeps the blanks written as references.
    QTest::newRow("LF CR sono due") << "a\n\rb" << QByteArray("a &#32;b");
    QTest::newRow("due CR LF") << "a\r\n\r\nb" << QByteArray("a &#32;b");
    QTest::newRow("tagliata ai lati") << "\r\n  dentro \t\n" << QByteArray("dentro");
    QTest::newRow("spazi interni restano") << "a  b   c d" << QByteArray("a &#32;b &#32;&#32;c d");
    QTest::newRow("spazio e a capo") << "a \r\nb" << QByteArray("a &#32;b");
    QTest::newRow("spazi fra segni") << "<  &" << QByteArray("&lt; &#32;&amp;");
}

void tst_Export::celle() {
    QFETCH(QString, testo);
    QFETCH(QByteArray, cella);
    const RigheProva righe({CelleCon({QStringLiteral("x"), testo})});
    QCOMPARE(Esporta(righe), Testa + Intestazione + Riga({"x", cella}) + Coda);
}

void tst_Export::celleDellaScheda() {
    TScheda scheda{};
    CodificaCampo(scheda, Campo::Titolo, QStringLiteral(" Banca "));
    CodificaCampo(scheda, Campo::Note, QStringLiteral("non esportata"));
    CodificaCampo(scheda, Campo::Scadenza, QStringLiteral("14/03/2024"));
    CodificaCampo(scheda, Campo::Tel, QStringLiteral("06 1234\r\n"));
    const CelleEsportate celle = CelleDellaScheda(scheda);
    QCOMPARE(celle[0], QStringLiteral("Banca"));
    QCOMPARE(celle[7], QStringLiteral("14/03/2024"));
    QCOMPARE(celle[13], QStringLiteral("06 1234"));
    for (const int vuota : {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12})
        QVERIFY2(celle[vuota].isEmpty(), qPrintable(celle[vuota]));
}

void tst_Export::scritturaFallita_data() {
    QTest::addColumn<qint64>("capienza");
    const qint64 inizioRighe = Testa.size() + Intestazione.size();
    const qint64 riga = Riga({"uno"}).size();
    QTest::newRow("nulla") << qint64(0);
    QTest::newRow("nella testa") << qint64(100);
    QTest::newRow("nell'intestazione") << qint64(Testa.size() + 10);
    QTest::newRow("nella seconda riga") << inizioRighe + riga + 5;
    QTest::newRow("nella coda") << inizioRighe + 3 * riga + 2;
}

// The first refused write ends the export with the device's reason; nothing more is asked of it.
void tst_Export::scritturaFallita() {
    QFETCH(qint64, capienza);
    const RigheProva righe(QList<CelleEsportate>(3, CelleCon({QStringLiteral("uno")})));
    DispositivoPieno pieno(capienza);
    try {
        EsportaInFoglio(righe, pieno);
        QFAIL("the export reported success on a full device");
    } catch (const ErroreEsportazione& errore) {
        QVERIFY2(QByteArray(errore.what()).contains("disco pieno"), errore.what());
    }
    QCOMPARE(pieno.scritti.size(), capienza);
    QCOMPARE(pieno.scrittureDopoIlRifiuto, 0);
}

// A buffered file takes every write and fails only when the bytes go to the disk.
void tst_Export::flushFallito() {
    QFile pieno(QStringLiteral("/dev/full"));
    if (!pieno.open(QIODevice::WriteOnly))
        QSKIP("/dev/full is not available");
    QVERIFY_THROWS_EXCEPTION(ErroreEsportazione,
                             EsportaInFoglio(RigheProva(QList<CelleEsportate>(1)), pieno));
}

// Texts that a spreadsheet would read as numbers, dates, booleans or formulas, or whose runs of
// blanks it would make one, a field at a time in the order of the exported columns (title to
// telephone).
const QList<QStringList> SchedeIngannevoli = {
    {"=1+1", R"(=HYPERLINK("http://x";"y"))", "1234567890123456789", "12,5", "TRUE", "1E5",
     "01/02/2024", "14/03/2024", "3/4", "-5", "Città è €", "00877010157", "@", "0612345678"},
    {"  A&B <test>  ", "https://x.example/?a=1&b=2", "1/2", "riga1\r\nriga2", "50%", "01/02/2024",
     "", "31/12/2030", "1 1/2", "+39 333 1234567", "Perché? È così", "RSSMRA80A01H501U",
     "mario@example.com", "+39 333 1234567"},
    {"Posta", "12.5", "0,5", "1e-3", "-0", "'abc", "31/12/2030", "01/12/2024", "12:30",
     "2024-01-02", "€  5", "", "", "06  1234   56"},
};

void tst_Export::foglioLettoDaCalc_data() {
    QTest::addColumn<QString>("localita");
    QTest::newRow("italiano") << QStringLiteral("it_IT.UTF-8");
    QTest::newRow("inglese") << QStringLiteral("en_US.UTF-8");
}

// An archive exported as the export window does and opened by LibreOffice Calc in an Italian and
// in an English locale: every cell reads back as text (a quoted cell of the CSV Calc writes), the
// exact text the export wrote, nothing converted or evaluated, runs of blanks kept.
void tst_Export::foglioLettoDaCalc() {
    QFETCH(QString, localita);
    QTemporaryDir cartella;
    QVERIFY(cartella.isValid());

    const QString archivio = cartella.filePath(QStringLiteral("Prova.psw"));
    {
        FileArchivio file = ApriFileArchivio(archivio);
        for (const QStringList& campi : SchedeIngannevoli) {
            TScheda scheda{};
            for (int c = 0; c < NumeroColonneEsportate; ++c)
                CodificaCampo(scheda, ColonneEsportate[c].campo, campi[c]);
            file.Aggiungi(scheda);
        }
        file.Chiudi();
    }
    // The rows as the export window's grid holds them, and the cells as the file must show them:
    // the archive's fields trimmed, a line break one blank.
    static const QRegularExpression aCapo(QStringLiteral("\r\n|\r|\n"));
    QList<CelleEsportate> righe;
    QList<QStringList> attese;
    {
        FileArchivio file = ApriFileArchivio(archivio);
        file.PerOgniScheda([&](const TScheda& scheda) {
            righe.append(CelleDellaScheda(scheda));
            QStringList celle;
            for (const ColonnaEsportata& colonna : ColonneEsportate)
                celle << TogliSpazi(DecodificaCampo(scheda, colonna.campo))
                             .replace(aCapo, QStringLiteral(" "));
            attese.append(celle);
        });
        file.Chiudi();
    }
    const QString foglio = cartella.filePath(QStringLiteral("Blindoro.xls"));
    {
        QFile file(foglio);
        QVERIFY(file.open(QIODevice::WriteOnly));
        EsportaInFoglio(RigheProva(righe), file);
        file.close();
    }

    // UTF-8, tabs between the cells, and every text cell in quotes.
    const ConversioneCalc csv =
        ConvertiConCalc(foglio, QStringLiteral("csv:Text - txt - csv (StarCalc):9,34,76,1,,0,true"),
                        cartella.path(), localita);
    QVERIFY2(!csv.percorso.isEmpty(), qPrintable(csv.errore));
    QFile convertito(csv.percorso);
    QVERIFY(convertito.open(QIODevice::ReadOnly));
    const QList<QList<CellaCsv>> letto = LeggiCsv(QString::fromUtf8(convertito.readAll()));

    QCOMPARE(letto.size(), 1 + attese.size());
    QStringList intestazioni;
    for (const CellaCsv& cella : letto[0])
        intestazioni << cella.testo;
    QCOMPARE(intestazioni,
             (QStringList{"Titolo sito Web", "URL", "Proprietario sito Web", "Descrizione",
                          "Nome Utente", "Password", "Data creazione", "Data scadenza",
                          "Domanda segreta", "Risposta segreta", "Intestatario account",
                          "Codice fiscale", "E-mail", "Tel."}));
    QStringList differenze;
    for (qsizetype r = 0; r < attese.size(); ++r) {
        const QList<CellaCsv>& riga = letto[r + 1];
        QCOMPARE(riga.size(), NumeroColonneEsportate);
        for (int c = 0; c < NumeroColonneEsportate; ++c) {
            const QString& attesa = attese[r][c];
            if (riga[c].testo != attesa || (!attesa.isEmpty() && !riga[c].traVirgolette))
                differenze << QStringLiteral("row %1, %2: %3 read back as %4%5")
                                  .arg(r + 1)
                                  .arg(QLatin1String(ColonneEsportate[c].intestazione), attesa,
                                       riga[c].testo,
                                       riga[c].traVirgolette ? QString()
                                                             : QStringLiteral(", not text"));
        }
    }
    QVERIFY2(differenze.isEmpty(), qPrintable(differenze.join(u'\n')));
}

QTEST_GUILESS_MAIN(tst_Export)

#include "tst_export.moc"
