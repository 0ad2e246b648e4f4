#include "app/Applicazione.h"
#include "app/Finestre.h"

int main(int argc, char** argv) {
    DisattivaCoreDump();
    TApplicazione applicazione(argc, argv);
    PreparaAmbiente(applicazione);
    CreaFinestre();
    MostraFinestraPrincipale();
    const int esito = applicazione.exec();
    DistruggiFinestre();
    return esito;
}
