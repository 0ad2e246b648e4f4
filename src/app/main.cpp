#include "app/Applicazione.h"
#include "app/Finestre.h"

int main(int argc, char** argv) {
    DisattivaCoreDump();
    TApplicazione applicazione(argc, argv);
    PreparaAmbiente(applicazione);
    RimuoviResiduiProgramma();
    TFinestre finestre;
    finestre.MostraFinestraPrincipale();
    return applicazione.exec();
}
