#include "core/password/Accesso.h"

#include "core/password/Crypt.h"

#include <algorithm>

void CancellaTesto(QString& testo) {
    // Writing through begin() makes the text's buffer its own first, so only this copy is touched.
    std::fill(testo.begin(), testo.end(), QChar(0));
    testo.clear();
}

void TestoSegreto::Cancella() {
    CancellaTesto(testo_);
}

QString PasswordMemorizzata(const QString& cartellaProgramma) {
    TestoSegreto cifrato(LeggiValoreProfilo(Accesso::PercorsoFile(cartellaProgramma),
                                            Accesso::Sezione, Accesso::Chiave));
    TestoSegreto decifrato(DecryptFromHex(cifrato.Testo()));
    return TogliSpazi(decifrato.Testo());
}

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
