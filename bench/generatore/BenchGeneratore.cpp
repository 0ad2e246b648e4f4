// Measures the drawing of 10,000 passwords of 20 characters (the generator's defaults) against
// drawing the same number of random bytes from the same system generator, 20 at a time, in the
// same run; then 10,000 passphrases of five words, the first reading of the word list, and the
// strength estimate the generator shows for each preview.

#include "Banco.h"
#include "core/generator/FraseSegreta.h"
#include "core/generator/Generatore.h"
#include "core/generator/StimaForza.h"

#include <QRandomGenerator>

#include <array>
#include <cstdio>
#include <vector>

namespace {

constexpr int Numero = 10000;
constexpr int Giri = 9;

qint64 Password() {
    qint64 somma = 0;
    for (int i = 0; i < Numero; ++i)
        somma += GeneraPassword({}).at(0).unicode();
    return somma;
}

// 20 bytes a draw, as five 32-bit values: the smallest piece fillRange hands out.
qint64 ByteCasuali() {
    static_assert(LunghezzaPredefinitaPassword % 4 == 0);
    std::array<quint32, LunghezzaPredefinitaPassword / 4> byte{};
    qint64 somma = 0;
    for (int i = 0; i < Numero; ++i) {
        QRandomGenerator::system()->fillRange(byte.data(), static_cast<qsizetype>(byte.size()));
        somma += byte[0] & 0xff;
    }
    return somma;
}

qint64 Frasi() {
    qint64 somma = 0;
    for (int i = 0; i < Numero; ++i)
        somma += GeneraFrase({}).size();
    return somma;
}

double MedianaDi(qint64 (*lavoro)(), qint64& controllo) {
    std::vector<double> tempi;
    for (int giro = 0; giro < Giri; ++giro)
        tempi.push_back(Tempo(lavoro, controllo));
    return Mediana(tempi);
}

// Microseconds per estimate of the password, median of 9 runs of 200.
double MicrosecondiStima(const QString& password, qint64& controllo) {
    constexpr int Stime = 200;
    const auto stime = [&] {
        double bit = 0;
        for (int i = 0; i < Stime; ++i)
            bit += BitStimati(password);
        return static_cast<qint64>(bit);
    };
    std::vector<double> tempi;
    for (int giro = 0; giro < Giri; ++giro)
        tempi.push_back(Tempo(stime, controllo) * 1000.0 / Stime);
    return Mediana(tempi);
}

} // namespace

int main() {
    qint64 controllo = 0;
    controllo += Password() + ByteCasuali(); // warm-up

    // Interleaved, so that both meet the same load of the machine.
    std::vector<double> password, byte;
    for (int giro = 0; giro < Giri; ++giro) {
        password.push_back(Tempo(Password, controllo));
        byte.push_back(Tempo(ByteCasuali, controllo));
    }
    const double base = Mediana(byte);
    const double nostra = Mediana(password);
    std::printf("%d password di %d caratteri, mediana di %d giri:\n", Numero,
                LunghezzaPredefinitaPassword, Giri);
    std::printf("  %d byte casuali dal generatore di sistema  %8.2f ms\n",
                Numero * LunghezzaPredefinitaPassword, base);
    std::printf(
        "  password generate                         %8.2f ms  %6.2f x  %6.2f us/password\n",
        nostra, nostra / base, nostra * 1000.0 / Numero);

    const auto inizio = Orologio::now();
    controllo += NumeroParole();
    std::printf("prima lettura dell'elenco di %lld parole       %8.2f ms\n",
                static_cast<long long>(NumeroParole()), Millisecondi(Orologio::now() - inizio));
    const double frasi = MedianaDi(Frasi, controllo);
    std::printf("%d frasi di %d parole                     %8.2f ms  %6.2f us/frase\n", Numero,
                ParolePredefiniteFrase, frasi, frasi * 1000.0 / Numero);

    ImpostazioniPassword lunga;
    lunga.lunghezza = LunghezzaMassimaPassword;
    std::printf("stima della forza, password di 20 caratteri %8.1f us\n",
                MicrosecondiStima(GeneraPassword({}), controllo));
    std::printf("stima della forza, password di 120 caratteri%8.1f us\n",
                MicrosecondiStima(GeneraPassword(lunga), controllo));
    std::printf("stima della forza, frase di 5 parole        %8.1f us\n",
                MicrosecondiStima(GeneraFrase({}), controllo));
    return controllo == 42 ? 1 : 0;
}
