#include "core/generator/Generatore.h"

#include "core/generator/EstrazioneUniforme.h"

#include <bit>
#include <cmath>
#include <stdexcept>

namespace {

QString Classe(const char* caratteri, bool senzaSosia) {
    QString classe = QString::fromLatin1(caratteri);
    if (senzaSosia)
        classe.removeIf([](QChar c) { return QLatin1String(SosiaPassword).contains(c); });
    return classe;
}

void Verifica(const ImpostazioniPassword& impostazioni) {
    if (!ImpostazioniValide(impostazioni))
        throw std::invalid_argument("impostazioni della password non valide");
}

bool OgniClassePresente(const QString& testo, const QList<QString>& classi) {
    for (const QString& classe : classi) {
        bool presente = false;
        for (QChar c : testo)
            presente = presente || classe.contains(c);
        if (!presente)
            return false;
    }
    return true;
}

} // namespace

bool ImpostazioniValide(const ImpostazioniPassword& impostazioni) {
    return impostazioni.lunghezza >= LunghezzaMinimaPassword &&
           impostazioni.lunghezza <= LunghezzaMassimaPassword &&
           (impostazioni.maiuscole || impostazioni.minuscole || impostazioni.cifre ||
            impostazioni.simboli);
}

QList<QString> ClassiScelte(const ImpostazioniPassword& impostazioni) {
    QList<QString> classi;
    if (impostazioni.maiuscole)
        classi.append(Classe(MaiuscolePassword, impostazioni.senzaSosia));
    if (impostazioni.minuscole)
        classi.append(Classe(MinuscolePassword, impostazioni.senzaSosia));
    if (impostazioni.cifre)
        classi.append(Classe(CifrePassword, impostazioni.senzaSosia));
    if (impostazioni.simboli)
        classi.append(Classe(SimboliPassword, impostazioni.senzaSosia));
    return classi;
}

QString GeneraPassword(const ImpostazioniPassword& impostazioni) {
    Verifica(impostazioni);
    const QList<QString> classi = ClassiScelte(impostazioni);
    const QString alfabeto = classi.join(QString());
    EstrazioneUniforme caso;
    QString password(impostazioni.lunghezza, Qt::Uninitialized);
    do {
        for (QChar& c : password)
            c = alfabeto.at(caso.Sotto(static_cast<quint32>(alfabeto.size())));
    } while (!OgniClassePresente(password, classi));
    return password;
}

double EntropiaEsatta(const ImpostazioniPassword& impostazioni) {
    Verifica(impostazioni);
    QList<int> dimensioni;
    int alfabeto = 0;
    for (const QString& classe : ClassiScelte(impostazioni)) {
        dimensioni.append(static_cast<int>(classe.size()));
        alfabeto += static_cast<int>(classe.size());
    }
    return std::log2(TestiConOgniClasse(alfabeto, dimensioni, impostazioni.lunghezza));
}

double TestiConOgniClasse(int alfabeto, const QList<int>& classi, int lunghezza) {
    // Every text, less those that miss a class, plus those that miss two, and so on: each subset
    // of left-out classes counts the texts drawn from the rest of the alphabet, with the sign of
    // its size.
    if (classi.size() > 16)
        throw std::invalid_argument("troppe classi di caratteri");
    const auto numeroClassi = static_cast<unsigned>(classi.size());
    double somma = 0;
    for (unsigned esclusi = 0; esclusi < (1u << numeroClassi); ++esclusi) {
        int restanti = alfabeto;
        for (unsigned i = 0; i < numeroClassi; ++i)
            if (esclusi & (1u << i))
                restanti -= classi[i];
        const double testi = std::pow(static_cast<double>(restanti), lunghezza);
        somma += std::popcount(esclusi) % 2 == 0 ? testi : -testi;
    }
    return somma > 0 ? somma : 0;
}
