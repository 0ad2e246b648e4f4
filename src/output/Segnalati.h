#pragma once

#include "editor/DialogoScheda.h"

#include <QString>
#include <memory>

class ComponenteRapporto;
class ElencoRiepilogo;
class TfrmBlindoro;

namespace Ui {
class TfrmSegnalati;
}

// The expired-password summary of the record window: as it shows, it lists the records of the
// open archive whose password expired before today, in the list order. The key search, the
// loading of a line into the record window by a double-click and the printing are those of the
// search window.
class TfrmSegnalati : public TDialogoScheda {
    Q_OBJECT
public:
    // `scheda` is the record window that opens the window; its archive is listed and it receives
    // the record chosen.
    explicit TfrmSegnalati(TfrmBlindoro* scheda);
    ~TfrmSegnalati() override;

    // The window's report component, which holds the list template.
    ComponenteRapporto& Rapporto();

    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnStampaClick();
    void btnChiudiClick();

protected:
    void FormShow() override;

private:
    // The last key of "Trova" of the summary windows, apart from the search windows' one: one for
    // the whole run, emptied each time a summary window shows.
    static inline QString UltimaChiave;

    std::unique_ptr<Ui::TfrmSegnalati> ui;
    ElencoRiepilogo* elenco_ = nullptr;
    std::unique_ptr<ComponenteRapporto> frxReport;
};
