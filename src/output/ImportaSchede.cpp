#include "output/ImportaSchede.h"

#include "ui_ImportaSchede.h"

#include "core/helptext/Tastiera.h"
#include "core/storage/FileArchivio.h"
#include "core/text/Formati.h"
#include "gui/Accessibilita.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"
#include "gui/Piattaforma.h"
#include "gui/Registro.h"
#include "output/RigheImportazione.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyle>

#include <algorithm>
#include <exception>
#include <optional>

namespace {

const QString TitoloScelta = QStringLiteral("Selezionare il file CSV da importare:");
const QString FiltroScelta = QStringLiteral("File CSV (*.csv);;Tutti i file (*.*)");
const QString FileNonImportabile =
    QStringLiteral("Attenzione: il file «%1» non può essere importato.\r\n\r\n%2\r\n\r\n"
                   "Nessuna scheda è stata aggiunta all'archivio.");
const QString SuggerimentoImporta =
    QStringLiteral("Aggiungi all'archivio le schede da aggiungere, tutte insieme.");
const QString SuggerimentoAnnulla =
    QStringLiteral("Chiudi l'anteprima senza aggiungere nulla all'archivio.");
const QString NotaValoriComuni =
    QStringLiteral("Valgono per le schede del file che non ne hanno uno proprio.");
const QString FormatoDataAtteso = QStringLiteral("nella forma gg/mm/aaaa");
const QString DataNonValida = QStringLiteral("data non valida: scriverla nella forma gg/mm/aaaa");
// How many lines of the file the list of rows to complete names before it only counts the others.
constexpr int LineeElencate = 20;

QString NomeSeparatore(char separatore) {
    return separatore == ';' ? QStringLiteral("punti e virgola") : QStringLiteral("virgole");
}

// "la riga 4" or "le righe 4, 9 e 12", the first ones only when they are many.
QString ElencoLinee(const QList<qsizetype>& linee) {
    if (linee.size() == 1)
        return QStringLiteral("la riga %1").arg(linee[0]);
    QStringList numeri;
    for (qsizetype i = 0; i < linee.size() && i < LineeElencate; ++i)
        numeri << QString::number(linee[i]);
    if (linee.size() > LineeElencate)
        return QStringLiteral("le righe %1 e altre %2")
            .arg(numeri.join(QStringLiteral(", ")))
            .arg(linee.size() - LineeElencate);
    const QString ultima = numeri.takeLast();
    return QStringLiteral("le righe %1 e %2").arg(numeri.join(QStringLiteral(", ")), ultima);
}

bool MancaDatoDellaRiga(const QList<Campo>& mancanti) {
    return std::any_of(mancanti.cbegin(), mancanti.cend(), [](Campo campo) {
        return campo == Campo::Titolo || campo == Campo::Utente || campo == Campo::Password;
    });
}

} // namespace

void ImportaSchede(SchedaAperta& scheda) {
    QWidget* finestra = scheda.Finestra();
    const QString percorso =
        Piattaforma::corrente().scegliFile(finestra, TitoloScelta, FiltroScelta);
    if (percorso.isEmpty())
        return;
    const QString nome = QFileInfo(percorso).fileName();
    std::optional<AnteprimaImportazione> anteprima;
    try {
        const QByteArray dati = LeggiFileCsv(percorso);
        SchedeEsistenti esistenti;
        {
            FileArchivio archivio = ApriFileArchivio(scheda.PercorsoArchivio());
            esistenti = LeggiSchedeEsistenti(archivio);
            archivio.Chiudi();
        }
        anteprima.emplace(dati, std::move(esistenti), Piattaforma::corrente().oggi());
    } catch (const ErroreImportazione& errore) {
        qCInfo(RegistroFile) << "import: file refused, line" << errore.Linea();
        mostraAvviso(finestra, FileNonImportabile.arg(nome, errore.Messaggio()));
        return;
    } catch (const ErroreArchivio& errore) {
        qCWarning(RegistroArchivio) << "import, reading the archive:" << errore.what();
        mostraMessaggio(finestra, MsgAccessoNegato);
        return;
    }
    const auto dialogo = std::make_unique<TfrmImportaSchede>(&scheda, std::move(*anteprima), nome);
    dialogo->exec();
}

TfrmImportaSchede::TfrmImportaSchede(SchedaAperta* scheda, AnteprimaImportazione anteprima,
                                     const QString& nomeFile)
    : TDialogoScheda(scheda, QSize(960, 660))
    , ui(std::make_unique<Ui::TfrmImportaSchede>())
    , anteprima_(std::move(anteprima))
    , modello_(new TModelloRigheImportazione(anteprima_, this))
    , filtro_(new TFiltroRigheImportazione(anteprima_, this)) {
    ui->setupUi(this);
    centraSulloSchermo();
    ui->lblSottotitolo->setText(QStringLiteral("File %1, da aggiungere all'archivio «%2».")
                                    .arg(nomeFile, scheda->NomeArchivio()));
    ui->lblFormato->setText(QStringLiteral("Formato: %1. Codifica: %2, celle separate da %3.")
                                .arg(NomeFormato(anteprima_.Formato()),
                                     NomeCodifica(anteprima_.Codifica()),
                                     NomeSeparatore(anteprima_.Separatore())));
    QStringList altro;
    if (!anteprima_.ColonneIgnorate().isEmpty())
        altro << QStringLiteral("Colonne non importate: %1.")
                     .arg(anteprima_.ColonneIgnorate().join(QStringLiteral(", ")));
    if (!anteprima_.TestoElementiSaltati().isEmpty())
        altro << anteprima_.TestoElementiSaltati();
    ui->lblColonne->setText(altro.join(QLatin1Char(' ')));
    ui->lblColonne->setVisible(!altro.isEmpty());

    filtro_->setSourceModel(modello_);
    ui->grdRighe->setModel(filtro_);
    for (int colonna = 0; colonna < NumeroColonneRighe; ++colonna)
        ui->grdRighe->setColumnWidth(colonna, LarghezzaColonna(static_cast<ColonnaRighe>(colonna)));

    ui->txtIntestatario->setMaxLength(static_cast<int>(LunghezzaMassima(Campo::Intestatario)));
    ui->txtScadenza->setMaxLength(static_cast<int>(LunghezzaMassima(Campo::Scadenza)));
    ui->txtScadenza->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9/]{0,10}")), ui->txtScadenza));
    ui->txtScadenza->setText(DataInTesto(anteprima_.Scadenza()));

    CollegaComando(ui->cmdImporta, this, &TfrmImportaSchede::cmdImportaClick);
    CollegaComando(ui->cmdAnnulla, this, &TfrmImportaSchede::cmdAnnullaClick);
    CollegaComando(ui->chkDaCompletare, this, &TfrmImportaSchede::chkDaCompletareClick);
    connect(ui->txtIntestatario, &QLineEdit::textChanged, this,
            SottoGuardia(this, &TfrmImportaSchede::txtIntestatarioChange));
    connect(ui->txtScadenza, &QLineEdit::textChanged, this,
            SottoGuardia(this, &TfrmImportaSchede::txtScadenzaChange));
    connect(modello_, &TModelloRigheImportazione::modificata, this, SottoGuardia([this] {
                mostraRiepilogo();
                mostraRilievi();
            }));
    connect(ui->grdRighe->selectionModel(), &QItemSelectionModel::currentChanged, this,
            SottoGuardia(this, &TfrmImportaSchede::mostraRilievi));
    preparaConvenzioni();

    mostraRiepilogo();
    if (filtro_->rowCount() > 0)
        ui->grdRighe->setCurrentIndex(filtro_->index(0, static_cast<int>(ColonnaRighe::Stato)));
    mostraRilievi();
    // The holder is asked first when a row needs it, as it does in every file but the program's
    // own.
    const bool serveIntestatario = [this] {
        for (qsizetype riga = 0; riga < anteprima_.NumeroRighe(); ++riga)
            if (anteprima_.Mancanti(riga).contains(Campo::Intestatario))
                return true;
        return false;
    }();
    (serveIntestatario ? static_cast<QWidget*>(ui->txtIntestatario)
                       : static_cast<QWidget*>(ui->grdRighe))
        ->setFocus(Qt::OtherFocusReason);
}

TfrmImportaSchede::~TfrmImportaSchede() = default;

void TfrmImportaSchede::preparaConvenzioni() {
    auto* suggerimenti = new RigaSuggerimenti(ui->panInfo);
    const QList<QPair<QAbstractButton*, Comando>> comandi{
        {ui->cmdImporta, Comando{ui->cmdImporta->text(), SuggerimentoImporta, TastoImportazione()}},
        {ui->cmdAnnulla, Comando{ui->cmdAnnulla->text(), SuggerimentoAnnulla, {}}},
    };
    for (const auto& [pulsante, comando] : comandi) {
        preparaPulsanteImmagine(pulsante, comando);
        suggerimenti->suggerimento(pulsante, comando.suggerimento);
    }
    for (QWidget* sfondo :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(ui->panContainer),
          static_cast<QWidget*>(ui->shpSfondo), static_cast<QWidget*>(ui->shpPulsanti),
          static_cast<QWidget*>(ui->shpInfo), static_cast<QWidget*>(ui->grdRighe),
          ui->grdRighe->viewport(), ui->grdRighe->horizontalHeader()->viewport()})
        suggerimenti->sfondo(sfondo);
    for (QWidget* decorazione : {ui->panInfo, ui->icoBanner})
        decorazione->setAttribute(Qt::WA_TransparentForMouseEvents);
    segnaDecorazione(ui->icoBanner);

    auto* evidenziazione = new EvidenziazioneSfondo(this);
    for (QWidget* campo : {ui->txtIntestatario, ui->txtScadenza})
        evidenziazione->aggiungi(campo, Colori::AliceBlue);
    auto* invio = new TastoInvio(this);
    invio->sposta(ui->txtIntestatario, ui->txtScadenza);
    invio->sposta(ui->txtScadenza, ui->grdRighe);
}

void TfrmImportaSchede::mostraRiepilogo() {
    const qsizetype daAggiungere = anteprima_.NumeroDaAggiungere();
    const qsizetype duplicate = anteprima_.Numero(StatoRiga::Duplicata);
    const qsizetype incomplete = anteprima_.Numero(StatoRiga::Incompleta);
    const qsizetype escluse = anteprima_.Numero(StatoRiga::Esclusa);
    ui->lblRiepilogo->setText(
        QStringLiteral("Schede da aggiungere all'archivio: %1 su %2. Duplicate: %3, da "
                       "completare: %4, escluse: %5.")
            .arg(daAggiungere)
            .arg(anteprima_.NumeroRighe())
            .arg(duplicate)
            .arg(incomplete)
            .arg(escluse));

    QList<qsizetype> senzaDati;
    bool senzaIntestatario = false;
    bool senzaScadenza = false;
    for (qsizetype riga = 0; riga < anteprima_.NumeroRighe(); ++riga) {
        if (anteprima_.Stato(riga) != StatoRiga::Incompleta)
            continue;
        const QList<Campo> mancanti = anteprima_.Mancanti(riga);
        if (MancaDatoDellaRiga(mancanti))
            senzaDati << anteprima_.Linea(riga);
        senzaIntestatario = senzaIntestatario || mancanti.contains(Campo::Intestatario);
        senzaScadenza = senzaScadenza || mancanti.contains(Campo::Scadenza);
    }
    QStringList daFare;
    if (senzaIntestatario)
        daFare << QStringLiteral("indicare l'intestatario dell'account");
    if (senzaScadenza)
        daFare << QStringLiteral("indicare una data di scadenza valida");
    if (!senzaDati.isEmpty())
        daFare << QStringLiteral("completare nella tabella il titolo, il nome utente o la "
                                 "password mancanti (%1 del file)")
                      .arg(ElencoLinee(senzaDati));
    QString testo;
    if (!daFare.isEmpty()) {
        testo = QStringLiteral("Per aggiungere le schede da completare: ") +
                daFare.join(QStringLiteral("; ")) + QLatin1Char('.');
        testo[0] = testo[0].toUpper();
    }
    ui->lblDaCompletare->setText(testo);

    const QList<Rilievo> rilievi = anteprima_.RilieviIntestatario();
    QStringList note;
    for (const Rilievo& rilievo : rilievi)
        note << DescriviRilievo(rilievo);
    ui->lblNotaValori->setText(note.isEmpty() ? NotaValoriComuni : note.join(QLatin1Char(' ')));
    ui->cmdImporta->setEnabled(daAggiungere > 0);
}

void TfrmImportaSchede::mostraRilievi() {
    const QModelIndex corrente = filtro_->mapToSource(ui->grdRighe->currentIndex());
    if (!corrente.isValid()) {
        ui->txtRilievi->setPlainText(QString());
        return;
    }
    const qsizetype riga = corrente.row();
    QStringList descrizioni = anteprima_.Descrizioni(riga);
    if (descrizioni.isEmpty())
        descrizioni << QStringLiteral("Nessun rilievo: sarà aggiunta come nuova scheda.");
    ui->txtRilievi->setPlainText(QStringLiteral("Riga %1 del file:\n").arg(anteprima_.Linea(riga)) +
                                 descrizioni.join(QLatin1Char('\n')));
}

void TfrmImportaSchede::txtIntestatarioChange() {
    anteprima_.ImpostaIntestatario(ui->txtIntestatario->text());
    modello_->Aggiorna();
    mostraRiepilogo();
    mostraRilievi();
}

void TfrmImportaSchede::txtScadenzaChange() {
    const QDate data = DataDaTesto(ui->txtScadenza->text());
    anteprima_.ImpostaScadenza(data);
    ui->lblFormatoData->setText(data.isValid() ? FormatoDataAtteso : DataNonValida);
    ui->lblFormatoData->setProperty("errore", !data.isValid());
    ui->lblFormatoData->style()->unpolish(ui->lblFormatoData);
    ui->lblFormatoData->style()->polish(ui->lblFormatoData);
    ui->txtScadenza->setAccessibleDescription(ui->lblFormatoData->text());
    modello_->Aggiorna();
    mostraRiepilogo();
    mostraRilievi();
}

void TfrmImportaSchede::chkDaCompletareClick() {
    filtro_->SoloDaCompletare(ui->chkDaCompletare->isChecked());
    if (!ui->grdRighe->currentIndex().isValid() && filtro_->rowCount() > 0)
        ui->grdRighe->setCurrentIndex(filtro_->index(0, static_cast<int>(ColonnaRighe::Stato)));
    mostraRilievi();
}

void TfrmImportaSchede::cmdImportaClick() {
    ui->grdRighe->ConfermaModifica();
    if (anteprima_.NumeroDaAggiungere() == 0)
        return;
    qsizetype primaRiga = 0;
    while (anteprima_.Stato(primaRiga) != StatoRiga::DaAggiungere)
        ++primaRiga;
    EsitoImportazione esito;
    try {
        FileArchivio archivio = ApriFileArchivio(percorsoArchivio());
        esito = anteprima_.Importa(archivio);
        archivio.Chiudi();
    } catch (const std::exception& errore) {
        // The archive is as it was before: the user may free some room and try again.
        qCWarning(RegistroArchivio) << "import:" << errore.what();
        mostraMessaggio(this, MsgAccessoNegato);
        return;
    }
    scheda().MostraScheda(anteprima_.Scheda(primaRiga), esito.primaScheda);
    mostraInformazione(this, TestoConferma(esito.aggiunte));
    accept();
}

void TfrmImportaSchede::cmdAnnullaClick() {
    reject();
}
