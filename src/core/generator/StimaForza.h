#pragma once

#include <QString>

// The strength of a password as libzxcvbn estimates it (the estimator KeePassXC uses): the bits an
// attacker who tries common passwords, words, names, dates, keyboard runs, repeats and sequences
// first would need, and a word for them on KeePassXC's thresholds.
//
//   below 40 bits     "Debole"
//   40 to under 75    "Discreta"
//   75 to under 100   "Buona"
//   100 and more      "Ottima"

enum class Forza { Debole, Discreta, Buona, Ottima };

inline constexpr double BitForzaDiscreta = 40;
inline constexpr double BitForzaBuona = 75;
inline constexpr double BitForzaOttima = 100;

// The estimate in bits; 0 for an empty password. The text goes to the library in UTF-8 and is
// never kept or written anywhere.
double BitStimati(const QString& password);

Forza ForzaDeiBit(double bit);
QString NomeForza(Forza forza); // "Debole", "Discreta", "Buona", "Ottima"
