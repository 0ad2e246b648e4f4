#include "output/ExpPassword.h"

#include "ui_ExpPassword.h"

#include "core/export/Esportazione.h"
#include "core/files/SostituisciFile.h"
#include "core/helptext/Tastiera.h"
#include "gui/Accessibilita.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"
#include "gui/OpenURL.h"
#include "gui/Piattaforma.h"
#include "gui/Registro.h"
#include "help/Guida.h"
#include "output/GrigliaSchede.h"

#include <QHeaderView>
#include <QMetaObject>

#include <exception>

namespace {

const QString DomandaEsporta = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede "
    "presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString DomandaApri = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di "
    "Excel?");
// The two sentences are separated by LF CR LF CR, as the program has always shown them.
const QString EsportazioneNegata =
    QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                   "Accertarsi che il file di Excel non sia già aperto.");
const QString NomeFoglio = QStringLiteral("Blindoro.xls");

} // namespace

TfrmExpPassword::TfrmExpPassword(SchedaAperta* scheda)
    : TDialogoScheda(scheda, QSize(862, 560))
    , ui(std::make_unique<Ui::TfrmExpPassword>())
    , modello_(new TModelloSchede(this)) {
    ui->setupUi(this);
    centraSulloSchermo();
    ui->grdRecords->setModel(modello_);

    CollegaComando(ui->cmdEsporta, this, &TfrmExpPassword::cmdEsportaClick);
    CollegaComando(ui->cmdGuida, this, &TfrmExpPassword::cmdGuidaClick);
    CollegaComando(ui->cmdEsci, this, &TfrmExpPassword::cmdEsciClick);
    preparaSuggerimenti();
    ui->grdRecords->setFocus(Qt::OtherFocusReason);
}

TfrmExpPassword::~TfrmExpPassword() = default;

void TfrmExpPassword::preparaSuggerimenti() {
    const QList<QPair<QAbstractButton*, QString>> comandi{
        {ui->cmdEsporta, QStringLiteral("Esporta l'archivio in formato Microsoft Excel.")},
        {ui->cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
        {ui->cmdEsci, QStringLiteral("Esci da questo ambiente di lavoro.")},
    };
    auto* suggerimenti = new RigaSuggerimenti(ui->panInfo);
    const QHash<QAbstractButton*, Scorciatoia> tasti{
        {ui->cmdEsporta, TastoEsportazione()},
        {ui->cmdGuida, TastoGuida()},
    };
    for (const auto& [comando, testo] : comandi) {
        preparaPulsanteImmagine(comando, Comando{comando->text(), testo, tasti.value(comando)});
        suggerimenti->suggerimento(comando, testo);
    }
    // The grid's cells and captions lie on the viewports of the grid and of its header.
    for (QWidget* sfondo :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(ui->panContainer),
          static_cast<QWidget*>(ui->shpSfondo), static_cast<QWidget*>(ui->shpPulsanti),
          static_cast<QWidget*>(ui->shpInfo), static_cast<QWidget*>(ui->grdRecords),
          ui->grdRecords->viewport(), ui->grdRecords->horizontalHeader()->viewport()})
        suggerimenti->sfondo(sfondo);
    // The hint bar's text lies on the bar, and the two pictures are part of the band they lie on:
    // moving over them is moving over the background.
    for (QWidget* decorazione : {ui->panInfo, ui->icoBanner, ui->icoMano})
        decorazione->setAttribute(Qt::WA_TransparentForMouseEvents);
    segnaDecorazione(ui->icoBanner);
    segnaDecorazione(ui->icoMano);
}

void TfrmExpPassword::FormShow() {
    try {
        modello_->CaricaArchivio(percorsoArchivio());
    } catch (const std::exception& errore) {
        qCWarning(RegistroArchivio) << "export, reading the archive:" << errore.what();
        // The grid keeps what it holds, which is not the archive: the user is told once the
        // window is on the screen, and the export will not write it.
        archivioNonLetto_ = true;
        QMetaObject::invokeMethod(
            this, [this] { EseguiAzione([this] { mostraMessaggio(this, MsgAccessoNegato); }); },
            Qt::QueuedConnection);
    }
}

void TfrmExpPassword::cmdEsportaClick() {
    ui->grdRecords->ConfermaModifica();
    // An archive that could not be read must not replace a good earlier file with an empty table.
    if (archivioNonLetto_) {
        mostraMessaggio(this, MsgAccessoNegato);
        return;
    }
    if (!chiediConferma(this, DomandaEsporta))
        return;
    const QString percorso = Piattaforma::corrente().cartellaProgramma() + NomeFoglio;
    try {
        // The new file takes the old one's place only once it is whole on the disk: a failed
        // export leaves the previous Blindoro.xls as it was. It holds every password in clear, so
        // only its owner may read it.
        SostituisciFile(
            percorso, [this](QIODevice& foglio) { EsportaInFoglio(*modello_, foglio); },
            PermessiNuovoFile::SoloProprietario);
    } catch (const std::exception& errore) {
        qCWarning(RegistroFile) << "export:" << errore.what();
        mostraMessaggio(this, EsportazioneNegata);
        return;
    }
    if (chiediConferma(this, DomandaApri))
        TMisc::Open(QLatin1Char('"') + percorso + QLatin1Char('"'));
}

void TfrmExpPassword::cmdGuidaClick() {
    apriGuida(this, ArgomentoGuida::Esportazione);
}

void TfrmExpPassword::cmdEsciClick() {
    accept();
}
