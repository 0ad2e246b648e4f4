#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>

// A settings file in the private-profile (INI) form: sections "[Nome]" followed by lines
// "Chiave=Valore". Section and key names are matched without regard to letter case, and only the
// first section of a name and the first key of a name in it count, as the Windows reader does.
// Lines that are not looked for are kept byte for byte when a value is written.

class ErroreScritturaProfilo : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Longer values read as their first characters, as on Windows.
inline constexpr qsizetype LunghezzaMassimaValoreProfilo = 2047;

// The value of the key; empty when the file, the section, the key or the value is missing.
QString LeggiValoreProfilo(const QString& percorso, const QString& sezione, const QString& chiave);

// Sets the value in place, adding the key or the section when missing. The new content goes to a
// new file beside the old one, which replaces it only once it is complete and on disk: on any
// failure, a full disk included, the old file stays as it was and ErroreScritturaProfilo is
// thrown. A file created here is readable by its owner only.
void ScriviValoreProfilo(const QString& percorso, const QString& sezione, const QString& chiave,
                         const QString& valore);

// The same two operations on the bytes of a file.
QString ValoreInProfilo(const QByteArray& contenuto, const QString& sezione, const QString& chiave);
QByteArray ProfiloConValore(const QByteArray& contenuto, const QString& sezione,
                            const QString& chiave, const QString& valore);
