#pragma once

#include "core/storage/Scheda.h"
#include "core/summary/Ricerca.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

// The three readings of an archive behind the search window and the expired summary. Each opens
// the archive at `percorso` (ApriFileArchivio: a missing file is created empty), reads every
// record once in file order and closes it on every path; a failure to open or read it throws
// ErroreArchivio.

// The lines (RigaRiepilogo) of the records that pass the filters, in the list order.
QStringList CercaSchede(const QString& percorso, const FiltriRicerca& filtri);

// The lines of the records whose password has expired by `oggi`, in the list order, into
// `righe`. A record whose expiry is empty or not a date is passed over. When reading fails,
// `righe` holds the lines found before the failure, in the list order, and ErroreArchivio is
// thrown.
void ElencaScadute(const QString& percorso, const QDate& oggi, QStringList& righe);

// Hands to `mostra`, one by one in file order, every record whose line equals `riga` (both
// trimmed, exact case) with its 1-based number. A failure after some records have been handed
// over throws: what was handed over stays handed over.
using MostraSchedaTrovata = std::function<void(const TScheda& scheda, qint64 numero)>;
void CaricaSchedeDellaRiga(const QString& percorso, const QString& riga,
                           const MostraSchedaTrovata& mostra);
