#pragma once

#include "gui/Finestra.h"

#include <QString>

class QLineEdit;
class QPushButton;

// What the two tax-code checks share: one field, "Controlla" and "Chiudi". The field receives the
// code the record window gives it, whole; Enter in it moves the focus to "Controlla". "Controlla"
// warns, and puts the focus back in the field, when the code has not the right length; otherwise it
// reports the code valid or wrong and closes the dialog. Neither check writes anything back.
class TDialogoControllo : public TDialogo {
    Q_OBJECT
public:
    void preimposta(const QString& codice);

    void btnControllaClick();
    void btnChiudiClick();

protected:
    // The verdict on a code of the right length: valid (an information message) or wrong (a
    // warning), with its text.
    struct Esito {
        bool valido;
        QString messaggio;
    };

    TDialogoControllo(QWidget* parent, const QSize& areaClient);
    // Called by each check once its form is set up.
    void preparaControllo(QLineEdit* campo, QPushButton* controlla, QPushButton* chiudi,
                          int lunghezza, const QString& avvisoLunghezza);

    // The code as the check reads it from the field.
    virtual QString codiceDaControllare() const;
    virtual Esito esito(const QString& codice) const = 0;

    void FormShow() override;

    QLineEdit* campo() const { return campo_; }

private:
    QLineEdit* campo_ = nullptr;
    int lunghezza_ = 0;
    QString avvisoLunghezza_;
};
