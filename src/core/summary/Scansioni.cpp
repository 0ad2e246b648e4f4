#include "core/summary/Scansioni.h"

#include "core/storage/FileArchivio.h"
#include "core/summary/RigaRiepilogo.h"
#include "core/summary/Scadenze.h"
#include "core/text/Testo.h"

QStringList CercaSchede(const QString& percorso, const FiltriRicerca& filtri) {
    QStringList righe;
    FileArchivio archivio = ApriFileArchivio(percorso);
    archivio.PerOgniScheda([&](const TScheda& scheda) {
        if (filtri.Soddisfatti(scheda))
            righe.append(RigaRiepilogo(scheda));
    });
    archivio.Chiudi();
    OrdinaNellElenco(righe);
    return righe;
}

void ElencaScadute(const QString& percorso, const QDate& oggi, QStringList& righe) {
    righe.clear();
    try {
        FileArchivio archivio = ApriFileArchivio(percorso);
        archivio.PerOgniScheda([&](const TScheda& scheda) {
            if (Scaduta(DecodificaCampo(scheda, Campo::Scadenza), oggi))
                righe.append(RigaRiepilogo(scheda));
        });
        archivio.Chiudi();
    } catch (...) {
        OrdinaNellElenco(righe);
        throw;
    }
    OrdinaNellElenco(righe);
}

void CaricaSchedeDellaRiga(const QString& percorso, const QString& riga,
                           const MostraSchedaTrovata& mostra) {
    const QString scelta = TogliSpazi(riga);
    FileArchivio archivio = ApriFileArchivio(percorso);
    archivio.PerOgniScheda([&](const TScheda& scheda, qint64 numero) {
        if (TogliSpazi(RigaRiepilogo(scheda)) == scelta)
            mostra(scheda, numero);
    });
    archivio.Chiudi();
}
