#pragma once

#include "support/SchermoVirtuale.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <map>

// Xlib's Display and Window, without its macros (None, Bool, Status...) in every file that uses
// the session.
struct _XDisplay;
using XID = unsigned long;

// What the test asks of the display: the top-level windows the program maps (watched on the root
// window, so a map is seen when it happens), real pointer and key events through XTEST, the X
// input focus and pictures of windows. Every wait gives up after its time limit, or as soon as
// `vivo` says the program is gone; then the test fails with the reason in `errore()`.
class SessioneX {
public:
    using Finestra = XID;

    explicit SessioneX(const QString& schermo);
    ~SessioneX();
    SessioneX(const SessioneX&) = delete;
    SessioneX& operator=(const SessioneX&) = delete;

    bool aperta() const { return schermo_ != nullptr; }
    QString errore() const { return errore_; }
    // What the display saw, for a failure report: maps, unmaps, moves and the clicks, each with
    // the time since the session began.
    QString storia() const { return storia_.join(QLatin1Char('\n')); }

    // Asked during every wait: false ends the wait at once.
    void controllaDurante(std::function<bool()> vivo) { vivo_ = std::move(vivo); }

    // Gives a key to each character of the text that the keyboard map has no key for (accented
    // letters), before the program starts, so the program's own map holds them from the first.
    void preparaTasti(const QString& testo);

    // A mapped top-level window whose title is exactly `titolo`; 0 when none came in time.
    Finestra aspettaFinestra(const QString& titolo,
                             std::chrono::milliseconds limite = AttesaMassima);
    // True once the window is no longer mapped.
    bool aspettaChiusura(Finestra finestra, std::chrono::milliseconds limite = AttesaMassima);
    // True once the window has the X input focus, so keys typed next reach it.
    bool aspettaFuoco(Finestra finestra, std::chrono::milliseconds limite = AttesaMassima);

    // The window's place on the screen (there is no window manager: no frame around it).
    QRect geometria(Finestra finestra);

    // A click of the left button at a point of the window, once no other window covers it.
    bool clic(Finestra finestra, QPoint punto);
    // The pointer at a point of the screen, without a click.
    void spostaPuntatore(QPoint puntoSchermo);
    // Each character as a key press and release, with Shift where the key needs it; a line
    // break is the Return key. False when a character has no key (nothing more is typed).
    bool digita(const QString& testo);
    // One key by its X keysym name ("Return", "space"), with the modifiers held.
    enum Modificatore { Control = 1, Alt = 2 };
    bool premi(const char* tasto, int modificatori = 0);

    // True once the selection ("CLIPBOARD", "PRIMARY") has an owner, or none when `presente` is
    // false. The display tells each change of owner (XFIXES), so a copy and a clearing are seen
    // as they happen.
    bool aspettaProprietario(const char* selezione, bool presente,
                             std::chrono::milliseconds limite = AttesaMassima);

    // The window as it shows, once two pictures taken a moment apart agree (painting is over).
    QImage foto(Finestra finestra, std::chrono::milliseconds limite = std::chrono::seconds(20));

private:
    void leggiEventi();
    void annota(const QString& riga);
    QString titolo(Finestra finestra) const;
    bool aspetta(const std::function<bool()>& fatto, std::chrono::milliseconds limite);
    bool tastoSimbolo(unsigned long simbolo);
    void invia();

    _XDisplay* schermo_ = nullptr;
    Finestra radice_ = 0;
    std::map<Finestra, bool> mappate_;
    // Keys given to characters that the keyboard map lacked: keysym to keycode.
    std::map<unsigned long, unsigned char> tastiAggiunti_;
    std::function<bool()> vivo_;
    QString errore_;
    QElapsedTimer orologio_;
    QStringList storia_;
};
