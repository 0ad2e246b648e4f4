#pragma once

#include "app/Applicazione.h"

#include <QColor>
#include <QPoint>
#include <QString>
#include <QTest>
#include <functional>

class QWidget;

// The main() of a window test: the program's own application object (it catches failures that
// leave a handler) and environment (style, fonts, resources, Italian translations).
#define BLINDORO_TEST_MAIN(Classe)                                                                 \
    int main(int argc, char** argv) {                                                              \
        TApplicazione applicazione(argc, argv);                                                    \
        PreparaAmbiente(applicazione);                                                             \
        Classe prova;                                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&prova, argc, argv);                                                   \
    }

// The seventeen windows of the program for the length of a test.
class FinestreProva {
public:
    FinestreProva();
    ~FinestreProva();
    FinestreProva(const FinestreProva&) = delete;
    FinestreProva& operator=(const FinestreProva&) = delete;
};

// Calls `apri`, which runs a modal dialog, and `azione` on that dialog as soon as it is shown.
// The dialog is closed afterwards if `azione` left it open, so a failing check cannot hang the
// test. Returns whether a modal dialog was seen.
bool conDialogoModale(const std::function<void()>& apri,
                      const std::function<void(QWidget*)>& azione);

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
