#include "app/Avvio.h"
#include "app/Finestre.h"
#include "core/helptext/Produttore.h"
#include "gui/Convenzioni.h"
#include "help/Guida.h"
#include "help/Info.h"
#include "help/Splash.h"
#include "support/AiutiFinestre.h"
#include "support/PiattaformaProva.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextBlock>
#include <QToolButton>

namespace {

// What the help window shows: its title, and the body split at the empty lines between
// paragraphs, each paragraph one text block.
void verificaArgomento(QWidget* finestra, const QString& titolo, const QStringList& paragrafi) {
    QCOMPARE(figlio<QLabel>(finestra, "lblTitolo")->text(), titolo);
    const QTextDocument* testo = figlio<QPlainTextEdit>(finestra, "txtGuida")->document();
    QCOMPARE(testo->blockCount(), 2 * paragrafi.size() - 1);
    for (int i = 0; i < testo->blockCount(); ++i) {
        const QString blocco = testo->findBlockByNumber(i).text();
        QCOMPARE(blocco, i % 2 == 0 ? paragrafi.at(i / 2) : QString());
    }
}

std::unique_ptr<TDialogo> creaFinestra(const QString& nome) {
    if (nome == QLatin1String("guida"))
        return std::make_unique<TfrmGuida>();
    if (nome == QLatin1String("info"))
        return std::make_unique<TfrmInfo>();
    return std::make_unique<TfrmSplash>();
}

QAbstractButton* parteCollegamento(QWidget* finestra, const QString& parte) {
    if (parte == QLatin1String("testo"))
        return figlio<QAbstractButton>(finestra, "lnkWeb");
    for (const char* icona : {"imgPDF", "imgEmail", "imgWeb"})
        if (auto* trovata = finestra->findChild<QAbstractButton*>(QString::fromLatin1(icona)))
            return trovata;
    qFatal("the link has no icon");
}

QColor coloreCollegamento(QWidget* finestra) {
    return figlio<QAbstractButton>(finestra, "lnkWeb")->palette().color(QPalette::ButtonText);
}

} // namespace

class tst_Help : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { VERIFICA_PIATTAFORMA(piattaforma); }

    void apriGuidaMostraLArgomento_data();
    void apriGuidaMostraLArgomento();
    void finestraAvvioApreLeFinestre_data();
    void finestraAvvioApreLeFinestre();
    void finestre_data();
    void finestre();
    void collegamenti_data();
    void collegamenti();
    void coloriDelCollegamento_data();
    void coloriDelCollegamento();

private:
    PiattaformaProva piattaforma;
    const QString cartellaProva = piattaforma.cartella;
};

void tst_Help::apriGuidaMostraLArgomento_data() {
    QTest::addColumn<ArgomentoGuida>("argomento");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QStringList>("paragrafi");
    QTest::newRow("avvio") << ArgomentoGuida::Avvio << QStringLiteral("Uno sguardo ad Blindoro.")
                           << ParagrafiApertura() + ParagrafiGestione() + ParagrafiChiusura();
    QTest::newRow("gestione") << ArgomentoGuida::Gestione
                              << QStringLiteral("Applicazione Gestione blindoro.")
                              << ParagrafiGestione();
    QTest::newRow("esportazione") << ArgomentoGuida::Esportazione
                                  << QStringLiteral("Esportazione blindoro in Microsoft Excel.")
                                  << ParagrafiEsportazione();
}

// A new modal window owned by the caller, freed when it returns.
void tst_Help::apriGuidaMostraLArgomento() {
    QFETCH(ArgomentoGuida, argomento);
    QFETCH(QString, titolo);
    QFETCH(QStringList, paragrafi);

    QWidget proprietario;
    proprietario.show();
    QPointer<QWidget> aperta;
    const bool visto = conDialogoModale([&] { apriGuida(&proprietario, argomento); },
                                        [&](QWidget* finestra) {
                                            aperta = finestra;
                                            QVERIFY(qobject_cast<TfrmGuida*>(finestra));
                                            QCOMPARE(finestra->parentWidget(), &proprietario);
                                            QVERIFY(finestra->isModal());
                                            verificaArgomento(finestra, titolo, paragrafi);
                                            figlio<QPushButton>(finestra, "btnChiudi")->click();
                                        });
    QVERIFY(visto);
    QVERIFY(aperta.isNull());
    QVERIFY(proprietario.findChildren<TfrmGuida*>().isEmpty());
}

void tst_Help::finestraAvvioApreLeFinestre_data() {
    QTest::addColumn<QString>("immagine");
    QTest::addColumn<QString>("classe");
    QTest::newRow("guida") << QStringLiteral("imgGuida") << QStringLiteral("TfrmGuida");
    QTest::newRow("informazioni") << QStringLiteral("imgInfo") << QStringLiteral("TfrmInfo");
    QTest::newRow("crediti") << QStringLiteral("imgCopyright") << QStringLiteral("TfrmSplash");
}

void tst_Help::finestraAvvioApreLeFinestre() {
    QFETCH(QString, immagine);
    QFETCH(QString, classe);

    TFinestre finestre;
    QWidget* avvio = &finestre.Avvio();
    avvio->show();
    auto* pulsante = avvio->findChild<QAbstractButton*>(immagine);
    QVERIFY(pulsante);
    for (int volta = 0; volta < 2; ++volta) {
        QPointer<QWidget> aperta;
        const bool visto = conDialogoModale(
            [&] { pulsante->click(); },
            [&](QWidget* finestra) {
                aperta = finestra;
                QCOMPARE(QString::fromLatin1(finestra->metaObject()->className()), classe);
                QCOMPARE(finestra->parentWidget(), avvio);
                if (classe == QLatin1String("TfrmGuida"))
                    verificaArgomento(finestra, QStringLiteral("Uno sguardo ad Blindoro."),
                                      ParagrafiGuida(ArgomentoGuida::Avvio));
                figlio<QPushButton>(finestra, "btnChiudi")->click();
                QVERIFY(!finestra->isVisible());
            });
        QVERIFY(visto);
        QVERIFY(aperta.isNull());
    }
}

void tst_Help::finestre_data() {
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QSize>("dimensioni");
    QTest::newRow("guida") << QStringLiteral("guida")
                           << QStringLiteral(" Guida all'utilizzo del software") << QSize(670, 572);
    QTest::newRow("informazioni") << QStringLiteral("info")
                                  << QStringLiteral(" Informazioni su Blindoro") << QSize(473, 579);
    QTest::newRow("crediti") << QStringLiteral("splash")
                             << QStringLiteral(" Blindoro - Realizzato da ") +
                                    QString::fromUtf8(Produttore::Nome)
                             << QSize(661, 467);
}

void tst_Help::finestre() {
    QFETCH(QString, finestra);
    QFETCH(QString, titolo);
    QFETCH(QSize, dimensioni);

    auto dialogo = creaFinestra(finestra);
    QCOMPARE(dialogo->windowTitle(), titolo);
    QCOMPARE(dialogo->size(), dimensioni);
    QCOMPARE(dialogo->minimumSize(), dimensioni);
    QCOMPARE(dialogo->maximumSize(), dimensioni);
    QVERIFY(!(dialogo->windowFlags() & Qt::WindowCloseButtonHint));

    auto* chiudi = figlio<QPushButton>(dialogo.get(), "btnChiudi");
    QCOMPARE(chiudi->text(), QStringLiteral("Chiudi"));
    dialogo->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialogo.get()));
    QCOMPARE(QApplication::focusWidget(), chiudi);
    chiudi->click();
    QVERIFY(!dialogo->isVisible());
}

void tst_Help::collegamenti_data() {
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("parte");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("comando");

    const QString documento = QStringLiteral("\"%1Guida.pdf\"");
    const QString email = QStringLiteral(
        "\"mailto:info@ardesiasoftware.it?subject=Software Blindoro&body=Salve, desidererei avere "
        "le seguenti informazioni sul software in oggetto:\"");
    const QString sito = QStringLiteral("https://www.ardesiasoftware.it");
    for (const char* nome : {"testo", "icona"}) {
        const QString parte = QString::fromLatin1(nome);
        QTest::addRow("guida, %s", nome)
            << QStringLiteral("guida") << parte << QStringLiteral("Visualizza guida in formato PDF")
            << documento;
        QTest::addRow("informazioni, %s", nome)
            << QStringLiteral("info") << parte << QStringLiteral("info@ardesiasoftware.it")
            << email;
        QTest::addRow("crediti, %s", nome) << QStringLiteral("splash") << parte << sito << sito;
    }
}

// The help document is handed over quoted, so a program folder with blanks reaches the shell
// whole; the mail link is quoted as a whole, its blanks unencoded; the web site goes bare.
void tst_Help::collegamenti() {
    QFETCH(QString, finestra);
    QFETCH(QString, parte);
    QFETCH(QString, testo);
    QFETCH(QString, comando);

    const QString cartella = cartellaProva + QStringLiteral("Programmi utente/Blindoro 1/");
    QVERIFY(QDir().mkpath(cartella));
    piattaforma.cartella = cartella;

    auto dialogo = creaFinestra(finestra);
    dialogo->show();
    QCOMPARE(figlio<QAbstractButton>(dialogo.get(), "lnkWeb")->text(), testo);
    QTest::mouseClick(parteCollegamento(dialogo.get(), parte), Qt::LeftButton);

    QCOMPARE(piattaforma.aperture.size(), 1);
    const auto apertura = piattaforma.aperture.first();
    if (comando.contains(QLatin1String("%1"))) {
        comando = comando.arg(cartella);
        QCOMPARE(apertura.indirizzo, QUrl::fromLocalFile(cartella + QStringLiteral("Guida.pdf")));
    }
    QCOMPARE(apertura.comando, comando);
}

void tst_Help::coloriDelCollegamento_data() {
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("parte");
    for (const char* finestra : {"guida", "info", "splash"})
        for (const char* parte : {"testo", "icona"})
            QTest::addRow("%s, %s", finestra, parte)
                << QString::fromLatin1(finestra) << QString::fromLatin1(parte);
}

// Dark blue at rest, orange while a mouse button is held on the text or on its icon.
void tst_Help::coloriDelCollegamento() {
    QFETCH(QString, finestra);
    QFETCH(QString, parte);

    auto dialogo = creaFinestra(finestra);
    dialogo->show();
    auto* testo = figlio<QAbstractButton>(dialogo.get(), "lnkWeb");
    auto* premuto = parteCollegamento(dialogo.get(), parte);
    QVERIFY(testo->font().underline());
    QCOMPARE(testo->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(premuto->cursor().shape(), Qt::PointingHandCursor);

    QCOMPARE(coloreCollegamento(dialogo.get()), QColor(0xFF00008B));
    QTest::mousePress(premuto, Qt::LeftButton);
    QCOMPARE(coloreCollegamento(dialogo.get()), QColor(0xFFFFA500));
    QTest::mouseRelease(premuto, Qt::LeftButton);
    QCOMPARE(coloreCollegamento(dialogo.get()), QColor(0xFF00008B));
}

BLINDORO_TEST_MAIN(tst_Help)
#include "tst_help.moc"
