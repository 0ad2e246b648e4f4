#include "gui/Sfondo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

SfondoSfumato::SfondoSfumato(QWidget* parent)
    : QWidget(parent) {}

void SfondoSfumato::setColoreInizio(const QColor& colore) {
    inizio_ = colore;
    update();
}

void SfondoSfumato::setColoreFine(const QColor& colore) {
    fine_ = colore;
    update();
}

void SfondoSfumato::setOrizzontale(bool orizzontale) {
    orizzontale_ = orizzontale;
    update();
}

void SfondoSfumato::setRaggio(int raggio) {
    raggio_ = raggio;
    update();
}

void SfondoSfumato::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF area = rect();
    QLinearGradient sfumatura(area.topLeft(), orizzontale_ ? area.topRight() : area.bottomLeft());
    sfumatura.setColorAt(0.0, inizio_);
    sfumatura.setColorAt(1.0, fine_);
    if (raggio_ <= 0) {
        p.fillRect(area, sfumatura);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath forma;
    forma.addRoundedRect(area, raggio_, raggio_);
    p.fillPath(forma, sfumatura);
}
