#include "output/ExpPassword.h"

TfrmExpPassword::TfrmExpPassword(QWidget* parent)
    : TDialogo(parent, QSize(862, 560)) {
    setWindowTitle(QStringLiteral(" Esporta blindoro in Microsoft Excel"));
}
