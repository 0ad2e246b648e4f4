#include "output/StampaCredenziali.h"

#include "core/text/Formati.h"

TfrmStampaCredenziali::TfrmStampaCredenziali(QWidget* parent)
    : TDialogo(parent, QSize(362, 287)) {
    ImpostaFormatiProcesso();
    setWindowTitle(QStringLiteral(" Stampa scheda"));
}
