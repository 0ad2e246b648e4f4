#pragma once

#include "editor/Blindoro.h"
#include "editor/DialogoScheda.h"

#include <QString>
#include <array>
#include <memory>

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
// attachments; "Applica e chiudi" writes them back under the caller tag "blindoro".
class TfrmAllegaCartella : public TDialogoScheda {
    Q_OBJECT
public:
    // `scheda` is the record window that opens the window and receives the slots.
    explicit TfrmAllegaCartella(TfrmBlindoro* scheda);
    ~TfrmAllegaCartella() override;

    // Set by the caller before the modal run: the caller tag, and the slots (shown trimmed).
    void ImpostaChiamante(const QString& tag);
    void MostraAllegati(const Allegati& allegati);

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
};
