#include "access/CambiaPassword.h"

#include "ui_CambiaPassword.h"

#include "access/CampiPassword.h"
#include "core/password/Accesso.h"
#include "core/password/Crypt.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"
#include "gui/Piattaforma.h"
#include "gui/Registro.h"

#include <exception>

TfrmCambiaPassword::TfrmCambiaPassword(QWidget* parent)
    : TFinestraLunga(Modo::Centrata, parent)
    , ui(std::make_unique<Ui::TfrmCambiaPassword>()) {
    ui->setupUi(this);
    fissaDimensioniSenzaPulsanti(QSize(411, 418));

    auto* aloni = new EvidenziazioneAlone(this);
    aloni->aggiungi(ui->txtPasswordOld, QStringLiteral("effPasswordOld"));
    aloni->aggiungi(ui->txtPasswordNew, QStringLiteral("effPasswordNew"));
    aloni->aggiungi(ui->txtConferma, QStringLiteral("effConferma"));

    // Enter goes round the three fields; it never runs OK here.
    auto* invio = new TastoInvio(this);
    invio->sposta(ui->txtPasswordOld, ui->txtPasswordNew);
    invio->sposta(ui->txtPasswordNew, ui->txtConferma);
    invio->sposta(ui->txtConferma, ui->txtPasswordOld);

    for (QLineEdit* campo : {ui->txtPasswordOld, ui->txtPasswordNew, ui->txtConferma})
        seguiModifiche(campo, [this] { txtPasswordChange(); });
    CollegaComando(ui->cmdOK, this, &TfrmCambiaPassword::cmdOKClick);
    CollegaComando(ui->cmdEsci, this, &TfrmCambiaPassword::cmdEsciClick);
}

TfrmCambiaPassword::~TfrmCambiaPassword() = default;

void TfrmCambiaPassword::FormShow() {
    ui->txtPasswordOld->clear();
    ui->txtPasswordNew->clear();
    ui->txtConferma->clear();
    ui->lblMemory->clear();
    ui->txtPasswordOld->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::FormClose() {
    // The passwords typed here are not kept while the window waits hidden.
    ui->txtPasswordOld->clear();
    ui->txtPasswordNew->clear();
    ui->txtConferma->clear();
    Q_EMIT chiusa();
}

void TfrmCambiaPassword::txtPasswordChange() {
    ui->cmdOK->setEnabled(!TogliSpazi(ui->txtPasswordOld->text()).isEmpty() &&
                          !TogliSpazi(ui->txtPasswordNew->text()).isEmpty() &&
                          !TogliSpazi(ui->txtConferma->text()).isEmpty());
}

void TfrmCambiaPassword::cmdOKClick() {
    try {
        // The old and the new password live for the change alone.
        const QString cartella = Piattaforma::corrente().cartellaProgramma();
        const TestoSegreto attesa(PasswordMemorizzata(cartella));
        const TestoSegreto vecchia(NormalizzaPassword(ui->txtPasswordOld->text()));
        if (attesa.Testo().isEmpty() || vecchia.Testo() != attesa.Testo()) {
            mostraMessaggio(this, QStringLiteral("Attenzione: vecchia password errata."));
            ui->txtPasswordOld->clear();
            ui->txtPasswordOld->setFocus(Qt::OtherFocusReason);
            return;
        }
        // Letter case counts here, although both would be stored alike.
        if (TogliSpazi(ui->txtPasswordNew->text()) != TogliSpazi(ui->txtConferma->text())) {
            RifiutaNuovaPassword(QStringLiteral(
                "Attenzione: la nuova password non è stata confermata correttamente. E' "
                "necessario reinserire entrambi i valori."));
            return;
        }

        const TestoSegreto nuova(NormalizzaPassword(ui->txtPasswordNew->text()));
        // A password that could be stored but never typed back would lock the user out.
        if (!PasswordCifrabile(nuova.Testo())) {
            RifiutaNuovaPassword(QStringLiteral(
                "Attenzione: la nuova password contiene caratteri che non possono essere "
                "memorizzati (ad esempio il simbolo dell'euro, lettere di alfabeti non latini o "
                "emoji). E' necessario reinserire entrambi i valori."));
            return;
        }
        if (nuova.Testo().size() > Accesso::LunghezzaMassimaPassword) {
            RifiutaNuovaPassword(
                QStringLiteral("Attenzione: la nuova password è troppo lunga: può contenere al "
                               "massimo %1 caratteri. E' necessario reinserire entrambi i valori.")
                    .arg(Accesso::LunghezzaMassimaPassword));
            return;
        }

        const TestoSegreto cifrata(EncryptToHex(nuova.Testo()));
        ScriviValoreProfilo(Accesso::PercorsoFile(cartella), Accesso::Sezione, Accesso::Chiave,
                            cifrata.Testo());
        mostraMessaggio(this, QStringLiteral("Modifica della password completata con successo."));
    } catch (const std::exception& errore) {
        qCWarning(RegistroAccesso) << "password change:" << errore.what();
        mostraMessaggio(this, QStringLiteral("Attenzione: si è verificato un errore durante la "
                                             "procedura di modifica della password. Si consiglia "
                                             "di reinstallare il software."));
        return;
    }
    close();
}

void TfrmCambiaPassword::cmdEsciClick() {
    close();
}

void TfrmCambiaPassword::RifiutaNuovaPassword(const QString& messaggio) {
    mostraMessaggio(this, messaggio);
    ui->txtPasswordNew->clear();
    ui->txtConferma->clear();
    ui->txtPasswordNew->setFocus(Qt::OtherFocusReason);
}
