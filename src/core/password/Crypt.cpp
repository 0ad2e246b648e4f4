#include "core/password/Crypt.h"

#include <QList>
#include <cstdint>

namespace {

constexpr std::uint16_t ChiaveIniziale = 9486;
constexpr std::uint16_t Moltiplicatore = 50329;
constexpr std::uint16_t Addendo = 36157;

// The mask that the key lays on the next byte.
std::uint8_t maschera(std::uint16_t chiave) {
    return static_cast<std::uint8_t>(chiave >> 8);
}

// The key after a cipher byte (modulo 65536, as the 16-bit arithmetic wraps).
std::uint16_t avanza(std::uint16_t chiave, std::uint8_t cifrato) {
    // Unsigned 32-bit arithmetic: in int the product overflows.
    return static_cast<std::uint16_t>((std::uint32_t{cifrato} + chiave) * Moltiplicatore + Addendo);
}

int valoreCifra(QChar cifra) {
    const char16_t c = cifra.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

QList<std::uint8_t> byteDaEsadecimale(const QString& esadecimale) {
    QList<std::uint8_t> byte;
    byte.reserve(esadecimale.size() / 2);
    for (qsizetype i = 0; i + 1 < esadecimale.size(); i += 2) {
        const int alto = valoreCifra(esadecimale[i]);
        const int basso = valoreCifra(esadecimale[i + 1]);
        if (alto < 0 || basso < 0)
            throw ErroreConversione("'" + esadecimale.mid(i, 2).toStdString() +
                                    "' non è un valore esadecimale valido");
        byte.append(static_cast<std::uint8_t>(alto * 16 + basso));
    }
    return byte;
}

} // namespace

QString EncryptToHex(const QString& testo) {
    static const char cifre[] = "0123456789ABCDEF";
    QString risultato;
    risultato.reserve(testo.size() * 2);
    std::uint16_t chiave = ChiaveIniziale;
    for (const QChar carattere : testo) {
        const auto chiaro = static_cast<std::uint8_t>(carattere.unicode() & 0xFF);
        const auto cifrato = static_cast<std::uint8_t>(chiaro ^ maschera(chiave));
        risultato.append(QLatin1Char(cifre[cifrato >> 4]));
        risultato.append(QLatin1Char(cifre[cifrato & 0x0F]));
        chiave = avanza(chiave, cifrato);
    }
    return risultato;
}

QString DecryptFromHex(const QString& esadecimale) {
    const QList<std::uint8_t> cifrati = byteDaEsadecimale(esadecimale);
    QString risultato;
    risultato.reserve(cifrati.size());
    std::uint16_t chiave = ChiaveIniziale;
    for (const std::uint8_t cifrato : cifrati) {
        risultato.append(QChar(static_cast<char16_t>(cifrato ^ maschera(chiave))));
        chiave = avanza(chiave, cifrato);
    }
    return risultato;
}
