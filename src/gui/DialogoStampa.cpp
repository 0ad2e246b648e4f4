#include "gui/DialogoStampa.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// The controls of Qt's dialog, by their object names, for the pages a print server selects.
constexpr const char* SceltePerIlServer[] = {"pagesRadioButton", "pagesLineEdit", "pageSetLabel",
                                             "pageSetCombo"};

// The file to write is shown whole: its field is made as wide as the path, within three quarters
// of the screen's width.
void MostraPercorsoIntero(QPrintDialog& dialogo, const QWidget* chiamante) {
    auto* campo = dialogo.findChild<QLineEdit*>(QStringLiteral("filename"));
    if (!campo)
        return;
    const QFontMetrics metrica = campo->fontMetrics();
    // Room for the frame, the margins and the cursor besides the text.
    const int larghezza = metrica.horizontalAdvance(campo->text()) + 4 * metrica.averageCharWidth();
    const QScreen* schermo = chiamante ? chiamante->screen() : QGuiApplication::primaryScreen();
    const int limite = schermo ? schermo->availableGeometry().width() * 3 / 4 : larghezza;
    campo->setMinimumWidth(std::min(larghezza, limite));
}

} // namespace

TDialogoStampa::TDialogoStampa(QWidget* chiamante, QPrinter& stampante, int pagine)
    : SopraFinestra<QPrintDialog>(chiamante, &stampante) {
    const int ultima = std::max(1, pagine);
    setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
               QAbstractPrintDialog::PrintCollateCopies);
    setMinMax(1, ultima);
    // The range offered starts as the whole document; a range kept from an earlier print stays
    // when it still fits.
    if (stampante.fromPage() < 1 || stampante.toPage() > ultima)
        setFromTo(1, ultima);
    MostraPercorsoIntero(*this, chiamante);
}

void TDialogoStampa::showEvent(QShowEvent* e) {
    // Qt shows these again each time the dialog is shown.
    SopraFinestra<QPrintDialog>::showEvent(e);
    for (const char* nome : SceltePerIlServer)
        if (auto* controllo = findChild<QWidget*>(QLatin1String(nome)))
            controllo->hide();
}
