#include "validators/CodFisc.h"

TfrmCodFisc::TfrmCodFisc(QWidget* parent)
    : TDialogo(parent, QSize(478, 254))
{
    setWindowTitle(QStringLiteral(" Controllo codice fiscale"));
}
