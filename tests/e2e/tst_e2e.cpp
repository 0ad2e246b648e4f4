// The program as its user meets it: the built executable, started from a fresh copy of its
// folder on an X server of the test's own and driven by real pointer and key events, from the
// login to the end of the run. The archive it leaves on disk is then read byte for byte.
//
// Which folder: BLINDORO_E2E_CARTELLA names a program folder (an unpacked package, for one);
// without it, the build's own (the executable and the help document of build/bin, the delivered
// access-password file). With BLINDORO_E2E_FOTO naming a folder, the start window and the record
// window are also saved there as PNG pictures (scripts/screenshots).

#include "ModuloFinestra.h"
#include "SessioneX.h"

#include "core/storage/Scheda.h"
#include "core/text/Formati.h"
#include "support/AltroClientX.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

const QString PasswordConsegnata = QStringLiteral("pergolatoverde");
const QString NomeArchivio = QStringLiteral("Personale");

const QString TitoloAccesso = QStringLiteral(" Blindoro - Autenticazione");
const QString TitoloAvvio = QStringLiteral(" Blindoro");
const QString TitoloCreazione = QStringLiteral(" Blindoro - Creazione blindoro");
const QString TitoloApertura = QStringLiteral(" Blindoro - Apertura blindoro");
const QString TitoloScheda = QStringLiteral(" Blindoro - Gestione blindoro");
const QString TitoloCalendario = QStringLiteral(" Importazione data");
const QString TitoloInformazione = QStringLiteral("Information");

// The forms of the windows the test goes through.
const QString ModuloAccesso = QStringLiteral("access/Password.ui");
const QString ModuloAvvio = QStringLiteral("app/Avvio.ui");
const QString ModuloCreazione = QStringLiteral("archive/CreaArchivio.ui");
const QString ModuloApertura = QStringLiteral("archive/ApriArchivio.ui");
const QString ModuloScheda = QStringLiteral("editor/Blindoro.ui");
const QString ModuloCalendario = QStringLiteral("editor/Calendario.ui");

// What the user types into the record window, by control. The address is typed without its
// scheme over the "https://" the field shows: leaving the field completes it. The notes hold a
// line break, the question an accented letter.
struct Digitato {
    const char* controllo;
    QString testo;
};
const QList<Digitato> Digitati{
    {"txtTitolo", QStringLiteral("Posta elettronica")},
    {"txtProprietario", QStringLiteral("Esempio S.p.A.")},
    {"txtDescrizione", QStringLiteral("Casella di posta personale")},
    {"txtUtente", QStringLiteral("mario.rossi")},
    {"txtPassword", QStringLiteral("Gelso-42!")},
    {"txtDomanda", QStringLiteral("Città di nascita?")},
    {"txtRisposta", QStringLiteral("Lucca")},
    {"txtNote", QStringLiteral("Cambiata ogni sei mesi.\nCodice di recupero in cassaforte.")},
    {"txtIntestatario", QStringLiteral("Mario Rossi")},
    {"txtEmail", QStringLiteral("mario.rossi@esempio.it")},
    {"txtTel", QStringLiteral("0583 123456")},
};
const QString IndirizzoDigitato = QStringLiteral("posta.esempio.it");

// The 22 values of the record those keys make, in the order of the record, with the expiry date
// the calendar offered.
QStringList valoriAttesi(const QString& scadenza) {
    return {QStringLiteral("Posta elettronica"),
            QStringLiteral("https://posta.esempio.it"),
            QStringLiteral("Esempio S.p.A."),
            QStringLiteral("Casella di posta personale"),
            QStringLiteral("mario.rossi"),
            QString(),
            QStringLiteral("Gelso-42!"),
            scadenza,
            QStringLiteral("Città di nascita?"),
            QStringLiteral("Lucca"),
            QString(),
            QStringLiteral("Cambiata ogni sei mesi.\r\nCodice di recupero in cassaforte."),
            QStringLiteral("Mario Rossi"),
            QString(),
            QStringLiteral("mario.rossi@esempio.it"),
            QStringLiteral("0583 123456"),
            QString(),
            QString(),
            QString(),
            QString(),
            QString(),
            QString()};
}

QByteArray schedaCodificata(const QStringList& valori) {
    TScheda scheda{};
    for (int k = 0; k < NumeroCampi; ++k)
        CodificaCampo(scheda, static_cast<Campo>(k), valori[k]);
    return QByteArray(reinterpret_cast<const char*>(&scheda), sizeof scheda);
}

QStringList valoriLetti(const QByteArray& dati) {
    TScheda scheda{};
    std::memcpy(&scheda, dati.constData(), std::min<std::size_t>(sizeof scheda, dati.size()));
    QStringList valori;
    for (int k = 0; k < NumeroCampi; ++k)
        valori << DecodificaCampo(scheda, static_cast<Campo>(k));
    return valori;
}

QString contenutoTesto(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

// A step the program did not take: the test stops there with what was awaited.
struct Inciampo : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void inciampa(const QString& testo) {
    throw Inciampo(testo.toStdString());
}

// Copies the program folder as it is delivered: every file (sub-folders included), with its
// permissions.
void copiaCartella(const QString& origine, const QString& destinazione) {
    QDir().mkpath(destinazione);
    const QDir cartella(origine);
    for (const QFileInfo& voce :
         cartella.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString copia = destinazione + QLatin1Char('/') + voce.fileName();
        if (voce.isDir())
            copiaCartella(voce.filePath(), copia);
        else if (!QFile::copy(voce.filePath(), copia))
            inciampa(QStringLiteral("cannot copy ") + voce.filePath());
    }
}

// A fresh program folder: the one named by BLINDORO_E2E_CARTELLA copied whole, or the build's
// executable and help document with the access-password file as delivered (the one in build/bin
// may hold a password changed since).
void preparaCartellaProgramma(const QString& cartella) {
    const QString data = qEnvironmentVariable("BLINDORO_E2E_CARTELLA");
    if (!data.isEmpty()) {
        copiaCartella(data, cartella);
        return;
    }
    QDir().mkpath(cartella);
    const QString costruita = QStringLiteral(BLINDORO_PROGRAM_DIR);
    for (const auto& [da, a] : {std::pair{costruita + QStringLiteral("/blindoro"),
                                          cartella + QStringLiteral("/blindoro")},
                                std::pair{costruita + QStringLiteral("/Guida.pdf"),
                                          cartella + QStringLiteral("/Guida.pdf")},
                                std::pair{QStringLiteral(BLINDORO_FILE_ACCESSO),
                                          cartella + QStringLiteral("/unins000.dll")}})
        if (!QFile::copy(da, a))
            inciampa(QStringLiteral("cannot copy ") + da);
}

// The user at the display: finds the windows by their titles and the controls by the windows'
// forms, and clicks and types like a person.
class Utente {
public:
    explicit Utente(SessioneX& x)
        : x_(x) {}

    SessioneX::Finestra aspetta(const QString& titolo) {
        const SessioneX::Finestra finestra = x_.aspettaFinestra(titolo);
        if (!finestra)
            inciampa(x_.errore());
        return finestra;
    }

    void aspettaChiusura(SessioneX::Finestra finestra, const QString& titolo) {
        if (!x_.aspettaChiusura(finestra))
            inciampa(QStringLiteral("window \"%1\" still open: %2").arg(titolo, x_.errore()));
    }

    // Where a control of the window's form lies in the window as it is now.
    QRect controllo(SessioneX::Finestra finestra, const QString& modulo, const char* nome) {
        const QString file = QStringLiteral(BLINDORO_SORGENTI "/src/") + modulo;
        const QRect area =
            RettangoloNelModulo(file, QString::fromLatin1(nome), x_.geometria(finestra).size());
        if (area.isEmpty())
            inciampa(QStringLiteral("no control %1 in %2").arg(QString::fromLatin1(nome), file));
        return area;
    }

    void clicca(SessioneX::Finestra finestra, const QString& modulo, const char* nome) {
        clicca(finestra, controllo(finestra, modulo, nome).center());
    }

    void clicca(SessioneX::Finestra finestra, QPoint punto) {
        if (!x_.clic(finestra, punto))
            inciampa(x_.errore());
    }

    // A click in the field, and its keys once the window has the keyboard.
    void scrivi(SessioneX::Finestra finestra, const QString& modulo, const char* nome,
                const QString& testo) {
        clicca(finestra, modulo, nome);
        prendiTastiera(finestra);
        digita(testo);
    }

    void digita(const QString& testo) {
        if (!x_.digita(testo))
            inciampa(x_.errore());
    }

    void premi(const char* tasto, int modificatori = 0) {
        if (!x_.premi(tasto, modificatori))
            inciampa(x_.errore());
    }

    // A copy to the clipboard, by its keys: once the program owns both the clipboard and the
    // primary selection.
    void copiaConITasti(const char* tasto) {
        premi(tasto, SessioneX::Control | SessioneX::Alt);
        for (const char* selezione : {"CLIPBOARD", "PRIMARY"})
            if (!x_.aspettaProprietario(selezione, true))
                inciampa(QStringLiteral("nothing copied to %1 by Ctrl+Alt+%2: %3")
                             .arg(QString::fromLatin1(selezione), QString::fromLatin1(tasto),
                                  x_.errore()));
    }

    // The program's copy taken away after its delay, where it still is: the display then has no
    // owner of the selection.
    void aspettaSgombero(const char* selezione) {
        if (!x_.aspettaProprietario(selezione, false))
            inciampa(QStringLiteral("%1 never emptied: %2")
                         .arg(QString::fromLatin1(selezione), x_.errore()));
    }

    void prendiTastiera(SessioneX::Finestra finestra) {
        if (!x_.aspettaFuoco(finestra))
            inciampa(QStringLiteral("the window never had the keyboard: ") + x_.errore());
    }

    // A message box answered with Enter, its default button (OK).
    void confermaMessaggio(const QString& titolo) {
        const SessioneX::Finestra box = aspetta(titolo);
        clicca(box, QPoint(4, 4)); // its margin: the click only gives it the keyboard
        prendiTastiera(box);
        premi("Return");
        aspettaChiusura(box, titolo);
    }

    // A picture of the window for the README, with the pointer off it (no hover, no hint).
    void fotografa(SessioneX::Finestra finestra, const QString& nome) {
        const QString cartella = qEnvironmentVariable("BLINDORO_E2E_FOTO");
        if (cartella.isEmpty())
            return;
        const QRect area = x_.geometria(finestra);
        x_.spostaPuntatore(area.bottomRight() + QPoint(20, 20));
        const QImage foto = x_.foto(finestra);
        if (foto.isNull() || !QDir().mkpath(cartella) ||
            !foto.save(cartella + QLatin1Char('/') + nome, "PNG", 0))
            inciampa(QStringLiteral("picture %1 not saved: %2").arg(nome, x_.errore()));
    }

private:
    SessioneX& x_;
};

// The password of the record shown, copied by its keys: another client reads it at once from the
// clipboard and from the primary selection, offered as a secret, and finds both empty once the
// delay has run. Then the user name: a text the other client copies over it in the meantime
// survives the delay, and only the selection is emptied.
void provaAppunti(Utente& utente, SessioneX::Finestra scheda, const QString& schermo) {
    using Selezione = AltroClientX::Selezione;
    AltroClientX altro(schermo);
    const auto leggi = [&](Selezione selezione) {
        const std::optional<QString> testo = altro.testo(selezione);
        if (!altro.errore().isEmpty())
            inciampa(altro.errore());
        return testo;
    };
    const QString password = QStringLiteral("Gelso-42!");
    utente.clicca(scheda, ModuloScheda, "txtTitolo");
    utente.prendiTastiera(scheda);

    QElapsedTimer dallaCopia;
    dallaCopia.start();
    utente.copiaConITasti("p");
    for (const Selezione selezione : {Selezione::Appunti, Selezione::Primaria}) {
        if (leggi(selezione) != password)
            inciampa(QStringLiteral("the password is not what the other client reads"));
        if (!altro.tipi(selezione).contains(QStringLiteral("x-kde-passwordManagerHint")))
            inciampa(QStringLiteral("no secret mark among the offered types: ") +
                     altro.tipi(selezione).join(QLatin1Char(' ')));
    }
    utente.aspettaSgombero("CLIPBOARD");
    utente.aspettaSgombero("PRIMARY");
    // A timer never ends early: the delay counted from the copy, which came after the key.
    if (dallaCopia.elapsed() < 10000)
        inciampa(QStringLiteral("emptied after %1 ms").arg(dallaCopia.elapsed()));
    if (leggi(Selezione::Appunti) || leggi(Selezione::Primaria))
        inciampa(QStringLiteral("the password is still offered after the delay"));

    utente.copiaConITasti("u");
    if (leggi(Selezione::Appunti) != QStringLiteral("mario.rossi"))
        inciampa(QStringLiteral("the user name is not what the other client reads"));
    const QString suo = QStringLiteral("testo dell'altro programma");
    if (!altro.copia(Selezione::Appunti, suo))
        inciampa(altro.errore());
    utente.aspettaSgombero("PRIMARY");
    if (leggi(Selezione::Appunti) != suo)
        inciampa(QStringLiteral("the other client's text did not survive the delay"));
}

} // namespace

class tst_E2e : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dallAccessoAllUscitaUnaSchedaSalvata();
};

// Login with the delivered password typed key by key, an archive created and then opened, one
// record typed and saved, the program left from the start window: it ends with status 0 and the
// archive holds that record and nothing else, byte for byte.
void tst_E2e::dallAccessoAllUscitaUnaSchedaSalvata() {
    QTemporaryDir lavoro;
    QVERIFY(lavoro.isValid());
    const QString cartella = lavoro.filePath(QStringLiteral("Blindoro"));
    const QString runtime = lavoro.filePath(QStringLiteral("runtime"));
    QVERIFY(QDir().mkpath(runtime));
    QVERIFY(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    // Pictures are taken on a screen of the windows' design size, which the maximised windows
    // then fill.
    const bool fotografie = qEnvironmentVariableIsSet("BLINDORO_E2E_FOTO");
    SchermoVirtuale xvfb(fotografie ? QStringLiteral("1016x713x24")
                                    : QStringLiteral("1280x1024x24"));
    QVERIFY2(!xvfb.nome().isEmpty(), qPrintable(xvfb.errore()));
    SessioneX x(xvfb.nome());
    QVERIFY2(x.aperta(), qPrintable(x.errore()));
    QString tuttoDigitato = PasswordConsegnata + NomeArchivio + IndirizzoDigitato;
    for (const Digitato& d : Digitati)
        tuttoDigitato += d.testo;
    x.preparaTasti(tuttoDigitato);
    QVERIFY2(x.errore().isEmpty(), qPrintable(x.errore()));

    QProcess programma;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("DISPLAY"), xvfb.nome());
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    ambiente.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), QStringLiteral("none"));
    ambiente.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    ambiente.insert(QStringLiteral("HOME"), lavoro.path());
    // No session bus belongs to the test's display, and the desktop's must not be reached from
    // it; without an address the D-Bus library would try to start one for the display (and, when
    // it cannot, keeps memory that the sanitizer build reports as a leak).
    ambiente.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                    QStringLiteral("unix:path=") + lavoro.filePath(QStringLiteral("nessun-bus")));
    ambiente.remove(QStringLiteral("WAYLAND_DISPLAY"));
    programma.setProcessEnvironment(ambiente);
    programma.setChildProcessModifier(LegatoAlTest());
    const QString uscita = lavoro.filePath(QStringLiteral("uscita.txt"));
    programma.setProcessChannelMode(QProcess::MergedChannels);
    programma.setStandardOutputFile(uscita);
    const auto inVita = [&programma] {
        QCoreApplication::processEvents();
        return programma.state() != QProcess::NotRunning;
    };
    x.controllaDurante(inVita);

    QDate primoGiorno;
    try {
        preparaCartellaProgramma(cartella);
        qInfo("program folder under test: %s",
              qPrintable(qEnvironmentVariable("BLINDORO_E2E_CARTELLA",
                                              QStringLiteral(BLINDORO_PROGRAM_DIR))));
        // From another folder, so only the program's own folder can be where it finds its files.
        programma.setWorkingDirectory(lavoro.path());
        primoGiorno = QDate::currentDate();
        programma.start(cartella + QStringLiteral("/blindoro"), {});
        if (!programma.waitForStarted(30000))
            inciampa(QStringLiteral("the program did not start: ") + programma.errorString());
        Utente utente(x);

        const auto accesso = utente.aspetta(TitoloAccesso);
        utente.scrivi(accesso, ModuloAccesso, "txtPassword",
                      PasswordConsegnata + QLatin1Char('\n'));
        auto avvio = utente.aspetta(TitoloAvvio);
        utente.aspettaChiusura(accesso, TitoloAccesso);
        utente.fotografa(avvio, QStringLiteral("avvio.png"));

        utente.clicca(avvio, ModuloAvvio, "btnCrea");
        const auto creazione = utente.aspetta(TitoloCreazione);
        utente.scrivi(creazione, ModuloCreazione, "txtFile", NomeArchivio);
        utente.clicca(creazione, ModuloCreazione, "btnApplica");
        utente.confermaMessaggio(TitoloInformazione);
        avvio = utente.aspetta(TitoloAvvio);
        utente.aspettaChiusura(creazione, TitoloCreazione);
        const QString archivio =
            cartella + QLatin1Char('/') + NomeArchivio + QStringLiteral(".psw");
        if (!QFileInfo::exists(archivio) || QFileInfo(archivio).size() != 0)
            inciampa(QStringLiteral("no empty archive after the creation: ") + archivio);

        utente.clicca(avvio, ModuloAvvio, "btnApri");
        const auto apertura = utente.aspetta(TitoloApertura);
        const QRect elenco = utente.controllo(apertura, ModuloApertura, "lstFiles");
        utente.clicca(apertura, elenco.topLeft() + QPoint(60, 16)); // the first (only) archive
        utente.clicca(apertura, ModuloApertura, "btnApri");
        const auto scheda = utente.aspetta(TitoloScheda);
        utente.aspettaChiusura(apertura, TitoloApertura);

        utente.clicca(scheda, ModuloScheda, "txtURL");
        utente.prendiTastiera(scheda);
        utente.premi("a", SessioneX::Control); // all of "https://", replaced by what is typed
        utente.digita(IndirizzoDigitato);
        for (const Digitato& d : Digitati)
            utente.scrivi(scheda, ModuloScheda, d.controllo, d.testo);

        // The expiry date comes from the calendar: any key in the field opens it.
        utente.clicca(scheda, ModuloScheda, "txtScadenza");
        utente.premi("space");
        const auto calendario = utente.aspetta(TitoloCalendario);
        utente.clicca(calendario, ModuloCalendario, "btnImportaData");
        utente.aspettaChiusura(calendario, TitoloCalendario);

        utente.clicca(scheda, ModuloScheda, "cmdSalva");
        utente.confermaMessaggio(TitoloInformazione);
        utente.fotografa(scheda, QStringLiteral("scheda.png"));

        provaAppunti(utente, scheda, xvfb.nome());

        utente.clicca(scheda, ModuloScheda, "cmdEsci");
        avvio = utente.aspetta(TitoloAvvio);
        utente.aspettaChiusura(scheda, TitoloScheda);
        utente.clicca(avvio, ModuloAvvio, "imgEsci");
        x.controllaDurante({});
        if (!programma.waitForFinished(60000))
            inciampa(QStringLiteral("the program did not end after its exit icon"));
    } catch (const Inciampo& inciampo) {
        programma.kill();
        programma.waitForFinished(10000);
        QFAIL(qPrintable(QString::fromUtf8(inciampo.what()) +
                         QStringLiteral("\nprogram output:\n") + contenutoTesto(uscita) +
                         QStringLiteral("\nwhat the display saw:\n") + x.storia()));
    }
    const QDate ultimoGiorno = QDate::currentDate();

    QVERIFY2(programma.exitStatus() == QProcess::NormalExit && programma.exitCode() == 0,
             qPrintable(QStringLiteral("exit code %1, program output:\n%2")
                            .arg(programma.exitCode())
                            .arg(contenutoTesto(uscita))));

    QFile archivio(cartella + QLatin1Char('/') + NomeArchivio + QStringLiteral(".psw"));
    QVERIFY(archivio.open(QIODevice::ReadOnly));
    const QByteArray scritto = archivio.readAll();
    // The date the calendar offered: today, whichever side of midnight the run fell.
    const QString scadenza = valoriLetti(scritto).value(static_cast<int>(Campo::Scadenza));
    QVERIFY2(scadenza == DataInTesto(primoGiorno) || scadenza == DataInTesto(ultimoGiorno),
             qPrintable(scadenza));
    QCOMPARE(valoriLetti(scritto), valoriAttesi(scadenza));
    QCOMPARE(scritto.size(), qsizetype(sizeof(TScheda)));
    QVERIFY(scritto == schedaCodificata(valoriAttesi(scadenza)));
}

QTEST_GUILESS_MAIN(tst_E2e)

#include "tst_e2e.moc"
