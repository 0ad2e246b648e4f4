#include "tst_output.h"

#include "editor/Blindoro.h"
#include "output/StampaCredenziali.h"
#include "report/OggettiRapporto.h"
#include "support/FileProva.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

namespace {

// The card's data memos, in the order the window fills them.
const QStringList MemoDati{"txtArchivio",    "txtTitolo",       "txtURL",       "txtProprietario",
                           "txtUtilizzate",  "txtNote",         "txtDomanda",   "txtRisposta",
                           "txtUtente",      "txtPassword",     "txtCreazione", "txtScadenza",
                           "txtDescrizione", "txtIntestatario", "txtTel",       "txtEmail"};

// What one use of the record window's print command left behind.
struct UsoStampa {
    bool vista = false;              // a modal card window came up, owned by the record window
    bool chiusa = false;             // it was hidden once the action had run
    bool liberata = false;           // and freed when its modal run ended
    QList<PaginaStampa> fogli;       // the card as prepared
    QHash<QString, QRectF> riquadri; // where each data memo lies on the sheet
};

// Presses the record window's print command and runs `azione` on the card window, its printer
// set to write the PDF file `pdf`.
UsoStampa UsaStampa(TfrmBlindoro* scheda, QAbstractButton* cmdStampa, const QString& pdf,
                    const std::function<void(TfrmStampaCredenziali&)>& azione) {
    UsoStampa uso;
    QPointer<QWidget> guardia;
    const bool modale =
        conDialogoModale([&] { QTest::mouseClick(cmdStampa, Qt::LeftButton); },
                         [&](QWidget* aperta) {
                             auto* finestra = qobject_cast<TfrmStampaCredenziali*>(aperta);
                             if (!finestra || finestra->parentWidget() != scheda)
                                 return;
                             uso.vista = true;
                             guardia = finestra;
                             QPrinter& stampante = finestra->RapportoScheda().stampante();
                             stampante.setOutputFormat(QPrinter::PdfFormat);
                             stampante.setOutputFileName(pdf);
                             azione(*finestra);
                             uso.chiusa = !finestra->isVisible();
                             uso.fogli = finestra->RapportoScheda().PaginePreparate();
                             for (const QString& memo : MemoDati)
                                 uso.riquadri[memo] =
                                     finestra->RapportoScheda().FindObject(memo)->riquadro();
                         });
    uso.vista = uso.vista && modale;
    uso.liberata = guardia.isNull();
    return uso;
}

void Premi(TfrmStampaCredenziali& finestra, const char* pulsante) {
    QTest::mouseClick(figlio<QPushButton>(&finestra, pulsante), Qt::LeftButton);
}

// The lines of text that lie inside a box of the sheet, top to bottom.
QList<const ElementoStampa*> RigheNelRiquadro(const PaginaStampa& foglio, const QRectF& riquadro) {
    const QRectF margine = riquadro.adjusted(-1e-3, -1e-3, 1e-3, 1e-3);
    QList<const ElementoStampa*> righe;
    for (const ElementoStampa& e : foglio.elementi)
        if (e.tipo == ElementoStampa::Tipo::Testo && margine.contains(e.riquadro))
            righe << &e;
    return righe;
}

QStringList TestiNelRiquadro(const PaginaStampa& foglio, const QRectF& riquadro) {
    QStringList testi;
    for (const ElementoStampa* e : RigheNelRiquadro(foglio, riquadro))
        testi << e->testo;
    return testi;
}

// Types the lines into a multi-line field, Enter between them.
void DigitaRighe(QWidget* memo, const QStringList& righe) {
    for (qsizetype i = 0; i < righe.size(); ++i) {
        if (i > 0)
            QTest::keyClick(memo, Qt::Key_Return);
        digita(memo, righe.at(i));
    }
}

// A realistic record typed into the record window, and what the card must show of it.
struct ValoreDigitato {
    const char* memo;
    const char* digitato;
    const char* stampato; // lines separated by "\n"
};
constexpr ValoreDigitato RecordDigitato[] = {
    {"txtTitolo", "  Banca Popolare di Esempio ", "Banca Popolare di Esempio"},
    {"txtURL", "https://www.bancaesempio.it/login", "https://www.bancaesempio.it/login"},
    {"txtProprietario", "Banca Popolare di Esempio S.p.A.", "Banca Popolare di Esempio S.p.A."},
    {"txtDescrizione", "Conto corrente principale", "Conto corrente principale"},
    {"txtUtente", "mario.rossi", "mario.rossi"},
    {"txtPassword", "S3gret0!Blu", "S3gret0!Blu"},
    {"txtDomanda", "Nome del primo cane?", "Nome del primo cane?"},
    {"txtRisposta", "Fufi", "Fufi"},
    {"txtUtilizzate", "Primavera2019!\nEstate#2020", "Primavera2019!\nEstate#2020"},
    // Printed literally: the card's memos take no expressions.
    {"txtNote", "Chiamare la filiale [DATE] prima di cambiare il codice.",
     "Chiamare la filiale [DATE] prima di cambiare il codice."},
    {"txtIntestatario", "Mario Rossi", "Mario Rossi"},
    {"txtEmail", "mario.rossi@example.it", "mario.rossi@example.it"},
    {"txtTel", "+39 06 1234567  ", "+39 06 1234567"},
};
const QString Creazione = QStringLiteral("01/02/2024");
const QString Scadenza = QStringLiteral("01/02/2025");
const QString CodiceFiscale = QStringLiteral("RSSMRA80A01H501U");
const Allegati AllegatiRecord{{{QStringLiteral("contratto.pdf"), QStringLiteral("Contratto")},
                               {QStringLiteral("estratto.pdf"), QStringLiteral("Estratto conto")},
                               {}}};

void DigitaRecord(TfrmBlindoro* scheda, ControlliScheda& ui) {
    ui.txtURL->clear();
    for (const ValoreDigitato& valore : RecordDigitato) {
        auto* campo = scheda->findChild<QWidget*>(QString::fromLatin1(valore.memo));
        DigitaRighe(campo, QString::fromUtf8(valore.digitato).split(QLatin1Char('\n')));
    }
    scheda->ImpostaData(CampoData::Creazione, Creazione);
    scheda->ImpostaData(CampoData::Scadenza, Scadenza);
    digita(ui.txtCodFisc, CodiceFiscale);
    scheda->ImpostaAllegati(AllegatiRecord);
}

QHash<QString, QStringList> StampatoAtteso() {
    QHash<QString, QStringList> atteso;
    for (const ValoreDigitato& valore : RecordDigitato)
        atteso[QString::fromLatin1(valore.memo)] =
            QString::fromUtf8(valore.stampato).split(QLatin1Char('\n'));
    atteso[QStringLiteral("txtArchivio")] = QStringList{QStringLiteral("Casa")};
    atteso[QStringLiteral("txtCreazione")] = QStringList{Creazione};
    atteso[QStringLiteral("txtScadenza")] = QStringList{Scadenza};
    return atteso;
}

QString Esegui(const QString& programma, const QStringList& argomenti) {
    QProcess processo;
    processo.start(programma, argomenti);
    if (!processo.waitForFinished(30000) || processo.exitCode() != 0)
        return {};
    return QString::fromUtf8(processo.readAllStandardOutput());
}

// The first page of a PDF file as the user sees it, at `punti` dots per inch.
QImage PrimaPagina(const QString& pdf, int punti) {
    const QString radice = pdf + QStringLiteral("-pagina");
    Esegui(QStringLiteral("pdftoppm"),
           {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(punti),
            QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"), pdf, radice});
    return QImage(radice + QStringLiteral(".png"));
}

// How many pixels of a band of the page (in millimetres) are near white.
int PixelChiari(const QImage& pagina, const QRectF& mm, int punti) {
    const qreal scala = punti / 25.4;
    int chiari = 0;
    for (int y = qRound(mm.top() * scala); y < qRound(mm.bottom() * scala); ++y)
        for (int x = qRound(mm.left() * scala); x < qRound(mm.right() * scala); ++x) {
            const QColor c = pagina.pixelColor(x, y);
            if (c.red() > 225 && c.green() > 225 && c.blue() > 225)
                ++chiari;
        }
    return chiari;
}

} // namespace

// The print command opens a new card window over the record window each time; the window offers
// its two buttons in tab order, with their captions as their names, and frees itself on closing.
void tst_Output::stampaFinestraDellaScheda() {
    QVERIFY(ui().cmdStampa->isEnabled());
    QCOMPARE(ui().cmdStampa->accessibleName(), QStringLiteral("Stampa scheda"));
    QCOMPARE(ui().cmdStampa->accessibleDescription(), QStringLiteral("Stampa la scheda."));

    for (int uso = 0; uso < 2; ++uso) {
        QPointer<QWidget> vista;
        const bool modale = conDialogoModale(
            [&] { ui().cmdStampa->click(); },
            [&](QWidget* finestra) {
                vista = finestra;
                QVERIFY(qobject_cast<TfrmStampaCredenziali*>(finestra));
                QCOMPARE(finestra->parentWidget(), scheda());
                QVERIFY(finestra->isModal());
                const QPoint scarto =
                    finestra->frameGeometry().center() - scheda()->frameGeometry().center();
                QVERIFY2(scarto.manhattanLength() <= 2,
                         qPrintable(QStringLiteral("%1, %2").arg(scarto.x()).arg(scarto.y())));

                auto* annulla = figlio<QPushButton>(finestra, "btnAnnulla");
                auto* stampa = figlio<QPushButton>(finestra, "btnStampa");
                for (QPushButton* pulsante : {annulla, stampa})
                    QCOMPARE(pulsante->accessibleName(), pulsante->text());
                QCOMPARE(annulla->text(), QStringLiteral("Annulla"));
                QCOMPARE(stampa->text(), QStringLiteral("Stampa"));
                QApplication::setActiveWindow(finestra);
                QTRY_COMPARE(QApplication::focusWidget(), annulla);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), stampa);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), annulla);

                for (const char* immagine : {"imgLogo", "imgScheda", "imgStampante"})
                    QVERIFY2(!figlio<QLabel>(finestra, immagine)->pixmap().isNull(), immagine);
            });
        QVERIFY(modale);
        QVERIFY(vista.isNull());
    }
    QCOMPARE(piattaforma->dialoghiStampa, 0);
}

void tst_Output::stampaIlContenutoDellaFinestra_data() {
    QTest::addColumn<bool>("passwordInChiaro");
    QTest::addColumn<bool>("salvataPrima");

    QTest::newRow("typed, not saved, password hidden") << false << false;
    QTest::newRow("typed, not saved, password shown") << true << false;
    QTest::newRow("saved, then the title changed") << false << true;
}

// The card shows what the record window's controls hold when it prints, each text without the
// blanks around it, the password and the answer in clear; the tax code and the attachments never.
void tst_Output::stampaIlContenutoDellaFinestra() {
    QFETCH(bool, passwordInChiaro);
    QFETCH(bool, salvataPrima);

    DigitaRecord(scheda(), ui());
    if (salvataPrima) {
        // The archive keeps an older title; the card takes the one the window shows now.
        const QString titolo = ui().txtTitolo->text();
        ui().txtTitolo->clear();
        digita(ui().txtTitolo, QStringLiteral("Vecchio titolo"));
        piattaforma->attendi(TipoMessaggio::Informazione, Pulsanti::OkAnnulla,
                             QStringLiteral("La scheda corrente è stata inserita in archivio."));
        ui().cmdSalva->click();
        QCOMPARE(scheda()->NumeroScheda(), std::optional<qint64>(1));
        ui().txtTitolo->clear();
        digita(ui().txtTitolo, titolo);
    }
    if (passwordInChiaro)
        ui().btnPassword->click();
    QCOMPARE(ui().txtPassword->echoMode(),
             passwordInChiaro ? QLineEdit::Normal : QLineEdit::Password);
    QCOMPARE(ui().txtRisposta->echoMode(), QLineEdit::Password);

    const QString pdf = piattaforma->cartella + QStringLiteral("scheda.pdf");
    piattaforma->attendiStampante(true);
    const UsoStampa uso = UsaStampa(scheda(), ui().cmdStampa, pdf,
                                    [](TfrmStampaCredenziali& f) { Premi(f, "btnStampa"); });

    QVERIFY(uso.vista);
    QVERIFY(uso.chiusa);
    QVERIFY(uso.liberata);
    QCOMPARE(piattaforma->dialoghiStampa, 1);
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(uso.fogli.size(), 1);
    const PaginaStampa& foglio = uso.fogli.first();
    QCOMPARE(foglio.formato.orientation(), QPageLayout::Portrait);
    QCOMPARE(foglio.formato.pageSize().id(), QPageSize::A4);

    const QHash<QString, QStringList> atteso = StampatoAtteso();
    for (const QString& memo : MemoDati)
        QCOMPARE(TestiNelRiquadro(foglio, uso.riquadri.value(memo)), atteso.value(memo));

    const QStringList assenti{
        CodiceFiscale,          AllegatiRecord[0].file,        AllegatiRecord[0].descrizione,
        AllegatiRecord[1].file, AllegatiRecord[1].descrizione, QStringLiteral("Vecchio titolo")};
    for (const QString& testo : foglio.testi())
        for (const QString& assente : assenti)
            QVERIFY2(!testo.contains(assente), qPrintable(testo));
}

void tst_Output::stampaRigheDeiMemoSenzaVuoteAiBordi_data() {
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QStringList>("digitate");
    QTest::addColumn<QStringList>("stampate");

    QTest::newRow("notes") << "txtNote"
                           << QStringList{"", "", "   ", "Prima riga", "", "Terza riga", "", ""}
                           << QStringList{"Prima riga", "", "Terza riga"};
    QTest::newRow("passwords used before")
        << "txtUtilizzate" << QStringList{" ", "  vecchia1", "", "", "vecchia2  ", "  ", ""}
        << QStringList{"vecchia1", "", "", "vecchia2"};
}

// A multi-line field loses its empty lines (and blanks) at both ends, keeps those inside: the first
// line printed is at the top of its box, the others follow it one line apart.
void tst_Output::stampaRigheDeiMemoSenzaVuoteAiBordi() {
    QFETCH(QString, memo);
    QFETCH(QStringList, digitate);
    QFETCH(QStringList, stampate);

    DigitaRighe(scheda()->findChild<QWidget*>(memo), digitate);
    piattaforma->attendiStampante(true);
    const UsoStampa uso =
        UsaStampa(scheda(), ui().cmdStampa, piattaforma->cartella + QStringLiteral("righe.pdf"),
                  [](TfrmStampaCredenziali& f) { Premi(f, "btnStampa"); });
    QCOMPARE(uso.fogli.size(), 1);

    const QRectF riquadro = uso.riquadri.value(memo);
    const QList<const ElementoStampa*> righe = RigheNelRiquadro(uso.fogli.first(), riquadro);
    QStringList testi;
    for (const ElementoStampa* riga : righe)
        testi << riga->testo;
    QCOMPARE(testi, stampate);
    const qreal passo = righe.first()->riquadro.height();
    for (qsizetype i = 0; i < righe.size(); ++i)
        QVERIFY(qAbs(righe.at(i)->riquadro.top() - (riquadro.top() + i * passo)) < 1e-6);
}

// The window's longest title is far wider than the memo: it stays on one line and the printed
// page shows it up to the memo's right edge and not beyond.
void tst_Output::stampaTitoloLungoTagliatoAlBordo() {
    digita(ui().txtTitolo, QString(300, QLatin1Char('W')));
    const QString titolo = ui().txtTitolo->text();
    QCOMPARE(titolo.size(), 250); // what the field holds

    const QString pdf = piattaforma->cartella + QStringLiteral("titolo.pdf");
    piattaforma->attendiStampante(true);
    const UsoStampa uso = UsaStampa(scheda(), ui().cmdStampa, pdf,
                                    [](TfrmStampaCredenziali& f) { Premi(f, "btnStampa"); });
    QCOMPARE(uso.fogli.size(), 1);
    QCOMPARE(TestiNelRiquadro(uso.fogli.first(), uso.riquadri.value("txtTitolo")),
             QStringList{titolo});
    QCOMPARE(uso.fogli.first().testi().filter(QStringLiteral("WWW")).size(), 1);

    // The memo runs from 40 to 198 mm, its text 0.5 mm inside; the blue block behind it ends at
    // 199 mm. White letters show up to the text's edge, none past it.
    constexpr int punti = 150;
    const QImage pagina = PrimaPagina(pdf, punti);
    QVERIFY(!pagina.isNull());
    QVERIFY(PixelChiari(pagina, QRectF(QPointF(185, 16.3), QPointF(197.2, 19.3)), punti) > 20);
    QCOMPARE(PixelChiari(pagina, QRectF(QPointF(197.8, 16.3), QPointF(198.8, 19.3)), punti), 0);
}

void tst_Output::stampaChiusaSenzaStampare_data() {
    QTest::addColumn<QString>("azione");
    QTest::addColumn<int>("dialoghiStampa");

    QTest::newRow("print dialog cancelled") << "btnStampa" << 1;
    QTest::newRow("Annulla") << "btnAnnulla" << 0;
    QTest::newRow("Escape") << "" << 0;
}

// Cancelling the print dialog, "Annulla" and Escape each close the window and print nothing; the
// record window keeps what it holds.
void tst_Output::stampaChiusaSenzaStampare() {
    QFETCH(QString, azione);
    QFETCH(int, dialoghiStampa);

    digita(ui().txtTitolo, QStringLiteral("Posta personale"));
    if (dialoghiStampa > 0)
        piattaforma->attendiStampante(false);
    const QString pdf = piattaforma->cartella + QStringLiteral("annullata.pdf");
    const UsoStampa uso =
        UsaStampa(scheda(), ui().cmdStampa, pdf, [&azione](TfrmStampaCredenziali& finestra) {
            if (azione.isEmpty())
                QTest::keyClick(&finestra, Qt::Key_Escape);
            else
                Premi(finestra, qPrintable(azione));
        });

    QVERIFY(uso.vista);
    QVERIFY(uso.chiusa);
    QVERIFY(uso.liberata);
    QCOMPARE(piattaforma->dialoghiStampa, dialoghiStampa);
    QCOMPARE(fileSotto(piattaforma->cartella).filter(QStringLiteral(".pdf")), QStringList());
    QCOMPARE(ui().txtTitolo->text(), QStringLiteral("Posta personale"));
}

// The card through the real painter: one A4 page, portrait, with its captions and every value of
// the record, the password in clear.
void tst_Output::stampaSchedaInPdf() {
    DigitaRecord(scheda(), ui());
    const QString pdf = piattaforma->cartella + QStringLiteral("Casa - scheda.pdf");
    piattaforma->attendiStampante(true);
    const UsoStampa uso = UsaStampa(scheda(), ui().cmdStampa, pdf,
                                    [](TfrmStampaCredenziali& f) { Premi(f, "btnStampa"); });
    QVERIFY(uso.chiusa);

    const QString testo =
        Esegui(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QCOMPARE(testo.count(QLatin1Char('\f')), 1);
    const QRegularExpressionMatch formato =
        QRegularExpression(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts \(A4\))"))
            .match(Esegui(QStringLiteral("pdfinfo"), {pdf}));
    QVERIFY(formato.hasMatch());
    QVERIFY(formato.captured(1).toDouble() < formato.captured(2).toDouble()); // portrait

    for (const char* didascalia : {"Titolo sito Web:", "URL:", "Proprietario:", "Domanda segreta:",
                                   "Risposta segreta:", "Nome Utente:", "Password:",
                                   "Data creazione:", "Data scadenza:", "Password già utilizzate",
                                   "Note", "Descrizione", "Intestatario account", "E-mail", "Tel."})
        QVERIFY2(testo.contains(QString::fromUtf8(didascalia)), didascalia);
    const QHash<QString, QStringList> atteso = StampatoAtteso();
    for (const QString& memo : MemoDati)
        for (const QString& riga : atteso.value(memo))
            QVERIFY2(testo.contains(riga), qPrintable(memo + QStringLiteral(": ") + riga));
    QVERIFY(testo.contains(QLatin1String("S3gret0!Blu")));
    QVERIFY(!testo.contains(CodiceFiscale));
}
