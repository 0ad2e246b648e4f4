#include "core/files/SostituisciFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
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

// The new content's file: the replaced file's name, a dot, eight hexadecimal digits and ".tmp",
// in the same folder, so that the rename that ends the replacement stays on one file system and is
// atomic. While a replacement writes it, the file is locked; a file of that name that nobody holds
// locked is what a replacement killed midway left behind.
QString nomeTemporaneo(const QString& nomeFile, quint32 numero) {
    return nomeFile + QLatin1Char('.') + QStringLiteral("%1").arg(numero, 8, 16, QLatin1Char('0')) +
           QStringLiteral(".tmp");
}

const QRegularExpression& formaTemporaneo() {
    static const QRegularExpression forma(QStringLiteral("^(.+)\\.[0-9a-f]{8}\\.tmp$"));
    return forma;
}

int apri(const QByteArray& nome, int modo, mode_t permessi = 0) {
    int descrittore;
    do {
        descrittore = ::open(nome.constData(), modo | O_CLOEXEC, permessi);
    } while (descrittore < 0 && errno == EINTR);
    return descrittore;
}

// Removes the file at `nome` if it is a regular file that no running replacement holds.
void rimuoviSeAbbandonato(const QByteArray& nome) {
    const int descrittore = apri(nome, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
    if (descrittore < 0)
        return;
    struct stat stato;
    if (::fstat(descrittore, &stato) == 0 && S_ISREG(stato.st_mode) &&
        ::flock(descrittore, LOCK_EX | LOCK_NB) == 0)
        ::unlink(nome.constData());
    ::close(descrittore);
}

// Removes what replacements killed midway left in `cartella`: of every file when `nomeFile` is
// empty, else of that file only.
void rimuoviResidui(const QString& cartella, const QString& nomeFile) {
    const QDir dir(cartella);
    const QStringList nomi =
        nomeFile.isEmpty()
            ? dir.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden | QDir::System)
            : dir.entryList({nomeFile + QStringLiteral(".*.tmp")},
                            QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& nome : nomi) {
        const QRegularExpressionMatch forma = formaTemporaneo().match(nome);
        if (forma.hasMatch() && (nomeFile.isEmpty() || forma.captured(1) == nomeFile))
            rimuoviSeAbbandonato(QFile::encodeName(dir.filePath(nome)));
    }
}

mode_t maschera() {
    const mode_t attuale = ::umask(0);
    ::umask(attuale);
    return attuale;
}

// The new file beside the old one, removed unless it has taken the old one's place. It is made
// readable by its owner alone, whatever the old file allowed: until it is complete it may hold
// what the old one did not, and a crash could leave it behind.
class FileNuovo {
public:
    FileNuovo(const QString& percorso) {
        const QString nomeFile = QFileInfo(percorso).fileName();
        const QString cartella = QFileInfo(percorso).path();
        for (int tentativo = 0; descrittore < 0 && tentativo < 100; ++tentativo) {
            nome = QFile::encodeName(QDir(cartella).filePath(
                nomeTemporaneo(nomeFile, QRandomGenerator::system()->generate())));
            descrittore = apri(nome, O_RDWR | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
            if (descrittore < 0 && errno != EEXIST)
                break;
            if (descrittore >= 0 && !bloccaSeAncoraSuo()) {
                ::close(std::exchange(descrittore, -1));
                nome.clear();
            }
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

    // Gives the complete file the permissions it keeps, unless its file system keeps none of its
    // own (a FAT memory stick shows every file alike and refuses a change); 0 or the failure's
    // code.
    int ImpostaPermessi(mode_t modo) {
        struct stat stato;
        if (::fstat(descrittore, &stato) != 0)
            return errno;
        const mode_t creato = stato.st_mode & 07777;
        if (creato == modo || creato != ((S_IRUSR | S_IWUSR) & ~maschera()))
            return 0;
        return ::fchmod(descrittore, modo) == 0 ? 0 : errno;
    }

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
    // Locks the file just made. Between its creation and the lock another program's clean-up may
    // have taken it for a leftover and removed it: then it is no longer ours.
    bool bloccaSeAncoraSuo() {
        if (::flock(descrittore, LOCK_EX) != 0)
            return errno == ENOLCK || errno == EINVAL || errno == EOPNOTSUPP; // no locks here
        struct stat aperto, sulDisco;
        return ::fstat(descrittore, &aperto) == 0 && ::stat(nome.constData(), &sulDisco) == 0 &&
               aperto.st_ino == sulDisco.st_ino && aperto.st_dev == sulDisco.st_dev;
    }

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
    mode_t modo =
        permessi == PermessiNuovoFile::SoloProprietario ? S_IRUSR | S_IWUSR : 0666 & ~maschera();
    struct stat stato;
    const bool esiste = ::lstat(nome.constData(), &stato) == 0;
    if (esiste && S_ISDIR(stato.st_mode))
        fallisci("apertura di", percorso, EISDIR);
    if (esiste && S_ISREG(stato.st_mode)) {
        if (::access(nome.constData(), W_OK) != 0)
            fallisci("apertura di", percorso, errno);
        modo = stato.st_mode & 07777;
    }

    RimuoviResiduiSostituzione(percorso);
    FileNuovo nuovo(percorso);
    Destinazione destinazione(nuovo.Descrittore());
    scrittore(destinazione);
    if (!destinazione.Svuota())
        fallisci("scrittura di", percorso, destinazione.Errore());
    if (::fsync(nuovo.Descrittore()) != 0)
        fallisci("scrittura su disco di", percorso, errno);
    if (const int codice = nuovo.ImpostaPermessi(modo); codice != 0)
        fallisci("permessi di", percorso, codice);
    if (const int codice = nuovo.Sostituisci(nome); codice != 0)
        fallisci("sostituzione di", percorso, codice);
    SincronizzaCartellaDi(percorso);
}

void RimuoviResiduiSostituzione(const QString& percorsoFile) {
    const QFileInfo file(percorsoFile);
    if (!file.fileName().isEmpty())
        rimuoviResidui(file.path(), file.fileName());
}

void RimuoviResiduiSostituzioniIn(const QString& cartella) {
    rimuoviResidui(cartella, QString());
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
