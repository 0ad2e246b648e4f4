// Any text typed or pasted as the name of a new archive: a name the check accepts names a file
// directly inside the program folder, ending in ".psw", and looks like what the user sees.

#include "Verifica.h"
#include "core/storage/CartellaArchivi.h"
#include "core/text/Testo.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    const QString digitato =
        QString::fromUtf8(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const QString nome = NomeNuovoArchivio(digitato);
    Verifica(NomeNuovoArchivio(nome) == nome, "the name is trimmed once for all");
    if (!NomeArchivioAmmesso(nome))
        return 0;

    Verifica(!nome.isEmpty() && nome == TogliInvisibili(nome), "nothing invisible at either end");
    Verifica(!nome.contains(QLatin1Char('/')) && !nome.contains(QLatin1Char('\\')),
             "no folder part");
    Verifica(std::none_of(nome.begin(), nome.end(),
                          [](QChar c) { return c.category() == QChar::Other_Control; }),
             "no control character");
    const QString cartella = QStringLiteral("/programma/");
    const QString percorso = PercorsoNuovoArchivio(cartella, nome);
    const QFileInfo file(percorso);
    Verifica(QDir::cleanPath(file.absolutePath()) == QStringLiteral("/programma"),
             "a file of the program folder");
    Verifica(file.fileName() == nome + EstensioneArchivio, "the name and .psw");
    Verifica(NomeDelFileArchivio(file.fileName()) == nome, "the archive goes by its name");
    return 0;
}
