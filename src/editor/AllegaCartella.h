#pragma once

#include "gui/Finestra.h"
#include "gui/SchedaAperta.h"

#include <QString>
#include <array>
#include <memory>
#include <optional>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class TfrmAllegaCartella;
}

// The path of an attachment's copy in the attachments folder; empty when the name is not usable,
// so no path built from an attachment name can ever leave that folder.
QString PercorsoAllegato(const QString& nome);

// The attachments window of the record window: three slots, each a file copied into the
// attachments folder and its description. The record window presets the slots from the record's
// attachments; "Applica e chiudi" closes the window with the slots as they stand, which the record
// window takes as the record's attachments; "Annulla" closes it with none.
class TfrmAllegaCartella : public TDialogo {
    Q_OBJECT
public:
    // `proprietario` is the window that opens the window and takes its slots.
    explicit TfrmAllegaCartella(QWidget* proprietario);
    ~TfrmAllegaCartella() override;

    // Set by the caller before the modal run: the slots (shown trimmed).
    void MostraAllegati(const Allegati& allegati);
    // The slots given by "Applica e chiudi", trimmed; none until then, and after "Annulla".
    std::optional<Allegati> AllegatiApplicati() const { return applicati_; }

    // The slot handlers; `posto` counts the slots from 0.
    void txtFileChange(int posto);
    void btnSfogliaClick(int posto);
    void btnApriClick(int posto);
    void imgCancellaClick(int posto);
    void btnApplicaClick();
    void btnAnnullaClick();

protected:
    void FormShow() override;

private:
    struct Posto {
        QLineEdit* nome;
        QAbstractButton* cancella;
        QPushButton* sfoglia;
        QPushButton* apri;
        QLineEdit* descrizione;
    };

    void copiaAllegato(const QString& origine, const QString& nome);

    std::unique_ptr<Ui::TfrmAllegaCartella> ui;
    std::array<Posto, 3> posti_{};
    std::optional<Allegati> applicati_;
};
