#include "core/summary/Ricerca.h"

#include "core/text/Testo.h"

#include <algorithm>
#include <stdexcept>

bool ContieneChiave(const QString& testo, const QString& chiave) {
    return !chiave.isEmpty() && LettereMinuscole(testo).contains(chiave);
}

void FiltriRicerca::Imposta(Campo campo, const QString& testo) {
    if (std::find(CampiDellaRicerca.begin(), CampiDellaRicerca.end(), campo) ==
        CampiDellaRicerca.end())
        throw std::invalid_argument("filtro su un campo che la ricerca non esamina");
    filtri.removeIf([campo](const Filtro& filtro) { return filtro.campo == campo; });
    if (!TogliSpazi(testo).isEmpty())
        filtri.append({campo, LettereMinuscole(testo)});
}

bool FiltriRicerca::Soddisfatti(const TScheda& scheda) const {
    return std::all_of(filtri.begin(), filtri.end(), [&scheda](const Filtro& filtro) {
        return ContieneChiave(DecodificaCampo(scheda, filtro.campo), filtro.chiave);
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
