#include "support/FileProva.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

QByteArray contenutoFile(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void scriviFile(const QString& percorso, const QByteArray& dati) {
    QVERIFY(QDir().mkpath(QFileInfo(percorso).absolutePath()));
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(dati), dati.size());
}

QStringList fileSotto(const QString& cartella) {
    QStringList trovati;
    const QDir radice(cartella);
    for (const QFileInfo& voce :
         radice.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (voce.isDir()) {
            for (const QString& interno : fileSotto(voce.filePath()))
                trovati << voce.fileName() + QLatin1Char('/') + interno;
        } else {
            trovati << voce.fileName();
        }
    }
    trovati.sort();
    return trovati;
}

SolaLettura::SolaLettura(const QString& cartella)
    : cartella_(cartella) {
    QFile::setPermissions(cartella_, QFile::ReadOwner | QFile::ExeOwner);
}

SolaLettura::~SolaLettura() {
    QFile::setPermissions(cartella_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
