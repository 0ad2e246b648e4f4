#include "validators/CodFisc.h"

#include "ui_CodFisc.h"

#include "core/taxcode/ControlloFiscale.h"
#include "core/text/Testo.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "validators/PartitaIVA.h"

TfrmCodFisc::TfrmCodFisc(QWidget* parent)
    : TDialogoControllo(parent, QSize(478, 254))
    , ui(std::make_unique<Ui::TfrmCodFisc>()) {
    ui->setupUi(this);
    preparaControllo(ui->txtCodFisc, ui->btnControlla, ui->btnChiudi, LunghezzaCodiceFiscale,
                     QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 "
                                    "caratteri alfanumerici."));
    connect(ui->txtCodFisc, &QLineEdit::textEdited, this,
            SottoGuardia(this, &TfrmCodFisc::txtCodFiscTyping));
}

TfrmCodFisc::~TfrmCodFisc() = default;

// Every edit leaves the code without blanks around it and in capitals; the cursor keeps its place
// among the characters that stay.
void TfrmCodFisc::txtCodFiscTyping() {
    SostituisciDigitando(ui->txtCodFisc, LettereMaiuscole(TogliSpazi(ui->txtCodFisc->text())));
}

QString TfrmCodFisc::codiceDaControllare() const {
    return LettereMaiuscole(ui->txtCodFisc->text());
}

TDialogoControllo::Esito TfrmCodFisc::esito(const QString& codice) const {
    if (CodFiscValido(codice))
        return {true, QStringLiteral("Il codice fiscale digitato è VALIDO.")};
    return {false, QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.")};
}

void ControllaCodiceFiscale(QWidget* proprietario, const QString& testo) {
    const QString codice = TogliSpazi(testo);
    if (!codice.isEmpty() && SoloCifre(codice))
        apriDialogo<TfrmPartitaIva>(proprietario,
                                    [&](TfrmPartitaIva& dialogo) { dialogo.preimposta(codice); });
    else
        apriDialogo<TfrmCodFisc>(proprietario,
                                 [&](TfrmCodFisc& dialogo) { dialogo.preimposta(codice); });
}
