#include "output/RigheImportazione.h"

#include <QBrush>
#include <QColor>

#include <array>

namespace {

struct AspettoColonnaRighe {
    const char* intestazione;
    std::optional<Campo> campo;
    int larghezza;
};

const std::array<AspettoColonnaRighe, NumeroColonneRighe>& Colonne() {
    static const std::array<AspettoColonnaRighe, NumeroColonneRighe> colonne = {{
        {"Riga", std::nullopt, 50},
        {"Stato", std::nullopt, 130},
        {"Titolo sito Web", Campo::Titolo, 190},
        {"URL", Campo::URL, 190},
        {"Nome Utente", Campo::Utente, 130},
        {"Password", Campo::Password, 130},
        {"Data creazione", Campo::Creazione, 100},
        {"Data scadenza", Campo::Scadenza, 100},
        {"Intestatario account", Campo::Intestatario, 160},
        {"Rilievi", std::nullopt, 600},
    }};
    return colonne;
}

const AspettoColonnaRighe& Aspetto(int colonna) {
    return Colonne()[static_cast<std::size_t>(colonna)];
}

bool ColonnaValida(int colonna) {
    return colonna >= 0 && colonna < NumeroColonneRighe;
}

// The rows that will not be added stand out: a duplicate in amber, a row still lacking a field
// in red; a row left out is greyed.
QVariant SfondoDelloStato(StatoRiga stato) {
    switch (stato) {
    case StatoRiga::Duplicata:
        return QBrush(QColor(0xFF, 0xF0, 0xD2));
    case StatoRiga::Incompleta:
        return QBrush(QColor(0xFC, 0xE1, 0xE1));
    case StatoRiga::DaAggiungere:
    case StatoRiga::Esclusa:
        break;
    }
    return {};
}

} // namespace

std::optional<Campo> CampoDellaColonna(ColonnaRighe colonna) {
    return Aspetto(static_cast<int>(colonna)).campo;
}

int LarghezzaColonna(ColonnaRighe colonna) {
    return Aspetto(static_cast<int>(colonna)).larghezza;
}

QString NomeStato(StatoRiga stato) {
    switch (stato) {
    case StatoRiga::DaAggiungere:
        return QStringLiteral("Da aggiungere");
    case StatoRiga::Incompleta:
        return QStringLiteral("Da completare");
    case StatoRiga::Duplicata:
        return QStringLiteral("Duplicata");
    case StatoRiga::Esclusa:
        return QStringLiteral("Esclusa");
    }
    return {};
}

TModelloRigheImportazione::TModelloRigheImportazione(AnteprimaImportazione& anteprima,
                                                     QObject* parent)
    : QAbstractTableModel(parent)
    , anteprima_(anteprima) {}

void TModelloRigheImportazione::Aggiorna() {
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, NumeroColonneRighe - 1));
}

int TModelloRigheImportazione::rowCount(const QModelIndex& genitore) const {
    return genitore.isValid() ? 0 : static_cast<int>(anteprima_.NumeroRighe());
}

int TModelloRigheImportazione::columnCount(const QModelIndex& genitore) const {
    return genitore.isValid() ? 0 : NumeroColonneRighe;
}

QVariant TModelloRigheImportazione::data(const QModelIndex& indice, int ruolo) const {
    if (!indice.isValid() || !ColonnaValida(indice.column()))
        return {};
    const qsizetype riga = indice.row();
    const auto colonna = static_cast<ColonnaRighe>(indice.column());
    const StatoRiga stato = anteprima_.Stato(riga);
    switch (ruolo) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        break;
    case Qt::CheckStateRole:
        if (colonna == ColonnaRighe::Stato)
            return stato == StatoRiga::DaAggiungere ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ToolTipRole:
        if (colonna == ColonnaRighe::Rilievi || colonna == ColonnaRighe::Stato)
            return anteprima_.Descrizioni(riga).join(QLatin1Char('\n'));
        return {};
    case Qt::BackgroundRole:
        return SfondoDelloStato(stato);
    case Qt::ForegroundRole:
        if (stato == StatoRiga::Esclusa)
            return QBrush(QColor(0x8A, 0x94, 0xA0));
        return {};
    default:
        return {};
    }
    if (const std::optional<Campo> campo = CampoDellaColonna(colonna))
        return anteprima_.Valore(riga, *campo);
    switch (colonna) {
    case ColonnaRighe::Linea:
        return QString::number(anteprima_.Linea(riga));
    case ColonnaRighe::Stato:
        return NomeStato(stato);
    default:
        return anteprima_.Descrizioni(riga).join(QLatin1Char(' '));
    }
}

bool TModelloRigheImportazione::setData(const QModelIndex& indice, const QVariant& valore,
                                        int ruolo) {
    if (!indice.isValid() || !ColonnaValida(indice.column()))
        return false;
    const qsizetype riga = indice.row();
    const auto colonna = static_cast<ColonnaRighe>(indice.column());
    if (ruolo == Qt::CheckStateRole && (flags(indice) & Qt::ItemIsUserCheckable)) {
        anteprima_.ImpostaInclusa(riga, valore.value<Qt::CheckState>() == Qt::Checked);
    } else if (ruolo == Qt::EditRole && (flags(indice) & Qt::ItemIsEditable)) {
        const Campo campo = *CampoDellaColonna(colonna);
        const QString testo = valore.toString();
        if (testo == anteprima_.Valore(riga, campo))
            return true;
        anteprima_.ImpostaValore(riga, campo, testo);
    } else {
        return false;
    }
    Aggiorna();
    Q_EMIT modificata();
    return true;
}

Qt::ItemFlags TModelloRigheImportazione::flags(const QModelIndex& indice) const {
    if (!indice.isValid() || !ColonnaValida(indice.column()))
        return Qt::NoItemFlags;
    const Qt::ItemFlags sempre = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const auto colonna = static_cast<ColonnaRighe>(indice.column());
    if (CampoDellaColonna(colonna))
        return sempre | Qt::ItemIsEditable;
    // A row that still lacks a field cannot be added, so it has nothing to tick.
    if (colonna == ColonnaRighe::Stato && anteprima_.Stato(indice.row()) != StatoRiga::Incompleta)
        return sempre | Qt::ItemIsUserCheckable;
    return sempre;
}

QVariant TModelloRigheImportazione::headerData(int sezione, Qt::Orientation orientamento,
                                               int ruolo) const {
    if (orientamento != Qt::Horizontal || ruolo != Qt::DisplayRole || !ColonnaValida(sezione))
        return {};
    return QString::fromUtf8(Aspetto(sezione).intestazione);
}

TFiltroRigheImportazione::TFiltroRigheImportazione(const AnteprimaImportazione& anteprima,
                                                   QObject* parent)
    : QSortFilterProxyModel(parent)
    , anteprima_(anteprima) {}

void TFiltroRigheImportazione::SoloDaCompletare(bool solo) {
    if (solo == soloDaCompletare_)
        return;
    soloDaCompletare_ = solo;
    invalidateRowsFilter();
}

bool TFiltroRigheImportazione::filterAcceptsRow(int riga, const QModelIndex&) const {
    return !soloDaCompletare_ || anteprima_.Stato(riga) == StatoRiga::Incompleta;
}
