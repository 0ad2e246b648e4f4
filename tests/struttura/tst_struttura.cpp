// The shape of the sources: every include between folders of src/ is one the table
// src/dipendenze.txt allows, the table itself has no loop, no two units (a header and its source)
// include each other by any road, and a window's generated form is included by its own source
// alone.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <functional>

namespace {

struct Inclusione {
    QString file; // relative to src/
    int riga;
    QString incluso; // as written between the quotes
};

// The folder a source belongs to: the first part of its path below src/.
QString cartellaDi(const QString& percorso) {
    return percorso.section(QLatin1Char('/'), 0, 0);
}

// The unit of a source: its path without the extension.
QString unitaDi(const QString& percorso) {
    return percorso.left(percorso.lastIndexOf(QLatin1Char('.')));
}

QList<Inclusione> inclusioniDi(const QString& radice) {
    static const QRegularExpression inclusione(QStringLiteral("^\\s*#\\s*include\\s+\"([^\"]+)\""));
    QList<Inclusione> tutte;
    QDirIterator giro(radice, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                      QDirIterator::Subdirectories);
    while (giro.hasNext()) {
        const QString percorso = giro.next();
        QFile file(percorso);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        const QString relativo = QDir(radice).relativeFilePath(percorso);
        int riga = 0;
        while (!file.atEnd()) {
            ++riga;
            const QRegularExpressionMatch trovata =
                inclusione.match(QString::fromUtf8(file.readLine()));
            if (trovata.hasMatch())
                tutte.append({relativo, riga, trovata.captured(1)});
        }
    }
    return tutte;
}

// folder -> the folders it may include; a line "folder: a b c", '#' starts a comment.
QHash<QString, QSet<QString>> tabella(const QString& percorso, QStringList& problemi) {
    QHash<QString, QSet<QString>> permessi;
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        problemi << QStringLiteral("cannot read %1").arg(percorso);
        return permessi;
    }
    while (!file.atEnd()) {
        const QString riga =
            QString::fromUtf8(file.readLine()).section(QLatin1Char('#'), 0, 0).simplified();
        if (riga.isEmpty())
            continue;
        const QString cartella = riga.section(QLatin1Char(':'), 0, 0).trimmed();
        const QStringList ammesse =
            riga.section(QLatin1Char(':'), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        permessi[cartella] = QSet<QString>(ammesse.begin(), ammesse.end());
    }
    return permessi;
}

// The loops of a graph: each strongly connected part of more than one node, as a text.
QStringList cicli(const QHash<QString, QSet<QString>>& archi) {
    QHash<QString, int> indice, minimo;
    QStringList pila;
    QSet<QString> inPila;
    QStringList trovati;
    int prossimo = 0;
    std::function<void(const QString&)> visita = [&](const QString& nodo) {
        indice[nodo] = minimo[nodo] = prossimo++;
        pila << nodo;
        inPila << nodo;
        for (const QString& altro : archi.value(nodo)) {
            if (!indice.contains(altro)) {
                visita(altro);
                minimo[nodo] = std::min(minimo[nodo], minimo[altro]);
            } else if (inPila.contains(altro)) {
                minimo[nodo] = std::min(minimo[nodo], indice[altro]);
            }
        }
        if (minimo[nodo] != indice[nodo])
            return;
        QStringList parte;
        QString preso;
        do {
            preso = pila.takeLast();
            inPila.remove(preso);
            parte << preso;
        } while (preso != nodo);
        if (parte.size() > 1) {
            parte.sort();
            trovati << parte.join(QStringLiteral(" <-> "));
        }
    };
    QStringList nodi = archi.keys();
    nodi.sort();
    for (const QString& nodo : nodi)
        if (!indice.contains(nodo))
            visita(nodo);
    return trovati;
}

} // namespace

class tst_Struttura : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void inclusioniFraCartelle();
    void nessunCicloFraUnita();
    void moduliDelleFinestre();
};

void tst_Struttura::inclusioniFraCartelle() {
    const QString radice = QStringLiteral(BLINDORO_SORGENTI);
    QStringList problemi;
    const auto permessi = tabella(radice + QStringLiteral("/dipendenze.txt"), problemi);
    for (const QString& ciclo : cicli(permessi))
        problemi << QStringLiteral("the table has a loop: %1").arg(ciclo);

    QSet<QString> cartelle;
    for (const Inclusione& i : inclusioniDi(radice)) {
        const QString da = cartellaDi(i.file);
        cartelle << da;
        if (!i.incluso.contains(QLatin1Char('/')))
            continue; // a generated form or a header beside it
        const QString a = cartellaDi(i.incluso);
        if (a != da && !permessi.value(da).contains(a))
            problemi << QStringLiteral("%1:%2 includes %3, but %4 may not include %5")
                            .arg(i.file)
                            .arg(i.riga)
                            .arg(i.incluso, da, a);
    }
    for (const QString& cartella : cartelle)
        if (!permessi.contains(cartella) && !cartella.contains(QLatin1Char('.')))
            problemi << QStringLiteral("the folder %1 is not in the table").arg(cartella);
    QVERIFY2(problemi.isEmpty(), qPrintable(problemi.join(QLatin1Char('\n'))));
}

// A unit depends on another when its header or its source includes the other's header. No unit
// may depend on itself by way of others: a dialog and the window that opens it know each other
// through an interface of a lower layer only.
void tst_Struttura::nessunCicloFraUnita() {
    const QString radice = QStringLiteral(BLINDORO_SORGENTI);
    QHash<QString, QSet<QString>> dipende;
    for (const Inclusione& i : inclusioniDi(radice)) {
        if (!i.incluso.contains(QLatin1Char('/')))
            continue;
        const QString da = unitaDi(i.file);
        const QString a = unitaDi(i.incluso);
        if (da != a)
            dipende[da] << a;
    }
    const QStringList trovati = cicli(dipende);
    QVERIFY2(trovati.isEmpty(), qPrintable(trovati.join(QLatin1Char('\n'))));
}

// A window's generated form (ui_X.h) belongs to its own source X.cpp: other windows use its
// calls, never its controls.
void tst_Struttura::moduliDelleFinestre() {
    const QString radice = QStringLiteral(BLINDORO_SORGENTI);
    QStringList problemi;
    for (const Inclusione& i : inclusioniDi(radice)) {
        if (!i.incluso.startsWith(QLatin1String("ui_")))
            continue;
        const QString proprio = i.incluso.mid(3).chopped(2) + QStringLiteral(".cpp");
        if (i.file.section(QLatin1Char('/'), -1) != proprio)
            problemi << QStringLiteral("%1:%2 includes %3").arg(i.file).arg(i.riga).arg(i.incluso);
    }
    QVERIFY2(problemi.isEmpty(), qPrintable(problemi.join(QLatin1Char('\n'))));
}

QTEST_APPLESS_MAIN(tst_Struttura)
#include "tst_struttura.moc"
