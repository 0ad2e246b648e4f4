// Arbitrary bytes as a record, as an archive file of any length, and as UTF-16 text to encode.
// Each check aborts on a broken rule, so the fuzzer reports it as a crash.

#include "Verifica.h"
#include "core/storage/FileArchivio.h"
#include "core/storage/Scheda.h"
#include "core/storage/Windows1252.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

qsizetype CaratteriIn(QStringView testo) {
    qsizetype caratteri = 0;
    for (qsizetype i = 0; i < testo.size(); ++i, ++caratteri) {
        if (testo[i].isHighSurrogate() && i + 1 < testo.size() && testo[i + 1].isLowSurrogate())
            ++i;
    }
    return caratteri;
}

// Decoding a field and encoding it back gives its text bytes and the NUL; a field without NUL
// loses its last byte, since a field holds one character less than its width.
void VerificaScheda(const TScheda& originale) {
    TScheda riscritta = originale;
    for (int k = 0; k < NumeroCampi; ++k) {
        const Campo campo = Campo(k);
        const QString testo = DecodificaCampo(originale, campo);
        const std::span<const char> byte = ByteDelCampo(originale, campo);
        Verifica(testo.size() <= qsizetype(byte.size()), "decoded field fits its width");
        CodificaCampo(riscritta, campo, testo);
        const std::span<const char> nuovi = ByteDelCampo(std::as_const(riscritta), campo);
        const std::size_t tenuti = std::min(std::size_t(testo.size()), byte.size() - 1);
        Verifica(std::memcmp(nuovi.data(), byte.data(), tenuti) == 0, "text bytes unchanged");
        Verifica(nuovi[tenuti] == '\0', "NUL after the text");
        Verifica(std::memcmp(nuovi.data() + tenuti + 1, byte.data() + tenuti + 1,
                             byte.size() - tenuti - 1) == 0,
                 "tail untouched");
    }
}

void VerificaTesto(const uint8_t* dati, size_t dimensione) {
    QString testo(qsizetype(dimensione / 2), Qt::Uninitialized);
    std::memcpy(testo.data(), dati, dimensione / 2 * 2);
    const QByteArray byte = CodificaWindows1252(testo);
    Verifica(byte.size() == CaratteriIn(testo), "one byte per character");
    Verifica(CodificaWindows1252(DecodificaWindows1252(byte)) == byte, "encoded text is stable");

    TScheda scheda;
    std::memset(&scheda, 0x5A, sizeof scheda);
    CodificaCampo(scheda, Campo::Creazione, testo);
    const QString riletto = DecodificaCampo(scheda, Campo::Creazione);
    Verifica(riletto.size() <= 10, "cut to the field");
    Verifica(scheda.Scadenza[0] == 0x5A, "next field untouched");
}

// Repeats `dati` until `lunghezza` bytes, so that short inputs fill whole records.
QByteArray Ripetuti(const uint8_t* dati, size_t dimensione, size_t lunghezza) {
    QByteArray risultato(qsizetype(lunghezza), '\0');
    for (size_t i = 0; dimensione > 0 && i < lunghezza; ++i)
        risultato[qsizetype(i)] = char(dati[i % dimensione]);
    return risultato;
}

void VerificaArchivio(const QByteArray& contenuto) {
    const auto dati = reinterpret_cast<const uint8_t*>(contenuto.constData());
    const auto dimensione = size_t(contenuto.size());
    const int memoria = ::memfd_create("archivio", 0);
    Verifica(memoria >= 0, "memfd_create");
    Verifica(::write(memoria, dati, dimensione) == ssize_t(dimensione), "write");
    const QString percorso = QStringLiteral("/proc/self/fd/%1").arg(memoria);
    {
        FileArchivio archivio = ApriFileArchivio(percorso);
        const qint64 schede = archivio.NumeroSchede();
        Verifica(schede == qint64(dimensione) / DimensioneScheda, "count of whole records");
        qint64 lette = 0;
        archivio.PerOgniScheda([&](const TScheda& scheda, qint64 numero) {
            Verifica(numero == ++lette, "records in order");
            for (int k = 0; k < NumeroCampi; ++k)
                DecodificaCampo(scheda, Campo(k));
        });
        Verifica(lette == schede, "every record read");
        bool fallita = false;
        try {
            TScheda scheda;
            archivio.Leggi(scheda);
        } catch (const ErroreArchivio&) {
            fallita = true;
        }
        Verifica(fallita, "reading past the last whole record fails");

        TScheda nuova{};
        CodificaCampo(nuova, Campo::Titolo, QStringLiteral("nuova"));
        Verifica(archivio.Aggiungi(nuova) == schede + 1, "append after the last whole record");
        Verifica(archivio.NumeroSchede() == schede + 1, "one more record");
    }
    Verifica(::lseek(memoria, 0, SEEK_END) ==
                 (qint64(dimensione) / DimensioneScheda + 1) * DimensioneScheda,
             "trailing piece overwritten");
    ::close(memoria);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    TScheda scheda;
    const QByteArray record = Ripetuti(dati, dimensione, sizeof scheda);
    std::memcpy(&scheda, record.constData(), sizeof scheda);
    VerificaScheda(scheda);
    VerificaTesto(dati, dimensione);
    // The first byte chooses 0 to 3 whole records; the rest of the input gives the trailing piece.
    if (dimensione > 0) {
        const size_t lunghezza = (dati[0] % 4) * sizeof scheda + dimensione - 1;
        VerificaArchivio(Ripetuti(dati + 1, dimensione - 1, lunghezza));
    }
    return 0;
}
