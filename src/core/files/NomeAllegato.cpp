#include "core/files/NomeAllegato.h"

#include "core/text/Testo.h"

#include <QFileInfo>

QString SenzaCartella(const QString& percorso) {
    return QFileInfo(QString(percorso).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName();
}

QString NomeAllegato(const QString& nome) {
    const QString nudo = TogliSpazi(SenzaCartella(nome));
    if (nudo == QLatin1String(".") || nudo == QLatin1String(".."))
        return QString();
    return nudo;
}
