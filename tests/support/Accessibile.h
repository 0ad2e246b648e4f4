#pragma once

#include <QList>
#include <QStringList>

class QWidget;

// What a screen reader and a keyboard user meet in a window, looked at through the toolkit's
// accessibility interfaces, as assistive technology reads them. Each check returns the problems
// it found, one line each naming the control; none when all is well.

// Every enabled command the window shows (every button, the pictures included) offers a name and
// a press action (a toggle action, for a box that is ticked or not), in a role of a button.
QStringList problemiComandi(QWidget* finestra);

// The controls that Tab reaches follow the reading order, block by block: a control comes after
// the one above it and after the one to its left on the same line; a framed block is read whole
// before the next. Once round, Tab comes back to the first.
QStringList problemiOrdineTab(QWidget* finestra);

// The pictures that only decorate, and the controls marked as decoration, are offered as nothing:
// no name, no action, no focus, not visible; the frames are no windows.
QStringList problemiDecorazioni(QWidget* finestra);

// The controls that Tab reaches, in the order it reaches them, from the one that follows the
// window itself in its focus chain.
QList<QWidget*> fermateTab(QWidget* finestra);
