#include "archive/CreaArchivio.h"

#include "ui_CreaArchivio.h"

#include "core/storage/CartellaArchivi.h"
#include "core/text/Formati.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"
#include "gui/Piattaforma.h"
#include "help/Guida.h"

#include <QKeyEvent>
#include <algorithm>

namespace {

const QString MsgNomeMancante =
    QStringLiteral("Attenzione: per creare il nuovo archivio è necessario indicare il nome del "
                   "nuovo archivio di password.");
const QString MsgNomeGiaUsato = QStringLiteral(
    "Attenzione: il nome dell'archivio di password indicato è già stato utilizzato in "
    "precedenza.\r\n\r\nInserire un nome diverso oppure, se si desidera aprire un archivio di "
    "password già creato, premere il pulsante Apri blindoro esistente.");
const QString MsgNomeNonAmmesso = QStringLiteral(
    "Attenzione: il nome indicato non può essere utilizzato per un archivio di password.\r\n\r\n"
    "Il nome non deve contenere caratteri non stampabili né i caratteri \" * / : < > ? \\ ° Ç Ñ "
    "ç ñ, e non può essere formato soltanto da punti.");
const QString MsgArchivioCreato = QStringLiteral(
    "Il file di archivio relativo al nuovo archivio di password è stato creato con "
    "successo.\r\n\r\nE' ora possibile visualizzarlo nell'elenco degli archivi di password "
    "esistenti.");

} // namespace

TfrmCreaArchivio::TfrmCreaArchivio(QWidget* parent)
    : TFinestraLunga(Modo::Massimizzata, parent)
    , ui(std::make_unique<Ui::TfrmCreaArchivio>()) {
    ui->setupUi(this);
    ImpostaFormatiProcesso();
    ui->txtFile->setMaxLength(250);

    auto* evidenziazione = new EvidenziazioneSfondo(this);
    evidenziazione->aggiungi(ui->txtFile, Colori::AliceBlue);
    ui->txtFile->installEventFilter(this);

    preparaPulsanteImmagine(ui->btnApplica, QStringLiteral("Applica e chiudi"));
    preparaPulsanteImmagine(ui->btnAnnulla, QStringLiteral("Annulla"));
    preparaPulsanteImmagine(ui->imgGuida, Comando{QStringLiteral("Guida all'utilizzo del software"),
                                                  QString(), TastoGuida()});

    CollegaComando(ui->btnApplica, this, &TfrmCreaArchivio::btnApplicaClick);
    CollegaComando(ui->btnAnnulla, this, &TfrmCreaArchivio::btnAnnullaClick);
    CollegaComando(ui->imgGuida, this, &TfrmCreaArchivio::imgGuidaClick);
}

TfrmCreaArchivio::~TfrmCreaArchivio() = default;

void TfrmCreaArchivio::FormShow() {
    ui->txtFile->clear();
    ui->txtFile->setFocus();
}

void TfrmCreaArchivio::FormClose() {
    Q_EMIT chiusa();
}

bool TfrmCreaArchivio::eventFilter(QObject* oggetto, QEvent* evento) {
    return EseguiFiltro([&]() -> bool {
        if (oggetto == ui->txtFile && evento->type() == QEvent::KeyPress)
            return txtFileKeyDown(static_cast<const QKeyEvent*>(evento));
        return TFinestraLunga::eventFilter(oggetto, evento);
    });
}

bool TfrmCreaArchivio::txtFileKeyDown(const QKeyEvent* tasto) const {
    const QString testo = tasto->text();
    return std::any_of(testo.begin(), testo.end(),
                       [](QChar c) { return CaratteriEsclusiNome.contains(c); });
}

void TfrmCreaArchivio::btnApplicaClick() {
    ui->lblFile->clear();
    // A name arrives here also by pasting, which the key filter does not see.
    const QString nome = NomeNuovoArchivio(ui->txtFile->text());
    if (!NomeArchivioAmmesso(nome)) {
        mostraAvviso(this, nome.isEmpty() ? MsgNomeMancante : MsgNomeNonAmmesso);
        ui->txtFile->setFocus();
        return;
    }
    const QString percorso =
        PercorsoNuovoArchivio(Piattaforma::corrente().cartellaProgramma(), nome);
    ui->lblFile->setText(percorso);
    if (CreaArchivioVuoto(percorso) == EsitoCreazione::NomeGiaUsato) {
        mostraAvviso(this, MsgNomeGiaUsato);
        return;
    }
    mostraInformazione(this, MsgArchivioCreato);
    close();
}

void TfrmCreaArchivio::btnAnnullaClick() {
    close();
}

void TfrmCreaArchivio::imgGuidaClick() {
    apriGuida(this, ArgomentoGuida::Gestione);
}
