#include "access/Password.h"

#include "ui_Password.h"

#include "access/CambiaPassword.h"
#include "access/CampiPassword.h"
#include "core/password/Accesso.h"
#include "core/password/Crypt.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"
#include "gui/Piattaforma.h"
#include "gui/Registro.h"

#include <QApplication>
#include <exception>

TfrmPassword::TfrmPassword(QWidget* parent)
    : TFinestraLunga(Modo::Centrata, parent)
    , ui(std::make_unique<Ui::TfrmPassword>()) {
    ui->setupUi(this);
    fissaDimensioniSenzaPulsanti(QSize(388, 405));

    auto* aloni = new EvidenziazioneAlone(this);
    aloni->aggiungi(ui->txtPassword, QStringLiteral("effPassword"));

    auto* invio = new TastoInvio(this);
    invio->esegui(ui->txtPassword, [this] {
        if (!TogliSpazi(ui->txtPassword->text()).isEmpty())
            cmdOKClick();
    });

    seguiModifiche(ui->txtPassword, [this] { txtPasswordChange(); });
    CollegaComando(ui->cmdOK, this, &TfrmPassword::cmdOKClick);
    CollegaComando(ui->cmdEsci, this, &TfrmPassword::cmdEsciClick);
    CollegaComando(ui->btnCambiaPassword, this, &TfrmPassword::btnCambiaPasswordClick);
}

TfrmPassword::~TfrmPassword() = default;

void TfrmPassword::FormShow() {
    ui->txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::FormClose() {
    // The login window is the main window: closing it ends the program.
    QApplication::quit();
}

void TfrmPassword::txtPasswordChange() {
    ui->cmdOK->setEnabled(!TogliSpazi(ui->txtPassword->text()).isEmpty());
}

void TfrmPassword::cmdOKClick() {
    try {
        // The stored password lives for the check alone; once the login succeeds the typed one
        // goes too: nothing in the program holds the access password afterwards.
        const TestoSegreto attesa(PasswordMemorizzata(Piattaforma::corrente().cartellaProgramma()));
        const TestoSegreto digitata(NormalizzaPassword(ui->txtPassword->text()));
        // With no stored password (no file, or no value in it) nothing is accepted.
        if (!attesa.Testo().isEmpty() && digitata.Testo() == attesa.Testo()) {
            ui->txtPassword->clear();
            Q_EMIT accessoRiuscito();
            hide();
            return;
        }
        mostraMessaggio(this, QStringLiteral("Attenzione: password errata."));
        ui->txtPassword->clear();
        ui->txtPassword->setFocus(Qt::OtherFocusReason);
    } catch (const std::exception& errore) {
        qCWarning(RegistroAccesso) << "login:" << errore.what();
        mostraMessaggio(this, QStringLiteral("Attenzione: si è verificato un errore durante la "
                                             "procedura di lettura della password. Si consiglia "
                                             "di reinstallare il software."));
    }
}

void TfrmPassword::cmdEsciClick() {
    close();
}

void TfrmPassword::btnCambiaPasswordClick() {
    Q_EMIT cambioPasswordRichiesto();
    hide();
}

void TfrmPassword::SvuotaAccesso() {
    ui->txtPassword->clear();
    ui->lblMemory->clear();
}
