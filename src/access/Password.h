#pragma once

#include "gui/Finestra.h"

#include <memory>

namespace Ui {
class TfrmPassword;
}

// The login window, the program's main window: the access password typed here, when it matches
// the stored one, leads to the start window. From here the password can also be changed.
class TfrmPassword : public TFinestraLunga {
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget* parent = nullptr);
    ~TfrmPassword() override;

    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();

    // The password field and the scratch label start empty again (after a password change).
    void SvuotaAccesso();

Q_SIGNALS:
    // The right password was given: the start window follows.
    void accessoRiuscito();
    // "Cambia password": the password-change window follows.
    void cambioPasswordRichiesto();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void txtPasswordChange();

    std::unique_ptr<Ui::TfrmPassword> ui;
};
