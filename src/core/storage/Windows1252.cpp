#include "core/storage/Windows1252.h"

#include <QChar>
#include <QList>

#include <array>
#include <cstring>
#include <optional>

namespace {

// Bytes 80-9F; the undefined ones read as the control character of the same code.
constexpr std::array<char16_t, 32> TabellaDa80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Whether some byte lies in 80-9F, the only bytes where Windows-1252 differs from Latin-1. Looks at
// eight bytes at a time: a search reads every field of every record.
bool ContieneByteDa80A9F(QByteArrayView byte) {
    constexpr quint64 Uni = 0x0101010101010101, Alti = 0x8080808080808080,
                      TreAlti = 0xE0E0E0E0E0E0E0E0;
    qsizetype i = 0;
    for (; i + 8 <= byte.size(); i += 8) {
        quint64 otto;
        std::memcpy(&otto, byte.data() + i, 8);
        // A byte of 80-9F becomes zero here; the second line finds a zero byte.
        const quint64 x = (otto & TreAlti) ^ Alti;
        if ((x - Uni) & ~x & Alti)
            return true;
    }
    for (; i < byte.size(); ++i) {
        if ((static_cast<unsigned char>(byte[i]) & 0xE0) == 0x80)
            return true;
    }
    return false;
}

std::optional<char> CodificaEsatta(char32_t carattere) {
    if (carattere < 0x80 || (carattere >= 0xA0 && carattere <= 0xFF))
        return static_cast<char>(carattere);
    for (unsigned i = 0; i < TabellaDa80.size(); ++i) {
        if (TabellaDa80[i] == carattere)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

// Letters and signs that Unicode does not decompose but that have an obvious stand-in.
struct Somigliante {
    char32_t carattere;
    char sostituto;
};
constexpr Somigliante AltriSomiglianti[] = {
    {U'Ł', 'L'}, {U'ł', 'l'}, {U'Đ', 'D'},  {U'đ', 'd'},  {U'Ħ', 'H'},
    {U'ħ', 'h'}, {U'ı', 'i'}, {U'Ŧ', 'T'},  {U'ŧ', 't'},  {U'‐', '-'},
    {U'‒', '-'}, {U'−', '-'}, {U'‛', '\''}, {U'′', '\''}, {U'″', '"'},
};

bool SoloSegniDiacritici(const QList<uint>& caratteri) {
    for (qsizetype i = 1; i < caratteri.size(); ++i) {
        if (!QChar::isMark(caratteri[i]))
            return false;
    }
    return true;
}

// The base letter of a decomposed character: "ą" is "a" with a mark, "Ａ" is a wide "A",
// "ǖ" is "ü" with a mark (and "ü" is in the code page).
std::optional<char> CodificaSomigliante(char32_t carattere) {
    const QList<uint> scomposto = QChar::decomposition(carattere).toUcs4();
    if (!scomposto.isEmpty()) {
        const bool basePiuSegni = SoloSegniDiacritici(scomposto);
        const bool stessaLettera = scomposto.size() == 1;
        switch (QChar::decompositionTag(carattere)) {
        case QChar::Canonical:
            if (basePiuSegni)
                return CodificaCarattere(scomposto.front());
            break;
        case QChar::Font:
        case QChar::NoBreak:
        case QChar::Wide:
        case QChar::Narrow:
        case QChar::Small:
        case QChar::Super:
        case QChar::Sub:
        case QChar::Circle:
        case QChar::Compat:
            if (stessaLettera)
                return CodificaCarattere(scomposto.front());
            break;
        default:
            break;
        }
    }
    for (const Somigliante& s : AltriSomiglianti) {
        if (s.carattere == carattere)
            return s.sostituto;
    }
    return std::nullopt;
}

} // namespace

char CodificaCarattere(char32_t carattere) {
    if (const auto byte = CodificaEsatta(carattere))
        return *byte;
    return CodificaSomigliante(carattere).value_or('?');
}

bool NelCodice(char32_t carattere) {
    return CodificaEsatta(carattere).has_value();
}

qsizetype CodificaWindows1252(QStringView testo, char* destinazione, qsizetype massimo) {
    qsizetype scritti = 0;
    qsizetype i = 0;
    while (i < testo.size() && scritti < massimo) {
        const char16_t unita = testo[i].unicode();
        char32_t carattere = unita;
        ++i;
        if (QChar::isHighSurrogate(unita) && i < testo.size() && testo[i].isLowSurrogate()) {
            carattere = QChar::surrogateToUcs4(unita, testo[i].unicode());
            ++i;
        }
        destinazione[scritti++] =
            unita < 0x80 ? static_cast<char>(unita) : CodificaCarattere(carattere);
    }
    return scritti;
}

QByteArray CodificaWindows1252(QStringView testo) {
    QByteArray byte(testo.size(), Qt::Uninitialized);
    byte.truncate(CodificaWindows1252(testo, byte.data(), byte.size()));
    return byte;
}

QString DecodificaWindows1252(QByteArrayView byte) {
    QString testo = QString::fromLatin1(byte);
    if (!ContieneByteDa80A9F(byte))
        return testo;
    QChar* destinazione = testo.data();
    for (qsizetype i = 0; i < byte.size(); ++i) {
        const auto b = static_cast<unsigned char>(byte[i]);
        if ((b & 0xE0) == 0x80)
            destinazione[i] = QChar(TabellaDa80[b & 0x1F]);
    }
    return testo;
}
