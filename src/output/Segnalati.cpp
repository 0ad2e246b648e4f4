#include "output/Segnalati.h"

#include "ui_Segnalati.h"

#include "core/summary/Scansioni.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Piattaforma.h"
#include "gui/Registro.h"
#include "output/ElencoRiepilogo.h"

#include <exception>

namespace {

const QString TitoloStampa = QStringLiteral("Riepilogo password scadute");

} // namespace

TfrmSegnalati::TfrmSegnalati(SchedaAperta* scheda)
    : TFinestraElenco(scheda)
    , ui(std::make_unique<Ui::TfrmSegnalati>()) {
    ui->setupUi(this);

    auto* invio = new TastoInvio(this);
    invio->sposta(ui->txtTrova, ui->btnTrova);

    preparaElenco(ui->lstRecords, ui->txtTrova, ui->btnStampa, ui->lblAppunti, UltimaChiave);

    CollegaComando(ui->btnTrova, this, &TfrmSegnalati::btnTrovaClick);
    CollegaComando(ui->btnStampa, this, &TfrmSegnalati::btnStampaClick);
    CollegaComando(ui->btnChiudi, this, &TfrmSegnalati::btnChiudiClick);
}

TfrmSegnalati::~TfrmSegnalati() = default;

void TfrmSegnalati::FormShow() {
    preparaMostra(ui->txtTrova, UltimaChiave);

    QStringList righe;
    bool letto = true;
    try {
        ElencaScadute(percorsoArchivio(), Piattaforma::corrente().oggi(), righe);
    } catch (const std::exception& errore) {
        // Silently: the lines found before the failure are listed.
        qCWarning(RegistroArchivio) << "expired summary:" << errore.what();
        letto = false;
    }
    elenco().Mostra(righe);
    if (letto)
        ui->txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmSegnalati::btnTrovaClick() {
    elenco().CercaChiave();
}

void TfrmSegnalati::lstRecordsDblClick() {
    caricaSceltaEChiudi();
}

void TfrmSegnalati::btnStampaClick() {
    stampaElenco(TitoloStampa);
}

void TfrmSegnalati::btnChiudiClick() {
    close();
}
