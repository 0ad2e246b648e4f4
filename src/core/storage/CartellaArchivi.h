#pragma once

#include <QString>
#include <QStringList>

// The archives of the program folder: every file there whose name ends in ".psw" is one archive;
// there is no index. The windows that create, list, open and delete archives use these calls.

inline const QString EstensioneArchivio = QStringLiteral(".psw");

// The characters an archive name may not hold: the name field refuses them when typed, and a
// name that holds one anyway (pasted) is refused when the archive is created. Both path
// separators are among them, so an accepted name always names a file of the program folder.
inline const QString CaratteriEsclusiNome = QStringLiteral("\"*/:<>?\\°ÇÑçñ");

// The name the user typed for a new archive, ready to be checked: invisible characters at its
// ends removed (TogliInvisibili).
QString NomeNuovoArchivio(const QString& digitato);

// Whether a name (already trimmed) may become an archive: not empty, not dots only, none of the
// excluded characters and no control character anywhere.
bool NomeArchivioAmmesso(const QString& nome);

// The path of the archive of that name in `cartella` (which ends with a separator): the name and
// ".psw", even after a name that already ends in ".psw".
QString PercorsoNuovoArchivio(const QString& cartella, const QString& nome);

enum class EsitoCreazione { Creato, NomeGiaUsato };

// Creates the empty archive file, readable by its owner only (archives hold passwords in clear).
// The creation is exclusive: an entry of that name is never opened or emptied, even one that
// appears just before the file would be made. Any other failure throws ErroreArchivio with the
// system's reason.
EsitoCreazione CreaArchivioVuoto(const QString& percorso);

// The file names of the archives in `cartella`: every file whose name ends in ".psw" in any case,
// sub-folders excluded, in the program's list order (names that differ only in the case of a to z
// keep a fixed order too, capitals first). A folder that cannot be read gives what was found.
QStringList ArchiviNellaCartella(const QString& cartella);

// The name an archive goes by: its file name without the last four characters (".psw").
QString NomeDelFileArchivio(const QString& nomeFile);

// Removes the archive file for good; false when it could not be removed.
bool EliminaArchivio(const QString& percorso);
