// Measures the two costs of archive access that the user feels:
//  - a search reads every record in sequence and decodes the ten fields it tests; compared with a
//    plain read() of the same file in record-sized pieces, in the same run;
//  - a navigation opens the archive, seeks, reads one record and closes it; at 10 and at 100,000
//    records it should cost the same.
// The archives are written into a temporary folder (the first argument, or the system's) and
// removed at the end; the 100,000-record archive takes 1.3 GB while the program runs.

#include "core/storage/FileArchivio.h"
#include "core/storage/Scheda.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

using Orologio = std::chrono::steady_clock;

double Millisecondi(Orologio::duration durata) {
    return std::chrono::duration<double, std::milli>(durata).count();
}

double Mediana(std::vector<double> valori) {
    std::sort(valori.begin(), valori.end());
    return valori[valori.size() / 2];
}

double Percentile99(std::vector<double> valori) {
    std::sort(valori.begin(), valori.end());
    return valori[valori.size() * 99 / 100];
}

QString TestoCasuale(QRandomGenerator& caso, int minimo, int massimo) {
    static const QString lettere =
        QStringLiteral("abcdefghijklmnopqrstuvwxyz ABCDEFGHIJ0123456789èàù.@");
    const int lunghezza = minimo + static_cast<int>(caso.bounded(massimo - minimo + 1));
    QString testo(lunghezza, Qt::Uninitialized);
    for (QChar& c : testo)
        c = lettere.at(caso.bounded(lettere.size()));
    return testo;
}

// Records as the record window writes them: one buffer reused for every record, so the bytes after
// each terminator hold the tail of a longer earlier value.
struct LunghezzeTipiche {
    Campo campo;
    int minimo;
    int massimo;
};
constexpr LunghezzeTipiche Tipiche[] = {
    {Campo::Titolo, 5, 60},       {Campo::URL, 15, 90},        {Campo::Proprietario, 0, 40},
    {Campo::Descrizione, 0, 120}, {Campo::Utente, 4, 30},      {Campo::Creazione, 10, 10},
    {Campo::Password, 8, 24},     {Campo::Scadenza, 10, 10},   {Campo::Domanda, 0, 80},
    {Campo::Risposta, 0, 30},     {Campo::Utilizzate, 0, 200}, {Campo::Note, 0, 1000},
    {Campo::Intestatario, 5, 40}, {Campo::CodFisc, 16, 16},    {Campo::Email, 10, 40},
    {Campo::Tel, 0, 15},          {Campo::File01, 0, 40},      {Campo::Desc01, 0, 60},
};

bool CreaArchivio(const QString& percorso, qint64 schede) {
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QRandomGenerator caso(13318);
    TScheda scheda{};
    for (qint64 i = 0; i < schede; ++i) {
        for (const LunghezzeTipiche& t : Tipiche)
            CodificaCampo(scheda, t.campo, TestoCasuale(caso, t.minimo, t.massimo));
        if (file.write(reinterpret_cast<const char*>(&scheda), sizeof scheda) != sizeof scheda)
            return false;
    }
    return file.flush();
}

// The ten fields that the search window tests.
constexpr Campo CampiDellaRicerca[] = {
    Campo::Titolo,   Campo::URL,     Campo::Proprietario, Campo::Descrizione,  Campo::Utente,
    Campo::Password, Campo::Domanda, Campo::Note,         Campo::Intestatario, Campo::CodFisc};

qint64 LetturaSemplice(const QString& percorso) {
    const int descrittore = ::open(QFile::encodeName(percorso).constData(), O_RDONLY);
    std::vector<char> pezzo(DimensioneScheda);
    qint64 somma = 0;
    ssize_t letti;
    while ((letti = ::read(descrittore, pezzo.data(), pezzo.size())) > 0)
        somma += letti + pezzo[0];
    ::close(descrittore);
    return somma;
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

template <class Lavoro> double Tempo(Lavoro lavoro, qint64& risultato) {
    const auto inizio = Orologio::now();
    risultato += lavoro();
    return Millisecondi(Orologio::now() - inizio);
}

void MisuraLetturaInSequenza(const QString& cartella) {
    const qint64 schede = 10000;
    const QString percorso = cartella + QStringLiteral("/ricerca.psw");
    if (!CreaArchivio(percorso, schede)) {
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
    if (!CreaArchivio(percorso, schede)) {
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
    QTemporaryDir cartella(
        argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/bench-XXXXXX") : QString());
    if (!cartella.isValid()) {
        std::printf("impossibile creare la cartella temporanea\n");
        return 1;
    }
    MisuraLetturaInSequenza(cartella.path());
    std::printf("Navigazione (apri, posiziona, leggi una scheda, chiudi), 20000 volte:\n");
    MisuraNavigazione(cartella.path(), 10);
    MisuraNavigazione(cartella.path(), 100000);
    return 0;
}
