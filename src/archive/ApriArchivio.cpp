#include "archive/ApriArchivio.h"

#include "app/Avvio.h"
#include "app/Finestre.h"

TfrmApriArchivio::TfrmApriArchivio(QWidget* parent)
    : TFinestraLunga(Modo::Massimizzata, parent)
{
    setWindowTitle(QStringLiteral(" Blindoro - Apertura blindoro"));
    resize(1016, 713);
}

void TfrmApriArchivio::FormClose()
{
    frmAvvio->mostra();
}
