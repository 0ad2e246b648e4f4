#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QString>

// The prepared report: for each sheet, what to draw where. It is all the painter reads, so what a
// test finds here is what reaches the paper.

struct ElementoStampa {
    enum class Tipo : quint8 { Riempimento, Linea, Testo };

    Tipo tipo = Tipo::Testo;
    // In engine units from the sheet's top-left corner. A rule runs from topLeft() to
    // bottomRight(); a text is one line, aligned inside the box and cut at its edges.
    QRectF riquadro;
    QColor colore; // fill, rule or text colour
    QString testo;
    QFont carattere;
    Qt::Alignment allineamento;
    qreal spessore = 0; // rule width in engine units
    // The text still holds "[PAGE]" or "[PAGES]", filled in once the sheets are counted.
    bool numeriPagina = false;
};

struct PaginaStampa {
    QPageLayout formato; // paper and orientation; no margins, positions start at the corner
    QList<ElementoStampa> elementi;

    // The texts on the sheet, top to bottom in the order they were laid out.
    QStringList testi() const {
        QStringList tutti;
        for (const ElementoStampa& elemento : elementi)
            if (elemento.tipo == ElementoStampa::Tipo::Testo)
                tutti << elemento.testo;
        return tutti;
    }
};
