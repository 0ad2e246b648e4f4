#pragma once

#include "editor/DialogoScheda.h"
#include "output/ComponenteRapporto.h"

#include <memory>

class TfrmBlindoro;

namespace Ui {
class TfrmStampaCredenziali;
}

// The card print window: prints what the record window holds at this moment, saved or not, as a
// one-page card of the template "Scheda Credenziali". It reads only the record window's controls,
// never the archive.
class TfrmStampaCredenziali : public TDialogoScheda {
    Q_OBJECT
public:
    // `scheda` is the record window that opens the window and whose record is printed.
    explicit TfrmStampaCredenziali(TfrmBlindoro* scheda);
    ~TfrmStampaCredenziali() override;

    // The card as last filled and prepared, and the printer it goes to.
    ComponenteRapporto& RapportoScheda() { return repScheda; }

    void btnAnnullaClick();
    void btnStampaClick();

private:
    // The record window that opened this one (its owner).
    void CompilaScheda();

    std::unique_ptr<Ui::TfrmStampaCredenziali> ui;
    ComponenteRapporto repScheda;
};
