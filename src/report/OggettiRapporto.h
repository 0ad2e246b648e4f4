#pragma once

#include <QColor>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>
#include <vector>

// What a report template is made of: report pages carrying bands and views (memos and shapes),
// each with a name unique in the template. Geometry is in engine units, 1/96 inch.

inline constexpr double UnitaPerMm = 96.0 / 25.4;

// A failure of the engine: a template that cannot be read, an object that is not there, a print
// that could not be written. The text is for the user.
class ErroreRapporto : public std::runtime_error {
public:
    explicit ErroreRapporto(const QString& testo)
        : std::runtime_error(testo.toStdString()) {}
};

class TOggettoRapporto {
public:
    virtual ~TOggettoRapporto() = default;
    TOggettoRapporto(const TOggettoRapporto&) = delete;
    TOggettoRapporto& operator=(const TOggettoRapporto&) = delete;

    const QString& Name() const { return nome_; }
    // Position and size inside the band or page that holds the object.
    QRectF riquadro() const { return riquadro_; }
    qreal Height() const { return riquadro_.height(); }
    void setHeight(qreal altezza) { riquadro_.setHeight(altezza); }

protected:
    TOggettoRapporto(const QString& nome, const QRectF& riquadro)
        : nome_(nome)
        , riquadro_(riquadro) {}

private:
    QString nome_;
    QRectF riquadro_;
};

// A box of text: a list of lines, printed literally unless the memo allows expressions (then
// "[DATE]" becomes the date of printing, "[PAGE]" the number of the sheet and "[PAGES]" the number
// of sheets of the report).
class TMemo : public TOggettoRapporto {
public:
    struct Aspetto {
        QFont carattere;
        QColor colore = Qt::black;
        QColor sfondo; // invalid: no fill
        Qt::Alignment orizzontale = Qt::AlignLeft;
        Qt::Alignment verticale = Qt::AlignTop;
        bool aCapo = false; // word wrap at the box's width
        bool espressioni = false;
    };

    TMemo(const QString& nome, const QRectF& riquadro, const Aspetto& aspetto);

    // The lines joined by line feeds.
    QString Text() const;
    // Replaces every line; "\r\n", "\n" and "\r" each end a line, and a break at the very end
    // opens no further line.
    void setText(const QString& testo);
    QStringList& Lines() { return righe_; }
    const QStringList& Lines() const { return righe_; }

    const Aspetto& aspetto() const { return aspetto_; }
    // How far apart the layout sets the memo's lines, in engine units: a memo `n` lines tall is
    // n times this.
    qreal passoRiga() const;

private:
    Aspetto aspetto_;
    QStringList righe_;
};

// A decorative shape: a filled box (optionally framed) or a straight rule from the box's top-left
// to its bottom-right corner (a horizontal rule has height 0, a vertical one width 0).
class TForma : public TOggettoRapporto {
public:
    enum class Tipo { Riquadro, Linea };
    struct Aspetto {
        Tipo tipo = Tipo::Riquadro;
        QColor sfondo;        // fill of a box; invalid: none
        QColor tratto;        // frame of a box, or the rule's colour; invalid: none
        qreal spessore = 1.0; // in engine units
    };

    TForma(const QString& nome, const QRectF& riquadro, const Aspetto& aspetto)
        : TOggettoRapporto(nome, riquadro)
        , aspetto_(aspetto) {}

    const Aspetto& aspetto() const { return aspetto_; }

private:
    Aspetto aspetto_;
};

using OggettiRapporto = std::vector<std::unique_ptr<TOggettoRapporto>>;

// A horizontal strip as wide as the printable area. Its objects are placed from its top-left.
class TBanda : public TOggettoRapporto {
public:
    // In the order they print: the title once at the top, the data, the footer once after them;
    // the page footer at the bottom of every sheet, its room kept free on each.
    enum class Tipo { Titolo, DatiPrincipali, PiePagina, FondoPagina };
    struct Regole {
        Tipo tipo = Tipo::DatiPrincipali;
        bool divisibile = false;     // continues on the next page when taller than the room left
        int righe = 1;               // how many times a master-data band prints
        bool soloSenzaPiede = false; // a page footer left off the sheet that carries the footer
    };

    TBanda(const QString& nome, qreal altezza, const Regole& regole, OggettiRapporto oggetti)
        : TOggettoRapporto(nome, QRectF(0, 0, 0, altezza))
        , regole_(regole)
        , oggetti_(std::move(oggetti)) {}

    const Regole& regole() const { return regole_; }
    const OggettiRapporto& oggetti() const { return oggetti_; }

private:
    Regole regole_;
    OggettiRapporto oggetti_;
};

class TPaginaRapporto {
public:
    // The data page (index 0 of a template) carries nothing that prints.
    struct Formato {
        QPageSize carta = QPageSize(QPageSize::A4);
        QPageLayout::Orientation orientamento = QPageLayout::Portrait;
        QMarginsF marginiMm;
    };

    TPaginaRapporto(const QString& nome, bool paginaDati, const Formato& formato,
                    std::vector<std::unique_ptr<TBanda>> bande, OggettiRapporto oggetti);

    const QString& Name() const { return nome_; }
    bool paginaDati() const { return paginaDati_; }

    QPageLayout::Orientation Orientation() const { return formato_.orientamento; }
    // Turning the page swaps the paper's width and height.
    void setOrientation(QPageLayout::Orientation orientamento) {
        formato_.orientamento = orientamento;
    }
    // The paper as it lies in the current orientation, in millimetres.
    qreal larghezzaCartaMm() const;
    qreal altezzaCartaMm() const;
    const Formato& formato() const { return formato_; }
    // The area inside the margins, in engine units from the sheet's top-left corner.
    QRectF areaStampabile() const;

    const std::vector<std::unique_ptr<TBanda>>& bande() const { return bande_; }
    // Objects placed on the page itself, outside any band: printed once, on its first sheet.
    const OggettiRapporto& oggetti() const { return oggetti_; }

private:
    QString nome_;
    bool paginaDati_;
    Formato formato_;
    std::vector<std::unique_ptr<TBanda>> bande_;
    OggettiRapporto oggetti_;
};
