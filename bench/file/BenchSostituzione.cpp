// Measures what the safe whole-file replacement costs against a plain write of the same bytes, in
// the same run and the same folder:
//  - an attachment copy: a 64 MiB file streamed in 1 MiB blocks over an existing copy, against a
//    read/write/fsync copy over an existing file truncated in place (the unsafe copy it replaces);
//    the memory the process holds must not grow with the file;
//  - the access-password file: 48 bytes replaced, against the same 48 bytes written in place and
//    synced.
// The files go into a temporary folder (the first argument, or the system's) and are removed.

#include "Banco.h"
#include "core/files/SostituisciFile.h"

#include <QFile>
#include <QIODevice>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr qint64 Blocco = 1 << 20;

bool CreaOrigine(const QString& percorso, qint64 dimensione) {
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray pezzo(Blocco, Qt::Uninitialized);
    for (qint64 i = 0; i < pezzo.size(); ++i)
        pezzo[i] = char(i * 31 + i / 4099);
    for (qint64 scritti = 0; scritti < dimensione; scritti += pezzo.size())
        if (file.write(pezzo) != pezzo.size())
            return false;
    return file.flush();
}

// The baseline: a copy that overwrites the old file in place and reaches the disk, without the
// new file beside it and the rename.
bool CopiaSemplice(const QString& origine, const QString& destinazione) {
    const int da = ::open(QFile::encodeName(origine).constData(), O_RDONLY);
    const int a =
        ::open(QFile::encodeName(destinazione).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char> pezzo(Blocco);
    bool riuscita = da >= 0 && a >= 0;
    ssize_t letti;
    while (riuscita && (letti = ::read(da, pezzo.data(), pezzo.size())) > 0)
        riuscita = ::write(a, pezzo.data(), size_t(letti)) == letti;
    riuscita = riuscita && ::fsync(a) == 0;
    ::close(da);
    ::close(a);
    return riuscita;
}

// As the attachments window copies: the source streamed into the replacement in blocks.
bool CopiaSostituendo(const QString& origine, const QString& destinazione) {
    QFile lettura(origine);
    if (!lettura.open(QIODevice::ReadOnly))
        return false;
    try {
        SostituisciFile(
            destinazione,
            [&lettura](QIODevice& scrittura) {
                QByteArray pezzo(Blocco, Qt::Uninitialized);
                qint64 letti;
                while ((letti = lettura.read(pezzo.data(), pezzo.size())) > 0)
                    scrittura.write(pezzo.constData(), letti);
            },
            PermessiNuovoFile::SoloProprietario);
    } catch (const ErroreSostituzioneFile& errore) {
        std::printf("  %s\n", errore.what());
        return false;
    }
    return true;
}

void MisuraCopia(const QString& cartella) {
    const qint64 dimensione = 64 * Blocco;
    const QString origine = cartella + QStringLiteral("/origine.bin");
    const QString semplice = cartella + QStringLiteral("/semplice.bin");
    const QString copia = cartella + QStringLiteral("/copia.bin");
    if (!CreaOrigine(origine, dimensione)) {
        std::printf("impossibile creare %s\n", qPrintable(origine));
        return;
    }
    const long memoriaPrima = PiccoMemoriaKiB();
    std::vector<double> base, nostra;
    for (int giro = 0; giro < 7; ++giro) {
        auto inizio = Orologio::now();
        if (!CopiaSemplice(origine, semplice))
            return;
        base.push_back(Millisecondi(Orologio::now() - inizio));
        inizio = Orologio::now();
        if (!CopiaSostituendo(origine, copia))
            return;
        nostra.push_back(Millisecondi(Orologio::now() - inizio));
    }
    const long crescita = PiccoMemoriaKiB() - memoriaPrima;
    std::printf("Copia di un allegato di %lld MiB, mediana di 7 giri:\n",
                static_cast<long long>(dimensione / Blocco));
    std::printf("  read/write/fsync sul file esistente    %8.1f ms\n", Mediana(base));
    std::printf("  SostituisciFile su una copia esistente %8.1f ms\n", Mediana(nostra));
    std::printf("  rapporto                               %8.2f\n",
                Mediana(nostra) / Mediana(base));
    std::printf("  memoria di picco cresciuta di          %8ld KiB (obiettivo < 4096)\n", crescita);
    QFile::remove(origine);
    QFile::remove(semplice);
    QFile::remove(copia);
}

void MisuraFilePiccolo(const QString& cartella) {
    const QByteArray contenuto("[Accesso]\r\nValore=7501359E3A894D550D0D592D49EE\r\n");
    const QString percorso = cartella + QStringLiteral("/unins000.dll");
    const QByteArray nome = QFile::encodeName(percorso);
    std::vector<double> base, nostra;
    for (int giro = 0; giro < 200; ++giro) {
        auto inizio = Orologio::now();
        const int descrittore = ::open(nome.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const bool scritto = ::write(descrittore, contenuto.constData(),
                                     size_t(contenuto.size())) == contenuto.size() &&
                             ::fsync(descrittore) == 0;
        ::close(descrittore);
        if (!scritto)
            return;
        base.push_back(Millisecondi(Orologio::now() - inizio) * 1000.0);
        inizio = Orologio::now();
        SostituisciFile(percorso, contenuto, PermessiNuovoFile::SoloProprietario);
        nostra.push_back(Millisecondi(Orologio::now() - inizio) * 1000.0);
    }
    std::printf("Il file della password di accesso (48 byte), mediana di 200 giri:\n");
    std::printf("  scritto sul posto e sincronizzato      %8.1f us\n", Mediana(base));
    std::printf("  SostituisciFile                        %8.1f us\n", Mediana(nostra));
    std::printf("  rapporto                               %8.2f\n",
                Mediana(nostra) / Mediana(base));
    QFile::remove(percorso);
}

} // namespace

int main(int argc, char* argv[]) {
    const auto cartella = CartellaDelBanco(argc, argv);
    MisuraCopia(cartella->path());
    MisuraFilePiccolo(cartella->path());
    return 0;
}
