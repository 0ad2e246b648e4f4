#include "validators/CodFisc.h"

#include "ui_CodFisc.h"

#include "gui/Convenzioni.h"
#include "core/text/Formati.h"
#include "gui/Messaggi.h"
#include "validators/CampoControllo.h"
#include "core/taxcode/ControlloFiscale.h"
#include "validators/PartitaIVA.h"

#include <algorithm>

TfrmCodFisc::TfrmCodFisc(QWidget* parent)
    : TDialogo(parent, QSize(478, 254))
    , ui(std::make_unique<Ui::TfrmCodFisc>()) {
    ui->setupUi(this);
    centraSulloSchermo();
    ImpostaFormatiProcesso();
    ui->txtCodFisc->setMaxLength(LunghezzaCodiceFiscale);

    auto* invio = new TastoInvio(this);
    invio->sposta(ui->txtCodFisc, ui->btnControlla);

    connect(ui->txtCodFisc, &QLineEdit::textEdited, this, &TfrmCodFisc::txtCodFiscTyping);
    connect(ui->btnControlla, &QPushButton::clicked, this, &TfrmCodFisc::btnControllaClick);
    connect(ui->btnChiudi, &QPushButton::clicked, this, &TfrmCodFisc::btnChiudiClick);
}

TfrmCodFisc::~TfrmCodFisc() = default;

void TfrmCodFisc::preimposta(const QString& codice) {
    preimpostaCampo(ui->txtCodFisc, codice);
}

void TfrmCodFisc::FormShow() {
    ui->txtCodFisc->setFocus(Qt::OtherFocusReason);
    ui->txtCodFisc->selectAll();
}

// Every edit leaves the code without blanks around it and in capitals; the cursor keeps its place
// among the characters that stay.
void TfrmCodFisc::txtCodFiscTyping() {
    QLineEdit* campo = ui->txtCodFisc;
    const QString prima = campo->text();
    const QString dopo = LettereMaiuscole(prima.trimmed());
    if (dopo == prima)
        return;
    qsizetype blanchiIniziali = 0;
    while (blanchiIniziali < prima.size() && prima.at(blanchiIniziali).isSpace())
        ++blanchiIniziali;
    const qsizetype cursore = campo->cursorPosition() - blanchiIniziali;
    campo->setText(dopo);
    campo->setCursorPosition(static_cast<int>(std::clamp<qsizetype>(cursore, 0, dopo.size())));
}

void TfrmCodFisc::btnControllaClick() {
    const QString codice = LettereMaiuscole(ui->txtCodFisc->text());
    if (codice.size() != LunghezzaCodiceFiscale) {
        mostraAvviso(this,
                     QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 "
                                    "caratteri alfanumerici."));
        ui->txtCodFisc->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (CodFiscValido(codice))
        mostraInformazione(this, QStringLiteral("Il codice fiscale digitato è VALIDO."));
    else
        mostraAvviso(this, QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."));
    accept();
}

void TfrmCodFisc::btnChiudiClick() {
    reject();
}

void ControllaCodiceFiscale(QWidget* proprietario, const QString& testo) {
    const QString codice = testo.trimmed();
    if (!codice.isEmpty() && SoloCifre(codice))
        apriDialogo<TfrmPartitaIva>(proprietario,
                                    [&](TfrmPartitaIva& dialogo) { dialogo.preimposta(codice); });
    else
        apriDialogo<TfrmCodFisc>(proprietario,
                                 [&](TfrmCodFisc& dialogo) { dialogo.preimposta(codice); });
}
