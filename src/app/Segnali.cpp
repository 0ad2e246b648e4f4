#include "app/Segnali.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array segnaliDiChiusura{SIGTERM, SIGINT, SIGHUP};

int canale[2] = {-1, -1};
std::array<struct sigaction, segnaliDiChiusura.size()> azioniPrecedenti{};

extern "C" void annotaSegnale(int numero) {
    const int erroreSalvato = errno;
    const auto byte = static_cast<unsigned char>(numero);
    // A full pipe already holds a signal that will end the program.
    [[maybe_unused]] const ssize_t scritti = write(canale[1], &byte, 1);
    errno = erroreSalvato;
}

} // namespace

ChiusuraSuSegnale::ChiusuraSuSegnale(QObject* parent)
    : QObject(parent) {
    // Without the pipe the signals keep their default action: they end the program at once.
    if (pipe2(canale, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifica_ = new QSocketNotifier(canale[0], QSocketNotifier::Read, this);
    connect(notifica_, &QSocketNotifier::activated, this, &ChiusuraSuSegnale::segnaleArrivato);

    struct sigaction azione {};
    azione.sa_handler = annotaSegnale;
    sigemptyset(&azione.sa_mask);
    azione.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < segnaliDiChiusura.size(); ++i) {
        sigaction(segnaliDiChiusura[i], nullptr, &azioniPrecedenti[i]);
        if (azioniPrecedenti[i].sa_handler != SIG_IGN)
            sigaction(segnaliDiChiusura[i], &azione, nullptr);
    }
}

ChiusuraSuSegnale::~ChiusuraSuSegnale() {
    if (!notifica_)
        return;
    for (std::size_t i = 0; i < segnaliDiChiusura.size(); ++i)
        sigaction(segnaliDiChiusura[i], &azioniPrecedenti[i], nullptr);
    delete notifica_;
    close(canale[0]);
    close(canale[1]);
    canale[0] = canale[1] = -1;
}

void ChiusuraSuSegnale::segnaleArrivato() {
    unsigned char numero = 0;
    if (read(canale[0], &numero, 1) != 1)
        return;
    // exit, not quit: quit would first ask every window to close, and a window's close is a
    // hand-over to another window in this program.
    QCoreApplication::exit(128 + numero);
}
