// Any text as a date of the date fields and as an expiry of the summary.

#include "Verifica.h"
#include "core/summary/Scadenze.h"
#include "core/text/Formati.h"

#include <QString>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    const QString testo =
        QString::fromUtf8(reinterpret_cast<const char*>(dati), qsizetype(dimensione));

    const QDate data = DataDaTesto(testo);
    if (data.isValid()) {
        const QString scritta = DataInTesto(data);
        Verifica(scritta.size() == 10, "dd/mm/yyyy");
        Verifica(DataDaTesto(scritta) == data, "a date reads back as written");
    }

    const QDate scadenza = DataScadenza(testo);
    const QDate oggi(2024, 3, 15);
    if (!scadenza.isValid()) {
        Verifica(!Scaduta(testo, oggi), "a text that is not a date never expires");
        return 0;
    }
    Verifica(DataScadenza(DataInTesto(scadenza)) == scadenza, "an expiry reads back as written");
    Verifica(Scaduta(testo, oggi) == (oggi > scadenza), "expired when today is later");
    Verifica(!Scaduta(testo, scadenza), "not expired on its own day");
    return 0;
}
