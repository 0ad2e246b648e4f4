#include "validators/PartitaIVA.h"

#include "ui_PartitaIVA.h"

#include "core/taxcode/ControlloFiscale.h"
#include "gui/Guardia.h"

#include <QKeyEvent>

TfrmPartitaIva::TfrmPartitaIva(QWidget* parent)
    : TDialogoControllo(parent, QSize(480, 254))
    , ui(std::make_unique<Ui::TfrmPartitaIva>()) {
    ui->setupUi(this);
    preparaControllo(ui->txtPartitaIva, ui->btnControlla, ui->btnChiudi, LunghezzaPartitaIva,
                     QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 "
                                    "caratteri numerici."));
    // Installed after the Enter order, so it sees the keys first and lets Enter through to it.
    ui->txtPartitaIva->installEventFilter(this);
}

TfrmPartitaIva::~TfrmPartitaIva() = default;

bool TfrmPartitaIva::eventFilter(QObject* oggetto, QEvent* evento) {
    return EseguiFiltro([&]() -> bool {
        if (oggetto == ui->txtPartitaIva && evento->type() == QEvent::KeyPress)
            return !txtPartitaIvaKeyDown(*static_cast<QKeyEvent*>(evento));
        return TDialogoControllo::eventFilter(oggetto, evento);
    });
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

TDialogoControllo::Esito TfrmPartitaIva::esito(const QString& numero) const {
    if (!PartitaIvaValida(numero))
        return {false, QStringLiteral("Attenzione: il numero di partita IVA digitato risulta "
                                      "ERRATO!\r\n\r\nNon è quindi possibile fornire informazioni "
                                      "relative all'Ufficio IVA che lo ha rilasciato.")};
    const QString valida =
        QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n");
    const QString ufficio = NomeUfficioIva(CodiceUfficio(numero));
    if (ufficio.isEmpty())
        return {true, valida + QStringLiteral("L'Ufficio IVA che lo ha rilasciato non è tra quelli "
                                              "noti al programma.")};
    return {true, valida + QStringLiteral("E' stato rilasciato dall'Ufficio IVA del Comune di ") +
                      ufficio + QLatin1Char('.')};
}
