// Starts a program and prints, in milliseconds, the time from its start to the moment the X server
// maps its first top-level window whose title contains the given text, then the program's
// resident memory at that moment in KiB. It listens for MapNotify on the root window, so it sees
// the map itself, not a later poll.
//
//   attesa_mappa "Autenticazione" build/bin/blindoro

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool titoloContiene(Display* schermo, Window finestra, const char* testo) {
    char* nome = nullptr;
    if (!XFetchName(schermo, finestra, &nome) || !nome)
        return false;
    const bool trovato = std::strstr(nome, testo) != nullptr;
    XFree(nome);
    return trovato;
}

// VmRSS of /proc/PID/status, in KiB; -1 when it cannot be read.
long memoriaResidente(pid_t processo) {
    std::ifstream stato("/proc/" + std::to_string(processo) + "/status");
    std::string riga;
    while (std::getline(stato, riga))
        if (riga.rfind("VmRSS:", 0) == 0)
            return std::stol(riga.substr(6));
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE-TEXT PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    // A display just started may take a moment to answer.
    Display* schermo = nullptr;
    for (int prova = 0; prova < 100 && !schermo; ++prova) {
        schermo = XOpenDisplay(nullptr);
        if (!schermo)
            usleep(50000);
    }
    if (!schermo) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const Window radice = DefaultRootWindow(schermo);
    XSelectInput(schermo, radice, SubstructureNotifyMask);
    XSync(schermo, False);

    const auto inizio = std::chrono::steady_clock::now();
    const pid_t figlio = fork();
    if (figlio == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }

    const auto scadenza = inizio + std::chrono::seconds(20);
    double millisecondi = -1;
    long memoria = -1;
    const int connessione = ConnectionNumber(schermo);
    while (millisecondi < 0 && std::chrono::steady_clock::now() < scadenza) {
        while (XPending(schermo)) {
            XEvent evento;
            XNextEvent(schermo, &evento);
            if (evento.type == MapNotify && titoloContiene(schermo, evento.xmap.window, argv[1])) {
                millisecondi = std::chrono::duration<double, std::milli>(
                                   std::chrono::steady_clock::now() - inizio)
                                   .count();
                memoria = memoriaResidente(figlio);
                break;
            }
        }
        if (millisecondi >= 0)
            break;
        fd_set pronti;
        FD_ZERO(&pronti);
        FD_SET(connessione, &pronti);
        timeval attesa{0, 20000};
        select(connessione + 1, &pronti, nullptr, nullptr, &attesa);
    }
    kill(figlio, SIGTERM);
    waitpid(figlio, nullptr, 0);
    XCloseDisplay(schermo);
    if (millisecondi < 0) {
        std::fprintf(stderr, "no window titled \"%s\" was mapped\n", argv[1]);
        return 1;
    }
    std::printf("%.1f %ld\n", millisecondi, memoria);
    return 0;
}
