#include "help/Guida.h"

TfrmGuida::TfrmGuida(QWidget* parent)
    : TDialogo(parent, QSize(670, 572))
{
    setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));
}

void apriGuida(QWidget* proprietario, ArgomentoGuida)
{
    apriDialogo<TfrmGuida>(proprietario);
}
