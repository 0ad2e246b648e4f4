#include "LetturaGuasta.h"

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <sys/types.h>

// This program's own pread stands in front of the C library's: the archive code, linked into the
// test program, calls this one. No header that declares pread is included here.

namespace {

int letturePrimaDelGuasto = -1;

using FunzionePread = ssize_t (*)(int, void*, size_t, off_t);

FunzionePread PreadVera(const char* nome) {
    FunzionePread funzione = nullptr;
    void* simbolo = dlsym(RTLD_NEXT, nome);
    std::memcpy(&funzione, &simbolo, sizeof funzione);
    return funzione;
}

bool GuastoOra() {
    if (letturePrimaDelGuasto < 0)
        return false;
    return letturePrimaDelGuasto-- == 0;
}

} // namespace

void GuastaLetturaDopo(int riuscite) {
    letturePrimaDelGuasto = riuscite;
}

bool LetturaGuastaAvvenuta() {
    return letturePrimaDelGuasto < 0;
}

static ssize_t LetturaForseGuasta(FunzionePread vera, int descrittore, void* destinazione,
                                  size_t byte, off_t posizione) {
    if (GuastoOra()) {
        errno = EIO;
        return -1;
    }
    return vera(descrittore, destinazione, byte, posizione);
}

extern "C" ssize_t pread(int descrittore, void* destinazione, size_t byte, off_t posizione) {
    static const FunzionePread vera = PreadVera("pread");
    return LetturaForseGuasta(vera, descrittore, destinazione, byte, posizione);
}

extern "C" ssize_t pread64(int descrittore, void* destinazione, size_t byte, off_t posizione) {
    static const FunzionePread vera = PreadVera("pread64");
    return LetturaForseGuasta(vera, descrittore, destinazione, byte, posizione);
}
