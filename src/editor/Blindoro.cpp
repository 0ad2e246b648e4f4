#include "editor/Blindoro.h"

#include "app/Avvio.h"
#include "app/Finestre.h"

TfrmBlindoro::TfrmBlindoro(QWidget* parent)
    : TFinestraLunga(Modo::Massimizzata, parent)
{
    setWindowTitle(QStringLiteral(" Blindoro - Gestione blindoro"));
    resize(1016, 713);
}

void TfrmBlindoro::FormClose()
{
    frmAvvio->mostra();
}
