#include "report/Disegno.h"

#include "report/OggettiRapporto.h"

#include <QColor>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

namespace {

// Engine units to device pixels. The fonts keep their point sizes: the painter turns them into
// the device's pixels itself.
struct Scala {
    qreal x;
    qreal y;
    QRectF operator()(const QRectF& r) const {
        return QRectF(r.left() * x, r.top() * y, r.width() * x, r.height() * y);
    }
    QPointF operator()(const QPointF& p) const { return QPointF(p.x() * x, p.y() * y); }
};

void ImpostaFormato(QPagedPaintDevice& dispositivo, const QPageLayout& formato) {
    // A printer may refuse margins below its own; positions still start at the sheet's corner
    // because a printer prints the full page (see DisegnaFogli).
    if (!dispositivo.setPageLayout(formato)) {
        dispositivo.setPageSize(formato.pageSize());
        dispositivo.setPageOrientation(formato.orientation());
    }
}

// The grey a grey-scale printer would give the colour: the same lightness, the same opacity.
QColor Grigio(const QColor& colore) {
    const int livello = qGray(colore.rgb());
    return QColor(livello, livello, livello, colore.alpha());
}

void DisegnaFoglio(QPainter& pittore, const PaginaStampa& foglio, const Scala& scala, bool grigi) {
    const auto tinta = [grigi](const QColor& colore) { return grigi ? Grigio(colore) : colore; };
    const QFont* ultimoCarattere = nullptr;
    for (const ElementoStampa& e : foglio.elementi) {
        switch (e.tipo) {
        case ElementoStampa::Tipo::Riempimento:
            pittore.fillRect(scala(e.riquadro), tinta(e.colore));
            break;
        case ElementoStampa::Tipo::Linea: {
            QPen penna(tinta(e.colore), e.spessore * scala.x);
            penna.setCapStyle(Qt::SquareCap);
            pittore.setPen(penna);
            pittore.drawLine(scala(e.riquadro.topLeft()), scala(e.riquadro.bottomRight()));
            break;
        }
        case ElementoStampa::Tipo::Testo:
            if (!ultimoCarattere || *ultimoCarattere != e.carattere) {
                pittore.setFont(e.carattere);
                ultimoCarattere = &e.carattere;
            }
            pittore.setPen(tinta(e.colore));
            // Without Qt::TextDontClip the painter cuts a text at the box only when it overflows.
            pittore.drawText(scala(e.riquadro), int(e.allineamento) | Qt::TextSingleLine, e.testo);
            break;
        }
    }
}

} // namespace

void DisegnaFogli(const QList<PaginaStampa>& fogli, const QList<int>& scelti,
                  QPagedPaintDevice& dispositivo, bool grigi) {
    if (scelti.isEmpty())
        return;
    if (auto* stampante = dynamic_cast<QPrinter*>(&dispositivo))
        stampante->setFullPage(true);
    ImpostaFormato(dispositivo, fogli.at(scelti.first()).formato);
    QPainter pittore;
    if (!pittore.begin(&dispositivo))
        throw ErroreRapporto(QStringLiteral("La stampa non può cominciare: la stampante o il file "
                                            "scelto non accetta la stampa."));
    const Scala scala{dispositivo.logicalDpiX() / 96.0, dispositivo.logicalDpiY() / 96.0};
    for (qsizetype i = 0; i < scelti.size(); ++i) {
        const PaginaStampa& foglio = fogli.at(scelti.at(i));
        if (i > 0) {
            if (!(foglio.formato == fogli.at(scelti.at(i - 1)).formato))
                ImpostaFormato(dispositivo, foglio.formato);
            if (!dispositivo.newPage())
                throw ErroreRapporto(
                    QStringLiteral("La stampa si è interrotta a pagina %1.").arg(i + 1));
        }
        DisegnaFoglio(pittore, foglio, scala, grigi);
    }
    if (!pittore.end())
        throw ErroreRapporto(QStringLiteral("La stampa non è stata completata."));
}

void DisegnaFogli(const QList<PaginaStampa>& fogli, QPagedPaintDevice& dispositivo) {
    QList<int> tutti;
    for (int i = 0; i < fogli.size(); ++i)
        tutti << i;
    DisegnaFogli(fogli, tutti, dispositivo);
}
