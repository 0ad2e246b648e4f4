#include "core/storage/CartellaArchivi.h"

#include "core/storage/FileArchivio.h"
#include "core/summary/RigaRiepilogo.h"
#include "core/text/Testo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

QString NomeNuovoArchivio(const QString& digitato) {
    return TogliInvisibili(digitato);
}

bool NomeArchivioAmmesso(const QString& nome) {
    const bool soloPunti =
        std::all_of(nome.begin(), nome.end(), [](QChar c) { return c == QLatin1Char('.'); });
    const bool carattereEscluso = std::any_of(nome.begin(), nome.end(), [](QChar c) {
        return CaratteriEsclusiNome.contains(c) || c.category() == QChar::Other_Control;
    });
    return !nome.isEmpty() && !soloPunti && !carattereEscluso;
}

QString PercorsoNuovoArchivio(const QString& cartella, const QString& nome) {
    return cartella + nome + EstensioneArchivio;
}

EsitoCreazione CreaArchivioVuoto(const QString& percorso) {
    QFile file(percorso);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return EsitoCreazione::Creato;
    const QFileInfo voce(percorso);
    if (voce.exists() || voce.isSymLink())
        return EsitoCreazione::NomeGiaUsato;
    throw ErroreArchivio(QStringLiteral("Impossibile creare il file \"%1\": %2")
                             .arg(percorso, file.errorString())
                             .toStdString());
}

QStringList ArchiviNellaCartella(const QString& cartella) {
    QStringList nomi = QDir(cartella).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    nomi.removeIf([](const QString& nome) {
        return !nome.endsWith(EstensioneArchivio, Qt::CaseInsensitive);
    });
    std::sort(nomi.begin(), nomi.end(), [](const QString& primo, const QString& secondo) {
        const int confronto = ConfrontaNellElenco(primo, secondo);
        return confronto != 0 ? confronto < 0 : primo < secondo;
    });
    return nomi;
}

QString NomeDelFileArchivio(const QString& nomeFile) {
    return nomeFile.chopped(std::min<qsizetype>(EstensioneArchivio.size(), nomeFile.size()));
}

bool EliminaArchivio(const QString& percorso) {
    return QFile::remove(percorso);
}
