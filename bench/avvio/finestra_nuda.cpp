// The baseline of the start-up benchmark: a bare Qt Widgets program that shows one window of the
// same kind as the login window (a fixed-size window with a title, a password field and two
// buttons), with nothing of the program in it.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication applicazione(argc, argv);
    QWidget finestra;
    finestra.setWindowTitle(QStringLiteral(" Finestra nuda - Autenticazione"));
    auto* disposizione = new QVBoxLayout(&finestra);
    auto* campo = new QLineEdit(&finestra);
    campo->setEchoMode(QLineEdit::Password);
    disposizione->addWidget(campo);
    disposizione->addWidget(new QPushButton(QStringLiteral("OK"), &finestra));
    disposizione->addWidget(new QPushButton(QStringLiteral("Esci"), &finestra));
    finestra.setFixedSize(388, 405);
    finestra.show();
    campo->setFocus();
    return applicazione.exec();
}
