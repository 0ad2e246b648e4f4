#pragma once

#include "gui/Appunti.h"
#include "gui/DialogoScheda.h"

#include <QString>
#include <QStringList>
#include <memory>

class ComponenteRapporto;
class ElencoRiepilogo;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QListView;

// What the search window and the expired summary share: their size and look, the list of record
// lines with its key search "Trova", the loading of the chosen line into the record window, which
// closes the window, the copy of the chosen line's password and user name to the clipboard, and
// the printing of the list through the template both hold.
class TFinestraElenco : public TDialogoScheda {
    Q_OBJECT
public:
    ~TFinestraElenco() override;

    // The window's report component, which holds the list template.
    ComponenteRapporto& Rapporto();

    // The password or the user name of the chosen line's record, the record the double-click
    // would load, copied to the clipboard; the window stays open and the record window as it is.
    void actCopiaPasswordExecute();
    void actCopiaUtenteExecute();

protected:
    explicit TFinestraElenco(SchedaAperta* scheda);

    // Called once by the window's constructor with its controls: the list, the key field of
    // "Trova", its print command, the line that tells what the copy commands did, and the last
    // key of the window's class (one for the whole run).
    void preparaElenco(QListView* lista, QLineEdit* chiave, QAbstractButton* stampa,
                       QLabel* avvisoAppunti, QString& ultimaChiave);
    // Each showing starts with no key: neither the window's nor its class's.
    void preparaMostra(QLineEdit* chiave, QString& ultimaChiave);

    ElencoRiepilogo& elenco() const { return *elenco_; }
    // The double-click (or Enter) on a line: every record of the archive that gives the line goes
    // to the record window, the last one staying there; then the window closes.
    void caricaSceltaEChiudi();
    void stampaElenco(const QString& titolo);

private:
    void preparaCopia(QListView* lista);
    void copiaDallaScelta(Appunti::Dato dato);

    ElencoRiepilogo* elenco_ = nullptr;
    QLabel* avvisoAppunti_ = nullptr;
    std::unique_ptr<ComponenteRapporto> frxReport;
};
