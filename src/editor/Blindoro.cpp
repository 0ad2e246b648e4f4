#include "editor/Blindoro.h"

#include "ui_Blindoro.h"

#include "core/generator/StimaForza.h"
#include "core/helptext/Tastiera.h"
#include "core/storage/FileArchivio.h"
#include "core/storage/Windows1252.h"
#include "core/text/Formati.h"
#include "core/text/Testo.h"
#include "editor/AllegaCartella.h"
#include "editor/Calendario.h"
#include "editor/GeneraPassword.h"
#include "gui/Accessibilita.h"
#include "gui/ComandiAppunti.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"
#include "gui/OpenURL.h"
#include "gui/Piattaforma.h"
#include "gui/Registro.h"
#include "help/Guida.h"
#include "output/ExpPassword.h"
#include "output/ImportaSchede.h"
#include "output/Segnalati.h"
#include "output/StampaCredenziali.h"
#include "output/TrovaPassword.h"
#include "validators/CodFisc.h"

#include <QAction>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

const QString ArchivioVuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString DuplicaSoloSalvata = QStringLiteral(
    "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata "
    "inserita in archivio.");
const QString DuplicaPronta =
    QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                   "Al termine premere Salva per inserire la scheda in archivio.");
const QString ModificheSalvate =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString SchedaInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString IndirizzoMancante =
    QStringLiteral("Attenzione: per collegarsi al sito è necessario indicare il suo Indirizzo.");
const QString NuovoIndirizzo = QStringLiteral("https://");
const QString SuggerimentoData = QStringLiteral(
    "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.");
const QString ElencoUtilizzatePieno = QStringLiteral(
    "Attenzione: la password precedente non è stata aggiunta all'elenco delle password già "
    "utilizzate, che non può superare i 5000 caratteri.\r\n\r\nLa nuova password è nel campo "
    "Password; la scheda in archivio conserva quella precedente finché non si preme Salva.");
const QString NessunaPasswordDaValutare =
    QStringLiteral("La scheda non contiene una password da valutare.");
const QString LimitiDelloStimatore = QStringLiteral(
    "Lo stimatore riconosce le password comuni, le parole, i nomi, le date e le sequenze della "
    "tastiera in inglese, non le parole italiane: una password fatta di parole italiane può "
    "essere più debole di quanto stima.");

// The multi-line fields hold their lines separated by CR LF in the record, as they always have.
QString testoDi(const QWidget* controllo) {
    if (auto* campo = qobject_cast<const QLineEdit*>(controllo))
        return campo->text();
    return static_cast<const QPlainTextEdit*>(controllo)->toPlainText().replace(
        QLatin1Char('\n'), QLatin1String("\r\n"));
}

void impostaTesto(QWidget* controllo, const QString& testo) {
    if (auto* campo = qobject_cast<QLineEdit*>(controllo)) {
        campo->setText(testo);
        campo->setCursorPosition(0); // a long text shows its beginning
    } else {
        static_cast<QPlainTextEdit*>(controllo)->setPlainText(
            QString(testo).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    }
}

// The attachment slot and whether a field is its name or its description.
std::pair<std::size_t, bool> postoAllegato(Campo campo) {
    const int k = static_cast<int>(campo) - static_cast<int>(Campo::File01);
    return {static_cast<std::size_t>(k % 3), k < 3};
}

} // namespace

TfrmBlindoro::TfrmBlindoro(QWidget* parent)
    : TFinestraLunga(Modo::Massimizzata, parent)
    , ui(std::make_unique<Ui::TfrmBlindoro>()) {
    ui->setupUi(this);
    ImpostaFormatiProcesso();

    campi_ = {ui->txtTitolo,       ui->txtURL,       ui->txtProprietario, ui->txtDescrizione,
              ui->txtUtente,       ui->txtCreazione, ui->txtPassword,     ui->txtScadenza,
              ui->txtDomanda,      ui->txtRisposta,  ui->txtUtilizzate,   ui->txtNote,
              ui->txtIntestatario, ui->txtCodFisc,   ui->txtEmail,        ui->txtTel};
    for (int k = 0; k < NumeroCampiDigitati; ++k)
        if (auto* campo = qobject_cast<QLineEdit*>(campi_[k]))
            campo->setMaxLength(static_cast<int>(LunghezzaMassima(static_cast<Campo>(k))));

    CollegaComando(ui->cmdNuovo, this, &TfrmBlindoro::cmdNuovoClick);
    CollegaComando(ui->cmdDuplica, this, &TfrmBlindoro::cmdDuplicaClick);
    CollegaComando(ui->cmdSalva, this, &TfrmBlindoro::cmdSalvaClick);
    CollegaComando(ui->btnFocus, this, &TfrmBlindoro::btnFocusClick);
    CollegaComando(ui->cmdPrimo, this, &TfrmBlindoro::cmdPrimoClick);
    CollegaComando(ui->cmdIndietro, this, &TfrmBlindoro::cmdIndietroClick);
    CollegaComando(ui->cmdAvanti, this, &TfrmBlindoro::cmdAvantiClick);
    CollegaComando(ui->cmdUltimo, this, &TfrmBlindoro::cmdUltimoClick);
    CollegaComando(ui->cmdFile, this, &TfrmBlindoro::cmdFileClick);
    CollegaComando(ui->cmdStampa, this, &TfrmBlindoro::cmdStampaClick);
    CollegaComando(ui->cmdEsporta, this, &TfrmBlindoro::cmdEsportaClick);
    CollegaComando(ui->cmdTrova, this, &TfrmBlindoro::cmdTrovaClick);
    CollegaComando(ui->cmdScadenze, this, &TfrmBlindoro::cmdScadenzeClick);
    CollegaComando(ui->cmdGuida, this, &TfrmBlindoro::cmdGuidaClick);
    CollegaComando(ui->cmdEsci, this, &TfrmBlindoro::cmdEsciClick);
    CollegaComando(ui->btnSito, this, &TfrmBlindoro::btnSitoClick);
    CollegaComando(ui->btnEmail, this, &TfrmBlindoro::btnEmailClick);
    CollegaComando(ui->btnPassword, this, &TfrmBlindoro::btnPasswordClick);
    CollegaComando(ui->btnRisposta, this, &TfrmBlindoro::btnRispostaClick);
    CollegaComando(ui->btnCodFisc, this, &TfrmBlindoro::btnCodFiscClick);
    connect(ui->txtCodFisc, &QLineEdit::textEdited, this,
            SottoGuardia(this, &TfrmBlindoro::txtCodFiscTyping));
    connect(ui->txtEmail, &QLineEdit::textEdited, this,
            SottoGuardia(this, &TfrmBlindoro::txtEmailTyping));

    preparaConvenzioni();
    preparaComandiAppunti();
    preparaMenuContestuali();
}

TfrmBlindoro::~TfrmBlindoro() = default;

void TfrmBlindoro::preparaComandiAppunti() {
    actCopiaPassword =
        nuovaAzione(this, QStringLiteral("actCopiaPassword"), ComandoCopia(Appunti::Dato::Password),
                    [this] { actCopiaPasswordExecute(); });
    actCopiaUtente =
        nuovaAzione(this, QStringLiteral("actCopiaUtente"), ComandoCopia(Appunti::Dato::NomeUtente),
                    [this] { actCopiaUtenteExecute(); });
    actCopiaIndirizzo =
        nuovaAzione(this, QStringLiteral("actCopiaIndirizzo"),
                    ComandoCopia(Appunti::Dato::Indirizzo), [this] { actCopiaIndirizzoExecute(); });
    // A copy from the lists as well: the line tells whatever the program's clipboard does.
    SeguiAppunti(this, [this](const QString& avviso) { suggerimenti_->messaggio(avviso); });
}

// Every entry the window adds to a field's context menu, after the field's own (cut, copy,
// paste...): one menu per field.
void TfrmBlindoro::preparaMenuContestuali() {
    const QList<QPair<QWidget*, QList<QAction*>>> menu{
        {ui->txtURL, {actCopiaIndirizzo}},
        {ui->txtUtente, {actCopiaUtente}},
        {ui->txtPassword, {actCopiaPassword, actGeneraPassword, actValutaPassword}},
    };
    for (const auto& [campo, azioni] : menu)
        aggiungiAlMenuContestuale(campo, azioni);
}

void TfrmBlindoro::preparaConvenzioni() {
    // The commands of the row carry their caption under their picture; the small buttons beside
    // the fields have a picture only, so their caption is told here.
    const QList<QPair<QAbstractButton*, QString>> comandi{
        {ui->cmdNuovo,
         QStringLiteral("Prepara la schermata per l'inserimento di una nuova scheda.")},
        {ui->cmdDuplica, QStringLiteral("Prepara la schermata per l'inserimento di una nuova "
                                        "scheda duplicando i dati correnti.")},
        {ui->cmdSalva, QStringLiteral("Salva la scheda in archivio.")},
        {ui->cmdTrova, QStringLiteral("Trova una scheda in archivio.")},
        {ui->cmdFile, QStringLiteral("Allega file alla scheda.")},
        {ui->cmdStampa, QStringLiteral("Stampa la scheda.")},
        {ui->cmdPrimo, QStringLiteral("Visualizza la prima scheda in archivio.")},
        {ui->cmdIndietro, QStringLiteral("Visualizza la scheda precedente in archivio.")},
        {ui->cmdAvanti, QStringLiteral("Visualizza la scheda successiva in archivio.")},
        {ui->cmdUltimo, QStringLiteral("Visualizza l'ultima scheda in archivio.")},
        {ui->cmdEsporta, QStringLiteral("Esporta l'archivio in un file di Microsoft Excel.")},
        {ui->cmdScadenze, QStringLiteral("Visualizza il riepilogo delle password scadute.")},
        {ui->cmdGuida,
         QStringLiteral("Visualizza la pagina della guida in linea sensibile al contesto.")},
        {ui->cmdEsci, QStringLiteral("Esci da questa schermata di lavoro.")},
        {ui->btnSito, QStringLiteral("Visita il sito Web.")},
        {ui->btnPassword, QStringLiteral("Mostra / Nascondi password.")},
        {ui->btnRisposta, QStringLiteral("Mostra / Nascondi risposta segreta.")},
        {ui->btnCodFisc, QStringLiteral("Controlla il codice fiscale.")},
        {ui->btnEmail, QStringLiteral("Invia una e-mail all'indirizzo indicato.")},
    };
    const QHash<QAbstractButton*, QString> soloImmagine{
        {ui->btnSito, QStringLiteral("Visita il sito Web")},
        {ui->btnPassword, QStringLiteral("Mostra / Nascondi password")},
        {ui->btnRisposta, QStringLiteral("Mostra / Nascondi risposta segreta")},
        {ui->btnCodFisc, QStringLiteral("Controlla il codice fiscale")},
        {ui->btnEmail, QStringLiteral("Invia una e-mail")},
    };
    QHash<QString, Scorciatoia> tasti;
    for (const ComandoDaTastiera& comando : ComandiGestioneDaTastiera())
        tasti.insert(comando.controllo, comando.scorciatoia);
    auto* suggerimenti = suggerimenti_ = new RigaSuggerimenti(ui->panInfo);
    for (const auto& [comando, testo] : comandi) {
        preparaPulsanteImmagine(comando, Comando{soloImmagine.value(comando, comando->text()),
                                                 testo, tasti.value(comando->objectName())});
        suggerimenti->suggerimento(comando, testo);
    }
    // The commands without a button: actions of the window, offered in the context menu of its
    // background (wherever a right click or the Menu key lands outside the fields).
    const QList<QAction*> azioni{
        nuovaAzione(this, QStringLiteral("actImportaSchede"),
                    Comando{QStringLiteral("Importa schede"),
                            QStringLiteral("Aggiungi all'archivio le schede di un file CSV "
                                           "esportato da un altro programma o dal foglio di "
                                           "calcolo."),
                            tasti.value(QStringLiteral("actImportaSchede"))},
                    [this] { actImportaSchedeClick(); }),
    };
    aggiungiAlMenuContestuale(this, azioni);
    // The record number is read as "Scheda 3"; the hidden button that takes the focus on saving
    // is no control of the user's.
    nomeDaTesto(ui->lblPosizione, [](const QString& numero) {
        return TogliSpazi(numero).isEmpty() ? QStringLiteral("Scheda non in archivio")
                                            : QStringLiteral("Scheda ") + TogliSpazi(numero);
    });
    segnaDecorazione(ui->btnFocus);
    suggerimenti->suggerimento(ui->txtCreazione, SuggerimentoData);
    suggerimenti->suggerimento(ui->txtScadenza, SuggerimentoData);
    for (QWidget* sfondo :
         {static_cast<QWidget*>(this), ui->panContainer, static_cast<QWidget*>(ui->shpContainer),
          static_cast<QWidget*>(ui->shpPulsanti01), static_cast<QWidget*>(ui->shpPulsanti02),
          static_cast<QWidget*>(ui->shpPulsanti03), static_cast<QWidget*>(ui->shpPulsanti04),
          static_cast<QWidget*>(ui->shpPulsanti05), static_cast<QWidget*>(ui->shpPulsanti06),
          static_cast<QWidget*>(ui->shpSfondo), static_cast<QWidget*>(ui->shpInfo),
          static_cast<QWidget*>(ui->bkgSfondo), static_cast<QWidget*>(ui->bkgTitolo),
          static_cast<QWidget*>(ui->lblNome), static_cast<QWidget*>(ui->bkgNote),
          static_cast<QWidget*>(ui->bkgDomanda), static_cast<QWidget*>(ui->bkgCredenziali),
          static_cast<QWidget*>(ui->bkgUtilizzate), static_cast<QWidget*>(ui->bkgLucchetto)})
        suggerimenti->sfondo(sfondo);
    // The hint bar's text lies on the bar: moving over it is moving over the bar.
    ui->panInfo->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* evidenziazione = new EvidenziazioneSfondo(this);
    for (QWidget* campo : {ui->txtTitolo, ui->txtURL, ui->txtProprietario, ui->txtDescrizione,
                           ui->txtIntestatario, ui->txtCodFisc, ui->txtEmail, ui->txtTel})
        evidenziazione->aggiungi(campo, Colori::AliceBlue);
    for (QWidget* campo : {ui->txtUtente, ui->txtCreazione, ui->txtPassword, ui->txtScadenza,
                           ui->txtDomanda, ui->txtRisposta})
        evidenziazione->aggiungi(campo, Colori::White);

    auto* invio = new TastoInvio(this);
    const QList<QPair<QWidget*, QWidget*>> ordine{{ui->txtTitolo, ui->txtURL},
                                                  {ui->txtURL, ui->txtProprietario},
                                                  {ui->txtProprietario, ui->txtDescrizione},
                                                  {ui->txtDescrizione, ui->txtUtente},
                                                  {ui->txtUtente, ui->txtCreazione},
                                                  {ui->txtPassword, ui->txtScadenza},
                                                  {ui->txtDomanda, ui->txtRisposta},
                                                  {ui->txtRisposta, ui->txtUtilizzate},
                                                  {ui->txtIntestatario, ui->txtCodFisc},
                                                  {ui->txtCodFisc, ui->txtEmail},
                                                  {ui->txtEmail, ui->txtTel},
                                                  {ui->txtTel, ui->txtTitolo}};
    for (const auto& [da, a] : ordine)
        invio->sposta(da, a);

    preparaComandiPassword(tasti);

    // Installed after the Enter order, so these see their keys first.
    for (QWidget* controllo :
         {static_cast<QWidget*>(ui->txtCreazione), static_cast<QWidget*>(ui->txtScadenza),
          static_cast<QWidget*>(ui->txtURL), static_cast<QWidget*>(ui->btnFocus)})
        controllo->installEventFilter(this);
}

// The generator's commands, offered in the password field's menu (preparaMenuContestuali).
void TfrmBlindoro::preparaComandiPassword(const QHash<QString, Scorciatoia>& tasti) {
    const auto comando = [&](const char* nome, const QString& didascalia,
                             const QString& suggerimento) {
        const QString oggetto = QString::fromLatin1(nome);
        return Comando{didascalia, suggerimento, tasti.value(oggetto)};
    };
    actGeneraPassword =
        nuovaAzione(this, QStringLiteral("actGeneraPassword"),
                    comando("actGeneraPassword", QStringLiteral("Genera password"),
                            QStringLiteral("Genera una nuova password per la scheda.")),
                    [this] { actGeneraPasswordClick(); });
    actValutaPassword =
        nuovaAzione(this, QStringLiteral("actValutaPassword"),
                    comando("actValutaPassword", QStringLiteral("Valuta la password"),
                            QStringLiteral("Valuta la forza della password della scheda.")),
                    [this] { actValutaPasswordClick(); });
}

void TfrmBlindoro::ApriArchivio(const QString& percorso, const QString& nome) {
    percorso_ = percorso;
    ui->lblFile->setText(percorso);
    ui->lblNome->setText(nome);
    mostra();
}

QString TfrmBlindoro::PercorsoArchivio() const {
    return TogliSpazi(percorso_);
}

QString TfrmBlindoro::NomeArchivio() const {
    return ui->lblNome->text();
}

QString TfrmBlindoro::TestoCampo(Campo campo) const {
    if (campo >= Campo::File01) {
        const auto [posto, nome] = postoAllegato(campo);
        return nome ? allegati_[posto].file : allegati_[posto].descrizione;
    }
    return testoDi(campi_[static_cast<int>(campo)]);
}

void TfrmBlindoro::impostaNumero(std::optional<qint64> numero) {
    numero_ = numero;
    ui->lblPosizione->setText(numero ? QString::number(*numero) : QString());
}

void TfrmBlindoro::ImpostaData(CampoData campo, const QString& data) {
    (campo == CampoData::Creazione ? ui->txtCreazione : ui->txtScadenza)->setText(data);
}

Allegati TfrmBlindoro::AllegatiScheda() const {
    return allegati_;
}

void TfrmBlindoro::ImpostaAllegati(const Allegati& allegati) {
    allegati_ = allegati;
    const std::array<std::pair<QLabel*, QLabel*>, 3> etichette{{
        {ui->lblFile01, ui->lblDesc01},
        {ui->lblFile02, ui->lblDesc02},
        {ui->lblFile03, ui->lblDesc03},
    }};
    for (std::size_t posto = 0; posto < etichette.size(); ++posto) {
        etichette[posto].first->setText(allegati[posto].file);
        etichette[posto].second->setText(allegati[posto].descrizione);
    }
}

void TfrmBlindoro::MostraScheda(const TScheda& scheda, qint64 numero) {
    for (int k = 0; k < NumeroCampiDigitati; ++k)
        impostaTesto(campi_[k], DecodificaCampo(scheda, static_cast<Campo>(k)));
    Allegati allegati;
    for (std::size_t posto = 0; posto < allegati.size(); ++posto) {
        const int k = static_cast<int>(posto);
        allegati[posto] = {DecodificaCampo(scheda, static_cast<Campo>(int(Campo::File01) + k)),
                           DecodificaCampo(scheda, static_cast<Campo>(int(Campo::Desc01) + k))};
    }
    ImpostaAllegati(allegati);
    impostaNumero(numero);
}

void TfrmBlindoro::SvuotaScheda() {
    for (QWidget* campo : campi_)
        impostaTesto(campo, QString());
    ImpostaAllegati({});
    ui->txtURL->setText(NuovoIndirizzo);
    impostaNumero(std::nullopt);
    ui->txtTitolo->setFocus(Qt::OtherFocusReason);
}

void TfrmBlindoro::FormShow() {
    SvuotaScheda();
}

void TfrmBlindoro::FormClose() {
    Q_EMIT chiusa();
}

void TfrmBlindoro::naviga(const std::function<Destinazione(qint64 numeroSchede)>& scegli) {
    Destinazione destinazione{Destinazione::Tipo::Nessuna};
    try {
        FileArchivio archivio = ApriFileArchivio(PercorsoArchivio());
        destinazione = scegli(archivio.NumeroSchede());
        if (destinazione.tipo == Destinazione::Tipo::Scheda) {
            archivio.Posiziona(destinazione.indice);
            archivio.Leggi(scheda_);
        }
        archivio.Chiudi();
    } catch (const std::exception& errore) {
        qCWarning(RegistroArchivio) << "navigation:" << errore.what();
        mostraErrore(this, MsgAccessoNegato);
        return;
    }
    if (destinazione.tipo == Destinazione::Tipo::Scheda)
        MostraScheda(scheda_, destinazione.indice + 1);
    else if (destinazione.tipo == Destinazione::Tipo::ArchivioVuoto)
        mostraInformazione(this, ArchivioVuoto);
}

void TfrmBlindoro::cmdPrimoClick() {
    naviga([](qint64 numeroSchede) -> Destinazione {
        if (numeroSchede == 0)
            return {Destinazione::Tipo::ArchivioVuoto};
        return {Destinazione::Tipo::Scheda, 0};
    });
}

void TfrmBlindoro::cmdUltimoClick() {
    naviga([](qint64 numeroSchede) -> Destinazione {
        if (numeroSchede == 0)
            return {Destinazione::Tipo::ArchivioVuoto};
        return {Destinazione::Tipo::Scheda, numeroSchede - 1};
    });
}

void TfrmBlindoro::cmdAvantiClick() {
    naviga([this](qint64 numeroSchede) -> Destinazione {
        // A record not in the archive counts as number 0: the next one is the first.
        const qint64 mostrata = numero_.value_or(0);
        if (numeroSchede == 0) {
            impostaNumero(std::nullopt);
            return {Destinazione::Tipo::ArchivioVuoto};
        }
        if (mostrata < numeroSchede)
            return {Destinazione::Tipo::Scheda, mostrata};
        return {Destinazione::Tipo::Nessuna};
    });
}

void TfrmBlindoro::cmdIndietroClick() {
    naviga([this](qint64 numeroSchede) -> Destinazione {
        if (numero_ == 1)
            return {Destinazione::Tipo::Nessuna};
        if (numeroSchede == 0)
            return {Destinazione::Tipo::ArchivioVuoto};
        return {Destinazione::Tipo::Scheda, numero_ ? *numero_ - 2 : 0};
    });
}

void TfrmBlindoro::cmdNuovoClick() {
    SvuotaScheda();
}

void TfrmBlindoro::cmdDuplicaClick() {
    if (!numero_) {
        mostraAvviso(this, DuplicaSoloSalvata);
        return;
    }
    ImpostaAllegati({});
    impostaNumero(std::nullopt);
    ui->txtTitolo->setFocus(Qt::OtherFocusReason);
    mostraInformazione(this, DuplicaPronta);
}

bool TfrmBlindoro::campiObbligatoriPresenti() {
    const QList<QPair<QLineEdit*, QString>> obbligatori{
        {ui->txtTitolo, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare "
                                       "il titolo del sito Web.")},
        {ui->txtUtente, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare "
                                       "il Nome Utente.")},
        {ui->txtPassword, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare "
                                         "la password.")},
        {ui->txtScadenza, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare "
                                         "la data di scadenza della password.")},
        {ui->txtIntestatario, QStringLiteral("Attenzione: per salvare la scheda è necessario "
                                             "indicare l'intestatario dell'account.")},
    };
    for (const auto& [campo, avviso] : obbligatori) {
        if (TogliSpazi(campo->text()).isEmpty()) {
            mostraAvviso(this, avviso);
            campo->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

void TfrmBlindoro::cmdSalvaClick() {
    // Leaving the field first runs its exit handler: a web address gets completed before it is
    // stored.
    ui->btnFocus->setFocus(Qt::OtherFocusReason);
    if (!campiObbligatoriPresenti())
        return;

    bool sovrascritta = false;
    qint64 numero = 0;
    try {
        FileArchivio archivio = ApriFileArchivio(PercorsoArchivio());
        for (int k = 0; k < NumeroCampi; ++k)
            CodificaCampo(scheda_, static_cast<Campo>(k), TestoCampo(static_cast<Campo>(k)));
        const bool nuova = !numero_;
        const qint64 indice = nuova ? 0 : *numero_ - 1;
        // A record that is no longer in the archive (the file was emptied or replaced meanwhile)
        // is added at the end, never written past it with empty records in between.
        sovrascritta = !nuova && indice >= 0 && indice < archivio.NumeroSchede();
        if (sovrascritta) {
            archivio.Posiziona(indice);
            archivio.Scrivi(scheda_);
            numero = archivio.Posizione();
        } else {
            numero = archivio.Aggiungi(scheda_);
        }
        archivio.Chiudi();
    } catch (const std::exception& errore) {
        qCWarning(RegistroArchivio) << "save:" << errore.what();
        mostraMessaggio(this, MsgAccessoNegato);
        return;
    }
    impostaNumero(numero);
    mostraInformazione(this, sovrascritta ? ModificheSalvate : SchedaInserita);
}

void TfrmBlindoro::btnFocusClick() {
    ui->txtTitolo->setText(TogliSpazi(ui->txtTitolo->text()));
}

void TfrmBlindoro::cmdEsciClick() {
    close();
}

void TfrmBlindoro::cmdFileClick() {
    const auto allegati = std::make_unique<TfrmAllegaCartella>(this);
    allegati->MostraAllegati(allegati_);
    allegati->exec();
    if (const std::optional<Allegati> applicati = allegati->AllegatiApplicati())
        ImpostaAllegati(*applicati);
}

void TfrmBlindoro::cmdStampaClick() {
    apriDialogo<TfrmStampaCredenziali>(this);
}

void TfrmBlindoro::cmdEsportaClick() {
    apriDialogo<TfrmExpPassword>(this);
}

void TfrmBlindoro::cmdTrovaClick() {
    apriDialogo<TfrmTrovaPassword>(this);
}

void TfrmBlindoro::cmdScadenzeClick() {
    apriDialogo<TfrmSegnalati>(this);
}

void TfrmBlindoro::actImportaSchedeClick() {
    ImportaSchede(*this);
}

void TfrmBlindoro::cmdGuidaClick() {
    apriGuida(this, ArgomentoGuida::Gestione);
}

void TfrmBlindoro::completaIndirizzo() {
    const QString indirizzo = ui->txtURL->text();
    if (!indirizzo.startsWith(QLatin1String("http")))
        ui->txtURL->setText(NuovoIndirizzo + TogliSpazi(indirizzo));
}

void TfrmBlindoro::btnSitoClick() {
    if (TogliSpazi(ui->txtURL->text()).isEmpty()) {
        mostraAvviso(this, IndirizzoMancante);
        ui->txtURL->setText(NuovoIndirizzo);
        ui->txtURL->setFocus(Qt::OtherFocusReason);
        return;
    }
    completaIndirizzo();
    TMisc::Open(TogliSpazi(ui->txtURL->text()));
}

void TfrmBlindoro::txtURLExit() {
    completaIndirizzo();
}

void TfrmBlindoro::btnEmailClick() {
    TMisc::Open(QLatin1Char('"') + QStringLiteral("mailto:") + TogliSpazi(ui->txtEmail->text()) +
                QLatin1Char('"'));
}

void TfrmBlindoro::btnPasswordClick() {
    ui->txtPassword->setEchoMode(ui->txtPassword->echoMode() == QLineEdit::Password
                                     ? QLineEdit::Normal
                                     : QLineEdit::Password);
}

void TfrmBlindoro::btnRispostaClick() {
    ui->txtRisposta->setEchoMode(ui->txtRisposta->echoMode() == QLineEdit::Password
                                     ? QLineEdit::Normal
                                     : QLineEdit::Password);
}

void TfrmBlindoro::copiaCampo(Appunti::Dato dato, const QLineEdit* campo) {
    // What was copied, and the clearing, come from the clipboard (SeguiAppunti).
    if (!CopiaNegliAppunti(dato, campo->text()))
        suggerimenti_->messaggio(AvvisiAppunti::CampoVuoto(dato));
}

void TfrmBlindoro::actCopiaPasswordExecute() {
    copiaCampo(Appunti::Dato::Password, ui->txtPassword);
}

void TfrmBlindoro::actCopiaUtenteExecute() {
    copiaCampo(Appunti::Dato::NomeUtente, ui->txtUtente);
}

void TfrmBlindoro::actCopiaIndirizzoExecute() {
    copiaCampo(Appunti::Dato::Indirizzo, ui->txtURL);
}

void TfrmBlindoro::btnCodFiscClick() {
    ControllaCodiceFiscale(this, ui->txtCodFisc->text());
}

void TfrmBlindoro::actGeneraPasswordClick() {
    const auto generatore = std::make_unique<TfrmGeneraPassword>(this);
    generatore->exec();
    if (const std::optional<QString> scelta = generatore->PasswordScelta())
        usaPassword(*scelta);
}

// A new password replaces the one the field holds, which joins the passwords used before; the
// password is created today. Nothing reaches the archive until the record is saved.
void TfrmBlindoro::usaPassword(const QString& nuova) {
    const QString vecchia = ui->txtPassword->text();
    if (!TogliSpazi(vecchia).isEmpty() && vecchia != nuova)
        conservaPasswordUsata(vecchia);
    ui->txtPassword->setText(nuova);
    ui->txtCreazione->setText(DataInTesto(Piattaforma::corrente().oggi()));
}

// The password goes on a line of its own at the end of the list, unless it is the list's last
// line already, and only while the list still fits its field in the record (its lines separated by
// CR LF there, as the record keeps them); otherwise the list stays as it is and the user is told.
void TfrmBlindoro::conservaPasswordUsata(const QString& vecchia) {
    const QString elenco = ui->txtUtilizzate->toPlainText();
    QString finoAllUltima = elenco;
    while (finoAllUltima.endsWith(QLatin1Char('\n')))
        finoAllUltima.chop(1);
    if (finoAllUltima.mid(finoAllUltima.lastIndexOf(QLatin1Char('\n')) + 1) == vecchia)
        return;
    const QString aggiunta =
        (elenco.isEmpty() || elenco.endsWith(QLatin1Char('\n')) ? QString()
                                                                : QStringLiteral("\n")) +
        vecchia;
    const QString nelRecord = TestoCampo(Campo::Utilizzate) +
                              QString(aggiunta).replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (CodificaWindows1252(nelRecord).size() > LunghezzaMassima(Campo::Utilizzate)) {
        mostraAvviso(this, ElencoUtilizzatePieno);
        return;
    }
    QTextCursor fine(ui->txtUtilizzate->document());
    fine.movePosition(QTextCursor::End);
    fine.insertText(aggiunta);
}

void TfrmBlindoro::actValutaPasswordClick() {
    const QString password = ui->txtPassword->text();
    if (TogliSpazi(password).isEmpty()) {
        mostraInformazione(this, NessunaPasswordDaValutare);
        return;
    }
    const double bit = BitStimati(password);
    mostraInformazione(this, QStringLiteral("La password è %1: circa %2 bit secondo lo stimatore.")
                                     .arg(NomeForza(ForzaDeiBit(bit)))
                                     .arg(qRound(bit)) +
                                 QStringLiteral("\r\n\r\n") + LimitiDelloStimatore);
}

void TfrmBlindoro::txtCodFiscTyping() {
    SostituisciDigitando(ui->txtCodFisc, LettereMaiuscole(TogliSpazi(ui->txtCodFisc->text())));
}

void TfrmBlindoro::txtEmailTyping() {
    SostituisciDigitando(ui->txtEmail, TogliSpazi(ui->txtEmail->text()));
}

void TfrmBlindoro::tastoInData(QWidget* campo, QKeyEvent* tasto) {
    auto* data = static_cast<QLineEdit*>(campo);
    if (tasto->key() == Qt::Key_Backspace || tasto->key() == Qt::Key_Delete) {
        data->clear();
        return;
    }
    const auto calendario = std::make_unique<TfrmCalendario>(this);
    calendario->exec();
    if (const std::optional<QDate> scelta = calendario->DataScelta())
        data->setText(DataInTesto(*scelta));
}

bool TfrmBlindoro::eventFilter(QObject* oggetto, QEvent* evento) {
    return EseguiFiltro([&]() -> bool {
        if (oggetto == ui->txtURL && evento->type() == QEvent::FocusOut) {
            txtURLExit();
            return false;
        }
        if (evento->type() != QEvent::KeyPress)
            return false;
        auto* tasto = static_cast<QKeyEvent*>(evento);
        if (oggetto == ui->btnFocus) {
            const bool attiva =
                (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter ||
                 tasto->key() == Qt::Key_Space) &&
                !(tasto->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
            if (attiva)
                btnFocusClick();
            return attiva;
        }
        if (oggetto == ui->txtCreazione || oggetto == ui->txtScadenza) {
            // Moving on with Tab and pressing a modifier alone are not asking for a date.
            switch (tasto->key()) {
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Shift:
            case Qt::Key_Control:
            case Qt::Key_Alt:
            case Qt::Key_AltGr:
            case Qt::Key_Meta:
            case Qt::Key_CapsLock:
            case Qt::Key_NumLock:
                return false;
            default:
                tastoInData(static_cast<QWidget*>(oggetto), tasto);
                return true;
            }
        }
        return false;
    });
}
