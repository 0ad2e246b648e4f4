#include "core/import/LetturaCsv.h"

#include "core/storage/Windows1252.h"
#include "core/text/Testo.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <csv.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// Larger than any list of credentials: a file this big is not one.
constexpr qint64 MassimaDimensioneFile = 256 * 1024 * 1024;

// Where the line that starts at `inizio` ends: after its LF, its CR LF or its lone CR, or at the
// end of the text.
qsizetype FineDellaLinea(QByteArrayView testo, qsizetype inizio) {
    for (qsizetype i = inizio; i < testo.size(); ++i) {
        if (testo[i] == '\n')
            return i + 1;
        if (testo[i] == '\r')
            return i + 1 < testo.size() && testo[i + 1] == '\n' ? i + 2 : i + 1;
    }
    return testo.size();
}

// The line breaks in a text: LF, CR LF and a CR alone each count once.
qsizetype InterruzioniDiRiga(QByteArrayView testo) {
    if (!testo.contains('\n') && !testo.contains('\r'))
        return 0;
    qsizetype interruzioni = 0;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        if (testo[i] == '\n' ||
            (testo[i] == '\r' && (i + 1 == testo.size() || testo[i + 1] != '\n')))
            ++interruzioni;
    }
    return interruzioni;
}

// The separator of the header line: the semicolon when it holds more of them than of commas,
// outside quotes.
char SeparatoreDellIntestazione(QByteArrayView testo) {
    qsizetype virgole = 0, puntiEVirgola = 0;
    bool traVirgolette = false;
    for (const char c : testo) {
        if (c == '"')
            traVirgolette = !traVirgolette;
        else if (traVirgolette)
            continue;
        else if (c == '\r' || c == '\n')
            break;
        else if (c == ',')
            ++virgole;
        else if (c == ';')
            ++puntiEVirgola;
    }
    return puntiEVirgola > virgole ? ';' : ',';
}

class DecodificatoreUtf8 {
public:
    std::optional<QString> Decodifica(QByteArrayView byte) {
        decodificatore.resetState();
        QString testo = decodificatore.decode(byte);
        if (decodificatore.hasError())
            return std::nullopt;
        return testo;
    }

    // The line, from `linea` on, of the first piece of `byte` that is not UTF-8.
    qsizetype LineaNonValida(QByteArrayView byte, qsizetype linea) {
        for (qsizetype inizio = 0; inizio < byte.size(); ++linea) {
            const qsizetype fine = FineDellaLinea(byte, inizio);
            if (!Decodifica(byte.sliced(inizio, fine - inizio)))
                return linea;
            inizio = fine;
        }
        return linea;
    }

private:
    QStringDecoder decodificatore{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
};

// What libcsv hands over, each cell decoded as it comes, with the line where each row starts.
// The callbacks run inside libcsv's C frames, so they only store and never throw on purpose.
// libcsv reports every CR and LF outside the cells (CSV_REPALL_NL), so the lines are counted as
// the cells come: those outside the cells here, those inside each cell from its text.
struct Lettore {
    bool windows1252 = false;
    qsizetype linea = 1;        // the line where the next cell begins
    bool dopoCr = false;        // the last thing reported was a CR outside the cells
    qsizetype lineaNonUtf8 = 0; // where the first cell that is not UTF-8 has its fault
    qsizetype colonne = 0;      // the cells of the first row
    RigaCsv riga;
    QList<RigaCsv> righe;
    DecodificatoreUtf8 utf8;
};

void FineCella(void* testo, size_t lunghezza, void* dati) {
    Lettore& lettore = *static_cast<Lettore*>(dati);
    const QByteArrayView cella(static_cast<const char*>(testo), static_cast<qsizetype>(lunghezza));
    const qsizetype inizio = lettore.linea;
    lettore.linea += InterruzioniDiRiga(cella);
    lettore.dopoCr = false;
    if (lettore.riga.celle.isEmpty()) {
        lettore.riga.linea = inizio;
        lettore.riga.celle.reserve(lettore.colonne);
    }
    if (lettore.windows1252) {
        lettore.riga.celle.append(DecodificaWindows1252(cella));
        return;
    }
    std::optional<QString> decodificata =
        lettore.lineaNonUtf8 == 0 ? lettore.utf8.Decodifica(cella) : QString();
    if (!decodificata) {
        lettore.lineaNonUtf8 = lettore.utf8.LineaNonValida(cella, inizio);
        decodificata.emplace();
    }
    lettore.riga.celle.append(std::move(*decodificata));
}

// Called for the end of each row and for every other CR or LF outside the cells. Rows whose
// cells are all empty (blank lines, separators alone) are not rows.
void FineRiga(int carattere, void* dati) {
    Lettore& lettore = *static_cast<Lettore*>(dati);
    // The LF of a CR LF ends the same line.
    if (carattere == CSV_CR || (carattere == CSV_LF && !lettore.dopoCr))
        ++lettore.linea;
    lettore.dopoCr = carattere == CSV_CR;
    if (lettore.riga.celle.isEmpty())
        return;
    RigaCsv riga = std::exchange(lettore.riga, {});
    if (lettore.colonne == 0)
        lettore.colonne = riga.celle.size();
    if (std::any_of(riga.celle.cbegin(), riga.celle.cend(),
                    [](const QString& cella) { return !cella.isEmpty(); }))
        lettore.righe.append(std::move(riga));
}

int NessunoSpazio(unsigned char) {
    return 0;
}

class AnalizzatoreCsv {
public:
    explicit AnalizzatoreCsv(char separatore) {
        if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL) != 0)
            throw ErroreImportazione(QStringLiteral("Memoria insufficiente per leggere il file."));
        csv_set_delim(&parser, static_cast<unsigned char>(separatore));
        // Blanks at both ends of a cell are part of it: a password may start with one.
        csv_set_space_func(&parser, NessunoSpazio);
    }
    ~AnalizzatoreCsv() { csv_free(&parser); }
    AnalizzatoreCsv(const AnalizzatoreCsv&) = delete;
    AnalizzatoreCsv& operator=(const AnalizzatoreCsv&) = delete;

    // The rows of the text; `lineaNonUtf8` receives where the first cell that is not UTF-8 has
    // its fault (0: none), unless the text is read as Windows-1252.
    QList<RigaCsv> Leggi(QByteArrayView testo, bool windows1252, qsizetype& lineaNonUtf8) {
        lettore.windows1252 = windows1252;
        const auto lunghezza = static_cast<size_t>(testo.size());
        const size_t letti =
            csv_parse(&parser, testo.data(), lunghezza, FineCella, FineRiga, &lettore);
        if (letti != lunghezza)
            Fallisci(1 + InterruzioniDiRiga(testo.first(static_cast<qsizetype>(letti))));
        // A quoted cell still open at the end of the file: it began where the next cell would.
        if (csv_fini(&parser, FineCella, FineRiga, &lettore) != 0)
            throw ErroreImportazione(
                QStringLiteral("Riga %1: le virgolette aperte in questa riga non vengono mai "
                               "chiuse.")
                    .arg(lettore.linea),
                lettore.linea);
        lineaNonUtf8 = lettore.lineaNonUtf8;
        return std::move(lettore.righe);
    }

private:
    [[noreturn]] void Fallisci(qsizetype linea) {
        if (csv_error(&parser) == CSV_EPARSE)
            throw ErroreImportazione(
                QStringLiteral("Riga %1: virgolette fuori posto. Una cella tra virgolette deve "
                               "chiudersi subito prima del separatore o della fine della riga, e "
                               "le virgolette dentro una cella vanno raddoppiate.")
                    .arg(linea),
                linea);
        throw ErroreImportazione(QStringLiteral("Memoria insufficiente per leggere il file."));
    }

    csv_parser parser;
    Lettore lettore;
};

void RifiutaSeNonTesto(QByteArrayView testo) {
    if (testo.startsWith("\xFF\xFE") || testo.startsWith("\xFE\xFF"))
        throw ErroreImportazione(
            QStringLiteral("Il file è scritto in UTF-16: salvarlo come CSV in UTF-8 e "
                           "riprovare."),
            1);
    const qsizetype nullo = testo.indexOf('\0');
    if (nullo >= 0) {
        const qsizetype linea = 1 + InterruzioniDiRiga(testo.first(nullo));
        throw ErroreImportazione(
            QStringLiteral("Riga %1: il file contiene un carattere nullo e non è un file di testo "
                           "CSV.")
                .arg(linea),
            linea);
    }
}

[[noreturn]] void FallisciUtf8(qsizetype linea) {
    throw ErroreImportazione(
        QStringLiteral("Riga %1: il testo non è in UTF-8 valido. Salvare il file come CSV in "
                       "UTF-8 e riprovare.")
            .arg(linea),
        linea);
}

} // namespace

QString NomeCodifica(CodificaCsv codifica) {
    switch (codifica) {
    case CodificaCsv::Utf8:
        return QStringLiteral("UTF-8");
    case CodificaCsv::Utf8ConBom:
        return QStringLiteral("UTF-8 con BOM");
    case CodificaCsv::Windows1252:
        break;
    }
    return QStringLiteral("Windows-1252");
}

ErroreImportazione::ErroreImportazione(const QString& messaggio, qsizetype linea)
    : std::runtime_error(messaggio.toStdString())
    , linea(linea) {}

TabellaCsv LeggiCsv(QByteArrayView dati, const CondizioneWindows1252& ammetteWindows1252) {
    RifiutaSeNonTesto(dati);
    TabellaCsv tabella;
    QByteArrayView testo = dati;
    if (testo.startsWith("\xEF\xBB\xBF")) {
        tabella.codifica = CodificaCsv::Utf8ConBom;
        testo = testo.sliced(3);
    }
    tabella.separatore = SeparatoreDellIntestazione(testo);

    qsizetype lineaNonUtf8 = 0;
    QList<RigaCsv> righe = AnalizzatoreCsv(tabella.separatore).Leggi(testo, false, lineaNonUtf8);
    if (righe.isEmpty())
        throw ErroreImportazione(
            QStringLiteral("Il file è vuoto: manca anche la riga di intestazione."));
    const qsizetype colonne = righe.front().celle.size();
    for (const RigaCsv& riga : std::as_const(righe)) {
        if (riga.celle.size() != colonne)
            throw ErroreImportazione(
                QStringLiteral("Riga %1: %2 celle, mentre l'intestazione ne ha %3.")
                    .arg(riga.linea)
                    .arg(riga.celle.size())
                    .arg(colonne),
                riga.linea);
    }
    if (lineaNonUtf8 > 0) {
        // The header's names are ASCII in every format: what it holds of them is enough.
        QStringList intestazione = righe.front().celle;
        for (QString& cella : intestazione)
            cella = TogliSpazi(cella);
        if (tabella.codifica == CodificaCsv::Utf8ConBom || !ammetteWindows1252 ||
            !ammetteWindows1252(intestazione))
            FallisciUtf8(lineaNonUtf8);
        tabella.codifica = CodificaCsv::Windows1252;
        righe = AnalizzatoreCsv(tabella.separatore).Leggi(testo, true, lineaNonUtf8);
    }
    tabella.intestazione = righe.takeFirst();
    for (QString& cella : tabella.intestazione.celle)
        cella = TogliSpazi(cella);
    tabella.righe = std::move(righe);
    return tabella;
}

QByteArray LeggiFileCsv(const QString& percorso) {
    QFile file(percorso);
    const QString nome = QFileInfo(percorso).fileName();
    if (!file.open(QIODevice::ReadOnly))
        throw ErroreImportazione(
            QStringLiteral("Il file «%1» non può essere letto: %2.").arg(nome, file.errorString()));
    if (file.size() > MassimaDimensioneFile)
        throw ErroreImportazione(
            QStringLiteral("Il file «%1» è troppo grande per un elenco di credenziali.").arg(nome));
    QByteArray dati = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ErroreImportazione(
            QStringLiteral("Il file «%1» non può essere letto: %2.").arg(nome, file.errorString()));
    return dati;
}
