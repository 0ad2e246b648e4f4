#include "support/DiscoPieno.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString radice;
QString motivo = QStringLiteral("DiscoPieno::Monta() was not called");
int sessioni = 0;

QString NomeRiempitivo() {
    return radice + QStringLiteral("/riempitivo");
}

QString ErroreDi(const char* passo) {
    return QStringLiteral("%1: %2").arg(QLatin1String(passo),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

// The process that was started: waits for the test process, removes the mount point it leaves
// and ends the way the test process ended.
[[noreturn]] void AttendiEPulisci(pid_t figlio, const QByteArray& puntoDiMontaggio) {
    // Ctrl-C reaches the test process too; this one stays to clean up.
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGQUIT, SIG_IGN);
    int stato = 0;
    while (::waitpid(figlio, &stato, 0) < 0 && errno == EINTR) {
    }
    ::rmdir(puntoDiMontaggio.constData());
    if (WIFSIGNALED(stato)) {
        std::signal(WTERMSIG(stato), SIG_DFL);
        ::raise(WTERMSIG(stato));
        ::_exit(128 + WTERMSIG(stato));
    }
    ::_exit(WIFEXITED(stato) ? WEXITSTATUS(stato) : 1);
}

} // namespace

void DiscoPieno::Monta(qint64 dimensione) {
    if (::geteuid() != 0) {
        motivo =
            QStringLiteral("mounting a tmpfs needs root, the test runs as uid %1").arg(::geteuid());
        return;
    }
    QByteArray punto =
        QFile::encodeName(QDir::tempPath() + QStringLiteral("/blindoro-disco-XXXXXX"));
    if (::mkdtemp(punto.data()) == nullptr) {
        motivo = ErroreDi("mkdtemp");
        return;
    }
    const pid_t avviato = ::getpid();
    const pid_t figlio = ::fork();
    if (figlio < 0) {
        motivo = ErroreDi("fork");
        ::rmdir(punto.constData());
        return;
    }
    if (figlio > 0)
        AttendiEPulisci(figlio, punto);

    // The test process: it goes on with the tests, and ends if the process that waits for it does.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != avviato)
        ::_exit(1);
    if (::unshare(CLONE_NEWNS) != 0) {
        motivo = ErroreDi("unshare(CLONE_NEWNS)");
        return;
    }
    // Mounts made from now on stay in this namespace.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        motivo = ErroreDi("private mount propagation");
        return;
    }
    const QByteArray opzioni = QByteArrayLiteral("size=") + QByteArray::number(dimensione) +
                               QByteArrayLiteral(",mode=0777");
    if (::mount("blindoro-disco", punto.constData(), "tmpfs", MS_NOSUID | MS_NODEV | MS_NOEXEC,
                opzioni.constData()) != 0) {
        motivo = ErroreDi("mount tmpfs");
        return;
    }
    radice = QFile::decodeName(punto);
    motivo.clear();
}

bool DiscoPieno::Disponibile() {
    return !radice.isEmpty();
}

QString DiscoPieno::Motivo() {
    return motivo;
}

qint64 DiscoPieno::Liberi() {
    struct statvfs stato;
    if (!Disponibile() || ::statvfs(QFile::encodeName(radice).constData(), &stato) != 0)
        return -1;
    return qint64(stato.f_bavail) * qint64(stato.f_frsize);
}

DiscoPieno::DiscoPieno()
    : cartella_(radice + QStringLiteral("/prova-%1").arg(++sessioni)) {
    if (Disponibile())
        QDir().mkpath(cartella_);
}

DiscoPieno::~DiscoPieno() {
    if (!Disponibile())
        return;
    QFile::remove(NomeRiempitivo());
    QDir(cartella_).removeRecursively();
}

bool DiscoPieno::Riempi() {
    const int riempitivo =
        ::open(QFile::encodeName(NomeRiempitivo()).constData(),
               O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH);
    if (riempitivo < 0)
        return false;
    // Large pieces first, then single bytes for what is left of the last block.
    static const QByteArray blocco(64 * 1024, 'r');
    bool pieno = false;
    for (qint64 pezzo : {qint64(blocco.size()), qint64(1)}) {
        ssize_t scritti;
        while ((scritti = ::write(riempitivo, blocco.constData(), size_t(pezzo))) > 0 ||
               (scritti < 0 && errno == EINTR)) {
        }
        pieno = scritti < 0 && errno == ENOSPC;
        if (!pieno)
            break;
    }
    ::close(riempitivo);
    return pieno && Liberi() == 0;
}

bool DiscoPieno::Libera(qint64 byte) {
    struct statvfs stato;
    if (!Disponibile() || ::statvfs(QFile::encodeName(radice).constData(), &stato) != 0)
        return false;
    const qint64 blocco = qint64(stato.f_frsize);
    const qint64 daLiberare = (byte + blocco - 1) / blocco * blocco;
    QFile riempitivo(NomeRiempitivo());
    if (!riempitivo.resize(qMax<qint64>(0, riempitivo.size() - daLiberare)))
        return false;
    return Liberi() >= byte;
}
