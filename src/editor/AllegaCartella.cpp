#include "editor/AllegaCartella.h"

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* parent)
    : TDialogo(parent, QSize(634, 534))
{
    setWindowTitle(QStringLiteral(" Allega file"));
}
