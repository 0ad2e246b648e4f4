#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

// A file that cannot be imported. The text is the message for the user, in Italian; a fault at a
// given place names the line of the file (counted as an editor counts them: a line break inside a
// quoted cell starts a new line too), also given by Linea().
class ErroreImportazione : public std::runtime_error {
public:
    explicit ErroreImportazione(const QString& messaggio, qsizetype linea = 0);
    QString Messaggio() const { return QString::fromUtf8(what()); }
    // The line of the fault (1-based), or 0 when the fault is the whole file's.
    qsizetype Linea() const { return linea; }

private:
    qsizetype linea;
};

enum class CodificaCsv {
    Utf8,        // UTF-8 without byte-order mark (plain ASCII too)
    Utf8ConBom,  // UTF-8 starting with its byte-order mark, as spreadsheets write it
    Windows1252, // the system code page of a Western-European spreadsheet
};

// The encoding's name as the preview shows it ("UTF-8", "UTF-8 con BOM", "Windows-1252").
QString NomeCodifica(CodificaCsv codifica);

struct RigaCsv {
    qsizetype linea = 0; // the line of the file where the row starts
    QStringList celle;
};

// A CSV file read whole: its header row, and every other row with as many cells as the header.
// Rows whose cells are all empty (blank lines, or separators alone) are left out.
struct TabellaCsv {
    char separatore = ',';
    CodificaCsv codifica = CodificaCsv::Utf8;
    RigaCsv intestazione;
    QList<RigaCsv> righe;
};

// Whether a file with this header, not valid UTF-8 and without a byte-order mark, is read as
// Windows-1252. Given the header cells, trimmed.
using CondizioneWindows1252 = std::function<bool(const QStringList& intestazione)>;

// Reads CSV text as RFC 4180 tells it (through libcsv, in strict mode): cells separated by commas
// or by semicolons (whichever the header line holds more of, outside quotes), rows ended by CR LF,
// LF or CR, a cell in double quotes holding separators, line breaks and doubled quotes; no blank
// is taken away from a cell. The text is UTF-8, with or without its byte-order mark; a file that
// has no mark and is not valid UTF-8 is read as Windows-1252 when `ammetteWindows1252` allows it
// for its header (Windows-1252 text with accented letters is almost never valid UTF-8 too).
// Throws ErroreImportazione, with the line, for an empty file, a NUL byte, UTF-16, a quote left
// open or out of place, a row whose number of cells differs from the header's, and text that is
// not UTF-8 where UTF-8 is required.
TabellaCsv LeggiCsv(QByteArrayView dati, const CondizioneWindows1252& ammetteWindows1252 = {});

// The bytes of the file at `percorso`; throws ErroreImportazione when it cannot be read.
QByteArray LeggiFileCsv(const QString& percorso);
