#include "archive/ApriArchivio.h"

#include "ui_ApriArchivio.h"

#include "core/storage/CartellaArchivi.h"
#include "core/text/Formati.h"
#include "core/text/Testo.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"
#include "gui/Piattaforma.h"
#include "help/Guida.h"

#include <QListWidgetItem>

namespace {

const QString MsgElencoVuoto =
    QStringLiteral("Attenzione: l'elenco non contiene nessun archivio di password.");
const QString MsgSelezionaDaAprire =
    QStringLiteral("Attenzione: selezionare l'archivio di password dall'elenco prima di premere "
                   "il pulsante Apri archivio.");
const QString MsgSelezionaDaEliminare =
    QStringLiteral("Attenzione: selezionare dall'elenco l'archivio di password da eliminare prima "
                   "di premere il pulsante del cestino.");
const QString MsgConfermaEliminazione = QStringLiteral(
    "Si sta per eliminare l'archivio di password selezionato. Si ricorda che il file eliminato "
    "non potrà essere recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?");
const QString MsgEliminato =
    QStringLiteral("L'archivio di password è stato eliminato con successo.");
const QString MsgNonEliminato = QStringLiteral(
    "Attenzione: l'archivio di password selezionato non è stato eliminato.\r\n\r\nIl sistema non "
    "permette di eliminare il file: accertarsi che il file esista ancora e di possedere i "
    "privilegi di scrittura nella cartella di installazione del programma.");

QString cartellaProgramma() {
    return Piattaforma::corrente().cartellaProgramma();
}

} // namespace

TfrmApriArchivio::TfrmApriArchivio(QWidget* parent)
    : TFinestraLunga(Modo::Massimizzata, parent)
    , ui(std::make_unique<Ui::TfrmApriArchivio>()) {
    ui->setupUi(this);
    ImpostaFormatiProcesso();

    preparaPulsanteImmagine(ui->btnApri, QStringLiteral("Apri archivio"));
    preparaPulsanteImmagine(ui->btnElimina, QStringLiteral("Elimina l'archivio selezionato"));
    preparaPulsanteImmagine(ui->btnAnnulla, QStringLiteral("Annulla"));
    preparaPulsanteImmagine(ui->imgGuida, Comando{QStringLiteral("Guida all'utilizzo del software"),
                                                  QString(), TastoGuida()});

    CollegaComando(ui->btnApri, this, &TfrmApriArchivio::btnApriClick);
    CollegaComando(ui->btnElimina, this, &TfrmApriArchivio::btnEliminaClick);
    CollegaComando(ui->btnAnnulla, this, &TfrmApriArchivio::btnAnnullaClick);
    CollegaComando(ui->imgGuida, this, &TfrmApriArchivio::imgGuidaClick);
}

TfrmApriArchivio::~TfrmApriArchivio() = default;

void TfrmApriArchivio::impostaChiusura(Chiusura chiusura) {
    chiusura_ = chiusura;
    ui->lblMemory->setText(chiusura == Chiusura::Avvio ? QStringLiteral("avvio")
                                                       : QStringLiteral("password"));
}

void TfrmApriArchivio::impostaPercorso(const QString& percorso) {
    percorso_ = percorso;
    ui->lblFile->setText(percorso);
}

void TfrmApriArchivio::FormShow() {
    impostaChiusura(Chiusura::Avvio);
    impostaPercorso(cartellaProgramma());
    elencaArchivi();
}

void TfrmApriArchivio::elencaArchivi() {
    ui->lstFiles->setUpdatesEnabled(false);
    ui->lstFiles->clear();
    const QFont carattere(QStringLiteral("Courier New"), 14);
    for (const QString& nome : ArchiviNellaCartella(cartellaProgramma())) {
        auto* voce = new QListWidgetItem(nome);
        voce->setFont(carattere);
        voce->setForeground(Qt::black);
        ui->lstFiles->addItem(voce);
    }
    // Nothing chosen is nothing under the keyboard focus either: the list would otherwise put its
    // first item under the focus, unselected, when the keyboard reaches it, and a screen reader
    // would tell that item while "Apri archivio" refuses it. The arrows then choose the first.
    ui->lstFiles->setCurrentIndex(QModelIndex());
    ui->lblCreati->setText(
        QStringLiteral("Sono stati creati %1 archivi di password.").arg(ui->lstFiles->count()));
    ui->lstFiles->setUpdatesEnabled(true);
}

QListWidgetItem* TfrmApriArchivio::voceSelezionata() const {
    const QList<QListWidgetItem*> selezionate = ui->lstFiles->selectedItems();
    return selezionate.isEmpty() ? nullptr : selezionate.first();
}

QListWidgetItem* TfrmApriArchivio::voceScelta(const QString& msgNessunaScelta) {
    if (ui->lstFiles->count() == 0) {
        mostraAvviso(this, MsgElencoVuoto);
        return nullptr;
    }
    QListWidgetItem* voce = voceSelezionata();
    if (!voce)
        mostraAvviso(this, msgNessunaScelta);
    return voce;
}

// The item's text is the file's exact name: it is used as it is, so a name with blanks at its
// ends still names its own file and never another archive.
void TfrmApriArchivio::btnApriClick() {
    const QListWidgetItem* voce = voceScelta(MsgSelezionaDaAprire);
    if (!voce)
        return;
    impostaPercorso(cartellaProgramma() + voce->text());
    impostaChiusura(Chiusura::ApriScelto);
    close();
}

void TfrmApriArchivio::btnEliminaClick() {
    const QListWidgetItem* voce = voceScelta(MsgSelezionaDaEliminare);
    if (!voce || !chiediConferma(this, MsgConfermaEliminazione))
        return;
    impostaPercorso(cartellaProgramma() + voce->text());
    if (EliminaArchivio(percorso_))
        mostraInformazione(this, MsgEliminato);
    else
        mostraErrore(this, MsgNonEliminato);
    impostaChiusura(Chiusura::Avvio);
    impostaPercorso(QString());
    elencaArchivi();
}

void TfrmApriArchivio::btnAnnullaClick() {
    impostaChiusura(Chiusura::Avvio);
    close();
}

void TfrmApriArchivio::imgGuidaClick() {
    apriGuida(this, ArgomentoGuida::Gestione);
}

void TfrmApriArchivio::FormClose() {
    const QListWidgetItem* voce = voceSelezionata();
    if (chiusura_ != Chiusura::ApriScelto || !voce) {
        Q_EMIT chiusa();
        return;
    }
    const QString nome = voce->text();
    impostaPercorso(cartellaProgramma() + nome);
    Q_EMIT archivioScelto(TogliSpazi(percorso_), NomeDelFileArchivio(nome));
}
