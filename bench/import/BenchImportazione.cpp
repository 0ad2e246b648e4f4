// Measures the import of a 10,000-row CSV file (the program's own 14 columns, every cell quoted,
// semicolons, UTF-8 with its byte-order mark): the file read, the preview made (parsing, format,
// findings, duplicates against the archive, the count of the rows to add) and the records
// appended to an empty archive with the all-or-nothing append, synced. The baseline, timed in the
// same run, is a plain read() of the same CSV file and a plain write() of as many bytes as the
// import writes, synced. The files go into a temporary folder (the first argument, or the system's)
// and are removed at the end.

#include "Banco.h"
#include "core/export/Esportazione.h"
#include "core/import/Importazione.h"
#include "core/storage/FileArchivio.h"

#include <QDate>
#include <QFile>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

// The 14 columns' usual lengths, in the order of the file; the dates are real dates.
constexpr int Lunghezze[NumeroColonneEsportate][2] = {
    {5, 60},  {15, 90}, {0, 40}, {0, 120}, {4, 30},  {8, 24},  {10, 10},
    {10, 10}, {0, 80},  {0, 30}, {5, 40},  {16, 16}, {10, 40}, {0, 15}};

QByteArray Cella(const QString& testo) {
    QByteArray cella = testo.toUtf8();
    cella.replace('"', "\"\"");
    return '"' + cella + '"';
}

QByteArray CsvTipico(int righe) {
    QRandomGenerator caso(27);
    QByteArray csv = "\xEF\xBB\xBF";
    for (int c = 0; c < NumeroColonneEsportate; ++c)
        csv += (c ? ";" : "") + Cella(QString::fromLatin1(ColonneEsportate[c].intestazione));
    csv += "\r\n";
    const QDate inizio(2020, 1, 1);
    for (int r = 0; r < righe; ++r) {
        for (int c = 0; c < NumeroColonneEsportate; ++c) {
            const Campo campo = ColonneEsportate[c].campo;
            const QString testo =
                campo == Campo::Creazione || campo == Campo::Scadenza
                    ? inizio.addDays(caso.bounded(3000)).toString(QStringLiteral("dd/MM/yyyy"))
                    : TestoCasuale(caso, Lunghezze[c][0], Lunghezze[c][1]);
            csv += (c ? ";" : "") + Cella(testo);
        }
        csv += "\r\n";
    }
    return csv;
}

// The whole import; `anteprima` receives the time of the preview alone (read and made).
double Importa(const QString& csv, const QString& archivio, qint64& aggiunte, double& anteprima) {
    QFile::remove(archivio);
    const auto inizio = Orologio::now();
    FileArchivio file = ApriFileArchivio(archivio);
    AnteprimaImportazione fatta(LeggiFileCsv(csv), LeggiSchedeEsistenti(file), QDate(2026, 6, 15));
    fatta.ImpostaIntestatario(QStringLiteral("Mario Rossi"));
    // The count the preview shows: the states of all rows worked out.
    const qsizetype daAggiungere = fatta.NumeroDaAggiungere();
    anteprima = Millisecondi(Orologio::now() - inizio);
    aggiunte = fatta.Importa(file).aggiunte;
    if (aggiunte != daAggiungere)
        aggiunte = -1;
    file.Chiudi();
    return Millisecondi(Orologio::now() - inizio);
}

double LetturaEScrittura(const QString& csv, const QString& destinazione, qint64 byte,
                         qint64& controllo) {
    QFile::remove(destinazione);
    const std::vector<char> pezzo(64 * 13318, 'x');
    const auto inizio = Orologio::now();
    controllo += LetturaSemplice(csv);
    const int descrittore =
        ::open(QFile::encodeName(destinazione).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    for (qint64 scritti = 0; scritti < byte;) {
        const ssize_t esito =
            ::write(descrittore, pezzo.data(), size_t(qMin<qint64>(pezzo.size(), byte - scritti)));
        if (esito <= 0)
            break;
        scritti += esito;
    }
    ::fsync(descrittore);
    ::close(descrittore);
    return Millisecondi(Orologio::now() - inizio);
}

} // namespace

int main(int argc, char* argv[]) {
    const auto cartella = CartellaDelBanco(argc, argv);
    const int righe = 10000, giri = 7;
    const QString csv = cartella->filePath(QStringLiteral("schede.csv"));
    const QString archivio = cartella->filePath(QStringLiteral("prova.psw"));
    {
        QFile file(csv);
        if (!file.open(QIODevice::WriteOnly) || file.write(CsvTipico(righe)) < 0)
            return 1;
    }
    qint64 aggiunte = 0, controllo = 0;
    double soloAnteprima = 0;
    Importa(csv, archivio, aggiunte, soloAnteprima); // warm-up
    if (aggiunte != righe) {
        std::fprintf(stderr, "only %lld rows imported\n", static_cast<long long>(aggiunte));
        return 1;
    }
    const qint64 byte = aggiunte * DimensioneScheda;
    std::vector<double> importazione, anteprime, semplice;
    for (int giro = 0; giro < giri; ++giro) {
        importazione.push_back(Importa(csv, archivio, aggiunte, soloAnteprima));
        anteprime.push_back(soloAnteprima);
        semplice.push_back(LetturaEScrittura(csv, archivio, byte, controllo));
    }
    const double base = Mediana(semplice), nostra = Mediana(importazione);
    std::printf("%d righe CSV (%.1f MB) in %.1f MB di archivio, mediana di %d giri:\n", righe,
                QFile(csv).size() / 1e6, byte / 1e6, giri);
    std::printf("  read() del CSV e write() + fsync dei byte dell'archivio  %8.1f ms\n", base);
    std::printf("  anteprima e importazione                                %8.1f ms  %5.2f x"
                "  %5.2f us/riga\n",
                nostra, nostra / base, nostra * 1000.0 / righe);
    std::printf("    di cui l'anteprima (lettura del file compresa)        %8.1f ms\n",
                Mediana(anteprime));
    std::printf("  picco di memoria %ld KiB (controllo %lld)\n", PiccoMemoriaKiB(),
                static_cast<long long>(controllo % 10));
    return 0;
}
