#pragma once

#include <QDate>
#include <QString>
#include <QUrl>

class QPrinter;
class QWidget;

// Everything the windows ask of the system goes through this one seam: message boxes, the hand-over
// of addresses and documents to the desktop, the file-open and print dialogs, today's date and the
// program folder. The program installs the Qt implementation (PiattaformaQt.h); tests install a
// scripted one.

enum class TipoMessaggio { Avviso, Errore, Informazione, Conferma, Semplice };
enum class Pulsanti { OkAnnulla, SiNo, Ok };
enum class Risposta { Ok, Annulla, Si, No };

class Piattaforma {
public:
    virtual ~Piattaforma() = default;

    virtual Risposta messaggio(QWidget* proprietario, TipoMessaggio tipo, Pulsanti pulsanti,
                               const QString& testo) = 0;
    // Receives only addresses that TMisc::Open has accepted, with the command it was given.
    virtual void apriConSistema(const QString& comando, const QUrl& indirizzo) = 0;
    // Empty when the user cancels.
    virtual QString scegliFile(QWidget* proprietario, const QString& titolo,
                               const QString& filtro) = 0;
    // True when the user confirmed the printer and its settings. The document has `pagine` pages:
    // a range of pages can be chosen among them only.
    virtual bool scegliStampante(QWidget* proprietario, QPrinter& stampante, int pagine) = 0;
    virtual QDate oggi() const = 0;
    // The folder of the running executable, ending with a separator.
    virtual QString cartellaProgramma() const = 0;

    // The implementation in use: the program installs PiattaformaQt at start, a test its own.
    static Piattaforma& corrente();
    // Installs another implementation; returns the previous one. Ownership stays with the caller.
    static Piattaforma* installa(Piattaforma* nuova);
};
