#include "core/generator/EstrazioneUniforme.h"

#include <QRandomGenerator>

#include <stdexcept>

quint32 EstrazioneUniforme::Sotto(quint32 n) {
    if (n == 0)
        throw std::invalid_argument("estrazione fra zero valori");
    int byte = 1;
    quint64 valori = 256;
    while (valori < n) {
        ++byte;
        valori <<= 8;
    }
    const quint64 limite = valori - valori % n;
    for (;;) {
        quint64 valore = 0;
        for (int i = 0; i < byte; ++i)
            valore = (valore << 8) | Byte();
        if (valore < limite)
            return static_cast<quint32>(valore % n);
    }
}

unsigned char EstrazioneUniforme::Byte() {
    if (usati == static_cast<qsizetype>(sizeof(scorta))) {
        QRandomGenerator::system()->fillRange(scorta.data(), static_cast<qsizetype>(scorta.size()));
        usati = 0;
    }
    return reinterpret_cast<const unsigned char*>(scorta.data())[usati++];
}
