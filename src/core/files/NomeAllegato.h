#pragma once

#include <QString>

// The names of attached files. A record names its attachments by bare file name; the name comes
// from the file dialog or from an archive written anywhere, so it is reduced before any path is
// built from it.

// The folder below the program folder that keeps the copies of attached files.
inline const QString CartellaAllegati = QStringLiteral("Documenti_Allegati/");

// The last part of a path written with "/" or "\" as separators.
QString SenzaCartella(const QString& percorso);

// The bare file name that an attachment name stands for: any folder part is dropped, and blanks
// at both ends are removed. Empty when nothing usable is left (an empty name, ".", "..", or a name
// ending with a separator).
QString NomeAllegato(const QString& nome);
