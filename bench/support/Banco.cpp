#include "Banco.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

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

} // namespace

double Millisecondi(Orologio::duration durata) {
    return std::chrono::duration<double, std::milli>(durata).count();
}

double Mediana(std::vector<double> valori) {
    std::sort(valori.begin(), valori.end());
    return valori[valori.size() / 2];
}

long PiccoMemoriaKiB() {
    rusage uso{};
    ::getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss;
}

QString TestoCasuale(QRandomGenerator& caso, int minimo, int massimo) {
    static const QString lettere =
        QStringLiteral("abcdefghijklmnopqrstuvwxyz ABCDEFGHIJ0123456789èàù.@&<");
    const int lunghezza = minimo + static_cast<int>(caso.bounded(massimo - minimo + 1));
    QString testo(lunghezza, Qt::Uninitialized);
    for (QChar& c : testo)
        c = lettere.at(caso.bounded(lettere.size()));
    return testo;
}

bool CreaArchivioTipico(const QString& percorso, qint64 schede, const RitoccoScheda& ritocca) {
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QRandomGenerator caso(13318);
    TScheda scheda{};
    for (qint64 i = 0; i < schede; ++i) {
        for (const LunghezzeTipiche& t : Tipiche)
            CodificaCampo(scheda, t.campo, TestoCasuale(caso, t.minimo, t.massimo));
        if (ritocca)
            ritocca(scheda, i, caso);
        if (file.write(reinterpret_cast<const char*>(&scheda), sizeof scheda) != sizeof scheda)
            return false;
    }
    return file.flush();
}

std::unique_ptr<QTemporaryDir> CartellaDelBanco(int argc, char** argv) {
    auto cartella = std::make_unique<QTemporaryDir>(
        argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/bench-XXXXXX") : QString());
    if (!cartella->isValid()) {
        std::fprintf(stderr, "impossibile creare la cartella temporanea\n");
        std::exit(1);
    }
    return cartella;
}

qint64 LetturaSemplice(const QString& percorso) {
    const int descrittore = ::open(QFile::encodeName(percorso).constData(), O_RDONLY);
    std::vector<char> pezzo(sizeof(TScheda));
    qint64 somma = 0;
    ssize_t letti;
    while ((letti = ::read(descrittore, pezzo.data(), pezzo.size())) > 0)
        somma += letti + pezzo[0];
    ::close(descrittore);
    return somma;
}
