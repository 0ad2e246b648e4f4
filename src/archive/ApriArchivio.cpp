#include "archive/ApriArchivio.h"

#include "ui_ApriArchivio.h"

#include "core/summary/RigaRiepilogo.h"
#include "core/text/Formati.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"
#include "gui/Piattaforma.h"
#include "help/Guida.h"

#include <QDir>
#include <QFile>
#include <QListWidgetItem>
#include <algorithm>

namespace {

const QString ModoAvvio = QStringLiteral("avvio");
const QString ModoPassword = QStringLiteral("password");
const QString Estensione = QStringLiteral(".psw");

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

// The order of every list of the program; names that differ only in the case of a to z keep a
// fixed order too, capitals first.
bool precedeNellElenco(const QString& primo, const QString& secondo) {
    const int confronto = ConfrontaNellElenco(primo, secondo);
    return confronto != 0 ? confronto < 0 : primo < secondo;
}

// The file names of the archives in a folder: every file whose name ends in ".psw" in any case,
// sub-folders excluded, in the list's order. A folder that cannot be read gives what was found.
QStringList archiviNellaCartella(const QString& cartella) {
    QStringList nomi = QDir(cartella).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    nomi.removeIf(
        [](const QString& nome) { return !nome.endsWith(Estensione, Qt::CaseInsensitive); });
    std::sort(nomi.begin(), nomi.end(), precedeNellElenco);
    return nomi;
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

    connect(ui->btnApri, &QAbstractButton::clicked, this,
            SottoGuardia(this, &TfrmApriArchivio::btnApriClick));
    connect(ui->btnElimina, &QAbstractButton::clicked, this,
            SottoGuardia(this, &TfrmApriArchivio::btnEliminaClick));
    connect(ui->btnAnnulla, &QAbstractButton::clicked, this,
            SottoGuardia(this, &TfrmApriArchivio::btnAnnullaClick));
    connect(ui->imgGuida, &QAbstractButton::clicked, this,
            SottoGuardia(this, &TfrmApriArchivio::imgGuidaClick));
}

TfrmApriArchivio::~TfrmApriArchivio() = default;

void TfrmApriArchivio::FormShow() {
    ui->lblMemory->setText(ModoAvvio);
    ui->lblFile->setText(cartellaProgramma());
    elencaArchivi();
}

void TfrmApriArchivio::elencaArchivi() {
    ui->lstFiles->setUpdatesEnabled(false);
    ui->lstFiles->clear();
    const QFont carattere(QStringLiteral("Courier New"), 14);
    for (const QString& nome : archiviNellaCartella(cartellaProgramma())) {
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
    ui->lblFile->setText(cartellaProgramma() + voce->text());
    ui->lblMemory->setText(ModoPassword);
    close();
}

void TfrmApriArchivio::btnEliminaClick() {
    const QListWidgetItem* voce = voceScelta(MsgSelezionaDaEliminare);
    if (!voce || !chiediConferma(this, MsgConfermaEliminazione))
        return;
    ui->lblFile->setText(cartellaProgramma() + voce->text());
    if (QFile::remove(ui->lblFile->text()))
        mostraInformazione(this, MsgEliminato);
    else
        mostraErrore(this, MsgNonEliminato);
    ui->lblMemory->setText(ModoAvvio);
    ui->lblFile->clear();
    elencaArchivi();
}

void TfrmApriArchivio::btnAnnullaClick() {
    ui->lblMemory->setText(ModoAvvio);
    close();
}

void TfrmApriArchivio::imgGuidaClick() {
    apriGuida(this, ArgomentoGuida::Gestione);
}

void TfrmApriArchivio::FormClose() {
    const QListWidgetItem* voce = voceSelezionata();
    if (ui->lblMemory->text().trimmed() != ModoPassword || !voce) {
        Q_EMIT chiusa();
        return;
    }
    const QString nome = voce->text();
    ui->lblFile->setText(cartellaProgramma() + nome);
    Q_EMIT archivioScelto(ui->lblFile->text().trimmed(), nome.chopped(Estensione.size()));
}
