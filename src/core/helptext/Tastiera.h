#pragma once

#include <QList>
#include <QString>

// The keys that give a command without the mouse: as the toolkit reads them (its portable text,
// "Ctrl+Shift+W") and as the user reads them in a tooltip and in the help ("Ctrl+Maiusc+W").
struct Scorciatoia {
    QString tasti;
    QString testo;
    bool operator==(const Scorciatoia&) const = default;
};

// A command of the record window given by the keyboard: the control that carries it, what the
// help calls it, and its keys.
struct ComandoDaTastiera {
    QString controllo;
    QString nome;
    Scorciatoia scorciatoia;
};

// Every command of the record window, in the order the help lists them: the row of commands from
// left to right, then the small buttons beside the fields, from the top, then the commands that
// have no button (actions of the window, offered in its context menus).
QList<ComandoDaTastiera> ComandiGestioneDaTastiera();

// The keys every window gives the same command: its help, its printing, the export.
Scorciatoia TastoGuida();
Scorciatoia TastoStampa();
Scorciatoia TastoEsportazione();
// The keys that copy a record's password, user name and web address, in the record window and,
// for the first two, on the selected line of the search and expired-summary lists.
Scorciatoia TastoCopiaPassword();
Scorciatoia TastoCopiaUtente();
Scorciatoia TastoCopiaIndirizzo();

// The import of records from a CSV file: the record window's command, and the preview's "Importa".
Scorciatoia TastoImportazione();

// The sentences of the record window's help that tell the keys above.
QString TestoComandiDaTastiera();
// Its last sentences: the copy from the lists and how long a copy stays on the clipboard.
QString TestoCopiaNegliAppunti();

// How long a text copied by the program stays on the clipboard, as the help tells it.
inline constexpr int SecondiNegliAppunti = 10;
