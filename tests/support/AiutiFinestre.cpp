#include "support/AiutiFinestre.h"

#include <QAbstractScrollArea>
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
    QTimer sonda;
    sonda.setInterval(5);
    QObject::connect(&sonda, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return;
        sonda.stop();
        visto = true;
        QPointer<QMenu> guardia(menu);
        azione(menu);
        if (guardia && guardia->isVisible())
            guardia->close();
    });
    sonda.start();
    auto* area = qobject_cast<QAbstractScrollArea*>(widget);
    QWidget* destinatario = area ? area->viewport() : widget;
    QContextMenuEvent richiesta(QContextMenuEvent::Mouse, punto, destinatario->mapToGlobal(punto));
    QApplication::sendEvent(destinatario, &richiesta);
    sonda.stop();
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
