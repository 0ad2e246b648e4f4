#include "output/TrovaPassword.h"

#include "core/text/Formati.h"

TfrmTrovaPassword::TfrmTrovaPassword(QWidget* parent)
    : TDialogo(parent, QSize(862, 560)) {
    ImpostaFormatiProcesso();
    setWindowTitle(QStringLiteral(" Trova credenziali in archivio"));
}
