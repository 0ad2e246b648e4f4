// The expired-password summary as the user meets it, on real archive files: the records listed
// for today's date, "Trova", the keyboard, the double-click that loads a record into the record
// window, an archive that cannot be read, and the printed list.

#include "tst_output.h"

#include "editor/Blindoro.h"
#include "output/ComponenteRapporto.h"
#include "output/Segnalati.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace {

const QString ListaVuota =
    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

} // namespace

void tst_Output::scaduteElencate_data() {
    QTest::addColumn<QStringList>("titoli");   // in file order
    QTest::addColumn<QStringList>("scadenze"); // of the same records
    QTest::addColumn<QStringList>("attesi");   // the titles listed, in the list's order

    // Today is 15/03/2024.
    QTest::newRow("expired the day before, not today or later")
        << QStringList{"Uno", "Due", "Tre"} << QStringList{"16/03/2024", "15/03/2024", "14/03/2024"}
        << QStringList{"Tre"};
    QTest::newRow("an empty expiry hides nothing after it")
        << QStringList{"Uno", "Due", "Tre"} << QStringList{"01/01/2020", "", "02/02/2021"}
        << QStringList{"Tre", "Uno"};
    QTest::newRow("an expiry that is not a date is passed over")
        << QStringList{"Uno", "Due", "Tre", "Quattro"}
        << QStringList{"31/02/2024", "01/01/2020", "ieri", "1/2/2023"}
        << QStringList{"Due", "Quattro"};
    QTest::newRow("in the list's order, whatever the file order")
        << QStringList{"zeta", "Alfa", "beta", "Èrba"}
        << QStringList{"01/01/2020", "01/01/2021", "01/01/2022", "01/01/2023"}
        << QStringList{"Alfa", "beta", "zeta", "Èrba"};
    QTest::newRow("none expired") << QStringList{"Uno"} << QStringList{"31/12/2030"}
                                  << QStringList{};
}

void tst_Output::scaduteElencate() {
    QFETCH(QStringList, titoli);
    QFETCH(QStringList, scadenze);
    QFETCH(QStringList, attesi);
    piattaforma->dataOggi = QDate(2024, 3, 15);
    QList<TScheda> schede;
    for (qsizetype i = 0; i < titoli.size(); ++i)
        schede << nuovaScheda({{Campo::Titolo, titoli[i]}, {Campo::Scadenza, scadenze[i]}});
    scriviArchivio(schede);

    conScadute([&](TfrmSegnalati& finestra) {
        QCOMPARE(titoliMostrati(finestra), attesi);
        QTRY_COMPARE(QApplication::focusWidget(), figlio<QWidget>(&finestra, "txtTrova"));
        // A summary has no count line.
        for (QLabel* etichetta : finestra.findChildren<QLabel*>())
            QVERIFY(!etichetta->text().contains(QLatin1String("contiene")));
    });
}

void tst_Output::scaduteNessunaTrovaEStampa() {
    piattaforma->dataOggi = QDate(2024, 3, 15);
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Banca"}, {Campo::Scadenza, "31/12/2030"}})});

    conScadute([&](TfrmSegnalati& finestra) {
        QVERIFY(righeMostrate(finestra).isEmpty());
        piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, ListaVuota);
        figlio<QLineEdit>(&finestra, "txtTrova")->setText(QStringLiteral("banca"));
        QTest::mouseClick(figlio<QPushButton>(&finestra, "btnTrova"), Qt::LeftButton);

        // An empty list prints the title and the footer with nothing between them.
        verificaStampa(finestra, finestra.Rapporto(), QStringLiteral("Riepilogo password scadute"));
    });
}

void tst_Output::scaduteTastiera() {
    conScadute([&](TfrmSegnalati& finestra) {
        auto* txtTrova = figlio<QLineEdit>(&finestra, "txtTrova");
        QTRY_COMPARE(QApplication::focusWidget(), txtTrova);
        QTest::keyClick(txtTrova, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), figlio<QWidget>(&finestra, "btnTrova"));

        txtTrova->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), txtTrova);
        for (const char* nome : {"lstRecords", "btnStampa", "btnTrova", "btnChiudi", "txtTrova"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(nome));
        }
        for (QPushButton* pulsante : finestra.findChildren<QPushButton*>())
            QCOMPARE(pulsante->accessibleName(), pulsante->text());
    });
}

void tst_Output::scaduteArchivioIllegibile() {
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Banca"}, {Campo::Scadenza, "01/01/2020"}})});
    QVERIFY(QFile::setPermissions(percorsoArchivio(), QFile::ReadOwner));

    // No message: an empty list, and the window stays open.
    conScadute([&](TfrmSegnalati& finestra) {
        QVERIFY(righeMostrate(finestra).isEmpty());
        QVERIFY(finestra.isVisible());
    });
}

void tst_Output::scaduteDoppioClic_data() {
    QTest::addColumn<bool>("conInvio");
    QTest::newRow("double-click") << false;
    QTest::newRow("Enter on the line") << true;
}

void tst_Output::scaduteDoppioClic() {
    QFETCH(bool, conInvio);
    piattaforma->dataOggi = QDate(2024, 3, 15);
    // Records 2 and 4 give the same line; the later one is the one left in the record window.
    const Campi uguali{
        {Campo::Titolo, "Posta"}, {Campo::Utente, "mario"}, {Campo::Scadenza, "01/01/2024"}};
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Alfa"}, {Campo::Scadenza, "01/01/2024"}}),
                    nuovaScheda(uguali + Campi{{Campo::Password, "prima"}}),
                    nuovaScheda({{Campo::Titolo, "Beta"}, {Campo::Scadenza, "01/01/2030"}}),
                    nuovaScheda(uguali + Campi{{Campo::Password, "seconda"}})});

    conScadute([&](TfrmSegnalati& finestra) {
        QCOMPARE(titoliMostrati(finestra), (QStringList{"Alfa", "Posta", "Posta"}));
        if (conInvio) {
            auto* lista = figlio<QListView>(&finestra, "lstRecords");
            QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                              lista->visualRect(lista->model()->index(2, 0)).center());
            QTest::keyClick(lista, Qt::Key_Enter);
        } else {
            doppioClic(finestra, 2);
        }
        QVERIFY(!finestra.isVisible());
    });
    QCOMPARE(ui().txtPassword->text(), QStringLiteral("seconda"));
    QCOMPARE(ui().lblPosizione->text(), QStringLiteral("4"));
}

void tst_Output::scaduteStampa() {
    piattaforma->dataOggi = QDate(2024, 3, 15);
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Zeta"}, {Campo::Scadenza, "01/01/2020"}}),
                    nuovaScheda({{Campo::Titolo, "Alfa"}, {Campo::Scadenza, "01/01/2021"}})});
    conScadute([&](TfrmSegnalati& finestra) {
        QCOMPARE(righeMostrate(finestra).size(), 2);
        verificaStampa(finestra, finestra.Rapporto(), QStringLiteral("Riepilogo password scadute"));
    });
}
