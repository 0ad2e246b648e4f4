#pragma once

#include "core/summary/Scansioni.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class ComponenteRapporto;
class TRapporto;
class QLineEdit;
class QListView;
class QWidget;
class ModelloRighe;

// The messages of the search window and of the expired summary.
namespace MessaggiElenco {
inline const QString ListaVuota =
    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
} // namespace MessaggiElenco

// The list of record lines that the search window and the expired summary share, and what both do
// on it: the key search "Trova", the loading of the chosen line into the record window, and the
// printing of the list. The lines come in the list order from the scans and are shown as they
// come: the view never sorts them itself. Each line is one item of Courier New 12, wide enough for
// the whole line, reached by scrolling sideways.
class ElencoRiepilogo : public QObject {
public:
    // `lista` shows the lines, `chiave` holds the key of "Trova", `ultimaChiave` is the last key of
    // the window's class (one for the whole run). Messages are shown over `finestra`.
    ElencoRiepilogo(QWidget* finestra, QListView* lista, QLineEdit* chiave, QString& ultimaChiave);
    ~ElencoRiepilogo() override;

    // Replaces the lines shown; nothing is selected afterwards.
    void Mostra(const QStringList& righe);
    void Svuota();
    const QStringList& Righe() const;

    // The selected line's index; none when nothing is selected.
    std::optional<qsizetype> RigaSelezionata() const;
    void Seleziona(qsizetype riga);

    // "Trova": selects the next line holding the key (see Trova in core/summary/Ricerca.h); on an
    // empty list it tells the user so.
    void CercaChiave();

    // Hands every record of the archive whose line equals the selected line to `mostra`, in file
    // order, so the last of them is the one left where it goes. With no line selected, or when
    // the archive cannot be read, it stops and says which: what was handed over stays.
    enum class EsitoScelta { Letta, NessunaRiga, ArchivioIlleggibile };
    EsitoScelta CaricaScelta(const QString& percorso, const MostraSchedaTrovata& mostra) const;

    // Runs `azione` when the user double-clicks the list (anywhere in it) or presses Enter in it.
    void AlDoppioClic(std::function<void()> azione);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QWidget* finestra_;
    QListView* lista_;
    QWidget* areaLista_; // its viewport, which receives the clicks
    QLineEdit* chiave_;
    QString& ultimaChiave_;
    ModelloRighe* modello_;
    std::function<void()> doppioClic_;
};

// Fills the list template "Riepilogo dati" held by `frxReport` with the lines under `titolo`: one
// memo line per list line, the memo as tall as its lines and its band 10 units taller.
void CompilaElenco(TRapporto& frxReport, const QString& titolo, const QStringList& righe);

// Prints the lines through the list template (see CompilaElenco). The engine's print dialog comes
// first; its failures are not caught here.
void StampaElenco(ComponenteRapporto& frxReport, const QString& titolo, const QStringList& righe);

// The look both windows share: instructions, captions, fields, the list and the buttons.
const QString& StileElenco();

// The name of the list template both windows hold.
inline const QString ModelloRiepilogo = QStringLiteral("Riepilogo dati");
