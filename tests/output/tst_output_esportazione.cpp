#include "tst_output.h"

#include "core/storage/FileArchivio.h"
#include "core/storage/Scheda.h"
#include "editor/Blindoro.h"
#include "output/ExpPassword.h"
#include "output/GrigliaSchede.h"
#include "support/DiscoPieno.h"
#include "support/FileProva.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QUrl>

#include <functional>
#include <optional>

namespace {

const QString DomandaEsporta = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede "
    "presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString DomandaApri = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di "
    "Excel?");
const QString AccessoNegato =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                   "installazione del programma.");
const QString EsportazioneNegata =
    QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                   "Accertarsi che il file di Excel non sia già aperto.");
// A data cell of the file, marked as text for Calc and Excel.
QByteArray Cella(const QByteArray& testo) {
    return R"(<td style="text-align: left; mso-number-format:'\@';" sdnum="1040;0;@">)" + testo +
           "</td>";
}
const QByteArray CellaVuota = Cella({});

// Appends records to an archive, each given as {field, text} pairs; the other fields stay empty.
void aggiungiSchede(const QString& percorso, const QList<QList<QPair<Campo, QString>>>& schede) {
    FileArchivio archivio = ApriFileArchivio(percorso);
    for (const auto& campi : schede) {
        TScheda scheda{};
        for (const auto& [campo, testo] : campi)
            CodificaCampo(scheda, campo, testo);
        archivio.Aggiungi(scheda);
    }
    archivio.Chiudi();
}

// Presses the record window's export command and runs `azione` on the export window while it is
// open; checks that the window belongs to the record window and is freed when it closes.
void conEsportazione(TfrmBlindoro* scheda, const std::function<void(TfrmExpPassword&)>& azione) {
    QPointer<QWidget> aperta;
    const bool vista =
        conDialogoModale([scheda] { figlio<QToolButton>(scheda, "cmdEsporta")->click(); },
                         [&](QWidget* dialogo) {
                             aperta = dialogo;
                             auto* esportazione = qobject_cast<TfrmExpPassword*>(dialogo);
                             QVERIFY(esportazione);
                             QCOMPARE(dialogo->parentWidget(), static_cast<QWidget*>(scheda));
                             QApplication::setActiveWindow(dialogo);
                             azione(*esportazione);
                         });
    QVERIFY2(vista, "the export window did not open");
    QVERIFY2(aperta.isNull(), "the export window was not freed");
}

TGrigliaSchede* griglia(QWidget* finestra) {
    return figlio<TGrigliaSchede>(finestra, "grdRecords");
}

QString cella(QWidget* finestra, int riga, int colonna) {
    const QAbstractItemModel* modello = griglia(finestra)->model();
    return modello->data(modello->index(riga, colonna)).toString();
}

QStringList rigaGriglia(QWidget* finestra, int riga) {
    QStringList testi;
    for (int colonna = 0; colonna < NumeroColonneGriglia; ++colonna)
        testi << cella(finestra, riga, colonna);
    return testi;
}

QString percorsoFoglio(const PiattaformaProva& piattaforma) {
    return piattaforma.cartella + QStringLiteral("Blindoro.xls");
}

} // namespace

void tst_Output::esportazioneGrigliaDiArchivioVuoto() {
    conEsportazione(scheda(), [this](TfrmExpPassword& finestra) {
        TGrigliaSchede* grdRecords = griglia(&finestra);
        const QAbstractItemModel* modello = grdRecords->model();
        QCOMPARE(modello->rowCount(), 10);
        QCOMPARE(modello->columnCount(), 15);
        for (int riga = 0; riga < 10; ++riga)
            QCOMPARE(rigaGriglia(&finestra, riga), QStringList(15, QString()));

        const QStringList intestazioni{"N.",
                                       "Titolo sito Web",
                                       "URL",
                                       "Proprietario sito Web",
                                       "Descrizione",
                                       "Nome Utente",
                                       "Password",
                                       "Data creazione",
                                       "Data scadenza",
                                       "Domanda segreta",
                                       "Risposta segreta",
                                       "Intestatario account",
                                       "Codice fiscale",
                                       "E-mail",
                                       "Tel."};
        const QList<int> larghezze{60,  300, 300, 250, 300, 200, 200, 160,
                                   160, 300, 300, 250, 180, 200, 160};
        const QList<bool> modificabili{false, true, true, false, false, false, false, true,
                                       true,  true, true, true,  true,  true,  true};
        for (int colonna = 0; colonna < 15; ++colonna) {
            QCOMPARE(modello->headerData(colonna, Qt::Horizontal).toString(),
                     intestazioni[colonna]);
            QCOMPARE(grdRecords->columnWidth(colonna), larghezze[colonna]);
            QCOMPARE(bool(modello->flags(modello->index(0, colonna)) & Qt::ItemIsEditable),
                     modificabili[colonna]);
        }
        QCOMPARE(grdRecords->rowHeight(0), 21);
        QCOMPARE(grdRecords->rowHeight(9), 21);
        QVERIFY(grdRecords->alternatingRowColors());
        QCOMPARE(finestra.size(), QSize(862, 560));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grdRecords));

        // The ten empty rows are exported as they stand.
        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaEsporta, Risposta::Si);
        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaApri, Risposta::No);
        figlio<QToolButton>(&finestra, "cmdEsporta")->click();
    });
    const QByteArray foglio = contenutoFile(percorsoFoglio(*piattaforma));
    QCOMPARE(foglio.count("<tr>"), 11);
    QCOMPARE(foglio.count(CellaVuota), 10 * 14);
    QVERIFY(!foglio.contains('\n') && !foglio.contains('\r'));
    QVERIFY(foglio.endsWith("</tr></table></body></html>"));
    // The archive was only read: it is there, empty, and nothing was opened.
    QCOMPARE(contenutoFile(percorsoArchivio()), QByteArray());
    QVERIFY(piattaforma->aperture.isEmpty());
}

void tst_Output::esportazioneGrigliaMostraLeSchedeRipulite() {
    aggiungiSchede(percorsoArchivio(), {{{Campo::Titolo, QStringLiteral("  Banca  ")},
                                         {Campo::URL, QStringLiteral("https://banca.example ")},
                                         {Campo::Utente, QStringLiteral("\tmario")},
                                         {Campo::Password, QStringLiteral(" segreta ")},
                                         {Campo::Note, QStringLiteral("non si vede")},
                                         {Campo::Utilizzate, QStringLiteral("vecchia")},
                                         {Campo::Tel, QStringLiteral("06 1234 ")}},
                                        {{Campo::Titolo, QStringLiteral("Posta")},
                                         {Campo::Descrizione, QStringLiteral("caffè a 2 €")},
                                         {Campo::Scadenza, QStringLiteral("31/12/2030")}},
                                        {{Campo::Intestatario, QStringLiteral(" Anna Rossi")},
                                         {Campo::CodFisc, QStringLiteral("RSSNNA80A41H501X")}}});
    conEsportazione(scheda(), [this](TfrmExpPassword& finestra) {
        QCOMPARE(griglia(&finestra)->model()->rowCount(), 3);
        const QStringList prima{"1",       "Banca", "https://banca.example",
                                "",        "",      "mario",
                                "segreta", "",      "",
                                "",        "",      "",
                                "",        "",      "06 1234"};
        QCOMPARE(rigaGriglia(&finestra, 0), prima);
        QCOMPARE(cella(&finestra, 1, colNum), QStringLiteral("2"));
        QCOMPARE(cella(&finestra, 1, colDescrizione), QStringLiteral("caffè a 2 €"));
        QCOMPARE(cella(&finestra, 1, colScadenza), QStringLiteral("31/12/2030"));
        QCOMPARE(cella(&finestra, 2, colNum), QStringLiteral("3"));
        QCOMPARE(cella(&finestra, 2, colIntestatario), QStringLiteral("Anna Rossi"));
        QCOMPARE(cella(&finestra, 2, colCodFisc), QStringLiteral("RSSNNA80A41H501X"));

        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaEsporta, Risposta::Si);
        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaApri, Risposta::No);
        figlio<QToolButton>(&finestra, "cmdEsporta")->click();
    });
    const QByteArray foglio = contenutoFile(percorsoFoglio(*piattaforma));
    QCOMPARE(foglio.count("<tr>"), 4);
    QVERIFY(foglio.contains("<tr>" + Cella("Banca") + Cella("https://banca.example") + CellaVuota +
                            CellaVuota + Cella("mario") + Cella("segreta")));
    QVERIFY(foglio.contains(Cella("caff\xE8 a 2 \x80")));
    QVERIFY(!foglio.contains("non si vede") && !foglio.contains("vecchia"));
}

void tst_Output::esportazioneScriveLaGrigliaModificata() {
    aggiungiSchede(percorsoArchivio(), {{{Campo::Titolo, QStringLiteral("Vecchio titolo")},
                                         {Campo::Utente, QStringLiteral("mario")},
                                         {Campo::Email, QStringLiteral("a@b.it")}}});
    const QByteArray archivioPrima = contenutoFile(percorsoArchivio());
    conEsportazione(scheda(), [this](TfrmExpPassword& finestra) {
        TGrigliaSchede* grdRecords = griglia(&finestra);
        const QAbstractItemModel* modello = grdRecords->model();
        const auto scriviInCella = [&](int colonna, const QString& testo, bool conferma) {
            grdRecords->setCurrentIndex(modello->index(0, colonna));
            grdRecords->setFocus();
            QTest::keyClick(grdRecords, Qt::Key_F2);
            auto* editore = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(editore);
            editore->selectAll();
            digita(editore, testo);
            if (conferma)
                QTest::keyClick(editore, Qt::Key_Return);
        };
        scriviInCella(colTitolo, QStringLiteral("Nuovo titolo"), true);
        QTRY_COMPARE(cella(&finestra, 0, colTitolo), QStringLiteral("Nuovo titolo"));
        // The read-only columns do not take typing.
        grdRecords->setCurrentIndex(modello->index(0, colUtente));
        QTest::keyClick(grdRecords, Qt::Key_F2);
        QTest::keyClicks(grdRecords, "zz");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grdRecords));
        QCOMPARE(cella(&finestra, 0, colUtente), QStringLiteral("mario"));

        // A cell still being typed into when the export starts is exported as the user sees it.
        scriviInCella(colEmail, QStringLiteral("c@d.it"), false);

        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaEsporta, Risposta::Si);
        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaApri, Risposta::No);
        figlio<QToolButton>(&finestra, "cmdEsporta")->click();
        QCOMPARE(cella(&finestra, 0, colEmail), QStringLiteral("c@d.it"));
    });
    const QByteArray foglio = contenutoFile(percorsoFoglio(*piattaforma));
    QVERIFY(foglio.contains("<tr>" + Cella("Nuovo titolo")));
    QVERIFY(foglio.contains(Cella("mario")));
    QVERIFY(foglio.contains(Cella("c@d.it")));
    QVERIFY(!foglio.contains("Vecchio titolo"));
    QCOMPARE(contenutoFile(percorsoArchivio()), archivioPrima);
}

void tst_Output::esportazioneDomande_data() {
    QTest::addColumn<Risposta>("esporta");
    QTest::addColumn<Risposta>("apri");
    QTest::newRow("no all'esportazione") << Risposta::No << Risposta::Ok;
    QTest::newRow("esportato, non aperto") << Risposta::Si << Risposta::No;
    QTest::newRow("esportato e aperto") << Risposta::Si << Risposta::Si;
}

void tst_Output::esportazioneDomande() {
    QFETCH(Risposta, esporta);
    QFETCH(Risposta, apri);
    // A program folder with a blank in its path still reaches the shell whole.
    aggiungiSchede(percorsoArchivio(), {{{Campo::Titolo, QStringLiteral("Banca")}}});
    piattaforma->cartella += QStringLiteral("con spazi/");
    QVERIFY(QDir().mkpath(piattaforma->cartella));
    const QString foglio = percorsoFoglio(*piattaforma);

    conEsportazione(scheda(), [&](TfrmExpPassword& finestra) {
        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaEsporta, esporta);
        if (esporta == Risposta::Si)
            piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaApri, apri);
        figlio<QToolButton>(&finestra, "cmdEsporta")->click();
        // The window stays open after an export, for another one.
        QVERIFY(finestra.isVisible());
    });

    if (esporta == Risposta::No) {
        QCOMPARE(fileSotto(piattaforma->cartella), QStringList());
        QVERIFY(piattaforma->aperture.isEmpty());
        return;
    }
    QCOMPARE(fileSotto(piattaforma->cartella), QStringList{QStringLiteral("Blindoro.xls")});
    QVERIFY(contenutoFile(foglio).contains(Cella("Banca")));
    // The file holds every password in clear: it is its owner's alone.
    QCOMPARE(QFileInfo(foglio).permissions() &
                 (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
    if (apri == Risposta::No) {
        QVERIFY(piattaforma->aperture.isEmpty());
        return;
    }
    QCOMPARE(piattaforma->aperture.size(), 1);
    QCOMPARE(piattaforma->aperture[0].comando, QLatin1Char('"') + foglio + QLatin1Char('"'));
    QCOMPARE(piattaforma->aperture[0].indirizzo, QUrl::fromLocalFile(foglio));
}

void tst_Output::esportazioneFallitaLasciaIlFileDiPrima_data() {
    QTest::addColumn<bool>("cartellaBloccata");
    QTest::newRow("cartella del programma in sola lettura") << true;
    QTest::newRow("file di Excel in sola lettura") << false;
}

void tst_Output::esportazioneFallitaLasciaIlFileDiPrima() {
    QFETCH(bool, cartellaBloccata);
    aggiungiSchede(percorsoArchivio(), {{{Campo::Titolo, QStringLiteral("Banca")}}});
    const QString foglio = percorsoFoglio(*piattaforma);
    const QByteArray vecchio = "<html>il foglio di ieri</html>";
    scriviFile(foglio, vecchio);
    if (!cartellaBloccata)
        QVERIFY(QFile::setPermissions(foglio, QFile::ReadOwner));
    const QStringList primaDelClic = fileSotto(piattaforma->cartella);
    {
        std::optional<SolaLettura> bloccata;
        if (cartellaBloccata)
            bloccata.emplace(piattaforma->cartella);
        conEsportazione(scheda(), [&](TfrmExpPassword& finestra) {
            QCOMPARE(cella(&finestra, 0, colTitolo), QStringLiteral("Banca"));
            piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaEsporta,
                                 Risposta::Si);
            piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, EsportazioneNegata);
            figlio<QToolButton>(&finestra, "cmdEsporta")->click();
            QVERIFY(finestra.isVisible());
        });
    }
    QCOMPARE(contenutoFile(foglio), vecchio);
    QCOMPARE(fileSotto(piattaforma->cartella), primaDelClic);
    QVERIFY(piattaforma->aperture.isEmpty());
}

// On a full disk the export fails with its message and the old file stays as it was; once there
// is room the same export goes through.
void tst_Output::esportazioneSuDiscoPieno() {
    SALTA_SENZA_DISCO_PIENO();
    aggiungiSchede(percorsoArchivio(), {{{Campo::Titolo, QStringLiteral("Banca")}}});
    DiscoPieno disco;
    piattaforma->cartella = disco.Cartella() + QLatin1Char('/');
    const QString foglio = percorsoFoglio(*piattaforma);
    const QByteArray vecchio = "<html>il foglio di ieri</html>";
    scriviFile(foglio, vecchio);
    QVERIFY(disco.Riempi());
    conEsportazione(scheda(), [&](TfrmExpPassword& finestra) {
        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaEsporta, Risposta::Si);
        piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, EsportazioneNegata);
        figlio<QToolButton>(&finestra, "cmdEsporta")->click();
        QCOMPARE(contenutoFile(foglio), vecchio);
        QCOMPARE(fileSotto(piattaforma->cartella), QStringList{"Blindoro.xls"});

        QVERIFY(disco.Libera(64 * 1024));
        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaEsporta, Risposta::Si);
        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaApri, Risposta::No);
        figlio<QToolButton>(&finestra, "cmdEsporta")->click();
    });
    QVERIFY(contenutoFile(foglio).contains(Cella("Banca")));
    QCOMPARE(fileSotto(piattaforma->cartella), QStringList{"Blindoro.xls"});
}

void tst_Output::esportazioneArchivioNonLetto_data() {
    QTest::addColumn<bool>("illeggibile");
    QTest::newRow("archivio illeggibile") << true;
    QTest::newRow("archivio senza schede") << false;
}

// An archive the window cannot read is told to the user as soon as the window shows, and again
// by "Esporta", which then leaves the earlier file as it was: ten empty rows are not the archive.
// An archive that holds no record exports its ten empty rows over the earlier file.
void tst_Output::esportazioneArchivioNonLetto() {
    QFETCH(bool, illeggibile);
    const QString foglio = percorsoFoglio(*piattaforma);
    const QByteArray vecchio = "<html>il foglio di ieri</html>";
    scriviFile(foglio, vecchio);
    if (illeggibile) {
        aggiungiSchede(percorsoArchivio(), {{{Campo::Titolo, QStringLiteral("Banca")}}});
        QVERIFY(QFile::setPermissions(percorsoArchivio(), QFile::Permissions()));
        piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, AccessoNegato);
    } else {
        scriviFile(percorsoArchivio());
    }
    const QStringList primaDelClic = fileSotto(piattaforma->cartella);
    conEsportazione(scheda(), [&](TfrmExpPassword& finestra) {
        QTRY_COMPARE(piattaforma->mostrati.size(), illeggibile ? 1 : 0);
        if (illeggibile)
            QCOMPARE(piattaforma->mostrati[0].proprietario, static_cast<QWidget*>(&finestra));
        QCOMPARE(griglia(&finestra)->model()->rowCount(), 10);
        QCOMPARE(rigaGriglia(&finestra, 0), QStringList(15, QString()));

        if (illeggibile) {
            piattaforma->attendi(TipoMessaggio::Semplice, Pulsanti::Ok, AccessoNegato);
        } else {
            piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaEsporta,
                                 Risposta::Si);
            piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaApri,
                                 Risposta::No);
        }
        figlio<QToolButton>(&finestra, "cmdEsporta")->click();
        QVERIFY(finestra.isVisible());
    });
    QVERIFY(QFile::setPermissions(percorsoArchivio(), QFile::ReadOwner | QFile::WriteOwner));
    QCOMPARE(fileSotto(piattaforma->cartella), primaDelClic);
    QVERIFY(piattaforma->aperture.isEmpty());
    const QByteArray scritto = contenutoFile(foglio);
    if (illeggibile) {
        QCOMPARE(scritto, vecchio);
        return;
    }
    QCOMPARE(scritto.count("<tr>"), 11);
    QCOMPARE(scritto.count(CellaVuota), 10 * 14);
    QVERIFY(scritto.endsWith("</tr></table></body></html>"));
}

void tst_Output::esportazioneRigaDeiSuggerimenti() {
    conEsportazione(scheda(), [](TfrmExpPassword& finestra) {
        auto* panInfo = figlio<QLabel>(&finestra, "panInfo");
        QCOMPARE(panInfo->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
        const struct {
            const char* elemento;
            QString suggerimento;
        } passi[] = {
            {"cmdEsporta", QStringLiteral("Esporta l'archivio in formato Microsoft Excel.")},
            {"shpInfo", QString()},
            {"cmdGuida", QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
            {"grdRecords", QString()},
            {"cmdEsci", QStringLiteral("Esci da questo ambiente di lavoro.")},
            {"panContainer", QString()},
            {"cmdEsporta", QStringLiteral("Esporta l'archivio in formato Microsoft Excel.")},
            {"shpSfondo", QString()},
            {"cmdEsci", QStringLiteral("Esci da questo ambiente di lavoro.")},
            {"icoMano", QString()},
        };
        for (const auto& passo : passi) {
            auto* elemento = figlio<QWidget>(&finestra, passo.elemento);
            // Over the grid the mouse is over its cells, which lie on its viewport.
            if (auto* vista = qobject_cast<QAbstractScrollArea*>(elemento))
                elemento = vista->viewport();
            // Straight to the window: the cursor of the offscreen platform would reach the record
            // window, which lies under the dialog and is blocked by it.
            QTest::mouseMove(finestra.windowHandle(), elemento->mapTo(&finestra, QPoint(4, 4)));
            QTRY_COMPARE(panInfo->text(), passo.suggerimento);
        }
        for (const char* comando : {"cmdEsporta", "cmdGuida", "cmdEsci"}) {
            auto* pulsante = figlio<QToolButton>(&finestra, comando);
            QVERIFY(!pulsante->accessibleName().isEmpty());
            QVERIFY(pulsante->focusPolicy() & Qt::TabFocus);
        }
        // A screen reader names each command by its caption and describes it by its hint; the
        // export and the help have their keys, shown in the tooltip.
        const struct {
            const char* comando;
            const char* didascalia;
            const char* suggerimento;
            const char* tasti;
        } comandi[] = {
            {"cmdEsporta", "Esporta", "Esporta l'archivio in formato Microsoft Excel.",
             "Ctrl+Maiusc+X"},
            {"cmdGuida", "Guida", "Visualizza la pagina della guida sensibile al contesto.", "F1"},
            {"cmdEsci", "Esci", "Esci da questo ambiente di lavoro.", ""},
        };
        for (const auto& comando : comandi) {
            auto* pulsante = figlio<QToolButton>(&finestra, comando.comando);
            QCOMPARE(pulsante->accessibleName(), QString::fromUtf8(comando.didascalia));
            QCOMPARE(pulsante->accessibleDescription(), QString::fromUtf8(comando.suggerimento));
            QCOMPARE(pulsante->shortcut().toString(),
                     QString::fromLatin1(comando.tasti)
                         .replace(QLatin1String("Maiusc"), QLatin1String("Shift")));
            QCOMPARE(pulsante->toolTip(),
                     QString::fromUtf8(comando.suggerimento) +
                         (*comando.tasti ? QStringLiteral(" (%1)").arg(comando.tasti) : QString()));
        }
    });
}

void tst_Output::esportazioneGuidaEdEsci() {
    conEsportazione(scheda(), [](TfrmExpPassword& finestra) {
        QString titolo;
        QWidget* proprietario = nullptr;
        QVERIFY(conDialogoModale([&] { figlio<QToolButton>(&finestra, "cmdGuida")->click(); },
                                 [&](QWidget* guida) {
                                     titolo = figlio<QLabel>(guida, "lblTitolo")->text();
                                     proprietario = guida->parentWidget();
                                 }));
        QCOMPARE(titolo, QStringLiteral("Esportazione blindoro in Microsoft Excel."));
        QCOMPARE(proprietario, static_cast<QWidget*>(&finestra));
        QVERIFY(finestra.isVisible());

        figlio<QToolButton>(&finestra, "cmdEsci")->click();
        QVERIFY(!finestra.isVisible());
    });
}
