#include "gui/Finestra.h"

#include "gui/Accessibilita.h"
#include "gui/Guardia.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

TFinestraLunga::TFinestraLunga(Modo modo, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , modo_(modo) {
    PreparaAccessibilita();
}

void TFinestraLunga::mostra() {
    if (modo_ == Modo::Massimizzata) {
        // Without a window manager a maximised state is never granted: fill the screen anyway.
        if (const QScreen* schermo = screen() ? screen() : QGuiApplication::primaryScreen())
            setGeometry(schermo->availableGeometry());
        showMaximized();
        return;
    }
    if (const QScreen* schermo = QGuiApplication::primaryScreen()) {
        QRect area = frameGeometry();
        area.moveCenter(schermo->availableGeometry().center());
        move(area.topLeft());
    }
    showNormal();
}

void TFinestraLunga::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!e->spontaneous())
        EseguiAzione([this] { FormShow(); });
}

void TFinestraLunga::closeEvent(QCloseEvent* e) {
    EseguiAzione([this] { FormClose(); });
    e->accept();
}

void TFinestraLunga::fissaDimensioniSenzaPulsanti(const QSize& areaClient) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(areaClient);
}

TDialogo::TDialogo(QWidget* parent, const QSize& areaClient)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    PreparaAccessibilita();
    setFixedSize(areaClient);
    setModal(true);
}

void TDialogo::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous())
        EseguiAzione([this] { FormShow(); });
}

void TDialogo::centraSulloSchermo() {
    const QWidget* proprietario = parentWidget();
    const QScreen* schermo = proprietario && proprietario->screen()
                                 ? proprietario->screen()
                                 : QGuiApplication::primaryScreen();
    if (!schermo)
        return;
    QRect area(QPoint(), size());
    area.moveCenter(schermo->availableGeometry().center());
    move(area.topLeft());
}
