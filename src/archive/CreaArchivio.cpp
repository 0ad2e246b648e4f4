#include "archive/CreaArchivio.h"

#include "app/Avvio.h"
#include "app/Finestre.h"

TfrmCreaArchivio::TfrmCreaArchivio(QWidget* parent)
    : TFinestraLunga(Modo::Massimizzata, parent)
{
    setWindowTitle(QStringLiteral(" Blindoro - Creazione blindoro"));
    resize(1016, 713);
}

void TfrmCreaArchivio::FormClose()
{
    frmAvvio->mostra();
}
