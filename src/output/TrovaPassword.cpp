#include "output/TrovaPassword.h"

TfrmTrovaPassword::TfrmTrovaPassword(QWidget* parent)
    : TDialogo(parent, QSize(862, 560)) {
    setWindowTitle(QStringLiteral(" Trova credenziali in archivio"));
}
