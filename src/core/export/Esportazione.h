#pragma once

#include "core/storage/Scheda.h"

#include <QString>

#include <array>
#include <stdexcept>

class QIODevice;

// A failed write of the spreadsheet file; the text holds the device's own error text.
class ErroreEsportazione : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The columns of the file, in order: the record field each one shows, its caption and its width.
struct ColonnaEsportata {
    Campo campo;
    const char* intestazione;
    int larghezza;
};
inline constexpr int NumeroColonneEsportate = 14;
inline constexpr std::array<ColonnaEsportata, NumeroColonneEsportate> ColonneEsportate = {{
    {Campo::Titolo, "Titolo sito Web", 400},
    {Campo::URL, "URL", 400},
    {Campo::Proprietario, "Proprietario sito Web", 350},
    {Campo::Descrizione, "Descrizione", 400},
    {Campo::Utente, "Nome Utente", 250},
    {Campo::Password, "Password", 250},
    {Campo::Creazione, "Data creazione", 200},
    {Campo::Scadenza, "Data scadenza", 200},
    {Campo::Domanda, "Domanda segreta", 400},
    {Campo::Risposta, "Risposta segreta", 400},
    {Campo::Intestatario, "Intestatario account", 350},
    {Campo::CodFisc, "Codice fiscale", 250},
    {Campo::Email, "E-mail", 250},
    {Campo::Tel, "Tel.", 250},
}};

using CelleEsportate = std::array<QString, NumeroColonneEsportate>;

// The rows to export, one by one: the export window's grid, without its number column.
class RigheDaEsportare {
public:
    virtual ~RigheDaEsportare() = default;
    virtual qsizetype NumeroRighe() const = 0;
    // The texts of row `riga` (0-based), in the order of ColonneEsportate.
    virtual CelleEsportate Celle(qsizetype riga) const = 0;
};

// The cells of a record as the export shows them: its fields decoded and trimmed.
CelleEsportate CelleDellaScheda(const TScheda& scheda);

// Writes the spreadsheet file to `dispositivo`, open for writing: the head, the header row and
// one row for each of `righe`, all on one line with no line break anywhere, in Windows-1252
// without a byte-order mark. Each data cell is marked as text for Calc and Excel, trimmed, a line
// break inside it becomes a blank, the second and later blanks of a run are written "&#32;" (so
// that a spreadsheet keeps them), and "&", "<", ">" are written as "&amp;", "&lt;", "&gt;".
// Each row is written as soon as it is ready; a file device is flushed at the end. The first
// write or flush that fails throws ErroreEsportazione; what was written before it stays written.
void EsportaInFoglio(const RigheDaEsportare& righe, QIODevice& dispositivo);
