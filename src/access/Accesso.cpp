#include "access/Accesso.h"

#include <algorithm>

namespace {

bool eSpazio(QChar carattere) {
    return carattere.unicode() <= 32;
}

} // namespace

QString Accesso::PercorsoFile(const QString& cartellaProgramma) {
    return cartellaProgramma + NomeFile;
}

QString TogliSpazi(const QString& testo) {
    qsizetype inizio = 0;
    qsizetype fine = testo.size();
    while (inizio < fine && eSpazio(testo[inizio]))
        ++inizio;
    while (fine > inizio && eSpazio(testo[fine - 1]))
        --fine;
    return testo.sliced(inizio, fine - inizio);
}

QString NormalizzaPassword(const QString& testo) {
    QString maiuscolo = testo;
    for (QChar& carattere : maiuscolo)
        if (carattere >= u'a' && carattere <= u'z')
            carattere = QChar(carattere.unicode() - u'a' + u'A');
    return TogliSpazi(maiuscolo);
}

bool PasswordCifrabile(const QString& password) {
    return std::all_of(password.cbegin(), password.cend(),
                       [](QChar carattere) { return carattere.unicode() <= 255; });
}
