#include "core/text/Testo.h"

#include <QTest>

// The two trimming rules side by side: which characters each takes away at the ends of a text,
// and why they differ.
class tst_Text : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void regoleDiTaglio_data();
    void regoleDiTaglio();
};

void tst_Text::regoleDiTaglio_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("senzaSpazi");
    QTest::addColumn<QString>("senzaInvisibili");
    QTest::addColumn<qsizetype>("spaziIniziali");

    QTest::newRow("blanks, tab and line breaks: both cut them")
        << QStringLiteral(" \t\r\nconti\r\n ") << QStringLiteral("conti") << QStringLiteral("conti")
        << qsizetype(4);
    QTest::newRow("ASCII controls below the blank: both cut them")
        << QStringLiteral("\x01\x1f"
                          "conti\x02")
        << QStringLiteral("conti") << QStringLiteral("conti") << qsizetype(2);
    QTest::newRow("blanks inside stay")
        << QStringLiteral(" conti casa ") << QStringLiteral("conti casa")
        << QStringLiteral("conti casa") << qsizetype(1);
    // A field keeps a no-break space at its end as the user typed it; a new file's name loses it,
    // or "conti\u00A0" would be a second archive that looks like "conti".
    QTest::newRow("no-break space: a field keeps it, a file name loses it")
        << QStringLiteral("\u00A0conti\u00A0") << QStringLiteral("\u00A0conti\u00A0")
        << QStringLiteral("conti") << qsizetype(0);
    QTest::newRow("wide and ideographic spaces")
        << QStringLiteral("\u2003conti\u3000") << QStringLiteral("\u2003conti\u3000")
        << QStringLiteral("conti") << qsizetype(0);
    QTest::newRow("DEL and the C1 controls")
        << QStringLiteral("\u007Fconti\u0085\u009F") << QStringLiteral("\u007Fconti\u0085\u009F")
        << QStringLiteral("conti") << qsizetype(0);
    QTest::newRow("a blank then a no-break space at the start")
        << QStringLiteral(" \u00A0conti") << QStringLiteral("\u00A0conti")
        << QStringLiteral("conti") << qsizetype(1);
    QTest::newRow("accented letters and signs are text")
        << QStringLiteral("àconti€") << QStringLiteral("àconti€") << QStringLiteral("àconti€")
        << qsizetype(0);
    QTest::newRow("nothing but blanks")
        << QStringLiteral(" \t\u00A0 ") << QStringLiteral("\u00A0") << QString() << qsizetype(2);
    QTest::newRow("empty") << QString() << QString() << QString() << qsizetype(0);
}

void tst_Text::regoleDiTaglio() {
    QFETCH(QString, testo);
    QFETCH(QString, senzaSpazi);
    QFETCH(QString, senzaInvisibili);
    QFETCH(qsizetype, spaziIniziali);
    QCOMPARE(TogliSpazi(testo), senzaSpazi);
    QCOMPARE(TogliInvisibili(testo), senzaInvisibili);
    QCOMPARE(SpaziIniziali(testo), spaziIniziali);
}

QTEST_APPLESS_MAIN(tst_Text)
#include "tst_text.moc"
