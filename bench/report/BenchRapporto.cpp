// Measures the print of a 10,000-record search: the list report prepared by the engine and
// printed to a PDF file (as the print dialog's "Print to File (PDF)" does), against the same
// 10,000 lines drawn straight onto a QPdfWriter with QPainter in the same run, no engine. Prints
// the median of five runs of each and the peak resident memory of the engine's runs.

#include "Banco.h"
#include "report/Rapporto.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {

constexpr int Righe = 10000;
constexpr int Prove = 5;

QString Pezzo(const QString& testo, int larghezza) {
    return (testo + QString(larghezza, QLatin1Char(' '))).left(larghezza);
}

QStringList RigheRicerca(int quante) {
    QStringList righe;
    for (int i = 1; i <= quante; ++i)
        righe << Pezzo(QStringLiteral("Sito web numero %1 - accesso clienti").arg(i), 42) +
                     QStringLiteral("  ID: ") + Pezzo(QStringLiteral("utente.%1").arg(i), 28) +
                     QStringLiteral("  Nome: ") + Pezzo(QStringLiteral("Mario Rossi"), 28) +
                     QStringLiteral("  Tel. ") + Pezzo(QStringLiteral("+39 06 1234567"), 16) +
                     QStringLiteral("  Scad. 01/02/2025");
    return righe;
}

// What the search window does, then the print to a PDF file.
void StampaConMotore(const QStringList& righe, const QString& percorso, double& prepara,
                     double& stampa, int& fogli) {
    TRapporto rapporto(QStringLiteral("Riepilogo dati"), [] { return QDate(2024, 3, 15); });
    rapporto.FindObject<TMemo>(QStringLiteral("txtTitolo"))
        ->setText(QStringLiteral("Riepilogo credenziali in archivio"));
    TMemo* memo = rapporto.FindObject<TMemo>(QStringLiteral("txtRiepilogo"));
    const auto inizio = Orologio::now();
    memo->Lines().clear();
    for (const QString& riga : righe)
        memo->Lines().append(riga);
    memo->setHeight(memo->Lines().count() * memo->passoRiga());
    rapporto.FindObject<TBanda>(QStringLiteral("MasterData"))->setHeight(memo->Height() + 10);
    rapporto.PrepareReport(true);
    const auto preparato = Orologio::now();
    rapporto.stampante().setOutputFileName(percorso);
    rapporto.Print([](QPrinter&) { return true; });
    const auto fine = Orologio::now();
    prepara = Millisecondi(preparato - inizio);
    stampa = Millisecondi(fine - preparato);
    fogli = static_cast<int>(rapporto.PaginePreparate().size());
}

// The same lines, same font and sheet, drawn one below the other with nothing else.
void StampaDiretta(const QStringList& righe, const QString& percorso) {
    QPdfWriter pdf(percorso);
    pdf.setResolution(1200);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    QPainter pittore(&pdf);
    QFont carattere(QStringLiteral("Liberation Mono"));
    carattere.setPointSizeF(8);
    pittore.setFont(carattere);
    const qreal passo = 8.0 / 72.0 * 1200 * 1.2;
    const qreal ascesa = QFontMetricsF(carattere, &pdf).ascent();
    const qreal altezza = pdf.height();
    qreal y = 0;
    for (const QString& riga : righe) {
        if (y + passo > altezza) {
            pdf.newPage();
            y = 0;
        }
        pittore.drawText(QPointF(0, y + ascesa), riga);
        y += passo;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication applicazione(argc, argv);
    QTemporaryDir temporanea(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/bench")
                                      : QString());
    if (!temporanea.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    const QString pdfMotore = temporanea.filePath(QStringLiteral("motore.pdf"));
    const QString pdfDiretto = temporanea.filePath(QStringLiteral("diretto.pdf"));

    // Fonts and code paths warmed up on a short list first.
    double prepara = 0, stampa = 0;
    int fogli = 0;
    StampaConMotore(RigheRicerca(100), pdfMotore, prepara, stampa, fogli);
    StampaDiretta(RigheRicerca(100), pdfDiretto);

    const QStringList righe = RigheRicerca(Righe);
    const long memoriaPrima = (PiccoMemoriaKiB() / 1024);
    std::vector<double> preparazioni, stampe, totali, dirette;
    for (int i = 0; i < Prove; ++i) {
        StampaConMotore(righe, pdfMotore, prepara, stampa, fogli);
        preparazioni.push_back(prepara);
        stampe.push_back(stampa);
        totali.push_back(prepara + stampa);
    }
    const long memoria = (PiccoMemoriaKiB() / 1024);
    for (int i = 0; i < Prove; ++i) {
        const auto inizio = Orologio::now();
        StampaDiretta(righe, pdfDiretto);
        dirette.push_back(Millisecondi(Orologio::now() - inizio));
    }

    std::printf("List of %d lines, %d sheets, medians of %d runs:\n", Righe, fogli, Prove);
    std::printf("  engine: prepare %.0f ms + print to PDF %.0f ms = %.0f ms (target: under 1500)\n",
                Mediana(preparazioni), Mediana(stampe), Mediana(totali));
    std::printf("  plain QPainter on QPdfWriter, same lines: %.0f ms (ratio %.2f)\n",
                Mediana(dirette), Mediana(totali) / Mediana(dirette));
    std::printf("  peak resident memory: %ld MB (%ld MB before the 10,000-line runs; target: "
                "under 300)\n",
                memoria, memoriaPrima);
    std::printf("  PDF sizes: engine %lld KB, plain %lld KB\n", QFileInfo(pdfMotore).size() / 1024,
                QFileInfo(pdfDiretto).size() / 1024);
    return 0;
}
