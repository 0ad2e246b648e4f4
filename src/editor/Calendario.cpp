#include "editor/Calendario.h"

TfrmCalendario::TfrmCalendario(QWidget* parent)
    : TDialogo(parent, QSize(253, 294))
{
    setWindowTitle(QStringLiteral(" Importazione data"));
}
