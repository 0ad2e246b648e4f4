#include "gui/Guardia.h"

#include "gui/Piattaforma.h"

#include <QString>
#include <exception>

void MostraErroreImprevisto(const char* testo) noexcept {
    try {
        Piattaforma::corrente().messaggio(nullptr, TipoMessaggio::Errore, Pulsanti::Ok,
                                          QString::fromUtf8(testo));
    } catch (...) {
        // Nothing more can be told: the action has ended all the same.
    }
}

namespace {

void MostraFallimento() noexcept {
    try {
        throw;
    } catch (const std::exception& errore) {
        MostraErroreImprevisto(errore.what());
    } catch (...) {
        MostraErroreImprevisto("Errore imprevisto.");
    }
}

} // namespace

void EseguiAzione(const std::function<void()>& azione) noexcept {
    try {
        azione();
    } catch (...) {
        MostraFallimento();
    }
}

bool EseguiFiltro(const std::function<bool()>& filtro) noexcept {
    try {
        return filtro();
    } catch (...) {
        MostraFallimento();
        return true;
    }
}
