#include "app/Applicazione.h"
#include "app/Finestre.h"
#include "app/Segnali.h"

int main(int argc, char** argv) {
    DisattivaCoreDump();
    TApplicazione applicazione(argc, argv);
    PreparaAmbiente(applicazione);
    RimuoviResiduiProgramma();
    ChiusuraSuSegnale chiusura;
    TFinestre finestre;
    finestre.MostraFinestraPrincipale();
    return applicazione.exec();
}
