#include "core/generator/StimaForza.h"

#include <QByteArray>

#include <zxcvbn.h>

double BitStimati(const QString& password) {
    if (password.isEmpty())
        return 0;
    QByteArray testo = password.toUtf8();
    const double bit = ZxcvbnMatch(testo.constData(), nullptr, nullptr);
    testo.fill('\0');
    return bit;
}

Forza ForzaDeiBit(double bit) {
    if (bit >= BitForzaOttima)
        return Forza::Ottima;
    if (bit >= BitForzaBuona)
        return Forza::Buona;
    if (bit >= BitForzaDiscreta)
        return Forza::Discreta;
    return Forza::Debole;
}

QString NomeForza(Forza forza) {
    switch (forza) {
    case Forza::Debole:
        return QStringLiteral("Debole");
    case Forza::Discreta:
        return QStringLiteral("Discreta");
    case Forza::Buona:
        return QStringLiteral("Buona");
    case Forza::Ottima:
        return QStringLiteral("Ottima");
    }
    return {};
}
