#pragma once

#include "core/storage/Scheda.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// The line of one record in the lists of found and expired records: the title, the user, the
// holder and the telephone, each trimmed and padded with blanks or cut to a fixed width, with a
// label before each of the last four pieces, and the expiry date trimmed as it is:
//   Titolo (42) "  ID: " Utente (28) "  Nome: " Intestatario (28) "  Tel. " Tel (16) "  Scad. "
//   Scadenza
// so every line is 143 characters and the date. Only these five fields are decoded.
QString RigaRiepilogo(const TScheda& scheda);

// The order of the program's lists: character by character, a to z counting as A to Z and every
// other character by its UTF-16 code; a text that is the start of another comes first. Negative,
// zero or positive as `primo` comes before, together with or after `secondo`.
int ConfrontaNellElenco(QStringView primo, QStringView secondo);
bool PrecedeNellElenco(QStringView primo, QStringView secondo);

// Sorts the lines in that order; lines that count as equal keep the order they had.
void OrdinaNellElenco(QStringList& righe);
