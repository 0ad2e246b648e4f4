#pragma once

#include "gui/Finestra.h"

#include <QString>

class TfrmBlindoro;

// A dialog of the record window: each use of it is made by the record window, owned by it, and
// serves it, reading the open archive and the fields or writing into them through the record
// window's own calls.
class TDialogoScheda : public TDialogo {
    Q_OBJECT
protected:
    TDialogoScheda(TfrmBlindoro* scheda, const QSize& areaClient);

    // The record window that opened the dialog; none for a dialog made without one.
    TfrmBlindoro* scheda() const;
    // The path of the archive open in the record window; empty without one.
    QString percorsoArchivio() const;
};
