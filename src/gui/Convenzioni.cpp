#include "gui/Convenzioni.h"

#include "core/text/Testo.h"
#include "gui/Accessibilita.h"
#include "gui/Guardia.h"
#include "gui/Immagini.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <algorithm>
#include <memory>

namespace {

void coloraSfondo(QWidget* campo, const QColor& colore) {
    campo->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid %2;"
                                        " border-radius: 3px; padding: 1px 4px;")
                             .arg(colore.name(), Colori::SkyBlue.name()));
}

// The yellow rectangle behind a field that has the focus; its border shades from yellow to white.
class Alone : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        QLinearGradient bordo(area.topLeft(), area.bottomLeft());
        bordo.setColorAt(0.0, Colori::Yellow);
        bordo.setColorAt(1.0, Colori::White);
        p.setPen(QPen(QBrush(bordo), 2.0));
        p.setBrush(Colori::Yellow);
        p.drawRoundedRect(area.adjusted(1, 1, -1, -1), 4, 4);
    }
};

bool eInvio(const QEvent* evento) {
    if (evento->type() != QEvent::KeyPress)
        return false;
    const int tasto = static_cast<const QKeyEvent*>(evento)->key();
    return tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
}

// A button with the focus is pressed by Enter as by Space: a push button of a window that is not
// a dialog, and a tool button, would otherwise take only Space.
class InvioPremePulsante : public QObject {
protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        if (!eInvio(evento))
            return false;
        const auto* tasto = static_cast<const QKeyEvent*>(evento);
        if (tasto->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto* pulsante = static_cast<QAbstractButton*>(oggetto);
        if (!pulsante->isEnabled() || !pulsante->hasFocus())
            return false;
        pulsante->click();
        return true;
    }
};

} // namespace

EvidenziazioneSfondo::EvidenziazioneSfondo(QObject* parent)
    : QObject(parent) {}

void EvidenziazioneSfondo::aggiungi(QWidget* campo, const QColor& riposo) {
    riposo_.insert(campo, riposo);
    coloraSfondo(campo, campo->hasFocus() ? Colori::Yellow : riposo);
    campo->installEventFilter(this);
}

bool EvidenziazioneSfondo::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::FocusIn || evento->type() == QEvent::FocusOut) {
        auto* campo = static_cast<QWidget*>(oggetto);
        coloraSfondo(campo,
                     evento->type() == QEvent::FocusIn ? Colori::Yellow : riposo_.value(oggetto));
    }
    return false;
}

EvidenziazioneAlone::EvidenziazioneAlone(QObject* parent)
    : QObject(parent) {}

QWidget* EvidenziazioneAlone::aggiungi(QWidget* campo, const QString& nomeAlone) {
    auto* alone = new Alone(campo->parentWidget());
    alone->setObjectName(nomeAlone);
    alone->setAttribute(Qt::WA_TransparentForMouseEvents);
    alone->setGeometry(campo->geometry().adjusted(-4, -4, 4, 4));
    alone->stackUnder(campo);
    alone->setVisible(campo->hasFocus());
    aloni_.insert(campo, alone);
    campo->installEventFilter(this);
    return alone;
}

bool EvidenziazioneAlone::eventFilter(QObject* oggetto, QEvent* evento) {
    QWidget* alone = aloni_.value(oggetto);
    if (!alone)
        return false;
    switch (evento->type()) {
    case QEvent::FocusIn:
        alone->show();
        break;
    case QEvent::FocusOut:
        alone->hide();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        alone->setGeometry(static_cast<QWidget*>(oggetto)->geometry().adjusted(-4, -4, 4, 4));
        break;
    default:
        break;
    }
    return false;
}

TastoInvio::TastoInvio(QWidget* finestra)
    : QObject(finestra) {
    for (QLineEdit* campo : finestra->findChildren<QLineEdit*>())
        campo->installEventFilter(this);
}

void TastoInvio::sposta(QWidget* da, QWidget* a) {
    esegui(da, [a] { a->setFocus(Qt::TabFocusReason); });
}

void TastoInvio::esegui(QWidget* da, std::function<void()> azione) {
    azioni_.insert(da, std::move(azione));
}

bool TastoInvio::eventFilter(QObject* oggetto, QEvent* evento) {
    if (!eInvio(evento))
        return false;
    const auto azione = azioni_.value(oggetto);
    if (azione)
        EseguiAzione(azione);
    return true;
}

RigaSuggerimenti::RigaSuggerimenti(QLabel* riga)
    : QObject(riga)
    , riga_(riga) {}

void RigaSuggerimenti::suggerimento(QWidget* elemento, const QString& testo) {
    suggerimenti_.insert(elemento, testo);
    elemento->setMouseTracking(true);
    elemento->installEventFilter(this);
}

void RigaSuggerimenti::sfondo(QWidget* elemento) {
    sfondi_.insert(elemento);
    elemento->setMouseTracking(true);
    elemento->installEventFilter(this);
}

void RigaSuggerimenti::messaggio(const QString& testo) {
    riga_->setText(testo);
    messaggio_ = true;
    // Where the pointer is now: a command given from a context menu or by its keys was not given
    // with a move the line saw.
    elementoDelMessaggio_ = elementoDi(QApplication::widgetAt(QCursor::pos()));
}

QObject* RigaSuggerimenti::elementoDi(QWidget* widget) const {
    for (; widget; widget = widget->parentWidget())
        if (suggerimenti_.contains(widget) || sfondi_.contains(widget))
            return widget;
    return nullptr;
}

bool RigaSuggerimenti::tieneMessaggio(QObject* elemento) {
    if (messaggio_ && elemento == elementoDelMessaggio_)
        return true;
    messaggio_ = false;
    return false;
}

bool RigaSuggerimenti::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() != QEvent::MouseMove && evento->type() != QEvent::Enter)
        return false;
    const auto suggerimento = suggerimenti_.constFind(oggetto);
    if (suggerimento != suggerimenti_.cend()) {
        if (!tieneMessaggio(oggetto))
            riga_->setText(*suggerimento);
        return false;
    }
    // A move that the background receives from a caption or another element lying on it (they
    // pass their moves on to their parent) is not a move over the background.
    if (evento->type() == QEvent::MouseMove) {
        auto* sfondo = static_cast<QWidget*>(oggetto);
        const QPoint punto = static_cast<QMouseEvent*>(evento)->position().toPoint();
        QWidget* sopra = sfondo->childAt(punto);
        const bool tenuto = tieneMessaggio(sopra ? elementoDi(sopra) : sfondo);
        if (!sopra && !tenuto)
            riga_->clear();
    }
    return false;
}

// The colour is part of the link's own style: a palette alone gives way to the style of the window
// that owns the link's window (a window with a style of its own restyles the windows it owns).
void coloraCollegamento(QAbstractButton* testo, const QColor& colore) {
    testo->setStyleSheet(QStringLiteral("border: none; background: transparent; padding: 0;"
                                        " text-align: left; color: %1;")
                             .arg(colore.name()));
    QPalette tavolozza = testo->palette();
    tavolozza.setColor(QPalette::ButtonText, colore);
    tavolozza.setColor(QPalette::WindowText, colore);
    testo->setPalette(tavolozza);
}

void preparaCollegamento(QAbstractButton* testo, QAbstractButton* icona,
                         std::function<void()> clic) {
    QFont carattere = testo->font();
    carattere.setUnderline(true);
    testo->setFont(carattere);
    testo->setCursor(Qt::PointingHandCursor);
    coloraCollegamento(testo, Colori::Collegamento);
    if (testo->accessibleName().isEmpty())
        testo->setAccessibleName(testo->text());
    for (QAbstractButton* parte : {testo, icona}) {
        if (!parte)
            continue;
        QObject::connect(parte, &QAbstractButton::pressed, testo,
                         [testo] { coloraCollegamento(testo, Colori::CollegamentoPremuto); });
        QObject::connect(parte, &QAbstractButton::released, testo,
                         [testo] { coloraCollegamento(testo, Colori::Collegamento); });
        QObject::connect(parte, &QAbstractButton::clicked, testo, SottoGuardia(clic));
    }
    if (icona)
        preparaPulsanteImmagine(icona, testo->text());
}

void preparaPulsanteImmagine(QAbstractButton* pulsante, const Comando& comando) {
    PreparaAccessibilita();
    const QString icona = pulsante->property("icona").toString();
    if (!icona.isEmpty())
        pulsante->setIcon(IconaSvg(icona));
    pulsante->setCursor(Qt::PointingHandCursor);
    pulsante->setAccessibleName(comando.didascalia);
    pulsante->setAccessibleDescription(comando.suggerimento);
    pulsante->setToolTip(comando.suggerimento.isEmpty() ? comando.didascalia
                                                        : comando.suggerimento);
    if (!comando.tasti.tasti.isEmpty())
        assegnaScorciatoia(pulsante, comando.tasti);
    static InvioPremePulsante* const invio = new InvioPremePulsante;
    pulsante->installEventFilter(invio);
}

void preparaPulsanteImmagine(QAbstractButton* pulsante, const QString& didascalia) {
    preparaPulsanteImmagine(pulsante, Comando{didascalia, QString(), {}});
}

void assegnaScorciatoia(QAbstractButton* pulsante, const Scorciatoia& tasti) {
    pulsante->setShortcut(QKeySequence(tasti.tasti, QKeySequence::PortableText));
    const QString suggerimento = pulsante->toolTip().isEmpty()
                                     ? pulsante->text().remove(QLatin1Char('&'))
                                     : pulsante->toolTip();
    pulsante->setToolTip(suggerimento + QStringLiteral(" (") + tasti.testo + QLatin1Char(')'));
}

QAction* nuovaAzione(QWidget* finestra, const QString& nomeOggetto, const Comando& comando,
                     std::function<void()> esegui) {
    auto* azione = new QAction(comando.didascalia, finestra);
    azione->setObjectName(nomeOggetto);
    azione->setToolTip(comando.suggerimento);
    azione->setStatusTip(comando.suggerimento);
    azione->setWhatsThis(comando.suggerimento);
    if (!comando.tasti.tasti.isEmpty()) {
        azione->setShortcut(QKeySequence(comando.tasti.tasti, QKeySequence::PortableText));
        azione->setShortcutContext(Qt::WindowShortcut);
    }
    finestra->addAction(azione);
    QObject::connect(azione, &QAction::triggered, finestra, SottoGuardia(std::move(esegui)));
    return azione;
}

void aggiungiAlMenuContestuale(QWidget* widget, const QList<QAction*>& azioni) {
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        widget, &QWidget::customContextMenuRequested, widget,
        SottoGuardia([widget, azioni](const QPoint& dove) {
            std::unique_ptr<QMenu> menu;
            if (auto* campo = qobject_cast<QLineEdit*>(widget))
                menu.reset(campo->createStandardContextMenu());
            else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
                menu.reset(memo->createStandardContextMenu());
            else
                menu = std::make_unique<QMenu>(widget);
            if (!menu->isEmpty())
                menu->addSeparator();
            menu->addActions(azioni);
            const QPoint punto =
                qobject_cast<QAbstractScrollArea*>(widget)
                    ? static_cast<QAbstractScrollArea*>(widget)->viewport()->mapToGlobal(dove)
                    : widget->mapToGlobal(dove);
            menu->exec(punto);
        }));
}

void SostituisciDigitando(QLineEdit* campo, const QString& nuovo) {
    const QString vecchio = campo->text();
    if (nuovo == vecchio)
        return;
    const qsizetype cursore =
        std::clamp<qsizetype>(campo->cursorPosition() - SpaziIniziali(vecchio), 0, nuovo.size());
    campo->setText(nuovo);
    campo->setCursorPosition(static_cast<int>(cursore));
}
