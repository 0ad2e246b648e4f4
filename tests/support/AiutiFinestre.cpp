#include "support/AiutiFinestre.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>

bool conDialogoModale(const std::function<void()>& apri,
                      const std::function<void(QWidget*)>& azione) {
    bool visto = false;
    QWidget* giaAperto = QApplication::activeModalWidget();
    QTimer sonda;
    sonda.setInterval(5);
    QObject::connect(&sonda, &QTimer::timeout, [&] {
        QWidget* dialogo = QApplication::activeModalWidget();
        if (!dialogo || dialogo == giaAperto || !dialogo->isVisible())
            return;
        sonda.stop();
        visto = true;
        QPointer<QWidget> guardia(dialogo);
        azione(dialogo);
        if (guardia && guardia->isVisible()) {
            if (auto* d = qobject_cast<QDialog*>(guardia.data()))
                d->reject();
            else
                guardia->close();
        }
    });
    sonda.start();
    apri();
    sonda.stop();
    return visto;
}

bool conMenuContestuale(QWidget* widget, QPoint punto, const std::function<void(QMenu*)>& azione) {
    bool visto = false;
    const auto esamina = [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (visto || !menu || !menu->isVisible())
            return;
        visto = true;
        QPointer<QMenu> guardia(menu);
        azione(menu);
        if (guardia && guardia->isVisible())
            guardia->close();
    };
    // A menu run with exec() is looked at from the event loop it runs; one that pops up and
    // returns (a text field's own) right after.
    QTimer sonda;
    sonda.setInterval(5);
    QObject::connect(&sonda, &QTimer::timeout, esamina);
    sonda.start();
    auto* area = qobject_cast<QAbstractScrollArea*>(widget);
    QWidget* destinatario = area ? area->viewport() : widget;
    QContextMenuEvent richiesta(QContextMenuEvent::Mouse, punto, destinatario->mapToGlobal(punto));
    QApplication::sendEvent(destinatario, &richiesta);
    sonda.stop();
    esamina();
    return visto;
}

void scegliVoce(QMenu* menu, const QString& testo) {
    for (QAction* voce : menu->actions())
        if (voce->text() == testo) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(voce).center());
            return;
        }
    QTest::qFail(qPrintable(QStringLiteral("no entry \"%1\" in the menu").arg(testo)), __FILE__,
                 __LINE__);
}

QStringList vociMenuContestuale(QWidget* widget, std::optional<QPoint> punto,
                                const QString& scegli) {
    QStringList voci;
    bool visto = false;
    const auto esamina = [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (visto || !menu || !menu->isVisible())
            return;
        visto = true;
        QAccessibleInterface* interfaccia = QAccessible::queryAccessibleInterface(menu);
        for (int i = 0; interfaccia && i < interfaccia->childCount(); ++i) {
            QAccessibleInterface* voce = interfaccia->child(i);
            if (voce->role() == QAccessible::Separator)
                continue;
            const QString tasti = voce->text(QAccessible::Accelerator);
            voci << voce->text(QAccessible::Name) +
                        (tasti.isEmpty() ? QString() : QLatin1Char('\t') + tasti);
        }
        for (QAction* azione : menu->actions()) {
            if (!scegli.isEmpty() && azione->text() == scegli) {
                menu->setActiveAction(azione);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    };
    // A menu run with exec() is looked at from the event loop it runs; one that pops up and
    // returns (a text field's own) right after.
    QTimer sonda;
    sonda.setInterval(5);
    QObject::connect(&sonda, &QTimer::timeout, esamina);
    sonda.start();
    // The mouse over a list or a memo is over its viewport.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget); area && punto)
        widget = area->viewport();
    const QPoint dove = punto.value_or(widget->rect().center());
    QContextMenuEvent richiesta(punto ? QContextMenuEvent::Mouse : QContextMenuEvent::Keyboard,
                                dove, widget->mapToGlobal(dove));
    QApplication::sendEvent(widget, &richiesta);
    sonda.stop();
    esamina();
    return voci;
}

void digita(QWidget* destinatario, const QString& testo) {
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar carattere = testo[i];
        if (carattere.unicode() < 128 && carattere.isPrint()) {
            QTest::keyClick(destinatario, carattere.toLatin1());
            continue;
        }
        // A character outside the BMP (an emoji) is one key: both halves of its pair together.
        const bool coppia = carattere.isHighSurrogate() && i + 1 < testo.size();
        QTest::sendKeyEvent(QTest::Click, destinatario, Qt::Key_unknown,
                            testo.mid(i, coppia ? 2 : 1), Qt::NoModifier);
        if (coppia)
            ++i;
    }
}

QColor coloreVisto(QWidget* widget, QPoint punto) {
    return widget->grab().toImage().pixelColor(punto);
}
