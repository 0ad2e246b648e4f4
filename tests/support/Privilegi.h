#pragma once

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
