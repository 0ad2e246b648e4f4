#pragma once

#include "support/Privilegi.h"

#include <QCoreApplication>
#include <QString>
#include <QTest>

// A real full disk for the tests, not a mock: a small tmpfs (512 KiB) mounted on a temporary
// folder, in a mount namespace that belongs to the test process alone, so nothing outside it sees
// the mount and it goes away with the process. Mounting needs root, so a test main mounts first
// and leaves root afterwards (BLINDORO_TEST_NUCLEO_DISCO_PIENO); the file system's root folder is
// open to everyone, so the cases work the same as the unprivileged user. Where the system refuses
// the mount (not root, no mount namespaces) the cases skip with the reason
// (SALTA_SENZA_DISCO_PIENO); where it allows it, they run.
//
// The mount point can only be removed from outside the namespace once the test process is gone.
// Monta() therefore forks: the process that was started waits, outside the namespace and still
// root, removes the folder and ends as the test process ended. To debug a test in gdb, use
// "set follow-fork-mode child".
class DiscoPieno {
public:
    static constexpr qint64 DimensioneNormale = 512 * 1024;

    // Mounts the file system. Once, first thing in main(), while the process is still root.
    static void Monta(qint64 dimensione = DimensioneNormale);
    static bool Disponibile();
    // Why the disk is not available.
    static QString Motivo();
    // Bytes that can still be written on the disk.
    static qint64 Liberi();

    // One test's use of the disk: an empty folder of its own. At the end the folder and the filler
    // go, so the next test finds the disk empty.
    DiscoPieno();
    ~DiscoPieno();
    DiscoPieno(const DiscoPieno&) = delete;
    DiscoPieno& operator=(const DiscoPieno&) = delete;

    QString Cartella() const { return cartella_; }
    QString Percorso(const QString& nome) const { return cartella_ + QLatin1Char('/') + nome; }

    // Fills the disk up: a filler file outside Cartella() grows until the system answers ENOSPC.
    // True when it did.
    bool Riempi();
    // Shrinks the filler so that at least `byte` more bytes can be written; true when they can.
    bool Libera(qint64 byte);

private:
    QString cartella_;
};

// The first line of a case that needs the full disk.
#define SALTA_SENZA_DISCO_PIENO()                                                                  \
    do {                                                                                           \
        if (!DiscoPieno::Disponibile())                                                            \
            QSKIP(qPrintable(QStringLiteral("no full disk: ") + DiscoPieno::Motivo()));            \
    } while (false)

// The main() of a core test with full-disk cases: mount, then leave root (support/Privilegi.h).
#define BLINDORO_TEST_NUCLEO_DISCO_PIENO(Classe)                                                   \
    int main(int argc, char** argv) {                                                              \
        DiscoPieno::Monta();                                                                       \
        TerminaSeRoot();                                                                           \
        QCoreApplication applicazione(argc, argv);                                                 \
        Classe prova;                                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&prova, argc, argv);                                                   \
    }
