#pragma once

#include "core/storage/Scheda.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <array>

// The CSV files the program imports, each recognised by its header line (column names compared
// without regard to case or to blanks at their ends, in any order; columns a format does not use
// are left out).
enum class FormatoImportazione {
    KeePassXC, // its CSV export: Group, Title, Username, Password, URL, Notes, TOTP, ..., Created
    Bitwarden, // its CSV export of a personal vault (folder) or of an organisation (collections)
    Chrome,    // the password export of Chrome and Edge: name, url, username, password[, note]
    Firefox,   // the password export of Firefox: url, username, password, httpRealm, ...
    Blindoro,  // the program's own 14 exported columns, as a spreadsheet saves them as CSV
};

// The format's name as the user knows it.
QString NomeFormato(FormatoImportazione formato);

// One row of the file mapped onto the record's fields, as the source gives them: no check, no
// cut, no conversion yet. The dates are "dd/mm/yyyy" where the source's own date could be read
// (an ISO 8601 time, milliseconds since 1970), else the source's text as it stands.
struct SchedaLetta {
    std::array<QString, NumeroCampi> campi;
    // Not empty for a Bitwarden item that is not a login (a secure note, a card, an identity):
    // its type, and the row is not imported.
    QString tipoSaltato;

    QString& operator[](Campo campo) { return campi[static_cast<std::size_t>(campo)]; }
    const QString& operator[](Campo campo) const { return campi[static_cast<std::size_t>(campo)]; }
};

class FormatoRiconosciuto {
public:
    FormatoImportazione Formato() const { return formato; }
    // The header's columns that the format does not carry into the record, as the file names them.
    const QStringList& ColonneIgnorate() const { return ignorate; }
    // Whether an empty creation date stays empty (the program's own columns, where the record
    // had none) rather than becoming the day of the import.
    bool CreazioneVuotaResta() const { return formato == FormatoImportazione::Blindoro; }

    SchedaLetta Mappa(const QStringList& celle) const;

private:
    friend FormatoRiconosciuto RiconosciFormato(const QStringList& intestazione);
    FormatoImportazione formato = FormatoImportazione::Blindoro;
    QHash<QByteArray, qsizetype> colonne; // the lower-case name of each column, and its place
    QStringList ignorate;
};

// The format whose header this is; for any other header, ErroreImportazione with a message that
// names the formats understood (and the columns missing from the nearest one).
FormatoRiconosciuto RiconosciFormato(const QStringList& intestazione);

// Whether a file with this header may be in Windows-1252: only the program's own columns, which a
// spreadsheet may save in the system code page. The other programs write UTF-8.
bool AmmetteWindows1252(const QStringList& intestazione);
