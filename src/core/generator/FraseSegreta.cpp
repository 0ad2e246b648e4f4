#include "core/generator/FraseSegreta.h"

#include "core/generator/EstrazioneUniforme.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <cmath>
#include <stdexcept>
#include <vector>

// Resources of a static library are registered by hand, outside any namespace.
static void RegistraElencoParole() {
    Q_INIT_RESOURCE(parole);
}

namespace {

// The list as one text of lines and the start of each line: a fraction of the memory of a string
// per word.
struct Elenco {
    QByteArray testo;
    std::vector<qsizetype> inizi;
};

const Elenco& ElencoParole() {
    static const Elenco elenco = [] {
        RegistraElencoParole();
        QFile file(QStringLiteral(":/generatore/parole.txt"));
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("l'elenco delle parole manca dalle risorse del programma");
        Elenco letto;
        letto.testo = file.readAll();
        for (qsizetype inizio = 0; inizio < letto.testo.size();) {
            const qsizetype fine = letto.testo.indexOf('\n', inizio);
            if (fine <= inizio)
                throw std::runtime_error("l'elenco delle parole è guasto");
            letto.inizi.push_back(inizio);
            inizio = fine + 1;
        }
        if (letto.inizi.empty())
            throw std::runtime_error("l'elenco delle parole è vuoto");
        return letto;
    }();
    return elenco;
}

void Verifica(const ImpostazioniFrase& impostazioni) {
    if (!ImpostazioniValide(impostazioni))
        throw std::invalid_argument("impostazioni della frase non valide");
}

} // namespace

bool SeparatoreValido(const QString& separatore) {
    if (separatore.isEmpty() || separatore.size() > LunghezzaMassimaSeparatore)
        return false;
    for (QChar c : separatore)
        if (c < QLatin1Char(' ') || c > QLatin1Char('~') ||
            (c >= QLatin1Char('a') && c <= QLatin1Char('z')))
            return false;
    return true;
}

bool ImpostazioniValide(const ImpostazioniFrase& impostazioni) {
    return impostazioni.parole >= ParoleMinimeFrase && impostazioni.parole <= ParoleMassimeFrase &&
           SeparatoreValido(impostazioni.separatore);
}

QString GeneraFrase(const ImpostazioniFrase& impostazioni) {
    Verifica(impostazioni);
    const auto numero = static_cast<quint32>(NumeroParole());
    EstrazioneUniforme caso;
    QStringList parole;
    for (int i = 0; i < impostazioni.parole; ++i)
        parole.append(Parola(caso.Sotto(numero)));
    return parole.join(impostazioni.separatore);
}

double EntropiaEsatta(const ImpostazioniFrase& impostazioni) {
    Verifica(impostazioni);
    return impostazioni.parole * std::log2(static_cast<double>(NumeroParole()));
}

qsizetype NumeroParole() {
    return static_cast<qsizetype>(ElencoParole().inizi.size());
}

QString Parola(qsizetype indice) {
    const Elenco& elenco = ElencoParole();
    if (indice < 0 || indice >= NumeroParole())
        throw std::out_of_range("parola fuori dall'elenco");
    const qsizetype inizio = elenco.inizi[static_cast<size_t>(indice)];
    const qsizetype fine = elenco.testo.indexOf('\n', inizio);
    return QString::fromLatin1(elenco.testo.constData() + inizio, fine - inizio);
}
