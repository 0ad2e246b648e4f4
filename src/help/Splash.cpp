#include "help/Splash.h"

TfrmSplash::TfrmSplash(QWidget* parent)
    : TDialogo(parent, QSize(661, 467))
{
    setWindowTitle(QStringLiteral(" Blindoro - Crediti"));
}
