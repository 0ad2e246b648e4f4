// The copy of a listed record's password and user name to the clipboard, from the search window
// and the expired summary: the record chosen as the double-click chooses it, the window left
// open and the record window as it was, and what the window's line tells.

#include "tst_output.h"

#include "editor/Blindoro.h"
#include "gui/Appunti.h"
#include "output/Segnalati.h"
#include "output/TrovaPassword.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>

namespace {

const QString TestoDellUtente = QStringLiteral("testo dell'utente");

QString appunti() {
    return QGuiApplication::clipboard()->text();
}

QString avviso(QDialog& finestra) {
    return figlio<QLabel>(&finestra, "lblAppunti")->text();
}

QListView* lista(QDialog& finestra) {
    return figlio<QListView>(&finestra, "lstRecords");
}

QPoint puntoDellaRiga(QDialog& finestra, int riga) {
    return lista(finestra)->visualRect(lista(finestra)->model()->index(riga, 0)).center();
}

// The copy as the user asks for it: by its keys on the selected line, or from the context menu
// of a line, which a right click selects.
void copia(QDialog& finestra, int riga, bool dalMenu, Appunti::Dato dato) {
    const bool password = dato == Appunti::Dato::Password;
    if (!dalMenu) {
        if (riga >= 0)
            QTest::mouseClick(lista(finestra)->viewport(), Qt::LeftButton, {},
                              puntoDellaRiga(finestra, riga));
        lista(finestra)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(lista(finestra), password ? Qt::Key_P : Qt::Key_U,
                        Qt::ControlModifier | Qt::AltModifier);
        return;
    }
    const QPoint punto = riga >= 0 ? puntoDellaRiga(finestra, riga)
                                   : QPoint(10, lista(finestra)->viewport()->height() - 4);
    QTest::mousePress(lista(finestra)->viewport(), Qt::RightButton, {}, punto);
    QTest::mouseRelease(lista(finestra)->viewport(), Qt::RightButton, {}, punto);
    const bool visto = conMenuContestuale(lista(finestra), punto, [&](QMenu* menu) {
        QStringList voci;
        for (QAction* voce : menu->actions())
            voci << voce->text();
        QCOMPARE(voci, (QStringList{"Copia la password", "Copia il nome utente"}));
        scegliVoce(menu, password ? QStringLiteral("Copia la password")
                                  : QStringLiteral("Copia il nome utente"));
    });
    QVERIFY(visto);
}

} // namespace

void tst_Output::elencoCopiaLaSchedaDellaRiga_data() {
    QTest::addColumn<bool>("ricerca"); // else the expired summary
    QTest::addColumn<bool>("dalMenu"); // else by its keys
    QTest::addColumn<Appunti::Dato>("dato");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<QString>("detto");
    const QString password =
        QStringLiteral("Password copiata negli appunti: verrà cancellata tra 10 secondi.");
    const QString utente =
        QStringLiteral("Nome utente copiato negli appunti: verrà cancellato tra 10 secondi.");
    const QString utenteDopo = QStringLiteral("mario.rossi.di.casa.esempio.2");
    QTest::newRow("search, password by its keys")
        << true << false << Appunti::Dato::Password << "seconda" << password;
    QTest::newRow("search, user name from the menu")
        << true << true << Appunti::Dato::NomeUtente << utenteDopo << utente;
    QTest::newRow("summary, password from the menu")
        << false << true << Appunti::Dato::Password << "seconda" << password;
    QTest::newRow("summary, user name by its keys")
        << false << false << Appunti::Dato::NomeUtente << utenteDopo << utente;
}

// Records 2 and 4 give the same line (their user names differ after the 28 characters the line
// shows): the later one in the file is the one copied, as it is the one a double-click leaves in
// the record window.
void tst_Output::elencoCopiaLaSchedaDellaRiga() {
    QFETCH(bool, ricerca);
    QFETCH(bool, dalMenu);
    QFETCH(Appunti::Dato, dato);
    QFETCH(QString, atteso);
    QFETCH(QString, detto);
    piattaforma->dataOggi = QDate(2024, 3, 15);
    const Campi uguali{{Campo::Titolo, "Posta"}, {Campo::Scadenza, "01/01/2024"}};
    scriviArchivio(
        {nuovaScheda({{Campo::Titolo, "Alfa"}, {Campo::Scadenza, "01/01/2024"}}),
         nuovaScheda(uguali + Campi{{Campo::Password, "prima"},
                                    {Campo::Utente, " mario.rossi.di.casa.esempio.1"}}),
         nuovaScheda({{Campo::Titolo, "Beta"}, {Campo::Scadenza, "01/01/2024"}}),
         nuovaScheda(uguali + Campi{{Campo::Password, "seconda"},
                                    {Campo::Utente, " mario.rossi.di.casa.esempio.2 "}})});
    QGuiApplication::clipboard()->setText(TestoDellUtente);

    const auto prova = [&](QDialog& finestra) {
        QCOMPARE(titoliMostrati(finestra), (QStringList{"Alfa", "Beta", "Posta", "Posta"}));
        QCOMPARE(avviso(finestra), QString());
        copia(finestra, 2, dalMenu, dato);
        QCOMPARE(appunti(), atteso);
        QCOMPARE(avviso(finestra), detto);
        QVERIFY(finestra.isVisible());
        QCOMPARE(ui().lblPosizione->text(), QString());
        QCOMPARE(ui().txtPassword->text(), QString());
        QCOMPARE(ui().panInfo->text(), detto);

        Appunti::programma().cancella();
        QCOMPARE(appunti(), QString());
        QCOMPARE(avviso(finestra), QStringLiteral("Gli appunti sono stati svuotati."));
    };
    if (ricerca)
        conRicerca([&](TfrmTrovaPassword& finestra) {
            QTest::mouseClick(figlio<QPushButton>(&finestra, "btnCerca"), Qt::LeftButton);
            prova(finestra);
        });
    else
        conScadute([&](TfrmSegnalati& finestra) { prova(finestra); });
}

void tst_Output::elencoCopiaSenzaRisultato_data() {
    QTest::addColumn<bool>("ricerca");
    QTest::addColumn<bool>("dalMenu");
    QTest::addColumn<QString>("caso");
    QTest::addColumn<QString>("detto");
    const QString nessuna = QStringLiteral("Nessuna riga selezionata: non è stato copiato nulla.");
    const QString illeggibile =
        QStringLiteral("Non è stato possibile leggere l'archivio: non è stato copiato nulla.");
    const QString vuota = QStringLiteral("Il campo Password è vuoto: non è stato copiato nulla.");
    QTest::newRow("search, no line selected") << true << false << "nessuna" << nessuna;
    QTest::newRow("summary, a click below the lines") << false << true << "nessuna" << nessuna;
    QTest::newRow("search, archive no longer readable")
        << true << true << "illeggibile" << illeggibile;
    QTest::newRow("summary, archive no longer readable")
        << false << false << "illeggibile" << illeggibile;
    QTest::newRow("search, record without a password") << true << false << "vuota" << vuota;
    QTest::newRow("summary, record without a password") << false << true << "vuota" << vuota;
}

// Nothing is copied, the clipboard keeps what it held, and the window says why.
void tst_Output::elencoCopiaSenzaRisultato() {
    QFETCH(bool, ricerca);
    QFETCH(bool, dalMenu);
    QFETCH(QString, caso);
    QFETCH(QString, detto);
    piattaforma->dataOggi = QDate(2024, 3, 15);
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Banca"},
                                 {Campo::Scadenza, "01/01/2024"},
                                 {Campo::Password, caso == "vuota" ? "" : "segreta"}})});
    QGuiApplication::clipboard()->setText(TestoDellUtente);

    const auto prova = [&](QDialog& finestra) {
        QCOMPARE(righeMostrate(finestra).size(), 1);
        if (caso == QLatin1String("illeggibile"))
            QVERIFY(QFile::setPermissions(percorsoArchivio(), QFile::ReadOwner));
        copia(finestra, caso == QLatin1String("nessuna") ? -1 : 0, dalMenu,
              Appunti::Dato::Password);
        QCOMPARE(avviso(finestra), detto);
        QCOMPARE(appunti(), TestoDellUtente);
        QVERIFY(finestra.isVisible());
    };
    if (ricerca)
        conRicerca([&](TfrmTrovaPassword& finestra) {
            QTest::mouseClick(figlio<QPushButton>(&finestra, "btnCerca"), Qt::LeftButton);
            prova(finestra);
        });
    else
        conScadute([&](TfrmSegnalati& finestra) { prova(finestra); });
    QFile::setPermissions(percorsoArchivio(), QFile::ReadOwner | QFile::WriteOwner);
}

// On the filter panel of the search window there is no list: its keys do nothing.
void tst_Output::elencoCopiaNonSuiFiltri() {
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Banca"}, {Campo::Password, "segreta"}})});
    QGuiApplication::clipboard()->setText(TestoDellUtente);
    conRicerca([&](TfrmTrovaPassword& finestra) {
        auto* titolo = figlio<QLineEdit>(&finestra, "txtTitolo");
        titolo->setFocus(Qt::TabFocusReason);
        QTest::keyClick(titolo, Qt::Key_P, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(appunti(), TestoDellUtente);
        QCOMPARE(avviso(finestra), QString());
    });
}
