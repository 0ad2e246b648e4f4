#include "core/text/Formati.h"

#include "core/text/Testo.h"

#include <QLocale>

void ImpostaFormatiProcesso() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

QString DataInTesto(const QDate& data) {
    return data.toString(QLatin1String(FormatoData));
}

// Only the years 1 to 9999, whose dates fill the ten characters of a record's date: Qt's reader
// would also take a year with a minus sign.
QDate DataDaTesto(const QString& testo) {
    const QDate letta = QDate::fromString(TogliSpazi(testo), QLatin1String(FormatoData));
    return letta.isValid() && letta.year() >= 1 ? letta : QDate();
}
