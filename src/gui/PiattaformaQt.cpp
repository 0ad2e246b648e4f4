#include "gui/PiattaformaQt.h"

#include "gui/DialogoSopra.h"
#include "gui/DialogoStampa.h"
#include "gui/FinestraMessaggio.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>

namespace {

Risposta rispostaDi(int pulsante) {
    switch (pulsante) {
    case QMessageBox::Yes:
        return Risposta::Si;
    case QMessageBox::No:
        return Risposta::No;
    case QMessageBox::Ok:
        return Risposta::Ok;
    default:
        return Risposta::Annulla;
    }
}

} // namespace

Risposta PiattaformaQt::messaggio(QWidget* proprietario, TipoMessaggio tipo, Pulsanti pulsanti,
                                  const QString& testo) {
    if (!proprietario)
        proprietario = QApplication::activeWindow();
    auto box = creaFinestraMessaggio(proprietario, tipo, pulsanti, testo);
    return rispostaDi(box->exec());
}

void PiattaformaQt::apriConSistema(const QString&, const QUrl& indirizzo) {
    // The outcome is not reported: no browser, mail program or viewer is no error of ours.
    QDesktopServices::openUrl(indirizzo);
}

QString PiattaformaQt::scegliFile(QWidget* proprietario, const QString& titolo,
                                  const QString& filtro) {
    // On Windows "*.*" matches every file; here it would hide the files without an extension.
    QString filtroQt = filtro;
    filtroQt.replace(QLatin1String("(*.*)"), QLatin1String("(*)"));
    SopraFinestra<QFileDialog> dialogo(proprietario, nullptr, titolo, QString(), filtroQt);
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    if (dialogo.exec() != QDialog::Accepted)
        return QString();
    return dialogo.selectedFiles().value(0);
}

bool PiattaformaQt::scegliStampante(QWidget* proprietario, QPrinter& stampante, int pagine) {
    TDialogoStampa dialogo(proprietario, stampante, pagine);
    return dialogo.exec() == QDialog::Accepted;
}

QDate PiattaformaQt::oggi() const {
    return QDate::currentDate();
}

QString PiattaformaQt::cartellaProgramma() const {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}
