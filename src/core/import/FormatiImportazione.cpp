#include "core/import/FormatiImportazione.h"

#include "core/export/Esportazione.h"
#include "core/import/LetturaCsv.h"
#include "core/text/Formati.h"
#include "core/text/Testo.h"

#include <QDateTime>
#include <QUrl>

#include <vector>

namespace {

// The cells of one row, reached by the lower-case name of their column; a missing column is empty.
class Colonne {
public:
    Colonne(const QHash<QByteArray, qsizetype>& indici, const QStringList& celle)
        : indici(indici)
        , celle(celle) {}
    QString operator()(const char* nome) const {
        return celle.value(indici.value(QByteArray::fromRawData(nome, qstrlen(nome)), -1));
    }

private:
    const QHash<QByteArray, qsizetype>& indici;
    const QStringList& celle;
};

// An ISO 8601 time (KeePassXC writes UTC, "2024-03-05T10:20:30Z") as the local day.
QString DataIso(const QString& testo) {
    const QString pulito = TogliSpazi(testo);
    if (pulito.isEmpty())
        return {};
    const QDateTime momento = QDateTime::fromString(pulito, Qt::ISODateWithMs);
    if (momento.isValid())
        return DataInTesto(momento.toLocalTime().date());
    const QDate giorno = QDate::fromString(pulito, Qt::ISODate);
    return giorno.isValid() ? DataInTesto(giorno) : testo;
}

// Milliseconds since 1970-01-01 UTC (Firefox's times) as the local day.
QString DataDaMillisecondi(const QString& testo) {
    const QString pulito = TogliSpazi(testo);
    if (pulito.isEmpty())
        return {};
    bool numero = false;
    const qint64 millisecondi = pulito.toLongLong(&numero);
    if (numero && millisecondi == 0) // no time kept
        return {};
    const QDate giorno =
        numero && millisecondi > 0 ? QDateTime::fromMSecsSinceEpoch(millisecondi).date() : QDate();
    return giorno.isValid() && giorno.year() <= 9999 ? DataInTesto(giorno) : testo;
}

// The notes and, after a blank line, the source's values that the record has no field for, one
// "label: value" line each.
QString NoteConAggiunte(const QString& note,
                        std::initializer_list<std::pair<const char*, QString>> aggiunte) {
    QStringList righe;
    for (const auto& [etichetta, valore] : aggiunte) {
        if (!TogliSpazi(valore).isEmpty())
            righe.append(QString::fromUtf8(etichetta) + QStringLiteral(": ") + valore);
    }
    if (righe.isEmpty())
        return note;
    const QString altro = righe.join(QLatin1Char('\n'));
    return TogliSpazi(note).isEmpty() ? altro : note + QStringLiteral("\n\n") + altro;
}

// KeePassXC names each group by its path from the database's root group, root included.
QString GruppoSenzaRadice(const QString& gruppo) {
    const qsizetype barra = gruppo.indexOf(QLatin1Char('/'));
    return barra < 0 ? QString() : gruppo.mid(barra + 1);
}

SchedaLetta DaKeePassXC(const Colonne& c) {
    SchedaLetta s;
    s[Campo::Titolo] = c("title");
    s[Campo::URL] = c("url");
    s[Campo::Utente] = c("username");
    s[Campo::Password] = c("password");
    s[Campo::Descrizione] = GruppoSenzaRadice(c("group"));
    s[Campo::Creazione] = DataIso(c("created"));
    s[Campo::Note] = NoteConAggiunte(c("notes"), {{"TOTP", c("totp")}});
    return s;
}

// Bitwarden writes the addresses of a login in one cell, separated by commas.
SchedaLetta DaBitwarden(const Colonne& c) {
    SchedaLetta s;
    const QString tipo = TogliSpazi(c("type"));
    if (tipo.compare(QLatin1String("login"), Qt::CaseInsensitive) != 0) {
        s.tipoSaltato = tipo.isEmpty() ? QStringLiteral("senza tipo") : tipo.toLower();
        return s;
    }
    QStringList indirizzi = c("login_uri").split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString& indirizzo : indirizzi)
        indirizzo = TogliSpazi(indirizzo);
    indirizzi.removeAll(QString());
    s[Campo::Titolo] = c("name");
    s[Campo::URL] = indirizzi.value(0);
    s[Campo::Utente] = c("login_username");
    s[Campo::Password] = c("login_password");
    const QString cartella = c("folder");
    s[Campo::Descrizione] = cartella.isEmpty() ? c("collections") : cartella;
    s[Campo::Note] = NoteConAggiunte(
        c("notes"), {{"Campi", c("fields")},
                     {"TOTP", c("login_totp")},
                     {"Altri indirizzi", indirizzi.mid(1).join(QStringLiteral(", "))}});
    return s;
}

SchedaLetta DaChrome(const Colonne& c) {
    SchedaLetta s;
    s[Campo::Titolo] = c("name");
    s[Campo::URL] = c("url");
    s[Campo::Utente] = c("username");
    s[Campo::Password] = c("password");
    s[Campo::Note] = c("note");
    return s;
}

// Firefox keeps no title: the site's host name stands for it. The password's own date is the
// day it was last changed (its creation, when it never was); the realm of a site that asks for
// its password itself (HTTP authentication) describes it.
SchedaLetta DaFirefox(const Colonne& c) {
    SchedaLetta s;
    const QString indirizzo = c("url");
    const QString host = QUrl(TogliSpazi(indirizzo)).host();
    s[Campo::Titolo] = host.isEmpty() ? indirizzo : host;
    s[Campo::URL] = indirizzo;
    s[Campo::Utente] = c("username");
    s[Campo::Password] = c("password");
    s[Campo::Descrizione] = c("httprealm");
    const QString cambiata = DataDaMillisecondi(c("timepasswordchanged"));
    s[Campo::Creazione] = cambiata.isEmpty() ? DataDaMillisecondi(c("timecreated")) : cambiata;
    return s;
}

QByteArray Chiave(const QString& nome) {
    return TogliSpazi(nome).toLower().toUtf8();
}

SchedaLetta DaBlindoro(const Colonne& c) {
    static const auto chiavi = [] {
        std::array<QByteArray, NumeroColonneEsportate> chiavi;
        for (int i = 0; i < NumeroColonneEsportate; ++i)
            chiavi[i] = Chiave(QString::fromLatin1(ColonneEsportate[i].intestazione));
        return chiavi;
    }();
    SchedaLetta s;
    for (int i = 0; i < NumeroColonneEsportate; ++i)
        s[ColonneEsportate[i].campo] = c(chiavi[i].constData());
    return s;
}

struct DescrizioneFormato {
    FormatoImportazione formato;
    std::vector<QString> richieste; // the columns that tell the format, as the program names them
    std::vector<QString> usate;     // the columns its mapping reads
    SchedaLetta (*mappa)(const Colonne&);
};

std::vector<QString> Nomi(std::initializer_list<const char*> nomi) {
    std::vector<QString> elenco;
    for (const char* nome : nomi)
        elenco.push_back(QString::fromLatin1(nome));
    return elenco;
}

std::vector<QString> IntestazioniBlindoro() {
    std::vector<QString> elenco;
    for (const ColonnaEsportata& colonna : ColonneEsportate)
        elenco.push_back(QString::fromLatin1(colonna.intestazione));
    return elenco;
}

// In the order they are tried: each one's columns are not all in an earlier one's.
const std::vector<DescrizioneFormato>& Formati() {
    static const std::vector<DescrizioneFormato> formati = {
        {FormatoImportazione::Bitwarden,
         Nomi({"type", "name", "login_uri", "login_username", "login_password"}),
         Nomi({"type", "name", "login_uri", "login_username", "login_password", "folder",
               "collections", "notes", "fields", "login_totp"}),
         DaBitwarden},
        {FormatoImportazione::KeePassXC,
         Nomi({"Group", "Title", "Username", "Password", "URL", "Notes"}),
         Nomi({"Group", "Title", "Username", "Password", "URL", "Notes", "TOTP", "Created"}),
         DaKeePassXC},
        {FormatoImportazione::Firefox,
         Nomi({"url", "username", "password", "httpRealm", "formActionOrigin"}),
         Nomi({"url", "username", "password", "httpRealm", "timeCreated", "timePasswordChanged"}),
         DaFirefox},
        {FormatoImportazione::Chrome, Nomi({"name", "url", "username", "password"}),
         Nomi({"name", "url", "username", "password", "note"}), DaChrome},
        {FormatoImportazione::Blindoro, IntestazioniBlindoro(), IntestazioniBlindoro(), DaBlindoro},
    };
    return formati;
}

QHash<QByteArray, qsizetype> IndiciDelleColonne(const QStringList& intestazione) {
    QHash<QByteArray, qsizetype> indici;
    // A name written twice is the first of its columns.
    for (qsizetype i = intestazione.size() - 1; i >= 0; --i)
        indici.insert(Chiave(intestazione[i]), i);
    return indici;
}

QStringList Mancanti(const DescrizioneFormato& formato,
                     const QHash<QByteArray, qsizetype>& indici) {
    QStringList mancanti;
    for (const QString& nome : formato.richieste) {
        if (!indici.contains(Chiave(nome)))
            mancanti.append(nome);
    }
    return mancanti;
}

[[noreturn]] void FallisciIntestazione(const QHash<QByteArray, qsizetype>& indici) {
    QString messaggio = QStringLiteral(
        "La prima riga del file non è l'intestazione di un formato conosciuto.\r\n\r\n"
        "Si possono importare i file CSV esportati da KeePassXC, da Bitwarden (le credenziali di "
        "accesso), da Chrome o Edge e da Firefox, e il foglio di calcolo esportato da Blindoro "
        "salvato come CSV, con le sue 14 colonne e le loro intestazioni.");
    // The format the header comes nearest to, when it has at least half of its columns.
    const DescrizioneFormato* vicino = nullptr;
    double quota = 0.5;
    for (const DescrizioneFormato& formato : Formati()) {
        const double presenti =
            1.0 - double(Mancanti(formato, indici).size()) / double(formato.richieste.size());
        if (presenti >= quota) {
            vicino = &formato;
            quota = presenti;
        }
    }
    if (vicino)
        messaggio += QStringLiteral("\r\n\r\nPer il formato di %1 mancano le colonne: %2.")
                         .arg(NomeFormato(vicino->formato),
                              Mancanti(*vicino, indici).join(QStringLiteral(", ")));
    throw ErroreImportazione(messaggio, 1);
}

const DescrizioneFormato& Descrizione(FormatoImportazione formato) {
    for (const DescrizioneFormato& descrizione : Formati()) {
        if (descrizione.formato == formato)
            return descrizione;
    }
    return Formati().back();
}

} // namespace

QString NomeFormato(FormatoImportazione formato) {
    switch (formato) {
    case FormatoImportazione::KeePassXC:
        return QStringLiteral("KeePassXC");
    case FormatoImportazione::Bitwarden:
        return QStringLiteral("Bitwarden");
    case FormatoImportazione::Chrome:
        return QStringLiteral("Chrome o Edge");
    case FormatoImportazione::Firefox:
        return QStringLiteral("Firefox");
    case FormatoImportazione::Blindoro:
        break;
    }
    return QStringLiteral("Blindoro (foglio di calcolo)");
}

FormatoRiconosciuto RiconosciFormato(const QStringList& intestazione) {
    const QHash<QByteArray, qsizetype> indici = IndiciDelleColonne(intestazione);
    for (const DescrizioneFormato& descrizione : Formati()) {
        if (!Mancanti(descrizione, indici).isEmpty())
            continue;
        FormatoRiconosciuto riconosciuto;
        riconosciuto.formato = descrizione.formato;
        riconosciuto.colonne = indici;
        QList<QByteArray> usate;
        for (const QString& nome : descrizione.usate)
            usate.append(Chiave(nome));
        for (const QString& nome : intestazione) {
            if (!usate.contains(Chiave(nome)))
                riconosciuto.ignorate.append(TogliSpazi(nome));
        }
        return riconosciuto;
    }
    FallisciIntestazione(indici);
}

bool AmmetteWindows1252(const QStringList& intestazione) {
    return Mancanti(Descrizione(FormatoImportazione::Blindoro), IndiciDelleColonne(intestazione))
        .isEmpty();
}

SchedaLetta FormatoRiconosciuto::Mappa(const QStringList& celle) const {
    return Descrizione(formato).mappa(Colonne(colonne, celle));
}
