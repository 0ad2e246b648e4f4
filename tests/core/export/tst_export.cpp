#include "core/export/Esportazione.h"
#include "core/storage/Scheda.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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

QByteArray Cella(const QByteArray& testo) {
    return "<td style=\"text-align: left;\">" + testo + "</td>";
}

// A data row whose cells hold the given bytes, the rest empty.
QByteArray Riga(const QList<QByteArray>& celle) {
    QByteArray riga = "<tr>";
    for (int i = 0; i < NumeroColonneEsportate; ++i)
        riga += Cella(i < celle.size() ? celle[i] : QByteArray());
    return riga + "</tr>";
}

// The cells of one CSV line whose cells hold no comma, without the quotes around text.
QStringList CelleCsv(const QString& riga) {
    QStringList celle = riga.split(u',');
    for (QString& cella : celle) {
        if (cella.size() >= 2 && cella.startsWith(u'"') && cella.endsWith(u'"'))
            cella = cella.sliced(1, cella.size() - 2);
    }
    return celle;
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
    void foglioLettoDaUnProgrammaDiCalcolo();
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
    QTest::newRow("LF CR sono due") << "a\n\rb" << QByteArray("a  b");
    QTest::newRow("due CR LF") << "a\r\n\r\nb" << QByteArray("a  b");
    QTest::newRow("tagliata ai lati") << "\r\n  dentro \t\n" << QByteArray("dentro");
    QTest::newRow("spazi interni restano") << "a  b" << QByteArray("a  b");
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

// LibreOffice Calc opens the file as a spreadsheet; its CSV shows every cell as written.
void tst_Export::foglioLettoDaUnProgrammaDiCalcolo() {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QTemporaryDir cartella;
    QVERIFY(cartella.isValid());
    const QString percorso = cartella.filePath(QStringLiteral("Blindoro.xls"));
    {
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly));
        EsportaInFoglio(RigheProva({CelleCon({"A&B <test>", "https://x.example/?a=1&b=2",
                                              "Città è €", "riga1\r\nriga2", "mario", "p<w>d"}),
                                    CelleCon({"Posta", "", "", "", "", "", "01/02/2024"})}),
                        file);
        file.close();
    }
    QProcess processo;
    processo.setWorkingDirectory(cartella.path());
    processo.start(soffice,
                   {QStringLiteral("-env:UserInstallation=file://") + cartella.filePath("profilo"),
                    QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                    QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"),
                    QStringLiteral("--outdir"), cartella.path(), percorso});
    QVERIFY(processo.waitForFinished(120000));
    QCOMPARE(processo.exitCode(), 0);
    QFile csv(cartella.filePath(QStringLiteral("Blindoro.csv")));
    QVERIFY2(csv.open(QIODevice::ReadOnly), qPrintable(processo.readAllStandardError()));
    const QStringList righe = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(righe.size(), 3);
    QCOMPARE(CelleCsv(righe[0]),
             (QStringList{"Titolo sito Web", "URL", "Proprietario sito Web", "Descrizione",
                          "Nome Utente", "Password", "Data creazione", "Data scadenza",
                          "Domanda segreta", "Risposta segreta", "Intestatario account",
                          "Codice fiscale", "E-mail", "Tel."}));
    QCOMPARE(CelleCsv(righe[1]),
             (QStringList{"A&B <test>", "https://x.example/?a=1&b=2", "Città è €", "riga1 riga2",
                          "mario", "p<w>d", "", "", "", "", "", "", "", ""}));
    QCOMPARE(CelleCsv(righe[2]),
             (QStringList{"Posta", "", "", "", "", "", "01/02/2024", "", "", "", "", "", "", ""}));
}

QTEST_GUILESS_MAIN(tst_Export)

#include "tst_export.moc"
