#include "validators/DialogoControllo.h"

#include "core/text/Formati.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

TDialogoControllo::TDialogoControllo(QWidget* parent, const QSize& areaClient)
    : TDialogo(parent, areaClient) {
    centraSulloSchermo();
    ImpostaFormatiProcesso();
}

void TDialogoControllo::preparaControllo(QLineEdit* campo, QPushButton* controlla,
                                         QPushButton* chiudi, int lunghezza,
                                         const QString& avvisoLunghezza) {
    campo_ = campo;
    lunghezza_ = lunghezza;
    avvisoLunghezza_ = avvisoLunghezza;
    campo->setMaxLength(lunghezza);

    auto* invio = new TastoInvio(this);
    invio->sposta(campo, controlla);

    CollegaComando(controlla, this, &TDialogoControllo::btnControllaClick);
    CollegaComando(chiudi, this, &TDialogoControllo::btnChiudiClick);
}

// A text longer than the field's limit widens the limit instead of being cut, so the length
// warning reports it rather than a shortened code being checked.
void TDialogoControllo::preimposta(const QString& codice) {
    campo_->setMaxLength(std::max<qsizetype>(campo_->maxLength(), codice.size()));
    campo_->setText(codice);
}

void TDialogoControllo::FormShow() {
    campo_->setFocus(Qt::OtherFocusReason);
    campo_->selectAll();
}

QString TDialogoControllo::codiceDaControllare() const {
    return campo_->text();
}

void TDialogoControllo::btnControllaClick() {
    const QString codice = codiceDaControllare();
    if (codice.size() != lunghezza_) {
        mostraAvviso(this, avvisoLunghezza_);
        campo_->setFocus(Qt::OtherFocusReason);
        return;
    }
    const Esito verdetto = esito(codice);
    if (verdetto.valido)
        mostraInformazione(this, verdetto.messaggio);
    else
        mostraAvviso(this, verdetto.messaggio);
    accept();
}

void TDialogoControllo::btnChiudiClick() {
    reject();
}
