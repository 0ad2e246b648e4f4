#pragma once

#include "core/helptext/Tastiera.h"

#include <QColor>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <functional>

class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;
class QWidget;

// The conventions every window shares, each written once; a window gives each one its own table.

namespace Colori {
inline const QColor AliceBlue{0xF0, 0xF8, 0xFF};
inline const QColor White{0xFF, 0xFF, 0xFF};
inline const QColor Yellow{0xFF, 0xFF, 0x00};
inline const QColor SkyBlue{0x87, 0xCE, 0xEB};
inline const QColor Collegamento{0x00, 0x00, 0x8B};        // dark blue
inline const QColor CollegamentoPremuto{0xFF, 0xA5, 0x00}; // orange
} // namespace Colori

// Focus highlight, background style: the field is filled with its resting colour, Yellow while it
// has the focus, always with a SkyBlue border.
class EvidenziazioneSfondo : public QObject {
public:
    explicit EvidenziazioneSfondo(QObject* parent);
    void aggiungi(QWidget* campo, const QColor& riposo);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QHash<QObject*, QColor> riposo_;
};

// Focus highlight, halo style: behind the field lies a yellow rectangle 4 units larger on every
// side, named "eff" + the field's role, shown only while the field has the focus.
class EvidenziazioneAlone : public QObject {
public:
    explicit EvidenziazioneAlone(QObject* parent);
    // Creates the halo beside the field (same parent, below it) and returns it.
    QWidget* aggiungi(QWidget* campo, const QString& nomeAlone);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // A window being destroyed deletes its halos and fields in any order: a halo may go before
    // the focus leaves its field.
    QHash<QObject*, QPointer<QWidget>> aloni_;
};

// The Enter key in the single-line fields of a window never moves the focus or presses a button by
// itself: a field moves the focus to the next one of the window's table, or runs its own action.
class TastoInvio : public QObject {
public:
    // Watches every single-line field of the window.
    explicit TastoInvio(QWidget* finestra);
    void sposta(QWidget* da, QWidget* a);
    void esegui(QWidget* da, std::function<void()> azione);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QHash<QObject*, std::function<void()>> azioni_;
};

// The hint line: moving the mouse over a command writes its hint into the line; moving it over the
// window's background empties it. Fields and captions leave it as it is.
class RigaSuggerimenti : public QObject {
public:
    explicit RigaSuggerimenti(QLabel* riga);
    void suggerimento(QWidget* elemento, const QString& testo);
    void sfondo(QWidget* elemento);

    // Writes what a command has just done into the line. It stays as a hint stays: while the
    // pointer moves over the command or the part of the background it was over when the message
    // came (a field or a caption on it included), until it reaches another one, whose hint (or
    // the empty line of the background) then takes the line over.
    void messaggio(const QString& testo);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // The command or part of the background that holds the widget; none outside them.
    QObject* elementoDi(QWidget* widget) const;
    // Whether a move over `elemento` leaves a message where it is.
    bool tieneMessaggio(QObject* elemento);

    QLabel* riga_;
    QHash<QObject*, QString> suggerimenti_;
    QSet<QObject*> sfondi_;
    bool messaggio_ = false;
    QObject* elementoDelMessaggio_ = nullptr;
};

// A link: underlined dark-blue text, orange while a mouse button is held on the text or on its
// icon; a click on either runs the link's action.
void preparaCollegamento(QAbstractButton* testo, QAbstractButton* icona,
                         std::function<void()> clic);
void coloraCollegamento(QAbstractButton* testo, const QColor& colore);

// A command as the user meets it without the mouse: its caption is its accessible name; its hint,
// when it has one, is its accessible description and its tooltip (the caption is, otherwise); its
// keys, when it has them, press it from anywhere in its window and are shown in the tooltip.
struct Comando {
    QString didascalia;
    QString suggerimento;
    Scorciatoia tasti;
};

// A clickable picture: a flat button with a hand cursor, prepared as its Comando says; when it
// takes the focus, Space and Enter press it. Its picture is the SVG its .ui file names in the
// property "icona".
void preparaPulsanteImmagine(QAbstractButton* pulsante, const Comando& comando);
void preparaPulsanteImmagine(QAbstractButton* pulsante, const QString& didascalia);

// Gives a button its keys: they press it from anywhere in its window, and its tooltip (its caption
// when it has none) shows them.
void assegnaScorciatoia(QAbstractButton* pulsante, const Scorciatoia& tasti);

// A command of a window that has no button of its own: an action of the window named
// `nomeOggetto`, run under the guard by its keys from anywhere in the window and from the context
// menus it is offered in. Its caption is its text (what the menu shows and a screen reader reads),
// its hint its tooltip and status tip, its keys shown in the menu beside it.
QAction* nuovaAzione(QWidget* finestra, const QString& nomeOggetto, const Comando& comando,
                     std::function<void()> esegui);

// The context menu of a field, a list or a window (from the mouse, the Menu key or Shift+F10):
// the widget's own entries first, when it has them (a text field's copy and paste), then the
// actions.
void aggiungiAlMenuContestuale(QWidget* widget, const QList<QAction*>& azioni);

// Replaces the text of a field the user is typing in by `nuovo`, the field's text trimmed by
// TogliSpazi (and maybe changed in case), keeping the cursor where it was among the characters
// that stay.
void SostituisciDigitando(QLineEdit* campo, const QString& nuovo);
