#include "help/Info.h"

#include "ui_Info.h"

#include "core/helptext/Produttore.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/OpenURL.h"

TfrmInfo::TfrmInfo(QWidget* parent)
    : TDialogo(parent, QSize(473, 579))
    , ui(std::make_unique<Ui::TfrmInfo>()) {
    ui->setupUi(this);
    centraSulloSchermo();
    const QString produttore = QString::fromUtf8(Produttore::Nome);
    ui->lblVersione->setText(QStringLiteral("Versione ") + QStringLiteral(BLINDORO_VERSIONE));
    ui->lblProduttore->setText(QStringLiteral("Realizzato da ") + produttore);
    ui->lblDiritti->setText(QStringLiteral("© ") + produttore +
                            QStringLiteral(". Tutti i diritti riservati."));
    ui->lnkWeb->setText(QString::fromUtf8(Produttore::Email));
    preparaCollegamento(ui->lnkWeb, ui->imgEmail, [this] { lnkWebClick(); });
    CollegaComando(ui->btnChiudi, this, &TfrmInfo::btnChiudiClick);
    ui->btnChiudi->setFocus();
}

TfrmInfo::~TfrmInfo() = default;

void TfrmInfo::lnkWebClick() {
    coloraCollegamento(ui->lnkWeb, Colori::Collegamento);
    TMisc::Open(QLatin1Char('"') + CollegamentoEmail() + QLatin1Char('"'));
}

void TfrmInfo::btnChiudiClick() {
    accept();
}

QString CollegamentoEmail() {
    return QStringLiteral("mailto:") + QString::fromUtf8(Produttore::Email) +
           QStringLiteral("?subject=Software Blindoro&body=Salve, desidererei avere le seguenti "
                          "informazioni sul software in oggetto:");
}
