#include "access/Password.h"

#include "app/Avvio.h"
#include "app/Finestre.h"

#include <QApplication>
#include <QLineEdit>

TfrmPassword::TfrmPassword(QWidget* parent)
    : TFinestraLunga(Modo::Centrata, parent)
{
    setWindowTitle(QStringLiteral(" Blindoro - Autenticazione"));
    fissaDimensioniSenzaPulsanti(QSize(388, 405));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setGeometry(40, 200, 308, 32);
}

void TfrmPassword::FormShow()
{
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::FormClose()
{
    // The login window is the main window: closing it ends the program.
    QApplication::quit();
}
