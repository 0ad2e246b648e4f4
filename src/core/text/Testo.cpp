#include "core/text/Testo.h"

namespace {

bool eSpazio(QChar carattere) {
    return carattere.unicode() <= 32;
}

} // namespace

QString TogliSpazi(const QString& testo) {
    qsizetype inizio = 0;
    qsizetype fine = testo.size();
    while (inizio < fine && eSpazio(testo[inizio]))
        ++inizio;
    while (fine > inizio && eSpazio(testo[fine - 1]))
        --fine;
    return testo.sliced(inizio, fine - inizio);
}

QString LettereMaiuscole(QString testo) {
    for (QChar& carattere : testo) {
        if (carattere >= u'a' && carattere <= u'z')
            carattere = QChar(carattere.unicode() - u'a' + u'A');
    }
    return testo;
}

QString LettereMinuscole(QString testo) {
    for (QChar& carattere : testo) {
        if (carattere >= u'A' && carattere <= u'Z')
            carattere = QChar(carattere.unicode() - u'A' + u'a');
    }
    return testo;
}
