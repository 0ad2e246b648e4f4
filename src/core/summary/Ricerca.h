#pragma once

#include "core/storage/Scheda.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Whether `chiave`, already in small letters, occurs in `testo` once its A to Z are small letters
// too (accented letters must match in case). An empty key occurs nowhere.
bool ContieneChiave(const QString& testo, const QString& chiave);

// The ten fields the search window can filter, in the order of its filter fields.
inline constexpr std::array<Campo, 10> CampiDellaRicerca = {
    Campo::Titolo,   Campo::URL,     Campo::Proprietario, Campo::Descrizione,  Campo::Utente,
    Campo::Password, Campo::Domanda, Campo::Note,         Campo::Intestatario, Campo::CodFisc};

// The filters of one search. A filter is the text as typed: a record passes when the text, A to Z
// in small letters, occurs in its field (see ContieneChiave). A filter blank after trimming takes
// no part; a record passes when it passes every filter that does, so with none every record
// passes.
class FiltriRicerca {
public:
    // Sets the filter of one of the CampiDellaRicerca, replacing an earlier one of that field;
    // throws std::invalid_argument for a field the search does not test.
    void Imposta(Campo campo, const QString& testo);
    // The filters that take part: the count the search window keeps.
    qsizetype NumeroFiltri() const { return filtri.size(); }
    // Looks only at the fields that have a filter, and stops at the first filter that fails.
    bool Soddisfatti(const TScheda& scheda) const;

private:
    // The key as Windows-1252 bytes in small letters; empty when a character of it is not in
    // the code page, so that no field can hold it.
    struct Filtro {
        Campo campo;
        QByteArray chiave;
    };
    QList<Filtro> filtri;
};

// The key search of a list ("Trova"): what to select and the key to remember.
struct EsitoTrova {
    // The line to select; none only for an empty list.
    std::optional<qsizetype> riga;
    // The window's new last key: the key in small letters.
    QString ultimaChiave;
};

// Looks for `chiave` (as typed) in the lines. A new key (not `ultimaChiave`) looks from the first
// line; the last key again looks from the line after `selezionata`, going on from the top after
// the last line, and keeps the selected line when it is the only one that matches. With no
// selection (or one outside the list) the first line counts as selected. When no line matches the
// selection stays as it was. On an empty list nothing changes: the result has no line and keeps
// `ultimaChiave` (the window shows its message).
EsitoTrova Trova(const QStringList& righe, std::optional<qsizetype> selezionata,
                 const QString& chiave, const QString& ultimaChiave);
