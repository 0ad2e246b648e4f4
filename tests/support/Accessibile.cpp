#include "support/Accessibile.h"

#include "gui/Immagini.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QFrame>
#include <QWidget>

namespace {

QString nomeDi(const QWidget* widget) {
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

// The toolkit's own parts of a composite control (the days of a calendar, the line of a spin
// box) are that control's business.
bool parteInterna(const QWidget* widget) {
    return widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"));
}

bool eDecorazione(const QWidget* widget) {
    return qobject_cast<const ImmagineSvg*>(widget) || widget->property("decorazione").toBool();
}

// The child of `antenato` that holds `widget` (or is it).
const QWidget* figlioCheContiene(const QWidget* antenato, const QWidget* widget) {
    while (widget->parentWidget() != antenato)
        widget = widget->parentWidget();
    return widget;
}

// Whether `a` is read before `b`: the one above first; on the same line, the one on the left.
// Both are compared as the blocks that hold them inside their nearest common container.
bool lettoPrima(const QWidget* a, const QWidget* b) {
    if (a->isAncestorOf(b))
        return true;
    if (b->isAncestorOf(a))
        return false;
    const QWidget* comune = a->parentWidget();
    while (!comune->isAncestorOf(b))
        comune = comune->parentWidget();
    const QRect ra = figlioCheContiene(comune, a)->geometry();
    const QRect rb = figlioCheContiene(comune, b)->geometry();
    if (ra.center().y() < rb.top())
        return true;
    if (rb.center().y() < ra.top())
        return false;
    return ra.left() != rb.left() ? ra.left() < rb.left() : ra.top() < rb.top();
}

} // namespace

QList<QWidget*> fermateTab(QWidget* finestra) {
    QList<QWidget*> fermate;
    for (QWidget* w = finestra->nextInFocusChain(); w && w != finestra; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(finestra) && !parteInterna(w) &&
            !fermate.contains(w))
            fermate << w;
    return fermate;
}

QStringList problemiComandi(QWidget* finestra) {
    QStringList problemi;
    for (QAbstractButton* pulsante : finestra->findChildren<QAbstractButton*>()) {
        if (!pulsante->isEnabled() || !pulsante->isVisibleTo(finestra) || parteInterna(pulsante) ||
            eDecorazione(pulsante))
            continue;
        QAccessibleInterface* interfaccia = QAccessible::queryAccessibleInterface(pulsante);
        if (!interfaccia) {
            problemi << nomeDi(pulsante) + QStringLiteral(": not accessible");
            continue;
        }
        if (interfaccia->text(QAccessible::Name).trimmed().isEmpty())
            problemi << nomeDi(pulsante) + QStringLiteral(": no accessible name");
        const QAccessible::Role ruolo = interfaccia->role();
        if (ruolo != QAccessible::Button && ruolo != QAccessible::ButtonMenu &&
            ruolo != QAccessible::CheckBox && ruolo != QAccessible::RadioButton)
            problemi << nomeDi(pulsante) + QStringLiteral(": role %1").arg(int(ruolo));
        // A box that is ticked or not is toggled; any other button is pressed.
        const QString azione = ruolo == QAccessible::CheckBox || ruolo == QAccessible::RadioButton
                                   ? QAccessibleActionInterface::toggleAction()
                                   : QAccessibleActionInterface::pressAction();
        QAccessibleActionInterface* azioni = interfaccia->actionInterface();
        if (!azioni || !azioni->actionNames().contains(azione))
            problemi << nomeDi(pulsante) + QStringLiteral(": no %1 action").arg(azione);
    }
    return problemi;
}

QStringList problemiOrdineTab(QWidget* finestra) {
    const QList<QWidget*> fermate = fermateTab(finestra);
    QStringList problemi;
    // Going round, the order goes back exactly once: from the last control read to the first.
    QList<int> ritorni;
    for (int i = 0; i < fermate.size(); ++i) {
        const QWidget* da = fermate[i];
        const QWidget* a = fermate[(i + 1) % fermate.size()];
        if (fermate.size() > 1 && lettoPrima(a, da))
            ritorni << i;
    }
    if (ritorni.size() > 1) {
        QStringList ordine;
        for (const QWidget* w : fermate)
            ordine << nomeDi(w);
        for (int i : ritorni)
            problemi << QStringLiteral("Tab goes back from %1 to %2 (order: %3)")
                            .arg(nomeDi(fermate[i]), nomeDi(fermate[(i + 1) % fermate.size()]),
                                 ordine.join(QLatin1Char(' ')));
    }
    return problemi;
}

QStringList problemiDecorazioni(QWidget* finestra) {
    QStringList problemi;
    for (QWidget* widget : finestra->findChildren<QWidget*>()) {
        QAccessibleInterface* interfaccia = QAccessible::queryAccessibleInterface(widget);
        if (!interfaccia)
            continue;
        if (widget->metaObject() == &QFrame::staticMetaObject &&
            interfaccia->role() == QAccessible::Border)
            problemi << nomeDi(widget) + QStringLiteral(": a frame offered as a window frame");
        if (!eDecorazione(widget))
            continue;
        const QAccessible::State stato = interfaccia->state();
        QAccessibleActionInterface* azioni = interfaccia->actionInterface();
        if (!stato.invisible || stato.focusable ||
            !interfaccia->text(QAccessible::Name).isEmpty() ||
            (azioni && !azioni->actionNames().isEmpty()))
            problemi << nomeDi(widget) + QStringLiteral(": decoration offered to the user");
    }
    return problemi;
}
