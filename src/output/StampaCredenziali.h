#pragma once

#include "gui/DialogoScheda.h"
#include "output/ComponenteRapporto.h"

#include <memory>

namespace Ui {
class TfrmStampaCredenziali;
}

// The card print window: prints what the record window holds at this moment, saved or not, as a
// one-page card of the template "Scheda Credenziali". It reads only the record window's controls,
// never the archive.
class TfrmStampaCredenziali : public TDialogoScheda {
    Q_OBJECT
public:
    // `scheda` is the record open in the record window, the one printed.
    explicit TfrmStampaCredenziali(SchedaAperta* scheda);
    ~TfrmStampaCredenziali() override;

    // The card as last filled and prepared, and the printer it goes to.
    ComponenteRapporto& RapportoScheda() { return repScheda; }

    void btnAnnullaClick();
    void btnStampaClick();

private:
    void CompilaScheda();

    std::unique_ptr<Ui::TfrmStampaCredenziali> ui;
    ComponenteRapporto repScheda;
};
