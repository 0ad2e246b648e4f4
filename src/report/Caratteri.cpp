#include "report/Caratteri.h"

#include <QFontDatabase>
#include <QImage>
#include <QTextLayout>
#include <QTextOption>

namespace {

struct Sostituto {
    const char* famiglia;
    const char* sostituto;
};
constexpr Sostituto Sostituti[] = {
    {"Verdana", "DejaVu Sans"},
    {"Tahoma", "DejaVu Sans"},
    {"Arial", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},
};

QString FamigliaDisponibile(const QString& famiglia) {
    if (QFontDatabase::hasFamily(famiglia))
        return famiglia;
    for (const Sostituto& s : Sostituti) {
        const QString sostituto = QString::fromLatin1(s.sostituto);
        if (famiglia.compare(QLatin1String(s.famiglia), Qt::CaseInsensitive) == 0 &&
            QFontDatabase::hasFamily(sostituto))
            return sostituto;
    }
    return famiglia;
}

// Text is measured at a hundred times the engine's resolution, where hinting no longer bends the
// widths, and the results are scaled back.
constexpr int Ingrandimento = 100;

const QImage& SuperficieMisura() {
    static const QImage superficie = [] {
        QImage immagine(1, 1, QImage::Format_Mono);
        const int puntiPerMetro = qRound(96.0 / 0.0254 * Ingrandimento);
        immagine.setDotsPerMeterX(puntiPerMetro);
        immagine.setDotsPerMeterY(puntiPerMetro);
        return immagine;
    }();
    return superficie;
}

} // namespace

QFont CarattereModello(const QString& famiglia, qreal punti, bool grassetto, bool corsivo) {
    QFont carattere(FamigliaDisponibile(famiglia));
    carattere.setPointSizeF(punti);
    carattere.setBold(grassetto);
    carattere.setItalic(corsivo);
    carattere.setKerning(false);
    return carattere;
}

qreal PassoRiga(const QFont& carattere) {
    return carattere.pointSizeF() * 96.0 / 72.0 * 1.2;
}

QStringList AndaACapo(const QString& riga, const QFont& carattere, qreal larghezza) {
    if (riga.isEmpty())
        return {riga};
    QTextLayout impaginazione(riga, carattere, const_cast<QImage*>(&SuperficieMisura()));
    QTextOption opzioni;
    opzioni.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    impaginazione.setTextOption(opzioni);
    QStringList righe;
    impaginazione.beginLayout();
    for (QTextLine linea = impaginazione.createLine(); linea.isValid();
         linea = impaginazione.createLine()) {
        linea.setLineWidth(larghezza * Ingrandimento);
        QString pezzo = riga.sliced(linea.textStart(), linea.textLength());
        while (pezzo.endsWith(QLatin1Char(' ')))
            pezzo.chop(1);
        righe << pezzo;
    }
    impaginazione.endLayout();
    return righe;
}
