#pragma once

#include "gui/Appunti.h"
#include "gui/Convenzioni.h"

#include <QString>
#include <functional>

class QObject;

// The commands that copy a field of a record to the clipboard (Appunti), as the record window and
// the lists offer them, and what the windows tell the user about them. No text here ever holds
// what was copied.

// The command that copies the field: its caption, its hint and its keys.
Comando ComandoCopia(Appunti::Dato dato);

// What is copied of the field's text: a password as it is (its blanks may be part of it), a user
// name or an address without the blanks at its ends; an address that is only the "https://" of a
// new record is no address. Empty: nothing to copy.
QString TestoDaCopiare(Appunti::Dato dato, const QString& campo);

// Copies the field's text (TestoDaCopiare) with the program's clipboard. False, and nothing
// copied, when there is nothing to copy; the window then tells CampoVuoto.
bool CopiaNegliAppunti(Appunti::Dato dato, const QString& campo);

namespace AvvisiAppunti {
// "Password copiata negli appunti: verrà cancellata tra 10 secondi."
QString Copiato(Appunti::Dato dato, int secondi);
// "Il campo Password è vuoto: non è stato copiato nulla."
QString CampoVuoto(Appunti::Dato dato);
// The copy is no longer offered: emptied, or left to the text the user copied over it.
QString Cancellato(bool svuotati);
} // namespace AvvisiAppunti

// Tells `scrivi` what the program's clipboard does from now on (a copy made from any window, its
// clearing), for as long as `contesto` lives.
void SeguiAppunti(QObject* contesto, std::function<void(const QString&)> scrivi);
