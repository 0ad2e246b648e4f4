#pragma once

#include <QDialog>
#include <QWidget>
#include <memory>

// A long-lived window: created once at start, then shown and hidden for the whole run; it keeps
// its controls' contents while hidden. FormShow runs each time it is shown; FormClose runs when it
// is closed by a command or by the title-bar close box and makes the window's transition (Qt hides
// the window right after it).
class TFinestraLunga : public QWidget {
    Q_OBJECT
public:
    enum class Modo { Centrata, Massimizzata };
    explicit TFinestraLunga(Modo modo, QWidget* parent = nullptr);

    // Shows the window in its own way: maximised, or centred on the screen.
    void mostra();

protected:
    virtual void FormShow() {}
    virtual void FormClose() {}
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    // A fixed-size window without title-bar buttons (login and password change).
    void fissaDimensioniSenzaPulsanti(const QSize& areaClient);

private:
    Modo modo_;
};

// A dialog: each use creates a new instance owned by the window that opens it, runs it modally
// and frees it on return (see apriDialogo). Fixed single border, no title-bar buttons.
class TDialogo : public QDialog {
    Q_OBJECT
public:
    explicit TDialogo(QWidget* parent, const QSize& areaClient);

protected:
    virtual void FormShow() {}
    void showEvent(QShowEvent* e) override;
    // Places the dialog in the middle of the screen instead of over the window that owns it.
    void centraSulloSchermo();
};

// Creates a dialog owned by `proprietario`, lets the caller preset it, runs it modally and frees
// it as soon as the modal run returns.
// The owner is the window the dialog serves (the record window, for the dialogs that write into
// it).
template <class Dialogo, class Proprietario, class Prepara>
void apriDialogo(Proprietario* proprietario, Prepara&& prepara) {
    auto dialogo = std::make_unique<Dialogo>(proprietario);
    prepara(*dialogo);
    dialogo->exec();
}

template <class Dialogo, class Proprietario> void apriDialogo(Proprietario* proprietario) {
    apriDialogo<Dialogo>(proprietario, [](Dialogo&) {});
}
