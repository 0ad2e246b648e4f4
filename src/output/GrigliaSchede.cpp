#include "output/GrigliaSchede.h"

#include "core/storage/FileArchivio.h"

#include <QHeaderView>

namespace {

bool ColonnaValida(int colonna) {
    return colonna >= 0 && colonna < NumeroColonneGriglia;
}

} // namespace

TModelloSchede::TModelloSchede(QObject* parent)
    : QAbstractTableModel(parent)
    , righe_(RigheVuoteGriglia) {}

void TModelloSchede::CaricaArchivio(const QString& percorso) {
    FileArchivio archivio = ApriFileArchivio(percorso);
    const qint64 totale = archivio.NumeroSchede();
    if (totale == 0) {
        archivio.Chiudi();
        return;
    }
    beginResetModel();
    try {
        righe_.assign(static_cast<std::size_t>(totale), CelleEsportate{});
        numerate_ = 0;
        TScheda scheda;
        while (numerate_ < totale) {
            archivio.Leggi(scheda);
            righe_[static_cast<std::size_t>(numerate_)] = CelleDellaScheda(scheda);
            ++numerate_;
        }
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
    archivio.Chiudi();
}

int TModelloSchede::rowCount(const QModelIndex& genitore) const {
    return genitore.isValid() ? 0 : static_cast<int>(righe_.size());
}

int TModelloSchede::columnCount(const QModelIndex& genitore) const {
    return genitore.isValid() ? 0 : NumeroColonneGriglia;
}

QVariant TModelloSchede::data(const QModelIndex& indice, int ruolo) const {
    if (!indice.isValid() || (ruolo != Qt::DisplayRole && ruolo != Qt::EditRole))
        return QVariant();
    const int riga = indice.row();
    if (indice.column() == colNum)
        return riga < numerate_ ? QString::number(riga + 1) : QString();
    return righe_[static_cast<std::size_t>(riga)][static_cast<std::size_t>(indice.column() - 1)];
}

bool TModelloSchede::setData(const QModelIndex& indice, const QVariant& valore, int ruolo) {
    if (!indice.isValid() || ruolo != Qt::EditRole || !(flags(indice) & Qt::ItemIsEditable))
        return false;
    QString& cella = righe_[static_cast<std::size_t>(indice.row())]
                           [static_cast<std::size_t>(indice.column() - 1)];
    const QString testo = valore.toString();
    if (cella != testo) {
        cella = testo;
        Q_EMIT dataChanged(indice, indice, {Qt::DisplayRole, Qt::EditRole});
    }
    return true;
}

Qt::ItemFlags TModelloSchede::flags(const QModelIndex& indice) const {
    if (!indice.isValid() || !ColonnaValida(indice.column()))
        return Qt::NoItemFlags;
    const Qt::ItemFlags sempre = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return AspettoColonne[static_cast<std::size_t>(indice.column())].solaLettura
               ? sempre
               : sempre | Qt::ItemIsEditable;
}

QVariant TModelloSchede::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const {
    if (orientamento != Qt::Horizontal || ruolo != Qt::DisplayRole || !ColonnaValida(sezione))
        return QVariant();
    if (sezione == colNum)
        return QStringLiteral("N.");
    return QString::fromLatin1(
        ColonneEsportate[static_cast<std::size_t>(sezione - 1)].intestazione);
}

qsizetype TModelloSchede::NumeroRighe() const {
    return static_cast<qsizetype>(righe_.size());
}

CelleEsportate TModelloSchede::Celle(qsizetype riga) const {
    return righe_[static_cast<std::size_t>(riga)];
}

TGriglia::TGriglia(QWidget* parent)
    : QTableView(parent) {
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The number is a column of its own, as in the file's row order.
    verticalHeader()->hide();
    // Every row is as high as the others, so the view places a row without measuring any.
    verticalHeader()->setMinimumSectionSize(AltezzaRigaGriglia);
    verticalHeader()->setDefaultSectionSize(AltezzaRigaGriglia);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
}

void TGrigliaSchede::setModel(QAbstractItemModel* modello) {
    QTableView::setModel(modello);
    for (int colonna = 0; colonna < NumeroColonneGriglia; ++colonna)
        setColumnWidth(colonna, AspettoColonne[static_cast<std::size_t>(colonna)].larghezza);
}

void TGriglia::ConfermaModifica() {
    QWidget* editore = indexWidget(currentIndex());
    if (!editore)
        return;
    commitData(editore);
    closeEditor(editore, QAbstractItemDelegate::NoHint);
}
