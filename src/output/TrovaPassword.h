#pragma once

#include "editor/DialogoScheda.h"

#include <QString>
#include <array>
#include <memory>

class ComponenteRapporto;
class ElencoRiepilogo;
class QLineEdit;
class TfrmBlindoro;

namespace Ui {
class TfrmTrovaPassword;
}

// The search window of the record window: up to ten filters on the records of the open archive,
// then the list of the records that pass them all. A double-click on a line shows its record in
// the record window, when the caller tag in lblMemory is "blindoro", and closes the window. It
// starts on the filter panel; a search that completes turns it to the result panel for good.
class TfrmTrovaPassword : public TDialogoScheda {
    Q_OBJECT
public:
    // `scheda` is the record window that opens the window; its archive is searched and it
    // receives the record chosen.
    explicit TfrmTrovaPassword(TfrmBlindoro* scheda);
    ~TfrmTrovaPassword() override;

    // The caller tag, set before the modal run.
    void ImpostaChiamante(const QString& tag);
    // The window's report component, which holds the list template.
    ComponenteRapporto& Rapporto();

    void btnCercaMouseDown();
    void btnCercaClick();
    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnStampaClick();
    void btnAnnullaClick();
    void btnChiudiClick();

protected:
    void FormShow() override;

private:
    // The last key of "Trova" of the search windows: one for the whole run, emptied each time a
    // search window shows.
    static inline QString UltimaChiave;

    std::unique_ptr<Ui::TfrmTrovaPassword> ui;
    std::array<QLineEdit*, 10> filtri_{};
    ElencoRiepilogo* elenco_ = nullptr;
    std::unique_ptr<ComponenteRapporto> frxReport;
};
