// The conventions every window shares: message boxes, the shell hand-over, focus highlight, hint
// line, Enter order, links, picture buttons, and what assistive technology is told of the windows.

#include "gui/Accessibilita.h"
#include "gui/Convenzioni.h"
#include "gui/Finestra.h"
#include "gui/FinestraMessaggio.h"
#include "gui/Guardia.h"
#include "gui/Immagini.h"
#include "gui/Messaggi.h"
#include "gui/OpenURL.h"
#include "gui/PiattaformaQt.h"
#include "support/Accessibile.h"
#include "support/AiutiFinestre.h"
#include "support/PiattaformaProva.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>
#include <memory>
#include <stdexcept>

namespace {

// A window dressed as the program's are: a style sheet that gives its fields a large bold font and
// takes the frames off its buttons. A Qt dialog it opens must not look like that.
void vestiComeLeFinestre(QWidget& finestra) {
    finestra.setStyleSheet(QStringLiteral(
        "QLineEdit { font: bold 16pt \"Verdana\"; } "
        "QPushButton { font: bold 14pt \"Verdana\"; border: none; background: transparent; }"));
    finestra.resize(640, 480);
}

// Every text a window and its children show or tell: captions, titles, tabs, list items, tips,
// accessible names, mnemonic marks aside.
QStringList testiMostrati(const QWidget* finestra) {
    QStringList testi{finestra->windowTitle()};
    QList<const QWidget*> tutti{finestra};
    for (const QWidget* figlio : finestra->findChildren<QWidget*>())
        tutti << figlio;
    for (const QWidget* w : std::as_const(tutti)) {
        testi << w->toolTip() << w->accessibleName();
        if (auto* pulsante = qobject_cast<const QAbstractButton*>(w))
            testi << pulsante->text();
        if (auto* etichetta = qobject_cast<const QLabel*>(w))
            testi << etichetta->text();
        if (auto* gruppo = qobject_cast<const QGroupBox*>(w))
            testi << gruppo->title();
        if (auto* schede = qobject_cast<const QTabWidget*>(w))
            for (int i = 0; i < schede->count(); ++i)
                testi << schede->tabText(i);
        if (auto* elenco = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < elenco->count(); ++i)
                testi << elenco->itemText(i);
    }
    for (QString& testo : testi)
        testo.remove(QLatin1Char('&'));
    testi.removeAll(QString());
    return testi;
}

// The English texts of Qt's print dialog, of its options and of its printer properties.
// clang-format off
const QStringList TestiInglesiStampa{
    "Print", "Printer", "Name:", "Properties", "Location:", "Type:", "Output file:", "Preview",
    "Options >>", "Options <<", "Cancel", "Print to File (PDF)", "Local file", "Write PDF file",
    "Copies", "Options", "Print range", "Print all", "Pages from", "to", "Pages",
    "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated "
    "by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
    "Current Page", "Selection", "Page Set:", "All Pages", "Odd Pages", "Even Pages",
    "Output Settings", "Copies:", "Collate", "Reverse", "Color Mode", "Color", "Grayscale",
    "Double Sided Printing", "Off", "Long side binding", "Short side binding",
    "Printer Properties", "Page", "Job Options", "Advanced",
    "There are conflicts in some options. Please fix them.", "Paper", "Page size:", "Width:",
    "Height:", "Paper source:", "Orientation", "Portrait", "Landscape", "Reverse landscape",
    "Reverse portrait", "Margins", "top margin", "left margin", "right margin", "bottom margin",
    "Page Layout", "Pages per sheet:", "Page order:", "Millimeters (mm)", "Inches (in)",
    "Job Control", "Scheduled printing:", "Billing information:", "Job priority:",
    "Banner Pages", "Start:", "End:", "Print Immediately", "Hold Indefinitely", "None",
    "Unclassified", "Confidential"};
// clang-format on

} // namespace

class tst_Gui : public QObject {
    Q_OBJECT

    std::unique_ptr<PiattaformaProva> piattaforma;

    static QAccessibleInterface* interfaccia(QObject* oggetto) {
        return QAccessible::queryAccessibleInterface(oggetto);
    }

private Q_SLOTS:
    // As when a screen reader listens: the toolkit announces every change, and makes the
    // interfaces it needs for that as soon as widgets are built.
    void initTestCase() { QAccessible::setActive(true); }

    void init() { piattaforma = std::make_unique<PiattaformaProva>(); }

    void cleanup() {
        VERIFICA_PIATTAFORMA(*piattaforma);
        piattaforma.reset();
    }

    void finestreMessaggioHannoDidascaliaEPulsanti_data() {
        QTest::addColumn<TipoMessaggio>("tipo");
        QTest::addColumn<Pulsanti>("pulsanti");
        QTest::addColumn<QString>("didascalia");
        QTest::addColumn<QStringList>("testiPulsanti");
        QTest::newRow("avviso") << TipoMessaggio::Avviso << Pulsanti::OkAnnulla << "Warning"
                                << QStringList{"OK", "Annulla"};
        QTest::newRow("errore") << TipoMessaggio::Errore << Pulsanti::OkAnnulla << "Error"
                                << QStringList{"OK", "Annulla"};
        QTest::newRow("informazione") << TipoMessaggio::Informazione << Pulsanti::OkAnnulla
                                      << "Information" << QStringList{"OK", "Annulla"};
        QTest::newRow("conferma") << TipoMessaggio::Conferma << Pulsanti::SiNo << "Confirm"
                                  << QStringList{"Sì", "No"};
        QTest::newRow("semplice") << TipoMessaggio::Semplice << Pulsanti::Ok << ""
                                  << QStringList{"OK"};
    }

    void finestreMessaggioHannoDidascaliaEPulsanti() {
        QFETCH(TipoMessaggio, tipo);
        QFETCH(Pulsanti, pulsanti);
        QFETCH(QString, didascalia);
        QFETCH(QStringList, testiPulsanti);
        const auto box = creaFinestraMessaggio(nullptr, tipo, pulsanti,
                                               QStringLiteral("Prima riga.\n\rSeconda riga."));
        QCOMPARE(box->windowTitle(), didascalia);
        QCOMPARE(box->icon() == QMessageBox::NoIcon, tipo == TipoMessaggio::Semplice);
        QCOMPARE(box->text(), QStringLiteral("Prima riga.\nSeconda riga."));
        QStringList testi;
        for (QAbstractButton* pulsante : box->buttons())
            testi << pulsante->text().remove(QLatin1Char('&'));
        testi.sort();
        testiPulsanti.sort();
        QCOMPARE(testi, testiPulsanti);
    }

    void confermaRispondeSoloSiONo() {
        PiattaformaQt sistema;
        Risposta risposta = Risposta::Ok;
        bool ancoraAperta = false;
        conDialogoModale(
            [&] {
                risposta = sistema.messaggio(nullptr, TipoMessaggio::Conferma, Pulsanti::SiNo,
                                             QStringLiteral("Si conferma?"));
            },
            [&](QWidget* box) {
                QTest::keyClick(box, Qt::Key_Escape);
                box->close();
                QTest::qWait(20);
                ancoraAperta = box->isVisible();
                static_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
            });
        QVERIFY(ancoraAperta);
        QCOMPARE(risposta, Risposta::No);
    }

    void avvisoSiChiudeConEntrambiIPulsantiEConEsc() {
        PiattaformaQt sistema;
        for (int modo = 0; modo < 3; ++modo) {
            bool visto = conDialogoModale(
                [&] {
                    sistema.messaggio(nullptr, TipoMessaggio::Avviso, Pulsanti::OkAnnulla,
                                      QStringLiteral("Attenzione."));
                },
                [&](QWidget* box) {
                    auto* messaggio = static_cast<QMessageBox*>(box);
                    if (modo == 0)
                        messaggio->button(QMessageBox::Ok)->click();
                    else if (modo == 1)
                        messaggio->button(QMessageBox::Cancel)->click();
                    else
                        QTest::keyClick(box, Qt::Key_Escape);
                    QVERIFY(!box->isVisible());
                });
            QVERIFY(visto);
        }
    }

    void consegnaAlSistema_data() {
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QUrl>("atteso");
        const QString conSpazi = QStringLiteral("/tmp/cartella con spazi/Guida.pdf");
        QTest::newRow("sito https")
            << "https://www.esempio.it/accesso" << QUrl("https://www.esempio.it/accesso");
        QTest::newRow("sito http") << "http://esempio.it" << QUrl("http://esempio.it");
        QTest::newRow("schema maiuscolo") << "HTTPS://ESEMPIO.IT" << QUrl("https://esempio.it");
        QTest::newRow("posta tra virgolette")
            << "\"mailto:info@esempio.it?subject=Software Blindoro\""
            << QUrl("mailto:info@esempio.it?subject=Software Blindoro", QUrl::TolerantMode);
        QTest::newRow("documento con spazi")
            << "\"" + conSpazi + "\"" << QUrl::fromLocalFile(conSpazi);
        QTest::newRow("javascript") << "javascript:alert(1)" << QUrl();
        QTest::newRow("file") << "file:///etc/passwd" << QUrl();
        QTest::newRow("ftp") << "ftp://esempio.it" << QUrl();
        QTest::newRow("vuoto") << "" << QUrl();
        QTest::newRow("virgolette vuote") << "\"\"" << QUrl();
    }

    void consegnaAlSistema() {
        QFETCH(QString, comando);
        QFETCH(QUrl, atteso);
        TMisc::Open(comando);
        if (atteso.isEmpty()) {
            QVERIFY(piattaforma->aperture.isEmpty());
            return;
        }
        QCOMPARE(piattaforma->aperture.size(), 1);
        QCOMPARE(piattaforma->aperture[0].comando, comando);
        QCOMPARE(piattaforma->aperture[0].indirizzo, atteso);
        if (atteso.isLocalFile())
            QCOMPARE(piattaforma->aperture[0].indirizzo.toLocalFile(), atteso.toLocalFile());
    }

    // A user action runs under its guard: a failure it does not catch ends it with the error box
    // and its own text, and the window goes on; a failure of one kind is told like any other.
    void azioneSottoGuardia_data() {
        QTest::addColumn<bool>("conTastoInvio");
        QTest::newRow("a click") << false;
        QTest::newRow("Enter in a field") << true;
    }

    void azioneSottoGuardia() {
        QFETCH(bool, conTastoInvio);
        QWidget finestra;
        auto* layout = new QVBoxLayout(&finestra);
        auto* campo = new QLineEdit(&finestra);
        auto* pulsante = new QPushButton(QStringLiteral("Salva"), &finestra);
        layout->addWidget(campo);
        layout->addWidget(pulsante);
        int volte = 0;
        const auto salva = [&volte] {
            ++volte;
            if (volte == 1)
                throw std::runtime_error("Spazio su disco esaurito.");
            if (volte == 2)
                throw 42;
        };
        auto* invio = new TastoInvio(&finestra);
        invio->esegui(campo, salva);
        connect(pulsante, &QPushButton::clicked, &finestra, SottoGuardia(salva));
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        QApplication::setActiveWindow(&finestra);
        const auto premi = [&] {
            if (conTastoInvio)
                QTest::keyClick(campo, Qt::Key_Return);
            else
                QTest::mouseClick(pulsante, Qt::LeftButton);
        };

        piattaforma->attendi(TipoMessaggio::Errore, Pulsanti::Ok,
                             QStringLiteral("Spazio su disco esaurito."));
        premi();
        piattaforma->attendi(TipoMessaggio::Errore, Pulsanti::Ok,
                             QStringLiteral("Errore imprevisto."));
        premi();
        premi();
        QCOMPARE(volte, 3);
        QCOMPARE(piattaforma->mostrati.size(), 2);
        QVERIFY(finestra.isVisible());
    }

    void evidenziazioneSfondoSegueIlFocus() {
        QWidget finestra;
        auto* layout = new QVBoxLayout(&finestra);
        auto* bianco = new QLineEdit(&finestra);
        auto* grigio = new QLineEdit(&finestra);
        auto* pulsante = new QPushButton(QStringLiteral("OK"), &finestra);
        layout->addWidget(bianco);
        layout->addWidget(grigio);
        layout->addWidget(pulsante);
        auto* evidenziazione = new EvidenziazioneSfondo(&finestra);
        evidenziazione->aggiungi(bianco, Colori::AliceBlue);
        evidenziazione->aggiungi(grigio, Colori::White);
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        QApplication::setActiveWindow(&finestra);
        const QPoint interno(6, 4);
        pulsante->setFocus();

        QCOMPARE(coloreVisto(bianco, interno), Colori::AliceBlue);
        QCOMPARE(coloreVisto(grigio, interno), Colori::White);
        QCOMPARE(coloreVisto(bianco, QPoint(0, bianco->height() / 2)), Colori::SkyBlue);
        bianco->setFocus();
        QTRY_COMPARE(coloreVisto(bianco, interno), Colori::Yellow);
        grigio->setFocus();
        QTRY_COMPARE(coloreVisto(grigio, interno), Colori::Yellow);
        QCOMPARE(coloreVisto(bianco, interno), Colori::AliceBlue);
    }

    void evidenziazioneAloneSegueIlFocus() {
        QWidget finestra;
        auto* campo = new QLineEdit(&finestra);
        campo->setGeometry(20, 20, 200, 30);
        auto* altro = new QLineEdit(&finestra);
        altro->setGeometry(20, 80, 200, 30);
        auto* evidenziazione = new EvidenziazioneAlone(&finestra);
        QWidget* alone = evidenziazione->aggiungi(campo, QStringLiteral("effPassword"));
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        QApplication::setActiveWindow(&finestra);

        QCOMPARE(finestra.findChild<QWidget*>(QStringLiteral("effPassword")), alone);
        QCOMPARE(alone->geometry(), QRect(16, 16, 208, 38));
        altro->setFocus();
        QVERIFY(!alone->isVisible());
        campo->setFocus();
        QTRY_VERIFY(alone->isVisible());
        QCOMPARE(coloreVisto(&finestra, QPoint(19, 35)), Colori::Yellow);
        altro->setFocus();
        QTRY_VERIFY(!alone->isVisible());
    }

    void rigaSuggerimentiSegueIlMouse() {
        QWidget finestra;
        finestra.resize(400, 200);
        auto* comando = new QPushButton(QStringLiteral("Salva"), &finestra);
        comando->setGeometry(10, 10, 80, 30);
        auto* didascalia = new QLabel(QStringLiteral("Titolo sito Web:"), &finestra);
        didascalia->setGeometry(10, 60, 150, 20);
        auto* riga =
            new QLabel(QStringLiteral("Pronto per archiviare una nuova scheda..."), &finestra);
        riga->setGeometry(0, 170, 400, 30);
        auto* suggerimenti = new RigaSuggerimenti(riga);
        suggerimenti->suggerimento(comando, QStringLiteral("Salva la scheda in archivio."));
        suggerimenti->sfondo(&finestra);
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));

        QTest::mouseMove(&finestra, QPoint(300, 100));
        QTest::mouseMove(comando, QPoint(20, 10));
        QTRY_COMPARE(riga->text(), QStringLiteral("Salva la scheda in archivio."));
        QTest::mouseMove(didascalia, QPoint(30, 10));
        QTest::qWait(20);
        QCOMPARE(riga->text(), QStringLiteral("Salva la scheda in archivio."));
        QTest::mouseMove(&finestra, QPoint(300, 100));
        QTRY_COMPARE(riga->text(), QString());
    }

    void invioSpostaIlFocusEMaiPremeUnPulsante() {
        QDialog dialogo;
        auto* layout = new QVBoxLayout(&dialogo);
        auto* primo = new QLineEdit(&dialogo);
        auto* secondo = new QLineEdit(&dialogo);
        auto* libero = new QLineEdit(&dialogo);
        auto* ok = new QPushButton(QStringLiteral("OK"), &dialogo);
        for (QWidget* w : {static_cast<QWidget*>(primo), static_cast<QWidget*>(secondo),
                           static_cast<QWidget*>(libero), static_cast<QWidget*>(ok)})
            layout->addWidget(w);
        ok->setDefault(true);
        int premuto = 0;
        connect(ok, &QPushButton::clicked, &dialogo, [&premuto] { ++premuto; });
        auto* invio = new TastoInvio(&dialogo);
        invio->sposta(primo, secondo);
        invio->sposta(secondo, primo);
        dialogo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialogo));
        QApplication::setActiveWindow(&dialogo);

        primo->setFocus();
        QTest::keyClick(primo, Qt::Key_Return);
        QTRY_VERIFY(secondo->hasFocus());
        QTest::keyClick(secondo, Qt::Key_Enter);
        QTRY_VERIFY(primo->hasFocus());
        libero->setFocus();
        QTest::keyClick(libero, Qt::Key_Return);
        QVERIFY(libero->hasFocus());
        QCOMPARE(premuto, 0);
        QVERIFY(dialogo.isVisible());
    }

    // A picture button pressed through assistive technology: the press returns at once, the
    // click follows from the event loop (a click that opens a modal window would otherwise hold
    // the screen reader until that window closes). A button the program did not prepare is
    // pressed the same way.
    void pulsanteImmaginePremutoSenzaAttendere_data() {
        QTest::addColumn<bool>("preparato");
        QTest::newRow("prepared picture") << true;
        QTest::newRow("plain tool button") << false;
    }

    void pulsanteImmaginePremutoSenzaAttendere() {
        QFETCH(bool, preparato);
        QWidget finestra;
        auto* pulsante = new QToolButton(&finestra);
        pulsante->setText(QStringLiteral("Salva"));
        if (preparato)
            preparaPulsanteImmagine(pulsante,
                                    Comando{QStringLiteral("Salva"),
                                            QStringLiteral("Salva la scheda in archivio."),
                                            {QStringLiteral("Ctrl+S"), QStringLiteral("Ctrl+S")}});
        int clic = 0;
        connect(pulsante, &QToolButton::clicked, &finestra, [&clic] { ++clic; });
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));

        QAccessibleInterface* premibile = interfaccia(pulsante);
        QVERIFY(premibile);
        QCOMPARE(premibile->role(), QAccessible::Button);
        QCOMPARE(premibile->text(QAccessible::Name), QStringLiteral("Salva"));
        QAccessibleActionInterface* azioni = premibile->actionInterface();
        QVERIFY(azioni);
        QVERIFY(azioni->actionNames().contains(QAccessibleActionInterface::pressAction()));
        azioni->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clic, 0);
        QTRY_COMPARE(clic, 1);
        QTest::qWait(150);
        QCOMPARE(clic, 1);

        if (preparato) {
            QCOMPARE(premibile->text(QAccessible::Description),
                     QStringLiteral("Salva la scheda in archivio."));
            QCOMPARE(pulsante->toolTip(), QStringLiteral("Salva la scheda in archivio. (Ctrl+S)"));
            QCOMPARE(azioni->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
                     QStringList{QStringLiteral("Ctrl+S")});
            QCOMPARE(pulsante->cursor().shape(), Qt::PointingHandCursor);
        }
        pulsante->setEnabled(false);
        azioni->doAction(QAccessibleActionInterface::pressAction());
        QTest::qWait(150);
        QCOMPARE(clic, 1);
    }

    // A picture's keys press it from anywhere in its window, the focus staying where it is, even
    // when the picture takes no focus; Enter and Space press the picture that has the focus, in a
    // window that is not a dialog too, and a push button prepared as a picture alike.
    void pulsanteImmagineDallaTastiera() {
        QWidget finestra;
        auto* layout = new QVBoxLayout(&finestra);
        auto* campo = new QLineEdit(&finestra);
        auto* salva = new QToolButton(&finestra);
        salva->setFocusPolicy(Qt::NoFocus);
        auto* immagine = new QToolButton(&finestra);
        auto* testo = new QPushButton(QStringLiteral("Crea nuovo blindoro"), &finestra);
        for (QWidget* w : {static_cast<QWidget*>(campo), static_cast<QWidget*>(salva),
                           static_cast<QWidget*>(immagine), static_cast<QWidget*>(testo)})
            layout->addWidget(w);
        preparaPulsanteImmagine(salva,
                                Comando{QStringLiteral("Salva"),
                                        QString(),
                                        {QStringLiteral("Ctrl+S"), QStringLiteral("Ctrl+S")}});
        preparaPulsanteImmagine(immagine, QStringLiteral("Informazioni su Blindoro"));
        preparaPulsanteImmagine(testo, QStringLiteral("Crea nuovo blindoro"));
        QMap<QAbstractButton*, int> clic;
        for (QAbstractButton* p :
             {static_cast<QAbstractButton*>(salva), static_cast<QAbstractButton*>(immagine),
              static_cast<QAbstractButton*>(testo)})
            connect(p, &QAbstractButton::clicked, &finestra, [&clic, p] { ++clic[p]; });
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        QApplication::setActiveWindow(&finestra);

        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(clic.value(salva), 1);
        QVERIFY(campo->hasFocus());
        QCOMPARE(salva->toolTip(), QStringLiteral("Salva (Ctrl+S)"));

        for (QAbstractButton* p :
             {static_cast<QAbstractButton*>(immagine), static_cast<QAbstractButton*>(testo)}) {
            p->setFocus();
            QTRY_VERIFY(p->hasFocus());
            QTest::keyClick(p, Qt::Key_Return);
            QCOMPARE(clic.value(p), 1);
            QTest::keyClick(p, Qt::Key_Enter, Qt::KeypadModifier);
            QCOMPARE(clic.value(p), 2);
            QTest::keyClick(p, Qt::Key_Space);
            QCOMPARE(clic.value(p), 3);
            QTest::keyClick(p, Qt::Key_Return, Qt::ControlModifier);
            QCOMPARE(clic.value(p), 3);
        }
    }

    // Long-lived windows are windows and dialogs dialogs, each named by its caption; a frame is a
    // box, no window; decorations are offered as nothing, even when the toolkit had made an
    // interface for them before they were marked.
    void ruoliOffertiAllaTecnologiaAssistiva() {
        class Lunga : public TFinestraLunga {
        public:
            Lunga()
                : TFinestraLunga(Modo::Centrata) {}
        } lunga;
        lunga.setWindowTitle(QStringLiteral(" Blindoro"));
        TDialogo dialogo(&lunga, QSize(200, 100));
        dialogo.setWindowTitle(QStringLiteral(" Stampa scheda"));
        QCOMPARE(interfaccia(&lunga)->role(), QAccessible::Window);
        QCOMPARE(interfaccia(&lunga)->text(QAccessible::Name), QStringLiteral(" Blindoro"));
        QCOMPARE(interfaccia(&dialogo)->role(), QAccessible::Dialog);
        QCOMPARE(interfaccia(&dialogo)->text(QAccessible::Name), QStringLiteral(" Stampa scheda"));

        auto* riquadro = new QFrame(&lunga);
        auto* immagine = new ImmagineSvg(&lunga);
        auto* nascosto = new QPushButton(QStringLiteral("Fine modifica"), &lunga);
        QCOMPARE(interfaccia(nascosto)->role(), QAccessible::Button);
        segnaDecorazione(nascosto);
        QVERIFY(interfaccia(riquadro)->role() != QAccessible::Border);
        for (QWidget* decorazione :
             {static_cast<QWidget*>(immagine), static_cast<QWidget*>(nascosto)}) {
            QAccessibleInterface* i = interfaccia(decorazione);
            QVERIFY(i->state().invisible);
            QVERIFY(!i->state().focusable);
            QCOMPARE(i->text(QAccessible::Name), QString());
            QVERIFY(!i->actionInterface() || i->actionInterface()->actionNames().isEmpty());
        }
        QVERIFY2(problemiDecorazioni(&lunga).isEmpty(),
                 qPrintable(problemiDecorazioni(&lunga).join(QLatin1Char('\n'))));
    }

    // A label named from its text is read with the text it holds at that moment.
    void etichettaLettaConIlSuoTesto() {
        QWidget finestra;
        auto* etichetta = new QLabel(&finestra);
        nomeDaTesto(etichetta, [](const QString& numero) {
            return numero.isEmpty() ? QStringLiteral("nessuna")
                                    : QStringLiteral("Scheda ") + numero;
        });
        QCOMPARE(interfaccia(etichetta)->text(QAccessible::Name), QStringLiteral("nessuna"));
        etichetta->setText(QStringLiteral("3"));
        QCOMPARE(interfaccia(etichetta)->role(), QAccessible::StaticText);
        QCOMPARE(interfaccia(etichetta)->text(QAccessible::Name), QStringLiteral("Scheda 3"));
    }

    // The reading-order check of the window tests finds a control reached out of its place, and
    // reads a framed block whole before the next one.
    void ordineDiLetturaDeiControlli() {
        QWidget finestra;
        finestra.resize(400, 300);
        auto* blocco = new QFrame(&finestra);
        blocco->setGeometry(0, 0, 190, 200);
        auto* primo = new QLineEdit(blocco);
        primo->setGeometry(10, 10, 150, 25);
        auto* secondo = new QLineEdit(blocco);
        secondo->setGeometry(10, 100, 150, 25);
        auto* destra = new QLineEdit(&finestra);
        destra->setGeometry(200, 10, 150, 25);
        auto* sotto = new QPushButton(QStringLiteral("OK"), &finestra);
        sotto->setGeometry(10, 250, 80, 30);
        const QList<QWidget*> controlli{primo, secondo, destra, sotto};
        for (int i = 0; i < controlli.size(); ++i)
            controlli[i]->setObjectName(QStringLiteral("c%1").arg(i));
        for (int i = 0; i + 1 < controlli.size(); ++i)
            QWidget::setTabOrder(controlli[i], controlli[i + 1]);
        QVERIFY2(problemiOrdineTab(&finestra).isEmpty(),
                 qPrintable(problemiOrdineTab(&finestra).join(QLatin1Char('\n'))));
        QWidget::setTabOrder(primo, destra);
        QWidget::setTabOrder(destra, secondo);
        const QString problemi = problemiOrdineTab(&finestra).join(QLatin1Char('\n'));
        QVERIFY2(problemi.contains(QStringLiteral("from c2 to c1")), qPrintable(problemi));
    }

    void collegamentoCambiaColoreEApre() {
        QWidget finestra;
        auto* testo = new QPushButton(QStringLiteral("Visualizza guida in formato PDF"), &finestra);
        auto* icona = new QToolButton(&finestra);
        icona->move(0, 40);
        int aperture = 0;
        preparaCollegamento(testo, icona, [&aperture] { ++aperture; });
        const auto colore = [testo] { return testo->palette().color(QPalette::ButtonText); };
        QCOMPARE(colore(), Colori::Collegamento);
        QVERIFY(testo->font().underline());

        for (QAbstractButton* parte :
             {static_cast<QAbstractButton*>(testo), static_cast<QAbstractButton*>(icona)}) {
            QTest::mousePress(parte, Qt::LeftButton);
            QCOMPARE(colore(), Colori::CollegamentoPremuto);
            QTest::mouseRelease(parte, Qt::LeftButton);
            QCOMPARE(colore(), Colori::Collegamento);
        }
        QCOMPARE(aperture, 2);
        QCOMPARE(icona->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(icona->accessibleName(), testo->text());
    }

    // Qt's own dialogs opened by a styled window keep Qt's look: they are no child of the window,
    // so its style sheet does not reach them; they stand over it, centred.
    void dialoghiQtFuoriDalloStileDellaFinestra_data() {
        QTest::addColumn<QString>("dialogo");
        QTest::newRow("message box") << "messaggio";
        QTest::newRow("file dialog") << "file";
        QTest::newRow("print dialog") << "stampa";
    }

    void dialoghiQtFuoriDalloStileDellaFinestra() {
        QFETCH(QString, dialogo);
        PiattaformaQt sistema;
        QWidget finestra;
        vestiComeLeFinestre(finestra);
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        auto* campo = new QLineEdit(&finestra);
        QVERIFY(campo->style() != QApplication::style()); // the window's style sheet is at work

        QPrinter stampante;
        const QTemporaryDir cartella;
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(cartella.filePath(QStringLiteral("Riepilogo dati.pdf")));
        const auto apri = [&] {
            if (dialogo == QLatin1String("messaggio"))
                sistema.messaggio(campo, TipoMessaggio::Informazione, Pulsanti::OkAnnulla,
                                  QStringLiteral("Operazione completata."));
            else if (dialogo == QLatin1String("file"))
                sistema.scegliFile(campo, QStringLiteral("Seleziona il file"),
                                   QStringLiteral("Tutti i file (*.*)"));
            else
                sistema.scegliStampante(campo, stampante, 3);
        };
        const bool visto = conDialogoModale(apri, [&](QWidget* aperto) {
            QCOMPARE(aperto->parentWidget(), nullptr);
            QCOMPARE(aperto->windowHandle()->transientParent(), finestra.windowHandle());
            const QPoint scarto =
                aperto->frameGeometry().center() - finestra.frameGeometry().center();
            QVERIFY2(scarto.manhattanLength() <= 2,
                     qPrintable(QStringLiteral("%1,%2").arg(scarto.x()).arg(scarto.y())));
            const QList<QWidget*> controlli = aperto->findChildren<QWidget*>();
            QVERIFY(!controlli.isEmpty());
            for (const QWidget* controllo : controlli) {
                QVERIFY2(controllo->style() == QApplication::style(),
                         controllo->metaObject()->className());
                if (qobject_cast<const QLineEdit*>(controllo) ||
                    qobject_cast<const QPushButton*>(controllo))
                    QCOMPARE(controllo->font(), QApplication::font(controllo));
            }
        });
        QVERIFY(visto);
    }

    // Every text Qt's print dialog shows is Italian, with Qt's catalogue and the program's own:
    // the dialog, its options and, though the program never offers them, the printer's
    // properties.
    void dialogoDiStampaInItaliano() {
        PiattaformaQt sistema;
        QWidget finestra;
        finestra.show();
        QPrinter stampante;
        const QTemporaryDir cartella;
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(cartella.filePath(QStringLiteral("Scheda.pdf")));
        QStringList testi;
        bool proprietaViste = false;
        conDialogoModale(
            [&] { sistema.scegliStampante(&finestra, stampante, 3); },
            [&](QWidget* dialogo) {
                testi = testiMostrati(dialogo);
                auto* proprieta = dialogo->findChild<QPushButton*>(QStringLiteral("properties"));
                QVERIFY(proprieta);
                proprieta->show();
                proprietaViste = conDialogoModale(
                    [&] { proprieta->click(); },
                    [&](QWidget* finestraProprieta) { testi += testiMostrati(finestraProprieta); });
            });
        QVERIFY(proprietaViste);
        for (const QString& inglese : TestiInglesiStampa)
            QVERIFY2(!testi.contains(inglese), qPrintable(inglese));
        for (const char* italiano : {"Stampa fronte/retro", "Disattivata",
                                     "Rilegatura sul lato lungo", "Rilegatura sul lato corto",
                                     "Pagine", "Avanzate", "File di output:", "Scala di grigi"})
            QVERIFY2(testi.contains(QString::fromUtf8(italiano)), italiano);
    }

    // The print dialog knows the document's pages and offers only what the printing honours:
    // no page past the last, no printer properties (paper, orientation, margins), no pages picked
    // by a print server; the range, copies, collation, order and grey scale reach the printer.
    void dialogoDiStampaOffreSoloCioCheSiOnora() {
        PiattaformaQt sistema;
        QWidget finestra;
        finestra.show();
        QPrinter stampante;
        const QTemporaryDir cartella;
        stampante.setOutputFormat(QPrinter::PdfFormat);
        const QString stampe = cartella.filePath(QStringLiteral("Documenti di Mario Rossi/Stampe"));
        QVERIFY(QDir().mkpath(stampe));
        stampante.setOutputFileName(stampe + QStringLiteral("/Riepilogo dati.pdf"));

        const auto scegli = [](QWidget* dialogo) {
            const auto trova = [dialogo](const char* nome) {
                return dialogo->findChild<QWidget*>(QLatin1String(nome));
            };
            const auto pulsante = [&](const char* nome) {
                return qobject_cast<QAbstractButton*>(trova(nome));
            };
            for (const char* nascosto : {"properties", "pagesRadioButton", "pagesLineEdit",
                                         "pageSetCombo", "printCurrentPage", "printSelection"}) {
                QVERIFY2(trova(nascosto), nascosto);
                QVERIFY2(!trova(nascosto)->isVisibleTo(dialogo), nascosto);
            }
            for (const QWidget* controllo : dialogo->findChildren<QWidget*>()) {
                if (!controllo->isVisibleTo(dialogo))
                    continue;
                QVERIFY2(!qobject_cast<const QDoubleSpinBox*>(controllo),
                         qPrintable(controllo->objectName()));
                if (auto* scelta = qobject_cast<const QRadioButton*>(controllo))
                    QVERIFY2(!scelta->text().contains(QStringLiteral("Verticale")) &&
                                 !scelta->text().contains(QStringLiteral("Orizzontale")),
                             qPrintable(scelta->text()));
            }

            // The whole path of the file to write shows.
            auto* percorso = qobject_cast<QLineEdit*>(trova("filename"));
            QVERIFY(percorso);
            QVERIFY(percorso->text().endsWith(QStringLiteral("/Riepilogo dati.pdf")));
            QVERIFY2(percorso->width() >=
                         percorso->fontMetrics().horizontalAdvance(percorso->text()),
                     qPrintable(QString::number(percorso->width())));

            // The options, shown as the user does.
            for (QPushButton* comando : dialogo->findChildren<QPushButton*>())
                if (comando->text().startsWith(QStringLiteral("&Opzioni")))
                    comando->click();
            auto* da = qobject_cast<QSpinBox*>(trova("from"));
            auto* a = qobject_cast<QSpinBox*>(trova("to"));
            QVERIFY(da && a && da->isVisible());
            QCOMPARE(da->minimum(), 1);
            QCOMPARE(a->maximum(), 36);
            QCOMPARE(a->value(), 36);
            pulsante("printRange")->click();
            da->setValue(40);
            QCOMPARE(da->value(), 36);
            da->setValue(2);
            a->setValue(5);
            qobject_cast<QSpinBox*>(trova("copies"))->setValue(2);
            pulsante("collate")->setChecked(false);
            pulsante("reverse")->setChecked(true);
            QVERIFY(pulsante("grayscale")->isVisibleTo(trova("optionsTab")));
            pulsante("grayscale")->setChecked(true);
            dialogo->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        };
        bool confermato = false;
        QVERIFY(conDialogoModale(
            [&] { confermato = sistema.scegliStampante(&finestra, stampante, 36); }, scegli));
        QVERIFY(confermato);
        QCOMPARE(stampante.printRange(), QPrinter::PageRange);
        QCOMPARE(stampante.fromPage(), 2);
        QCOMPARE(stampante.toPage(), 5);
        QCOMPARE(stampante.copyCount(), 2);
        QVERIFY(!stampante.collateCopies());
        QCOMPARE(stampante.pageOrder(), QPrinter::LastPageFirst);
        QCOMPARE(stampante.colorMode(), QPrinter::GrayScale);
    }
};

BLINDORO_TEST_MAIN(tst_Gui)
#include "tst_gui.moc"
