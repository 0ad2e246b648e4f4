#pragma once

#include "gui/Finestra.h"

#include <memory>

namespace Ui {
class TfrmCambiaPassword;
}

// The password-change window, reached from the login window: it checks the old password, takes
// the new one twice and stores it. Closing it returns to the login window.
class TfrmCambiaPassword : public TFinestraLunga {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget* parent = nullptr);
    ~TfrmCambiaPassword() override;

    void cmdOKClick();
    void cmdEsciClick();

Q_SIGNALS:
    // The window was closed ("Chiudi", or after a change): the login window comes back with an
    // empty field.
    void chiusa();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void txtPasswordChange();
    // The new password is not taken: both new fields empty again, the focus in the first.
    void RifiutaNuovaPassword(const QString& messaggio);

    std::unique_ptr<Ui::TfrmCambiaPassword> ui;
};
