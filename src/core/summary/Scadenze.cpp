#include "core/summary/Scadenze.h"

#include "core/text/Testo.h"

QDate DataScadenza(const QString& scadenza) {
    return QDate::fromString(TogliSpazi(scadenza), QStringLiteral("d/M/yyyy"));
}

bool Scaduta(const QString& scadenza, const QDate& oggi) {
    const QDate giorno = DataScadenza(scadenza);
    return giorno.isValid() && oggi.isValid() && oggi > giorno;
}
