#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <stdexcept>

class QIODevice;

// A whole-file replacement that did not happen. The text names the step, the file and the reason
// the system gave; the reason alone is Motivo().
class ErroreSostituzioneFile : public std::runtime_error {
public:
    ErroreSostituzioneFile(const QString& operazione, const QString& percorso,
                           const QString& motivo);
    const QString& Motivo() const { return motivo; }

private:
    QString motivo;
};

// Who may read a file that a replacement creates. A file that exists keeps its own permissions.
enum class PermessiNuovoFile {
    SoloProprietario, // read and written by its owner alone: whatever holds credentials
    Ordinari,         // as the process's umask allows
};

// Writes the new content, in order, into the device it is given (a device that cannot seek). It may
// write in as many pieces as it likes and need not check each write: once a write has failed every
// later one fails too, and the replacement looks at the device afterwards. An exception it throws
// stops the replacement and goes on to the caller as it is.
using ScrittoreFile = std::function<void(QIODevice& destinazione)>;

// Replaces the whole content of the file at `percorso`, creating it when missing. The new content
// goes to a new file beside the old one, readable by its owner alone until it is complete, which
// takes its place only once every byte has been written, flushed and synced to the disk. What an
// earlier replacement of the same file left behind when it was killed midway is removed first. On
// any failure, a full disk included, the old file stays byte for byte as it was (or stays missing),
// nothing is left beside it, and ErroreSostituzioneFile is thrown. An existing file that may not be
// written, or a folder in its place, is a failure; a symbolic link in its place is replaced itself,
// its target left alone.
void SostituisciFile(const QString& percorso, const QByteArray& contenuto,
                     PermessiNuovoFile permessi);
void SostituisciFile(const QString& percorso, const ScrittoreFile& scrittore,
                     PermessiNuovoFile permessi);

// Removes the new-content files that replacements of this file, killed midway, left beside it
// (never one that a running replacement is writing).
void RimuoviResiduiSostituzione(const QString& percorsoFile);
// The same for every file of the folder.
void RimuoviResiduiSostituzioniIn(const QString& cartella);

// Puts the folder entry of a file just created or renamed on the disk, so that it survives a
// crash together with the file. Best effort: some file systems cannot sync a folder.
void SincronizzaCartellaDi(const QString& percorsoFile);
