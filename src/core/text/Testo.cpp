#include "core/text/Testo.h"

namespace {

bool spazio(QChar carattere) {
    return carattere.unicode() <= 32;
}

bool invisibile(QChar carattere) {
    return spazio(carattere) || carattere.isSpace() || carattere.category() == QChar::Other_Control;
}

template <class Regola> QString togli(const QString& testo, Regola taglia) {
    qsizetype inizio = 0;
    qsizetype fine = testo.size();
    while (inizio < fine && taglia(testo[inizio]))
        ++inizio;
    while (fine > inizio && taglia(testo[fine - 1]))
        --fine;
    return testo.sliced(inizio, fine - inizio);
}

} // namespace

QString TogliSpazi(const QString& testo) {
    return togli(testo, spazio);
}

QString TogliInvisibili(const QString& testo) {
    return togli(testo, invisibile);
}

qsizetype SpaziIniziali(const QString& testo) {
    qsizetype quanti = 0;
    while (quanti < testo.size() && spazio(testo[quanti]))
        ++quanti;
    return quanti;
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
