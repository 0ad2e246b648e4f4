#include "gui/EtichettaAdattata.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

namespace {

// Below this the text would no longer be legible; it is then cut like any label's.
constexpr qreal PuntiMinimi = 6;

} // namespace

EtichettaAdattata::EtichettaAdattata(QWidget* parent)
    : QLabel(parent) {}

QFont EtichettaAdattata::CarattereUsato() const {
    QFont carattere = font();
    const qreal larghezza = contentsRect().width() - 2 * margin();
    qreal punti = carattere.pointSizeF();
    while (punti > PuntiMinimi && QFontMetricsF(carattere).horizontalAdvance(text()) > larghezza) {
        punti = std::max(PuntiMinimi, punti - 0.5);
        carattere.setPointSizeF(punti);
    }
    return carattere;
}

void EtichettaAdattata::paintEvent(QPaintEvent*) {
    QPainter pittore(this);
    drawFrame(&pittore);
    pittore.setFont(CarattereUsato());
    style()->drawItemText(
        &pittore, contentsRect().adjusted(margin(), margin(), -margin(), -margin()),
        int(alignment()) | Qt::TextSingleLine, palette(), isEnabled(), text(), foregroundRole());
}
