// The first opening of each long-lived window after the login, in milliseconds, in one run of the
// program's own windows on the current display: from the click that asks for the window to its
// first paint. A fresh program folder holds the delivered access-password file and one archive.
//
//   prime_aperture ACCESS-FILE        prints: avvio=… creazione=… selezione=… scheda=…

#include "FinoAlDisegno.h"
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
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
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

template <class T> T* figlio(QWidget* finestra, const char* nome) {
    T* trovato = finestra->findChild<T*>(QLatin1String(nome));
    if (!trovato)
        qFatal("missing control %s", nome);
    return trovato;
}

// The milliseconds from the click to the first paint of the window the click leads to, which it
// may make.
template <class Finestra> double misura(QAbstractButton* pulsante, Finestra finestra) {
    return FinoAlDisegno(
        [&]() -> QWidget* {
            pulsante->click();
            return finestra();
        },
        5000);
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
    FinoAlDisegno([&]() -> QWidget* {
        finestre.MostraFinestraPrincipale();
        return &finestre.Password();
    });

    QWidget* accesso = &finestre.Password();
    figlio<QLineEdit>(accesso, "txtPassword")->setText(QStringLiteral("pergolatoverde"));
    const double avvio =
        misura(figlio<QAbstractButton>(accesso, "cmdOK"), [&] { return &finestre.Avvio(); });
    const double creazione = misura(figlio<QAbstractButton>(&finestre.Avvio(), "btnCrea"),
                                    [&] { return &finestre.CreaArchivio(); });
    finestre.CreaArchivio().close();
    const double selezione = misura(figlio<QAbstractButton>(&finestre.Avvio(), "btnApri"),
                                    [&] { return &finestre.ApriArchivio(); });
    auto* elenco = figlio<QListWidget>(&finestre.ApriArchivio(), "lstFiles");
    elenco->setCurrentRow(0);
    const double scheda = misura(figlio<QAbstractButton>(&finestre.ApriArchivio(), "btnApri"),
                                 [&] { return &finestre.Blindoro(); });
    std::printf("avvio=%.1f creazione=%.1f selezione=%.1f scheda=%.1f\n", avvio, creazione,
                selezione, scheda);
    return 0;
}
