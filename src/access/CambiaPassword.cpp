#include "access/CambiaPassword.h"

#include "access/Password.h"
#include "app/Finestre.h"

TfrmCambiaPassword::TfrmCambiaPassword(QWidget* parent)
    : TFinestraLunga(Modo::Centrata, parent)
{
    setWindowTitle(QStringLiteral(" Cambia password"));
    resize(1016, 713);
}

void TfrmCambiaPassword::FormClose()
{
    frmPassword->mostra();
}
