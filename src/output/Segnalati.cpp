#include "output/Segnalati.h"

#include "app/Formati.h"

TfrmSegnalati::TfrmSegnalati(QWidget* parent)
    : TDialogo(parent, QSize(862, 560)) {
    ImpostaFormatiProcesso();
    setWindowTitle(QStringLiteral(" Riepilogo password scadute"));
}
