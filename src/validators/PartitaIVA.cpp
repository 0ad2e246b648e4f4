#include "validators/PartitaIVA.h"

#include "ui_PartitaIVA.h"

#include "gui/Convenzioni.h"
#include "core/text/Formati.h"
#include "gui/Messaggi.h"
#include "validators/CampoControllo.h"
#include "core/taxcode/ControlloFiscale.h"

#include <QKeyEvent>

namespace {

QString messaggioValida(const QString& ufficio) {
    const QString valida =
        QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n");
    if (ufficio.isEmpty())
        return valida + QStringLiteral("L'Ufficio IVA che lo ha rilasciato non è tra quelli noti "
                                       "al programma.");
    return valida + QStringLiteral("E' stato rilasciato dall'Ufficio IVA del Comune di ") +
           ufficio + QLatin1Char('.');
}

} // namespace

TfrmPartitaIva::TfrmPartitaIva(QWidget* parent)
    : TDialogo(parent, QSize(480, 254))
    , ui(std::make_unique<Ui::TfrmPartitaIva>()) {
    ui->setupUi(this);
    centraSulloSchermo();
    ImpostaFormatiProcesso();
    ui->txtPartitaIva->setMaxLength(LunghezzaPartitaIva);

    auto* invio = new TastoInvio(this);
    invio->sposta(ui->txtPartitaIva, ui->btnControlla);
    // Installed after the Enter order, so it sees the keys first and lets Enter through to it.
    ui->txtPartitaIva->installEventFilter(this);

    connect(ui->btnControlla, &QPushButton::clicked, this, &TfrmPartitaIva::btnControllaClick);
    connect(ui->btnChiudi, &QPushButton::clicked, this, &TfrmPartitaIva::btnChiudiClick);
}

TfrmPartitaIva::~TfrmPartitaIva() = default;

void TfrmPartitaIva::preimposta(const QString& numero) {
    preimpostaCampo(ui->txtPartitaIva, numero);
}

void TfrmPartitaIva::FormShow() {
    ui->txtPartitaIva->setFocus(Qt::OtherFocusReason);
    ui->txtPartitaIva->selectAll();
}

bool TfrmPartitaIva::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == ui->txtPartitaIva && evento->type() == QEvent::KeyPress)
        return !txtPartitaIvaKeyDown(*static_cast<QKeyEvent*>(evento));
    return TDialogo::eventFilter(oggetto, evento);
}

bool TfrmPartitaIva::txtPartitaIvaKeyDown(const QKeyEvent& tasto) const {
    switch (tasto.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: // the Enter order moves the focus to "Controlla"
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    // The dialog's own keys, which never reach the text: moving the focus and closing.
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return true;
    default:
        return tasto.text().size() == 1 && SoloCifre(tasto.text());
    }
}

void TfrmPartitaIva::btnControllaClick() {
    const QString numero = ui->txtPartitaIva->text();
    if (numero.size() != LunghezzaPartitaIva) {
        mostraAvviso(this, QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 "
                                          "caratteri numerici."));
        ui->txtPartitaIva->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (PartitaIvaValida(numero))
        mostraInformazione(this, messaggioValida(NomeUfficioIva(CodiceUfficio(numero))));
    else
        mostraAvviso(this, QStringLiteral("Attenzione: il numero di partita IVA digitato risulta "
                                          "ERRATO!\r\n\r\nNon è quindi possibile fornire "
                                          "informazioni relative all'Ufficio IVA che lo ha "
                                          "rilasciato."));
    accept();
}

void TfrmPartitaIva::btnChiudiClick() {
    reject();
}
