// Any settings file and any value for the access password's entry: writing the value and reading
// it back gives it, and every byte of the file outside the one line that changes stays as it was.

#include "Verifica.h"
#include "core/password/ProfiloPrivato.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>

namespace {

// A value the file can hold on one line as the reader gives it back: one line, no blanks around
// it, no quotes around it, no byte-order mark (the reader drops one).
bool Scrivibile(const QString& valore) {
    return !valore.contains(QLatin1Char('\n')) && !valore.contains(QLatin1Char('\r')) &&
           !valore.contains(QChar(0)) && !valore.contains(QChar(0xFEFF)) &&
           valore == valore.trimmed() && valore.size() <= LunghezzaMassimaValoreProfilo &&
           !valore.startsWith(QLatin1Char('"')) && !valore.startsWith(QLatin1Char('\''));
}

} // namespace

// The input: the file's bytes, then NUL and the value (UTF-8).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    const QByteArray ingresso(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const qsizetype separatore = ingresso.indexOf('\0');
    const QByteArray contenuto = separatore < 0 ? ingresso : ingresso.left(separatore);
    const QString valore =
        separatore < 0 ? QStringLiteral("0A1B2C") : QString::fromUtf8(ingresso.mid(separatore + 1));
    const QString sezione = QStringLiteral("Accesso");
    const QString chiave = QStringLiteral("Valore");

    // Reading never fails and never gives more than the Windows reader would.
    Verifica(ValoreInProfilo(contenuto, sezione, chiave).size() <= LunghezzaMassimaValoreProfilo,
             "value no longer than the reader's limit");
    if (!Scrivibile(valore))
        return 0;

    const QByteArray nuovo = ProfiloConValore(contenuto, sezione, chiave, valore);
    Verifica(ValoreInProfilo(nuovo, sezione, chiave) == valore, "the value written reads back");

    // Outside the bytes that differ, the two files are the same; the old file's differing bytes
    // lie within one line.
    const qsizetype comune = std::min(contenuto.size(), nuovo.size());
    qsizetype prima = 0;
    while (prima < comune && contenuto[prima] == nuovo[prima])
        ++prima;
    qsizetype dopo = 0;
    while (dopo < comune - prima &&
           contenuto[contenuto.size() - 1 - dopo] == nuovo[nuovo.size() - 1 - dopo])
        ++dopo;
    const QByteArray cambiato = contenuto.mid(prima, contenuto.size() - prima - dopo);
    Verifica(!cambiato.contains('\n') && !cambiato.contains('\r'), "other lines kept");
    return 0;
}
