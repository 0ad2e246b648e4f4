#include "output/ComponenteRapporto.h"

#include "gui/Piattaforma.h"

#include <QPrinter>

ComponenteRapporto::ComponenteRapporto(QWidget* finestra, const QString& nomeModello)
    : TRapporto(nomeModello, [] { return Piattaforma::corrente().oggi(); })
    , finestra_(finestra) {}

bool ComponenteRapporto::Print() {
    return Print([this](QPrinter& stampante) {
        if (stampante.outputFormat() == QPrinter::PdfFormat && stampante.outputFileName().isEmpty())
            stampante.setOutputFileName(Piattaforma::corrente().cartellaProgramma() +
                                        nomeModello() + QStringLiteral(".pdf"));
        return Piattaforma::corrente().scegliStampante(finestra_, stampante);
    });
}
