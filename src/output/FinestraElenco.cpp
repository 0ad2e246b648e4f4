#include "output/FinestraElenco.h"

#include "core/helptext/Tastiera.h"
#include "core/storage/Scheda.h"
#include "core/text/Formati.h"
#include "gui/ComandiAppunti.h"
#include "gui/Convenzioni.h"
#include "output/ComponenteRapporto.h"
#include "output/ElencoRiepilogo.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>

#include <optional>

namespace {

const QString NessunaRigaScelta =
    QStringLiteral("Nessuna riga selezionata: non è stato copiato nulla.");
const QString ArchivioNonLetto =
    QStringLiteral("Non è stato possibile leggere l'archivio: non è stato copiato nulla.");
const QString SchedaScomparsa =
    QStringLiteral("La scheda della riga non è più in archivio: non è stato copiato nulla.");

} // namespace

TFinestraElenco::TFinestraElenco(SchedaAperta* scheda)
    : TDialogoScheda(scheda, QSize(862, 560)) {
    ImpostaFormatiProcesso();
    setStyleSheet(StileElenco());
}

TFinestraElenco::~TFinestraElenco() = default;

void TFinestraElenco::preparaElenco(QListView* lista, QLineEdit* chiave, QAbstractButton* stampa,
                                    QLabel* avvisoAppunti, QString& ultimaChiave) {
    elenco_ = new ElencoRiepilogo(this, lista, chiave, ultimaChiave);
    elenco_->AlDoppioClic([this] { caricaSceltaEChiudi(); });
    frxReport = std::make_unique<ComponenteRapporto>(this, ModelloRiepilogo);
    assegnaScorciatoia(stampa, TastoStampa());
    avvisoAppunti_ = avvisoAppunti;
    avvisoAppunti_->clear();
    preparaCopia(lista);
}

// The commands belong to the panel that holds the list: their keys act only while it shows.
void TFinestraElenco::preparaCopia(QListView* lista) {
    QWidget* pannello = lista->parentWidget();
    const QList<QAction*> azioni{
        nuovaAzione(pannello, QStringLiteral("actCopiaPassword"),
                    ComandoCopia(Appunti::Dato::Password), [this] { actCopiaPasswordExecute(); }),
        nuovaAzione(pannello, QStringLiteral("actCopiaUtente"),
                    ComandoCopia(Appunti::Dato::NomeUtente), [this] { actCopiaUtenteExecute(); }),
    };
    aggiungiAlMenuContestuale(lista, azioni);
    SeguiAppunti(this, [this](const QString& avviso) { avvisoAppunti_->setText(avviso); });
}

void TFinestraElenco::actCopiaPasswordExecute() {
    copiaDallaScelta(Appunti::Dato::Password);
}

void TFinestraElenco::actCopiaUtenteExecute() {
    copiaDallaScelta(Appunti::Dato::NomeUtente);
}

// Nothing is copied unless the whole archive was read: the record a failed reading did not
// reach may be the later one, the one the line stands for.
void TFinestraElenco::copiaDallaScelta(Appunti::Dato dato) {
    const Campo campo = dato == Appunti::Dato::Password ? Campo::Password : Campo::Utente;
    std::optional<QString> testo;
    switch (elenco_->CaricaScelta(percorsoArchivio(), [&](const TScheda& trovata, qint64) {
        testo = DecodificaCampo(trovata, campo);
    })) {
    case ElencoRiepilogo::EsitoScelta::NessunaRiga:
        avvisoAppunti_->setText(NessunaRigaScelta);
        return;
    case ElencoRiepilogo::EsitoScelta::ArchivioIlleggibile:
        avvisoAppunti_->setText(ArchivioNonLetto);
        return;
    case ElencoRiepilogo::EsitoScelta::Letta:
        break;
    }
    if (!testo)
        avvisoAppunti_->setText(SchedaScomparsa);
    else if (!CopiaNegliAppunti(dato, *testo))
        avvisoAppunti_->setText(AvvisiAppunti::CampoVuoto(dato));
}

void TFinestraElenco::preparaMostra(QLineEdit* chiave, QString& ultimaChiave) {
    centraSulloSchermo();
    ultimaChiave.clear();
    chiave->clear();
}

ComponenteRapporto& TFinestraElenco::Rapporto() {
    return *frxReport;
}

void TFinestraElenco::caricaSceltaEChiudi() {
    SchedaAperta& destinazione = scheda();
    elenco_->CaricaScelta(percorsoArchivio(), [&](const TScheda& trovata, qint64 numero) {
        destinazione.MostraScheda(trovata, numero);
    });
    close();
}

void TFinestraElenco::stampaElenco(const QString& titolo) {
    StampaElenco(*frxReport, titolo, elenco_->Righe());
}
