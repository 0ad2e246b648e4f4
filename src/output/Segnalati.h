#pragma once

#include "output/FinestraElenco.h"

#include <QString>
#include <memory>

namespace Ui {
class TfrmSegnalati;
}

// The expired-password summary of the record window: as it shows, it lists the records of the
// open archive whose password expired before today, in the list order. The key search, the
// loading of a line into the record window by a double-click and the printing are those of the
// search window.
class TfrmSegnalati : public TFinestraElenco {
    Q_OBJECT
public:
    // `scheda` is the record open in the record window: its archive is listed and it receives the
    // record chosen.
    explicit TfrmSegnalati(SchedaAperta* scheda);
    ~TfrmSegnalati() override;

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
};
