#pragma once

#include "core/import/Importazione.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <optional>

// The columns of the import preview's table: the line of the file, the row's state (with the box
// that includes or leaves it out), the main fields as the new record will hold them, and what the
// preview says of the row.
enum class ColonnaRighe {
    Linea,
    Stato,
    Titolo,
    URL,
    Utente,
    Password,
    Creazione,
    Scadenza,
    Intestatario,
    Rilievi,
};
inline constexpr int NumeroColonneRighe = static_cast<int>(ColonnaRighe::Rilievi) + 1;

// The record field a column shows, or none.
std::optional<Campo> CampoDellaColonna(ColonnaRighe colonna);
// The width the table gives the column.
int LarghezzaColonna(ColonnaRighe colonna);

// The state of a row as the table names it ("Da aggiungere", "Da completare"...).
QString NomeStato(StatoRiga stato);

// The rows of an import preview, one for each row of the file. The field cells can be corrected
// (a value the row lacks filled in); the state's box adds a duplicate all the same, or leaves any
// row out, except a row still lacking a field, which cannot be added yet. Every change reaches the
// preview at once, and the whole table shows again, since a change in one row can change the
// state of others (a duplicate of an earlier row).
class TModelloRigheImportazione : public QAbstractTableModel {
    Q_OBJECT
public:
    TModelloRigheImportazione(AnteprimaImportazione& anteprima, QObject* parent);

    // Shows every row again, after a change made straight on the preview (the holder or the expiry
    // given once).
    void Aggiorna();

    int rowCount(const QModelIndex& genitore = QModelIndex()) const override;
    int columnCount(const QModelIndex& genitore = QModelIndex()) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& indice, const QVariant& valore,
                 int ruolo = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento,
                        int ruolo = Qt::DisplayRole) const override;

Q_SIGNALS:
    // A value or an inclusion changed: the counts of the preview may be others.
    void modificata();

private:
    AnteprimaImportazione& anteprima_;
};

// The rows of the table as the user chooses to see them: all, or only those still lacking a
// field a record needs. A row that gets filled in leaves the second view.
class TFiltroRigheImportazione : public QSortFilterProxyModel {
    Q_OBJECT
public:
    TFiltroRigheImportazione(const AnteprimaImportazione& anteprima, QObject* parent);
    void SoloDaCompletare(bool solo);

protected:
    bool filterAcceptsRow(int riga, const QModelIndex& genitore) const override;

private:
    const AnteprimaImportazione& anteprima_;
    bool soloDaCompletare_ = false;
};
