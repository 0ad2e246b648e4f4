// The first opening of each long-lived window after the login, in milliseconds, in one run of the
// program's own windows on the current display: from the click that asks for the window to its
// first paint. A fresh program folder holds the delivered access-password file and one archive.
//
//   prime_aperture ACCESS-FILE        prints: avvio=… creazione=… selezione=… scheda=…

#include "access/Password.h"
#include "app/Applicazione.h"
#include "app/Avvio.h"
#include "app/Finestre.h"
#include "archive/ApriArchivio.h"
#include "archive/CreaArchivio.h"
#include "core/storage/FileArchivio.h"
#include "editor/Blindoro.h"
#include "gui/PiattaformaQt.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// The real platform, with the program folder moved to a folder of the benchmark's own.
class PiattaformaBanco : public PiattaformaQt {
public:
    explicit PiattaformaBanco(QString cartella)
        : cartella_(std::move(cartella)) {}
    QString cartellaProgramma() const override { return cartella_; }

private:
    QString cartella_;
};

// Ends the loop at the window's first paint.
class PrimoDisegno : public QObject {
public:
    PrimoDisegno(QWidget* finestra, QEventLoop& ciclo)
        : ciclo_(ciclo) {
        finestra->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::Paint)
            ciclo_.quit();
        return false;
    }

private:
    QEventLoop& ciclo_;
};

// The milliseconds from `azione` to the first paint of the window that `finestra` gives once the
// action has made it.
template <class Azione, class Finestra> double misura(Azione azione, Finestra finestra) {
    QEventLoop ciclo;
    QElapsedTimer tempo;
    tempo.start();
    azione();
    PrimoDisegno disegno(finestra(), ciclo);
    QTimer::singleShot(5000, &ciclo, &QEventLoop::quit);
    ciclo.exec();
    return tempo.nsecsElapsed() / 1e6;
}

template <class T> T* figlio(QWidget* finestra, const char* nome) {
    T* trovato = finestra->findChild<T*>(QLatin1String(nome));
    if (!trovato)
        qFatal("missing control %s", nome);
    return trovato;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ACCESS-FILE\n", argv[0]);
        return 2;
    }
    TApplicazione applicazione(argc, argv);
    PreparaAmbiente(applicazione);
    QTemporaryDir cartella;
    const QString programma = cartella.path() + QLatin1Char('/');
    if (!QFile::copy(QString::fromLocal8Bit(argv[1]), programma + QStringLiteral("unins000.dll")))
        qFatal("cannot copy the access-password file");
    {
        FileArchivio archivio = ApriFileArchivio(programma + QStringLiteral("Casa.psw"));
        TScheda scheda{};
        CodificaCampo(scheda, Campo::Titolo, QStringLiteral("Banca"));
        archivio.Aggiungi(scheda);
        archivio.Chiudi();
    }
    PiattaformaBanco piattaforma(programma);
    Piattaforma::installa(&piattaforma);

    TFinestre finestre;
    misura([&] { finestre.MostraFinestraPrincipale(); }, [&] { return &finestre.Password(); });

    QWidget* accesso = &finestre.Password();
    figlio<QLineEdit>(accesso, "txtPassword")->setText(QStringLiteral("pergolatoverde"));
    const double avvio = misura([&] { figlio<QAbstractButton>(accesso, "cmdOK")->click(); },
                                [&] { return &finestre.Avvio(); });
    const double creazione =
        misura([&] { figlio<QAbstractButton>(&finestre.Avvio(), "btnCrea")->click(); },
               [&] { return &finestre.CreaArchivio(); });
    finestre.CreaArchivio().close();
    const double selezione =
        misura([&] { figlio<QAbstractButton>(&finestre.Avvio(), "btnApri")->click(); },
               [&] { return &finestre.ApriArchivio(); });
    auto* elenco = figlio<QListWidget>(&finestre.ApriArchivio(), "lstFiles");
    elenco->setCurrentRow(0);
    const double scheda =
        misura([&] { figlio<QAbstractButton>(&finestre.ApriArchivio(), "btnApri")->click(); },
               [&] { return &finestre.Blindoro(); });
    std::printf("avvio=%.1f creazione=%.1f selezione=%.1f scheda=%.1f\n", avvio, creazione,
                selezione, scheda);
    return 0;
}
