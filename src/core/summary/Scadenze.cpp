#include "core/summary/Scadenze.h"

#include "core/text/Testo.h"

#include <QStringView>

namespace {

// Reads from `minimo` to `massimo` decimal digits at `posizione` and moves past them; -1 when
// there are fewer than `minimo`.
int Cifre(QStringView testo, qsizetype& posizione, int minimo, int massimo) {
    int valore = 0;
    int lette = 0;
    while (lette < massimo && posizione < testo.size() && testo[posizione] >= u'0' &&
           testo[posizione] <= u'9') {
        valore = valore * 10 + (testo[posizione].unicode() - u'0');
        ++posizione;
        ++lette;
    }
    return lette >= minimo ? valore : -1;
}

bool Barra(QStringView testo, qsizetype& posizione) {
    if (posizione >= testo.size() || testo[posizione] != u'/')
        return false;
    ++posizione;
    return true;
}

} // namespace

QDate DataScadenza(const QString& scadenza) {
    const QString testo = TogliSpazi(scadenza);
    qsizetype posizione = 0;
    const int giorno = Cifre(testo, posizione, 1, 2);
    if (giorno < 0 || !Barra(testo, posizione))
        return {};
    const int mese = Cifre(testo, posizione, 1, 2);
    if (mese < 0 || !Barra(testo, posizione))
        return {};
    const int anno = Cifre(testo, posizione, 4, 4);
    if (anno < 0 || posizione != testo.size())
        return {};
    // An impossible day (30/02, month 13, year 0) gives an invalid date.
    return QDate(anno, mese, giorno);
}

bool Scaduta(const QString& scadenza, const QDate& oggi) {
    const QDate giorno = DataScadenza(scadenza);
    return giorno.isValid() && oggi.isValid() && oggi > giorno;
}
