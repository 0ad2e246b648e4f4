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

// A secret held for one check only: its characters are overwritten when it goes, so the access
// password does not stay in the process's memory after the login or the change that needed it.
class TestoSegreto {
public:
    TestoSegreto() = default;
    explicit TestoSegreto(QString testo)
        : testo_(std::move(testo)) {}
    ~TestoSegreto() { Cancella(); }
    TestoSegreto(const TestoSegreto&) = delete;
    TestoSegreto& operator=(const TestoSegreto&) = delete;

    const QString& Testo() const { return testo_; }
    void Imposta(QString testo) {
        Cancella();
        testo_ = std::move(testo);
    }
    void Cancella();

private:
    QString testo_;
};

// Overwrites the characters of the text, then empties it.
void CancellaTesto(QString& testo);

// The access password the file in the program folder keeps, deciphered and without blanks at its
// ends: what a typed password, normalised, must equal. Empty when the file or its value is missing.
// Throws what reading or deciphering throws.
QString PasswordMemorizzata(const QString& cartellaProgramma);

// The form in which a password is stored and compared: a to z in capitals (no other character
// changes), blanks and control characters at both ends removed.
QString NormalizzaPassword(const QString& testo);

// Whether the cipher keeps every character: it keeps one byte of each, so codes up to 255 only.
bool PasswordCifrabile(const QString& password);
