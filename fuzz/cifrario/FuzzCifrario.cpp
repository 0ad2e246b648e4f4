// Any stored text through DecryptFromHex, as the login reads it, and any text through the cipher
// and back.

#include "Verifica.h"
#include "core/password/Crypt.h"

#include <QString>

#include <cstdint>

namespace {

bool Esadecimale(QChar carattere) {
    return (carattere >= u'0' && carattere <= u'9') || (carattere >= u'A' && carattere <= u'F') ||
           (carattere >= u'a' && carattere <= u'f');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    const QString testo =
        QString::fromUtf8(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const QString coppie = testo.left(testo.size() / 2 * 2);
    const bool valido = std::all_of(coppie.begin(), coppie.end(), Esadecimale);
    try {
        const QString chiaro = DecryptFromHex(testo);
        Verifica(valido, "only hex pairs decipher");
        Verifica(chiaro.size() == testo.size() / 2, "one character per pair");
        Verifica(
            std::all_of(chiaro.begin(), chiaro.end(), [](QChar c) { return c.unicode() <= 255; }),
            "codes from 0 to 255");
        Verifica(EncryptToHex(chiaro) == coppie.toUpper(), "enciphering gives the pairs back");
    } catch (const ErroreConversione&) {
        Verifica(!valido, "a text of hex pairs never fails");
    }

    // The bytes as a password of codes 0 to 255 come back unchanged.
    const QString password =
        QString::fromLatin1(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const QString cifrata = EncryptToHex(password);
    Verifica(cifrata.size() == 2 * password.size(), "two digits per character");
    Verifica(DecryptFromHex(cifrata) == password, "the password deciphers back");
    return 0;
}
