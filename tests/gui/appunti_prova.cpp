// The clipboard unit in a program of its own, set up as the program sets it up (the application
// object, the signals turned into a quit), for the tests that read the clipboard from another X
// client. Its argument is the delay in milliseconds. It reads commands on standard input, one a
// line, and says what the unit does on standard output:
//   copia password|utente|indirizzo TESTO    copiato DATO SECONDI   or   niente DATO
//   cancella                                 (cancellato ..., when there was a copy)
//   modale                                   modale, once a modal dialog is shown
//   esci                                     the program's own quit
// and, of itself: "pronto" at start, "cancellato DATO svuotati|lasciati" when the copy is taken
// away, "fine" when the event loop has returned. The copied text is never written out.

#include "app/Applicazione.h"
#include "app/Segnali.h"
#include "gui/Appunti.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QMap>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace {

const QMap<QString, Appunti::Dato> dati{{QStringLiteral("password"), Appunti::Dato::Password},
                                        {QStringLiteral("utente"), Appunti::Dato::NomeUtente},
                                        {QStringLiteral("indirizzo"), Appunti::Dato::Indirizzo}};

void scrivi(const QString& riga) {
    std::fputs(qPrintable(riga + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

QString nomeDi(Appunti::Dato dato) {
    return dati.key(dato);
}

class Comandi : public QObject {
public:
    explicit Comandi(Appunti& appunti)
        : appunti_(appunti)
        , ingresso_(STDIN_FILENO, QSocketNotifier::Read) {
        connect(&ingresso_, &QSocketNotifier::activated, this, &Comandi::leggi);
    }

private:
    void leggi() {
        char pezzo[4096];
        const ssize_t letti = read(STDIN_FILENO, pezzo, sizeof pezzo);
        if (letti <= 0) { // the test is gone
            ingresso_.setEnabled(false);
            QCoreApplication::exit(1);
            return;
        }
        letto_.append(pezzo, letti);
        qsizetype fine;
        while ((fine = letto_.indexOf('\n')) >= 0) {
            const QString riga = QString::fromUtf8(letto_.left(fine));
            letto_.remove(0, fine + 1);
            esegui(riga);
        }
    }

    void esegui(const QString& riga) {
        const QString comando = riga.section(QLatin1Char(' '), 0, 0);
        if (comando == QLatin1String("copia")) {
            appunti_.copia(riga.section(QLatin1Char(' '), 2),
                           dati.value(riga.section(QLatin1Char(' '), 1, 1)));
        } else if (comando == QLatin1String("cancella")) {
            appunti_.cancella();
        } else if (comando == QLatin1String("modale")) {
            // Answered from the loop the dialog runs, as a message box would be.
            QTimer::singleShot(0, this, [this] {
                QDialog dialogo;
                QTimer::singleShot(0, &dialogo, [] { scrivi(QStringLiteral("modale")); });
                dialogo.exec();
            });
        } else if (comando == QLatin1String("esci")) {
            QApplication::quit();
        }
    }

    Appunti& appunti_;
    QSocketNotifier ingresso_;
    QByteArray letto_;
};

} // namespace

int main(int argc, char** argv) {
    TApplicazione applicazione(argc, argv);
    PreparaAmbiente(applicazione);
    ChiusuraSuSegnale chiusura;
    Appunti::Impostazioni impostazioni;
    if (argc > 1)
        impostazioni.attesa = std::chrono::milliseconds(QByteArray(argv[1]).toLongLong());
    // Owned by the application, as the program's own is: its end is the application's.
    Appunti& appunti = *new Appunti(impostazioni, &applicazione);
    QObject::connect(&appunti, &Appunti::copiato, [](Appunti::Dato dato, int secondi) {
        scrivi(QStringLiteral("copiato %1 %2").arg(nomeDi(dato)).arg(secondi));
    });
    QObject::connect(&appunti, &Appunti::nienteDaCopiare,
                     [](Appunti::Dato dato) { scrivi(QStringLiteral("niente ") + nomeDi(dato)); });
    QObject::connect(&appunti, &Appunti::cancellato, [](Appunti::Dato dato, bool svuotati) {
        // What the unit asked of the display has reached it before the test is told.
        QGuiApplication::sync();
        scrivi(QStringLiteral("cancellato %1 %2")
                   .arg(nomeDi(dato),
                        svuotati ? QStringLiteral("svuotati") : QStringLiteral("lasciati")));
    });
    Comandi comandi(appunti);
    scrivi(QStringLiteral("pronto"));
    const int esito = applicazione.exec();
    scrivi(QStringLiteral("fine"));
    return esito;
}
