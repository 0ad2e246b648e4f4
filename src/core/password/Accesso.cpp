#include "core/password/Accesso.h"

#include <algorithm>

QString Accesso::PercorsoFile(const QString& cartellaProgramma) {
    return cartellaProgramma + NomeFile;
}

QString NormalizzaPassword(const QString& testo) {
    return TogliSpazi(LettereMaiuscole(testo));
}

bool PasswordCifrabile(const QString& password) {
    return std::all_of(password.cbegin(), password.cend(),
                       [](QChar carattere) { return carattere.unicode() <= 255; });
}
