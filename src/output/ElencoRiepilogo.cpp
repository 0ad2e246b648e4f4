#include "output/ElencoRiepilogo.h"

#include "core/summary/Ricerca.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"
#include "gui/Registro.h"
#include "output/ComponenteRapporto.h"

#include <QAbstractListModel>
#include <QColor>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>

#include <algorithm>

// The lines of the list, each with the look of a list item of its own: Courier New 12, opaque
// black, whatever the view's style says. Every item has the same size, wide enough for the longest
// line a record can give, so the view lays out ten thousands of them without measuring each.
class ModelloRighe : public QAbstractListModel {
public:
    explicit ModelloRighe(QObject* parent)
        : QAbstractListModel(parent)
        , carattere_(QStringLiteral("Courier New"), 12) {
        carattere_.setStyleHint(QFont::TypeWriter);
        const QFontMetrics misure(carattere_);
        // 153 characters: the 143 of the fixed pieces and a full expiry date.
        const int larghezza = std::max(1600, misure.horizontalAdvance(QString(153, u'W')) + 16);
        dimensione_ = QSize(larghezza, misure.height() + 4);
    }

    void Imposta(const QStringList& righe) {
        beginResetModel();
        righe_ = righe;
        endResetModel();
    }
    const QStringList& Righe() const { return righe_; }

    int rowCount(const QModelIndex& genitore) const override {
        return genitore.isValid() ? 0 : static_cast<int>(righe_.size());
    }

    QVariant data(const QModelIndex& indice, int ruolo) const override {
        if (!indice.isValid() || indice.row() >= righe_.size())
            return {};
        switch (ruolo) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return righe_.at(indice.row());
        case Qt::FontRole:
            return carattere_;
        case Qt::ForegroundRole:
            return QColor(Qt::black);
        case Qt::SizeHintRole:
            return dimensione_;
        default:
            return {};
        }
    }

private:
    QStringList righe_;
    QFont carattere_;
    QSize dimensione_;
};

ElencoRiepilogo::ElencoRiepilogo(QWidget* finestra, QListView* lista, QLineEdit* chiave,
                                 QString& ultimaChiave)
    : QObject(finestra)
    , finestra_(finestra)
    , lista_(lista)
    , chiave_(chiave)
    , ultimaChiave_(ultimaChiave)
    , modello_(new ModelloRighe(this)) {
    lista_->setModel(modello_);
    lista_->setUniformItemSizes(true);
    lista_->setSelectionMode(QAbstractItemView::SingleSelection);
    lista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    lista_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lista_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    areaLista_ = lista_->viewport();
    areaLista_->installEventFilter(this);
    lista_->installEventFilter(this);
}

ElencoRiepilogo::~ElencoRiepilogo() = default;

void ElencoRiepilogo::Mostra(const QStringList& righe) {
    modello_->Imposta(righe);
    // No line under the keyboard focus until one is chosen: the list would otherwise put its
    // first line under the focus, unselected, when the keyboard reaches it, and Enter would load
    // nothing while a screen reader tells that line. The arrows then choose, from the first.
    lista_->setCurrentIndex(QModelIndex());
}

void ElencoRiepilogo::Svuota() {
    modello_->Imposta({});
}

const QStringList& ElencoRiepilogo::Righe() const {
    return modello_->Righe();
}

std::optional<qsizetype> ElencoRiepilogo::RigaSelezionata() const {
    const QModelIndexList selezionate = lista_->selectionModel()->selectedIndexes();
    if (selezionate.isEmpty())
        return std::nullopt;
    return selezionate.first().row();
}

void ElencoRiepilogo::Seleziona(qsizetype riga) {
    const QModelIndex indice = modello_->index(static_cast<int>(riga));
    lista_->selectionModel()->setCurrentIndex(indice, QItemSelectionModel::ClearAndSelect);
    lista_->scrollTo(indice);
}

void ElencoRiepilogo::CercaChiave() {
    const QStringList& righe = Righe();
    if (righe.isEmpty()) {
        mostraMessaggio(finestra_, MessaggiElenco::ListaVuota);
        return;
    }
    const EsitoTrova esito = Trova(righe, RigaSelezionata(), chiave_->text(), ultimaChiave_);
    if (esito.riga)
        Seleziona(*esito.riga);
    ultimaChiave_ = esito.ultimaChiave;
}

ElencoRiepilogo::EsitoScelta
ElencoRiepilogo::CaricaScelta(const QString& percorso, const MostraSchedaTrovata& mostra) const {
    const std::optional<qsizetype> riga = RigaSelezionata();
    if (!riga)
        return EsitoScelta::NessunaRiga;
    try {
        CaricaSchedeDellaRiga(percorso, Righe().at(*riga), mostra);
    } catch (const std::exception& errore) {
        // What was handed over stays where it went.
        qCWarning(RegistroArchivio) << "reading the records of the chosen line:" << errore.what();
        return EsitoScelta::ArchivioIlleggibile;
    }
    return EsitoScelta::Letta;
}

void ElencoRiepilogo::AlDoppioClic(std::function<void()> azione) {
    doppioClic_ = std::move(azione);
}

bool ElencoRiepilogo::eventFilter(QObject* oggetto, QEvent* evento) {
    return EseguiFiltro([&]() -> bool {
        bool scelta = false;
        // Pointers compared only: the filter also sees the events of a list being destroyed.
        if (oggetto == areaLista_ && evento->type() == QEvent::MouseButtonDblClick)
            scelta = static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton;
        else if (oggetto == lista_ && evento->type() == QEvent::KeyPress) {
            const int tasto = static_cast<QKeyEvent*>(evento)->key();
            scelta = tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
        }
        if (!scelta || !doppioClic_)
            return false;
        doppioClic_();
        return true;
    });
}

void CompilaElenco(TRapporto& frxReport, const QString& titolo, const QStringList& righe) {
    frxReport.FindObject<TMemo>(QStringLiteral("txtTitolo"))->setText(titolo);
    TMemo* riepilogo = frxReport.FindObject<TMemo>(QStringLiteral("txtRiepilogo"));
    riepilogo->Lines().clear();
    riepilogo->Lines().append(righe);
    TBanda* dati = frxReport.FindObject<TBanda>(QStringLiteral("MasterData"));
    // Each line as tall as the engine sets it, so the 10 units between the last line and the
    // footer stay 10 however long the list.
    riepilogo->setHeight(static_cast<qreal>(riepilogo->Lines().size()) * riepilogo->passoRiga());
    dati->setHeight(riepilogo->Height() + 10);
}

void StampaElenco(ComponenteRapporto& frxReport, const QString& titolo, const QStringList& righe) {
    CompilaElenco(frxReport, titolo, righe);
    frxReport.PrepareReport(true);
    frxReport.Print();
}

const QString& StileElenco() {
    static const QString stile = QStringLiteral(R"(
QLabel[class="istruzione"] { color: #0E3C78; font: bold 10pt "Verdana"; background: transparent; }
QLabel[class="didascalia"] { color: #0E3C78; font: bold 9pt "Verdana"; background: transparent; }
#lblAttendere { color: #174F99; font: bold italic 10pt "Verdana"; background: transparent; }
#lblTrovate, #lblAppunti { color: #008B8B; font: bold 10pt "Verdana"; background: transparent; }
#lblRigo03 { color: #DC143C; font: bold 10pt "Verdana"; background: transparent; }
QLineEdit { background: white; border: 1px solid #9DB7D8; border-radius: 4px; padding: 1px 6px;
  font: bold 12pt "Verdana"; color: #1B3A5C; selection-background-color: #4682B4; }
QLineEdit:focus { border: 1px solid #2E6496; }
QListView#lstRecords { background: white; border: 1px solid #9DB7D8; border-radius: 6px;
  outline: none; }
QListView#lstRecords:focus { border: 2px solid #F2C230; }
QListView#lstRecords::item:hover { background: #E6F0FA; }
QListView#lstRecords::item:selected { background: #BFD6EE; color: black; }
QPushButton { font: bold 10pt "Verdana"; color: white; border: 1px solid #0E3C78;
  border-radius: 18px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5B93C9, stop:1 #2E6496); }
QPushButton:hover {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #73A6D6, stop:1 #3A75AB); }
QPushButton:pressed { background: #23507A; }
QPushButton[class="secondario"] { color: #2E6496; border: 1px solid #8FB0D3;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white, stop:1 #E4EDF7); }
QPushButton[class="secondario"]:hover {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white, stop:1 #D3E2F2); }
QPushButton[class="secondario"]:pressed { background: #C6D8EC; }
QPushButton:focus { border: 2px solid #F2C230; }
)");
    return stile;
}
