#pragma once

#include "core/password/ProfiloPrivato.h"
#include "core/text/Testo.h"

#include <QString>

// The access password: the file beside the program that keeps it enciphered, and the form in which
// typed passwords are compared with it and stored.
namespace Accesso {

inline const QString NomeFile = QStringLiteral("unins000.dll");
inline const QString Sezione = QStringLiteral("Accesso");
inline const QString Chiave = QStringLiteral("Valore");

// Each character takes two hex digits and the reader returns at most LunghezzaMassimaValoreProfilo
// of them: a longer password could be stored but never typed back.
inline constexpr qsizetype LunghezzaMassimaPassword = LunghezzaMassimaValoreProfilo / 2;

QString PercorsoFile(const QString& cartellaProgramma);

} // namespace Accesso

// The form in which a password is stored and compared: a to z in capitals (no other character
// changes), blanks and control characters at both ends removed.
QString NormalizzaPassword(const QString& testo);

// Whether the cipher keeps every character: it keeps one byte of each, so codes up to 255 only.
bool PasswordCifrabile(const QString& password);
