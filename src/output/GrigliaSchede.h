#pragma once

#include "core/export/Esportazione.h"

#include <QAbstractTableModel>
#include <QString>
#include <QTableView>

#include <array>
#include <vector>

// The columns of the export window's grid: the record's number, then the fourteen exported fields
// in the order of the file.
enum ColonnaGriglia {
    colNum,
    colTitolo,
    colURL,
    colProprietario,
    colDescrizione,
    colUtente,
    colPassword,
    colCreazione,
    colScadenza,
    colDomanda,
    colRisposta,
    colIntestatario,
    colCodFisc,
    colEmail,
    colTel,
    NumeroColonneGriglia
};
static_assert(NumeroColonneGriglia == NumeroColonneEsportate + 1);

struct AspettoColonna {
    int larghezza;
    bool solaLettura;
};
// Width and editability of each grid column; the captions are those of the file.
inline constexpr std::array<AspettoColonna, NumeroColonneGriglia> AspettoColonne = {{
    {60, true},   // colNum
    {300, false}, // colTitolo
    {300, false}, // colURL
    {250, true},  // colProprietario
    {300, true},  // colDescrizione
    {200, true},  // colUtente
    {200, true},  // colPassword
    {160, false}, // colCreazione
    {160, false}, // colScadenza
    {300, false}, // colDomanda
    {300, false}, // colRisposta
    {250, false}, // colIntestatario
    {180, false}, // colCodFisc
    {200, false}, // colEmail
    {160, false}, // colTel
}};

inline constexpr int AltezzaRigaGriglia = 21;
inline constexpr int RigheVuoteGriglia = 10;

// The grid's contents: one row per record of the archive in file order, or ten empty rows before
// the archive is read. Edits change these rows only, never the archive; the export reads them as
// they stand.
class TModelloSchede : public QAbstractTableModel, public RigheDaEsportare {
    Q_OBJECT
public:
    explicit TModelloSchede(QObject* parent = nullptr);

    // Reads every record of the archive at `percorso` into the grid, one row each, the texts
    // trimmed; an empty archive leaves the rows as they are. A failure ends the reading and goes on
    // to the caller (ErroreArchivio) with the file closed: once the row count is set, the rows read
    // so far stay filled and the others empty.
    void CaricaArchivio(const QString& percorso);

    int rowCount(const QModelIndex& genitore = QModelIndex()) const override;
    int columnCount(const QModelIndex& genitore = QModelIndex()) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& indice, const QVariant& valore,
                 int ruolo = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento,
                        int ruolo = Qt::DisplayRole) const override;

    qsizetype NumeroRighe() const override;
    CelleEsportate Celle(qsizetype riga) const override;

private:
    std::vector<CelleEsportate> righe_;
    // Rows 0 to numerate_ - 1 hold a record and show its number.
    qsizetype numerate_ = 0;
};

// A grid of texts as the windows show them: fixed rows of 21 units, alternating colours, one cell
// chosen at a time; a key typed on an editable cell starts editing it, Tab leaves the grid.
class TGriglia : public QTableView {
    Q_OBJECT
public:
    explicit TGriglia(QWidget* parent = nullptr);

    // Hands a cell being typed into to the model, so what the user sees is what the window uses.
    void ConfermaModifica();
};

// The grid of the export window, with the widths of its columns.
class TGrigliaSchede : public TGriglia {
    Q_OBJECT
public:
    using TGriglia::TGriglia;

    void setModel(QAbstractItemModel* modello) override;
};
