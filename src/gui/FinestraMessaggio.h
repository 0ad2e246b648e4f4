#pragma once

#include "gui/Piattaforma.h"

#include <QMessageBox>
#include <memory>

// The box the user sees for a message of a given kind: its caption, icon and buttons, over the
// window of `proprietario`. A Yes/No box answers only Yes or No: Escape and the close box do
// nothing. The Qt platform shows its messages in it.
std::unique_ptr<QMessageBox> creaFinestraMessaggio(QWidget* proprietario, TipoMessaggio tipo,
                                                   Pulsanti pulsanti, const QString& testo);
QString titoloMessaggio(TipoMessaggio tipo);
