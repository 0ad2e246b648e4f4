#include "editor/Calendario.h"

#include "ui_Blindoro.h"
#include "ui_Calendario.h"

#include "app/Finestre.h"
#include "core/text/Formati.h"
#include "gui/Piattaforma.h"
#include "editor/Blindoro.h"

#include <QLineEdit>
#include <QLocale>

namespace {

// The record-window field that a caller tag names; none for any other tag. The tag is compared
// exactly as the caller wrote it.
QLineEdit* campoDelTag(const QString& tag) {
    if (tag == QLatin1String("data_creazione"))
        return frmBlindoro->ui->txtCreazione;
    if (tag == QLatin1String("data_scadenza"))
        return frmBlindoro->ui->txtScadenza;
    return nullptr;
}

} // namespace

TfrmCalendario::TfrmCalendario(QWidget* parent)
    : TDialogo(parent, QSize(253, 294))
    , ui(std::make_unique<Ui::TfrmCalendario>()) {
    ui->setupUi(this);
    ImpostaFormatiProcesso();

    ui->calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    ui->calAppuntamenti->setSelectedDate(Piattaforma::corrente().oggi());

    connect(ui->btnImportaData, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    connect(ui->btnAnnulla, &QPushButton::clicked, this, &TfrmCalendario::btnAnnullaClick);
}

TfrmCalendario::~TfrmCalendario() = default;

void TfrmCalendario::btnImportaDataClick() {
    QLineEdit* campo = campoDelTag(ui->lblMemory->text());
    if (!campo)
        return;
    campo->setText(DataInTesto(ui->calAppuntamenti->selectedDate()));
    accept();
}

void TfrmCalendario::btnAnnullaClick() {
    reject();
}
