// Times the search window and the expired summary as the user meets them, each against a plain
// sequential read() of the same archive in 13318-byte pieces, timed in the same run:
//  - a search with no filter, so every record is listed: from the click on "Cerca" to the first
//    paint of the list in the window (target: under 300 ms at 10,000 records);
//  - the summary of an archive whose every password has expired: from the making of the window to
//    the first paint of its list (target: under 300 ms at 10,000 records);
//  - the double-click on a line: every record's line compared, the equal one shown in the record
//    window (target: within 1.5 times the plain read);
//  - for comparison, the same lines put one by one into a QListWidget, each item with its own
//    font and colour, up to its first paint.
// At 10,000 and at 100,000 records, to show that the cost grows with the archive and no faster.
// The windows run on the "offscreen" platform unless QT_QPA_PLATFORM says otherwise. The archives
// go into a temporary folder (the first argument, or the system's) and are removed at the end;
// the 100,000-record archive takes 1.3 GB while the program runs.

#include "Banco.h"
#include "FinoAlDisegno.h"
#include "app/Applicazione.h"
#include "core/storage/FileArchivio.h"
#include "core/storage/Scheda.h"
#include "editor/Blindoro.h"
#include "gui/PiattaformaQt.h"
#include "output/Segnalati.h"
#include "output/TrovaPassword.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QFont>
#include <QListView>
#include <QListWidget>
#include <QPushButton>

#include <memory>

#include <cstdio>
#include <vector>

namespace {

// The real platform, with today fixed, so every password of the archive has expired.
class PiattaformaBanco : public PiattaformaQt {
public:
    QDate oggi() const override { return QDate(2024, 3, 15); }
};

// Records of varied lengths, titles in no order, every password expired in 2020 or 2021.
bool CreaArchivio(const QString& percorso, qint64 schede) {
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    TScheda scheda{};
    const QDate inizio(2020, 1, 1);
    for (qint64 i = 0; i < schede; ++i) {
        const qint64 mescolato = (i * 7919) % schede;
        CodificaCampo(
            scheda, Campo::Titolo,
            QStringLiteral("Sito %1 dei servizi").arg(mescolato, 6, 10, QLatin1Char('0')));
        CodificaCampo(scheda, Campo::URL, QStringLiteral("https://www.sito%1.it/accesso").arg(i));
        CodificaCampo(scheda, Campo::Utente, QStringLiteral("utente.%1@posta.it").arg(i % 977));
        CodificaCampo(scheda, Campo::Password, QStringLiteral("Segreta-%1!").arg(i * 31));
        CodificaCampo(scheda, Campo::Intestatario,
                      i % 3 ? QStringLiteral("Mario Rossi") : QStringLiteral("Anna Bianchi"));
        CodificaCampo(scheda, Campo::Tel, QStringLiteral("02 %1").arg(5550000 + i % 10000));
        CodificaCampo(scheda, Campo::Note, QString(static_cast<int>(i % 600), u'n'));
        CodificaCampo(scheda, Campo::Scadenza,
                      inizio.addDays(i % 700).toString(QStringLiteral("dd/MM/yyyy")));
        if (file.write(reinterpret_cast<const char*>(&scheda), sizeof scheda) != sizeof scheda)
            return false;
    }
    return file.flush();
}

QListView* Lista(QWidget* finestra) {
    return finestra->findChild<QListView*>(QStringLiteral("lstRecords"));
}

QStringList RigheDi(QListView* lista) {
    QStringList righe;
    for (int r = 0; r < lista->model()->rowCount(); ++r)
        righe << lista->model()->index(r, 0).data().toString();
    return righe;
}

// The same lines in a QListWidget of the list's size, one item each with its own font and colour.
double ListaWidget(const QStringList& righe) {
    QListWidget lista;
    lista.resize(794, 278);
    return FinoAlDisegno([&]() -> QWidget* {
        const QFont carattere(QStringLiteral("Courier New"), 12);
        for (const QString& riga : righe) {
            auto* voce = new QListWidgetItem(riga, &lista);
            voce->setFont(carattere);
            voce->setForeground(Qt::black);
        }
        lista.show();
        return lista.viewport();
    });
}

void Misura(TfrmBlindoro& scheda, const QString& cartella, qint64 schede, int giri) {
    const QString percorso = cartella + QStringLiteral("/finestre.psw");
    if (!CreaArchivio(percorso, schede)) {
        std::printf("impossibile creare %s\n", qPrintable(percorso));
        return;
    }
    scheda.ApriArchivio(percorso, QStringLiteral("finestre"));

    qint64 controllo = LetturaSemplice(percorso); // warm-up: the file is in the page cache
    std::vector<double> semplice, ricerca, riepilogo, caricamento, widget;
    qint64 elencate = 0, scadute = 0, caricate = 0;
    QStringList righe;
    for (int giro = 0; giro < giri; ++giro) {
        semplice.push_back(Tempo([&] { return LetturaSemplice(percorso); }, controllo));

        {
            TfrmTrovaPassword finestra(&scheda);
            finestra.show();
            QApplication::processEvents();
            auto* cerca = finestra.findChild<QPushButton*>(QStringLiteral("btnCerca"));
            QListView* lista = Lista(&finestra);
            ricerca.push_back(FinoAlDisegno([&] {
                cerca->click();
                return lista->viewport();
            }));
            elencate += lista->model()->rowCount();

            // The line in the middle of the list, double-clicked.
            const QModelIndex mezzo = lista->model()->index(lista->model()->rowCount() / 2, 0);
            lista->selectionModel()->setCurrentIndex(mezzo, QItemSelectionModel::ClearAndSelect);
            scheda.SvuotaScheda();
            const auto inizio = Orologio::now();
            finestra.lstRecordsDblClick();
            caricamento.push_back(Millisecondi(Orologio::now() - inizio));
            caricate += scheda.NumeroScheda().has_value();
            if (giro == 0)
                righe = RigheDi(lista);
        }

        std::unique_ptr<TfrmSegnalati> finestra;
        riepilogo.push_back(FinoAlDisegno([&] {
            finestra = std::make_unique<TfrmSegnalati>(&scheda);
            finestra->show();
            return Lista(finestra.get())->viewport();
        }));
        scadute += Lista(finestra.get())->model()->rowCount();
        finestra.reset();

        widget.push_back(ListaWidget(righe));
    }

    const double base = Mediana(semplice);
    std::printf("%lld schede (%.0f MB), mediana di %d giri:\n", static_cast<long long>(schede),
                schede * DimensioneScheda / 1e6, giri);
    const auto riga = [&](const char* nome, double ms) {
        std::printf("  %-58s %9.1f ms  %6.2f x  %6.2f us/scheda\n", nome, ms, ms / base,
                    ms * 1000.0 / schede);
    };
    riga("read() a pezzi di 13318 byte", base);
    riga("ricerca di tutte, elenco disegnato (obiettivo < 300 ms)", Mediana(ricerca));
    riga("riepilogo di tutte scadute, disegnato (obiettivo < 300 ms)", Mediana(riepilogo));
    riga("caricamento col doppio clic (obiettivo < 1.5 x)", Mediana(caricamento));
    riga("per confronto: le stesse righe in un QListWidget", Mediana(widget));
    std::printf("  [elencate %lld, scadute %lld, caricate %lld di %d, controllo %lld]\n",
                static_cast<long long>(elencate / giri), static_cast<long long>(scadute / giri),
                static_cast<long long>(caricate), giri, static_cast<long long>(controllo % 1000));
    QFile::remove(percorso);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplicazione applicazione(argc, argv);
    PreparaAmbiente(applicazione);
    PiattaformaBanco piattaforma;
    Piattaforma::installa(&piattaforma);

    const auto cartella = CartellaDelBanco(argc, argv);
    TfrmBlindoro scheda;
    Misura(scheda, cartella->path(), 10000, 7);
    Misura(scheda, cartella->path(), 100000, 3);
    return 0;
}
