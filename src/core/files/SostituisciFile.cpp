#include "core/files/SostituisciFile.h"

#include <QFile>
#include <QIODevice>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

// Qt's QSaveFile is not used: with Qt 6.4, commit() flushes its buffer without looking at the
// outcome and renames anyway, so on a full disk it puts an empty or shorter file in place of the
// old one and reports success; a write cut short by the disk also loses the system's reason. Here
// every step is checked on the descriptor itself.

namespace {

QString motivoDi(int codice) {
    return QString::fromLocal8Bit(std::strerror(codice));
}

[[noreturn]] void fallisci(const char* operazione, const QString& percorso, int codice) {
    throw ErroreSostituzioneFile(QString::fromLatin1(operazione), percorso, motivoDi(codice));
}

// Writes into a descriptor through a buffer of its own and keeps the first failure with the
// system's code; after it, every write fails. It cannot seek: the new content is written in order.
class Destinazione : public QIODevice {
public:
    explicit Destinazione(int descrittore)
        : descrittore(descrittore) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    int Errore() const { return errore; }

    // Writes out what the buffer holds.
    bool Svuota() {
        const bool riuscito = scriviTutto(buffer.constData(), buffer.size());
        buffer.clear();
        return riuscito;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* dati, qint64 quanti) override {
        if (errore != 0)
            return -1;
        if (buffer.size() + quanti > Capienza && !Svuota())
            return -1;
        if (quanti >= Capienza)
            return scriviTutto(dati, quanti) ? quanti : -1;
        buffer.append(dati, quanti);
        return quanti;
    }

private:
    static constexpr qint64 Capienza = 64 * 1024;

    bool scriviTutto(const char* dati, qint64 quanti) {
        while (errore == 0 && quanti > 0) {
            const ssize_t scritti = ::write(descrittore, dati, size_t(quanti));
            if (scritti < 0 && errno == EINTR)
                continue;
            if (scritti <= 0) {
                errore = scritti < 0 ? errno : EIO;
                setErrorString(motivoDi(errore));
                break;
            }
            dati += scritti;
            quanti -= scritti;
        }
        return errore == 0;
    }

    int descrittore;
    int errore = 0;
    QByteArray buffer;
};

// The new file beside the old one, removed unless it has taken the old one's place.
class FileNuovo {
public:
    FileNuovo(const QByteArray& destinazione, mode_t permessi, const QString& percorso) {
        // A name of its own in the same folder, so that the rename that ends the replacement
        // stays on one file system and is atomic.
        for (int tentativo = 0; descrittore < 0 && tentativo < 100; ++tentativo) {
            nome = destinazione + '.' +
                   QByteArray::number(QRandomGenerator::global()->generate(), 16) + ".tmp";
            do {
                descrittore =
                    ::open(nome.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permessi);
            } while (descrittore < 0 && errno == EINTR);
            if (descrittore < 0 && errno != EEXIST)
                break;
        }
        if (descrittore < 0)
            fallisci("creazione del nuovo contenuto di", percorso, errno);
    }
    ~FileNuovo() {
        if (descrittore >= 0)
            ::close(descrittore);
        if (!nome.isEmpty())
            ::unlink(nome.constData());
    }
    FileNuovo(const FileNuovo&) = delete;
    FileNuovo& operator=(const FileNuovo&) = delete;

    int Descrittore() const { return descrittore; }

    // Closes the file, which then takes the name `destinazione`; returns 0 or the failure's code.
    int Sostituisci(const QByteArray& destinazione) {
        // The system may tell of a failed write only at close (NFS does).
        if (::close(std::exchange(descrittore, -1)) != 0 && errno != EINTR)
            return errno;
        if (::rename(nome.constData(), destinazione.constData()) != 0)
            return errno;
        nome.clear();
        return 0;
    }

private:
    QByteArray nome;
    int descrittore = -1;
};

} // namespace

ErroreSostituzioneFile::ErroreSostituzioneFile(const QString& operazione, const QString& percorso,
                                               const QString& motivo)
    : std::runtime_error(
          QStringLiteral("%1 %2: %3").arg(operazione, percorso, motivo).toStdString())
    , motivo(motivo) {}

void SostituisciFile(const QString& percorso, const QByteArray& contenuto,
                     PermessiNuovoFile permessi) {
    SostituisciFile(
        percorso, [&contenuto](QIODevice& destinazione) { destinazione.write(contenuto); },
        permessi);
}

void SostituisciFile(const QString& percorso, const ScrittoreFile& scrittore,
                     PermessiNuovoFile permessi) {
    const QByteArray nome = QFile::encodeName(percorso);
    if (nome.isEmpty() || nome.contains('\0'))
        fallisci("apertura di", percorso, ENOENT);

    // A file that is there keeps its permissions, and one that may not be written is not replaced.
    // A symbolic link is replaced by the file itself: nothing is written where it points.
    mode_t modo = permessi == PermessiNuovoFile::SoloProprietario ? S_IRUSR | S_IWUSR : 0666;
    struct stat stato;
    const bool esiste = ::lstat(nome.constData(), &stato) == 0;
    if (esiste && S_ISDIR(stato.st_mode))
        fallisci("apertura di", percorso, EISDIR);
    if (esiste && S_ISREG(stato.st_mode)) {
        if (::access(nome.constData(), W_OK) != 0)
            fallisci("apertura di", percorso, errno);
        modo = stato.st_mode & 07777;
    }

    FileNuovo nuovo(nome, modo, percorso);
    // Created under the umask; an existing file's permissions are copied exactly.
    if (esiste && S_ISREG(stato.st_mode) && ::fchmod(nuovo.Descrittore(), modo) != 0)
        fallisci("permessi di", percorso, errno);

    Destinazione destinazione(nuovo.Descrittore());
    scrittore(destinazione);
    if (!destinazione.Svuota())
        fallisci("scrittura di", percorso, destinazione.Errore());
    if (::fsync(nuovo.Descrittore()) != 0)
        fallisci("scrittura su disco di", percorso, errno);
    if (const int codice = nuovo.Sostituisci(nome); codice != 0)
        fallisci("sostituzione di", percorso, codice);
    SincronizzaCartellaDi(percorso);
}

void SincronizzaCartellaDi(const QString& percorsoFile) {
    const QByteArray nomeFile = QFile::encodeName(percorsoFile);
    const qsizetype barra = nomeFile.lastIndexOf('/');
    const QByteArray cartella = barra < 0 ? QByteArray(".") : nomeFile.left(qMax(barra, 1));
    int descrittore;
    do {
        descrittore = ::open(cartella.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (descrittore < 0 && errno == EINTR);
    if (descrittore >= 0) {
        ::fsync(descrittore);
        ::close(descrittore);
    }
}
