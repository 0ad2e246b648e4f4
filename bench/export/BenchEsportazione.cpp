// Measures the export of 10,000 and 100,000 grid rows to a file, against writing the same number
// of bytes to a file in pieces of one row, timed in the same run. The rows come from a pool of
// typical records, as the grid hands out the texts it holds. The files go into a temporary folder
// (the first argument, or the system's) and are removed at the end.

#include "Banco.h"
#include "core/export/Esportazione.h"

#include <QFile>
#include <QList>
#include <QRandomGenerator>

#include <cstdio>
#include <vector>

namespace {

// The 14 columns' usual lengths, in the order of the file.
constexpr int Lunghezze[NumeroColonneEsportate][2] = {
    {5, 60},  {15, 90}, {0, 40}, {0, 120}, {4, 30},  {8, 24},  {10, 10},
    {10, 10}, {0, 80},  {0, 30}, {5, 40},  {16, 16}, {10, 40}, {0, 15}};

class RigheTipiche : public RigheDaEsportare {
public:
    explicit RigheTipiche(qsizetype righe)
        : righe(righe) {
        QRandomGenerator caso(14);
        for (int i = 0; i < 1000; ++i) {
            CelleEsportate celle;
            for (int c = 0; c < NumeroColonneEsportate; ++c)
                celle[c] = TestoCasuale(caso, Lunghezze[c][0], Lunghezze[c][1]);
            scorta.append(celle);
        }
    }
    qsizetype NumeroRighe() const override { return righe; }
    CelleEsportate Celle(qsizetype riga) const override { return scorta[riga % scorta.size()]; }

private:
    qsizetype righe;
    QList<CelleEsportate> scorta;
};

double Esporta(const QString& percorso, const RigheDaEsportare& righe, qint64& byte) {
    QFile file(percorso);
    const auto inizio = Orologio::now();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return -1;
    EsportaInFoglio(righe, file);
    file.close();
    const double ms = Millisecondi(Orologio::now() - inizio);
    byte = QFile(percorso).size();
    return ms;
}

double ScritturaSemplice(const QString& percorso, qint64 byte, qsizetype righe) {
    const QByteArray pezzo(byte / qMax<qsizetype>(righe, 1), 'x');
    QFile file(percorso);
    const auto inizio = Orologio::now();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return -1;
    for (qint64 scritti = 0; scritti < byte; scritti += pezzo.size())
        file.write(pezzo);
    file.close();
    return Millisecondi(Orologio::now() - inizio);
}

void Misura(const QString& cartella, qsizetype numero, int giri) {
    const RigheTipiche righe(numero);
    const QString percorso = cartella + QStringLiteral("/Blindoro.xls");
    qint64 byte = 0;
    Esporta(percorso, righe, byte); // warm-up
    std::vector<double> esportazione, semplice;
    for (int giro = 0; giro < giri; ++giro) {
        esportazione.push_back(Esporta(percorso, righe, byte));
        semplice.push_back(ScritturaSemplice(percorso, byte, numero));
    }
    const double base = Mediana(semplice);
    const double nostra = Mediana(esportazione);
    std::printf("%lld righe (%.1f MB), mediana di %d giri:\n", static_cast<long long>(numero),
                byte / 1e6, giri);
    std::printf("  write() dello stesso numero di byte    %8.1f ms\n", base);
    std::printf("  esportazione                           %8.1f ms  %6.2f x  %6.2f us/riga\n",
                nostra, nostra / base, nostra * 1000.0 / numero);
    QFile::remove(percorso);
}

} // namespace

int main(int argc, char* argv[]) {
    const auto cartella = CartellaDelBanco(argc, argv);
    Misura(cartella->path(), 10000, 9);
    Misura(cartella->path(), 100000, 5);
    return 0;
}
