#include "output/TrovaPassword.h"

#include "ui_TrovaPassword.h"

#include "core/summary/Ricerca.h"
#include "core/summary/Scansioni.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"
#include "gui/Registro.h"
#include "output/ElencoRiepilogo.h"

#include <exception>

namespace {

const QString TitoloStampa = QStringLiteral("Riepilogo credenziali in archivio");

} // namespace

TfrmTrovaPassword::TfrmTrovaPassword(SchedaAperta* scheda)
    : TFinestraElenco(scheda)
    , ui(std::make_unique<Ui::TfrmTrovaPassword>()) {
    ui->setupUi(this);

    // In the order of the fields the search tests (CampiDellaRicerca).
    filtri_ = {ui->txtTitolo,       ui->txtURL,      ui->txtProprietario, ui->txtDescrizione,
               ui->txtUtente,       ui->txtPassword, ui->txtDomanda,      ui->txtNote,
               ui->txtIntestatario, ui->txtCodFisc};

    auto* aloni = new EvidenziazioneAlone(this);
    auto* invio = new TastoInvio(this);
    for (std::size_t k = 0; k < filtri_.size(); ++k) {
        QLineEdit* filtro = filtri_[k];
        aloni->aggiungi(filtro, QStringLiteral("eff") + filtro->objectName().mid(3));
        invio->sposta(filtro, filtri_[(k + 1) % filtri_.size()]);
    }
    invio->sposta(ui->txtTrova, ui->btnTrova);

    preparaElenco(ui->lstRecords, ui->txtTrova, ui->btnStampa, ui->lblAppunti, UltimaChiave);

    connect(ui->btnCerca, &QPushButton::pressed, this,
            SottoGuardia(this, &TfrmTrovaPassword::btnCercaMouseDown));
    CollegaComando(ui->btnCerca, this, &TfrmTrovaPassword::btnCercaClick);
    CollegaComando(ui->btnTrova, this, &TfrmTrovaPassword::btnTrovaClick);
    CollegaComando(ui->btnStampa, this, &TfrmTrovaPassword::btnStampaClick);
    CollegaComando(ui->btnAnnulla, this, &TfrmTrovaPassword::btnAnnullaClick);
    CollegaComando(ui->btnChiudi, this, &TfrmTrovaPassword::btnChiudiClick);
}

TfrmTrovaPassword::~TfrmTrovaPassword() = default;

void TfrmTrovaPassword::FormShow() {
    preparaMostra(ui->txtTrova, UltimaChiave);
    ui->txtTitolo->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaPassword::btnCercaMouseDown() {
    ui->lblAttendere->show();
    // Painted now: the search that follows keeps the event loop busy until it ends.
    ui->lblAttendere->repaint();
}

void TfrmTrovaPassword::btnCercaClick() {
    FiltriRicerca filtri;
    for (std::size_t k = 0; k < filtri_.size(); ++k)
        filtri.Imposta(CampiDellaRicerca[k], filtri_[k]->text());
    ui->lblConta->setText(QString::number(filtri.NumeroFiltri()));

    QStringList righe;
    try {
        elenco().Svuota();
        righe = CercaSchede(percorsoArchivio(), filtri);
    } catch (const std::exception& errore) {
        qCWarning(RegistroArchivio) << "search:" << errore.what();
        // The search is over: the filters stay, to be tried again.
        ui->lblAttendere->hide();
        mostraMessaggio(this, MsgAccessoNegato);
        return;
    }
    elenco().Mostra(righe);
    ui->lblTrovate->setText(QStringLiteral("Il presente riepilogo contiene %1 schede.")
                                .arg(QString::number(righe.size())));
    ui->panContainer->show();
    ui->panAvvio->hide();
    ui->txtTrova->clear();
    ui->txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaPassword::btnTrovaClick() {
    elenco().CercaChiave();
}

void TfrmTrovaPassword::lstRecordsDblClick() {
    caricaSceltaEChiudi();
}

void TfrmTrovaPassword::btnStampaClick() {
    stampaElenco(TitoloStampa);
}

void TfrmTrovaPassword::btnAnnullaClick() {
    close();
}

void TfrmTrovaPassword::btnChiudiClick() {
    close();
}
