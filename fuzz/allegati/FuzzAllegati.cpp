// Any attachment name, from the file dialog or from an archive: what is left is a bare file name
// that cannot lead out of the attachments folder.

#include "Verifica.h"
#include "core/files/NomeAllegato.h"
#include "core/text/Testo.h"

#include <QString>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    const QString nome =
        QString::fromUtf8(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const QString nudo = NomeAllegato(nome);
    Verifica(!nudo.contains(QLatin1Char('/')) && !nudo.contains(QLatin1Char('\\')),
             "no folder part");
    Verifica(nudo != QLatin1String(".") && nudo != QLatin1String(".."), "no folder of its own");
    Verifica(nudo == TogliSpazi(nudo), "no blanks at either end");
    Verifica(NomeAllegato(nudo) == nudo, "a bare name stays as it is");
    Verifica(nome.endsWith(nudo.isEmpty() ? QString() : TogliSpazi(nudo)) ||
                 TogliSpazi(nome).endsWith(nudo),
             "the name's own last part");
    return 0;
}
