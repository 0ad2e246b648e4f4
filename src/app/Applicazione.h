#pragma once

#include <QApplication>

// The application object. A failure that leaves an event handler uncaught ends that handler only:
// it is shown in an error box with its own text and the program goes on in the same window.
class TApplicazione : public QApplication {
public:
    TApplicazione(int& argc, char** argv);
    bool notify(QObject* destinatario, QEvent* evento) override;
};

// The real platform layer, style, fonts, Italian translations of Qt's own texts, resources: what
// every run needs before the first window is created (the program and the window tests alike).
void PreparaAmbiente(QApplication& applicazione);

// Removes what whole-file replacements killed midway (a crash, a power cut) left in the program
// folder and in the attachments folder: pieces of exports and copies that may hold passwords.
void RimuoviResiduiProgramma();

// A program that holds passwords leaves no core dump behind.
void DisattivaCoreDump();
