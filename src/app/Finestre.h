#pragma once

#include <QList>
#include <memory>

class QWidget;
class TfrmPassword;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmCreaArchivio;
class TfrmApriArchivio;
class TfrmBlindoro;

// The six long-lived windows of the program and how they hand over to one another. Each is built
// once, the login window (the main window) at once and every other one on its first use, and lives
// until the end. A window says where the user
// goes next (its signals); this object shows the window reached, and the window left hides itself
// afterwards. Dialogs are not here: each use makes a new one, owned by the window that opens it.
class TFinestre {
public:
    // Builds the login window.
    TFinestre();
    ~TFinestre();
    TFinestre(const TFinestre&) = delete;
    TFinestre& operator=(const TFinestre&) = delete;

    // Each builds its window on first use.
    TfrmPassword& Password();
    TfrmAvvio& Avvio();
    TfrmCambiaPassword& CambiaPassword();
    TfrmCreaArchivio& CreaArchivio();
    TfrmApriArchivio& ApriArchivio();
    TfrmBlindoro& Blindoro();

    // The windows built so far, in the order in which they were built.
    QList<QWidget*> Elenco() const;

    // Shows the main window, centred, with the focus in its password field.
    void MostraFinestraPrincipale();

private:
    // Builds the window on first use and connects its hand-overs.
    template <class Finestra, class Collega>
    Finestra& finestra(std::unique_ptr<Finestra>& istanza, Collega&& collega);

    // Declared in the order of building, so they are destroyed in the reverse order.
    std::unique_ptr<TfrmPassword> password_;
    std::unique_ptr<TfrmAvvio> avvio_;
    std::unique_ptr<TfrmCambiaPassword> cambiaPassword_;
    std::unique_ptr<TfrmCreaArchivio> creaArchivio_;
    std::unique_ptr<TfrmApriArchivio> apriArchivio_;
    std::unique_ptr<TfrmBlindoro> blindoro_;
    QList<QWidget*> elenco_;
};
