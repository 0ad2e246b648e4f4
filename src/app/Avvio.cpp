#include "app/Avvio.h"

#include "ui_Avvio.h"

#include "core/helptext/Produttore.h"
#include "core/text/Formati.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/OpenURL.h"
#include "help/Guida.h"
#include "help/Info.h"
#include "help/Splash.h"

#include <QApplication>

TfrmAvvio::TfrmAvvio(QWidget* parent)
    : TFinestraLunga(Modo::Massimizzata, parent)
    , ui(std::make_unique<Ui::TfrmAvvio>()) {
    ui->setupUi(this);
    ImpostaFormatiProcesso();

    preparaPulsanteImmagine(ui->imgCrea, QStringLiteral("Crea nuovo blindoro"));
    preparaPulsanteImmagine(ui->btnCrea, QStringLiteral("Crea nuovo blindoro"));
    preparaPulsanteImmagine(ui->imgApri, QStringLiteral("Apri blindoro esistente"));
    preparaPulsanteImmagine(ui->btnApri, QStringLiteral("Apri blindoro esistente"));
    preparaPulsanteImmagine(ui->imgInfo, QStringLiteral("Informazioni su Blindoro"));
    preparaPulsanteImmagine(ui->imgGuida, Comando{QStringLiteral("Guida all'utilizzo del software"),
                                                  QString(), TastoGuida()});
    preparaPulsanteImmagine(ui->imgCopyright, QStringLiteral("Crediti"));
    preparaPulsanteImmagine(ui->imgEsci, QStringLiteral("Esci dal programma"));
    preparaPulsanteImmagine(ui->imgSito, QStringLiteral("Visita il sito Web del produttore"));

    CollegaComando(ui->imgCrea, this, &TfrmAvvio::imgCreaClick);
    CollegaComando(ui->btnCrea, this, &TfrmAvvio::imgCreaClick);
    CollegaComando(ui->imgApri, this, &TfrmAvvio::imgApriClick);
    CollegaComando(ui->btnApri, this, &TfrmAvvio::imgApriClick);
    CollegaComando(ui->imgInfo, this, &TfrmAvvio::imgInfoClick);
    CollegaComando(ui->imgCopyright, this, &TfrmAvvio::imgCopyrightClick);
    CollegaComando(ui->imgGuida, this, &TfrmAvvio::imgGuidaClick);
    CollegaComando(ui->imgSito, this, &TfrmAvvio::imgSitoClick);
    CollegaComando(ui->imgEsci, this, &TfrmAvvio::imgEsciClick);
}

TfrmAvvio::~TfrmAvvio() = default;

void TfrmAvvio::imgCreaClick() {
    Q_EMIT creaArchivioRichiesto();
    hide();
}

void TfrmAvvio::imgApriClick() {
    Q_EMIT apriArchivioRichiesto();
    hide();
}

void TfrmAvvio::imgInfoClick() {
    apriDialogo<TfrmInfo>(this);
}

void TfrmAvvio::imgCopyrightClick() {
    apriDialogo<TfrmSplash>(this);
}

void TfrmAvvio::imgGuidaClick() {
    apriGuida(this, ArgomentoGuida::Avvio);
}

void TfrmAvvio::imgSitoClick() {
    TMisc::Open(Produttore::SitoWeb);
}

void TfrmAvvio::imgEsciClick() {
    QApplication::quit();
}

void TfrmAvvio::FormClose() {
    QApplication::quit();
}
