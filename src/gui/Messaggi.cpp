#include "gui/Messaggi.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QWindow>

namespace {

// A message box. It has no parent widget, so no window's style sheet reaches it and every message
// looks the same; it stands on top of the window it belongs to, centred over it. A question that
// must be answered cannot be dismissed with Escape or the close box.
class FinestraMessaggio : public QMessageBox {
public:
    FinestraMessaggio(QWidget* finestra, bool soloSiNo)
        : finestra_(finestra)
        , soloSiNo_(soloSiNo) {
        setWindowModality(Qt::ApplicationModal);
    }

protected:
    void showEvent(QShowEvent* e) override {
        QMessageBox::showEvent(e);
        if (!finestra_ || !finestra_->isVisible())
            return;
        if (QWindow* sopra = finestra_->windowHandle())
            windowHandle()->setTransientParent(sopra);
        QRect area = frameGeometry();
        area.moveCenter(finestra_->frameGeometry().center());
        move(area.topLeft());
    }
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
    QPointer<QWidget> finestra_;
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
    auto box = std::make_unique<FinestraMessaggio>(proprietario ? proprietario->window() : nullptr,
                                                   pulsanti == Pulsanti::SiNo);
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

void mostraAvviso(QWidget* proprietario, const QString& testo) {
    Piattaforma::corrente().messaggio(proprietario, TipoMessaggio::Avviso, Pulsanti::OkAnnulla,
                                      testo);
}

void mostraErrore(QWidget* proprietario, const QString& testo) {
    Piattaforma::corrente().messaggio(proprietario, TipoMessaggio::Errore, Pulsanti::OkAnnulla,
                                      testo);
}

void mostraInformazione(QWidget* proprietario, const QString& testo) {
    Piattaforma::corrente().messaggio(proprietario, TipoMessaggio::Informazione,
                                      Pulsanti::OkAnnulla, testo);
}

bool chiediConferma(QWidget* proprietario, const QString& testo) {
    return Piattaforma::corrente().messaggio(proprietario, TipoMessaggio::Conferma, Pulsanti::SiNo,
                                             testo) == Risposta::Si;
}

void mostraMessaggio(QWidget* proprietario, const QString& testo) {
    Piattaforma::corrente().messaggio(proprietario, TipoMessaggio::Semplice, Pulsanti::Ok, testo);
}
