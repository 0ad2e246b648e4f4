#pragma once

#include <QList>
#include <QString>

// Generated passwords: a length and the classes of characters to draw from, every chosen class
// present at least once. Only printable ASCII without the blank is drawn, so a password is stored
// in the archive's code page unchanged and any keyboard types it.
//
// The draw is uniform over every text that meets the settings: each character is drawn uniformly
// from the chosen classes together, and a text that misses a class is thrown away and drawn again.
// The exact entropy of the settings is therefore the log2 of the number of those texts.

inline constexpr int LunghezzaMinimaPassword = 8;
inline constexpr int LunghezzaMassimaPassword = 120; // what the record's password field holds
inline constexpr int LunghezzaPredefinitaPassword = 20;

// The four classes, in the order of the alphabet: capitals, small letters, digits, symbols.
inline constexpr char MaiuscolePassword[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr char MinuscolePassword[] = "abcdefghijklmnopqrstuvwxyz";
inline constexpr char CifrePassword[] = "0123456789";
// Every printable ASCII sign that is neither a letter nor a digit nor the blank (32 signs).
inline constexpr char SimboliPassword[] = "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";
// The characters easily taken for one another, left out on request.
inline constexpr char SosiaPassword[] = "lI1O0";

struct ImpostazioniPassword {
    int lunghezza = LunghezzaPredefinitaPassword;
    bool maiuscole = true;
    bool minuscole = true;
    bool cifre = true;
    bool simboli = true;
    bool senzaSosia = false; // leaves out l, I, 1, O and 0
};

// Whether a password can be drawn: a length from 8 to 120 and at least one class.
bool ImpostazioniValide(const ImpostazioniPassword& impostazioni);

// The characters of each chosen class, in the order above, the look-alikes taken out when asked.
QList<QString> ClassiScelte(const ImpostazioniPassword& impostazioni);

// A new password. Throws std::invalid_argument when the settings are not valid.
QString GeneraPassword(const ImpostazioniPassword& impostazioni);

// The log2 of the number of passwords the settings can give, all equally likely: the exact entropy
// of one draw, in bits. Throws std::invalid_argument when the settings are not valid.
double EntropiaEsatta(const ImpostazioniPassword& impostazioni);

// How many texts of `lunghezza` characters over an alphabet of `alfabeto` characters hold at least
// one character of each class (classes given by their sizes: disjoint, inside the alphabet), by
// inclusion and exclusion over the classes left out. Exact while the count is below 2^53; beyond
// it, to double precision (94^120 is about 2^787, well within a double).
double TestiConOgniClasse(int alfabeto, const QList<int>& classi, int lunghezza);
