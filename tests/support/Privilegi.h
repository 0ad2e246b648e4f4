#pragma once

#include <QCoreApplication>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <grp.h>
#include <unistd.h>

// Root ignores file permissions, so a test of a read-only file or folder would never see the
// failure. Tests that need one call this first thing in main(): a process running as root
// continues as the unprivileged user "nobody" (65534). Returns false if that was not possible.
inline bool RinunciaPrivilegiRoot() {
    if (geteuid() != 0)
        return true;
    const gid_t nessunGruppo = 65534;
    const uid_t nessuno = 65534;
    return setgroups(0, nullptr) == 0 && setgid(nessunGruppo) == 0 && setuid(nessuno) == 0;
}

// Leaves root or ends the test program: a read-only case must never pass unseen.
inline void TerminaSeRoot() {
    if (!RinunciaPrivilegiRoot()) {
        std::fputs("cannot leave root privileges: the read-only cases could not fail\n", stderr);
        std::exit(1);
    }
}

// The main() of a core test that needs read-only files and folders to really refuse writes.
#define BLINDORO_TEST_NUCLEO_SENZA_ROOT(Classe)                                                    \
    int main(int argc, char** argv) {                                                              \
        TerminaSeRoot();                                                                           \
        QCoreApplication applicazione(argc, argv);                                                 \
        Classe prova;                                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&prova, argc, argv);                                                   \
    }
