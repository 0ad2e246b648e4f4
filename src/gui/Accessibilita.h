#pragma once

#include <QString>
#include <functional>

class QLabel;
class QWidget;

// What assistive technology (a screen reader, over the desktop's accessibility bus) is told about
// the program's windows, beyond what the toolkit tells by itself:
// - a long-lived window is a window and a dialog a dialog, each named by its caption;
// - a picture button is pressed as a push button is: the press returns at once and the click
//   runs right after, so a press that opens a message or a dialog never holds the screen reader;
//   its name is its accessible name (the command's caption), its description its hint, its keys
//   its shortcut;
// - decorations (the SVG pictures, and any widget marked with the property "decorazione") are
//   not offered at all, and the decorative frames are plain containers.
// Installed once, before the first window is built: the window base classes and the picture
// buttons call it, and so may anyone else; later calls do nothing.
void PreparaAccessibilita();

// Marks a widget as decoration: assistive technology is not offered it. The .ui files may set the
// property "decorazione" instead, which is the same.
void segnaDecorazione(QWidget* widget);

// A label whose accessible name is made from its text each time it is read: the record number is
// read as "Scheda 3", not as a bare "3".
void nomeDaTesto(QLabel* etichetta, std::function<QString(const QString& testo)> nome);
