#pragma once

#include "core/storage/Scheda.h"

#include <QString>

#include <cerrno>
#include <functional>
#include <stdexcept>
#include <type_traits>

// The one failure of archive access: opening, counting, seeking, reading, writing or closing.
// The text is for the developer; each window shows its own message to the user.
class ErroreArchivio : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr qint64 DimensioneScheda = sizeof(TScheda);

// An archive file open for one user action: a sequence of records with no header. Records are
// addressed by their 0-based index; the position after a read or write is the 1-based number of
// the record just handled. Every operation either completes or throws ErroreArchivio. The handle
// is closed by Chiudi() or, on every other path, by the destructor.
class FileArchivio {
public:
    FileArchivio(FileArchivio&& altro) noexcept;
    FileArchivio& operator=(FileArchivio&& altro) noexcept;
    FileArchivio(const FileArchivio&) = delete;
    FileArchivio& operator=(const FileArchivio&) = delete;
    ~FileArchivio();

    // Whole records in the file; a trailing piece shorter than a record does not count.
    qint64 NumeroSchede() const;
    void Posiziona(qint64 indice);
    qint64 Posizione() const { return indice; }

    // Reads the record at the current index and moves to the next; fails past the last whole
    // record.
    void Leggi(TScheda& scheda);
    // Writes the record at the current index (over a record, or at the end to extend the file)
    // and moves to the next. The record is on the disk when this returns.
    void Scrivi(const TScheda& scheda);
    // Appends the record after the last whole one and returns its 1-based number. Two programs
    // appending to the same file at once each get their own place.
    qint64 Aggiungi(const TScheda& scheda);
    // Appends `quante` records in one step and returns the 1-based number of the first. Under the
    // file's lock the room of all of them is taken first, then `prepara(i, scheda)` fills the i-th
    // (0-based, on a zeroed buffer) and they are written in order and synced once. If any step
    // fails, or `prepara` throws, the file is cut back to its length before the call, byte for
    // byte (a trailing piece shorter than a record included), and the failure goes on to the
    // caller: ErroreArchivio for the file's own steps.
    using PreparaScheda = std::function<void(qint64 indice, TScheda& scheda)>;
    qint64 AggiungiSchede(qint64 quante, const PreparaScheda& prepara);

    // Reads the next record if the current index is below the record count.
    bool LeggiProssima(TScheda& scheda);
    // Calls azione(scheda) or azione(scheda, numero) for every record from the first to the last.
    template <class Azione> void PerOgniScheda(Azione&& azione);

    void Chiudi();
    const QString& Percorso() const { return percorso; }

private:
    friend FileArchivio ApriFileArchivio(const QString& percorso);
    FileArchivio(int descrittore, QString percorso);

    int Descrittore() const;
    // The failure of `operazione`; by default with the reason the system gave last.
    [[noreturn]] void Fallisci(const char* operazione, int codice = errno) const;
    void RiservaSpazio(qint64 indiceScheda, qint64 schede = 1);
    void ScriviByte(const char* origine, qint64 byte, qint64 posizione);
    void RipristinaLunghezza(qint64 lunghezza, const QByteArray& coda);
    void ScriviA(qint64 indiceScheda, const TScheda& scheda);

    int descrittore = -1;
    qint64 indice = 0;
    QString percorso;
};

// Opens the archive at `percorso` (blanks around it ignored) for reading and writing; a missing
// file is created empty. An existing file is never emptied: one that cannot be opened for writing
// fails.
FileArchivio ApriFileArchivio(const QString& percorso);

template <class Azione> void FileArchivio::PerOgniScheda(Azione&& azione) {
    const qint64 totale = NumeroSchede();
    TScheda scheda;
    for (Posiziona(0); indice < totale;) {
        Leggi(scheda);
        if constexpr (std::is_invocable_v<Azione, const TScheda&, qint64>)
            azione(static_cast<const TScheda&>(scheda), indice);
        else
            azione(static_cast<const TScheda&>(scheda));
    }
}
