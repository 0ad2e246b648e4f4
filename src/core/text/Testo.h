#pragma once

#include <QString>

// The text rules the windows share.

// The two ways of trimming a text at both ends. They differ only in which characters count as
// blanks:
// - TogliSpazi cuts the characters of code 0 to 32: the blank and the ASCII control characters
//   (tab, line breaks...). It is the rule of every field, path, date and tag of the program: a
//   no-break space or an accented letter at an end belongs to the text.
// - TogliInvisibili cuts, besides those, every character Unicode calls white space or control
//   (the no-break space, the wide spaces, DEL, the codes 128 to 159). It is the rule of a name the
//   user gives a new file: an invisible character at its end would make a name that looks like
//   another but is not.
QString TogliSpazi(const QString& testo);
QString TogliInvisibili(const QString& testo);

// How many characters TogliSpazi cuts at the start of the text: what a field that trims while
// the user types takes away in front of the cursor.
qsizetype SpaziIniziali(const QString& testo);

// The text with the letters a to z turned into A to Z; every other character, accented letters
// included, stays as it is.
QString LettereMaiuscole(QString testo);

// The text with the letters A to Z turned into a to z; every other character stays as it is, so
// "CITTÀ" becomes "cittÀ".
QString LettereMinuscole(QString testo);
