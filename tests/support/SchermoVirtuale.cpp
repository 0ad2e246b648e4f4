#include "support/SchermoVirtuale.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// The display number that Xvfb writes on the descriptor once it listens: digits and a newline.
QString leggiNumeroSchermo(int lettura, std::chrono::milliseconds limite) {
    QByteArray letto;
    QElapsedTimer tempo;
    tempo.start();
    while (!letto.endsWith('\n') && tempo.elapsed() < limite.count()) {
        pollfd attesa{lettura, POLLIN, 0};
        const int pronto = poll(&attesa, 1, 100);
        if (pronto < 0 && errno != EINTR)
            break;
        if (pronto <= 0)
            continue;
        char pezzo[16];
        const ssize_t n = read(lettura, pezzo, sizeof pezzo);
        if (n <= 0)
            break; // the server ended before it listened
        letto.append(pezzo, n);
    }
    return letto.endsWith('\n') ? QStringLiteral(":") + QString::fromLatin1(letto.trimmed())
                                : QString();
}

} // namespace

std::function<void()> LegatoAlTest(std::function<void()> prima) {
    const pid_t test = getpid();
    return [test, prima = std::move(prima)] {
        if (prima)
            prima();
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != test) // the test ended before the line above
            _exit(1);
    };
}

SchermoVirtuale::SchermoVirtuale(const QString& dimensioni) {
    int canale[2];
    if (pipe2(canale, O_CLOEXEC) != 0) {
        errore_ = QStringLiteral("pipe: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    const int scrittura = canale[1];
    // Only the server keeps the writing end open across its exec.
    server_.setChildProcessModifier(LegatoAlTest([scrittura] { fcntl(scrittura, F_SETFD, 0); }));
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QString::number(scrittura),
                   QStringLiteral("-screen"), QStringLiteral("0"), dimensioni,
                   QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                   // Clients come and go (xclip runs once for each read): a server that reset
                   // when the last one left would refuse the next one for a moment.
                   QStringLiteral("-noreset")});
    close(scrittura);
    if (!server_.waitForStarted(30000)) {
        errore_ = QStringLiteral("Xvfb did not start (%1); the package xvfb provides it")
                      .arg(server_.errorString());
        close(canale[0]);
        return;
    }
    nome_ = leggiNumeroSchermo(canale[0], AttesaMassima);
    close(canale[0]);
    if (nome_.isEmpty())
        errore_ = QStringLiteral("Xvfb gave no display number: ") +
                  QString::fromLocal8Bit(server_.readAll());
}

SchermoVirtuale::~SchermoVirtuale() {
    if (server_.state() == QProcess::NotRunning)
        return;
    server_.terminate();
    if (!server_.waitForFinished(10000))
        server_.kill();
    server_.waitForFinished(10000);
}
