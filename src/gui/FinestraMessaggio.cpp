#include "gui/FinestraMessaggio.h"

#include "gui/DialogoSopra.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

// A message box, standing over the window it belongs to like every Qt dialog of the program (see
// DialogoSopra.h). A question that must be answered cannot be dismissed with Escape or the close
// box.
class FinestraMessaggio : public SopraFinestra<QMessageBox> {
public:
    FinestraMessaggio(QWidget* finestra, bool soloSiNo)
        : SopraFinestra<QMessageBox>(finestra)
        , soloSiNo_(soloSiNo) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (soloSiNo_ && e->matches(QKeySequence::Cancel)) {
            e->accept();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        if (soloSiNo_)
            e->ignore();
        else
            QMessageBox::closeEvent(e);
    }

private:
    bool soloSiNo_;
};

QMessageBox::Icon iconaDi(TipoMessaggio tipo) {
    switch (tipo) {
    case TipoMessaggio::Avviso:
        return QMessageBox::Warning;
    case TipoMessaggio::Errore:
        return QMessageBox::Critical;
    case TipoMessaggio::Informazione:
        return QMessageBox::Information;
    case TipoMessaggio::Conferma:
        return QMessageBox::Question;
    case TipoMessaggio::Semplice:
        break;
    }
    return QMessageBox::NoIcon;
}

// Texts carry Windows line breaks (CR LF, and LF CR in a few messages); the box shows each as one
// line break.
QString testoDaMostrare(QString testo) {
    testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    testo.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    testo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return testo;
}

} // namespace

QString titoloMessaggio(TipoMessaggio tipo) {
    switch (tipo) {
    case TipoMessaggio::Avviso:
        return QStringLiteral("Warning");
    case TipoMessaggio::Errore:
        return QStringLiteral("Error");
    case TipoMessaggio::Informazione:
        return QStringLiteral("Information");
    case TipoMessaggio::Conferma:
        return QStringLiteral("Confirm");
    case TipoMessaggio::Semplice:
        break;
    }
    return QString();
}

std::unique_ptr<QMessageBox> creaFinestraMessaggio(QWidget* proprietario, TipoMessaggio tipo,
                                                   Pulsanti pulsanti, const QString& testo) {
    auto box = std::make_unique<FinestraMessaggio>(proprietario, pulsanti == Pulsanti::SiNo);
    box->setWindowTitle(titoloMessaggio(tipo));
    box->setIcon(iconaDi(tipo));
    box->setTextFormat(Qt::PlainText);
    box->setText(testoDaMostrare(testo));
    switch (pulsanti) {
    case Pulsanti::OkAnnulla:
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    case Pulsanti::SiNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        break;
    case Pulsanti::Ok:
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
        break;
    }
    return box;
}
