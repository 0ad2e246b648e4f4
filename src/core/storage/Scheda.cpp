#include "core/storage/Scheda.h"

#include "core/storage/Windows1252.h"

#include <array>
#include <cstring>

namespace {

struct PosizioneCampo {
    std::size_t inizio;
    std::size_t byte;
};

#define BLINDORO_CAMPO(nome)                                                                       \
    { offsetof(TScheda, nome), sizeof(TScheda::nome) }

constexpr std::array<PosizioneCampo, NumeroCampi> PosizioniCampi = {{
    BLINDORO_CAMPO(Titolo),       BLINDORO_CAMPO(URL),        BLINDORO_CAMPO(Proprietario),
    BLINDORO_CAMPO(Descrizione),  BLINDORO_CAMPO(Utente),     BLINDORO_CAMPO(Creazione),
    BLINDORO_CAMPO(Password),     BLINDORO_CAMPO(Scadenza),   BLINDORO_CAMPO(Domanda),
    BLINDORO_CAMPO(Risposta),     BLINDORO_CAMPO(Utilizzate), BLINDORO_CAMPO(Note),
    BLINDORO_CAMPO(Intestatario), BLINDORO_CAMPO(CodFisc),    BLINDORO_CAMPO(Email),
    BLINDORO_CAMPO(Tel),          BLINDORO_CAMPO(File01),     BLINDORO_CAMPO(File02),
    BLINDORO_CAMPO(File03),       BLINDORO_CAMPO(Desc01),     BLINDORO_CAMPO(Desc02),
    BLINDORO_CAMPO(Desc03),
}};

#undef BLINDORO_CAMPO

constexpr PosizioneCampo PosizioneDi(Campo campo) {
    return PosizioniCampi[static_cast<std::size_t>(campo)];
}

} // namespace

std::span<char> ByteDelCampo(TScheda& scheda, Campo campo) {
    const PosizioneCampo posizione = PosizioneDi(campo);
    return {reinterpret_cast<char*>(&scheda) + posizione.inizio, posizione.byte};
}

std::span<const char> ByteDelCampo(const TScheda& scheda, Campo campo) {
    const PosizioneCampo posizione = PosizioneDi(campo);
    return {reinterpret_cast<const char*>(&scheda) + posizione.inizio, posizione.byte};
}

qsizetype LunghezzaMassima(Campo campo) {
    return static_cast<qsizetype>(PosizioneDi(campo).byte) - 1;
}

void CodificaCampo(TScheda& scheda, Campo campo, const QString& testo) {
    const std::span<char> byte = ByteDelCampo(scheda, campo);
    const qsizetype scritti = CodificaWindows1252(testo, byte.data(), LunghezzaMassima(campo));
    byte[static_cast<std::size_t>(scritti)] = '\0';
}

QString DecodificaCampo(const TScheda& scheda, Campo campo) {
    const std::span<const char> byte = ByteDelCampo(scheda, campo);
    const void* fine = std::memchr(byte.data(), '\0', byte.size());
    const std::size_t lunghezza =
        fine ? static_cast<std::size_t>(static_cast<const char*>(fine) - byte.data()) : byte.size();
    return DecodificaWindows1252(QByteArrayView(byte.data(), static_cast<qsizetype>(lunghezza)));
}
