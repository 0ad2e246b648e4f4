#include "tst_output.h"

#include "editor/Blindoro.h"
#include "gui/Appunti.h"

#include <QApplication>

QString tst_Output::percorsoArchivio() const {
    return piattaforma->cartella + QStringLiteral("Casa.psw");
}

// Each case starts with the record window open on Casa.psw of an empty program folder (the file
// itself is made only by the cases that need records in it).
void tst_Output::init() {
    piattaforma = std::make_unique<PiattaformaProva>();
    finestre = std::make_unique<TFinestre>();
    controlli = std::make_unique<ControlliScheda>(scheda());
    scheda()->ApriArchivio(percorsoArchivio(), QStringLiteral("Casa"));
    QVERIFY(QTest::qWaitForWindowExposed(scheda()));
    QApplication::setActiveWindow(scheda());
}

void tst_Output::cleanup() {
    // A copy's delay must not run into the next case's windows.
    Appunti::programma().cancella();
    controlli.reset();
    finestre.reset();
    // Put back the previous platform even when the check fails, or the next case would run
    // against the real one.
    const std::unique_ptr<PiattaformaProva> vista = std::move(piattaforma);
    VERIFICA_PIATTAFORMA(*vista);
}

BLINDORO_TEST_MAIN_DISCO_PIENO(tst_Output)
