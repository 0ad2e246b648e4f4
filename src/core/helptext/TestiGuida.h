#pragma once

#include <QString>
#include <QStringList>

// The three help topics: the start window's, the archive and record windows', the export's.
enum class ArgomentoGuida { Avvio, Gestione, Esportazione };

// The topic texts, kept apart from the windows so that the help window and the help document
// (Guida.pdf, written at build time) show the same words. Each paragraph is one line of text.

// Topic A: the start window's. Its opening paragraph, then topic B whole, then four closing ones.
QStringList ParagrafiApertura();
QStringList ParagrafiChiusura();
// Topic B: archives and records.
QStringList ParagrafiGestione();
// Topic C: the export.
QStringList ParagrafiEsportazione();

// The sentences of the record window's help that tell the password generator and the strength
// estimate.
QString TestoGeneratorePassword();

QStringList ParagrafiGuida(ArgomentoGuida argomento);
QString TitoloGuida(ArgomentoGuida argomento);
// The paragraphs with an empty line between them: CR LF CR LF, nothing after the last one.
QString CorpoGuida(ArgomentoGuida argomento);
