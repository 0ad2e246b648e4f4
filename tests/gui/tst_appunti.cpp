// The clipboard: a copied secret, what it is offered as, and its clearing. The first cases run
// the unit in the test process, on the headless platform; the X cases run it in appunti_prova on
// an X server of their own and read the clipboard and the primary selection from another client
// (xclip), as the desktop's programs would.

#include "gui/Appunti.h"
#include "support/AiutiFinestre.h"
#include "support/AltroClientX.h"
#include "support/SchermoVirtuale.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <memory>

using namespace std::chrono_literals;
using Selezione = AltroClientX::Selezione;

namespace {

const QString Segreto = QStringLiteral("s3gr€to è");

Appunti::Impostazioni conAttesa(std::chrono::milliseconds attesa) {
    Appunti::Impostazioni impostazioni;
    impostazioni.attesa = attesa;
    impostazioni.sgomberoEsterno.clear();
    return impostazioni;
}

QString testoAppunti() {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

// appunti_prova on a display: its commands and what it answers, line by line.
class ProgrammaAppunti {
public:
    ProgrammaAppunti(const QString& schermo, std::chrono::milliseconds attesa) {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("DISPLAY"), schermo);
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // No session bus belongs to the test's display (as in the end-to-end test): without an
        // address the D-Bus library would try to start one, and keeps memory the sanitizer build
        // reports as a leak when it cannot.
        ambiente.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                        QStringLiteral("unix:path=") +
                            cartella_.filePath(QStringLiteral("nessun-bus")));
        processo_.setProcessEnvironment(ambiente);
        // A test started in the background without job control has SIGINT ignored, and a
        // signal ignored at start stays ignored in the program.
        processo_.setChildProcessModifier(LegatoAlTest([] {
            for (const int segnale : {SIGTERM, SIGINT, SIGHUP})
                std::signal(segnale, SIG_DFL);
        }));
        processo_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        processo_.start(QStringLiteral(BLINDORO_APPUNTI_PROVA), {QString::number(attesa.count())});
    }
    ~ProgrammaAppunti() {
        processo_.kill();
        processo_.waitForFinished(10000);
    }

    void invia(const QString& comando) {
        processo_.write((comando + QLatin1Char('\n')).toUtf8());
        processo_.waitForBytesWritten(10000);
    }

    // The next line it writes; empty when none came in time (or it ended first).
    QString riga() {
        QElapsedTimer tempo;
        tempo.start();
        while (!processo_.canReadLine() && tempo.elapsed() < AttesaMassima.count())
            if (!processo_.waitForReadyRead(static_cast<int>(AttesaMassima.count())))
                break;
        return QString::fromUtf8(processo_.readLine()).trimmed();
    }

    // Its exit status once it has ended; -1 when it did not end in time or crashed.
    int fine() {
        if (!processo_.waitForFinished(static_cast<int>(AttesaMassima.count())))
            return -1;
        return processo_.exitStatus() == QProcess::NormalExit ? processo_.exitCode() : -1;
    }

    void segnale(int numero) { ::kill(static_cast<pid_t>(processo_.processId()), numero); }

private:
    QTemporaryDir cartella_;
    QProcess processo_;
};

// A clipboard manager as the desktop may run one: it owns CLIPBOARD_MANAGER, and a program that
// ends still owning the clipboard asks it to keep a copy (a SAVE_TARGETS conversion), which is
// how a secret would outlive the program in a clipboard history.
class GestoreAppunti {
public:
    explicit GestoreAppunti(const QString& schermo)
        : schermo_(XOpenDisplay(schermo.toLocal8Bit().constData())) {
        if (!schermo_)
            return;
        finestra_ = XCreateSimpleWindow(schermo_, DefaultRootWindow(schermo_), 0, 0, 1, 1, 0, 0, 0);
        salva_ = XInternAtom(schermo_, "SAVE_TARGETS", False);
        XSetSelectionOwner(schermo_, XInternAtom(schermo_, "CLIPBOARD_MANAGER", False), finestra_,
                           CurrentTime);
        XSync(schermo_, False);
    }
    ~GestoreAppunti() {
        if (schermo_)
            XCloseDisplay(schermo_);
    }

    bool attivo() const { return schermo_ && finestra_; }

    // The requests to keep a copy that have reached it so far.
    int richiesteDiCopia() {
        XSync(schermo_, False);
        int richieste = 0;
        while (XPending(schermo_)) {
            XEvent evento;
            XNextEvent(schermo_, &evento);
            if (evento.type == SelectionRequest && evento.xselectionrequest.target == salva_)
                ++richieste;
        }
        return richieste;
    }

private:
    Display* schermo_;
    Window finestra_ = 0;
    Atom salva_ = 0;
};

} // namespace

class tst_Appunti : public QObject {
    Q_OBJECT

    std::unique_ptr<SchermoVirtuale> schermo;

private Q_SLOTS:
    void initTestCase() {
        schermo = std::make_unique<SchermoVirtuale>(QStringLiteral("640x480x24"));
        QVERIFY2(!schermo->nome().isEmpty(), qPrintable(schermo->errore()));
    }

    void init() { QGuiApplication::clipboard()->clear(); }

    // The copy on the headless platform, through the instance the windows share.
    void copiaOffreIlTestoComeSegreto() {
        Appunti& appunti = Appunti::programma();
        QCOMPARE(&Appunti::programma(), &appunti);
        QSignalSpy copiato(&appunti, &Appunti::copiato);
        QSignalSpy cancellato(&appunti, &Appunti::cancellato);

        QVERIFY(appunti.copia(Segreto, Appunti::Dato::NomeUtente));
        QCOMPARE(testoAppunti(), Segreto);
        const QMimeData* dati = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(dati->data(QString::fromLatin1(Appunti::TipoSegreto)), QByteArray("secret"));
        QCOMPARE(copiato.count(), 1);
        QCOMPARE(copiato.at(0).at(0).value<Appunti::Dato>(), Appunti::Dato::NomeUtente);
        QCOMPARE(copiato.at(0).at(1).toInt(), 10);

        appunti.cancella();
        QCOMPARE(testoAppunti(), QString());
        QCOMPARE(cancellato.count(), 1);
        QCOMPARE(cancellato.at(0).at(0).value<Appunti::Dato>(), Appunti::Dato::NomeUtente);
        QCOMPARE(cancellato.at(0).at(1).toBool(), true);
        appunti.cancella(); // nothing more to take away, nothing more said
        QCOMPARE(cancellato.count(), 1);
    }

    void copiaCancellataDopoLAttesa() {
        Appunti appunti(conAttesa(150ms));
        QSignalSpy cancellato(&appunti, &Appunti::cancellato);
        QVERIFY(appunti.copia(Segreto, Appunti::Dato::Password));
        QCOMPARE(testoAppunti(), Segreto);
        QVERIFY(cancellato.wait(10000));
        QCOMPARE(cancellato.at(0).at(0).value<Appunti::Dato>(), Appunti::Dato::Password);
        QCOMPARE(cancellato.at(0).at(1).toBool(), true);
        QCOMPARE(testoAppunti(), QString());
    }

    // The second copy's whole delay counts from the second copy: had the first delay gone on,
    // the clipboard would have been cleared half a delay after it.
    void nuovaCopiaRiparteLAttesa() {
        constexpr auto attesa = 600ms;
        Appunti appunti(conAttesa(attesa));
        QSignalSpy cancellato(&appunti, &Appunti::cancellato);
        QVERIFY(appunti.copia(QStringLiteral("primo"), Appunti::Dato::NomeUtente));
        QTest::qWait(static_cast<int>(attesa.count() / 2));
        QVERIFY(appunti.copia(Segreto, Appunti::Dato::Password));
        QElapsedTimer dallaSeconda;
        dallaSeconda.start();
        QVERIFY(cancellato.wait(10000));
        QVERIFY2(
            dallaSeconda.elapsed() >= attesa.count(),
            qPrintable(
                QStringLiteral("cleared %1 ms after the second copy").arg(dallaSeconda.elapsed())));
        QCOMPARE(cancellato.count(), 1);
        QCOMPARE(cancellato.at(0).at(0).value<Appunti::Dato>(), Appunti::Dato::Password);
        QCOMPARE(testoAppunti(), QString());
    }

    // An empty text copies nothing: what the clipboard holds stays, and so does the delay of a
    // copy made before.
    void testoVuotoNonCopiaNiente() {
        Appunti appunti(conAttesa(200ms));
        QSignalSpy copiato(&appunti, &Appunti::copiato);
        QSignalSpy niente(&appunti, &Appunti::nienteDaCopiare);
        QSignalSpy cancellato(&appunti, &Appunti::cancellato);
        QGuiApplication::clipboard()->setText(QStringLiteral("del utente"));

        QVERIFY(!appunti.copia(QString(), Appunti::Dato::Indirizzo));
        QCOMPARE(testoAppunti(), QStringLiteral("del utente"));
        QCOMPARE(niente.count(), 1);
        QCOMPARE(niente.at(0).at(0).value<Appunti::Dato>(), Appunti::Dato::Indirizzo);
        QCOMPARE(copiato.count(), 0);

        QVERIFY(appunti.copia(Segreto, Appunti::Dato::Password));
        QVERIFY(!appunti.copia(QString(), Appunti::Dato::NomeUtente));
        QCOMPARE(testoAppunti(), Segreto);
        QVERIFY(cancellato.wait(10000));
        QCOMPARE(cancellato.at(0).at(0).value<Appunti::Dato>(), Appunti::Dato::Password);
        QCOMPARE(testoAppunti(), QString());
    }

    // A text the user copied since, in this program too, is the user's: the delay leaves it.
    void testoCopiatoNelFrattempoResta() {
        Appunti appunti(conAttesa(150ms));
        QSignalSpy cancellato(&appunti, &Appunti::cancellato);
        QVERIFY(appunti.copia(Segreto, Appunti::Dato::Password));
        QGuiApplication::clipboard()->setText(QStringLiteral("del utente"));
        QVERIFY(cancellato.wait(10000));
        QCOMPARE(cancellato.at(0).at(1).toBool(), false);
        QCOMPARE(testoAppunti(), QStringLiteral("del utente"));
    }

    // Where the toolkit's clearing may be refused, the external program (wl-copy) is run as well,
    // for what is still the program's own and for nothing else.
    void sgomberoEsternoSoloSulTestoNostro() {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        // A stand-in for wl-copy that writes down its arguments; what each copy ran, apart.
        const auto sgombero = [&](const QString& nome) {
            const QString programma = cartella.filePath(nome);
            QFile script(programma);
            if (script.open(QIODevice::WriteOnly))
                script.write(
                    QStringLiteral("#!/bin/sh\necho \"$*\" >> '%1.txt'\n").arg(programma).toUtf8());
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            return programma;
        };
        const auto chiamate = [&](const QString& programma) {
            QFile file(programma + QStringLiteral(".txt"));
            if (!file.open(QIODevice::ReadOnly))
                return QStringList();
            return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        };
        const auto copiaEAttendi = [](const QString& programma, bool copiaDelUtente) {
            Appunti::Impostazioni impostazioni = conAttesa(100ms);
            impostazioni.sgomberoEsterno = programma;
            Appunti appunti(impostazioni);
            QSignalSpy cancellato(&appunti, &Appunti::cancellato);
            appunti.copia(Segreto, Appunti::Dato::Password);
            if (copiaDelUtente)
                QGuiApplication::clipboard()->setText(QStringLiteral("del utente"));
            return cancellato.wait(10000);
        };

        const QString lasciato = sgombero(QStringLiteral("lasciato"));
        QVERIFY(copiaEAttendi(lasciato, true));
        const QString nostro = sgombero(QStringLiteral("nostro"));
        QVERIFY(copiaEAttendi(nostro, false));

        QStringList attese{QStringLiteral("--clear")};
        if (QGuiApplication::clipboard()->supportsSelection())
            attese << QStringLiteral("--primary --clear");
        QTRY_COMPARE_WITH_TIMEOUT(chiamate(nostro), attese, 10000);
        // Had the first one run, it would have been done before the second one began.
        QCOMPARE(chiamate(lasciato), QStringList());
    }

    // On X11: another client finds the secret on the clipboard and on the primary selection, as a
    // secret, and finds it gone after the delay, except where it copied a text of its own in the
    // meantime.
    void xCancellaDopoLAttesaSoloIlTestoNostro_data() {
        QTest::addColumn<bool>("altroInAppunti");
        QTest::addColumn<bool>("altroInPrimaria");
        QTest::newRow("nessuna copia nel frattempo") << false << false;
        QTest::newRow("copia negli appunti") << true << false;
        QTest::newRow("copia e selezione") << true << true;
    }

    void xCancellaDopoLAttesaSoloIlTestoNostro() {
        QFETCH(bool, altroInAppunti);
        QFETCH(bool, altroInPrimaria);
        // Long enough for a few xclip runs on a loaded machine before it runs out.
        ProgrammaAppunti programma(schermo->nome(), 2s);
        AltroClientX altro(schermo->nome());
        QCOMPARE(programma.riga(), QStringLiteral("pronto"));

        programma.invia(QStringLiteral("copia password ") + Segreto);
        QCOMPARE(programma.riga(), QStringLiteral("copiato password 2"));
        for (const Selezione selezione : {Selezione::Appunti, Selezione::Primaria}) {
            QCOMPARE(altro.testo(selezione), std::optional<QString>(Segreto));
            QVERIFY2(altro.tipi(selezione).contains(QLatin1String(Appunti::TipoSegreto)),
                     qPrintable(altro.tipi(selezione).join(QLatin1Char(' '))));
        }
        const QString suo = QStringLiteral("testo dell'altro");
        if (altroInAppunti)
            QVERIFY2(altro.copia(Selezione::Appunti, suo), qPrintable(altro.errore()));
        if (altroInPrimaria)
            QVERIFY2(altro.copia(Selezione::Primaria, suo), qPrintable(altro.errore()));

        const bool svuotati = !(altroInAppunti && altroInPrimaria);
        QCOMPARE(programma.riga(),
                 QStringLiteral("cancellato password ") +
                     (svuotati ? QStringLiteral("svuotati") : QStringLiteral("lasciati")));
        const auto atteso = [&](bool suoTesto) {
            return suoTesto ? std::optional<QString>(suo) : std::nullopt;
        };
        QCOMPARE(altro.testo(Selezione::Appunti), atteso(altroInAppunti));
        QCOMPARE(altro.testo(Selezione::Primaria), atteso(altroInPrimaria));
        QVERIFY2(altro.errore().isEmpty(), qPrintable(altro.errore()));

        // Nor does the program's end touch the other client's texts.
        programma.invia(QStringLiteral("esci"));
        QCOMPARE(programma.riga(), QStringLiteral("fine"));
        QCOMPARE(programma.fine(), 0);
        QCOMPARE(altro.testo(Selezione::Appunti), atteso(altroInAppunti));
        QCOMPARE(altro.testo(Selezione::Primaria), atteso(altroInPrimaria));
    }

    // However the program ends short of a kill, the secret goes with it, before the display
    // connection closes: no clipboard manager is asked to keep it.
    void xFineDelProgrammaCancella_data() {
        QTest::addColumn<int>("segnale"); // 0: the program's own quit
        QTest::addColumn<bool>("conDialogo");
        QTest::addColumn<int>("uscita");
        QTest::newRow("uscita dal programma") << 0 << false << 0;
        QTest::newRow("SIGTERM") << SIGTERM << false << 128 + SIGTERM;
        QTest::newRow("SIGINT") << SIGINT << false << 128 + SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP << false << 128 + SIGHUP;
        QTest::newRow("SIGTERM con un dialogo aperto") << SIGTERM << true << 128 + SIGTERM;
    }

    void xFineDelProgrammaCancella() {
        QFETCH(int, segnale);
        QFETCH(bool, conDialogo);
        QFETCH(int, uscita);
        GestoreAppunti gestore(schermo->nome());
        QVERIFY(gestore.attivo());
        ProgrammaAppunti programma(schermo->nome(), 10min);
        AltroClientX altro(schermo->nome());
        QCOMPARE(programma.riga(), QStringLiteral("pronto"));
        programma.invia(QStringLiteral("copia utente ") + Segreto);
        QCOMPARE(programma.riga(), QStringLiteral("copiato utente 600"));
        QCOMPARE(altro.testo(Selezione::Appunti), std::optional<QString>(Segreto));
        if (conDialogo) {
            programma.invia(QStringLiteral("modale"));
            QCOMPARE(programma.riga(), QStringLiteral("modale"));
        }

        if (segnale)
            programma.segnale(segnale);
        else
            programma.invia(QStringLiteral("esci"));
        QCOMPARE(programma.riga(), QStringLiteral("cancellato utente svuotati"));
        QCOMPARE(programma.riga(), QStringLiteral("fine"));
        QCOMPARE(programma.fine(), uscita);

        for (const Selezione selezione : {Selezione::Appunti, Selezione::Primaria})
            QCOMPARE(altro.testo(selezione), std::nullopt);
        QVERIFY2(altro.errore().isEmpty(), qPrintable(altro.errore()));
        QCOMPARE(gestore.richiesteDiCopia(), 0);
    }
};

BLINDORO_TEST_MAIN(tst_Appunti)
#include "tst_appunti.moc"
