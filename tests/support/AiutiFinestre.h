#pragma once

#include "app/Applicazione.h"
#include "app/Finestre.h"
#include "support/DiscoPieno.h"
#include "support/Privilegi.h"

#include <QColor>
#include <QPoint>
#include <QString>
#include <QTest>
#include <functional>
#include <optional>

class QMenu;
class QWidget;

// The main() of a window test: the program's own application object (it catches failures that
// leave a handler) and environment (style, fonts, resources, Italian translations).
#define BLINDORO_TEST_MAIN(Classe)                                                                 \
    int main(int argc, char** argv) {                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return eseguiProvaFinestre<Classe>(argc, argv);                                            \
    }

// The same for a test that needs read-only files and folders to really refuse writes: a process
// running as root goes on as an unprivileged user first (see Privilegi.h).
#define BLINDORO_TEST_MAIN_SENZA_ROOT(Classe)                                                      \
    int main(int argc, char** argv) {                                                              \
        TerminaSeRoot();                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return eseguiProvaFinestre<Classe>(argc, argv);                                            \
    }

// The same for a window test with full-disk cases: the small file system is mounted while the
// process is still root (support/DiscoPieno.h), then root is left as above.
#define BLINDORO_TEST_MAIN_DISCO_PIENO(Classe)                                                     \
    int main(int argc, char** argv) {                                                              \
        DiscoPieno::Monta();                                                                       \
        TerminaSeRoot();                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return eseguiProvaFinestre<Classe>(argc, argv);                                            \
    }

template <class Prova> int eseguiProvaFinestre(int argc, char** argv) {
    TApplicazione applicazione(argc, argv);
    PreparaAmbiente(applicazione);
    Prova prova;
    return QTest::qExec(&prova, argc, argv);
}

// Calls `apri`, which runs a modal dialog, and `azione` on that dialog as soon as it is shown.
// The dialog is closed afterwards if `azione` left it open, so a failing check cannot hang the
// test. Returns whether a modal dialog was seen.
bool conDialogoModale(const std::function<void()>& apri,
                      const std::function<void(QWidget*)>& azione);

// Asks for the widget's context menu at `punto` as the right mouse button does (for a list: a
// point of its viewport) and runs `azione` on the menu as soon as it shows; the menu is closed
// afterwards if `azione` left it open. Returns whether a menu was seen.
bool conMenuContestuale(QWidget* widget, QPoint punto, const std::function<void(QMenu*)>& azione);

// Chooses the menu's entry with that text as a click does.
void scegliVoce(QMenu* menu, const QString& testo);
// Asks `widget` for its context menu as the user does: a right click at `punto`, or, without a
// point, the Menu key (which goes to the widget with the focus). Returns the entries of the menu
// that shows, as assistive technology reads them ("name\tkeys", or the name alone; separators
// left out), or none when no menu shows; the menu is closed again, after choosing the entry
// named `scegli` when one is given (as Enter on it does).
QStringList vociMenuContestuale(QWidget* widget, std::optional<QPoint> punto,
                                const QString& scegli = QString());

// Types text into a widget one character at a time, non-ASCII characters included.
void digita(QWidget* destinatario, const QString& testo);

// The colour the user sees at a point of a widget (its own rendering, children included).
QColor coloreVisto(QWidget* widget, QPoint punto);

// Finds a named child and fails the test when it is missing.
template <class T> T* figlio(QWidget* finestra, const char* nome) {
    T* trovato = finestra->findChild<T*>(QString::fromLatin1(nome));
    if (!trovato)
        qFatal("missing control %s", nome);
    return trovato;
}
