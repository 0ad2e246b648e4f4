#pragma once

#include "gui/Piattaforma.h"

// The real system: Qt's message boxes and dialogs, each standing over the window that opens it
// in Qt's own look (DialogoSopra.h), QDesktopServices, the system clock.
class PiattaformaQt : public Piattaforma {
public:
    Risposta messaggio(QWidget* proprietario, TipoMessaggio tipo, Pulsanti pulsanti,
                       const QString& testo) override;
    void apriConSistema(const QString& comando, const QUrl& indirizzo) override;
    QString scegliFile(QWidget* proprietario, const QString& titolo,
                       const QString& filtro) override;
    bool scegliStampante(QWidget* proprietario, QPrinter& stampante, int pagine) override;
    QDate oggi() const override;
    QString cartellaProgramma() const override;
};
