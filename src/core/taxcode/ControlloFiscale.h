#pragma once

#include "core/text/Testo.h"

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>

// Italian tax codes: the check letter of the codice fiscale, the check digit of the partita IVA
// and the table of the VAT offices that issue partite IVA.

inline constexpr int LunghezzaCodiceFiscale = 16;
inline constexpr int LunghezzaPartitaIva = 11;

// Values of the characters "0" to "Z" in the odd and even positions of a codice fiscale; the
// seven codes between "9" and "A" are worth 0 in both.
extern const std::array<std::uint8_t, 43> TabDispari;
extern const std::array<std::uint8_t, 43> TabPari;

// Whether the 16th character of an upper-case 16-character code is the check letter of the first
// 15. Any other length, or a character outside 0-9 and A-Z, makes the code invalid.
bool CodFiscValido(const QString& testo);

// Whether the text is 11 digits whose last one is the check digit of the first ten.
bool PartitaIvaValida(const QString& testo);

struct UfficioIva {
    QStringView codice; // three digits, e.g. "058"
    QStringView nome;
};
extern const std::array<UfficioIva, 104> UfficiIva;

// The name of the office with this three-digit code; empty when the code is not in the table.
QString NomeUfficioIva(const QString& codice);
// The office code of a partita IVA: its 8th, 9th and 10th digits.
QString CodiceUfficio(const QString& partitaIva);

// Whether every character of the text is one of the digits 0-9 (true for an empty text).
bool SoloCifre(const QString& testo);
