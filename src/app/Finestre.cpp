#include "app/Finestre.h"

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "archive/ApriArchivio.h"
#include "archive/CreaArchivio.h"
#include "core/text/Formati.h"
#include "editor/Blindoro.h"

// Only the login window is needed before the first window maps; the others are built on their
// first use. The process-wide formats, which the start window sets when it is made, hold from the
// start all the same.
TFinestre::TFinestre() {
    ImpostaFormatiProcesso();
    Password();
}

TFinestre::~TFinestre() = default;

template <class Finestra, class Collega>
Finestra& TFinestre::finestra(std::unique_ptr<Finestra>& istanza, Collega&& collega) {
    if (!istanza) {
        istanza = std::make_unique<Finestra>();
        elenco_.append(istanza.get());
        collega(*istanza);
    }
    return *istanza;
}

TfrmPassword& TFinestre::Password() {
    return finestra(password_, [this](TfrmPassword& password) {
        QObject::connect(&password, &TfrmPassword::accessoRiuscito, &password,
                         [this] { Avvio().mostra(); });
        QObject::connect(&password, &TfrmPassword::cambioPasswordRichiesto, &password,
                         [this] { CambiaPassword().mostra(); });
    });
}

TfrmAvvio& TFinestre::Avvio() {
    return finestra(avvio_, [this](TfrmAvvio& avvio) {
        QObject::connect(&avvio, &TfrmAvvio::creaArchivioRichiesto, &avvio,
                         [this] { CreaArchivio().mostra(); });
        QObject::connect(&avvio, &TfrmAvvio::apriArchivioRichiesto, &avvio,
                         [this] { ApriArchivio().mostra(); });
    });
}

TfrmCambiaPassword& TFinestre::CambiaPassword() {
    return finestra(cambiaPassword_, [this](TfrmCambiaPassword& cambio) {
        QObject::connect(&cambio, &TfrmCambiaPassword::chiusa, &cambio, [this] {
            Password().SvuotaAccesso();
            Password().mostra();
        });
    });
}

TfrmCreaArchivio& TFinestre::CreaArchivio() {
    return finestra(creaArchivio_, [this](TfrmCreaArchivio& creazione) {
        QObject::connect(&creazione, &TfrmCreaArchivio::chiusa, &creazione,
                         [this] { Avvio().mostra(); });
    });
}

TfrmApriArchivio& TFinestre::ApriArchivio() {
    return finestra(apriArchivio_, [this](TfrmApriArchivio& selezione) {
        QObject::connect(&selezione, &TfrmApriArchivio::chiusa, &selezione,
                         [this] { Avvio().mostra(); });
        QObject::connect(&selezione, &TfrmApriArchivio::archivioScelto, &selezione,
                         [this](const QString& percorso, const QString& nome) {
                             Blindoro().ApriArchivio(percorso, nome);
                         });
    });
}

TfrmBlindoro& TFinestre::Blindoro() {
    return finestra(blindoro_, [this](TfrmBlindoro& scheda) {
        QObject::connect(&scheda, &TfrmBlindoro::chiusa, &scheda, [this] { Avvio().mostra(); });
    });
}

QList<QWidget*> TFinestre::Elenco() const {
    return elenco_;
}

void TFinestre::MostraFinestraPrincipale() {
    Password().mostra();
}
