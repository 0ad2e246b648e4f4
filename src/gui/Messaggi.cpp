#include "gui/Messaggi.h"

void mostraAvviso(QWidget* proprietario, const QString& testo) {
    Piattaforma::corrente().messaggio(proprietario, TipoMessaggio::Avviso, Pulsanti::OkAnnulla,
                                      testo);
}

void mostraErrore(QWidget* proprietario, const QString& testo) {
    Piattaforma::corrente().messaggio(proprietario, TipoMessaggio::Errore, Pulsanti::OkAnnulla,
                                      testo);
}

void mostraInformazione(QWidget* proprietario, const QString& testo) {
    Piattaforma::corrente().messaggio(proprietario, TipoMessaggio::Informazione,
                                      Pulsanti::OkAnnulla, testo);
}

bool chiediConferma(QWidget* proprietario, const QString& testo) {
    return Piattaforma::corrente().messaggio(proprietario, TipoMessaggio::Conferma, Pulsanti::SiNo,
                                             testo) == Risposta::Si;
}

void mostraMessaggio(QWidget* proprietario, const QString& testo) {
    Piattaforma::corrente().messaggio(proprietario, TipoMessaggio::Semplice, Pulsanti::Ok, testo);
}
