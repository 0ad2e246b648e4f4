#pragma once

#include "report/Rapporto.h"

class QWidget;

// The report component a window holds: one template, printed through the platform layer's print
// dialog over the window, dated with the platform's today.
class ComponenteRapporto : public TRapporto {
public:
    ComponenteRapporto(QWidget* finestra, const QString& nomeModello);

    using TRapporto::Print;
    // Printing to a PDF file proposes "<template name>.pdf" in the program folder. Pages chosen
    // past the last one print nothing and are told in a warning; returns whether anything was
    // printed.
    bool Print();

private:
    QWidget* finestra_;
};
