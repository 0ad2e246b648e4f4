#pragma once

#include <QRect>
#include <QSize>
#include <QString>

// Where a control lies in a window, read from the window's form (its .ui file), so the test
// clicks where the program draws the control and follows the forms when they change. The
// windows lay their forms out in one of two ways, and both are read here: controls placed at
// fixed positions, inside frames whose positions add up; and a fixed-size panel that a layout
// centres in the window (its own minimum and maximum size agree).
//
// An empty rectangle when the form has no such control.
QRect RettangoloNelModulo(const QString& fileUi, const QString& controllo, QSize finestra);
