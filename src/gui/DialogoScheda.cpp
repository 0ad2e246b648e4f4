#include "gui/DialogoScheda.h"

TDialogoScheda::TDialogoScheda(SchedaAperta* scheda, const QSize& areaClient)
    : TDialogo(scheda->Finestra(), areaClient)
    , scheda_(*scheda) {}
