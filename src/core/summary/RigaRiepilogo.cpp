#include "core/summary/RigaRiepilogo.h"

#include "core/text/Testo.h"

#include <algorithm>

namespace {

QString Incolonnato(const TScheda& scheda, Campo campo, qsizetype larghezza) {
    QString testo = TogliSpazi(DecodificaCampo(scheda, campo));
    if (testo.size() > larghezza)
        testo.truncate(larghezza);
    else
        testo.resize(larghezza, u' ');
    return testo;
}

char16_t ChiaveOrdine(QChar carattere) {
    const char16_t codice = carattere.unicode();
    return codice >= u'a' && codice <= u'z' ? char16_t(codice - u'a' + u'A') : codice;
}

} // namespace

QString RigaRiepilogo(const TScheda& scheda) {
    QString riga;
    riga.reserve(153);
    riga += Incolonnato(scheda, Campo::Titolo, 42);
    riga += u"  ID: ";
    riga += Incolonnato(scheda, Campo::Utente, 28);
    riga += u"  Nome: ";
    riga += Incolonnato(scheda, Campo::Intestatario, 28);
    riga += u"  Tel. ";
    riga += Incolonnato(scheda, Campo::Tel, 16);
    riga += u"  Scad. ";
    riga += TogliSpazi(DecodificaCampo(scheda, Campo::Scadenza));
    return riga;
}

int ConfrontaNellElenco(QStringView primo, QStringView secondo) {
    const qsizetype comune = std::min(primo.size(), secondo.size());
    for (qsizetype i = 0; i < comune; ++i) {
        const char16_t a = ChiaveOrdine(primo[i]);
        const char16_t b = ChiaveOrdine(secondo[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return primo.size() == secondo.size() ? 0 : primo.size() < secondo.size() ? -1 : 1;
}

bool PrecedeNellElenco(QStringView primo, QStringView secondo) {
    return ConfrontaNellElenco(primo, secondo) < 0;
}

void OrdinaNellElenco(QStringList& righe) {
    std::stable_sort(righe.begin(), righe.end(), [](const QString& primo, const QString& secondo) {
        return PrecedeNellElenco(primo, secondo);
    });
}
