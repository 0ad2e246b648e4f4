#pragma once

#include "gui/Piattaforma.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>

// The scripted platform of the window tests. It installs itself on creation and puts the previous
// one back when destroyed. A test tells which messages it expects and how to answer them; a message
// it did not expect, or an answer never used, is a problem that cleanup() reports (see
// VERIFICA_PIATTAFORMA). Shell hand-overs, file-dialog and printer questions are recorded.
class PiattaformaProva : public Piattaforma {
public:
    struct Messaggio {
        TipoMessaggio tipo;
        Pulsanti pulsanti;
        QString testo;
        QWidget* proprietario;
    };
    struct Apertura {
        QString comando;
        QUrl indirizzo;
    };

    PiattaformaProva();
    ~PiattaformaProva() override;

    // The next message must be of this kind, with these buttons and this text; it is answered with
    // `risposta` (a Yes/No question needs Risposta::Si or Risposta::No).
    void attendi(TipoMessaggio tipo, Pulsanti pulsanti, const QString& testo,
                 Risposta risposta = Risposta::Ok);
    // The next file dialog answers this path; an empty path is a cancel.
    void attendiFile(const QString& percorso);
    // The next print dialog is confirmed or cancelled.
    void attendiStampante(bool conferma);
    // The next print dialog is confirmed with the pages from `da` to `a` chosen, as the user sets
    // "Pagine da ... a ..." (whether or not the document has them).
    void attendiPagine(int da, int a);

    // Problems seen so far: unexpected or different messages, answers never used.
    QStringList problemi() const;
    // Forgets expectations and records.
    void azzera();

    QDate dataOggi;
    QString cartella; // the program folder, ending with "/"
    QList<Messaggio> mostrati;
    QList<Apertura> aperture;
    struct DialogoFile {
        QString titolo;
        QString filtro;
    };
    QList<DialogoFile> dialoghiFile;
    int dialoghiStampa = 0;
    QList<int> pagineOfferte; // the page count each print dialog was given

    Risposta messaggio(QWidget* proprietario, TipoMessaggio tipo, Pulsanti pulsanti,
                       const QString& testo) override;
    void apriConSistema(const QString& comando, const QUrl& indirizzo) override;
    QString scegliFile(QWidget* proprietario, const QString& titolo,
                       const QString& filtro) override;
    bool scegliStampante(QWidget* proprietario, QPrinter& stampante, int pagine) override;
    QDate oggi() const override { return dataOggi; }
    QString cartellaProgramma() const override { return cartella; }

private:
    struct Attesa {
        TipoMessaggio tipo;
        Pulsanti pulsanti;
        QString testo;
        Risposta risposta;
    };
    QTemporaryDir cartellaTemporanea_;
    Piattaforma* precedente_;
    QQueue<Attesa> attese_;
    QQueue<QString> file_;
    struct Stampa {
        bool conferma;
        int da; // 0: the printer's range as it was
        int a;
    };
    QQueue<Stampa> stampanti_;
    QStringList problemi_;
};

QString descrizione(TipoMessaggio tipo);

// In a test's cleanup(): fails when the scripted platform saw something the test did not expect.
#define VERIFICA_PIATTAFORMA(piattaforma)                                                          \
    do {                                                                                           \
        const QStringList problemi_ = (piattaforma).problemi();                                    \
        (piattaforma).azzera();                                                                    \
        QVERIFY2(problemi_.isEmpty(), qPrintable(problemi_.join(QLatin1Char('\n'))));              \
    } while (false)
