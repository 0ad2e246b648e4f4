#pragma once

#include <QString>

// A file converted by the real spreadsheet program: LibreOffice Calc run headless (soffice
// --convert-to), with a profile of its own in the conversion's folder so that no running
// LibreOffice takes the conversion over, in the given locale, for at most 90 s.
struct ConversioneCalc {
    QString percorso; // the converted file; empty when the conversion failed
    QString errore;   // why it failed, with what soffice said
};

// Converts `documento` with Calc's filter `filtro` (as --convert-to takes it, "csv:Text - txt -
// csv (StarCalc):44,34,76,1") into `cartella`, under the locale `localita` ("it_IT.UTF-8"; the
// test's own when empty). soffice comes from libreoffice-calc-nogui: without it the conversion
// fails and says so.
ConversioneCalc ConvertiConCalc(const QString& documento, const QString& filtro,
                                const QString& cartella, const QString& localita = QString());
