// Measures the scans of the search window and the expired summary against a plain sequential
// read() of the same archive in 13318-byte pieces, timed in the same run:
//  - a search whose title filter matches nothing (target: within 1.5 times the plain read), and
//    one on the notes, the longest field;
//  - a search with no filter, so every record is listed and the lines are sorted;
//  - the summary of an archive whose every password has expired (every line built and sorted);
//  - the load of a double-clicked line (every record's line built and compared).
// At 10,000 and at 100,000 records, to show that the cost grows with the archive and no faster.
// The archives go into a temporary folder (the first argument, or the system's) and are removed
// at the end; the 100,000-record archive takes 1.3 GB while the program runs.

#include "Banco.h"
#include "core/storage/FileArchivio.h"
#include "core/storage/Scheda.h"
#include "core/summary/Ricerca.h"
#include "core/summary/RigaRiepilogo.h"
#include "core/summary/Scansioni.h"

#include <QDate>
#include <QFile>

#include <cstdio>
#include <vector>

namespace {

QString RigaDiMezzo(const QString& percorso) {
    FileArchivio archivio = ApriFileArchivio(percorso);
    archivio.Posiziona(archivio.NumeroSchede() / 2);
    TScheda scheda;
    archivio.Leggi(scheda);
    return RigaRiepilogo(scheda);
}

void Misura(const QString& cartella, qint64 schede, int giri) {
    const QString percorso = cartella + QStringLiteral("/riepilogo.psw");
    // Every password expired in 2020.
    const auto scadutaNel2020 = [](TScheda& scheda, qint64, QRandomGenerator& caso) {
        CodificaCampo(scheda, Campo::Scadenza,
                      QDate(2020, 1, 1).addDays(caso.bounded(365)).toString(u"dd/MM/yyyy"));
    };
    if (!CreaArchivioTipico(percorso, schede, scadutaNel2020)) {
        std::printf("impossibile creare %s\n", qPrintable(percorso));
        return;
    }
    FiltriRicerca nessuna;
    nessuna.Imposta(Campo::Titolo, QStringLiteral("#nessuna#"));
    FiltriRicerca nessunaNelleNote;
    nessunaNelleNote.Imposta(Campo::Note, QStringLiteral("#nessuna#"));
    const FiltriRicerca tutte;
    const QDate oggi(2024, 3, 15);
    const QString scelta = RigaDiMezzo(percorso);

    qint64 controllo = LetturaSemplice(percorso); // warm-up: the file is in the page cache
    qint64 trovate = 0, scadute = 0, caricate = 0;
    std::vector<double> semplice, vuota, vuotaNote, tutteOrdinate, riepilogo, caricamento;
    for (int giro = 0; giro < giri; ++giro) {
        semplice.push_back(Tempo([&] { return LetturaSemplice(percorso); }, controllo));
        vuota.push_back(Tempo([&] { return CercaSchede(percorso, nessuna).size(); }, trovate));
        vuotaNote.push_back(
            Tempo([&] { return CercaSchede(percorso, nessunaNelleNote).size(); }, trovate));
        tutteOrdinate.push_back(
            Tempo([&] { return CercaSchede(percorso, tutte).size(); }, trovate));
        riepilogo.push_back(Tempo(
            [&] {
                QStringList righe;
                ElencaScadute(percorso, oggi, righe);
                return righe.size();
            },
            scadute));
        caricamento.push_back(Tempo(
            [&] {
                qint64 mostrate = 0;
                CaricaSchedeDellaRiga(percorso, scelta,
                                      [&](const TScheda&, qint64) { ++mostrate; });
                return mostrate;
            },
            caricate));
    }
    const double base = Mediana(semplice);
    std::printf("%lld schede (%.0f MB), mediana di %d giri:\n", static_cast<long long>(schede),
                schede * DimensioneScheda / 1e6, giri);
    const auto riga = [&](const char* nome, double ms) {
        std::printf("  %-44s %9.1f ms  %6.2f x  %6.2f us/scheda\n", nome, ms, ms / base,
                    ms * 1000.0 / schede);
    };
    riga("read() a pezzi di 13318 byte", base);
    riga("ricerca senza risultati (obiettivo < 1.5 x)", Mediana(vuota));
    riga("ricerca nelle note senza risultati", Mediana(vuotaNote));
    riga("ricerca di tutte, ordinate", Mediana(tutteOrdinate));
    riga("riepilogo di tutte scadute, ordinate", Mediana(riepilogo));
    riga("caricamento della riga scelta", Mediana(caricamento));
    std::printf("  [trovate %lld, scadute %lld, caricate %lld, controllo %lld]\n",
                static_cast<long long>(trovate / giri), static_cast<long long>(scadute / giri),
                static_cast<long long>(caricate / giri), static_cast<long long>(controllo % 1000));
    QFile::remove(percorso);
}

} // namespace

int main(int argc, char* argv[]) {
    const auto cartella = CartellaDelBanco(argc, argv);
    Misura(cartella->path(), 10000, 9);
    Misura(cartella->path(), 100000, 5);
    return 0;
}
