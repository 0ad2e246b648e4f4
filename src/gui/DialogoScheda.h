#pragma once

#include "gui/Finestra.h"
#include "gui/SchedaAperta.h"

#include <QString>

// A window opened for the record open in the record window: each use of it is made for that
// record, stands over its window and is owned by it, and reads the open archive and the fields, or
// shows another record, through SchedaAperta.
class TDialogoScheda : public TDialogo {
    Q_OBJECT
protected:
    // `scheda` is never null.
    TDialogoScheda(SchedaAperta* scheda, const QSize& areaClient);

    SchedaAperta& scheda() const { return scheda_; }
    // The path of the archive open in the record window.
    QString percorsoArchivio() const { return scheda_.PercorsoArchivio(); }

private:
    SchedaAperta& scheda_;
};
