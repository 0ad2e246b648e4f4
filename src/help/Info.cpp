#include "help/Info.h"

TfrmInfo::TfrmInfo(QWidget* parent)
    : TDialogo(parent, QSize(473, 579))
{
    setWindowTitle(QStringLiteral(" Informazioni su Blindoro"));
}
