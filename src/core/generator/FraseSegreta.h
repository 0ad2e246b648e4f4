#pragma once

#include <QString>

// Passphrases: words drawn from an Italian word list built into the program (words of 4 to 9 small
// letters a to z, each once, in sorted order), joined by a separator of the user's choice.
//
// The separator holds no small letter, so a passphrase splits back into its words in one way only
// and every sequence of words gives a different text: the exact entropy is words x log2(list size).
// It is 1 to 3 printable ASCII characters (the blank among them), so ten words of nine letters
// still fit the record's password field (10 x 9 + 9 x 3 = 117 characters) and its code page.

inline constexpr int ParoleMinimeFrase = 4;
inline constexpr int ParoleMassimeFrase = 10;
inline constexpr int ParolePredefiniteFrase = 5;
inline constexpr int LunghezzaMassimaSeparatore = 3;

struct ImpostazioniFrase {
    int parole = ParolePredefiniteFrase;
    QString separatore = QStringLiteral("-");
};

bool SeparatoreValido(const QString& separatore);
// Whether a passphrase can be drawn: 4 to 10 words and a valid separator.
bool ImpostazioniValide(const ImpostazioniFrase& impostazioni);

// A new passphrase. Throws std::invalid_argument when the settings are not valid.
QString GeneraFrase(const ImpostazioniFrase& impostazioni);

// words x log2(list size), in bits. Throws std::invalid_argument when the settings are not valid.
double EntropiaEsatta(const ImpostazioniFrase& impostazioni);

// The built-in list, read from the program's resources on first use.
qsizetype NumeroParole();
QString Parola(qsizetype indice); // indice from 0 to NumeroParole() - 1
