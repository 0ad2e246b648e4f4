#include "core/import/Importazione.h"

#include "core/storage/FileArchivio.h"
#include "core/storage/Windows1252.h"
#include "core/text/Formati.h"
#include "core/text/Testo.h"

#include <QChar>

#include <cstring>

namespace {

// The fields the user sees and types; the attachments of a new record stay empty.
constexpr int CampiDiTesto = static_cast<int>(Campo::Tel) + 1;

constexpr Campo Richiesti[] = {Campo::Titolo, Campo::Utente, Campo::Password, Campo::Scadenza,
                               Campo::Intestatario};

bool PiuRighe(Campo campo) {
    return campo == Campo::Utilizzate || campo == Campo::Note;
}

bool Data(Campo campo) {
    return campo == Campo::Creazione || campo == Campo::Scadenza;
}

// Whether the text, as the field stores it, is blank (codes 0 to 32 only, as TogliSpazi takes
// them away), without making the stored text.
bool BiancoNelCampo(QStringView testo, Campo campo) {
    const qsizetype massimo = LunghezzaMassima(campo);
    qsizetype caratteri = 0;
    for (qsizetype i = 0; i < testo.size() && caratteri < massimo; ++caratteri) {
        const char16_t unita = testo[i++].unicode();
        if (unita < 0x80) {
            if (unita > 32)
                return false;
            continue;
        }
        char32_t carattere = unita;
        if (QChar::isHighSurrogate(unita) && i < testo.size() && testo[i].isLowSurrogate())
            carattere = QChar::surrogateToUcs4(unita, testo[i++].unicode());
        if (static_cast<unsigned char>(CodificaCarattere(carattere)) > 32)
            return false;
    }
    return true;
}

// The text as the field stores it: converted to the code page and cut to the field's length.
QByteArray Memorizzato(const QString& testo, Campo campo) {
    QByteArray byte(qMin(testo.size(), LunghezzaMassima(campo)), Qt::Uninitialized);
    byte.truncate(CodificaWindows1252(testo, byte.data(), byte.size()));
    return byte;
}

// The title, URL and user name as the record stores them, in one key.
QByteArray ChiaveMemorizzata(const SchedaLetta& scheda) {
    const Campo campi[] = {Campo::Titolo, Campo::URL, Campo::Utente};
    QByteArray chiave(LunghezzaMassima(Campo::Titolo) + LunghezzaMassima(Campo::URL) +
                          LunghezzaMassima(Campo::Utente) + 2,
                      Qt::Uninitialized);
    qsizetype usati = 0;
    for (const Campo campo : campi) {
        if (campo != Campo::Titolo)
            chiave[usati++] = '\0';
        usati += CodificaWindows1252(scheda[campo], chiave.data() + usati, LunghezzaMassima(campo));
    }
    chiave.truncate(usati);
    return chiave;
}

QByteArray ChiaveDi(QByteArrayView titolo, QByteArrayView url, QByteArrayView utente) {
    QByteArray chiave;
    chiave.reserve(titolo.size() + url.size() + utente.size() + 2);
    chiave.append(titolo).append('\0').append(url).append('\0').append(utente);
    return chiave;
}

// The field's text up to its NUL, as reading the record takes it.
QByteArrayView TestoDelCampo(const TScheda& scheda, Campo campo) {
    const std::span<const char> byte = ByteDelCampo(scheda, campo);
    const void* fine = std::memchr(byte.data(), '\0', byte.size());
    return QByteArrayView(byte.data(), fine ? static_cast<const char*>(fine) - byte.data()
                                            : static_cast<qsizetype>(byte.size()));
}

// Every line break (CR LF, LF, CR alone) of the text replaced by `a`; how many there were.
qsizetype SostituisciACapo(QString& testo, QStringView a) {
    if (!testo.contains(QLatin1Char('\n')) && !testo.contains(QLatin1Char('\r')))
        return 0;
    QString nuovo;
    nuovo.reserve(testo.size() + testo.size() / 8);
    qsizetype interruzioni = 0;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < testo.size() && testo[i + 1] == QLatin1Char('\n'))
                ++i;
            nuovo.append(a);
            ++interruzioni;
        } else {
            nuovo.append(c);
        }
    }
    testo = std::move(nuovo);
    return interruzioni;
}

// The findings of a text going into a field: its length against the field's, and each
// character that the code page lacks, once with the number of times it occurs, among the
// characters that stay.
void EsaminaTesto(const QString& testo, Campo campo, QList<Rilievo>& rilievi) {
    const qsizetype massimo = LunghezzaMassima(campo);
    qsizetype caratteri = 0;
    qsizetype i = 0;
    QList<Rilievo> sostituiti;
    while (i < testo.size()) {
        const qsizetype inizio = i;
        const char16_t unita = testo[i++].unicode();
        if (caratteri == massimo) {
            rilievi.append({TipoRilievo::Tagliato, campo, testo.mid(inizio), {}, massimo});
            break;
        }
        ++caratteri;
        if (unita < 0x80)
            continue;
        char32_t carattere = unita;
        if (QChar::isHighSurrogate(unita) && i < testo.size() && testo[i].isLowSurrogate())
            carattere = QChar::surrogateToUcs4(unita, testo[i++].unicode());
        if (NelCodice(carattere))
            continue;
        const char byte = CodificaCarattere(carattere);
        const QString sostituto = DecodificaWindows1252(QByteArrayView(&byte, 1));
        const QString originale = testo.mid(inizio, i - inizio);
        auto gia = std::find_if(sostituiti.begin(), sostituiti.end(),
                                [&](const Rilievo& r) { return r.testo == originale; });
        if (gia != sostituiti.end())
            ++gia->numero;
        else
            sostituiti.append({TipoRilievo::Sostituito, campo, originale, sostituto, 1});
    }
    rilievi.append(sostituiti);
}

QString Abbreviato(const QString& testo, qsizetype massimo = 40) {
    QString riga = testo;
    SostituisciACapo(riga, u" ");
    return riga.size() <= massimo ? riga : riga.left(massimo) + QStringLiteral("…");
}

QString NomeTipoBitwarden(const QString& tipo) {
    if (tipo == QLatin1String("note"))
        return QStringLiteral("note sicure");
    if (tipo == QLatin1String("card"))
        return QStringLiteral("carte");
    if (tipo == QLatin1String("identity"))
        return QStringLiteral("identità");
    return tipo;
}

} // namespace

QString NomeCampo(Campo campo) {
    switch (campo) {
    case Campo::Titolo:
        return QStringLiteral("Titolo sito Web");
    case Campo::URL:
        return QStringLiteral("URL");
    case Campo::Proprietario:
        return QStringLiteral("Proprietario sito Web");
    case Campo::Descrizione:
        return QStringLiteral("Descrizione");
    case Campo::Utente:
        return QStringLiteral("Nome Utente");
    case Campo::Creazione:
        return QStringLiteral("Data creazione");
    case Campo::Password:
        return QStringLiteral("Password");
    case Campo::Scadenza:
        return QStringLiteral("Data scadenza");
    case Campo::Domanda:
        return QStringLiteral("Domanda segreta");
    case Campo::Risposta:
        return QStringLiteral("Risposta segreta");
    case Campo::Utilizzate:
        return QStringLiteral("Password già utilizzate");
    case Campo::Note:
        return QStringLiteral("Note");
    case Campo::Intestatario:
        return QStringLiteral("Intestatario account");
    case Campo::CodFisc:
        return QStringLiteral("Codice fiscale");
    case Campo::Email:
        return QStringLiteral("E-mail");
    case Campo::Tel:
        return QStringLiteral("Tel.");
    default:
        break;
    }
    return QStringLiteral("Allegato");
}

QString DescriviRilievo(const Rilievo& rilievo) {
    const QString campo = NomeCampo(rilievo.campo);
    switch (rilievo.tipo) {
    case TipoRilievo::Tagliato:
        return QStringLiteral("%1: il campo contiene %2 caratteri, il testo viene tagliato dopo "
                              "il %2° e si perde «%3».")
            .arg(campo)
            .arg(rilievo.numero)
            .arg(Abbreviato(rilievo.testo));
    case TipoRilievo::Sostituito:
        return QStringLiteral("%1: «%2» non esiste nella codifica dell'archivio e diventa «%3»%4.")
            .arg(campo, rilievo.testo, rilievo.sostituto,
                 rilievo.numero > 1 ? QStringLiteral(" (%1 volte)").arg(rilievo.numero)
                                    : QString());
    case TipoRilievo::ACapoTolto:
        return QStringLiteral("%1: il campo ha una sola riga, gli a capo diventano spazi.")
            .arg(campo);
    case TipoRilievo::DataNonValida:
        return QStringLiteral("%1: «%2» non è una data nella forma gg/mm/aaaa e viene lasciata "
                              "vuota%3.")
            .arg(campo, Abbreviato(rilievo.testo),
                 rilievo.campo == Campo::Scadenza
                     ? QStringLiteral("; vale la scadenza indicata per tutte le schede")
                     : QString());
    }
    return campo;
}

SchedeEsistenti LeggiSchedeEsistenti(FileArchivio& archivio) {
    SchedeEsistenti esistenti;
    archivio.PerOgniScheda([&](const TScheda& scheda, qint64 numero) {
        const QByteArray chiave =
            ChiaveDi(TestoDelCampo(scheda, Campo::Titolo), TestoDelCampo(scheda, Campo::URL),
                     TestoDelCampo(scheda, Campo::Utente));
        if (!esistenti.contains(chiave)) // the first record that has it is the one to name
            esistenti.insert(chiave, numero);
    });
    return esistenti;
}

QString TestoConferma(qsizetype aggiunte) {
    if (aggiunte == 1)
        return QStringLiteral("È stata aggiunta all'archivio 1 scheda.");
    return QStringLiteral("Sono state aggiunte all'archivio %1 schede.").arg(aggiunte);
}

AnteprimaImportazione::AnteprimaImportazione(QByteArrayView csv, SchedeEsistenti esistenti,
                                             const QDate& oggi)
    : esistenti(std::move(esistenti))
    , oggi(oggi)
    , oggiInTesto(DataInTesto(oggi))
    , scadenza(oggi.addYears(1))
    , scadenzaInTesto(DataInTesto(scadenza)) {
    // An unknown header is told as such, even in a file that is not UTF-8.
    const TabellaCsv tabella = LeggiCsv(csv, [](const QStringList& intestazione) {
        RiconosciFormato(intestazione);
        return AmmetteWindows1252(intestazione);
    });
    formato = RiconosciFormato(tabella.intestazione.celle);
    codifica = tabella.codifica;
    separatore = tabella.separatore;
    righe.reserve(tabella.righe.size());
    for (const RigaCsv& letta : tabella.righe) {
        Riga riga;
        riga.linea = letta.linea;
        riga.letta = formato.Mappa(letta.celle);
        if (!riga.letta.tipoSaltato.isEmpty()) {
            auto gia = std::find_if(saltati.begin(), saltati.end(), [&](const auto& s) {
                return s.first == riga.letta.tipoSaltato;
            });
            if (gia != saltati.end())
                ++gia->second;
            else
                saltati.append({riga.letta.tipoSaltato, 1});
            continue;
        }
        Prepara(riga);
        righe.append(std::move(riga));
    }
}

QString AnteprimaImportazione::TestoElementiSaltati() const {
    qsizetype totale = 0;
    QStringList tipi;
    for (const auto& [tipo, quanti] : saltati) {
        totale += quanti;
        tipi.append(QStringLiteral("%1: %2").arg(NomeTipoBitwarden(tipo)).arg(quanti));
    }
    if (totale == 0)
        return {};
    return (totale == 1 ? QStringLiteral("Non viene importato %1 elemento che non è una "
                                         "credenziale di accesso (%2).")
                        : QStringLiteral("Non vengono importati %1 elementi che non sono "
                                         "credenziali di accesso (%2)."))
        .arg(totale)
        .arg(tipi.join(QStringLiteral(", ")));
}

void AnteprimaImportazione::Prepara(Riga& riga) const {
    riga.rilievi.clear();
    for (int indice = 0; indice < CampiDiTesto; ++indice) {
        const auto campo = static_cast<Campo>(indice);
        QString testo = riga.letta[campo];
        if (Data(campo)) {
            const QDate data = DataDaTesto(testo);
            if (!TogliSpazi(testo).isEmpty() && !data.isValid())
                riga.rilievi.append({TipoRilievo::DataNonValida, campo, testo, {}, 0});
            // A date written as the program writes it stays the text it is.
            if (!data.isValid())
                testo.clear();
            else if (testo.size() != 10 || testo != DataInTesto(data))
                testo = DataInTesto(data);
            if (testo.isEmpty() && campo == Campo::Creazione &&
                TogliSpazi(riga.letta[campo]).isEmpty() && !formato.CreazioneVuotaResta())
                testo = oggiInTesto;
        } else if (PiuRighe(campo)) {
            // The record keeps the lines of its multi-line fields separated by CR LF.
            SostituisciACapo(testo, u"\r\n");
        } else if (const qsizetype aCapo = SostituisciACapo(testo, u" ")) {
            riga.rilievi.append({TipoRilievo::ACapoTolto, campo, {}, {}, aCapo});
        }
        EsaminaTesto(testo, campo, riga.rilievi);
        riga.finale[campo] = std::move(testo);
    }
    riga.chiave = ChiaveMemorizzata(riga.finale);
}

const QString& AnteprimaImportazione::TestoFinale(const Riga& riga, Campo campo) const {
    const QString& proprio = riga.finale[campo];
    if (campo == Campo::Intestatario && TogliSpazi(proprio).isEmpty())
        return intestatario;
    if (campo == Campo::Scadenza && proprio.isEmpty())
        return scadenzaInTesto;
    return proprio;
}

void AnteprimaImportazione::AggiornaStati() const {
    if (statiAggiornati)
        return;
    statiAggiornati = true;
    QHash<QByteArray, qsizetype> aggiunte;
    aggiunte.reserve(righe.size());
    for (qsizetype i = 0; i < righe.size(); ++i) {
        const Riga& riga = righe[i];
        riga.duplicato.reset();
        if (const auto trovata = esistenti.constFind(riga.chiave); trovata != esistenti.cend())
            riga.duplicato = Duplicato{trovata.value(), -1};
        else if (const auto precedente = aggiunte.constFind(riga.chiave);
                 precedente != aggiunte.cend())
            riga.duplicato = Duplicato{0, precedente.value()};

        const bool completa =
            std::none_of(std::begin(Richiesti), std::end(Richiesti),
                         [&](Campo c) { return BiancoNelCampo(TestoFinale(riga, c), c); });
        if (!completa)
            riga.stato = StatoRiga::Incompleta;
        else if (riga.scelta == false)
            riga.stato = StatoRiga::Esclusa;
        else if (riga.duplicato && riga.scelta != true)
            riga.stato = StatoRiga::Duplicata;
        else
            riga.stato = StatoRiga::DaAggiungere;
        if (riga.stato == StatoRiga::DaAggiungere && !aggiunte.contains(riga.chiave))
            aggiunte.insert(riga.chiave, i);
    }
}

void AnteprimaImportazione::ImpostaIntestatario(const QString& testo) {
    intestatario = testo;
    statiAggiornati = false;
}

void AnteprimaImportazione::ImpostaScadenza(const QDate& data) {
    scadenza = data;
    scadenzaInTesto = data.isValid() ? DataInTesto(data) : QString();
    statiAggiornati = false;
}

QList<Rilievo> AnteprimaImportazione::RilieviIntestatario() const {
    QList<Rilievo> rilievi;
    QString testo = intestatario;
    if (const qsizetype aCapo = SostituisciACapo(testo, u" "))
        rilievi.append({TipoRilievo::ACapoTolto, Campo::Intestatario, {}, {}, aCapo});
    EsaminaTesto(testo, Campo::Intestatario, rilievi);
    return rilievi;
}

const QString& AnteprimaImportazione::ValoreLetto(qsizetype riga, Campo campo) const {
    return righe[riga].letta[campo];
}

QString AnteprimaImportazione::Valore(qsizetype riga, Campo campo) const {
    return DecodificaWindows1252(Memorizzato(TestoFinale(righe[riga], campo), campo));
}

void AnteprimaImportazione::ImpostaValore(qsizetype riga, Campo campo, const QString& testo) {
    if (static_cast<int>(campo) >= CampiDiTesto)
        return;
    righe[riga].letta[campo] = testo;
    Prepara(righe[riga]);
    statiAggiornati = false;
}

QList<Campo> AnteprimaImportazione::Mancanti(qsizetype riga) const {
    QList<Campo> mancanti;
    for (const Campo campo : Richiesti) {
        if (BiancoNelCampo(TestoFinale(righe[riga], campo), campo))
            mancanti.append(campo);
    }
    return mancanti;
}

void AnteprimaImportazione::ImpostaInclusa(qsizetype riga, bool inclusa) {
    righe[riga].scelta = inclusa;
    statiAggiornati = false;
}

const std::optional<Duplicato>& AnteprimaImportazione::DuplicatoDi(qsizetype riga) const {
    AggiornaStati();
    return righe[riga].duplicato;
}

StatoRiga AnteprimaImportazione::Stato(qsizetype riga) const {
    AggiornaStati();
    return righe[riga].stato;
}

QStringList AnteprimaImportazione::Descrizioni(qsizetype indice) const {
    AggiornaStati();
    const Riga& riga = righe[indice];
    QStringList descrizioni;
    QString uguale;
    if (riga.duplicato && riga.duplicato->schedaInArchivio > 0)
        uguale = QStringLiteral("Ha titolo, URL e nome utente della scheda %1 dell'archivio")
                     .arg(riga.duplicato->schedaInArchivio);
    else if (riga.duplicato)
        uguale = QStringLiteral("Ha titolo, URL e nome utente della riga %1 del file")
                     .arg(righe[riga.duplicato->rigaPrecedente].linea);
    switch (riga.stato) {
    case StatoRiga::Incompleta: {
        QStringList nomi;
        for (const Campo campo : Mancanti(indice))
            nomi.append(NomeCampo(campo));
        descrizioni.append(
            QStringLiteral("Non sarà aggiunta finché non si indica: %1.").arg(nomi.join(", ")));
        break;
    }
    case StatoRiga::Duplicata:
        descrizioni.append(uguale + QStringLiteral(": non sarà aggiunta, se non la si include."));
        break;
    case StatoRiga::Esclusa:
        descrizioni.append(QStringLiteral("Esclusa: non sarà aggiunta."));
        break;
    case StatoRiga::DaAggiungere:
        if (riga.duplicato)
            descrizioni.append(uguale + QStringLiteral(", ma sarà aggiunta lo stesso."));
        break;
    }
    for (const Rilievo& rilievo : riga.rilievi)
        descrizioni.append(DescriviRilievo(rilievo));
    return descrizioni;
}

qsizetype AnteprimaImportazione::Numero(StatoRiga stato) const {
    AggiornaStati();
    return std::count_if(righe.cbegin(), righe.cend(),
                         [stato](const Riga& riga) { return riga.stato == stato; });
}

TScheda AnteprimaImportazione::Scheda(qsizetype indice) const {
    TScheda scheda;
    std::memset(&scheda, 0, sizeof scheda);
    Riempi(scheda, indice);
    return scheda;
}

void AnteprimaImportazione::Riempi(TScheda& scheda, qsizetype indice) const {
    for (int campo = 0; campo < CampiDiTesto; ++campo)
        CodificaCampo(scheda, static_cast<Campo>(campo),
                      TestoFinale(righe[indice], static_cast<Campo>(campo)));
}

EsitoImportazione AnteprimaImportazione::Importa(FileArchivio& archivio) const {
    AggiornaStati();
    QList<qsizetype> daAggiungere;
    for (qsizetype i = 0; i < righe.size(); ++i) {
        if (righe[i].stato == StatoRiga::DaAggiungere)
            daAggiungere.append(i);
    }
    if (daAggiungere.isEmpty())
        return {};
    const qint64 prima = archivio.AggiungiSchede(
        daAggiungere.size(), [&](qint64 i, TScheda& scheda) { Riempi(scheda, daAggiungere[i]); });
    return {daAggiungere.size(), prima};
}
