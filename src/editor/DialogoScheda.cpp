#include "editor/DialogoScheda.h"

#include "editor/Blindoro.h"

TDialogoScheda::TDialogoScheda(TfrmBlindoro* scheda, const QSize& areaClient)
    : TDialogo(scheda, areaClient) {}

TfrmBlindoro* TDialogoScheda::scheda() const {
    return qobject_cast<TfrmBlindoro*>(parentWidget());
}

QString TDialogoScheda::percorsoArchivio() const {
    return scheda() ? scheda()->PercorsoArchivio() : QString();
}
