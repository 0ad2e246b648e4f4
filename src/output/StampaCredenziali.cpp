#include "output/StampaCredenziali.h"

#include "ui_StampaCredenziali.h"

#include "core/text/Formati.h"
#include "core/text/Testo.h"
#include "gui/Accessibilita.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"

namespace {

// The card's data memos in the order they are filled, each with the record field it shows; the
// archive's name comes first. The tax code and the attachments have no place on the card.
struct MemoDellaScheda {
    const char* memo;
    Campo campo;
};
constexpr MemoDellaScheda MemoCampi[] = {
    {"txtTitolo", Campo::Titolo},
    {"txtURL", Campo::URL},
    {"txtProprietario", Campo::Proprietario},
    {"txtUtilizzate", Campo::Utilizzate},
    {"txtNote", Campo::Note},
    {"txtDomanda", Campo::Domanda},
    {"txtRisposta", Campo::Risposta},
    {"txtUtente", Campo::Utente},
    {"txtPassword", Campo::Password},
    {"txtCreazione", Campo::Creazione},
    {"txtScadenza", Campo::Scadenza},
    {"txtDescrizione", Campo::Descrizione},
    {"txtIntestatario", Campo::Intestatario},
    {"txtTel", Campo::Tel},
    {"txtEmail", Campo::Email},
};

} // namespace

TfrmStampaCredenziali::TfrmStampaCredenziali(SchedaAperta* scheda)
    : TDialogoScheda(scheda, QSize(362, 287))
    , ui(std::make_unique<Ui::TfrmStampaCredenziali>())
    , repScheda(this, QStringLiteral("Scheda Credenziali")) {
    ui->setupUi(this);
    ImpostaFormatiProcesso();
    assegnaScorciatoia(ui->btnStampa, TastoStampa());
    for (QWidget* immagine : {ui->imgLogo, ui->imgScheda, ui->imgStampante})
        segnaDecorazione(immagine);

    CollegaComando(ui->btnAnnulla, this, &TfrmStampaCredenziali::btnAnnullaClick);
    CollegaComando(ui->btnStampa, this, &TfrmStampaCredenziali::btnStampaClick);
}

TfrmStampaCredenziali::~TfrmStampaCredenziali() = default;

void TfrmStampaCredenziali::btnAnnullaClick() {
    reject();
}

void TfrmStampaCredenziali::btnStampaClick() {
    repScheda.GetPages(1)->setOrientation(QPageLayout::Portrait);
    CompilaScheda();
    repScheda.PrepareReport(true);
    const bool stampata = repScheda.Print();
    // The window closes whether the card was printed or the print dialog was cancelled.
    if (stampata)
        accept();
    else
        reject();
}

// Each memo receives its control's text without the blanks and line breaks around it; a
// multi-line field keeps its inner line breaks, the password prints in clear.
void TfrmStampaCredenziali::CompilaScheda() {
    const auto compila = [this](const char* memo, const QString& testo) {
        repScheda.FindObject<TMemo>(QString::fromLatin1(memo))->setText(TogliSpazi(testo));
    };
    const SchedaAperta& record = scheda();
    compila("txtArchivio", record.NomeArchivio());
    for (const MemoDellaScheda& voce : MemoCampi)
        compila(voce.memo, record.TestoCampo(voce.campo));
}
