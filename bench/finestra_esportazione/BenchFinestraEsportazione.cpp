// The export window on a 10,000-record and a 100,000-record archive, each figure against a baseline
// timed in the same run:
//  - filling the grid: from show() to the grid's first paint, against a plain read() of the same
//    archive in record-sized pieces;
//  - scrolling: one scroll step and the repaint of the grid at rows spread over the whole archive,
//    against a repaint of the grid where it stands;
//  - the export, with the answer Yes to the first question and No to the second: against writing
//    the same number of bytes to a new file, with and without fsync (the replacement syncs);
//  - the heap memory the window with its filled grid holds.
// The archives go into a temporary program folder (the first argument, or the system's) and are
// removed at the end; the 100,000-record archive takes 1.3 GB while it runs. Without a display
// setting it runs on Qt's offscreen platform.

#include "Banco.h"
#include "FinoAlDisegno.h"
#include "app/Applicazione.h"
#include "core/storage/FileArchivio.h"
#include "core/storage/Scheda.h"
#include "editor/Blindoro.h"
#include "gui/PiattaformaQt.h"
#include "output/ExpPassword.h"
#include "output/GrigliaSchede.h"

#include <QFile>
#include <QRandomGenerator>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <malloc.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

double Massimo(const std::vector<double>& valori) {
    return *std::max_element(valori.begin(), valori.end());
}

// The real platform, with the program folder of the benchmark and the two questions of the export
// answered Yes, then No; a failure message is counted.
class PiattaformaBanco : public PiattaformaQt {
public:
    explicit PiattaformaBanco(QString cartella)
        : cartella_(std::move(cartella)) {}
    QString cartellaProgramma() const override { return cartella_; }
    Risposta messaggio(QWidget*, TipoMessaggio tipo, Pulsanti, const QString&) override {
        if (tipo != TipoMessaggio::Conferma) {
            ++fallimenti;
            return Risposta::Ok;
        }
        return domande++ % 2 == 0 ? Risposta::Si : Risposta::No;
    }
    void apriConSistema(const QString&, const QUrl&) override {}

    int domande = 0;
    int fallimenti = 0;

private:
    QString cartella_;
};

double ScritturaSemplice(const QString& percorso, qint64 byte, bool sincronizza) {
    const std::vector<char> pezzo(64 * 1024, 'x');
    const auto inizio = Orologio::now();
    const int descrittore =
        ::open(QFile::encodeName(percorso).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    for (qint64 scritti = 0; scritti < byte; scritti += qint64(pezzo.size()))
        if (::write(descrittore, pezzo.data(), pezzo.size()) < 0)
            break;
    if (sincronizza)
        ::fsync(descrittore);
    ::close(descrittore);
    const double ms = Millisecondi(Orologio::now() - inizio);
    QFile::remove(percorso);
    return ms;
}

// Heap memory in use, in MB: unlike the resident size it goes down when memory is freed, so the
// difference around one window is that window's.
double MemoriaInUso() {
    const struct mallinfo2 stato = mallinfo2();
    return double(stato.uordblks + stato.hblkhd) / 1e6;
}

TGrigliaSchede* Griglia(QWidget* finestra) {
    return finestra->findChild<TGrigliaSchede*>(QStringLiteral("grdRecords"));
}

// From show() to the first paint of the grid, the filling included.
double MostraERiempi(TfrmExpPassword& finestra) {
    return FinoAlDisegno(
        [&] {
            finestra.show();
            return Griglia(&finestra)->viewport();
        },
        60000);
}

// One scroll to each of `passi` rows spread over the grid, each with its repaint; or, with
// `scorri` false, the same number of repaints where the grid stands.
std::vector<double> Scorrimenti(TGrigliaSchede* griglia, int passi, bool scorri) {
    QScrollBar* barra = griglia->verticalScrollBar();
    std::vector<double> tempi;
    QRandomGenerator caso(21);
    for (int passo = 0; passo < passi; ++passo) {
        const int valore =
            barra->minimum() + int(caso.bounded(barra->maximum() - barra->minimum() + 1));
        const auto inizio = Orologio::now();
        if (scorri)
            barra->setValue(valore);
        griglia->viewport()->repaint();
        tempi.push_back(Millisecondi(Orologio::now() - inizio));
    }
    return tempi;
}

void Misura(const QString& cartella, TfrmBlindoro& scheda, PiattaformaBanco& piattaforma,
            qint64 numero, int giri) {
    const QString archivio = cartella + QStringLiteral("Grande.psw");
    const QString foglio = cartella + QStringLiteral("Blindoro.xls");
    if (!CreaArchivioTipico(archivio, numero))
        qFatal("cannot create the archive");
    scheda.ApriArchivio(archivio, QStringLiteral("Grande"));
    LetturaSemplice(archivio); // the archive in the page cache, as after any earlier action

    std::vector<double> lettura, riempimento, esportazione, scrittura, scritturaSync;
    std::vector<double> scorrimento, ridisegno;
    double memoriaGriglia = 0;
    qint64 byte = 0;
    for (int giro = 0; giro <= giri; ++giro) { // the first round warms up
        qint64 controllo = 0;
        lettura.push_back(Tempo([&] { return LetturaSemplice(archivio); }, controllo));
        const double prima = MemoriaInUso();
        auto finestra = std::make_unique<TfrmExpPassword>(&scheda);
        riempimento.push_back(MostraERiempi(*finestra));
        memoriaGriglia = MemoriaInUso() - prima;
        if (Griglia(finestra.get())->model()->rowCount() != numero)
            qFatal("the grid does not hold the archive");

        const std::vector<double> passi = Scorrimenti(Griglia(finestra.get()), 40, true);
        scorrimento.insert(scorrimento.end(), passi.begin(), passi.end());
        const std::vector<double> fermi = Scorrimenti(Griglia(finestra.get()), 40, false);
        ridisegno.insert(ridisegno.end(), fermi.begin(), fermi.end());

        const auto inizio = Orologio::now();
        finestra->cmdEsportaClick();
        esportazione.push_back(Millisecondi(Orologio::now() - inizio));
        byte = QFile(foglio).size();
        scrittura.push_back(ScritturaSemplice(cartella + QStringLiteral("copia"), byte, false));
        scritturaSync.push_back(ScritturaSemplice(cartella + QStringLiteral("copia"), byte, true));
        finestra.reset();
        if (giro == 0) {
            for (auto* serie : {&lettura, &riempimento, &esportazione, &scrittura, &scritturaSync,
                                &scorrimento, &ridisegno})
                serie->clear();
        }
    }
    if (piattaforma.fallimenti != 0)
        qFatal("the export failed");

    const double base = Mediana(lettura);
    const double griglia = Mediana(riempimento);
    std::printf("%lld schede (archivio %.0f MB, foglio %.1f MB), mediana di %d giri:\n",
                static_cast<long long>(numero), double(numero) * sizeof(TScheda) / 1e6,
                double(byte) / 1e6, giri);
    std::printf("  read() dell'archivio                    %8.1f ms\n", base);
    std::printf("  griglia riempita e disegnata            %8.1f ms  %6.2f x  %6.2f us/scheda\n",
                griglia, griglia / base, griglia * 1000.0 / double(numero));
    std::printf("  memoria della griglia                   %8.1f MB            %6.0f byte/scheda\n",
                memoriaGriglia, memoriaGriglia * 1e6 / double(numero));
    std::printf("  ridisegno della griglia ferma           %8.2f ms  (massimo %.2f ms)\n",
                Mediana(ridisegno), Massimo(ridisegno));
    std::printf("  scorrimento a caso e ridisegno          %8.2f ms  (massimo %.2f ms)\n",
                Mediana(scorrimento), Massimo(scorrimento));
    const double esporta = Mediana(esportazione);
    std::printf("  write() degli stessi byte               %8.1f ms\n", Mediana(scrittura));
    std::printf("  write() e fsync degli stessi byte       %8.1f ms\n", Mediana(scritturaSync));
    std::printf("  esportazione (clic, file sostituito)    %8.1f ms  %6.2f x  %6.2f us/scheda\n",
                esporta, esporta / Mediana(scritturaSync), esporta * 1000.0 / double(numero));
    QFile::remove(archivio);
    QFile::remove(foglio);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplicazione applicazione(argc, argv);
    PreparaAmbiente(applicazione);
    const auto cartella = CartellaDelBanco(argc, argv);
    const QString programma = cartella->path() + QLatin1Char('/');
    PiattaformaBanco piattaforma(programma);
    Piattaforma::installa(&piattaforma);
    {
        TfrmBlindoro scheda;
        Misura(programma, scheda, piattaforma, 10000, 7);
        Misura(programma, scheda, piattaforma, 100000, 3);
    }
    Piattaforma::installa(nullptr);
    return 0;
}
