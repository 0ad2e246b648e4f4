#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (the desktop's logout, Ctrl+C in a terminal, a closed terminal) end
// the program as an orderly quit: every event loop returns, modal ones included, so what the
// program does at its end (the clipboard emptied, the windows destroyed) is done. The handler only
// writes the signal's number into a pipe that the event loop watches, about the one thing a
// signal handler may safely do. The exit status is 128 + the signal's number, as for a program
// the signal ended. A signal that was ignored when the program started (SIGHUP under nohup) stays
// ignored. One such object at a time in a process; while it lives, no signal of the three ends
// the process by itself.
class ChiusuraSuSegnale : public QObject {
public:
    explicit ChiusuraSuSegnale(QObject* parent = nullptr);
    // The signals end the process at once again.
    ~ChiusuraSuSegnale() override;
    ChiusuraSuSegnale(const ChiusuraSuSegnale&) = delete;
    ChiusuraSuSegnale& operator=(const ChiusuraSuSegnale&) = delete;

private:
    void segnaleArrivato();

    QSocketNotifier* notifica_ = nullptr;
};
