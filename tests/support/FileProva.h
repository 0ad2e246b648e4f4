#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Files on disk as the tests prepare and inspect them.

// The file's bytes, or "<missing>" when it cannot be read.
QByteArray contenutoFile(const QString& percorso);

// Writes the bytes as a new file, making its folder when missing; fails the test when it cannot.
void scriviFile(const QString& percorso, const QByteArray& dati = QByteArray());

// Every file below a folder, relative to it and sorted: what a test sees on disk.
QStringList fileSotto(const QString& cartella);

// A read-only folder for the length of a scope; its permissions come back on the way out, so the
// temporary folder can be removed.
class SolaLettura {
public:
    explicit SolaLettura(const QString& cartella);
    ~SolaLettura();
    SolaLettura(const SolaLettura&) = delete;
    SolaLettura& operator=(const SolaLettura&) = delete;

private:
    QString cartella_;
};
