#pragma once

#include <QString>
#include <stdexcept>

// The reversible cipher of the access password. Each character is enciphered as one byte (its low
// 8 bits) and written as two upper-case hex digits; the key is advanced from each cipher byte, so
// the hex form of a text begins with the hex form of each of its prefixes.

// A hex text holding a pair that is not two hexadecimal digits.
class ErroreConversione : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

QString EncryptToHex(const QString& testo);
// Reads hex digits of either case and ignores an odd last digit. Throws ErroreConversione, before
// deciphering anything, when a pair is not hexadecimal.
QString DecryptFromHex(const QString& esadecimale);
