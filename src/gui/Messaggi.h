#pragma once

#include "gui/Piattaforma.h"

#include <QMessageBox>
#include <memory>

// The box the user sees for a message of a given kind: its caption, icon and buttons, over the
// window of `proprietario`. A Yes/No box answers only Yes or No: Escape and the close box do
// nothing.
std::unique_ptr<QMessageBox> creaFinestraMessaggio(QWidget* proprietario, TipoMessaggio tipo,
                                                   Pulsanti pulsanti, const QString& testo);
QString titoloMessaggio(TipoMessaggio tipo);

// The short forms the windows use. Warnings, errors and information messages have OK and Cancel
// and their answer is never used; a confirmation has Yes and No; the plain box has OK alone.
void mostraAvviso(QWidget* proprietario, const QString& testo);
void mostraErrore(QWidget* proprietario, const QString& testo);
void mostraInformazione(QWidget* proprietario, const QString& testo);
bool chiediConferma(QWidget* proprietario, const QString& testo);
void mostraMessaggio(QWidget* proprietario, const QString& testo);
