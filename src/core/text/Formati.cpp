#include "core/text/Formati.h"

#include <QLocale>

void ImpostaFormatiProcesso() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

QString DataInTesto(const QDate& data) {
    return data.toString(QLatin1String(FormatoData));
}

QDate DataDaTesto(const QString& testo) {
    return QDate::fromString(testo.trimmed(), QLatin1String(FormatoData));
}
