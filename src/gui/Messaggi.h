#pragma once

#include "gui/Piattaforma.h"

#include <QString>

class QWidget;

// What the record window and the windows it opens tell of any failure to reach the archive. The
// two sentences are separated by LF CR LF CR, as the program has always shown them.
inline const QString MsgAccessoNegato = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
    "programma.");

// The short forms the windows use, through the platform layer (the Qt boxes themselves are made
// by FinestraMessaggio.h, for the Qt platform alone). Warnings, errors and information messages
// have OK and Cancel and their answer is never used; a confirmation has Yes and No; the plain box
// has OK alone.
void mostraAvviso(QWidget* proprietario, const QString& testo);
void mostraErrore(QWidget* proprietario, const QString& testo);
void mostraInformazione(QWidget* proprietario, const QString& testo);
bool chiediConferma(QWidget* proprietario, const QString& testo);
void mostraMessaggio(QWidget* proprietario, const QString& testo);
