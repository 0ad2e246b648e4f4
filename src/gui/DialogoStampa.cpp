#include "gui/DialogoStampa.h"

#include <QPrinter>
#include <QWidget>

#include <algorithm>

namespace {

// The controls of Qt's dialog, by their object names, for the pages a print server selects.
constexpr const char* SceltePerIlServer[] = {"pagesRadioButton", "pagesLineEdit", "pageSetLabel",
                                             "pageSetCombo"};

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
}

void TDialogoStampa::showEvent(QShowEvent* e) {
    // Qt shows these again each time the dialog is shown.
    SopraFinestra<QPrintDialog>::showEvent(e);
    for (const char* nome : SceltePerIlServer)
        if (auto* controllo = findChild<QWidget*>(QLatin1String(nome)))
            controllo->hide();
}
