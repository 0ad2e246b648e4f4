#pragma once

#include "output/FinestraElenco.h"

#include <QString>
#include <array>
#include <memory>

class QLineEdit;

namespace Ui {
class TfrmTrovaPassword;
}

// The search window of the record window: up to ten filters on the records of the open archive,
// then the list of the records that pass them all. A double-click on a line shows its record in
// the record window and closes the window. It starts on the filter panel; a search that completes
// turns it to the result panel for good.
class TfrmTrovaPassword : public TFinestraElenco {
    Q_OBJECT
public:
    // `scheda` is the record open in the record window: its archive is searched and it receives
    // the record chosen.
    explicit TfrmTrovaPassword(SchedaAperta* scheda);
    ~TfrmTrovaPassword() override;

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
};
