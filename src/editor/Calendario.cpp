#include "editor/Calendario.h"

#include "ui_Calendario.h"

#include "core/text/Formati.h"
#include "editor/Blindoro.h"
#include "gui/Guardia.h"
#include "gui/Piattaforma.h"

#include <QLocale>
#include <optional>

namespace {

// The record-window field that a caller tag names; none for any other tag. The tag is compared
// exactly as the caller wrote it.
std::optional<CampoData> campoDelTag(const QString& tag) {
    if (tag == QLatin1String("data_creazione"))
        return CampoData::Creazione;
    if (tag == QLatin1String("data_scadenza"))
        return CampoData::Scadenza;
    return std::nullopt;
}

} // namespace

TfrmCalendario::TfrmCalendario(TfrmBlindoro* scheda)
    : TDialogoScheda(scheda, QSize(253, 294))
    , ui(std::make_unique<Ui::TfrmCalendario>()) {
    ui->setupUi(this);
    ImpostaFormatiProcesso();

    ui->calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    ui->calAppuntamenti->setSelectedDate(Piattaforma::corrente().oggi());

    connect(ui->btnImportaData, &QPushButton::clicked, this,
            SottoGuardia(this, &TfrmCalendario::btnImportaDataClick));
    connect(ui->btnAnnulla, &QPushButton::clicked, this,
            SottoGuardia(this, &TfrmCalendario::btnAnnullaClick));
}

TfrmCalendario::~TfrmCalendario() = default;

void TfrmCalendario::ImpostaChiamante(const QString& tag) {
    ui->lblMemory->setText(tag);
}

void TfrmCalendario::btnImportaDataClick() {
    const std::optional<CampoData> campo = campoDelTag(ui->lblMemory->text());
    if (!campo || !scheda())
        return;
    scheda()->ImpostaData(*campo, DataInTesto(ui->calAppuntamenti->selectedDate()));
    accept();
}

void TfrmCalendario::btnAnnullaClick() {
    reject();
}
