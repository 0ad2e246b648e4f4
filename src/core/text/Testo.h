#pragma once

#include <QString>

// The text rules the windows share.

// The text without the blanks and control characters (codes 0 to 32) at both ends.
QString TogliSpazi(const QString& testo);

// The text with the letters a to z turned into A to Z; every other character, accented letters
// included, stays as it is.
QString LettereMaiuscole(QString testo);

// The text with the letters A to Z turned into a to z; every other character stays as it is, so
// "CITTÀ" becomes "cittÀ".
QString LettereMinuscole(QString testo);
