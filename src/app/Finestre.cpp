#include "app/Finestre.h"

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "archive/ApriArchivio.h"
#include "archive/CreaArchivio.h"
#include "editor/AllegaCartella.h"
#include "editor/Blindoro.h"
#include "editor/Calendario.h"
#include "help/Guida.h"
#include "help/Info.h"
#include "help/Splash.h"
#include "output/ExpPassword.h"
#include "output/Segnalati.h"
#include "output/StampaCredenziali.h"
#include "output/TrovaPassword.h"
#include "validators/CodFisc.h"
#include "validators/PartitaIVA.h"

#include <array>

namespace {

std::array<QWidget*, NumeroFinestre> elenco{};

// The windows in the order of creation.
template <class Azione> void perOgniFinestra(Azione&& azione) {
    azione(frmPassword);
    azione(frmAvvio);
    azione(frmCambiaPassword);
    azione(frmGuida);
    azione(frmInfo);
    azione(frmSplash);
    azione(frmCreaArchivio);
    azione(frmApriArchivio);
    azione(frmBlindoro);
    azione(frmPartitaIva);
    azione(frmCodFisc);
    azione(frmCalendario);
    azione(frmAllegaCartella);
    azione(frmTrovaPassword);
    azione(frmSegnalati);
    azione(frmExpPassword);
    azione(frmStampaCredenziali);
}

} // namespace

void CreaFinestre() {
    std::size_t i = 0;
    perOgniFinestra([&i](auto*& istanza) {
        using Classe = std::remove_pointer_t<std::remove_reference_t<decltype(istanza)>>;
        istanza = new Classe(nullptr);
        elenco[i++] = istanza;
    });
}

void DistruggiFinestre() {
    for (auto it = elenco.rbegin(); it != elenco.rend(); ++it) {
        delete *it;
        *it = nullptr;
    }
    perOgniFinestra([](auto*& istanza) { istanza = nullptr; });
}

const std::array<QWidget*, NumeroFinestre>& ElencoFinestre() {
    return elenco;
}

void MostraFinestraPrincipale() {
    frmPassword->mostra();
}
