#include "output/FinestraElenco.h"

#include "core/helptext/Tastiera.h"
#include "core/text/Formati.h"
#include "gui/Convenzioni.h"
#include "output/ComponenteRapporto.h"
#include "output/ElencoRiepilogo.h"

#include <QLineEdit>

TFinestraElenco::TFinestraElenco(SchedaAperta* scheda)
    : TDialogoScheda(scheda, QSize(862, 560)) {
    ImpostaFormatiProcesso();
    setStyleSheet(StileElenco());
}

TFinestraElenco::~TFinestraElenco() = default;

void TFinestraElenco::preparaElenco(QListView* lista, QLineEdit* chiave, QAbstractButton* stampa,
                                    QString& ultimaChiave) {
    elenco_ = new ElencoRiepilogo(this, lista, chiave, ultimaChiave);
    elenco_->AlDoppioClic([this] { caricaSceltaEChiudi(); });
    frxReport = std::make_unique<ComponenteRapporto>(this, ModelloRiepilogo);
    assegnaScorciatoia(stampa, TastoStampa());
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
