#include "help/Splash.h"

#include "ui_Splash.h"

#include "core/helptext/Produttore.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/OpenURL.h"

TfrmSplash::TfrmSplash(QWidget* parent)
    : TDialogo(parent, QSize(661, 467))
    , ui(std::make_unique<Ui::TfrmSplash>()) {
    ui->setupUi(this);
    const QString produttore = QString::fromUtf8(Produttore::Nome);
    setWindowTitle(QStringLiteral(" Blindoro - Realizzato da ") + produttore);
    ui->lblProduttore->setText(produttore);
    ui->lnkWeb->setText(QString::fromUtf8(Produttore::SitoWeb));
    preparaCollegamento(ui->lnkWeb, ui->imgWeb, [this] { lnkWebClick(); });
    CollegaComando(ui->btnChiudi, this, &TfrmSplash::btnChiudiClick);
    ui->btnChiudi->setFocus();
}

TfrmSplash::~TfrmSplash() = default;

void TfrmSplash::lnkWebClick() {
    coloraCollegamento(ui->lnkWeb, Colori::Collegamento);
    TMisc::Open(QString::fromUtf8(Produttore::SitoWeb));
}

void TfrmSplash::btnChiudiClick() {
    accept();
}
