#include "gui/ComandiAppunti.h"

#include "core/helptext/Tastiera.h"
#include "core/text/Testo.h"

#include <QObject>

// The help tells the delay in seconds.
static_assert(Appunti::AttesaPredefinita == std::chrono::seconds(SecondiNegliAppunti));

namespace {

struct Descrizione {
    const char* didascalia;
    const char* suggerimento;
    Scorciatoia (*tasti)();
    const char* copiato;
    const char* campo; // the caption of the record window's field
};

const Descrizione& descrizione(Appunti::Dato dato) {
    static const Descrizione password{
        "Copia la password", "Copia la password negli appunti per %1.", &TastoCopiaPassword,
        "Password copiata negli appunti: verrà cancellata tra %1.", "Password"};
    static const Descrizione utente{
        "Copia il nome utente", "Copia il nome utente negli appunti per %1.", &TastoCopiaUtente,
        "Nome utente copiato negli appunti: verrà cancellato tra %1.", "Nome Utente"};
    static const Descrizione indirizzo{
        "Copia l'indirizzo del sito", "Copia l'indirizzo del sito negli appunti per %1.",
        &TastoCopiaIndirizzo, "Indirizzo del sito copiato negli appunti: verrà cancellato tra %1.",
        "URL"};
    switch (dato) {
    case Appunti::Dato::Password:
        return password;
    case Appunti::Dato::NomeUtente:
        return utente;
    case Appunti::Dato::Indirizzo:
        break;
    }
    return indirizzo;
}

const QString IndirizzoNuovo = QStringLiteral("https://");

QString durata(int secondi) {
    return secondi == 1 ? QStringLiteral("1 secondo") : QStringLiteral("%1 secondi").arg(secondi);
}

} // namespace

Comando ComandoCopia(Appunti::Dato dato) {
    const Descrizione& d = descrizione(dato);
    return {QString::fromUtf8(d.didascalia),
            QString::fromUtf8(d.suggerimento).arg(durata(Appunti::programma().secondiAttesa())),
            d.tasti()};
}

QString TestoDaCopiare(Appunti::Dato dato, const QString& campo) {
    if (dato == Appunti::Dato::Password)
        return campo;
    const QString testo = TogliSpazi(campo);
    if (dato == Appunti::Dato::Indirizzo && testo == IndirizzoNuovo)
        return {};
    return testo;
}

bool CopiaNegliAppunti(Appunti::Dato dato, const QString& campo) {
    return Appunti::programma().copia(TestoDaCopiare(dato, campo), dato);
}

QString AvvisiAppunti::Copiato(Appunti::Dato dato, int secondi) {
    return QString::fromUtf8(descrizione(dato).copiato).arg(durata(secondi));
}

QString AvvisiAppunti::CampoVuoto(Appunti::Dato dato) {
    return QStringLiteral("Il campo %1 è vuoto: non è stato copiato nulla.")
        .arg(QString::fromUtf8(descrizione(dato).campo));
}

QString AvvisiAppunti::Cancellato(bool svuotati) {
    return svuotati ? QStringLiteral("Gli appunti sono stati svuotati.")
                    : QStringLiteral("Gli appunti non sono stati svuotati: contengono un testo "
                                     "copiato in seguito.");
}

void SeguiAppunti(QObject* contesto, std::function<void(const QString&)> scrivi) {
    Appunti& appunti = Appunti::programma();
    QObject::connect(&appunti, &Appunti::copiato, contesto,
                     [scrivi](Appunti::Dato dato, int secondi) {
                         scrivi(AvvisiAppunti::Copiato(dato, secondi));
                     });
    QObject::connect(
        &appunti, &Appunti::cancellato, contesto,
        [scrivi](Appunti::Dato, bool svuotati) { scrivi(AvvisiAppunti::Cancellato(svuotati)); });
}
