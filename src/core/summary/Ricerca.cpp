#include "core/summary/Ricerca.h"

#include "core/storage/Windows1252.h"
#include "core/text/Testo.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>
#include <string_view>

bool ContieneChiave(const QString& testo, const QString& chiave) {
    return !chiave.isEmpty() && LettereMinuscole(testo).contains(chiave);
}

namespace {

// A filter is tested on the field's bytes, without decoding them: Windows-1252 gives every
// character of a field one byte and every byte one character, and A to Z are the same bytes as
// characters, so the key occurs in the decoded text in small letters exactly when the key's bytes
// occur in the field's bytes in small letters.
QByteArray ChiaveInByte(const QString& testo) {
    const QString minuscola = LettereMinuscole(testo);
    const QByteArray byte = CodificaWindows1252(minuscola);
    return DecodificaWindows1252(byte) == minuscola ? byte : QByteArray();
}

char Minuscola(char byte) {
    return byte >= 'A' && byte <= 'Z' ? char(byte - 'A' + 'a') : byte;
}

bool CampoContiene(std::span<const char> campo, const QByteArray& chiave) {
    if (chiave.isEmpty())
        return false;
    const void* nul = std::memchr(campo.data(), '\0', campo.size());
    const std::size_t lunghezza =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - campo.data()) : campo.size();
    std::array<char, sizeof(TScheda::Note)> minuscole; // the widest field
    std::transform(campo.data(), campo.data() + lunghezza, minuscole.data(), Minuscola);
    const std::string_view testo(minuscole.data(), lunghezza);
    const std::string_view cercata(chiave.constData(), static_cast<std::size_t>(chiave.size()));
    return testo.find(cercata) != std::string_view::npos;
}

} // namespace

void FiltriRicerca::Imposta(Campo campo, const QString& testo) {
    if (std::find(CampiDellaRicerca.begin(), CampiDellaRicerca.end(), campo) ==
        CampiDellaRicerca.end())
        throw std::invalid_argument("filtro su un campo che la ricerca non esamina");
    filtri.removeIf([campo](const Filtro& filtro) { return filtro.campo == campo; });
    if (!TogliSpazi(testo).isEmpty())
        filtri.append({campo, ChiaveInByte(testo)});
}

bool FiltriRicerca::Soddisfatti(const TScheda& scheda) const {
    return std::all_of(filtri.begin(), filtri.end(), [&scheda](const Filtro& filtro) {
        return CampoContiene(ByteDelCampo(scheda, filtro.campo), filtro.chiave);
    });
}

EsitoTrova Trova(const QStringList& righe, std::optional<qsizetype> selezionata,
                 const QString& chiave, const QString& ultimaChiave) {
    if (righe.isEmpty())
        return {std::nullopt, ultimaChiave};
    const qsizetype totale = righe.size();
    const qsizetype scelta =
        selezionata && *selezionata >= 0 && *selezionata < totale ? *selezionata : 0;
    const QString minuscola = LettereMinuscole(chiave);

    const bool ripetuta = minuscola == ultimaChiave;
    const qsizetype inizio = ripetuta ? scelta : 0;
    bool trovata = !ripetuta && ContieneChiave(righe[0], minuscola);
    qsizetype i = inizio;
    while (!trovata) {
        i = (i + 1) % totale;
        trovata = ContieneChiave(righe[i], minuscola);
        if (i == inizio)
            break;
    }
    return {trovata ? i : scelta, minuscola};
}
