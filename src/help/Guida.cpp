#include "help/Guida.h"

#include "ui_Guida.h"

#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/OpenURL.h"
#include "gui/Piattaforma.h"

TfrmGuida::TfrmGuida(QWidget* parent)
    : TDialogo(parent, QSize(670, 572))
    , ui(std::make_unique<Ui::TfrmGuida>()) {
    ui->setupUi(this);
    centraSulloSchermo();
    preparaCollegamento(ui->lnkWeb, ui->imgPDF, [this] { lnkWebClick(); });
    CollegaComando(ui->btnChiudi, this, &TfrmGuida::btnChiudiClick);
    ui->btnChiudi->setFocus();
}

TfrmGuida::~TfrmGuida() = default;

void TfrmGuida::mostraArgomento(ArgomentoGuida argomento) {
    ui->lblTitolo->setText(TitoloGuida(argomento));
    // The text control would take a CR and an LF for two line breaks: a CR LF is one.
    ui->txtGuida->setPlainText(
        CorpoGuida(argomento).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TfrmGuida::lnkWebClick() {
    coloraCollegamento(ui->lnkWeb, Colori::Collegamento);
    TMisc::Open(QLatin1Char('"') + Piattaforma::corrente().cartellaProgramma() +
                QStringLiteral("Guida.pdf\""));
}

void TfrmGuida::btnChiudiClick() {
    accept();
}

void apriGuida(QWidget* proprietario, ArgomentoGuida argomento) {
    apriDialogo<TfrmGuida>(proprietario,
                           [argomento](TfrmGuida& guida) { guida.mostraArgomento(argomento); });
}
