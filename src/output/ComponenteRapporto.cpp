#include "output/ComponenteRapporto.h"

#include "gui/Messaggi.h"
#include "gui/Piattaforma.h"

#include <QPrinter>

ComponenteRapporto::ComponenteRapporto(QWidget* finestra, const QString& nomeModello)
    : TRapporto(nomeModello, [] { return Piattaforma::corrente().oggi(); })
    , finestra_(finestra) {}

bool ComponenteRapporto::Print() {
    try {
        return Print([this](QPrinter& stampante) {
            if (stampante.outputFormat() == QPrinter::PdfFormat &&
                stampante.outputFileName().isEmpty())
                stampante.setOutputFileName(Piattaforma::corrente().cartellaProgramma() +
                                            nomeModello() + QStringLiteral(".pdf"));
            return Piattaforma::corrente().scegliStampante(
                finestra_, stampante, static_cast<int>(PaginePreparate().size()));
        });
    } catch (const ErroreNessunaPagina& errore) {
        mostraAvviso(finestra_, QString::fromUtf8(errore.what()));
        return false;
    }
}
