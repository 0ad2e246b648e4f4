#include "core/storage/FileArchivio.h"

#include "core/files/SostituisciFile.h"
#include "core/text/Testo.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

[[noreturn]] void FallisciSuPercorso(const char* operazione, const QString& percorso, int codice) {
    throw ErroreArchivio(QStringLiteral("%1 %2: %3")
                             .arg(QString::fromLatin1(operazione), percorso,
                                  QString::fromLocal8Bit(std::strerror(codice)))
                             .toStdString());
}

int ApriDescrittore(const QByteArray& nome, int modi, mode_t permessi = 0) {
    int descrittore;
    do {
        descrittore = ::open(nome.constData(), modi | O_CLOEXEC, permessi);
    } while (descrittore < 0 && errno == EINTR);
    return descrittore;
}

// Holds the exclusive advisory lock of the whole file while an append counts and writes. File
// systems without locks (ENOLCK, EOPNOTSUPP) still append, as they would have without it.
class BloccoEsclusivo {
public:
    explicit BloccoEsclusivo(int descrittore)
        : descrittore(descrittore) {
        int esito;
        do {
            esito = ::flock(descrittore, LOCK_EX);
        } while (esito < 0 && errno == EINTR);
        bloccato = esito == 0;
        errore = bloccato || errno == ENOLCK || errno == EOPNOTSUPP ? 0 : errno;
    }
    ~BloccoEsclusivo() {
        if (bloccato)
            ::flock(descrittore, LOCK_UN);
    }
    BloccoEsclusivo(const BloccoEsclusivo&) = delete;
    BloccoEsclusivo& operator=(const BloccoEsclusivo&) = delete;

    int Errore() const { return errore; }

private:
    int descrittore;
    bool bloccato = false;
    int errore = 0;
};

} // namespace

FileArchivio ApriFileArchivio(const QString& percorsoDato) {
    // The windows keep the path in a label; blanks around it are not part of it.
    const QString percorso = TogliSpazi(percorsoDato);
    const QByteArray nome = QFile::encodeName(percorso);
    if (nome.isEmpty() || nome.contains('\0'))
        FallisciSuPercorso("apertura dell'archivio", percorso, ENOENT);

    int descrittore = ApriDescrittore(nome, O_RDWR);
    if (descrittore < 0 && errno == ENOENT) {
        // Only the owner may read a new archive: it holds passwords in clear.
        descrittore = ApriDescrittore(nome, O_RDWR | O_CREAT, S_IRUSR | S_IWUSR);
        // The new file must survive a crash together with its first record.
        if (descrittore >= 0)
            SincronizzaCartellaDi(percorso);
    }
    if (descrittore < 0)
        FallisciSuPercorso("apertura dell'archivio", percorso, errno);

    // A folder or a device is not an archive.
    struct stat stato;
    const int codice = ::fstat(descrittore, &stato) != 0 ? errno
                       : S_ISREG(stato.st_mode)          ? 0
                                                         : EISDIR;
    if (codice != 0) {
        ::close(descrittore);
        FallisciSuPercorso("apertura dell'archivio", percorso, codice);
    }
    return FileArchivio(descrittore, percorso);
}

FileArchivio::FileArchivio(int descrittore, QString percorso)
    : descrittore(descrittore)
    , percorso(std::move(percorso)) {}

FileArchivio::FileArchivio(FileArchivio&& altro) noexcept
    : descrittore(std::exchange(altro.descrittore, -1))
    , indice(altro.indice)
    , percorso(std::move(altro.percorso)) {}

FileArchivio& FileArchivio::operator=(FileArchivio&& altro) noexcept {
    if (this != &altro) {
        if (descrittore >= 0)
            ::close(descrittore);
        descrittore = std::exchange(altro.descrittore, -1);
        indice = altro.indice;
        percorso = std::move(altro.percorso);
    }
    return *this;
}

FileArchivio::~FileArchivio() {
    if (descrittore >= 0)
        ::close(descrittore);
}

void FileArchivio::Fallisci(const char* operazione, int codice) const {
    FallisciSuPercorso(operazione, percorso, codice);
}

int FileArchivio::Descrittore() const {
    if (descrittore < 0) {
        Fallisci("accesso all'archivio chiuso", EBADF);
    }
    return descrittore;
}

qint64 FileArchivio::NumeroSchede() const {
    struct stat stato;
    if (::fstat(Descrittore(), &stato) != 0)
        Fallisci("conteggio delle schede di");
    return stato.st_size / DimensioneScheda;
}

void FileArchivio::Posiziona(qint64 nuovoIndice) {
    Descrittore();
    if (nuovoIndice < 0 || nuovoIndice > std::numeric_limits<off_t>::max() / DimensioneScheda - 1) {
        Fallisci("posizionamento in", EINVAL);
    }
    indice = nuovoIndice;
}

void FileArchivio::Leggi(TScheda& scheda) {
    char* destinazione = reinterpret_cast<char*>(&scheda);
    qint64 letti = 0;
    while (letti < DimensioneScheda) {
        const ssize_t esito = ::pread(Descrittore(), destinazione + letti,
                                      static_cast<size_t>(DimensioneScheda - letti),
                                      static_cast<off_t>(indice * DimensioneScheda + letti));
        if (esito < 0 && errno == EINTR)
            continue;
        if (esito < 0)
            Fallisci("lettura di una scheda di");
        if (esito == 0) {
            Fallisci("lettura oltre l'ultima scheda di", ENODATA);
        }
        letti += esito;
    }
    ++indice;
}

// Takes the disk space of whole records before a byte of them is written, so that a full disk
// fails the write before it starts: no piece of a new record at the end, and no record half
// overwritten where the file has a hole (a sparse copy). File systems that cannot reserve space
// write as they would have without it.
void FileArchivio::RiservaSpazio(qint64 indiceScheda, qint64 schede) {
    int esito;
    do {
        esito = ::fallocate(Descrittore(), FALLOC_FL_KEEP_SIZE,
                            static_cast<off_t>(indiceScheda * DimensioneScheda),
                            static_cast<off_t>(schede * DimensioneScheda));
    } while (esito < 0 && errno == EINTR);
    if (esito < 0 && errno != EOPNOTSUPP && errno != ENOSYS)
        Fallisci("scrittura di una scheda in");
}

void FileArchivio::ScriviByte(const char* origine, qint64 byte, qint64 posizione) {
    qint64 scritti = 0;
    while (scritti < byte) {
        const ssize_t esito =
            ::pwrite(Descrittore(), origine + scritti, static_cast<size_t>(byte - scritti),
                     static_cast<off_t>(posizione + scritti));
        if (esito < 0 && errno == EINTR)
            continue;
        if (esito <= 0)
            Fallisci("scrittura di una scheda in", esito < 0 ? errno : EIO);
        scritti += esito;
    }
}

void FileArchivio::ScriviA(qint64 indiceScheda, const TScheda& scheda) {
    RiservaSpazio(indiceScheda);
    ScriviByte(reinterpret_cast<const char*>(&scheda), DimensioneScheda,
               indiceScheda * DimensioneScheda);
    if (::fsync(Descrittore()) != 0)
        Fallisci("scrittura su disco di");
    indice = indiceScheda + 1;
}

void FileArchivio::Scrivi(const TScheda& scheda) {
    // Writing further than the end would leave a gap of empty records.
    if (indice > NumeroSchede()) {
        Fallisci("scrittura oltre la fine di", EINVAL);
    }
    ScriviA(indice, scheda);
}

qint64 FileArchivio::Aggiungi(const TScheda& scheda) {
    const BloccoEsclusivo blocco(Descrittore());
    if (blocco.Errore() != 0)
        Fallisci("blocco di", blocco.Errore());
    ScriviA(NumeroSchede(), scheda);
    return indice;
}

// Records go to the disk in pieces of this many, each filled just before it is written.
constexpr qint64 SchedePerPezzo = 64;

qint64 FileArchivio::AggiungiSchede(qint64 quante, const PreparaScheda& prepara) {
    const BloccoEsclusivo blocco(Descrittore());
    if (blocco.Errore() != 0)
        Fallisci("blocco di", blocco.Errore());
    struct stat stato;
    if (::fstat(Descrittore(), &stato) != 0)
        Fallisci("conteggio delle schede di");
    const qint64 lunghezzaPrima = stato.st_size;
    const qint64 primo = lunghezzaPrima / DimensioneScheda;
    if (quante <= 0)
        return primo + 1;

    // The piece shorter than a record after the last one: the first new record goes over it.
    QByteArray coda(lunghezzaPrima - primo * DimensioneScheda, Qt::Uninitialized);
    if (!coda.isEmpty()) {
        const ssize_t letti = ::pread(Descrittore(), coda.data(), static_cast<size_t>(coda.size()),
                                      static_cast<off_t>(primo * DimensioneScheda));
        if (letti != coda.size())
            Fallisci("lettura della fine di", letti < 0 ? errno : EIO);
    }
    try {
        RiservaSpazio(primo, quante);
        std::vector<TScheda> pezzo(static_cast<std::size_t>(qMin(quante, SchedePerPezzo)));
        for (qint64 fatte = 0; fatte < quante;) {
            const qint64 numero = qMin(quante - fatte, SchedePerPezzo);
            for (qint64 i = 0; i < numero; ++i) {
                TScheda& scheda = pezzo[static_cast<std::size_t>(i)];
                std::memset(&scheda, 0, sizeof scheda);
                prepara(fatte + i, scheda);
            }
            ScriviByte(reinterpret_cast<const char*>(pezzo.data()), numero * DimensioneScheda,
                       (primo + fatte) * DimensioneScheda);
            fatte += numero;
        }
        if (::fsync(Descrittore()) != 0)
            Fallisci("scrittura su disco di");
    } catch (...) {
        RipristinaLunghezza(lunghezzaPrima, coda);
        throw;
    }
    indice = primo + quante;
    return primo + 1;
}

// Puts the end of the file back as it was before an append that failed. Best effort: the failure
// that brought it here is the one the caller hears of.
void FileArchivio::RipristinaLunghezza(qint64 lunghezza, const QByteArray& coda) {
    int esito;
    do {
        esito = ::ftruncate(descrittore, static_cast<off_t>(lunghezza));
    } while (esito < 0 && errno == EINTR);
    if (!coda.isEmpty()) {
        try {
            ScriviByte(coda.constData(), coda.size(), lunghezza - coda.size());
        } catch (const ErroreArchivio&) {
        }
    }
    ::fsync(descrittore);
}

bool FileArchivio::LeggiProssima(TScheda& scheda) {
    if (indice >= NumeroSchede())
        return false;
    Leggi(scheda);
    return true;
}

void FileArchivio::Chiudi() {
    if (descrittore < 0)
        return;
    // The handle is released even when close() reports an error, so it is never closed twice.
    const int esito = ::close(std::exchange(descrittore, -1));
    if (esito != 0 && errno != EINTR)
        Fallisci("chiusura di");
}
