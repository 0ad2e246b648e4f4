#include "output/Segnalati.h"

#include "ui_Segnalati.h"

#include "core/summary/Scansioni.h"
#include "core/text/Formati.h"
#include "editor/Blindoro.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Piattaforma.h"
#include "output/ComponenteRapporto.h"
#include "output/ElencoRiepilogo.h"

#include <exception>

namespace {

const QString TitoloStampa = QStringLiteral("Riepilogo password scadute");

} // namespace

TfrmSegnalati::TfrmSegnalati(TfrmBlindoro* scheda)
    : TDialogoScheda(scheda, QSize(862, 560))
    , ui(std::make_unique<Ui::TfrmSegnalati>()) {
    ui->setupUi(this);
    ImpostaFormatiProcesso();
    setStyleSheet(StileElenco());

    auto* invio = new TastoInvio(this);
    invio->sposta(ui->txtTrova, ui->btnTrova);

    elenco_ = new ElencoRiepilogo(this, ui->lstRecords, ui->txtTrova, UltimaChiave);
    elenco_->AlDoppioClic([this] { lstRecordsDblClick(); });
    frxReport = std::make_unique<ComponenteRapporto>(this, ModelloRiepilogo);
    assegnaScorciatoia(ui->btnStampa, TastoStampa());

    connect(ui->btnTrova, &QPushButton::clicked, this,
            SottoGuardia(this, &TfrmSegnalati::btnTrovaClick));
    connect(ui->btnStampa, &QPushButton::clicked, this,
            SottoGuardia(this, &TfrmSegnalati::btnStampaClick));
    connect(ui->btnChiudi, &QPushButton::clicked, this,
            SottoGuardia(this, &TfrmSegnalati::btnChiudiClick));
}

TfrmSegnalati::~TfrmSegnalati() = default;

ComponenteRapporto& TfrmSegnalati::Rapporto() {
    return *frxReport;
}

void TfrmSegnalati::FormShow() {
    centraSulloSchermo();
    UltimaChiave.clear();
    ui->txtTrova->clear();

    QStringList righe;
    bool letto = true;
    try {
        ElencaScadute(percorsoArchivio(), Piattaforma::corrente().oggi(), righe);
    } catch (const std::exception&) {
        // Silently: the lines found before the failure are listed.
        letto = false;
    }
    elenco_->Mostra(righe);
    if (letto)
        ui->txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmSegnalati::btnTrovaClick() {
    elenco_->CercaChiave();
}

void TfrmSegnalati::lstRecordsDblClick() {
    TfrmBlindoro* destinazione = scheda();
    elenco_->CaricaScelta(percorsoArchivio(), [=](const TScheda& trovata, qint64 numero) {
        if (destinazione)
            destinazione->MostraScheda(trovata, numero);
    });
    close();
}

void TfrmSegnalati::btnStampaClick() {
    StampaElenco(*frxReport, TitoloStampa, elenco_->Righe());
}

void TfrmSegnalati::btnChiudiClick() {
    close();
}
