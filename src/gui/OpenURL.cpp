#include "gui/OpenURL.h"

#include "core/text/Testo.h"
#include "gui/Piattaforma.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString senzaVirgolette(QString testo) {
    testo = TogliSpazi(testo);
    if (testo.size() >= 2 && testo.startsWith(QLatin1Char('"')) && testo.endsWith(QLatin1Char('"')))
        testo = testo.mid(1, testo.size() - 2);
    return testo;
}

// A scheme is two or more letters, digits, "+", "-" or "." before the first colon, the first one a
// letter; a single letter and a colon would be a drive, not a scheme.
QString schemaDi(const QString& testo) {
    static const QRegularExpression schema(QStringLiteral("^([A-Za-z][A-Za-z0-9+.\\-]+):"));
    const auto trovato = schema.match(testo);
    return trovato.hasMatch() ? trovato.captured(1).toLower() : QString();
}

} // namespace

QUrl TMisc::IndirizzoDa(const QString& sCommand) {
    const QString comando = senzaVirgolette(sCommand);
    if (comando.isEmpty())
        return QUrl();
    const QString schema = schemaDi(comando);
    if (schema.isEmpty())
        return QUrl::fromLocalFile(QFileInfo(comando).absoluteFilePath());
    if (schema == QLatin1String("http") || schema == QLatin1String("https") ||
        schema == QLatin1String("mailto")) {
        const QUrl indirizzo(comando, QUrl::TolerantMode);
        return indirizzo.isValid() ? indirizzo : QUrl();
    }
    return QUrl();
}

void TMisc::Open(const QString& sCommand) {
    const QUrl indirizzo = IndirizzoDa(sCommand);
    if (indirizzo.isValid() && !indirizzo.isEmpty())
        Piattaforma::corrente().apriConSistema(sCommand, indirizzo);
}
