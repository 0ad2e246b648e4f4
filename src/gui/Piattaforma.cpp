#include "gui/Piattaforma.h"

#include <QtGlobal>

namespace {

Piattaforma* piattaformaInUso = nullptr;

} // namespace

Piattaforma& Piattaforma::corrente() {
    if (!piattaformaInUso)
        qFatal("no platform layer installed: the program installs PiattaformaQt at start");
    return *piattaformaInUso;
}

Piattaforma* Piattaforma::installa(Piattaforma* nuova) {
    Piattaforma* precedente = piattaformaInUso;
    piattaformaInUso = nuova;
    return precedente;
}
