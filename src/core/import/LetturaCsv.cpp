#include "core/import/LetturaCsv.h"

#include "core/storage/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <csv.h>

#include <optional>
#include <utility>

namespace {

// Larger than any list of credentials: a file this big is not one.
constexpr qint64 MassimaDimensioneFile = 256 * 1024 * 1024;

struct RigaGrezza {
    qsizetype linea = 0;
    QList<QByteArray> celle;
};

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

// What libcsv hands over, with the line where each row starts. The callbacks run inside libcsv's
// C frames, so they only store and never throw on purpose.
struct Lettore {
    qsizetype linea = 1; // the line the parser is reading
    qsizetype inizioRiga = 0;
    QList<QByteArray> celle;
    QList<RigaGrezza> righe;
};

void FineCella(void* testo, size_t lunghezza, void* dati) {
    Lettore& lettore = *static_cast<Lettore*>(dati);
    QByteArray cella(static_cast<const char*>(testo), static_cast<qsizetype>(lunghezza));
    // The cell ends on the line being read; its own line breaks tell where it began.
    if (lettore.celle.isEmpty())
        lettore.inizioRiga = lettore.linea - InterruzioniDiRiga(cella);
    lettore.celle.append(std::move(cella));
}

void FineRiga(int, void* dati) {
    Lettore& lettore = *static_cast<Lettore*>(dati);
    lettore.righe.append({lettore.inizioRiga, std::exchange(lettore.celle, {})});
}

int NessunoSpazio(unsigned char) {
    return 0;
}

class AnalizzatoreCsv {
public:
    explicit AnalizzatoreCsv(char separatore) {
        if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
            throw ErroreImportazione(QStringLiteral("Memoria insufficiente per leggere il file."));
        csv_set_delim(&parser, static_cast<unsigned char>(separatore));
        // Blanks at both ends of a cell are part of it: a password may start with one.
        csv_set_space_func(&parser, NessunoSpazio);
    }
    ~AnalizzatoreCsv() { csv_free(&parser); }
    AnalizzatoreCsv(const AnalizzatoreCsv&) = delete;
    AnalizzatoreCsv& operator=(const AnalizzatoreCsv&) = delete;

    QList<RigaGrezza> Leggi(QByteArrayView testo) {
        // Line by line, so that the callbacks know the line each cell ends on.
        for (qsizetype inizio = 0; inizio < testo.size();) {
            const qsizetype fine = FineDellaLinea(testo, inizio);
            const auto lunghezza = static_cast<size_t>(fine - inizio);
            if (csv_parse(&parser, testo.data() + inizio, lunghezza, FineCella, FineRiga,
                          &lettore) != lunghezza)
                Fallisci();
            inizio = fine;
            if (testo[fine - 1] == '\n' || testo[fine - 1] == '\r')
                ++lettore.linea;
        }
        if (csv_fini(&parser, FineCella, FineRiga, &lettore) != 0) {
            // A quoted cell still open at the end of the file: it began where its text did.
            const QByteArrayView aperta(reinterpret_cast<const char*>(parser.entry_buf),
                                        static_cast<qsizetype>(parser.entry_pos));
            throw ErroreImportazione(
                QStringLiteral("Riga %1: le virgolette aperte in questa riga non vengono mai "
                               "chiuse.")
                    .arg(lettore.linea - InterruzioniDiRiga(aperta)),
                lettore.linea - InterruzioniDiRiga(aperta));
        }
        return std::move(lettore.righe);
    }

private:
    [[noreturn]] void Fallisci() {
        if (csv_error(&parser) == CSV_EPARSE)
            throw ErroreImportazione(
                QStringLiteral("Riga %1: virgolette fuori posto. Una cella tra virgolette deve "
                               "chiudersi subito prima del separatore o della fine della riga, e "
                               "le virgolette dentro una cella vanno raddoppiate.")
                    .arg(lettore.linea),
                lettore.linea);
        throw ErroreImportazione(QStringLiteral("Memoria insufficiente per leggere il file."));
    }

    csv_parser parser;
    Lettore lettore;
};

void ControllaLineeECelle(QByteArrayView testo) {
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

bool CelleVuote(const QList<QByteArray>& celle) {
    for (const QByteArray& cella : celle) {
        if (!cella.isEmpty())
            return false;
    }
    return true;
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

[[noreturn]] void FallisciUtf8(qsizetype linea) {
    throw ErroreImportazione(
        QStringLiteral("Riga %1: il testo non è in UTF-8 valido. Salvare il file come CSV in "
                       "UTF-8 e riprovare.")
            .arg(linea),
        linea);
}

// Every cell in UTF-8; nothing when some cell is not, with the line where the first such one has
// its fault.
std::optional<QList<RigaCsv>> DecodificaUtf8(const QList<RigaGrezza>& grezze,
                                             qsizetype& lineaNonValida) {
    DecodificatoreUtf8 decodificatore;
    QList<RigaCsv> righe;
    righe.reserve(grezze.size());
    for (const RigaGrezza& grezza : grezze) {
        RigaCsv riga{grezza.linea, {}};
        riga.celle.reserve(grezza.celle.size());
        qsizetype linea = grezza.linea;
        for (const QByteArray& cella : grezza.celle) {
            std::optional<QString> testo = decodificatore.Decodifica(cella);
            if (!testo) {
                lineaNonValida = decodificatore.LineaNonValida(cella, linea);
                return std::nullopt;
            }
            riga.celle.append(std::move(*testo));
            linea += InterruzioniDiRiga(cella);
        }
        righe.append(std::move(riga));
    }
    return righe;
}

QList<RigaCsv> DecodificaInWindows1252(const QList<RigaGrezza>& grezze) {
    QList<RigaCsv> righe;
    righe.reserve(grezze.size());
    for (const RigaGrezza& grezza : grezze) {
        RigaCsv riga{grezza.linea, {}};
        riga.celle.reserve(grezza.celle.size());
        for (const QByteArray& cella : grezza.celle)
            riga.celle.append(DecodificaWindows1252(cella));
        righe.append(std::move(riga));
    }
    return righe;
}

} // namespace

ErroreImportazione::ErroreImportazione(const QString& messaggio, qsizetype linea)
    : std::runtime_error(messaggio.toStdString())
    , linea(linea) {}

TabellaCsv LeggiCsv(QByteArrayView dati, const CondizioneWindows1252& ammetteWindows1252) {
    ControllaLineeECelle(dati);
    TabellaCsv tabella;
    QByteArrayView testo = dati;
    if (testo.startsWith("\xEF\xBB\xBF")) {
        tabella.codifica = CodificaCsv::Utf8ConBom;
        testo = testo.sliced(3);
    }
    tabella.separatore = SeparatoreDellIntestazione(testo);

    QList<RigaGrezza> grezze = AnalizzatoreCsv(tabella.separatore).Leggi(testo);
    // Blank lines are not rows for libcsv; rows of empty cells are not rows here.
    grezze.removeIf([](const RigaGrezza& riga) { return CelleVuote(riga.celle); });
    if (grezze.isEmpty())
        throw ErroreImportazione(
            QStringLiteral("Il file è vuoto: manca anche la riga di intestazione."));
    const qsizetype colonne = grezze.front().celle.size();
    for (const RigaGrezza& riga : std::as_const(grezze)) {
        if (riga.celle.size() != colonne)
            throw ErroreImportazione(
                QStringLiteral("Riga %1: %2 celle, mentre l'intestazione ne ha %3.")
                    .arg(riga.linea)
                    .arg(riga.celle.size())
                    .arg(colonne),
                riga.linea);
    }

    qsizetype lineaNonValida = 0;
    std::optional<QList<RigaCsv>> righe = DecodificaUtf8(grezze, lineaNonValida);
    if (!righe) {
        QStringList intestazione;
        for (const QByteArray& cella : std::as_const(grezze.front().celle))
            intestazione.append(QString::fromUtf8(cella).trimmed());
        if (tabella.codifica == CodificaCsv::Utf8ConBom || !ammetteWindows1252 ||
            !ammetteWindows1252(intestazione))
            FallisciUtf8(lineaNonValida);
        tabella.codifica = CodificaCsv::Windows1252;
        righe = DecodificaInWindows1252(grezze);
    }
    tabella.intestazione = righe->takeFirst();
    for (QString& cella : tabella.intestazione.celle)
        cella = cella.trimmed();
    tabella.righe = std::move(*righe);
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
