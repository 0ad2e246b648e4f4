#include "report/OggettiRapporto.h"

#include "report/Caratteri.h"

TMemo::TMemo(const QString& nome, const QRectF& riquadro, const Aspetto& aspetto)
    : TOggettoRapporto(nome, riquadro)
    , aspetto_(aspetto) {}

qreal TMemo::passoRiga() const {
    return PassoRiga(aspetto_.carattere);
}

QString TMemo::Text() const {
    return righe_.join(QLatin1Char('\n'));
}

void TMemo::setText(const QString& testo) {
    righe_.clear();
    qsizetype inizio = 0;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        righe_ << testo.sliced(inizio, i - inizio);
        if (c == u'\r' && i + 1 < testo.size() && testo.at(i + 1) == u'\n')
            ++i;
        inizio = i + 1;
    }
    if (inizio < testo.size())
        righe_ << testo.sliced(inizio);
}

TPaginaRapporto::TPaginaRapporto(const QString& nome, bool paginaDati, const Formato& formato,
                                 std::vector<std::unique_ptr<TBanda>> bande,
                                 OggettiRapporto oggetti)
    : nome_(nome)
    , paginaDati_(paginaDati)
    , formato_(formato)
    , bande_(std::move(bande))
    , oggetti_(std::move(oggetti)) {}

qreal TPaginaRapporto::larghezzaCartaMm() const {
    const QSizeF verticale = formato_.carta.size(QPageSize::Millimeter);
    return formato_.orientamento == QPageLayout::Portrait ? verticale.width() : verticale.height();
}

qreal TPaginaRapporto::altezzaCartaMm() const {
    const QSizeF verticale = formato_.carta.size(QPageSize::Millimeter);
    return formato_.orientamento == QPageLayout::Portrait ? verticale.height() : verticale.width();
}

QRectF TPaginaRapporto::areaStampabile() const {
    const QMarginsF& m = formato_.marginiMm;
    return QRectF(m.left() * UnitaPerMm, m.top() * UnitaPerMm,
                  (larghezzaCartaMm() - m.left() - m.right()) * UnitaPerMm,
                  (altezzaCartaMm() - m.top() - m.bottom()) * UnitaPerMm);
}
