// Measures the two costs of archive access that the user feels:
//  - a search reads every record in sequence and decodes the ten fields it tests; compared with a
//    plain read() of the same file in record-sized pieces, in the same run;
//  - a navigation opens the archive, seeks, reads one record and closes it; at 10 and at 100,000
//    records it should cost the same.
// The archives are written into a temporary folder (the first argument, or the system's) and
// removed at the end; the 100,000-record archive takes 1.3 GB while the program runs.

#include "Banco.h"
#include "core/storage/FileArchivio.h"
#include "core/storage/Scheda.h"
#include "core/summary/Ricerca.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Percentile99(std::vector<double> valori) {
    std::sort(valori.begin(), valori.end());
    return valori[valori.size() * 99 / 100];
}

qint64 LetturaSenzaDecodifica(const QString& percorso) {
    qint64 somma = 0;
    FileArchivio archivio = ApriFileArchivio(percorso);
    archivio.PerOgniScheda([&](const TScheda& scheda) { somma += scheda.Titolo[0]; });
    archivio.Chiudi();
    return somma;
}

qint64 LetturaConDecodifica(const QString& percorso) {
    qint64 somma = 0;
    FileArchivio archivio = ApriFileArchivio(percorso);
    archivio.PerOgniScheda([&](const TScheda& scheda) {
        for (Campo campo : CampiDellaRicerca)
            somma += DecodificaCampo(scheda, campo).size();
    });
    archivio.Chiudi();
    return somma;
}

void MisuraLetturaInSequenza(const QString& cartella) {
    const qint64 schede = 10000;
    const QString percorso = cartella + QStringLiteral("/ricerca.psw");
    if (!CreaArchivioTipico(percorso, schede)) {
        std::printf("impossibile creare %s\n", qPrintable(percorso));
        return;
    }
    qint64 risultato = LetturaSemplice(percorso) + LetturaConDecodifica(percorso); // warm-up
    std::vector<double> semplice, senzaDecodifica, decodifica;
    for (int giro = 0; giro < 9; ++giro) {
        semplice.push_back(Tempo([&] { return LetturaSemplice(percorso); }, risultato));
        senzaDecodifica.push_back(
            Tempo([&] { return LetturaSenzaDecodifica(percorso); }, risultato));
        decodifica.push_back(Tempo([&] { return LetturaConDecodifica(percorso); }, risultato));
    }
    const double base = Mediana(semplice);
    const double nostra = Mediana(decodifica);
    std::printf("Lettura in sequenza di %lld schede (%.0f MB), mediana di 9 giri:\n",
                static_cast<long long>(schede), schede * DimensioneScheda / 1e6);
    std::printf("  read() a pezzi di 13318 byte            %8.2f ms\n", base);
    std::printf("  FileArchivio, schede lette e basta      %8.2f ms\n", Mediana(senzaDecodifica));
    std::printf("  FileArchivio + decodifica di 10 campi   %8.2f ms\n", nostra);
    std::printf("  rapporto                                %8.2f   (obiettivo < 1.5)\n",
                nostra / base);
    std::printf("  [controllo %lld]\n", static_cast<long long>(risultato % 1000));
    QFile::remove(percorso);
}

void MisuraNavigazione(const QString& cartella, qint64 schede) {
    const QString percorso = cartella + QStringLiteral("/navigazione.psw");
    if (!CreaArchivioTipico(percorso, schede)) {
        std::printf("impossibile creare %s\n", qPrintable(percorso));
        return;
    }
    QRandomGenerator caso(7);
    TScheda scheda;
    qint64 controllo = 0;
    std::vector<double> tempi;
    for (int giro = 0; giro < 20000; ++giro) {
        const qint64 indice = caso.bounded(schede);
        const auto inizio = Orologio::now();
        FileArchivio archivio = ApriFileArchivio(percorso);
        archivio.Posiziona(indice);
        archivio.Leggi(scheda);
        archivio.Chiudi();
        tempi.push_back(Millisecondi(Orologio::now() - inizio) * 1000.0);
        controllo += scheda.Titolo[0];
    }
    std::printf("  %7lld schede: mediana %6.1f us, 99%% entro %6.1f us   [controllo %lld]\n",
                static_cast<long long>(schede), Mediana(tempi), Percentile99(tempi),
                static_cast<long long>(controllo % 1000));
    QFile::remove(percorso);
}

} // namespace

int main(int argc, char* argv[]) {
    const auto cartella = CartellaDelBanco(argc, argv);
    MisuraLetturaInSequenza(cartella->path());
    std::printf("Navigazione (apri, posiziona, leggi una scheda, chiudi), 20000 volte:\n");
    MisuraNavigazione(cartella->path(), 10);
    MisuraNavigazione(cartella->path(), 100000);
    return 0;
}
