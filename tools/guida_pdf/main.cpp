// Writes the help document: a title page, then the help topics with their headings. The topic
// texts are the ones the help window shows; the start window's topic holds the archive topic whole,
// so the document gives each paragraph once: the opening, the archive topic, the export topic, and
// the start topic's closing paragraphs under a heading of their own.

#include "core/files/SostituisciFile.h"
#include "core/helptext/Produttore.h"
#include "core/helptext/TestiGuida.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>
#include <cstdio>
#include <stdexcept>

namespace {

const QColor BluScuro{0x17, 0x4F, 0x99};
const QColor Oro{0xC9, 0xA2, 0x27};
const QColor Testo{0x1A, 0x1A, 0x1A};
const QColor Grigio{0x5A, 0x5A, 0x5A};

struct Sezione {
    QString titolo;
    QStringList paragrafi;
};

QList<Sezione> sezioniDocumento() {
    return {
        {TitoloGuida(ArgomentoGuida::Avvio), ParagrafiApertura()},
        {TitoloGuida(ArgomentoGuida::Gestione), ParagrafiGestione()},
        {TitoloGuida(ArgomentoGuida::Esportazione), ParagrafiEsportazione()},
        {QStringLiteral("Accesso, rete locale e chiavetta USB."), ParagrafiChiusura()},
    };
}

QFont carattere(const char* famiglia, qreal punti, bool grassetto = false) {
    QFont font(QString::fromLatin1(famiglia));
    font.setPointSizeF(punti);
    font.setBold(grassetto);
    // Without ligatures a reader finds "fi" and "ff" when searching the document or copying text.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Lays text out top to bottom on the pages of a PDF, with a footer on every page but the first.
class Impaginatore {
public:
    explicit Impaginatore(QPdfWriter& pdf)
        : pdf_(pdf)
        , pagina_(pdf.pageLayout().paintRectPixels(pdf.resolution()))
        , mm_(pdf.resolution() / 25.4) {}

    bool inizia() { return p_.begin(&pdf_); }

    void frontespizio() {
        const qreal larghezza = pagina_.width();
        p_.fillRect(QRectF(0, 40 * mm_, larghezza, 70 * mm_), BluScuro);
        p_.fillRect(QRectF(0, 110 * mm_, larghezza, 1.5 * mm_), Oro);
        scriviIn(QRectF(0, 52 * mm_, larghezza, 30 * mm_), QStringLiteral("Blindoro"),
                 carattere("DejaVu Sans", 40, true), Qt::white, Qt::AlignCenter);
        scriviIn(QRectF(0, 82 * mm_, larghezza, 18 * mm_),
                 QStringLiteral("Guida all'utilizzo del software"), carattere("DejaVu Sans", 18),
                 QColor(0xFF, 0xE9, 0xA8), Qt::AlignCenter);
        scriviIn(QRectF(0, 130 * mm_, larghezza, 30 * mm_),
                 QStringLiteral("Custodia delle credenziali di accesso ai siti Web e agli "
                                "account di posta elettronica"),
                 carattere("DejaVu Serif", 13), Testo, Qt::AlignCenter | Qt::TextWordWrap);
        const QString produttore = QString::fromUtf8(Produttore::Nome) + QLatin1Char('\n') +
                                   QString::fromUtf8(Produttore::SitoWeb);
        scriviIn(QRectF(0, pagina_.height() - 30 * mm_, larghezza, 20 * mm_), produttore,
                 carattere("DejaVu Sans", 11), Grigio, Qt::AlignCenter);
        pdf_.newPage();
        numero_ = 2;
        y_ = 0;
    }

    void sezione(const Sezione& sezione) {
        const QFont titolo = carattere("DejaVu Sans", 16, true);
        const qreal altezza = altezzaDi(sezione.titolo, titolo, opzioni(Qt::AlignLeft));
        // A heading never stays alone at the foot of a page.
        if (y_ > 0)
            y_ += 8 * mm_;
        if (y_ + altezza + 40 * mm_ > fondo())
            nuovaPagina();
        scriviIn(QRectF(0, y_, pagina_.width(), altezza), sezione.titolo, titolo, BluScuro,
                 Qt::AlignLeft);
        y_ += altezza + 1.5 * mm_;
        p_.fillRect(QRectF(0, y_, pagina_.width(), 0.6 * mm_), Oro);
        y_ += 5 * mm_;
        for (const QString& paragrafo : sezione.paragrafi)
            this->paragrafo(paragrafo);
    }

    void finisci() {
        piePagina();
        p_.end();
    }

private:
    void paragrafo(const QString& testo) {
        const QFont font = carattere("DejaVu Serif", 11);
        const QTextOption giustificato = opzioni(Qt::AlignJustify);
        const qreal altezza = altezzaDi(testo, font, giustificato);
        if (y_ + altezza > fondo())
            nuovaPagina();
        p_.setFont(font);
        p_.setPen(Testo);
        p_.drawText(QRectF(0, y_, pagina_.width(), altezza), testo, giustificato);
        y_ += altezza + 4 * mm_;
    }

    void nuovaPagina() {
        piePagina();
        pdf_.newPage();
        ++numero_;
        y_ = 0;
    }

    void piePagina() {
        if (numero_ < 2)
            return;
        const QRectF riga(0, pagina_.height() - 8 * mm_, pagina_.width(), 8 * mm_);
        p_.fillRect(QRectF(0, riga.top(), pagina_.width(), 0.3 * mm_), Grigio);
        const QFont font = carattere("DejaVu Sans", 8);
        scriviIn(riga, QStringLiteral("Blindoro - Guida all'utilizzo del software"), font, Grigio,
                 Qt::AlignLeft | Qt::AlignBottom);
        scriviIn(riga, QStringLiteral("Pagina %1").arg(numero_), font, Grigio,
                 Qt::AlignRight | Qt::AlignBottom);
    }

    // The last line a paragraph may reach: above the footer.
    qreal fondo() const { return pagina_.height() - 14 * mm_; }

    static QTextOption opzioni(Qt::Alignment allineamento) {
        QTextOption opzioni(allineamento);
        opzioni.setWrapMode(QTextOption::WordWrap);
        return opzioni;
    }

    qreal altezzaDi(const QString& testo, const QFont& font, const QTextOption& opzioni) {
        p_.setFont(font);
        return p_.boundingRect(QRectF(0, 0, pagina_.width(), 1e6), testo, opzioni).height();
    }

    void scriviIn(const QRectF& area, const QString& testo, const QFont& font, const QColor& colore,
                  int allineamento) {
        p_.setFont(font);
        p_.setPen(colore);
        p_.drawText(area, allineamento, testo);
    }

    QPdfWriter& pdf_;
    QPainter p_;
    QRectF pagina_;
    qreal mm_;
    qreal y_ = 0;
    int numero_ = 1;
};

void scriviDocumento(QIODevice& destinazione) {
    QPdfWriter pdf(&destinazione);
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(22, 20, 22, 18), QPageLayout::Millimeter);
    pdf.setTitle(QStringLiteral("Blindoro - Guida all'utilizzo del software"));
    pdf.setCreator(QString::fromUtf8(Produttore::Nome));

    Impaginatore impaginatore(pdf);
    if (!impaginatore.inizia())
        throw std::runtime_error("impossibile preparare il documento PDF");
    impaginatore.frontespizio();
    for (const Sezione& sezione : sezioniDocumento())
        impaginatore.sezione(sezione);
    impaginatore.finisci();
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication applicazione(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: guida_pdf <Guida.pdf>\n");
        return 2;
    }
    const QString percorso = QString::fromLocal8Bit(argv[1]);
    try {
        SostituisciFile(percorso, scriviDocumento, PermessiNuovoFile::Ordinari);
    } catch (const std::exception& errore) {
        std::fprintf(stderr, "guida_pdf: %s\n", errore.what());
        return 1;
    }
    return 0;
}
