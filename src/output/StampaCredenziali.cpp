#include "output/StampaCredenziali.h"

TfrmStampaCredenziali::TfrmStampaCredenziali(QWidget* parent)
    : TDialogo(parent, QSize(362, 287)) {
    setWindowTitle(QStringLiteral(" Stampa scheda"));
}
