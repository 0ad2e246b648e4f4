#include "gui/Accessibilita.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHash>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMetaObject>
#include <QToolButton>
#include <QVariant>

namespace {

const char* const ProprietaDecorazione = "decorazione";

// Nothing of it is offered: no name, no action, not visible to assistive technology.
class Decorazione : public QAccessibleWidget {
public:
    explicit Decorazione(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Client) {}

    QString text(QAccessible::Text) const override { return QString(); }
    QAccessible::State state() const override {
        QAccessible::State stato = QAccessibleWidget::state();
        stato.invisible = true;
        stato.focusable = false;
        return stato;
    }
    QStringList actionNames() const override { return {}; }
    void doAction(const QString&) override {}
};

// A picture button. The toolkit's own interface of a tool button clicks it inside the press
// action, so a click that opens a modal window does not return to the screen reader until that
// window closes; this one presses it as a push button is pressed (the click follows shortly, from
// the event loop).
class PulsanteImmagine : public QAccessibleWidget {
public:
    explicit PulsanteImmagine(QToolButton* pulsante)
        : QAccessibleWidget(pulsante, QAccessible::Button) {
        addControllingSignal(QStringLiteral("clicked(bool)"));
    }

    QAccessible::Role role() const override {
        return conMenu() ? QAccessible::ButtonMenu : QAccessible::Button;
    }

    QString text(QAccessible::Text tipo) const override {
        switch (tipo) {
        case QAccessible::Name: {
            if (!pulsante()->accessibleName().isEmpty())
                return pulsante()->accessibleName();
            QString testo = pulsante()->text();
            return testo.remove(QLatin1Char('&'));
        }
        case QAccessible::Accelerator:
            return pulsante()->shortcut().toString(QKeySequence::NativeText);
        default:
            return QAccessibleWidget::text(tipo);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State stato = QAccessibleWidget::state();
        stato.pressed = pulsante()->isDown();
        stato.checkable = pulsante()->isCheckable();
        stato.checked = pulsante()->isChecked();
        stato.hasPopup = conMenu();
        return stato;
    }

    QStringList actionNames() const override {
        QStringList azioni{QAccessibleActionInterface::pressAction()};
        if (conMenu())
            azioni << QAccessibleActionInterface::showMenuAction();
        return azioni + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& azione) override {
        if (!pulsante()->isEnabled())
            return;
        const bool mostraMenu = azione == QAccessibleActionInterface::showMenuAction() ||
                                (azione == QAccessibleActionInterface::pressAction() && conMenu() &&
                                 pulsante()->popupMode() == QToolButton::InstantPopup);
        if (mostraMenu)
            QMetaObject::invokeMethod(pulsante(), &QToolButton::showMenu, Qt::QueuedConnection);
        else if (azione == QAccessibleActionInterface::pressAction())
            pulsante()->animateClick();
        else
            QAccessibleWidget::doAction(azione);
    }

    QStringList keyBindingsForAction(const QString& azione) const override {
        if (azione == QAccessibleActionInterface::pressAction() &&
            !pulsante()->shortcut().isEmpty())
            return {pulsante()->shortcut().toString(QKeySequence::NativeText)};
        return QAccessibleWidget::keyBindingsForAction(azione);
    }

private:
    QToolButton* pulsante() const { return static_cast<QToolButton*>(widget()); }
    bool conMenu() const { return pulsante()->menu() != nullptr; }
};

using NomeDaTesto = std::function<QString(const QString&)>;

QHash<const QObject*, NomeDaTesto>& nomiDaTesto() {
    static QHash<const QObject*, NomeDaTesto> nomi;
    return nomi;
}

class EtichettaConNome : public QAccessibleWidget {
public:
    EtichettaConNome(QLabel* etichetta, NomeDaTesto nome)
        : QAccessibleWidget(etichetta, QAccessible::StaticText)
        , nome_(std::move(nome)) {}

    QString text(QAccessible::Text tipo) const override {
        if (tipo == QAccessible::Name)
            return nome_(static_cast<QLabel*>(widget())->text());
        return QAccessibleWidget::text(tipo);
    }

private:
    NomeDaTesto nome_;
};

QAccessibleInterface* interfacciaDelProgramma(const QString& classe, QObject* oggetto) {
    // A widget being destroyed is down to QWidget (or QObject) by then: the toolkit's own factory
    // knows to leave it alone, and so it is left to it.
    if (!oggetto || !oggetto->isWidgetType() || classe == QLatin1String("QWidget") ||
        classe == QLatin1String("QObject"))
        return nullptr;
    auto* widget = static_cast<QWidget*>(oggetto);
    if (classe == QLatin1String("ImmagineSvg") || widget->property(ProprietaDecorazione).toBool())
        return new Decorazione(widget);
    if (classe == QLatin1String("TFinestraLunga"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (classe == QLatin1String("TDialogo"))
        return new QAccessibleWidget(widget, QAccessible::Dialog);
    if (classe == QLatin1String("QToolButton"))
        return new PulsanteImmagine(static_cast<QToolButton*>(widget));
    if (classe == QLatin1String("QLabel")) {
        const auto nome = nomiDaTesto().constFind(oggetto);
        if (nome != nomiDaTesto().cend())
            return new EtichettaConNome(static_cast<QLabel*>(widget), *nome);
        return nullptr;
    }
    // A plain frame only draws a box around what lies on it; the toolkit would call it a frame,
    // which assistive technology takes for a window.
    if (classe == QLatin1String("QFrame"))
        return new QAccessibleWidget(widget, QAccessible::Client);
    return nullptr;
}

// An interface made before the widget was marked (the toolkit makes them as soon as a change is
// announced, while a screen reader listens) is dropped, so the next one asked for is the right
// one.
void rinnovaInterfaccia(QObject* oggetto) {
    QAccessibleInterface* vecchia = QAccessible::queryAccessibleInterface(oggetto);
    if (vecchia && vecchia->object() == oggetto)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(vecchia));
}

} // namespace

// Shift+F10 opens the context menu of the control with the focus, as the Menu key does: the key
// that keyboards without a Menu key, and their users, expect.
class MenuDaTastiera : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        if (evento->type() != QEvent::KeyPress)
            return false;
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        QWidget* fuoco = QApplication::focusWidget();
        if (tasto->key() != Qt::Key_F10 || tasto->modifiers() != Qt::ShiftModifier || !fuoco ||
            oggetto != fuoco)
            return false;
        const QPoint centro = fuoco->rect().center();
        QContextMenuEvent richiesta(QContextMenuEvent::Keyboard, centro,
                                    fuoco->mapToGlobal(centro));
        QApplication::sendEvent(fuoco, &richiesta);
        return true;
    }
};

void PreparaAccessibilita() {
    static const bool installata = [] {
        QAccessible::installFactory(&interfacciaDelProgramma);
        if (qApp)
            qApp->installEventFilter(new MenuDaTastiera(qApp));
        return true;
    }();
    Q_UNUSED(installata);
}

void segnaDecorazione(QWidget* widget) {
    PreparaAccessibilita();
    widget->setProperty(ProprietaDecorazione, true);
    rinnovaInterfaccia(widget);
}

void nomeDaTesto(QLabel* etichetta, std::function<QString(const QString& testo)> nome) {
    PreparaAccessibilita();
    nomiDaTesto().insert(etichetta, std::move(nome));
    QObject::connect(etichetta, &QObject::destroyed,
                     [](QObject* distrutta) { nomiDaTesto().remove(distrutta); });
    rinnovaInterfaccia(etichetta);
}
