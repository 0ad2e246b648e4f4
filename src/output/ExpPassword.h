#pragma once

#include "gui/DialogoScheda.h"

#include <memory>

class TModelloSchede;

namespace Ui {
class TfrmExpPassword;
}

// The export window: the whole archive of the record window in a grid, filled once when the window
// shows, and on request written as the spreadsheet file Blindoro.xls in the program folder, which
// the system may then open. Edits in the grid's editable columns change the grid only, and the
// export writes what the grid holds at that moment. The window stays open after an export. An
// archive that cannot be read is reported when the window shows and again at every export, which
// then writes nothing.
class TfrmExpPassword : public TDialogoScheda {
    Q_OBJECT
public:
    // `scheda` is the record open in the record window: its archive is exported.
    explicit TfrmExpPassword(SchedaAperta* scheda);
    ~TfrmExpPassword() override;

    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    void FormShow() override;

private:
    void preparaSuggerimenti();

    std::unique_ptr<Ui::TfrmExpPassword> ui;
    TModelloSchede* modello_;
    // Reading the archive into the grid failed.
    bool archivioNonLetto_ = false;
};
