#include "ModuloFinestra.h"

#include <QFile>
#include <QList>
#include <QXmlStreamReader>

namespace {

// One <widget> of the form, as far as its place is concerned.
struct Widget {
    QString nome;
    QRect geometria;       // its "geometry" property, when it has one
    QSize minima, massima; // its size limits, for a panel placed by a layout
    bool centrato = false; // its layout item centres it
};

// The four numbers of a <rect> or the two of a <size>, read up to the element's end.
QRect leggiRettangolo(QXmlStreamReader& xml) {
    QRect r;
    while (xml.readNextStartElement()) {
        const int valore = xml.readElementText().toInt();
        if (xml.name() == QLatin1String("x"))
            r.moveLeft(valore);
        else if (xml.name() == QLatin1String("y"))
            r.moveTop(valore);
        else if (xml.name() == QLatin1String("width"))
            r.setWidth(valore);
        else if (xml.name() == QLatin1String("height"))
            r.setHeight(valore);
    }
    return r;
}

// Where the widget's origin lies in the window, from the widgets around it (the window itself,
// the first, excluded).
QPoint origine(const QList<Widget>& contenitori, QSize finestra) {
    QPoint punto;
    for (qsizetype i = 1; i < contenitori.size(); ++i) {
        const Widget& w = contenitori[i];
        if (w.geometria.isValid())
            punto += w.geometria.topLeft();
        else if (w.centrato && w.minima == w.massima && w.minima.isValid())
            // The layouts around it fill the window, so it sits in the middle of the window.
            punto = QPoint((finestra.width() - w.minima.width()) / 2,
                           (finestra.height() - w.minima.height()) / 2);
    }
    return punto;
}

} // namespace

QRect RettangoloNelModulo(const QString& fileUi, const QString& controllo, QSize finestra) {
    QFile file(fileUi);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QList<Widget> aperti;    // the <widget> elements around the reading point
    QList<QString> elementi; // every element around the reading point
    bool prossimoCentrato = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            const QString nome = xml.name().toString();
            const QString proprieta = xml.attributes().value(QLatin1String("name")).toString();
            if (nome == QLatin1String("widget")) {
                aperti.append({proprieta, {}, {}, {}, prossimoCentrato});
                prossimoCentrato = false;
            } else if (nome == QLatin1String("item")) {
                prossimoCentrato = xml.attributes()
                                       .value(QLatin1String("alignment"))
                                       .contains(QLatin1String("AlignCenter"));
            } else if (nome == QLatin1String("property") && !elementi.isEmpty() &&
                       elementi.last() == QLatin1String("widget")) {
                Widget& w = aperti.last();
                if (proprieta == QLatin1String("geometry") && xml.readNextStartElement())
                    w.geometria = leggiRettangolo(xml);
                else if (proprieta == QLatin1String("minimumSize") && xml.readNextStartElement())
                    w.minima = leggiRettangolo(xml).size();
                else if (proprieta == QLatin1String("maximumSize") && xml.readNextStartElement())
                    w.massima = leggiRettangolo(xml).size();
                else {
                    xml.skipCurrentElement();
                    break;
                }
                xml.skipCurrentElement(); // the rest of <property>
                break;
            }
            elementi.append(nome);
            break;
        }
        case QXmlStreamReader::EndElement:
            if (elementi.isEmpty())
                break;
            if (elementi.last() == QLatin1String("widget")) {
                const Widget w = aperti.takeLast();
                if (w.nome == controllo && w.geometria.isValid())
                    return w.geometria.translated(origine(aperti, finestra));
            }
            elementi.removeLast();
            break;
        default:
            break;
        }
    }
    return {};
}
