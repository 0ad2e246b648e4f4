#include "output/TrovaPassword.h"

#include "ui_TrovaPassword.h"

#include "core/summary/Ricerca.h"
#include "core/summary/Scansioni.h"
#include "core/text/Formati.h"
#include "core/text/Testo.h"
#include "editor/Blindoro.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"
#include "output/ComponenteRapporto.h"
#include "output/ElencoRiepilogo.h"

#include <exception>

namespace {

const QString TagBlindoro = QStringLiteral("blindoro");
const QString TitoloStampa = QStringLiteral("Riepilogo credenziali in archivio");

} // namespace

TfrmTrovaPassword::TfrmTrovaPassword(TfrmBlindoro* scheda)
    : TDialogoScheda(scheda, QSize(862, 560))
    , ui(std::make_unique<Ui::TfrmTrovaPassword>()) {
    ui->setupUi(this);
    ImpostaFormatiProcesso();
    setStyleSheet(StileElenco());

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

    elenco_ = new ElencoRiepilogo(this, ui->lstRecords, ui->txtTrova, UltimaChiave);
    elenco_->AlDoppioClic([this] { lstRecordsDblClick(); });
    frxReport = std::make_unique<ComponenteRapporto>(this, ModelloRiepilogo);
    assegnaScorciatoia(ui->btnStampa, TastoStampa());

    connect(ui->btnCerca, &QPushButton::pressed, this,
            SottoGuardia(this, &TfrmTrovaPassword::btnCercaMouseDown));
    connect(ui->btnCerca, &QPushButton::clicked, this,
            SottoGuardia(this, &TfrmTrovaPassword::btnCercaClick));
    connect(ui->btnTrova, &QPushButton::clicked, this,
            SottoGuardia(this, &TfrmTrovaPassword::btnTrovaClick));
    connect(ui->btnStampa, &QPushButton::clicked, this,
            SottoGuardia(this, &TfrmTrovaPassword::btnStampaClick));
    connect(ui->btnAnnulla, &QPushButton::clicked, this,
            SottoGuardia(this, &TfrmTrovaPassword::btnAnnullaClick));
    connect(ui->btnChiudi, &QPushButton::clicked, this,
            SottoGuardia(this, &TfrmTrovaPassword::btnChiudiClick));
}

TfrmTrovaPassword::~TfrmTrovaPassword() = default;

void TfrmTrovaPassword::ImpostaChiamante(const QString& tag) {
    ui->lblMemory->setText(tag);
}

ComponenteRapporto& TfrmTrovaPassword::Rapporto() {
    return *frxReport;
}

void TfrmTrovaPassword::FormShow() {
    centraSulloSchermo();
    UltimaChiave.clear();
    ui->txtTrova->clear();
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
        elenco_->Svuota();
        righe = CercaSchede(percorsoArchivio(), filtri);
    } catch (const std::exception&) {
        // The search is over: the filters stay, to be tried again.
        ui->lblAttendere->hide();
        mostraMessaggio(this, MsgAccessoNegato);
        return;
    }
    elenco_->Mostra(righe);
    ui->lblTrovate->setText(QStringLiteral("Il presente riepilogo contiene %1 schede.")
                                .arg(QString::number(righe.size())));
    ui->panContainer->show();
    ui->panAvvio->hide();
    ui->txtTrova->clear();
    ui->txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaPassword::btnTrovaClick() {
    elenco_->CercaChiave();
}

void TfrmTrovaPassword::lstRecordsDblClick() {
    // Only the record window's own tag lets the records reach it; the scan runs all the same.
    const bool perLaScheda = TogliSpazi(ui->lblMemory->text()) == TagBlindoro;
    TfrmBlindoro* destinazione = scheda();
    elenco_->CaricaScelta(percorsoArchivio(), [=](const TScheda& trovata, qint64 numero) {
        if (perLaScheda && destinazione)
            destinazione->MostraScheda(trovata, numero);
    });
    close();
}

void TfrmTrovaPassword::btnStampaClick() {
    StampaElenco(*frxReport, TitoloStampa, elenco_->Righe());
}

void TfrmTrovaPassword::btnAnnullaClick() {
    close();
}

void TfrmTrovaPassword::btnChiudiClick() {
    close();
}
