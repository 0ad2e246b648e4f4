#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// Fonts as the templates name them, and the measures the layout takes from them.

// The font the template names, or its stand-in when this machine lacks it: DejaVu Sans for
// Verdana and Tahoma, Liberation Sans for Arial, Liberation Mono for Courier New (the last two
// have the same metrics as the fonts they stand in for).
QFont CarattereModello(const QString& famiglia, qreal punti, bool grassetto, bool corsivo);

// How far apart the lines of a memo in this font are set, in engine units: 1.2 times the font's
// size, whatever its file says, so a template lays out alike on every machine.
qreal PassoRiga(const QFont& carattere);

// The lines one line of text takes in a box `larghezza` units wide: broken at word boundaries, and
// inside a word only when the word alone is wider than the box.
QStringList AndaACapo(const QString& riga, const QFont& carattere, qreal larghezza);
