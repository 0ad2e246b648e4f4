#include "app/Applicazione.h"

#include "core/files/NomeAllegato.h"
#include "core/files/SostituisciFile.h"
#include "gui/Accessibilita.h"
#include "gui/Guardia.h"
#include "gui/PiattaformaQt.h"

#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTranslator>
#include <sys/resource.h>

namespace {

// Fusion, with plain text buttons in message boxes and dialogs.
class StileBlindoro : public QProxyStyle {
public:
    StileBlindoro()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int styleHint(StyleHint suggerimento, const QStyleOption* opzione, const QWidget* widget,
                  QStyleHintReturn* ritorno) const override {
        if (suggerimento == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(suggerimento, opzione, widget, ritorno);
    }
};

} // namespace

static void inizializzaRisorse() {
    Q_INIT_RESOURCE(blindoro);
}

TApplicazione::TApplicazione(int& argc, char** argv)
    : QApplication(argc, argv) {}

// The last net: each user action has its own guard, so a failure should never come this far.
bool TApplicazione::notify(QObject* destinatario, QEvent* evento) {
    bool esito = false;
    EseguiAzione([&] { esito = QApplication::notify(destinatario, evento); });
    return esito;
}

void PreparaAmbiente(QApplication& applicazione) {
    static PiattaformaQt sistema;
    Piattaforma::installa(&sistema);
    inizializzaRisorse();
    PreparaAccessibilita();
    applicazione.setStyle(new StileBlindoro);
    applicazione.setFont(QFont(QStringLiteral("Verdana"), 9));
    applicazione.setQuitOnLastWindowClosed(false);

    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    auto* traduzioni = new QTranslator(&applicazione);
    if (traduzioni->load(italiano, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(traduzioni);
    // The program's own catalogue holds the texts Qt's lacks (resources/traduzioni): installed
    // after it, it is searched first.
    auto* aggiunte = new QTranslator(&applicazione);
    if (aggiunte->load(QStringLiteral(":/traduzioni/dialoghi_qt_it.qm")))
        QCoreApplication::installTranslator(aggiunte);
}

void RimuoviResiduiProgramma() {
    const QString cartella = Piattaforma::corrente().cartellaProgramma();
    RimuoviResiduiSostituzioniIn(cartella);
    RimuoviResiduiSostituzioniIn(cartella + CartellaAllegati);
}

void DisattivaCoreDump() {
    const rlimit nessuno{0, 0};
    setrlimit(RLIMIT_CORE, &nessuno);
}
