#include "support/FoglioCalc.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QUrl>

ConversioneCalc ConvertiConCalc(const QString& documento, const QString& filtro,
                                const QString& cartella, const QString& localita) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        return {{},
                QStringLiteral("LibreOffice Calc (soffice) is missing: scripts/test installs "
                               "libreoffice-calc-nogui")};
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    if (!localita.isEmpty()) {
        ambiente.insert(QStringLiteral("LC_ALL"), localita);
        ambiente.insert(QStringLiteral("LANG"), localita);
    }
    QProcess calc;
    calc.setProcessEnvironment(ambiente);
    calc.setProcessChannelMode(QProcess::MergedChannels);
    calc.start(
        soffice,
        {QStringLiteral("-env:UserInstallation=") +
             QUrl::fromLocalFile(QDir(cartella).filePath(QStringLiteral("profilo"))).toString(),
         QStringLiteral("--headless"), QStringLiteral("--norestore"),
         QStringLiteral("--convert-to"), filtro, QStringLiteral("--outdir"), cartella, documento});
    if (!calc.waitForFinished(90000)) {
        calc.kill();
        calc.waitForFinished();
        return {{}, QStringLiteral("LibreOffice did not end within 90 s")};
    }
    const QString uscita = QString::fromLocal8Bit(calc.readAll());
    if (calc.exitStatus() != QProcess::NormalExit || calc.exitCode() != 0)
        return {{}, QStringLiteral("LibreOffice failed: ") + uscita};
    const QString estensione = filtro.section(QLatin1Char(':'), 0, 0);
    const QString percorso = QDir(cartella).filePath(QFileInfo(documento).completeBaseName() +
                                                     QLatin1Char('.') + estensione);
    if (!QFileInfo(percorso).isFile())
        return {{}, QStringLiteral("LibreOffice wrote no %1: %2").arg(percorso, uscita)};
    return {percorso, {}};
}
