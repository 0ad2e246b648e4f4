#include "output/Segnalati.h"

TfrmSegnalati::TfrmSegnalati(QWidget* parent)
    : TDialogo(parent, QSize(862, 560)) {
    setWindowTitle(QStringLiteral(" Riepilogo password scadute"));
}
