#include "gui/Immagini.h"

#include <QHash>
#include <QPainter>

QIcon IconaSvg(const QString& risorsa) {
    static QHash<QString, QIcon> icone;
    auto trovata = icone.constFind(risorsa);
    if (trovata == icone.cend())
        trovata = icone.insert(risorsa, QIcon(risorsa));
    return *trovata;
}

ImmagineSvg::ImmagineSvg(QWidget* parent)
    : QWidget(parent) {}

void ImmagineSvg::setImmagine(const QString& risorsa) {
    risorsa_ = risorsa;
    update();
}

void ImmagineSvg::paintEvent(QPaintEvent*) {
    if (risorsa_.isEmpty())
        return;
    QPainter pittore(this);
    IconaSvg(risorsa_).paint(&pittore, rect());
}
