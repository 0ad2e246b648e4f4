// The record window's two dialogs, driven from the record window itself: the date dialog and the
// attachments window with its copies in the attachments folder.

#include "ui_AllegaCartella.h"
#include "ui_Blindoro.h"
#include "ui_Calendario.h"

#include "app/Finestre.h"
#include "core/text/Testo.h"
#include "editor/AllegaCartella.h"
#include "editor/Blindoro.h"
#include "editor/Calendario.h"
#include "support/AiutiFinestre.h"
#include "support/PiattaformaProva.h"
#include "support/Privilegi.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QToolButton>
#include <memory>

namespace {

const QString DomandaSovrascrivi = QStringLiteral(
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome."
    "\r\n\r\nSi vuole sovrascrivere il file esistente?");
const QString CopiaNonRiuscita = QStringLiteral(
    "Attenzione: non è stato possibile copiare il file scelto nella cartella dei documenti "
    "allegati.\r\n\r\nIl file non risulta allegato: accertarsi che sul disco ci sia spazio "
    "libero e di possedere i privilegi di scrittura nella cartella di installazione del "
    "programma, poi sceglierlo di nuovo.");

QByteArray contenuto(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void scrivi(const QString& percorso, const QByteArray& dati) {
    QVERIFY(QDir().mkpath(QFileInfo(percorso).absolutePath()));
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(dati), dati.size());
}

// Every file below a folder, relative to it: what a test sees on disk.
QStringList fileSotto(const QString& cartella) {
    QStringList trovati;
    const QDir radice(cartella);
    for (const QFileInfo& voce :
         radice.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (voce.isDir()) {
            for (const QString& interno : fileSotto(voce.filePath()))
                trovati << voce.fileName() + QLatin1Char('/') + interno;
        } else {
            trovati << voce.fileName();
        }
    }
    trovati.sort();
    return trovati;
}

} // namespace

Q_DECLARE_METATYPE(Risposta)

class TestDialoghi : public QObject {
    Q_OBJECT

    std::unique_ptr<PiattaformaProva> piattaforma;
    std::unique_ptr<FinestreProva> finestre;
    std::unique_ptr<QTemporaryDir> documenti; // the user's own files, outside the program folder

    Ui::TfrmBlindoro& scheda() { return *frmBlindoro->ui; }
    QString allegati() const {
        return piattaforma->cartella + QStringLiteral("Documenti_Allegati/");
    }
    QString documento(const QString& nome) const {
        return documenti->path() + QLatin1Char('/') + nome;
    }

    QLineEdit* campoData(const QString& nome) {
        return nome == QLatin1String("txtCreazione") ? scheda().txtCreazione : scheda().txtScadenza;
    }

    // Presses a key in a date field of the record window and runs `azione` on the date dialog that
    // it opens; the dialog must be freed once closed. Returns whether a dialog opened.
    bool premiInData(QLineEdit* campo, Qt::Key tasto,
                     const std::function<void(TfrmCalendario&)>& azione) {
        QPointer<QWidget> aperto;
        const bool visto = conDialogoModale(
            [&] { QTest::keyClick(campo, tasto); },
            [&](QWidget* dialogo) {
                aperto = dialogo;
                auto* calendario = qobject_cast<TfrmCalendario*>(dialogo);
                QVERIFY(calendario);
                QCOMPARE(dialogo->parentWidget(), static_cast<QWidget*>(frmBlindoro));
                azione(*calendario);
            });
        if (visto && !aperto.isNull())
            QTest::qFail("the date dialog was not freed", __FILE__, __LINE__);
        return visto;
    }

    // Opens the attachments window with the record window's command and runs `azione` on it.
    void conAllegati(const std::function<void(TfrmAllegaCartella&)>& azione) {
        QPointer<QWidget> aperto;
        const bool visto = conDialogoModale([] { frmBlindoro->ui->cmdFile->click(); },
                                            [&](QWidget* dialogo) {
                                                aperto = dialogo;
                                                auto* allegati =
                                                    qobject_cast<TfrmAllegaCartella*>(dialogo);
                                                QVERIFY(allegati);
                                                azione(*allegati);
                                            });
        QVERIFY2(visto, "the attachments window did not open");
        QVERIFY2(aperto.isNull(), "the attachments window was not freed");
    }

    void impostaAllegati(const QStringList& sei) {
        const QList<QLabel*> etichette{scheda().lblFile01, scheda().lblDesc01, scheda().lblFile02,
                                       scheda().lblDesc02, scheda().lblFile03, scheda().lblDesc03};
        for (int i = 0; i < etichette.size(); ++i)
            etichette[i]->setText(sei.value(i));
    }

    QStringList allegatiDellaScheda() {
        return {scheda().lblFile01->text(), scheda().lblDesc01->text(), scheda().lblFile02->text(),
                scheda().lblDesc02->text(), scheda().lblFile03->text(), scheda().lblDesc03->text()};
    }

private Q_SLOTS:
    void init() {
        piattaforma = std::make_unique<PiattaformaProva>();
        piattaforma->dataOggi = QDate(2024, 3, 7);
        documenti = std::make_unique<QTemporaryDir>();
        QVERIFY(documenti->isValid());
        finestre = std::make_unique<FinestreProva>();
        frmBlindoro->mostra();
    }

    void cleanup() {
        // A test that made the attachments folder read-only may have stopped half-way.
        QFile::setPermissions(allegati(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        finestre.reset();
        documenti.reset();
        // Put back the previous platform even when the check fails, or the next test would run
        // against the real one.
        const std::unique_ptr<PiattaformaProva> vista = std::move(piattaforma);
        VERIFICA_PIATTAFORMA(*vista);
    }

    // --- The date dialog ---

    void importaScriveLaDataNelCampo_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<Qt::Key>("tasto");
        QTest::addColumn<QDate>("scelta"); // invalid: the calendar is left on today
        QTest::addColumn<QString>("atteso");

        QTest::newRow("expiry date, Enter, today")
            << "txtScadenza" << Qt::Key_Return << QDate() << "07/03/2024";
        QTest::newRow("creation date, a letter, today")
            << "txtCreazione" << Qt::Key_A << QDate() << "07/03/2024";
        QTest::newRow("creation date, blank, 1 January 2025")
            << "txtCreazione" << Qt::Key_Space << QDate(2025, 1, 1) << "01/01/2025";
        QTest::newRow("expiry date, a digit, 1 January 2025")
            << "txtScadenza" << Qt::Key_7 << QDate(2025, 1, 1) << "01/01/2025";
    }

    void importaScriveLaDataNelCampo() {
        QFETCH(QString, campo);
        QFETCH(Qt::Key, tasto);
        QFETCH(QDate, scelta);
        QFETCH(QString, atteso);
        QLineEdit* destinazione = campoData(campo);
        QLineEdit* altro =
            destinazione == scheda().txtCreazione ? scheda().txtScadenza : scheda().txtCreazione;
        destinazione->setText(QStringLiteral("31/12/1999"));
        altro->setText(QStringLiteral("15/06/2020"));

        const bool aperto = premiInData(destinazione, tasto, [&](TfrmCalendario& calendario) {
            // Every opening starts on today, whatever the field held.
            QCOMPARE(calendario.ui->calAppuntamenti->selectedDate(), piattaforma->dataOggi);
            if (scelta.isValid())
                calendario.ui->calAppuntamenti->setSelectedDate(scelta);
            calendario.ui->btnImportaData->click();
            QVERIFY(!calendario.isVisible());
        });

        QVERIFY(aperto);
        QCOMPARE(destinazione->text(), atteso);
        QCOMPARE(altro->text(), QStringLiteral("15/06/2020"));
    }

    void annullaLasciaIlCampoComEra_data() {
        QTest::addColumn<QString>("iniziale");
        QTest::addColumn<bool>("conEsc");
        QTest::newRow("empty field, Annulla") << QString() << false;
        QTest::newRow("field with a date, Annulla") << QStringLiteral("15/06/2020") << false;
        QTest::newRow("empty field, Escape") << QString() << true;
    }

    void annullaLasciaIlCampoComEra() {
        QFETCH(QString, iniziale);
        QFETCH(bool, conEsc);
        scheda().txtCreazione->setText(iniziale);

        const bool aperto =
            premiInData(scheda().txtCreazione, Qt::Key_X, [&](TfrmCalendario& calendario) {
                calendario.ui->calAppuntamenti->setSelectedDate(QDate(2025, 1, 1));
                if (conEsc)
                    QTest::keyClick(calendario.ui->calAppuntamenti, Qt::Key_Escape);
                else
                    calendario.ui->btnAnnulla->click();
                QVERIFY(!calendario.isVisible());
            });

        QVERIFY(aperto);
        QCOMPARE(scheda().txtCreazione->text(), iniziale);
        QVERIFY(scheda().txtScadenza->text().isEmpty());
    }

    void cancellazioneSvuotaSenzaDialogo_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<Qt::Key>("tasto");
        QTest::newRow("Delete in the creation date") << "txtCreazione" << Qt::Key_Delete;
        QTest::newRow("Backspace in the expiry date") << "txtScadenza" << Qt::Key_Backspace;
    }

    void cancellazioneSvuotaSenzaDialogo() {
        QFETCH(QString, campo);
        QFETCH(Qt::Key, tasto);
        campoData(campo)->setText(QStringLiteral("15/06/2020"));

        QVERIFY(!premiInData(campoData(campo), tasto, [](TfrmCalendario&) {}));
        QVERIFY(campoData(campo)->text().isEmpty());
    }

    void altriTagNonScrivonoNulla_data() {
        QTest::addColumn<QString>("tag");
        QTest::newRow("capitals") << "Data_Creazione";
        QTest::newRow("leading blank") << " data_creazione";
        QTest::newRow("trailing blank") << "data_scadenza ";
        QTest::newRow("empty") << "";
        QTest::newRow("design text") << "lblMemory";
    }

    void altriTagNonScrivonoNulla() {
        QFETCH(QString, tag);
        bool restaAperto = false;
        conDialogoModale(
            [&] {
                apriDialogo<TfrmCalendario>(frmBlindoro, [&](TfrmCalendario& calendario) {
                    calendario.ui->lblMemory->setText(tag);
                });
            },
            [&](QWidget* dialogo) {
                static_cast<TfrmCalendario*>(dialogo)->ui->btnImportaData->click();
                restaAperto = dialogo->isVisible();
            });

        QVERIFY(restaAperto);
        QVERIFY(scheda().txtCreazione->text().isEmpty());
        QVERIFY(scheda().txtScadenza->text().isEmpty());
    }

    void calendarioInItaliano() {
        premiInData(scheda().txtCreazione, Qt::Key_A, [](TfrmCalendario& calendario) {
            QCalendarWidget* mese = calendario.ui->calAppuntamenti;
            auto* nomeMese =
                mese->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
            QVERIFY(nomeMese);
            QCOMPARE(nomeMese->text(), QStringLiteral("marzo"));
            QCOMPARE(mese->firstDayOfWeek(), Qt::Monday);
        });
    }

    // --- The attachments window ---

    void sfogliaCopiaIlFileNellaCartella() {
        const QString scelto = documento(QStringLiteral("una cartella/contratto.pdf"));
        scrivi(scelto, "contratto firmato");
        QVERIFY(!QFileInfo::exists(allegati()));
        piattaforma->attendiFile(scelto);

        conAllegati([&](TfrmAllegaCartella& finestra) {
            QVERIFY(!finestra.ui->btnApri02->isEnabled());
            finestra.ui->btnSfoglia02->click();
            QCOMPARE(finestra.ui->txtFile02->text(), QStringLiteral("contratto.pdf"));
            QVERIFY(finestra.ui->btnApri02->isEnabled());
            QVERIFY(!finestra.ui->btnApri01->isEnabled());
            QVERIFY(!finestra.ui->btnApri03->isEnabled());

            finestra.ui->btnApri02->click();
            finestra.ui->txtDesc02->setText(QStringLiteral("Contratto della luce"));
            finestra.ui->btnApplica->click();
        });

        QCOMPARE(piattaforma->dialoghiFile.size(), 1);
        QCOMPARE(piattaforma->dialoghiFile[0].titolo,
                 QStringLiteral("Selezionare il file da allegare:"));
        QCOMPARE(piattaforma->dialoghiFile[0].filtro, QStringLiteral("Tutti i file (*.*)"));
        QCOMPARE(fileSotto(allegati()), QStringList{"contratto.pdf"});
        QCOMPARE(contenuto(allegati() + "contratto.pdf"), QByteArray("contratto firmato"));
        QCOMPARE(contenuto(scelto), QByteArray("contratto firmato"));
        QCOMPARE(piattaforma->aperture.size(), 1);
        QCOMPARE(piattaforma->aperture[0].comando,
                 QLatin1Char('"') + allegati() + QStringLiteral("contratto.pdf\""));
        QCOMPARE(allegatiDellaScheda(),
                 (QStringList{"", "", "contratto.pdf", "Contratto della luce", "", ""}));
    }

    void copiaDiUnFileGrandeIntera() {
        QByteArray dati;
        for (int i = 0; dati.size() < 3 * 1024 * 1024 + 17; ++i)
            dati += QByteArray::number(i) + ' ';
        scrivi(documento("archivio.zip"), dati);
        piattaforma->attendiFile(documento("archivio.zip"));

        conAllegati([](TfrmAllegaCartella& finestra) { finestra.ui->btnSfoglia01->click(); });

        QVERIFY(contenuto(allegati() + "archivio.zip") == dati);
        QCOMPARE(fileSotto(allegati()), QStringList{"archivio.zip"});
    }

    void stessoNomeChiedeSeSovrascrivere_data() {
        QTest::addColumn<Risposta>("risposta");
        QTest::addColumn<QByteArray>("copiaDopo");
        QTest::newRow("Yes replaces the copy") << Risposta::Si << QByteArray("nuovo");
        QTest::newRow("No keeps the old copy") << Risposta::No << QByteArray("vecchio");
    }

    void stessoNomeChiedeSeSovrascrivere() {
        QFETCH(Risposta, risposta);
        QFETCH(QByteArray, copiaDopo);
        scrivi(allegati() + "contratto.pdf", "vecchio");
        scrivi(documento("altra/contratto.pdf"), "nuovo");
        piattaforma->attendiFile(documento("altra/contratto.pdf"));
        piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaSovrascrivi, risposta);

        conAllegati([&](TfrmAllegaCartella& finestra) {
            finestra.ui->btnSfoglia03->click();
            QCOMPARE(finestra.ui->txtFile03->text(), QStringLiteral("contratto.pdf"));
            QVERIFY(finestra.ui->btnApri03->isEnabled());
            finestra.ui->btnApplica->click();
        });

        QCOMPARE(contenuto(allegati() + "contratto.pdf"), copiaDopo);
        QCOMPARE(fileSotto(allegati()), QStringList{"contratto.pdf"});
        QCOMPARE(scheda().lblFile03->text(), QStringLiteral("contratto.pdf"));
    }

    void sceltaAnnullataNonCambiaNulla() {
        impostaAllegati({"fattura.pdf", "Fattura di gennaio"});
        piattaforma->attendiFile(QString());

        conAllegati([&](TfrmAllegaCartella& finestra) {
            finestra.ui->btnSfoglia01->click();
            QCOMPARE(finestra.ui->txtFile01->text(), QStringLiteral("fattura.pdf"));
            QVERIFY(finestra.ui->btnApri01->isEnabled());
            finestra.ui->btnApplica->click();
        });

        QVERIFY(!QFileInfo::exists(allegati()));
        QVERIFY(piattaforma->mostrati.isEmpty());
        QCOMPARE(allegatiDellaScheda(),
                 (QStringList{"fattura.pdf", "Fattura di gennaio", "", "", "", ""}));
    }

    void cancellaEApplicaTieneLaDescrizione() {
        scrivi(allegati() + "fattura.pdf", "fattura");
        impostaAllegati({"fattura.pdf", "Fattura di gennaio", "foto.jpg", "Foto"});

        conAllegati([&](TfrmAllegaCartella& finestra) {
            QVERIFY(finestra.ui->btnApri01->isEnabled());
            finestra.ui->imgCancella01->click();
            QVERIFY(finestra.ui->txtFile01->text().isEmpty());
            QVERIFY(!finestra.ui->btnApri01->isEnabled());
            QCOMPARE(finestra.ui->txtDesc01->text(), QStringLiteral("Fattura di gennaio"));
            finestra.ui->btnApplica->click();
        });

        QCOMPARE(allegatiDellaScheda(),
                 (QStringList{"", "Fattura di gennaio", "foto.jpg", "Foto", "", ""}));
        QCOMPARE(contenuto(allegati() + "fattura.pdf"), QByteArray("fattura"));
    }

    void annullaDopoUnaCopiaTieneLaCopia() {
        impostaAllegati({"", "", "", "", "vecchio.txt", "Vecchio"});
        scrivi(documento("nuovo.txt"), "nuovo");
        piattaforma->attendiFile(documento("nuovo.txt"));

        conAllegati([&](TfrmAllegaCartella& finestra) {
            finestra.ui->btnSfoglia03->click();
            finestra.ui->txtDesc03->setText(QStringLiteral("Nuovo"));
            finestra.ui->btnAnnulla->click();
        });

        QCOMPARE(allegatiDellaScheda(), (QStringList{"", "", "", "", "vecchio.txt", "Vecchio"}));
        QCOMPARE(contenuto(allegati() + "nuovo.txt"), QByteArray("nuovo"));
    }

    void spaziTolti() {
        impostaAllegati({"  polizza.pdf  ", "\t Assicurazione auto  "});
        scrivi(documento(" relazione.txt "), "relazione");
        piattaforma->attendiFile(documento(" relazione.txt "));

        conAllegati([&](TfrmAllegaCartella& finestra) {
            QCOMPARE(finestra.ui->txtFile01->text(), QStringLiteral("polizza.pdf"));
            QCOMPARE(finestra.ui->txtDesc01->text(), QStringLiteral("Assicurazione auto"));
            QVERIFY(finestra.ui->btnApri01->isEnabled());

            finestra.ui->btnSfoglia02->click();
            QCOMPARE(finestra.ui->txtFile02->text(), QStringLiteral(" relazione.txt "));
            finestra.ui->btnApri02->click();
            finestra.ui->txtDesc02->setText(QStringLiteral("  Relazione  "));
            finestra.ui->btnApplica->click();
        });

        QCOMPARE(fileSotto(allegati()), QStringList{"relazione.txt"});
        QCOMPARE(piattaforma->aperture.size(), 1);
        QCOMPARE(piattaforma->aperture[0].comando,
                 QLatin1Char('"') + allegati() + QStringLiteral("relazione.txt\""));
        QCOMPARE(allegatiDellaScheda(), (QStringList{"polizza.pdf", "Assicurazione auto",
                                                     "relazione.txt", "Relazione", "", ""}));
    }

    void nomeConCartellaRestaNegliAllegati_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("nudo");
        QTest::newRow("parent folders") << "../../segreto.txt"
                                        << "segreto.txt";
        QTest::newRow("parent folders with backslashes") << "..\\..\\segreto.txt"
                                                         << "segreto.txt";
        QTest::newRow("absolute path") << "/etc/passwd"
                                       << "passwd";
        QTest::newRow("drive and folders") << "C:\\Documenti\\contratto.pdf"
                                           << "contratto.pdf";
        QTest::newRow("sub-folder and blanks") << "sotto/cartella/ nota.txt "
                                               << "nota.txt";
    }

    void nomeConCartellaRestaNegliAllegati() {
        QFETCH(QString, nome);
        QFETCH(QString, nudo);
        impostaAllegati({nome, "Allegato"});

        conAllegati([&](TfrmAllegaCartella& finestra) {
            QVERIFY(finestra.ui->btnApri01->isEnabled());
            finestra.ui->btnApri01->click();
            finestra.ui->btnApplica->click();
        });

        QCOMPARE(piattaforma->aperture.size(), 1);
        QCOMPARE(piattaforma->aperture[0].comando, QLatin1Char('"') + allegati() + nudo + '"');
        QCOMPARE(piattaforma->aperture[0].indirizzo.toLocalFile(), allegati() + nudo);
        // The record keeps the name it had: only the paths built from it are reduced.
        QCOMPARE(scheda().lblFile01->text(), TogliSpazi(nome));
    }

    void nomeSenzaFileNonApreNulla_data() {
        QTest::addColumn<QString>("nome");
        QTest::newRow("dot") << ".";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("folder and dot dot") << "cartella/..";
        QTest::newRow("folder only") << "cartella/";
        QTest::newRow("folder only, backslash") << "cartella\\";
        QTest::newRow("parent folder, backslash") << "..\\";
    }

    void nomeSenzaFileNonApreNulla() {
        QFETCH(QString, nome);
        impostaAllegati({nome});

        conAllegati([&](TfrmAllegaCartella& finestra) {
            QCOMPARE(finestra.ui->txtFile01->text(), nome);
            QVERIFY(!finestra.ui->btnApri01->isEnabled());
            finestra.btnApriClick(0);
        });

        QVERIFY(piattaforma->aperture.isEmpty());
    }

    void copiaDiUnNomeConBarraRovescia_data() {
        QTest::addColumn<QString>("nomeScelto");
        QTest::addColumn<QString>("nomeMostrato");
        QTest::addColumn<QStringList>("allegatiDopo");
        QTest::newRow("parent folder in the name") << "..\\fuori.txt"
                                                   << "fuori.txt" << QStringList{"fuori.txt"};
        QTest::newRow("nothing left of the name") << "cartella\\"
                                                  << "" << QStringList();
    }

    // A file name may hold a backslash here; it still never reaches outside the folder.
    void copiaDiUnNomeConBarraRovescia() {
        QFETCH(QString, nomeScelto);
        QFETCH(QString, nomeMostrato);
        QFETCH(QStringList, allegatiDopo);
        scrivi(documento(nomeScelto), "dati");
        piattaforma->attendiFile(documento(nomeScelto));

        conAllegati([&](TfrmAllegaCartella& finestra) {
            finestra.ui->btnSfoglia01->click();
            QCOMPARE(finestra.ui->txtFile01->text(), nomeMostrato);
        });

        QCOMPARE(fileSotto(allegati()), allegatiDopo);
        QCOMPARE(fileSotto(piattaforma->cartella),
                 allegatiDopo.isEmpty() ? QStringList()
                                        : QStringList{"Documenti_Allegati/fuori.txt"});
    }

    void copiaFallitaSegnalata_data() {
        QTest::addColumn<QString>("caso");
        QTest::newRow("the chosen file has gone") << "sorgente mancante";
        QTest::newRow("a file stands where the folder should be") << "cartella occupata";
        QTest::newRow("read-only attachments folder") << "cartella in sola lettura";
        QTest::newRow("read-only copy, replaced with Yes") << "copia in sola lettura";
    }

    void copiaFallitaSegnalata() {
        QFETCH(QString, caso);
        const QString scelto = documento(QStringLiteral("estratto.pdf"));
        if (caso != "sorgente mancante")
            scrivi(scelto, "nuovo");
        if (caso == "cartella occupata")
            scrivi(piattaforma->cartella + "Documenti_Allegati", "non una cartella");
        if (caso == "cartella in sola lettura") {
            QVERIFY(QDir().mkpath(allegati()));
            QVERIFY(QFile::setPermissions(allegati(), QFile::ReadOwner | QFile::ExeOwner));
        }
        if (caso == "copia in sola lettura") {
            scrivi(allegati() + "estratto.pdf", "vecchio");
            QVERIFY(QFile::setPermissions(allegati() + "estratto.pdf", QFile::ReadOwner));
            piattaforma->attendi(TipoMessaggio::Conferma, Pulsanti::SiNo, DomandaSovrascrivi,
                                 Risposta::Si);
        }
        piattaforma->attendi(TipoMessaggio::Errore, Pulsanti::OkAnnulla, CopiaNonRiuscita);
        piattaforma->attendiFile(scelto);

        conAllegati([&](TfrmAllegaCartella& finestra) {
            finestra.ui->btnSfoglia02->click();
            QCOMPARE(finestra.ui->txtFile02->text(), QStringLiteral("estratto.pdf"));
            QVERIFY(finestra.ui->btnApri02->isEnabled());
            finestra.ui->btnApplica->click();
        });

        QCOMPARE(scheda().lblFile02->text(), QStringLiteral("estratto.pdf"));
        const QByteArray copia = caso == "copia in sola lettura" ? "vecchio" : "<missing>";
        QCOMPARE(contenuto(allegati() + "estratto.pdf"), copia);
    }

    void applicaSoloPerIlTagBlindoro_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("scrive");
        QTest::newRow("blindoro") << "blindoro" << true;
        QTest::newRow("blindoro with blanks") << "  blindoro " << true;
        QTest::newRow("capital B") << "Blindoro" << false;
        QTest::newRow("design text") << "lblMemory" << false;
    }

    void applicaSoloPerIlTagBlindoro() {
        QFETCH(QString, tag);
        QFETCH(bool, scrive);
        impostaAllegati({"vecchio.pdf", "Vecchio"});
        bool restaAperto = false;
        conDialogoModale(
            [&] {
                apriDialogo<TfrmAllegaCartella>(frmBlindoro, [&](TfrmAllegaCartella& finestra) {
                    finestra.ui->lblMemory->setText(tag);
                    finestra.ui->txtFile01->setText(QStringLiteral("nuovo.pdf"));
                    finestra.ui->txtDesc01->setText(QStringLiteral("Nuovo"));
                });
            },
            [&](QWidget* dialogo) {
                static_cast<TfrmAllegaCartella*>(dialogo)->ui->btnApplica->click();
                restaAperto = dialogo->isVisible();
            });

        QCOMPARE(restaAperto, !scrive);
        QCOMPARE(scheda().lblFile01->text(), QString(scrive ? "nuovo.pdf" : "vecchio.pdf"));
        QCOMPARE(scheda().lblDesc01->text(), QString(scrive ? "Nuovo" : "Vecchio"));
    }

    void invioInUnCampoNonPremePulsanti() {
        impostaAllegati({"polizza.pdf", "Polizza"});
        conAllegati([&](TfrmAllegaCartella& finestra) {
            for (QLineEdit* campo :
                 {finestra.ui->txtFile01, finestra.ui->txtDesc01, finestra.ui->txtDesc03}) {
                campo->setFocus();
                QTest::keyClick(campo, Qt::Key_Return);
                QVERIFY2(finestra.isVisible(), qPrintable(campo->objectName()));
            }
        });
        QCOMPARE(scheda().lblFile01->text(), QStringLiteral("polizza.pdf"));
        QVERIFY(piattaforma->aperture.isEmpty());
    }
};

BLINDORO_TEST_MAIN_SENZA_ROOT(TestDialoghi)

#include "tst_dialoghi.moc"
