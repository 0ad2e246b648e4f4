#include "output/ComponenteRapporto.h"
#include "output/ElencoRiepilogo.h"
#include "report/Disegno.h"
#include "report/Impaginazione.h"
#include "report/Modello.h"
#include "report/Rapporto.h"
#include "support/AiutiFinestre.h"
#include "support/PiattaformaProva.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

namespace {

const QString ModelloElenco = QStringLiteral("Riepilogo dati");
const QString ModelloScheda = QStringLiteral("Scheda Credenziali");

TRapporto::Orologio Il(const QDate& data) {
    return [data] { return data; };
}

// A list line as the search window builds it: 153 characters, numbered so every line differs.
QString RigaElenco(int numero) {
    const auto campo = [](const QString& testo, int larghezza) {
        return (testo + QString(larghezza, QLatin1Char(' '))).left(larghezza);
    };
    return campo(QStringLiteral("Sito %1 con un titolo").arg(numero, 5, 10, QLatin1Char('0')), 42) +
           QStringLiteral("  ID: ") + campo(QStringLiteral("utente%1").arg(numero), 28) +
           QStringLiteral("  Nome: ") + campo(QStringLiteral("Mario Rossi"), 28) +
           QStringLiteral("  Tel. ") + campo(QStringLiteral("06 1234567"), 16) +
           QStringLiteral("  Scad. 01/02/2025");
}

QStringList RigheElenco(int quante) {
    QStringList righe;
    for (int i = 1; i <= quante; ++i)
        righe << RigaElenco(i);
    return righe;
}

QList<const ElementoStampa*> TestiInCarattere(const PaginaStampa& foglio, const QFont& carattere) {
    QList<const ElementoStampa*> testi;
    for (const ElementoStampa& e : foglio.elementi)
        if (e.tipo == ElementoStampa::Tipo::Testo && e.carattere == carattere)
            testi << &e;
    return testi;
}

// The lines of the list memo as they lie on the sheets.
struct RigheSuiFogli {
    QStringList righe;
    QList<int> perFoglio;
    QString oltreIlFondo; // the first line that runs past the bottom margin
};

RigheSuiFogli RigheStampate(const QList<PaginaStampa>& fogli, const QFont& carattere) {
    const qreal fondo = (210 - 10) * UnitaPerMm;
    RigheSuiFogli trovate;
    for (const PaginaStampa& foglio : fogli) {
        const QList<const ElementoStampa*> testi = TestiInCarattere(foglio, carattere);
        trovate.perFoglio << static_cast<int>(testi.size());
        for (const ElementoStampa* e : testi) {
            if (e->riquadro.bottom() > fondo + 1e-6 && trovate.oltreIlFondo.isEmpty())
                trovate.oltreIlFondo = e->testo;
            trovate.righe << e->testo;
        }
    }
    return trovate;
}

const ElementoStampa* TestoCon(const PaginaStampa& foglio, const QString& testo) {
    for (const ElementoStampa& e : foglio.elementi)
        if (e.tipo == ElementoStampa::Tipo::Testo && e.testo == testo)
            return &e;
    return nullptr;
}

// The sixteen values of a record as the card window hands them over.
struct CampoScheda {
    const char* memo;
    const char* valore;
};
constexpr CampoScheda ValoriScheda[] = {
    {"txtArchivio", "Personale"},
    {"txtTitolo", "Banca Popolare di Esempio"},
    {"txtURL", "https://www.bancaesempio.it/login"},
    {"txtProprietario", "Banca Popolare di Esempio S.p.A."},
    {"txtUtilizzate", "Primavera2019!\nEstate#2020"},
    {"txtNote", "Chiamare la filiale prima di cambiare il codice."},
    {"txtDomanda", "Nome del primo cane?"},
    {"txtRisposta", "Fufi"},
    {"txtUtente", "mario.rossi"},
    {"txtPassword", "S3gret0!Blu"},
    {"txtCreazione", "01/02/2024"},
    {"txtScadenza", "01/02/2025"},
    {"txtDescrizione", "Conto corrente principale"},
    {"txtIntestatario", "Mario Rossi"},
    {"txtTel", "+39 06 1234567"},
    {"txtEmail", "mario.rossi@example.it"},
};

void CompilaScheda(TRapporto& scheda) {
    scheda.GetPages(1)->setOrientation(QPageLayout::Portrait);
    for (const CampoScheda& campo : ValoriScheda)
        scheda.FindObject<TMemo>(QString::fromLatin1(campo.memo))
            ->setText(QString::fromUtf8(campo.valore));
}

struct TestoPdf {
    int pagine = 0;
    QString testo;
    QString caratteri; // pdffonts' table

    // The lines of one page, each with its runs of blanks made one (pdftotext does not keep
    // them).
    QStringList righe(int pagina) const {
        QStringList righe = testo.split(QLatin1Char('\f')).value(pagina).split(QLatin1Char('\n'));
        for (QString& riga : righe)
            riga = riga.simplified();
        return righe;
    }
    QStringList tutteLeRighe() const {
        QStringList tutte;
        for (int i = 0; i < pagine; ++i)
            tutte << righe(i);
        return tutte;
    }
};

QString Esegui(const QString& programma, const QStringList& argomenti) {
    QProcess processo;
    processo.start(programma, argomenti);
    if (!processo.waitForFinished(30000) || processo.exitCode() != 0)
        return {};
    return QString::fromUtf8(processo.readAllStandardOutput());
}

TestoPdf LeggiPdf(const QString& percorso) {
    TestoPdf pdf;
    pdf.testo = Esegui(QStringLiteral("pdftotext"),
                       {QStringLiteral("-layout"), percorso, QStringLiteral("-")});
    pdf.pagine = static_cast<int>(pdf.testo.count(QLatin1Char('\f')));
    pdf.caratteri = Esegui(QStringLiteral("pdffonts"), {percorso});
    return pdf;
}

// The list template's measures as the engine gives them, and what they make of a list: the lines
// each sheet holds and whether the footer fits below the last of them.
struct GeometriaElenco {
    static constexpr qreal Distanza = 10; // between the last line and the footer, as the windows
                                          // size the band
    QRectF area;                          // inside the margins
    qreal limite;                         // from the area's top to the page footer's room
    qreal titolo;                         // the title band
    qreal piede;                          // the footer band
    qreal passo;                          // from one list line to the next

    int righeIn(qreal spazio) const {
        return static_cast<int>(std::floor((spazio + 1e-3) / passo));
    }
    int primoFoglio() const { return righeIn(limite - titolo); }
    int altriFogli() const { return righeIn(limite); }
    // The most lines a sheet holds with the footer below them.
    int primoConPiede() const { return righeIn(limite - titolo - Distanza - piede); }
    int altriConPiede() const { return righeIn(limite - Distanza - piede); }

    // The lines on each sheet; a last 0 is a sheet for the footer alone, which only a footer that
    // does not fit below the last line may get.
    QList<int> righePerFoglio(int righe) const {
        QList<int> fogli{std::min(righe, primoFoglio())};
        qreal libero = limite - titolo - fogli.last() * passo;
        for (int resto = righe - fogli.last(); resto > 0; resto -= fogli.last()) {
            fogli << std::min(resto, altriFogli());
            libero = limite - fogli.last() * passo;
        }
        if (libero + 1e-3 < Distanza + piede)
            fogli << 0;
        return fogli;
    }
};

GeometriaElenco MisuraElenco() {
    TRapporto rapporto(ModelloElenco, Il(QDate(2024, 3, 15)));
    GeometriaElenco g{};
    g.area = rapporto.GetPages(1)->areaStampabile();
    g.limite = g.area.height() - rapporto.FindObject(QStringLiteral("PageFooter"))->Height();
    g.titolo = rapporto.FindObject(QStringLiteral("ReportTitle"))->Height();
    g.piede = rapporto.FindObject(QStringLiteral("Footer"))->Height();
    g.passo = rapporto.FindObject<TMemo>(QStringLiteral("txtRiepilogo"))->passoRiga();
    return g;
}

// The fill under the text `testo` on the sheet.
const ElementoStampa* FondoDi(const PaginaStampa& foglio, const ElementoStampa& testo) {
    for (const ElementoStampa& e : foglio.elementi)
        if (e.tipo == ElementoStampa::Tipo::Riempimento &&
            e.riquadro.contains(testo.riquadro.center()))
            return &e;
    return nullptr;
}

QString NumeroDiPagina(int pagina, int pagine) {
    return QStringLiteral("Pagina %1 di %2").arg(pagina).arg(pagine);
}

} // namespace

class tst_Report : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup() { VERIFICA_PIATTAFORMA(piattaforma); }

    void oggettiPerNome_data();
    void oggettiPerNome();
    void oggettoMancanteODiAltroTipo();
    void pagineEOrientamento();
    void righeDelMemo_data();
    void righeDelMemo();
    void elencoSuPiuFogli_data();
    void elencoSuPiuFogli();
    void elencoVuoto();
    void bandaNonTagliaISuoiOggetti();
    void dataDiStampa();
    void caratteriSostituti_data();
    void caratteriSostituti();
    void schedaTagliaAlRiquadro();
    void pdfDiSchedaEElenco();
    void modelliDifettosi_data();
    void modelliDifettosi();
    void componenteStampa_data();
    void componenteStampa();
    void pagineECopieScelte_data();
    void pagineECopieScelte();
    void fileNonScrivibile();
    void elencoAiBordiDelFoglio_data();
    void elencoAiBordiDelFoglio();
    void numeriDiPaginaNelPdf_data();
    void numeriDiPaginaNelPdf();
    void numeriDiPaginaSoloNelModello();
    void fondoPaginaSuOgniFoglio();
    void fondoPaginaDifettoso();
    void pagineOltreLUltima_data();
    void pagineOltreLUltima();
    void scalaDiGrigi_data();
    void scalaDiGrigi();

private:
    PiattaformaProva piattaforma;
    QTemporaryDir cartella;
};

void tst_Report::initTestCase() {
    QVERIFY(cartella.isValid());
    piattaforma.dataOggi = QDate(2024, 3, 15);
}

void tst_Report::oggettiPerNome_data() {
    QTest::addColumn<QString>("modello");
    QTest::addColumn<QString>("cercato");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("banda");

    QTest::newRow("memo, same case") << ModelloElenco << "txtRiepilogo"
                                     << "txtRiepilogo" << false;
    QTest::newRow("memo, lower case") << ModelloElenco << "txtriepilogo"
                                      << "txtRiepilogo" << false;
    QTest::newRow("memo, upper case") << ModelloElenco << "TXTPAGINA"
                                      << "txtPagina" << false;
    QTest::newRow("band, other case") << ModelloElenco << "masterDATA"
                                      << "MasterData" << true;
    QTest::newRow("card memo") << ModelloScheda << "TxtPassword"
                               << "txtPassword" << false;
}

void tst_Report::oggettiPerNome() {
    QFETCH(QString, modello);
    QFETCH(QString, cercato);
    QFETCH(QString, nome);
    QFETCH(bool, banda);

    TRapporto rapporto(modello, Il(QDate(2024, 3, 15)));
    TOggettoRapporto* trovato = rapporto.FindObject(cercato);
    QVERIFY(trovato);
    QCOMPARE(trovato->Name(), nome);
    QCOMPARE(dynamic_cast<TBanda*>(trovato) != nullptr, banda);
    QCOMPARE(dynamic_cast<TMemo*>(trovato) != nullptr, !banda);
}

void tst_Report::oggettoMancanteODiAltroTipo() {
    TRapporto rapporto(ModelloElenco, Il(QDate(2024, 3, 15)));
    QCOMPARE(rapporto.FindObject(QStringLiteral("txtNonCe")), nullptr);
    // Only a to z fold: a name with another letter is another name.
    QCOMPARE(rapporto.FindObject(QStringLiteral("txtRiepılogo")), nullptr);
    QVERIFY_THROWS_EXCEPTION(ErroreRapporto,
                             rapporto.FindObject<TMemo>(QStringLiteral("txtNonCe")));
    QVERIFY_THROWS_EXCEPTION(ErroreRapporto,
                             rapporto.FindObject<TMemo>(QStringLiteral("MasterData")));
    QVERIFY_THROWS_EXCEPTION(ErroreRapporto, TRapporto(QStringLiteral("Nessuno"), Il({})));
}

void tst_Report::pagineEOrientamento() {
    TRapporto rapporto(ModelloElenco, Il(QDate(2024, 3, 15)));
    QVERIFY(rapporto.GetPages(0)->paginaDati());
    TPaginaRapporto* pagina = rapporto.GetPages(1);
    QVERIFY(!pagina->paginaDati());
    QVERIFY_THROWS_EXCEPTION(ErroreRapporto, rapporto.GetPages(2));

    QCOMPARE(pagina->Orientation(), QPageLayout::Landscape);
    QCOMPARE(pagina->larghezzaCartaMm(), 297.0);
    QCOMPARE(pagina->altezzaCartaMm(), 210.0);
    pagina->setOrientation(QPageLayout::Portrait);
    QCOMPARE(pagina->larghezzaCartaMm(), 210.0);
    QCOMPARE(pagina->altezzaCartaMm(), 297.0);
    QCOMPARE(qRound(pagina->areaStampabile().width() / UnitaPerMm), 190);

    rapporto.PrepareReport();
    const QPageLayout formato = rapporto.PaginePreparate().first().formato;
    QCOMPARE(formato.orientation(), QPageLayout::Portrait);
    QCOMPARE(formato.fullRect(QPageLayout::Millimeter).size().toSize(), QSize(210, 297));
}

void tst_Report::righeDelMemo_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QStringList>("righe");

    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("one line") << "Riepilogo" << QStringList{"Riepilogo"};
    QTest::newRow("CR LF, LF and CR") << "a\r\nb\nc\rd" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("break at the end opens no line") << "a\r\n" << QStringList{"a"};
    QTest::newRow("inner empty lines stay") << "a\n\n\nb" << QStringList{"a", "", "", "b"};
    QTest::newRow("only a break") << "\n" << QStringList{""};
}

void tst_Report::righeDelMemo() {
    QFETCH(QString, testo);
    QFETCH(QStringList, righe);

    TRapporto rapporto(ModelloElenco, Il(QDate(2024, 3, 15)));
    TMemo* memo = rapporto.FindObject<TMemo>(QStringLiteral("txtTitolo"));
    QCOMPARE(memo->Lines(), QStringList{QStringLiteral("Riepilogo")});
    memo->setText(testo);
    QCOMPARE(memo->Lines(), righe);
    QCOMPARE(memo->Text(), righe.join(QLatin1Char('\n')));

    memo->Lines().clear();
    QCOMPARE(memo->Lines().count(), 0);
    memo->Lines().append(QStringLiteral("x"));
    memo->Lines().append(QStringLiteral("y"));
    QCOMPARE(memo->Lines().count(), 2);
    QCOMPARE(memo->Text(), QStringLiteral("x\ny"));
}

void tst_Report::elencoSuPiuFogli_data() {
    QTest::addColumn<int>("righe");
    QTest::addColumn<QList<int>>("perFoglio");

    // A4 landscape with 10 mm margins leaves 718.1 units, 699.2 above the 5 mm page footer: 52
    // lines of 12.8 below the 8 mm title, 54 on a sheet of their own; the footer needs 30.2 units
    // after the band's last 10.
    QTest::newRow("one line") << 1 << QList<int>{1};
    QTest::newRow("49 lines, footer on the same sheet") << 49 << QList<int>{49};
    QTest::newRow("50 lines, footer alone on the next") << 50 << QList<int>{50, 0};
    QTest::newRow("53 lines, one goes on") << 53 << QList<int>{52, 1};
    QList<int> mille{52};
    for (int i = 0; i < 17; ++i)
        mille << 54;
    mille << 30;
    QTest::newRow("1000 lines") << 1000 << mille;
}

void tst_Report::elencoSuPiuFogli() {
    QFETCH(int, righe);
    QFETCH(QList<int>, perFoglio);

    TRapporto rapporto(ModelloElenco, Il(QDate(2024, 3, 15)));
    const QStringList attese = RigheElenco(righe);
    CompilaElenco(rapporto, QStringLiteral("Riepilogo credenziali in archivio"), attese);
    const qreal passo = rapporto.FindObject<TMemo>(QStringLiteral("txtRiepilogo"))->passoRiga();
    QCOMPARE(rapporto.FindObject(QStringLiteral("txtRiepilogo"))->Height(), righe * passo);
    QCOMPARE(rapporto.FindObject(QStringLiteral("MasterData"))->Height(), righe * passo + 10);
    QVERIFY(rapporto.PrepareReport());

    const QList<PaginaStampa>& fogli = rapporto.PaginePreparate();
    const QFont carattereElenco =
        rapporto.FindObject<TMemo>(QStringLiteral("txtRiepilogo"))->aspetto().carattere;
    const RigheSuiFogli stampate = RigheStampate(fogli, carattereElenco);
    QCOMPARE(stampate.oltreIlFondo, QString());
    QCOMPARE(stampate.perFoglio, perFoglio);
    QCOMPARE(stampate.righe, attese); // every line once, in order

    // The title once at the top of the first sheet, the footer once below the last line.
    const auto* titolo =
        TestoCon(fogli.first(), QStringLiteral("Riepilogo credenziali in archivio"));
    QVERIFY(titolo);
    QCOMPARE(titolo->riquadro.center().y(), (10 + 8 / 2.0) * UnitaPerMm);
    const QString piede = QStringLiteral("Stampa eseguita in data 15/03/2024");
    int piedi = 0;
    for (const PaginaStampa& foglio : fogli)
        piedi += static_cast<int>(foglio.testi().count(piede));
    QCOMPARE(piedi, 1);
    const auto ultimo = TestiInCarattere(fogli.last(), carattereElenco);
    const ElementoStampa* elementoPiede = TestoCon(fogli.last(), piede);
    QVERIFY(elementoPiede);
    if (!ultimo.isEmpty())
        QVERIFY(elementoPiede->riquadro.top() > ultimo.last()->riquadro.bottom());
    QVERIFY(elementoPiede->riquadro.bottom() <= (210 - 10) * UnitaPerMm + 1e-6);
}

void tst_Report::elencoVuoto() {
    TRapporto rapporto(ModelloElenco, Il(QDate(2024, 3, 15)));
    CompilaElenco(rapporto, QStringLiteral("Riepilogo password scadute"), {});
    QCOMPARE(rapporto.FindObject(QStringLiteral("txtRiepilogo"))->Height(), 0.0);
    QCOMPARE(rapporto.FindObject(QStringLiteral("MasterData"))->Height(), 10.0);
    rapporto.PrepareReport();

    QCOMPARE(rapporto.PaginePreparate().size(), 1);
    const PaginaStampa& foglio = rapporto.PaginePreparate().first();
    QCOMPARE(foglio.testi(), (QStringList{QStringLiteral("Riepilogo password scadute"),
                                          QStringLiteral("Stampa eseguita in data 15/03/2024"),
                                          QStringLiteral("Pagina 1 di 1")}));
    // The empty band keeps its 10 units between the grey title and footer bars.
    QList<QRectF> barre;
    for (const ElementoStampa& e : foglio.elementi)
        if (e.tipo == ElementoStampa::Tipo::Riempimento)
            barre << e.riquadro;
    QCOMPARE(barre.size(), 2);
    QCOMPARE(barre.at(0).top(), 10 * UnitaPerMm);
    QCOMPARE(barre.at(1).top() - barre.at(0).bottom(), 10.0);

    // Preparing again replaces the sheets; keeping the last ones adds to them.
    rapporto.PrepareReport(true);
    QCOMPARE(rapporto.PaginePreparate().size(), 1);
    rapporto.PrepareReport(false);
    QCOMPARE(rapporto.PaginePreparate().size(), 2);
}

void tst_Report::bandaNonTagliaISuoiOggetti() {
    // The memo is given its height but the band keeps its design height of 28 mm: the band
    // reaches down to the memo's last line instead of cutting the list off.
    TRapporto rapporto(ModelloElenco, Il(QDate(2024, 3, 15)));
    const QStringList righe = RigheElenco(100);
    TMemo* memo = rapporto.FindObject<TMemo>(QStringLiteral("txtRiepilogo"));
    memo->Lines() = righe;
    memo->setHeight(righe.size() * memo->passoRiga());
    rapporto.PrepareReport();

    const RigheSuiFogli stampate =
        RigheStampate(rapporto.PaginePreparate(), memo->aspetto().carattere);
    QCOMPARE(stampate.oltreIlFondo, QString());
    QCOMPARE(stampate.perFoglio, (QList<int>{52, 48}));
    QCOMPARE(stampate.righe, righe);
}

void tst_Report::dataDiStampa() {
    QDate oggi(2025, 1, 5);
    TRapporto rapporto(ModelloElenco, [&oggi] { return oggi; });
    // A line is printed as it stands, brackets included; only the footer reads the date.
    CompilaElenco(rapporto, QStringLiteral("[DATE]"), {QStringLiteral("Titolo [DATE] [PAGE#]")});
    rapporto.PrepareReport();
    QStringList testi = rapporto.PaginePreparate().first().testi();
    QCOMPARE(testi, (QStringList{QStringLiteral("[DATE]"), QStringLiteral("Titolo [DATE] [PAGE#]"),
                                 QStringLiteral("Stampa eseguita in data 05/01/2025"),
                                 QStringLiteral("Pagina 1 di 1")}));

    // The date is the one of each preparation.
    oggi = QDate(2025, 12, 31);
    rapporto.PrepareReport();
    QCOMPARE(rapporto.PaginePreparate().first().testi().value(2),
             QStringLiteral("Stampa eseguita in data 31/12/2025"));
}

void tst_Report::caratteriSostituti_data() {
    QTest::addColumn<QString>("modello");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("famiglia");
    QTest::addColumn<QString>("sostituto");
    QTest::addColumn<bool>("passoFisso");

    QTest::newRow("list lines") << ModelloElenco << "txtRiepilogo"
                                << "Courier New"
                                << "Liberation Mono" << true;
    QTest::newRow("list title") << ModelloElenco << "txtTitolo"
                                << "Verdana"
                                << "DejaVu Sans" << false;
    QTest::newRow("card") << ModelloScheda << "txtTitolo"
                          << "Arial"
                          << "Liberation Sans" << false;
}

void tst_Report::caratteriSostituti() {
    QFETCH(QString, modello);
    QFETCH(QString, memo);
    QFETCH(QString, famiglia);
    QFETCH(QString, sostituto);
    QFETCH(bool, passoFisso);

    TRapporto rapporto(modello, Il(QDate(2024, 3, 15)));
    const QFont carattere = rapporto.FindObject<TMemo>(memo)->aspetto().carattere;
    const QFontInfo usato(carattere);
    const QString atteso = QFontDatabase::hasFamily(famiglia) ? famiglia : sostituto;
    QCOMPARE(usato.family(), atteso);
    QCOMPARE(usato.fixedPitch(), passoFisso);
}

void tst_Report::schedaTagliaAlRiquadro() {
    TRapporto scheda(ModelloScheda, Il(QDate(2024, 3, 15)));
    CompilaScheda(scheda);
    const QString titoloLungo = QString(300, QLatin1Char('W'));
    scheda.FindObject<TMemo>(QStringLiteral("txtTitolo"))->setText(titoloLungo);
    QStringList note;
    for (int i = 1; i <= 100; ++i)
        note << QStringLiteral("Nota %1").arg(i);
    scheda.FindObject<TMemo>(QStringLiteral("txtNote"))->setText(note.join(QLatin1Char('\n')));
    const QString parole = QStringLiteral("una vecchia password lunghissima seguita da molte altre "
                                          "parole che non stanno in una sola riga del riquadro");
    scheda.FindObject<TMemo>(QStringLiteral("txtUtilizzate"))->setText(parole);
    scheda.PrepareReport();

    QCOMPARE(scheda.PaginePreparate().size(), 1);
    const PaginaStampa& foglio = scheda.PaginePreparate().first();
    // The long title stays one line in the memo's box, where the painter cuts it.
    const ElementoStampa* titolo = TestoCon(foglio, titoloLungo);
    QVERIFY(titolo);
    const QRectF boxTitolo = scheda.FindObject(QStringLiteral("txtTitolo"))->riquadro();
    QVERIFY(boxTitolo.contains(titolo->riquadro));

    // The notes stop at the box's bottom, on a whole line.
    const QRectF boxNote = scheda.FindObject(QStringLiteral("txtNote"))->riquadro();
    QStringList stampate;
    for (const ElementoStampa& e : foglio.elementi)
        if (e.tipo == ElementoStampa::Tipo::Testo && e.testo.startsWith(QLatin1String("Nota ")))
            stampate << e.testo;
    QVERIFY(stampate.size() > 40 && stampate.size() < 100);
    QCOMPARE(stampate, note.mid(0, stampate.size()));
    for (const ElementoStampa& e : foglio.elementi)
        if (e.testo.startsWith(QLatin1String("Nota ")))
            QVERIFY(e.riquadro.bottom() <= boxNote.bottom() + 1e-6);

    // A long text wraps at word boundaries and keeps every word.
    const QRectF boxUsate = scheda.FindObject(QStringLiteral("txtUtilizzate"))->riquadro();
    QStringList pezzi;
    for (const ElementoStampa& e : foglio.elementi)
        if (e.tipo == ElementoStampa::Tipo::Testo && boxUsate.contains(e.riquadro))
            pezzi << e.testo;
    QVERIFY(pezzi.size() >= 2);
    QCOMPARE(pezzi.join(QLatin1Char(' ')), parole);
}

void tst_Report::pdfDiSchedaEElenco() {
    TRapporto scheda(ModelloScheda, Il(QDate(2024, 3, 15)));
    CompilaScheda(scheda);
    scheda.PrepareReport();
    const QString pdfScheda = cartella.filePath(QStringLiteral("scheda.pdf"));
    {
        QPdfWriter pdf(pdfScheda);
        DisegnaFogli(scheda.PaginePreparate(), pdf);
    }
    const TestoPdf letta = LeggiPdf(pdfScheda);
    QCOMPARE(letta.pagine, 1);
    for (const char* didascalia : {"Titolo sito Web:", "Password già utilizzate", "Note",
                                   "Intestatario account", "E-mail", "Tel."})
        QVERIFY2(letta.testo.contains(QString::fromUtf8(didascalia)), didascalia);
    for (const CampoScheda& campo : ValoriScheda)
        for (const QString& riga : QString::fromUtf8(campo.valore).split(QLatin1Char('\n')))
            QVERIFY2(letta.testo.contains(riga), qPrintable(riga));
    QVERIFY(letta.testo.contains(QLatin1String("S3gret0!Blu")));

    TRapporto elenco(ModelloElenco, Il(QDate(2024, 3, 15)));
    const QStringList righe = RigheElenco(80);
    CompilaElenco(elenco, QStringLiteral("Riepilogo credenziali in archivio"), righe);
    elenco.PrepareReport();
    const QString pdfElenco = cartella.filePath(QStringLiteral("elenco.pdf"));
    {
        QPdfWriter pdf(pdfElenco);
        DisegnaFogli(elenco.PaginePreparate(), pdf);
    }
    const TestoPdf lettoElenco = LeggiPdf(pdfElenco);
    QCOMPARE(lettoElenco.pagine, 2);
    QCOMPARE(lettoElenco.testo.count(QLatin1String("Riepilogo credenziali in archivio")), 1);
    QCOMPARE(lettoElenco.testo.count(QLatin1String("Stampa eseguita in data 15/03/2024")), 1);
    // Each 153-character line whole, once: the monospaced font fits it across the sheet.
    const QStringList righeLette = lettoElenco.tutteLeRighe();
    for (const QString& riga : righe)
        QCOMPARE(righeLette.count(riga.simplified()), 1);
    if (!QFontDatabase::hasFamily(QStringLiteral("Courier New")))
        QVERIFY2(lettoElenco.caratteri.contains(QLatin1String("LiberationMono")),
                 qPrintable(lettoElenco.caratteri));
}

void tst_Report::modelliDifettosi_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("motivo");

    const QByteArray pagine = R"("pagine": [{"nome": "Data", "dati": true}, )";
    QTest::newRow("not JSON") << QByteArray("{ \"nome\": ") << "";
    QTest::newRow("no report page")
        << QByteArray(R"({"nome": "X", "pagine": [{"nome": "Data", "dati": true}]})")
        << "pagina di stampa";
    QTest::newRow("name used twice, other case")
        << QByteArray(R"({"nome": "X", )" + pagine + R"({"nome": "P", "oggetti": [
               {"memo": "txtUno", "x": 0, "y": 0, "larghezza": 1, "altezza": 1},
               {"memo": "TXTUNO", "x": 0, "y": 0, "larghezza": 1, "altezza": 1}]}]})")
        << "TXTUNO";
    QTest::newRow("misspelt key") << QByteArray(R"({"nome": "X", )" + pagine +
                                                R"({"nome": "P", "oggetti": [
               {"memo": "m", "x": 0, "y": 0, "larghezza": 1, "altezza": 1, "grasseto": true}]}]})")
                                  << "grasseto";
    QTest::newRow("unknown colour")
        << QByteArray(R"({"nome": "X", )" + pagine + R"({"nome": "P", "oggetti": [
               {"riquadro": "r", "x": 0, "y": 0, "larghezza": 1, "altezza": 1,
                "sfondo": "bluastro"}]}]})")
        << "bluastro";
    QTest::newRow("font of size 0")
        << QByteArray(R"({"nome": "X", )" + pagine + R"({"nome": "P", "oggetti": [
               {"memo": "m", "x": 0, "y": 0, "larghezza": 1, "altezza": 1, "punti": 0}]}]})")
        << "punti";
    QTest::newRow("band without height")
        << QByteArray(R"({"nome": "X", )" + pagine + R"({"nome": "P", "bande": [
               {"nome": "B", "tipo": "dati"}]}]})")
        << "altezza";
    QTest::newRow("unknown band kind")
        << QByteArray(R"({"nome": "X", )" + pagine + R"({"nome": "P", "bande": [
               {"nome": "B", "tipo": "intestazione", "altezza": 5}]}]})")
        << "intestazione";
}

void tst_Report::modelliDifettosi() {
    QFETCH(QByteArray, json);
    QFETCH(QString, motivo);

    try {
        LeggiModello(json);
        QFAIL("the template was accepted");
    } catch (const ErroreRapporto& errore) {
        QVERIFY2(QString::fromUtf8(errore.what()).contains(motivo), errore.what());
    }
}

void tst_Report::componenteStampa_data() {
    QTest::addColumn<bool>("conferma");
    QTest::addColumn<bool>("nomeProposto");

    QTest::newRow("confirmed, file chosen") << true << false;
    QTest::newRow("confirmed, file proposed in the program folder") << true << true;
    QTest::newRow("cancelled") << false << false;
}

void tst_Report::componenteStampa() {
    QFETCH(bool, conferma);
    QFETCH(bool, nomeProposto);

    QWidget finestra;
    ComponenteRapporto frxReport(&finestra, ModelloElenco);
    CompilaElenco(frxReport, QStringLiteral("Riepilogo credenziali in archivio"), RigheElenco(80));
    frxReport.PrepareReport();

    const QString scelto = cartella.filePath(QStringLiteral("scelto.pdf"));
    const QString proposto = piattaforma.cartella + QStringLiteral("Riepilogo dati.pdf");
    QFile::remove(scelto);
    QFile::remove(proposto);
    frxReport.stampante().setOutputFormat(QPrinter::PdfFormat);
    frxReport.stampante().setOutputFileName(nomeProposto ? QString() : scelto);
    piattaforma.attendiStampante(conferma);

    QCOMPARE(frxReport.Print(), conferma);
    QCOMPARE(piattaforma.dialoghiStampa, 1);
    const QString atteso = nomeProposto ? proposto : scelto;
    QCOMPARE(frxReport.stampante().outputFileName(), atteso);
    QCOMPARE(QFile::exists(atteso), conferma);
    if (conferma) {
        const TestoPdf letto = LeggiPdf(atteso);
        QCOMPARE(letto.pagine, 2);
        // The date of printing is the platform's today.
        QVERIFY(letto.testo.contains(QLatin1String("Stampa eseguita in data 15/03/2024")));
    }
}

void tst_Report::pagineECopieScelte_data() {
    QTest::addColumn<int>("da");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("copie");
    QTest::addColumn<bool>("fascicola");
    QTest::addColumn<bool>("inverso");
    QTest::addColumn<QStringList>("primeRighe"); // the first list line of each page printed

    const QString uno = RigaElenco(1).simplified();
    const QString cinquantatre = RigaElenco(53).simplified();
    const QString centosette = RigaElenco(107).simplified();
    QTest::newRow("all") << 0 << 0 << 1 << true << false
                         << QStringList{uno, cinquantatre, centosette};
    QTest::newRow("page 2 only") << 2 << 2 << 1 << true << false << QStringList{cinquantatre};
    QTest::newRow("pages 2 to 9, only 3 exist")
        << 2 << 9 << 1 << true << false << QStringList{cinquantatre, centosette};
    QTest::newRow("two copies collated")
        << 1 << 2 << 2 << true << false << QStringList{uno, cinquantatre, uno, cinquantatre};
    QTest::newRow("two copies, not collated")
        << 1 << 2 << 2 << false << false << QStringList{uno, uno, cinquantatre, cinquantatre};
    QTest::newRow("last page first")
        << 0 << 0 << 1 << true << true << QStringList{centosette, cinquantatre, uno};
}

void tst_Report::pagineECopieScelte() {
    QFETCH(int, da);
    QFETCH(int, a);
    QFETCH(int, copie);
    QFETCH(bool, fascicola);
    QFETCH(bool, inverso);
    QFETCH(QStringList, primeRighe);

    TRapporto rapporto(ModelloElenco, Il(QDate(2024, 3, 15)));
    CompilaElenco(rapporto, QStringLiteral("Elenco"), RigheElenco(120));
    const QString percorso = cartella.filePath(QStringLiteral("scelte.pdf"));
    QPrinter& stampante = rapporto.stampante();
    stampante.setOutputFileName(percorso);
    const bool stampato = rapporto.Print([&](QPrinter& scelta) {
        if (da > 0) {
            scelta.setPrintRange(QPrinter::PageRange);
            scelta.setFromTo(da, a);
        }
        scelta.setCopyCount(copie);
        scelta.setCollateCopies(fascicola);
        scelta.setPageOrder(inverso ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
        return true;
    });
    QVERIFY(stampato);

    const TestoPdf letto = LeggiPdf(percorso);
    QCOMPARE(letto.pagine, primeRighe.size());
    for (int i = 0; i < primeRighe.size(); ++i) {
        const QStringList righe =
            letto.righe(i).filter(QRegularExpression(QStringLiteral("^Sito ")));
        QCOMPARE(righe.value(0), primeRighe.at(i));
    }
}

void tst_Report::fileNonScrivibile() {
    TRapporto rapporto(ModelloElenco, Il(QDate(2024, 3, 15)));
    CompilaElenco(rapporto, QStringLiteral("Elenco"), RigheElenco(3));
    const QString esistente = cartella.filePath(QStringLiteral("precedente.pdf"));
    {
        QFile file(esistente);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("contenuto di prima");
    }
    // A folder that is not there: the failure is reported, not passed off as a print.
    rapporto.stampante().setOutputFileName(cartella.filePath(QStringLiteral("manca/elenco.pdf")));
    QVERIFY_THROWS_EXCEPTION(ErroreRapporto, rapporto.Print([](QPrinter&) { return true; }));
    QVERIFY(!QFile::exists(cartella.filePath(QStringLiteral("manca/elenco.pdf"))));

    // An earlier file of that name is replaced by the new print.
    rapporto.stampante().setOutputFileName(esistente);
    QVERIFY(rapporto.Print([](QPrinter&) { return true; }));
    QCOMPARE(LeggiPdf(esistente).pagine, 1);
}

void tst_Report::elencoAiBordiDelFoglio_data() {
    QTest::addColumn<int>("righe");

    // Around the lines that fill the sheets exactly, and around the most lines that leave room
    // for the footer on their last sheet.
    const GeometriaElenco g = MisuraElenco();
    for (int fogli : {1, 2, 38}) {
        const int pieni = g.primoFoglio() + (fogli - 1) * g.altriFogli();
        QTest::addRow("%d sheet(s) filled exactly: %d lines", fogli, pieni) << pieni;
        QTest::addRow("%d sheet(s) filled, one line less: %d", fogli, pieni - 1) << pieni - 1;
        QTest::addRow("%d sheet(s) filled, one line more: %d", fogli, pieni + 1) << pieni + 1;
        const int conPiede =
            fogli == 1 ? g.primoConPiede()
                       : g.primoFoglio() + (fogli - 2) * g.altriFogli() + g.altriConPiede();
        QTest::addRow("%d sheet(s), the footer just fits: %d lines", fogli, conPiede) << conPiede;
        QTest::addRow("%d sheet(s), the footer just misses: %d lines", fogli, conPiede + 1)
            << conPiede + 1;
    }
    for (int righe : {25, 1951, 2000})
        QTest::addRow("%d lines", righe) << righe;
}

void tst_Report::elencoAiBordiDelFoglio() {
    QFETCH(int, righe);

    const GeometriaElenco g = MisuraElenco();
    TRapporto rapporto(ModelloElenco, Il(QDate(2024, 3, 15)));
    const QStringList attese = RigheElenco(righe);
    CompilaElenco(rapporto, QStringLiteral("Riepilogo credenziali in archivio"), attese);
    // The memo is as tall as the engine sets its lines.
    const auto* memo = rapporto.FindObject<TMemo>(QStringLiteral("txtRiepilogo"));
    QCOMPARE(memo->Height(), righe * g.passo);
    rapporto.PrepareReport();
    const QList<PaginaStampa>& fogli = rapporto.PaginePreparate();

    const QList<int> perFoglio = g.righePerFoglio(righe);
    const RigheSuiFogli stampate = RigheStampate(fogli, memo->aspetto().carattere);
    QCOMPARE(stampate.perFoglio, perFoglio);
    QCOMPARE(stampate.righe, attese);
    const qreal fondoRighe = g.area.top() + g.limite;
    for (const PaginaStampa& foglio : fogli)
        for (const ElementoStampa* riga : TestiInCarattere(foglio, memo->aspetto().carattere))
            QVERIFY2(riga->riquadro.bottom() <= fondoRighe + 1e-6, qPrintable(riga->testo));

    // The footer on the last sheet: 10 units below the last line, or, when it does not fit
    // there, at the top of a sheet of its own.
    const QString data = QStringLiteral("Stampa eseguita in data 15/03/2024");
    const ElementoStampa* piede = TestoCon(fogli.last(), data);
    QVERIFY(piede);
    const ElementoStampa* barra = FondoDi(fogli.last(), *piede);
    QVERIFY(barra);
    QVERIFY(barra->riquadro.bottom() <= fondoRighe + 1e-6);
    const auto ultime = TestiInCarattere(fogli.last(), memo->aspetto().carattere);
    if (!ultime.isEmpty()) {
        QCOMPARE(barra->riquadro.top() - ultime.last()->riquadro.bottom(), g.Distanza);
    } else {
        QVERIFY(fogli.size() > 1);
        QCOMPARE(barra->riquadro.top(), g.area.top());
        const auto prima = TestiInCarattere(fogli.at(fogli.size() - 2), memo->aspetto().carattere);
        QVERIFY(!prima.isEmpty());
        const qreal libero = fondoRighe - prima.last()->riquadro.bottom();
        QVERIFY2(libero < g.Distanza + g.piede, qPrintable(QString::number(libero)));
    }

    // "Pagina N di M" once on every sheet: beside the date in the footer bar, at the bottom of
    // the sheets without the footer.
    const int pagine = static_cast<int>(fogli.size());
    for (int i = 0; i < pagine; ++i) {
        const PaginaStampa& foglio = fogli.at(i);
        const QString numero = NumeroDiPagina(i + 1, pagine);
        QCOMPARE(foglio.testi().count(numero), 1);
        const ElementoStampa* testo = TestoCon(foglio, numero);
        if (i == pagine - 1) {
            QCOMPARE(testo->riquadro.center().y(), piede->riquadro.center().y());
            QVERIFY(barra->riquadro.contains(testo->riquadro));
            QVERIFY(testo->riquadro.left() > piede->riquadro.center().x());
        } else {
            QVERIFY(testo->riquadro.top() >= fondoRighe - 1e-6);
            QVERIFY(testo->riquadro.bottom() <= g.area.bottom() + 1e-6);
            QVERIFY(!foglio.testi().contains(data));
        }
    }
}

void tst_Report::numeriDiPaginaNelPdf_data() {
    QTest::addColumn<int>("righe");

    QTest::newRow("short list") << 25;
    QTest::newRow("long list") << 2000;
}

void tst_Report::numeriDiPaginaNelPdf() {
    QFETCH(int, righe);

    TRapporto rapporto(ModelloElenco, Il(QDate(2024, 3, 15)));
    CompilaElenco(rapporto, QStringLiteral("Riepilogo credenziali in archivio"),
                  RigheElenco(righe));
    const QString percorso = cartella.filePath(QStringLiteral("numerate.pdf"));
    rapporto.stampante().setOutputFileName(percorso);
    QVERIFY(rapporto.Print([](QPrinter&) { return true; }));

    const TestoPdf letto = LeggiPdf(percorso);
    const int pagine = static_cast<int>(MisuraElenco().righePerFoglio(righe).size());
    QCOMPARE(letto.pagine, pagine);
    for (int i = 0; i < pagine; ++i) {
        const QString numero = NumeroDiPagina(i + 1, pagine);
        const QStringList righePagina = letto.righe(i);
        QCOMPARE(righePagina.filter(QStringLiteral("Pagina ")).size(), 1);
        // On the footer's sheet the number stands on the date's line, elsewhere on a line of its
        // own.
        const QString attesa = i == pagine - 1
                                   ? QStringLiteral("Stampa eseguita in data 15/03/2024 ") + numero
                                   : numero;
        QVERIFY2(righePagina.contains(attesa), qPrintable(righePagina.join(u'\n')));
    }
}

void tst_Report::numeriDiPaginaSoloNelModello() {
    // What the program puts in the title and the lines prints as it stands.
    TRapporto rapporto(ModelloElenco, Il(QDate(2024, 3, 15)));
    CompilaElenco(rapporto, QStringLiteral("[PAGE] di [PAGES]"),
                  {QStringLiteral("Sito [PAGE] di [PAGES] [DATE]")});
    rapporto.PrepareReport();
    QCOMPARE(rapporto.PaginePreparate().first().testi(),
             (QStringList{QStringLiteral("[PAGE] di [PAGES]"),
                          QStringLiteral("Sito [PAGE] di [PAGES] [DATE]"),
                          QStringLiteral("Stampa eseguita in data 15/03/2024"),
                          QStringLiteral("Pagina 1 di 1")}));
}

namespace {

// A template with a list band, a footer and a page footer of `altezzaFondo` mm printed on every
// sheet.
QByteArray ModelloConFondo(int altezzaFondo, const QStringList& righe) {
    const QString json = QStringLiteral(R"({"nome": "Prova", "pagine": [
        {"nome": "Data", "dati": true},
        {"nome": "Foglio", "carta": "A5", "margini": [10, 10, 10, 10], "bande": [
            {"nome": "Dati", "divisibile": true, "altezza": 0, "oggetti": [
                {"memo": "txtRighe", "x": 0, "y": 0, "larghezza": 120, "altezza": %1,
                 "testo": "%2"}]},
            {"nome": "Piede", "tipo": "piede", "altezza": 8, "oggetti": [
                {"memo": "txtPiede", "x": 0, "y": 0, "larghezza": 120, "altezza": 8,
                 "testo": "Fine"}]},
            {"nome": "Fondo", "tipo": "fondo", "altezza": %3, "oggetti": [
                {"memo": "txtFondo", "x": 0, "y": 0, "larghezza": 120, "altezza": 6,
                 "testo": "[PAGE]/[PAGES] del [DATE]", "espressioni": true}]}]}]})")
                             .arg(righe.size() * 5)
                             .arg(righe.join(QStringLiteral("\\n")))
                             .arg(altezzaFondo);
    return json.toUtf8();
}

} // namespace

void tst_Report::fondoPaginaSuOgniFoglio() {
    QStringList righe;
    for (int i = 1; i <= 100; ++i)
        righe << QStringLiteral("Riga %1").arg(i);
    const ModelloRapporto modello = LeggiModello(ModelloConFondo(6, righe));
    const TPaginaRapporto& pagina = *modello.pagine.at(1);
    QList<PaginaStampa> fogli = ImpaginaPagina(pagina, QDate(2024, 3, 15));
    NumeraFogli(fogli);

    const QRectF area = pagina.areaStampabile();
    const qreal fondo = area.bottom() - 6 * UnitaPerMm;
    const int pagine = static_cast<int>(fogli.size());
    QVERIFY(pagine > 2);
    QStringList stampate;
    for (int i = 0; i < pagine; ++i) {
        const PaginaStampa& foglio = fogli.at(i);
        // Without "soloSenzaPiede" the page footer prints on the footer's sheet too.
        const ElementoStampa* numero =
            TestoCon(foglio, QStringLiteral("%1/%2 del 15/03/2024").arg(i + 1).arg(pagine));
        QVERIFY(numero);
        QVERIFY(numero->riquadro.top() >= fondo - 1e-6);
        for (const ElementoStampa& e : foglio.elementi) {
            if (!e.testo.startsWith(QLatin1String("Riga ")) && e.testo != QLatin1String("Fine"))
                continue;
            QVERIFY2(e.riquadro.bottom() <= fondo + 1e-6, qPrintable(e.testo));
            stampate << e.testo;
        }
    }
    QCOMPARE(stampate, righe + QStringList{QStringLiteral("Fine")});
}

void tst_Report::fondoPaginaDifettoso() {
    // Page footers that fill the sheet leave nowhere for the rest.
    const ModelloRapporto modello = LeggiModello(ModelloConFondo(190, {QStringLiteral("Riga")}));
    QVERIFY_THROWS_EXCEPTION(ErroreRapporto,
                             ImpaginaPagina(*modello.pagine.at(1), QDate(2024, 3, 15)));

    // Only a page footer may leave the footer's sheet.
    QByteArray json = ModelloConFondo(6, {QStringLiteral("Riga")});
    json.replace(R"("divisibile": true)", R"("divisibile": true, "soloSenzaPiede": true)");
    try {
        LeggiModello(json);
        QFAIL("the template was accepted");
    } catch (const ErroreRapporto& errore) {
        QVERIFY2(QString::fromUtf8(errore.what()).contains(QLatin1String("soloSenzaPiede")),
                 errore.what());
    }
}

// The print dialog is told how many pages there are; pages chosen past the last one print nothing
// and the user is told so, while a range that reaches past the end prints the pages it holds.
void tst_Report::pagineOltreLUltima_data() {
    QTest::addColumn<QString>("modello");
    QTest::addColumn<int>("da");
    QTest::addColumn<int>("a");
    QTest::addColumn<QString>("avviso"); // %1: the pages of the document; empty when it prints
    QTest::addColumn<int>("stampate");   // pages printed; -1: from `da` to the last

    const QString nulla = QStringLiteral("\r\n\r\nNon è stato stampato nulla.");
    QTest::newRow("list, pages 40 to 50")
        << ModelloElenco << 40 << 50
        << QStringLiteral("Attenzione: le pagine da 40 a 50 non esistono, il documento da stampare "
                          "ha %1 pagine.") +
               nulla
        << 0;
    QTest::newRow("list, page 9 only")
        << ModelloElenco << 9 << 9
        << QStringLiteral("Attenzione: la pagina 9 non esiste, il documento da stampare ha %1 "
                          "pagine.") +
               nulla
        << 0;
    QTest::newRow("card, pages 2 to 3")
        << ModelloScheda << 2 << 3
        << QStringLiteral("Attenzione: le pagine da 2 a 3 non esistono, il documento da stampare "
                          "ha una sola pagina.") +
               nulla
        << 0;
    QTest::newRow("list, pages 2 to 9: up to the last")
        << ModelloElenco << 2 << 9 << QString() << -1;
    QTest::newRow("card, page 1") << ModelloScheda << 1 << 1 << QString() << 1;
}

void tst_Report::pagineOltreLUltima() {
    QFETCH(QString, modello);
    QFETCH(int, da);
    QFETCH(int, a);
    QFETCH(QString, avviso);
    QFETCH(int, stampate);

    QTemporaryDir vuota;
    QWidget finestra;
    ComponenteRapporto componente(&finestra, modello);
    if (modello == ModelloElenco)
        CompilaElenco(componente, QStringLiteral("Riepilogo credenziali in archivio"),
                      RigheElenco(120));
    else
        CompilaScheda(componente);
    componente.PrepareReport();
    const int pagine = static_cast<int>(componente.PaginePreparate().size());
    if (stampate < 0)
        stampate = pagine - da + 1;
    QVERIFY(stampate > 0 || da > pagine);

    const QString percorso = vuota.filePath(QStringLiteral("intervallo.pdf"));
    componente.stampante().setOutputFormat(QPrinter::PdfFormat);
    componente.stampante().setOutputFileName(percorso);
    piattaforma.attendiPagine(da, a);
    if (!avviso.isEmpty())
        piattaforma.attendi(TipoMessaggio::Avviso, Pulsanti::OkAnnulla, avviso.arg(pagine));

    QCOMPARE(componente.Print(), stampate > 0);
    QCOMPARE(piattaforma.pagineOfferte, QList<int>{pagine});
    if (stampate > 0) {
        QCOMPARE(LeggiPdf(percorso).pagine, stampate);
    } else {
        // Nothing at all is written: no file, no temporary file beside it.
        QCOMPARE(QDir(vuota.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(piattaforma.mostrati.size(), 1);
        QCOMPARE(piattaforma.mostrati.first().proprietario, &finestra);
    }
}

// Grey scale chosen in the print dialog prints grey: the card's blue heading blocks and the list's
// slate-grey bars as well as the texts.
void tst_Report::scalaDiGrigi_data() {
    QTest::addColumn<QString>("modello");
    QTest::addColumn<bool>("grigi");

    QTest::newRow("card in grey") << ModelloScheda << true;
    QTest::newRow("list in grey") << ModelloElenco << true;
    QTest::newRow("card in colour") << ModelloScheda << false;
    QTest::newRow("list in colour") << ModelloElenco << false;
}

void tst_Report::scalaDiGrigi() {
    QFETCH(QString, modello);
    QFETCH(bool, grigi);

    TRapporto rapporto(modello, Il(QDate(2024, 3, 15)));
    if (modello == ModelloElenco)
        CompilaElenco(rapporto, QStringLiteral("Elenco"), RigheElenco(3));
    else
        CompilaScheda(rapporto);
    const QString nome = QStringLiteral("%1-%2").arg(modello, grigi ? "grigi" : "colori");
    const QString pdf = cartella.filePath(nome + QStringLiteral(".pdf"));
    rapporto.stampante().setOutputFileName(pdf);
    QVERIFY(rapporto.Print([grigi](QPrinter& carta) {
        carta.setColorMode(grigi ? QPrinter::GrayScale : QPrinter::Color);
        return true;
    }));

    const QString immagine = cartella.filePath(nome);
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"),
                    QStringLiteral("-singlefile"), pdf, immagine});
    QVERIFY(pdftoppm.waitForFinished(30000) && pdftoppm.exitCode() == 0);
    const QImage foglio(immagine + QStringLiteral(".png"));
    QVERIFY(!foglio.isNull());
    int colorati = 0;
    for (int y = 0; y < foglio.height(); ++y)
        for (int x = 0; x < foglio.width(); ++x) {
            const QColor punto = foglio.pixelColor(x, y);
            const int scarto = std::max({std::abs(punto.red() - punto.green()),
                                         std::abs(punto.green() - punto.blue()),
                                         std::abs(punto.red() - punto.blue())});
            if (scarto > 3)
                ++colorati;
        }
    if (grigi)
        QCOMPARE(colorati, 0);
    else
        QVERIFY(colorati > 100);
}

BLINDORO_TEST_MAIN(tst_Report)
#include "tst_report.moc"
