#include "validators/PartitaIVA.h"

TfrmPartitaIva::TfrmPartitaIva(QWidget* parent)
    : TDialogo(parent, QSize(480, 254))
{
    setWindowTitle(QStringLiteral(" Controllo partita IVA"));
}
