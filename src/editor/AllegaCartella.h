#pragma once

#include "gui/Finestra.h"

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

// The bare file name that an attachment name stands for: any folder part, written with "/" or
// "\", is dropped, and blanks at both ends are removed. Empty when nothing usable is left (an
// empty name, ".", "..", or a name ending with a separator).
QString NomeAllegato(const QString& nome);

// The path of an attachment's copy in the attachments folder; empty when the name is not usable,
// so no path built from an attachment name can ever leave that folder.
QString PercorsoAllegato(const QString& nome);

// The attachments window of the record window: three slots, each a file copied into the
// attachments folder and its description. The record window presets the slots from its six hidden
// labels; "Applica e chiudi" writes them back under the caller tag "blindoro".
class TfrmAllegaCartella : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* parent = nullptr);
    ~TfrmAllegaCartella() override;

    // The slot handlers; `posto` counts the slots from 0.
    void txtFileChange(int posto);
    void btnSfogliaClick(int posto);
    void btnApriClick(int posto);
    void imgCancellaClick(int posto);
    void btnApplicaClick();
    void btnAnnullaClick();

    // The caller presets the controls (the caller tag in lblMemory and the six fields) before the
    // modal run.
    std::unique_ptr<Ui::TfrmAllegaCartella> ui;

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
    std::array<Posto, 3> posti_{};

    void copiaAllegato(const QString& origine, const QString& nome);
};
