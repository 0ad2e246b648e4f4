#pragma once

#include "gui/Finestra.h"

#include <QString>
#include <memory>
#include <optional>

namespace Ui {
class TfrmGeneraPassword;
}

// The password generator of the record window: a password of random characters (its length and
// classes chosen) or a passphrase of Italian words (how many, and what separates them), drawn again
// on every change of the choices and by "Rigenera". Beside the password it shows libzxcvbn's
// estimate and the exact entropy of the choice; the word for the strength comes from the smaller
// of the two, since the estimator does not know Italian words and rates a passphrase of them far
// above what it is worth. "Usa" closes it with the password shown, which the record window puts
// into its password field; "Annulla" closes it with none.
class TfrmGeneraPassword : public TDialogo {
    Q_OBJECT
public:
    // `proprietario` is the window that opens the dialog and takes its password.
    explicit TfrmGeneraPassword(QWidget* proprietario);
    ~TfrmGeneraPassword() override;

    // The password given by "Usa"; none until then, and after "Annulla".
    std::optional<QString> PasswordScelta() const { return scelta_; }

    void btnRigeneraClick();
    void btnUsaClick();
    void btnAnnullaClick();

protected:
    void FormShow() override;

private:
    // Draws a password with the choices shown, or none when they give none, and shows it.
    void estrai();
    void mostraForza(const std::optional<double>& entropiaEsatta);

    std::unique_ptr<Ui::TfrmGeneraPassword> ui;
    QString password_;
    std::optional<QString> scelta_;
};
