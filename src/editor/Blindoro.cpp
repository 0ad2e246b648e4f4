#include "editor/Blindoro.h"

#include "ui_Blindoro.h"

#include "app/Avvio.h"
#include "app/Finestre.h"

TfrmBlindoro::TfrmBlindoro(QWidget* parent)
    : TFinestraLunga(Modo::Massimizzata, parent)
    , ui(std::make_unique<Ui::TfrmBlindoro>())
{
    ui->setupUi(this);
}

TfrmBlindoro::~TfrmBlindoro() = default;

void TfrmBlindoro::FormClose()
{
    frmAvvio->mostra();
}
