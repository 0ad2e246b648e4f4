#include "core/text/Formati.h"

#include "core/text/Testo.h"

#include <QLocale>

void ImpostaFormatiProcesso() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

namespace {

// The number the digits at `inizio` make, or -1 when one of them is not a digit.
int Cifre(QStringView testo, qsizetype inizio, qsizetype quante) {
    int numero = 0;
    for (qsizetype i = inizio; i < inizio + quante; ++i) {
        const char16_t c = testo[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        numero = numero * 10 + (c - u'0');
    }
    return numero;
}

void ScriviCifre(QChar* destinazione, int numero, int quante) {
    for (int i = quante - 1; i >= 0; --i, numero /= 10)
        destinazione[i] = QChar(u'0' + numero % 10);
}

} // namespace

// The usual dates are written and read by hand: Qt's format parser takes microseconds a date,
// and an import reads and writes two dates for each of thousands of rows. The result is the same.
QString DataInTesto(const QDate& data) {
    if (!data.isValid() || data.year() < 1 || data.year() > 9999)
        return data.toString(QLatin1String(FormatoData));
    QString testo(10, QLatin1Char('/'));
    ScriviCifre(testo.data(), data.day(), 2);
    ScriviCifre(testo.data() + 3, data.month(), 2);
    ScriviCifre(testo.data() + 6, data.year(), 4);
    return testo;
}

// Only the years 1 to 9999, whose dates fill the ten characters of a record's date: Qt's reader
// would also take a year with a minus sign.
QDate DataDaTesto(const QString& testo) {
    const QString pulito = TogliSpazi(testo);
    if (pulito.size() == 10 && pulito[2] == QLatin1Char('/') && pulito[5] == QLatin1Char('/')) {
        const int giorno = Cifre(pulito, 0, 2), mese = Cifre(pulito, 3, 2),
                  anno = Cifre(pulito, 6, 4);
        if (giorno >= 0 && mese >= 0 && anno >= 0)
            return anno >= 1 ? QDate(anno, mese, giorno) : QDate();
    }
    const QDate letta = QDate::fromString(pulito, QLatin1String(FormatoData));
    return letta.isValid() && letta.year() >= 1 ? letta : QDate();
}
