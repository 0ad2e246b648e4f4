#pragma once

#include <QLineEdit>
#include <QString>
#include <algorithm>

// Puts a code into a check dialog's field whole: a text longer than the field's limit widens the
// limit instead of being cut, so the length warning reports it rather than a shortened code being
// checked.
inline void preimpostaCampo(QLineEdit* campo, const QString& testo) {
    campo->setMaxLength(std::max<qsizetype>(campo->maxLength(), testo.size()));
    campo->setText(testo);
}
