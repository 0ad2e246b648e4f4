#pragma once

#include "core/import/FormatiImportazione.h"
#include "core/import/LetturaCsv.h"
#include "core/storage/Scheda.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class FileArchivio;

// What the preview tells of one value of a row, before anything is written.
enum class TipoRilievo {
    Tagliato,      // longer than its field: cut
    Sostituito,    // a character the archive's code page lacks: replaced
    ACapoTolto,    // line breaks in a one-line field: each became a blank
    DataNonValida, // a date not in the form dd/mm/yyyy: left empty
};

struct Rilievo {
    TipoRilievo tipo;
    Campo campo;
    // Tagliato: the text cut off; Sostituito: the character; DataNonValida: the text read.
    QString testo;
    // Sostituito: what the character becomes.
    QString sostituto;
    // Tagliato: the characters kept (the cut falls right after them); Sostituito: how many times
    // the character occurs in the value; ACapoTolto: how many line breaks.
    qsizetype numero = 0;

    friend bool operator==(const Rilievo&, const Rilievo&) = default;
};

// The finding as one Italian sentence, for the preview's list.
QString DescriviRilievo(const Rilievo& rilievo);

// The caption of a field in the record window, without its colon ("Titolo sito Web").
QString NomeCampo(Campo campo);

enum class StatoRiga {
    DaAggiungere, // it becomes a new record
    Incompleta,   // a field that a save requires is missing: skipped until it is filled in
    Duplicata,    // the same title, URL and user as a record of the archive or an earlier row:
                  // skipped unless the user includes it
    Esclusa,      // left out by the user
};

// What a duplicate repeats: a record of the archive (its 1-based number) or an earlier row of
// the file (its index in the preview).
struct Duplicato {
    qint64 schedaInArchivio = 0;
    qsizetype rigaPrecedente = -1;
};

// The title, URL and user name of each record of an archive, as the record stores them, and the
// number of the first record that has them.
using SchedeEsistenti = QHash<QByteArray, qint64>;
SchedeEsistenti LeggiSchedeEsistenti(FileArchivio& archivio);

struct EsitoImportazione {
    qsizetype aggiunte = 0;
    qint64 primaScheda = 0; // the 1-based number of the first new record; 0 when none was added
};

// The confirmation after an import: how many records were added.
QString TestoConferma(qsizetype aggiunte);

// The import of one CSV file into one archive, as the preview shows it and the user adjusts it:
// every row of the file mapped onto a record, with its findings and its state. Nothing is
// written until Importa().
//
// The fields a save requires are required here too. The holder and the expiry date are given
// once (Intestatario, Scadenza) and stand in every row whose own is empty (or was not a date);
// a row still without a title, user name or password is Incompleta until ImpostaValore fills it
// in. A row with the title, URL and user name (compared as the record stores them) of a record of
// the archive or of an earlier row that will be added is Duplicata. The creation date is the
// source's where it has one, else the day of the import.
class AnteprimaImportazione {
public:
    // Reads the file's bytes (LeggiCsv, RiconosciFormato); throws ErroreImportazione for a file
    // that cannot be imported. `oggi` is the day of the import; the expiry starts one year later.
    AnteprimaImportazione(QByteArrayView csv, SchedeEsistenti esistenti, const QDate& oggi);

    FormatoImportazione Formato() const { return formato.Formato(); }
    CodificaCsv Codifica() const { return codifica; }
    char Separatore() const { return separatore; }
    const QStringList& ColonneIgnorate() const { return formato.ColonneIgnorate(); }
    // The items of other kinds that were left out (Bitwarden's secure notes, cards, identities),
    // by type in the order met, and the sentence that says so ("" when none).
    const QList<std::pair<QString, qsizetype>>& ElementiSaltati() const { return saltati; }
    QString TestoElementiSaltati() const;

    // The values given once for every row that lacks its own.
    const QString& Intestatario() const { return intestatario; }
    void ImpostaIntestatario(const QString& testo);
    const QDate& Scadenza() const { return scadenza; }
    void ImpostaScadenza(const QDate& data);
    // The findings of the holder given once (too long, characters replaced).
    QList<Rilievo> RilieviIntestatario() const;

    qsizetype NumeroRighe() const { return righe.size(); }
    // The line of the file where the row starts.
    qsizetype Linea(qsizetype riga) const { return righe[riga].linea; }
    // The value as the source gives it, or as the preview filled it in.
    const QString& ValoreLetto(qsizetype riga, Campo campo) const;
    // The value as the new record will hold it: converted, cut, the date checked, the holder and
    // expiry given once standing in for missing ones.
    QString Valore(qsizetype riga, Campo campo) const;
    // Fills in or corrects one of the 16 text fields of a row; its findings and the states of all
    // rows follow.
    void ImpostaValore(qsizetype riga, Campo campo, const QString& testo);

    const QList<Rilievo>& Rilievi(qsizetype riga) const { return righe[riga].rilievi; }
    // The required fields the row still lacks, in the order a save tests them.
    QList<Campo> Mancanti(qsizetype riga) const;
    const std::optional<Duplicato>& DuplicatoDi(qsizetype riga) const;
    StatoRiga Stato(qsizetype riga) const;
    // A duplicate added all the same (true), or any row left out (false).
    void ImpostaInclusa(qsizetype riga, bool inclusa);
    // Everything the preview says of a row, as Italian sentences: its state, then its findings.
    QStringList Descrizioni(qsizetype riga) const;

    qsizetype Numero(StatoRiga stato) const;
    // How many records Importa() will add.
    qsizetype NumeroDaAggiungere() const { return Numero(StatoRiga::DaAggiungere); }

    // The record that the row becomes, attachments empty.
    TScheda Scheda(qsizetype riga) const;
    // Appends the records of the rows DaAggiungere, in the file's order, all or none
    // (FileArchivio::AggiungiSchede); throws ErroreArchivio when they could not be written.
    EsitoImportazione Importa(FileArchivio& archivio) const;

private:
    struct Riga {
        qsizetype linea = 0;
        SchedaLetta letta;
        // The texts the record gets; an empty holder or expiry takes the value given once.
        SchedaLetta finale;
        QList<Rilievo> rilievi;
        QByteArray chiave; // title, URL, user as stored, for the duplicates
        std::optional<bool> scelta;
        // Worked out from all the rows when first asked for after a change (AggiornaStati).
        mutable std::optional<Duplicato> duplicato;
        mutable StatoRiga stato = StatoRiga::DaAggiungere;
    };

    void Prepara(Riga& riga) const;
    // Writes the row's 16 text fields into a zeroed record.
    void Riempi(TScheda& scheda, qsizetype riga) const;
    // The states and duplicates of every row, worked out again in one pass when a change made
    // them stale: a window may set the holder, the expiry and several values in a row.
    void AggiornaStati() const;
    // The row's own text, or the holder or expiry given once.
    const QString& TestoFinale(const Riga& riga, Campo campo) const;

    FormatoRiconosciuto formato;
    CodificaCsv codifica = CodificaCsv::Utf8;
    char separatore = ',';
    QList<std::pair<QString, qsizetype>> saltati;
    SchedeEsistenti esistenti;
    QDate oggi;
    QString oggiInTesto;
    QString intestatario;
    QDate scadenza;
    QString scadenzaInTesto;
    QList<Riga> righe;
    mutable bool statiAggiornati = false;
};
