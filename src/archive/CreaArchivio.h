#pragma once

#include "gui/Finestra.h"

#include <QString>
#include <memory>

class QKeyEvent;

namespace Ui {
class TfrmCreaArchivio;
}

// The create window: the user types the name of a new archive and the window makes the empty
// archive file in the program folder. The path of the file being created is shown in lblFile.
class TfrmCreaArchivio : public TFinestraLunga {
    Q_OBJECT
public:
    explicit TfrmCreaArchivio(QWidget* parent = nullptr);
    ~TfrmCreaArchivio() override;

    void btnApplicaClick();
    void btnAnnullaClick();
    void imgGuidaClick();

Q_SIGNALS:
    // The window was closed (after a creation, by "Annulla" or the close box): the start window
    // comes back.
    void chiusa();

protected:
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // True when the key is refused and must go no further.
    bool txtFileKeyDown(const QKeyEvent* tasto) const;

    std::unique_ptr<Ui::TfrmCreaArchivio> ui;
};
