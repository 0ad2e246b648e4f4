// The search window as the user meets it, on real archive files: the filters and the list they
// give, the two panels, halos, Enter ring and tab order, the access message, "Trova", the
// double-click that loads a record into the record window, and the printed list. Also the helpers
// that the expired summary's cases share.

#include "tst_output.h"

#include "core/storage/FileArchivio.h"
#include "editor/Blindoro.h"
#include "output/ComponenteRapporto.h"
#include "output/Segnalati.h"
#include "output/TrovaPassword.h"
#include "support/Accessibile.h"
#include "support/FileProva.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>

namespace {

const QString AccessoNegato =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                   "installazione del programma.");
const QString ListaVuota =
    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

// The ten filters in their Enter ring, with their captions.
const QList<QPair<const char*, QString>> Filtri{
    {"txtTitolo", QStringLiteral("Titolo sito Web:")},
    {"txtURL", QStringLiteral("URL:")},
    {"txtProprietario", QStringLiteral("Proprietario sito Web:")},
    {"txtDescrizione", QStringLiteral("Descrizione:")},
    {"txtUtente", QStringLiteral("Nome Utente:")},
    {"txtPassword", QStringLiteral("Password:")},
    {"txtDomanda", QStringLiteral("Domanda segreta:")},
    {"txtNote", QStringLiteral("Note:")},
    {"txtIntestatario", QStringLiteral("Intestatario account:")},
    {"txtCodFisc", QStringLiteral("Codice fiscale:")},
};

template <class Finestra>
void conFinestra(const std::function<void()>& apri, QWidget* proprietario,
                 const std::function<void(Finestra&)>& azione) {
    QPointer<QWidget> aperta;
    const bool vista = conDialogoModale(apri, [&](QWidget* dialogo) {
        aperta = dialogo;
        auto* finestra = qobject_cast<Finestra*>(dialogo);
        QVERIFY2(finestra, dialogo->metaObject()->className());
        QCOMPARE(dialogo->parentWidget(), proprietario);
        QApplication::setActiveWindow(dialogo);
        azione(*finestra);
    });
    QVERIFY2(vista, "no window opened");
    QVERIFY2(aperta.isNull(), "the window was not freed");
}

// Sets the filters given as "txtUtente= mario" (the text follows the first "=").
void impostaFiltri(QWidget* finestra, const QStringList& filtri) {
    for (const QString& filtro : filtri) {
        const qsizetype uguale = filtro.indexOf(QLatin1Char('='));
        auto* campo = finestra->findChild<QLineEdit*>(filtro.left(uguale));
        QVERIFY2(campo, qPrintable(filtro));
        campo->setText(filtro.mid(uguale + 1));
    }
}

void cerca(QWidget* finestra) {
    QTest::mouseClick(figlio<QPushButton>(finestra, "btnCerca"), Qt::LeftButton);
}

void trova(QWidget* finestra, const QString& chiave) {
    figlio<QLineEdit>(finestra, "txtTrova")->setText(chiave);
    QTest::mouseClick(figlio<QPushButton>(finestra, "btnTrova"), Qt::LeftButton);
}

int rigaSelezionata(QWidget* finestra) {
    const QModelIndexList scelte =
        figlio<QListView>(finestra, "lstRecords")->selectionModel()->selectedIndexes();
    return scelte.isEmpty() ? -1 : scelte.first().row();
}

bool visibile(QWidget* finestra, const char* nome) {
    return figlio<QWidget>(finestra, nome)->isVisible();
}

void mettiFocus(QWidget* campo) {
    campo->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), campo);
}

} // namespace

TScheda tst_Output::nuovaScheda(const Campi& campi) {
    TScheda nuova{};
    for (const auto& [campo, testo] : campi)
        CodificaCampo(nuova, campo, testo);
    return nuova;
}

void tst_Output::scriviArchivio(const QList<TScheda>& schede) {
    QByteArray dati;
    for (const TScheda& s : schede)
        dati.append(reinterpret_cast<const char*>(&s), sizeof s);
    scriviFile(percorsoArchivio(), dati);
}

void tst_Output::conRicerca(const std::function<void(TfrmTrovaPassword&)>& azione) {
    const auto apri = [&] {
        QVERIFY(ui().cmdTrova->isEnabled());
        ui().cmdTrova->click();
    };
    conFinestra<TfrmTrovaPassword>(apri, scheda(), azione);
}

void tst_Output::conScadute(const std::function<void(TfrmSegnalati&)>& azione) {
    conFinestra<TfrmSegnalati>(
        [this] {
            QVERIFY(ui().cmdScadenze->isEnabled());
            ui().cmdScadenze->click();
        },
        scheda(), azione);
}

QStringList tst_Output::righeMostrate(QDialog& finestra) {
    const QAbstractItemModel* modello = figlio<QListView>(&finestra, "lstRecords")->model();
    QStringList righe;
    for (int r = 0; r < modello->rowCount(); ++r)
        righe << modello->index(r, 0).data().toString();
    return righe;
}

QStringList tst_Output::titoliMostrati(QDialog& finestra) {
    QStringList titoli;
    for (const QString& riga : righeMostrate(finestra))
        titoli << riga.left(42).trimmed();
    return titoli;
}

void tst_Output::doppioClic(QDialog& finestra, int riga) {
    auto* lista = figlio<QListView>(&finestra, "lstRecords");
    QPoint punto(10, lista->viewport()->height() - 4);
    if (riga >= 0) {
        const QModelIndex indice = lista->model()->index(riga, 0);
        lista->scrollTo(indice);
        punto = lista->visualRect(indice).center();
    }
    // As a mouse does it: the first click, then the second one that makes it double.
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, punto);
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, punto);
}

void tst_Output::verificaStampa(QDialog& finestra, ComponenteRapporto& rapporto,
                                const QString& titolo) {
    const QStringList righe = righeMostrate(finestra);
    piattaforma->attendiStampante(false);
    QTest::mouseClick(figlio<QPushButton>(&finestra, "btnStampa"), Qt::LeftButton);
    QCOMPARE(piattaforma->dialoghiStampa, 1);
    QVERIFY(finestra.isVisible());

    auto* memo = rapporto.FindObject<TMemo>(QStringLiteral("txtRiepilogo"));
    QCOMPARE(memo->Lines(), righe);
    QCOMPARE(memo->Height(), righe.size() * memo->passoRiga());
    QCOMPARE(rapporto.FindObject(QStringLiteral("MasterData"))->Height(), memo->Height() + 10);

    QStringList stampati;
    for (const PaginaStampa& foglio : rapporto.PaginePreparate())
        stampati << foglio.testi();
    const QString piede = QStringLiteral("Stampa eseguita in data ") +
                          piattaforma->dataOggi.toString(QStringLiteral("dd/MM/yyyy"));
    QCOMPARE(stampati,
             (QStringList{titolo} + righe + QStringList{piede, QStringLiteral("Pagina 1 di 1")}));
}

void tst_Output::ricercaFiltri_data() {
    QTest::addColumn<QStringList>("filtri");
    QTest::addColumn<QStringList>("attesi"); // the titles listed, in the list's order
    QTest::addColumn<int>("conta");

    // The program's order: a to z as A to Z, every other character by its code.
    const QStringList tutti{"Banca BankItalia", "CITTÀ di Roma", "Città metropolitana",
                            "Dettagli",         "my bank",       "Posta certificata",
                            "Posta elettronica"};
    QTest::newRow("all blank: every record") << QStringList{} << tutti << 0;
    QTest::newRow("only A to Z are folded")
        << QStringList{"txtTitolo=Bank"} << QStringList{"Banca BankItalia", "my bank"} << 1;
    QTest::newRow("accented letters must match in case")
        << QStringList{"txtTitolo=Città"} << QStringList{"Città metropolitana"} << 1;
    QTest::newRow("two filters joined") << QStringList{"txtTitolo=posta", "txtUtente=mario"}
                                        << QStringList{"Posta elettronica"} << 2;
    QTest::newRow("a leading blank is part of the filter")
        << QStringList{"txtUtente= mario"} << QStringList{"my bank"} << 1;
    QTest::newRow("blanks only take no part") << QStringList{"txtTitolo=bank", "txtNote=   "}
                                              << QStringList{"Banca BankItalia", "my bank"} << 1;
    QTest::newRow("nothing matches") << QStringList{"txtTitolo=nessuno"} << QStringList{} << 1;
    // Each filter tests its own field, and only that.
    for (const auto& [nome, didascalia] : Filtri) {
        const QString campo = QString::fromLatin1(nome).mid(3);
        const QString parola =
            campo == QLatin1String("Titolo") ? QStringLiteral("dettagli") : "w-" + campo.toLower();
        QTest::newRow(nome) << QStringList{QString::fromLatin1(nome) + "=" + parola}
                            << QStringList{"Dettagli"} << 1;
    }
}

void tst_Output::ricercaFiltri() {
    QFETCH(QStringList, filtri);
    QFETCH(QStringList, attesi);
    QFETCH(int, conta);
    // The records behind the filter cases; "Dettagli" holds in each searched field a word of its
    // own.
    using C = Campo;
    scriviArchivio({
        nuovaScheda({{C::Titolo, "Banca BankItalia"}, {C::Utente, "mario"}}),
        nuovaScheda({{C::Titolo, "my bank"}, {C::Utente, "io mario"}}),
        nuovaScheda({{C::Titolo, "CITTÀ di Roma"}, {C::Utente, "luigi"}}),
        nuovaScheda({{C::Titolo, "Posta elettronica"}, {C::Utente, "mario.rossi"}}),
        nuovaScheda({{C::Titolo, "Posta certificata"}, {C::Utente, "anna"}}),
        nuovaScheda({{C::Titolo, "Città metropolitana"}, {C::Utente, "mario"}}),
        nuovaScheda({{C::Titolo, "Dettagli"},
                     {C::URL, "w-url"},
                     {C::Proprietario, "w-proprietario"},
                     {C::Descrizione, "w-descrizione"},
                     {C::Utente, "w-utente"},
                     {C::Password, "w-password"},
                     {C::Domanda, "w-domanda"},
                     {C::Note, "w-note"},
                     {C::Intestatario, "w-intestatario"},
                     {C::CodFisc, "w-codfisc"}}),
    });

    conRicerca([&](TfrmTrovaPassword& finestra) {
        impostaFiltri(&finestra, filtri);
        cerca(&finestra);
        QCOMPARE(titoliMostrati(finestra), attesi);
        QCOMPARE(figlio<QLabel>(&finestra, "lblTrovate")->text(),
                 QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(attesi.size()));
        QCOMPARE(figlio<QLabel>(&finestra, "lblConta")->text(), QString::number(conta));
    });
}

void tst_Output::ricercaArchivioVuotoETrova() {
    // Casa.psw does not exist yet: the search makes it, empty.
    conRicerca([&](TfrmTrovaPassword& finestra) {
        cerca(&finestra);
        QVERIFY(visibile(&finestra, "panContainer"));
        QVERIFY(righeMostrate(finestra).isEmpty());
        QCOMPARE(figlio<QLabel>(&finestra, "lblTrovate")->text(),
                 QStringLiteral("Il presente riepilogo contiene 0 schede."));

        piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, ListaVuota);
        trova(&finestra, QStringLiteral("banca"));
        QVERIFY(finestra.isVisible());
    });
    QCOMPARE(QFileInfo(percorsoArchivio()).size(), 0);
}

void tst_Output::ricercaSenzaAccesso_data() {
    QTest::addColumn<QString>("come");
    QTest::newRow("read-only archive") << "read-only";
    QTest::newRow("archive gone, folder read-only") << "gone";
    QTest::newRow("a folder in its place") << "folder";
}

void tst_Output::ricercaSenzaAccesso() {
    QFETCH(QString, come);
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Banca"}})});

    conRicerca([&](TfrmTrovaPassword& finestra) {
        std::unique_ptr<SolaLettura> cartella;
        if (come == QLatin1String("read-only")) {
            QVERIFY(QFile::setPermissions(percorsoArchivio(), QFile::ReadOwner));
        } else {
            QVERIFY(QFile::remove(percorsoArchivio()));
            if (come == QLatin1String("folder"))
                QVERIFY(QDir().mkdir(percorsoArchivio()));
            else
                cartella = std::make_unique<SolaLettura>(piattaforma->cartella);
        }
        impostaFiltri(&finestra, {"txtTitolo=banca"});
        piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, AccessoNegato);
        cerca(&finestra);

        // Still on the filters, as typed, ready for another try.
        QVERIFY(visibile(&finestra, "panAvvio"));
        QVERIFY(!visibile(&finestra, "panContainer"));
        QVERIFY(!visibile(&finestra, "lblAttendere"));
        QCOMPARE(figlio<QLineEdit>(&finestra, "txtTitolo")->text(), QStringLiteral("banca"));
    });
}

void tst_Output::ricercaPannelliAloniEInvio() {
    conRicerca([&](TfrmTrovaPassword& finestra) {
        QVERIFY(visibile(&finestra, "panAvvio"));
        QVERIFY(!visibile(&finestra, "panContainer"));
        QVERIFY(!visibile(&finestra, "lblAttendere"));

        // Enter goes round the ten filters; only the field with the focus has its halo.
        auto* titolo = figlio<QLineEdit>(&finestra, "txtTitolo");
        QTRY_COMPARE(QApplication::focusWidget(), titolo);
        for (int passo = 0; passo <= Filtri.size(); ++passo) {
            const char* atteso = Filtri[passo % Filtri.size()].first;
            QCOMPARE(QApplication::focusWidget(), figlio<QWidget>(&finestra, atteso));
            for (const auto& [nome, didascalia] : Filtri) {
                const QByteArray alone = "eff" + QByteArray(nome).mid(3);
                QCOMPARE(visibile(&finestra, alone.constData()), qstrcmp(nome, atteso) == 0);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QVERIFY(visibile(&finestra, "panAvvio"));

        // Pressing "Cerca" tells the user to wait; releasing it runs the search.
        auto* btnCerca = figlio<QPushButton>(&finestra, "btnCerca");
        QTest::mousePress(btnCerca, Qt::LeftButton);
        QVERIFY(visibile(&finestra, "lblAttendere"));
        QTest::mouseRelease(btnCerca, Qt::LeftButton);
        QVERIFY(!visibile(&finestra, "panAvvio"));
        QVERIFY(visibile(&finestra, "panContainer"));

        auto* txtTrova = figlio<QLineEdit>(&finestra, "txtTrova");
        QTRY_COMPARE(QApplication::focusWidget(), txtTrova);
        QTest::keyClick(txtTrova, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), figlio<QWidget>(&finestra, "btnTrova"));
    });
}

void tst_Output::ricercaAccessibile() {
    conRicerca([&](TfrmTrovaPassword& finestra) {
        for (const auto& [nome, didascalia] : Filtri) {
            auto* campo = figlio<QLineEdit>(&finestra, nome);
            QStringList dette;
            for (QLabel* etichetta : finestra.findChildren<QLabel*>())
                if (etichetta->buddy() == campo)
                    dette << etichetta->text();
            QCOMPARE(dette, QStringList{didascalia});
        }
        for (QPushButton* pulsante : finestra.findChildren<QPushButton*>()) {
            QCOMPARE(pulsante->accessibleName(), pulsante->text());
            QVERIFY(pulsante->focusPolicy() & Qt::TabFocus);
        }

        // Tab follows the order of the panel shown, then comes round again.
        const auto giro = [&](QStringList ordine) {
            ordine << ordine.first();
            mettiFocus(figlio<QWidget>(&finestra, qPrintable(ordine.first())));
            for (const QString& nome : ordine.mid(1)) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget()->objectName(), nome);
            }
        };
        QStringList filtri;
        for (const auto& filtro : Filtri)
            filtri << QString::fromLatin1(filtro.first);
        giro(filtri + QStringList{"btnAnnulla", "btnCerca"});
        cerca(&finestra);
        giro({"txtTrova", "btnTrova", "lstRecords", "btnStampa", "btnChiudi"});
    });
}

void tst_Output::ricercaTrovaEUltimaChiave() {
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Sito C"}}),
                    nuovaScheda({{Campo::Titolo, "Sito A"}}),
                    nuovaScheda({{Campo::Titolo, "Sito B"}})});
    conRicerca([&](TfrmTrovaPassword& finestra) {
        cerca(&finestra);
        // Every line holds "  ID: ": a new key selects the first line, the same key the next one,
        // round to the top after the last.
        QCOMPARE(rigaSelezionata(&finestra), -1);
        for (int attesa : {0, 1, 2, 0}) {
            trova(&finestra, QStringLiteral("ID:"));
            QCOMPARE(rigaSelezionata(&finestra), attesa);
        }
        trova(&finestra, QStringLiteral("nessuna")); // no line holds it: the selection stays
        QCOMPARE(rigaSelezionata(&finestra), 0);
        trova(&finestra, QStringLiteral("SITO c")); // a new key, found from the top
        QCOMPARE(rigaSelezionata(&finestra), 2);
        trova(&finestra, QStringLiteral("sito C")); // the only line that holds it stays
        QCOMPARE(rigaSelezionata(&finestra), 2);
        trova(&finestra, QStringLiteral("id:"));
        QCOMPARE(rigaSelezionata(&finestra), 0);
    });
    // The next search window starts without a last key: the same key is a new one there.
    conRicerca([&](TfrmTrovaPassword& finestra) {
        QCOMPARE(figlio<QLineEdit>(&finestra, "txtTrova")->text(), QString());
        cerca(&finestra);
        trova(&finestra, QStringLiteral("ID:"));
        QCOMPARE(rigaSelezionata(&finestra), 0);
    });
}

void tst_Output::ricercaRigaInteraVisibile() {
    const QString titolo = QStringLiteral("Servizi online della Pubblica Amministrazione italiana");
    // A shorter line (no expiry date) at the end: the longer one must still show whole.
    const TScheda lunga = nuovaScheda({{Campo::Titolo, titolo},
                                       {Campo::Utente, "  mario.rossi  "},
                                       {Campo::Intestatario, "Mario Rossi"},
                                       {Campo::Tel, "02 5551234"},
                                       {Campo::Scadenza, "31/12/2030"}});
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Zeta"}}), lunga});
    conRicerca([&](TfrmTrovaPassword& finestra) {
        cerca(&finestra);
        const QString riga = titolo.left(42) + "  ID: " + QString("mario.rossi").leftJustified(28) +
                             "  Nome: " + QString("Mario Rossi").leftJustified(28) + "  Tel. " +
                             QString("02 5551234").leftJustified(16) + "  Scad. 31/12/2030";
        QCOMPARE(riga.size(), 153);
        QCOMPARE(righeMostrate(finestra).value(0), riga);

        auto* lista = figlio<QListView>(&finestra, "lstRecords");
        const QModelIndex voce = lista->model()->index(0, 0);
        const QFont carattere = voce.data(Qt::FontRole).value<QFont>();
        QCOMPARE(carattere.family(), QStringLiteral("Courier New"));
        QCOMPARE(carattere.pointSize(), 12);
        QCOMPARE(voce.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));

        // Scrolling sideways reaches the end of the line.
        QApplication::processEvents();
        QScrollBar* barra = lista->horizontalScrollBar();
        QVERIFY(barra->maximum() > 0);
        QVERIFY2(barra->maximum() + lista->viewport()->width() >=
                     QFontMetrics(carattere).horizontalAdvance(riga),
                 qPrintable(QString::number(barra->maximum())));
    });
}

void tst_Output::ricercaDoppioClic_data() {
    QTest::addColumn<bool>("conInvio"); // Enter on the selected line instead of a double-click

    QTest::newRow("double-click") << false;
    QTest::newRow("Enter on the line") << true;
}

void tst_Output::ricercaDoppioClic() {
    QFETCH(bool, conInvio);
    // Records 1 and 3 give the same line; the later one is the one left in the record window.
    const Campi uguali{{Campo::Titolo, "Posta"},
                       {Campo::Utente, "mario"},
                       {Campo::Intestatario, "Mario Rossi"},
                       {Campo::Tel, "333"},
                       {Campo::Scadenza, "01/01/2030"}};
    scriviArchivio({nuovaScheda(uguali + Campi{{Campo::Password, "prima"}}),
                    nuovaScheda({{Campo::Titolo, "Alfa"}, {Campo::Password, "alfa"}}),
                    nuovaScheda(uguali + Campi{{Campo::Password, "seconda"},
                                               {Campo::Note, "riga uno\r\nriga due"},
                                               {Campo::File01, "contratto.pdf"}}),
                    nuovaScheda({{Campo::Titolo, "Zeta"}, {Campo::Password, "zeta"}})});

    conRicerca([&](TfrmTrovaPassword& finestra) {
        cerca(&finestra);
        QCOMPARE(titoliMostrati(finestra), (QStringList{"Alfa", "Posta", "Posta", "Zeta"}));
        if (conInvio) {
            auto* lista = figlio<QListView>(&finestra, "lstRecords");
            QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                              lista->visualRect(lista->model()->index(1, 0)).center());
            QCOMPARE(rigaSelezionata(&finestra), 1);
            QTest::keyClick(lista, Qt::Key_Return);
        } else {
            doppioClic(finestra, 1);
        }
        QVERIFY(!finestra.isVisible());
    });

    QCOMPARE(ui().txtPassword->text(), QStringLiteral("seconda"));
    QCOMPARE(ui().txtNote->toPlainText(), QStringLiteral("riga uno\nriga due"));
    QCOMPARE(ui().lblFile01->text(), QStringLiteral("contratto.pdf"));
    QCOMPARE(ui().lblPosizione->text(), QStringLiteral("3"));
}

void tst_Output::ricercaDoppioClicSenzaScelta_data() {
    QTest::addColumn<bool>("archivioSparito");
    QTest::newRow("no line selected") << false;
    QTest::newRow("archive gone meanwhile") << true;
}

void tst_Output::ricercaDoppioClicSenzaScelta() {
    QFETCH(bool, archivioSparito);
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Alfa"}, {Campo::Password, "alfa"}})});

    conRicerca([&](TfrmTrovaPassword& finestra) {
        cerca(&finestra);
        std::unique_ptr<SolaLettura> cartella;
        if (archivioSparito) {
            QVERIFY(QFile::remove(percorsoArchivio()));
            cartella = std::make_unique<SolaLettura>(piattaforma->cartella);
        }
        // Silently closed: no message, nothing loaded.
        doppioClic(finestra, archivioSparito ? 0 : -1);
        QVERIFY(!finestra.isVisible());
    });
    QCOMPARE(ui().txtPassword->text(), QString());
    QCOMPARE(ui().lblPosizione->text(), QString());
}

void tst_Output::ricercaStampa() {
    piattaforma->dataOggi = QDate(2024, 3, 15);
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Zeta"}}), nuovaScheda({{Campo::Titolo, "Alfa"}}),
                    nuovaScheda({{Campo::Titolo, "Beta"}})});
    conRicerca([&](TfrmTrovaPassword& finestra) {
        cerca(&finestra);
        verificaStampa(finestra, finestra.Rapporto(),
                       QStringLiteral("Riepilogo credenziali in archivio"));

        // Printed again, to a file: the same list, and the window stays open.
        const QString pdf = piattaforma->cartella + QStringLiteral("elenco.pdf");
        finestra.Rapporto().stampante().setOutputFormat(QPrinter::PdfFormat);
        finestra.Rapporto().stampante().setOutputFileName(pdf);
        piattaforma->attendiStampante(true);
        QTest::mouseClick(figlio<QPushButton>(&finestra, "btnStampa"), Qt::LeftButton);
        QVERIFY(QFileInfo(pdf).size() > 0);
        QCOMPARE(contenutoFile(pdf).left(5), QByteArray("%PDF-"));
        QVERIFY(finestra.isVisible());
    });
}

// The search without the mouse: "Cerca" with Space, the list reached with Tab, its line chosen
// with the arrows (no line is under the focus before one is chosen), Enter loads it; on the result
// panel every command is offered to a screen reader, "Stampa" has its keys, and Tab goes in the
// reading order.
void tst_Output::ricercaDallaTastiera() {
    scriviArchivio({nuovaScheda({{Campo::Titolo, "Zeta"}, {Campo::Password, "zeta"}}),
                    nuovaScheda({{Campo::Titolo, "Alfa"}, {Campo::Password, "alfa"}})});
    conRicerca([&](TfrmTrovaPassword& finestra) {
        auto* btnCerca = figlio<QPushButton>(&finestra, "btnCerca");
        mettiFocus(btnCerca);
        QTest::keyClick(btnCerca, Qt::Key_Space);
        QVERIFY(visibile(&finestra, "panContainer"));
        for (const QStringList& problemi :
             {problemiComandi(&finestra), problemiOrdineTab(&finestra)})
            QVERIFY2(problemi.isEmpty(), qPrintable(problemi.join(QLatin1Char('\n'))));
        QCOMPARE(figlio<QPushButton>(&finestra, "btnStampa")->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+P")));
        QCOMPARE(figlio<QPushButton>(&finestra, "btnStampa")->toolTip(),
                 QStringLiteral("Stampa (Ctrl+P)"));

        auto* lista = figlio<QListView>(&finestra, "lstRecords");
        mettiFocus(figlio<QWidget>(&finestra, "btnTrova"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), lista);
        QVERIFY(!lista->currentIndex().isValid());
        QCOMPARE(rigaSelezionata(&finestra), -1);
        QTest::keyClick(lista, Qt::Key_Down);
        QCOMPARE(rigaSelezionata(&finestra), 0);
        QTest::keyClick(lista, Qt::Key_Down);
        QCOMPARE(rigaSelezionata(&finestra), 1);
        QTest::keyClick(lista, Qt::Key_Return);
        QVERIFY(!finestra.isVisible());
    });
    QCOMPARE(ui().txtPassword->text(), QStringLiteral("zeta"));
}
