#include "report/Impaginazione.h"

#include "core/text/Formati.h"
#include "report/Caratteri.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Far below anything visible (a thousandth of a unit); absorbs the rounding of sums of line
// heights.
constexpr qreal Tolleranza = 1e-3;
// Room between a memo's left and right edges and its text, in engine units.
constexpr qreal RientroTesto = 2.0;

// What a band or a page holds, in its own coordinates: shapes and fills first (under the text),
// then the lines of text sorted from the top.
struct Contenuto {
    QList<ElementoStampa> forme;
    QList<ElementoStampa> testi;
};

ElementoStampa Riempimento(const QRectF& riquadro, const QColor& colore) {
    ElementoStampa e;
    e.tipo = ElementoStampa::Tipo::Riempimento;
    e.riquadro = riquadro;
    e.colore = colore;
    return e;
}

ElementoStampa Linea(const QPointF& da, const QPointF& a, const QColor& colore, qreal spessore) {
    ElementoStampa e;
    e.tipo = ElementoStampa::Tipo::Linea;
    e.riquadro = QRectF(da, a);
    e.colore = colore;
    e.spessore = spessore;
    return e;
}

const QLatin1String NumeroFoglio("[PAGE]");
const QLatin1String NumeroFogli("[PAGES]");

bool ConNumeriPagina(const QString& testo) {
    return testo.contains(NumeroFoglio) || testo.contains(NumeroFogli);
}

QStringList RigheStampate(const TMemo& memo, const QDate& dataStampa, qreal larghezza) {
    const TMemo::Aspetto& aspetto = memo.aspetto();
    QStringList righe = memo.Lines();
    if (aspetto.espressioni)
        for (QString& riga : righe)
            riga.replace(QLatin1String("[DATE]"), DataInTesto(dataStampa));
    if (!aspetto.aCapo)
        return righe;
    QStringList aCapo;
    for (const QString& riga : std::as_const(righe))
        aCapo << AndaACapo(riga, aspetto.carattere, larghezza);
    return aCapo;
}

// A memo's fill and the lines of text that fit in its box; the rest is cut off.
void DisponiMemo(const TMemo& memo, const QDate& dataStampa, Contenuto& contenuto) {
    const TMemo::Aspetto& aspetto = memo.aspetto();
    const QRectF riquadro = memo.riquadro();
    if (aspetto.sfondo.isValid())
        contenuto.forme << Riempimento(riquadro, aspetto.sfondo);
    const QRectF interno = riquadro.adjusted(RientroTesto, 0, -RientroTesto, 0);
    const QStringList righe = RigheStampate(memo, dataStampa, interno.width());
    if (righe.isEmpty())
        return;

    ElementoStampa testo;
    testo.carattere = aspetto.carattere;
    testo.colore = aspetto.colore;
    testo.allineamento = aspetto.orizzontale | Qt::AlignVCenter;
    const qreal passo = PassoRiga(aspetto.carattere);
    const auto entrano =
        static_cast<qsizetype>(std::floor((interno.height() + Tolleranza) / passo));
    if (entrano == 0) {
        // A box lower than one line still shows its first line, placed as the memo says and cut
        // at the box's edges.
        testo.allineamento = aspetto.orizzontale | aspetto.verticale;
        testo.riquadro = interno;
        testo.testo = righe.first();
        testo.numeriPagina = aspetto.espressioni && ConNumeriPagina(testo.testo);
        contenuto.testi << testo;
        return;
    }
    const qsizetype quante = std::min(righe.size(), entrano);
    qreal alto = interno.top();
    if (aspetto.verticale & Qt::AlignVCenter)
        alto += (interno.height() - quante * passo) / 2;
    else if (aspetto.verticale & Qt::AlignBottom)
        alto += interno.height() - quante * passo;
    for (qsizetype i = 0; i < quante; ++i) {
        testo.riquadro = QRectF(interno.left(), alto + i * passo, interno.width(), passo);
        testo.testo = righe.at(i);
        testo.numeriPagina = aspetto.espressioni && ConNumeriPagina(testo.testo);
        contenuto.testi << testo;
    }
}

void DisponiForma(const TForma& forma, Contenuto& contenuto) {
    const TForma::Aspetto& aspetto = forma.aspetto();
    const QRectF r = forma.riquadro();
    if (aspetto.tipo == TForma::Tipo::Linea) {
        contenuto.forme << Linea(r.topLeft(), r.bottomRight(), aspetto.tratto, aspetto.spessore);
        return;
    }
    if (aspetto.sfondo.isValid())
        contenuto.forme << Riempimento(r, aspetto.sfondo);
    if (aspetto.tratto.isValid()) {
        const qreal s = aspetto.spessore;
        contenuto.forme << Linea(r.topLeft(), r.topRight(), aspetto.tratto, s)
                        << Linea(r.topRight(), r.bottomRight(), aspetto.tratto, s)
                        << Linea(r.bottomRight(), r.bottomLeft(), aspetto.tratto, s)
                        << Linea(r.bottomLeft(), r.topLeft(), aspetto.tratto, s);
    }
}

Contenuto Disponi(const OggettiRapporto& oggetti, const QDate& dataStampa) {
    Contenuto contenuto;
    for (const auto& oggetto : oggetti) {
        if (const auto* memo = dynamic_cast<const TMemo*>(oggetto.get()))
            DisponiMemo(*memo, dataStampa, contenuto);
        else if (const auto* forma = dynamic_cast<const TForma*>(oggetto.get()))
            DisponiForma(*forma, contenuto);
    }
    std::stable_sort(contenuto.testi.begin(), contenuto.testi.end(),
                     [](const ElementoStampa& a, const ElementoStampa& b) {
                         return a.riquadro.top() < b.riquadro.top();
                     });
    return contenuto;
}

// Where a band ends: at its height, or lower when its objects reach further (a band never cuts
// off its own objects).
qreal FineBanda(const TBanda& banda, const Contenuto& contenuto) {
    qreal fine = banda.Height();
    for (const QList<ElementoStampa>* elementi : {&contenuto.forme, &contenuto.testi})
        for (const ElementoStampa& e : *elementi)
            fine = std::max({fine, e.riquadro.top(), e.riquadro.bottom()});
    return fine;
}

int RangoBanda(const TBanda& banda) {
    return static_cast<int>(banda.regole().tipo);
}

// Whether anything of `contenuto` is drawn from `y` down (its own coordinates), as `colloca`
// places a last part that starts there.
bool QualcosaDa(const Contenuto& contenuto, qreal y) {
    for (const ElementoStampa& e : contenuto.forme) {
        const QRectF r = e.riquadro.normalized();
        const bool orizzontale =
            e.tipo == ElementoStampa::Tipo::Linea && std::abs(r.width()) > Tolleranza;
        if (orizzontale ? r.top() >= y - Tolleranza : r.bottom() > y + Tolleranza)
            return true;
    }
    return std::any_of(contenuto.testi.begin(), contenuto.testi.end(),
                       [y](const ElementoStampa& e) { return e.riquadro.top() >= y - Tolleranza; });
}

struct BandaFondo {
    const TBanda* banda;
    Contenuto contenuto;
    qreal altezza;
};

class Impaginatore {
public:
    Impaginatore(const TPaginaRapporto& pagina, const QDate& dataStampa)
        : pagina_(pagina)
        , data_(dataStampa)
        , area_(pagina.areaStampabile())
        , formato_(pagina.formato().carta, pagina.Orientation(), QMarginsF(),
                   QPageLayout::Millimeter) {}

    QList<PaginaStampa> esegui() {
        std::vector<const TBanda*> bande;
        std::vector<BandaFondo> fondi;
        qreal riserva = 0;
        for (const auto& banda : pagina_.bande()) {
            if (banda->regole().tipo != TBanda::Tipo::FondoPagina) {
                bande.push_back(banda.get());
                continue;
            }
            Contenuto contenuto = Disponi(banda->oggetti(), data_);
            const qreal altezza = FineBanda(*banda, contenuto);
            fondi.push_back({banda.get(), std::move(contenuto), altezza});
            riserva += altezza;
        }
        limite_ = area_.height() - riserva;
        if (limite_ <= Tolleranza)
            throw ErroreRapporto(
                QStringLiteral("Il modello di stampa non lascia spazio sopra il fondo pagina."));

        nuovoFoglio();
        const Contenuto propri = Disponi(pagina_.oggetti(), data_);
        colloca(propri, 0, std::numeric_limits<qreal>::max(), true);

        std::stable_sort(bande.begin(), bande.end(), [](const TBanda* a, const TBanda* b) {
            return RangoBanda(*a) < RangoBanda(*b);
        });
        for (const TBanda* banda : bande) {
            const int volte =
                banda->regole().tipo == TBanda::Tipo::DatiPrincipali ? banda->regole().righe : 1;
            for (int i = 0; i < volte; ++i)
                stampaBanda(*banda);
        }
        for (qsizetype foglio = 0; foglio < fogli_.size(); ++foglio) {
            qreal y = limite_;
            for (const BandaFondo& fondo : fondi) {
                if (!fondo.banda->regole().soloSenzaPiede ||
                    !conPiede_.at(static_cast<std::size_t>(foglio)))
                    colloca(fogli_[foglio], y, fondo.contenuto, 0, fondo.altezza, true);
                y += fondo.altezza;
            }
        }
        return fogli_;
    }

private:
    void nuovoFoglio() {
        fogli_.append(PaginaStampa{formato_, {}});
        conPiede_.push_back(false);
        y_ = 0;
    }

    void stampaBanda(const TBanda& banda) {
        const Contenuto contenuto = Disponi(banda.oggetti(), data_);
        const qreal fine = FineBanda(banda, contenuto);
        const bool piede = banda.regole().tipo == TBanda::Tipo::PiePagina;
        const auto metti = [&](qreal da, qreal a, bool ultima) {
            colloca(contenuto, da, a, ultima);
            if (piede)
                conPiede_.back() = true;
        };
        qreal inizio = 0;
        for (;;) {
            const qreal spazio = limite_ - y_;
            if (fine - inizio <= spazio + Tolleranza) {
                metti(inizio, fine, true);
                y_ += fine - inizio;
                return;
            }
            const bool foglioVuoto = y_ <= Tolleranza;
            if (!foglioVuoto && !banda.regole().divisibile) {
                nuovoFoglio();
                continue;
            }
            qreal taglio = taglioValido(contenuto, inizio + spazio);
            if (taglio <= inizio + Tolleranza) {
                if (!foglioVuoto) {
                    nuovoFoglio();
                    continue;
                }
                // Only a line taller than a whole sheet gets here: it is cut at the sheet's end.
                taglio = inizio + spazio;
            }
            metti(inizio, taglio, false);
            inizio = taglio;
            if (!QualcosaDa(contenuto, inizio)) {
                // The band's blank end fills this sheet and is not carried onto the next one.
                y_ = limite_;
                return;
            }
            nuovoFoglio();
        }
    }

    // The lowest place at or above `limite` that no line of text crosses.
    static qreal taglioValido(const Contenuto& contenuto, qreal limite) {
        qreal taglio = limite;
        for (bool spostato = true; spostato;) {
            spostato = false;
            for (const ElementoStampa& e : contenuto.testi) {
                if (e.riquadro.top() >= taglio - Tolleranza)
                    break;
                if (e.riquadro.bottom() > taglio + Tolleranza) {
                    taglio = e.riquadro.top();
                    spostato = true;
                }
            }
        }
        return taglio;
    }

    // Puts the part of `contenuto` from `da` to `a` (its own coordinates) at the current place of
    // the current sheet. A line of text goes with the part it starts in; fills and rules are cut.
    void colloca(const Contenuto& contenuto, qreal da, qreal a, bool ultima) {
        colloca(fogli_.last(), y_, contenuto, da, a, ultima);
    }

    // The same on `foglio`, `y` units below the top of its printable area.
    void colloca(PaginaStampa& foglio, qreal y, const Contenuto& contenuto, qreal da, qreal a,
                 bool ultima) const {
        const QPointF spostamento(area_.left(), area_.top() + y - da);
        QList<ElementoStampa>& elementi = foglio.elementi;
        for (ElementoStampa e : contenuto.forme) {
            QRectF& r = e.riquadro;
            if (e.tipo == ElementoStampa::Tipo::Linea && std::abs(r.width()) > Tolleranza) {
                // A horizontal or slanting rule goes with the part its upper end is in.
                const qreal alto = std::min(r.top(), r.bottom());
                if (alto < da - Tolleranza || (!ultima && alto >= a - Tolleranza))
                    continue;
            } else {
                // Fills and vertical rules are cut at the part's edges.
                r = r.normalized();
                r.setTop(std::max(r.top(), da));
                r.setBottom(std::min(r.bottom(), a));
                if (r.height() <= Tolleranza)
                    continue;
            }
            r.translate(spostamento);
            elementi << e;
        }
        const auto primo =
            std::lower_bound(contenuto.testi.begin(), contenuto.testi.end(), da - Tolleranza,
                             [](const ElementoStampa& e, qreal y) { return e.riquadro.top() < y; });
        for (auto it = primo; it != contenuto.testi.end(); ++it) {
            if (!ultima && it->riquadro.top() >= a - Tolleranza)
                break;
            ElementoStampa e = *it;
            e.riquadro.translate(spostamento);
            elementi << e;
        }
    }

    const TPaginaRapporto& pagina_;
    QDate data_;
    QRectF area_;
    QPageLayout formato_;
    QList<PaginaStampa> fogli_;
    std::vector<bool> conPiede_; // for each sheet: whether the footer band is on it
    qreal limite_ = 0;           // where the page footers begin, from the top of the area
    qreal y_ = 0;                // from the top of the printable area
};

} // namespace

QList<PaginaStampa> ImpaginaPagina(const TPaginaRapporto& pagina, const QDate& dataStampa) {
    return Impaginatore(pagina, dataStampa).esegui();
}

void NumeraFogli(QList<PaginaStampa>& fogli) {
    const QString totale = QString::number(fogli.size());
    for (qsizetype i = 0; i < fogli.size(); ++i) {
        const QString numero = QString::number(i + 1);
        for (ElementoStampa& e : fogli[i].elementi) {
            if (!e.numeriPagina)
                continue;
            e.testo.replace(NumeroFoglio, numero).replace(NumeroFogli, totale);
            e.numeriPagina = false;
        }
    }
}
