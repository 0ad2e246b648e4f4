#include "output/Segnalati.h"

#include "core/text/Formati.h"

TfrmSegnalati::TfrmSegnalati(QWidget* parent)
    : TDialogo(parent, QSize(862, 560)) {
    ImpostaFormatiProcesso();
    setWindowTitle(QStringLiteral(" Riepilogo password scadute"));
}
