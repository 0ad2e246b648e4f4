#pragma once

#include <QPointer>
#include <QRect>
#include <QShowEvent>
#include <QWidget>
#include <QWindow>

#include <utility>

// One of Qt's own dialogs (a message box, the file dialog, the print dialog) opened for a window
// of the program. It is not that window's child widget, so no window's style sheet reaches it and
// it keeps Qt's look whatever window opens it; it is modal for the whole program and stands on top
// of the calling window (its transient parent), centred over it.
//
// `Dialogo` is the Qt dialog class; the arguments after the calling window go to its constructor,
// which must not be given a parent.
template <class Dialogo> class SopraFinestra : public Dialogo {
public:
    template <class... Argomenti>
    explicit SopraFinestra(QWidget* chiamante, Argomenti&&... argomenti)
        : Dialogo(std::forward<Argomenti>(argomenti)...)
        , finestra_(chiamante ? chiamante->window() : nullptr) {
        this->setWindowModality(Qt::ApplicationModal);
    }

    // The window it stands over; nullptr when it was opened without one.
    QWidget* finestraChiamante() const { return finestra_; }

protected:
    void showEvent(QShowEvent* e) override {
        Dialogo::showEvent(e);
        if (!finestra_ || !finestra_->isVisible())
            return;
        if (QWindow* sopra = finestra_->windowHandle())
            this->windowHandle()->setTransientParent(sopra);
        QRect area = this->frameGeometry();
        area.moveCenter(finestra_->frameGeometry().center());
        this->move(area.topLeft());
    }

private:
    QPointer<QWidget> finestra_;
};
