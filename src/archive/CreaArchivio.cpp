#include "archive/CreaArchivio.h"

#include "ui_CreaArchivio.h"

#include "core/text/Formati.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"
#include "gui/Piattaforma.h"
#include "help/Guida.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <algorithm>
#include <stdexcept>

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

bool scartabile(QChar carattere) {
    return carattere.isSpace() || carattere.category() == QChar::Other_Control;
}

// The name as typed, without blanks and control characters at either end.
QString nomeRipulito(const QString& testo) {
    qsizetype inizio = 0;
    qsizetype fine = testo.size();
    while (inizio < fine && scartabile(testo[inizio]))
        ++inizio;
    while (fine > inizio && scartabile(testo[fine - 1]))
        --fine;
    return testo.mid(inizio, fine - inizio);
}

// A name arrives here also by pasting, which the key filter does not see. The refused characters
// include both path separators, so an accepted name always names a file in the program folder.
bool nomeAmmesso(const QString& nome) {
    const bool soloPunti =
        std::all_of(nome.begin(), nome.end(), [](QChar c) { return c == QLatin1Char('.'); });
    const bool carattereEscluso = std::any_of(nome.begin(), nome.end(), [](QChar c) {
        return CaratteriEsclusiNome.contains(c) || c.category() == QChar::Other_Control;
    });
    return !soloPunti && !carattereEscluso;
}

enum class Creazione { Riuscita, NomeGiaUsato };

// Creates the empty archive file. The creation is exclusive: an entry of that name is never
// opened or emptied, even one that appears just before the file would be made. Any other failure
// leaves the handler as an exception, whose text the error box shows. Archives hold passwords in
// clear: only their owner may read them.
Creazione creaFileVuoto(const QString& percorso) {
    QFile file(percorso);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return Creazione::Riuscita;
    const QFileInfo voce(percorso);
    if (voce.exists() || voce.isSymLink())
        return Creazione::NomeGiaUsato;
    throw std::runtime_error(QStringLiteral("Impossibile creare il file \"%1\": %2")
                                 .arg(percorso, file.errorString())
                                 .toStdString());
}

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

    connect(ui->btnApplica, &QAbstractButton::clicked, this,
            SottoGuardia(this, &TfrmCreaArchivio::btnApplicaClick));
    connect(ui->btnAnnulla, &QAbstractButton::clicked, this,
            SottoGuardia(this, &TfrmCreaArchivio::btnAnnullaClick));
    connect(ui->imgGuida, &QAbstractButton::clicked, this,
            SottoGuardia(this, &TfrmCreaArchivio::imgGuidaClick));
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
    const QString nome = nomeRipulito(ui->txtFile->text());
    if (nome.isEmpty() || !nomeAmmesso(nome)) {
        mostraAvviso(this, nome.isEmpty() ? MsgNomeMancante : MsgNomeNonAmmesso);
        ui->txtFile->setFocus();
        return;
    }
    const QString percorso =
        Piattaforma::corrente().cartellaProgramma() + nome + QStringLiteral(".psw");
    ui->lblFile->setText(percorso);
    if (creaFileVuoto(percorso) == Creazione::NomeGiaUsato) {
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
