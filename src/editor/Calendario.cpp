#include "editor/Calendario.h"

#include "ui_Calendario.h"

#include "core/text/Formati.h"
#include "gui/Guardia.h"
#include "gui/Piattaforma.h"

#include <QLocale>

TfrmCalendario::TfrmCalendario(QWidget* proprietario)
    : TDialogo(proprietario, QSize(253, 294))
    , ui(std::make_unique<Ui::TfrmCalendario>()) {
    ui->setupUi(this);
    ImpostaFormatiProcesso();

    ui->calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    ui->calAppuntamenti->setSelectedDate(Piattaforma::corrente().oggi());

    CollegaComando(ui->btnImportaData, this, &TfrmCalendario::btnImportaDataClick);
    CollegaComando(ui->btnAnnulla, this, &TfrmCalendario::btnAnnullaClick);
}

TfrmCalendario::~TfrmCalendario() = default;

void TfrmCalendario::btnImportaDataClick() {
    scelta_ = ui->calAppuntamenti->selectedDate();
    accept();
}

void TfrmCalendario::btnAnnullaClick() {
    reject();
}
