// Any bytes through the import's reader and preview. The first byte chooses a header line the
// import knows to put before the rest (or none, so that the rest is the whole file), so that the
// mapping of every format is reached. A file is either refused with a message that names its line,
// or every row it gives becomes a record whose fields fit and read back as the preview shows them.

#include "Verifica.h"
#include "core/import/Importazione.h"
#include "core/storage/Scheda.h"

#include <QByteArray>
#include <QDate>

#include <cstdint>

namespace {

const char* const Intestazioni[] = {
    "",
    "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\",\"Icon\","
    "\"Last Modified\",\"Created\"\n",
    "folder,favorite,type,name,notes,fields,reprompt,login_uri,login_username,login_password,"
    "login_totp\n",
    "name,url,username,password,note\n",
    "\"url\",\"username\",\"password\",\"httpRealm\",\"formActionOrigin\",\"guid\","
    "\"timeCreated\",\"timeLastUsed\",\"timePasswordChanged\"\r\n",
    "Titolo sito Web;URL;Proprietario sito Web;Descrizione;Nome Utente;Password;Data creazione;"
    "Data scadenza;Domanda segreta;Risposta segreta;Intestatario account;Codice fiscale;E-mail;"
    "Tel.\n",
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    if (dimensione == 0)
        return 0;
    QByteArray csv(Intestazioni[dati[0] % std::size(Intestazioni)]);
    csv.append(reinterpret_cast<const char*>(dati) + 1, qsizetype(dimensione - 1));

    try {
        AnteprimaImportazione anteprima(csv, {}, QDate(2026, 6, 15));
        anteprima.ImpostaIntestatario(QStringLiteral("Intestatario"));
        qsizetype stati = 0;
        for (StatoRiga stato : {StatoRiga::DaAggiungere, StatoRiga::Incompleta,
                                StatoRiga::Duplicata, StatoRiga::Esclusa})
            stati += anteprima.Numero(stato);
        Verifica(stati == anteprima.NumeroRighe(), "every row has one state");
        qsizetype lineaPrima = 1;
        for (qsizetype riga = 0; riga < anteprima.NumeroRighe(); ++riga) {
            Verifica(anteprima.Linea(riga) > lineaPrima, "rows start after the header, in order");
            lineaPrima = anteprima.Linea(riga);
            const TScheda scheda = anteprima.Scheda(riga);
            for (int c = 0; c < NumeroCampi; ++c) {
                const auto campo = static_cast<Campo>(c);
                const QString valore = DecodificaCampo(scheda, campo);
                Verifica(valore.size() <= LunghezzaMassima(campo), "a value fits its field");
                Verifica(valore == anteprima.Valore(riga, campo), "the record is the preview");
            }
            const QString creazione = anteprima.Valore(riga, Campo::Creazione);
            Verifica(creazione.isEmpty() || creazione.size() == 10, "a date or nothing");
            Verifica(anteprima.Stato(riga) != StatoRiga::DaAggiungere ||
                         anteprima.Mancanti(riga).isEmpty(),
                     "a row to add lacks nothing");
            for (const Rilievo& rilievo : anteprima.Rilievi(riga))
                Verifica(!DescriviRilievo(rilievo).isEmpty(), "a finding is told");
        }
    } catch (const ErroreImportazione& errore) {
        Verifica(!errore.Messaggio().isEmpty(), "a refusal says why");
        Verifica(errore.Linea() <= 1 ||
                     errore.Messaggio().startsWith(QStringLiteral("Riga %1: ").arg(errore.Linea())),
                 "a fault at a line names it");
        Verifica(errore.Linea() <= 1 + csv.count('\n') + csv.count('\r'), "a line of the file");
    }
    return 0;
}
