#pragma once

#include <QtGlobal>

#include <array>

// Draws whole numbers from the operating system's random source (QRandomGenerator::system()), each
// of the n values of a draw exactly as likely as the others. QRandomGenerator::bounded() is not
// used: it scales a 32-bit value by n without throwing any away, so unless n divides 2^32 some
// results come up once more than others.
//
// A draw takes the fewest bytes that hold n values (one byte up to 256) and throws the value away
// when it falls at or above the largest multiple of n those bytes hold; what is left is split into
// n equal runs. Bytes are fetched from the system 16 at a time: on x86 Qt takes them from the
// processor's random-number instruction, which costs about as much for each 4 bytes as a call does,
// so a larger block would mostly be thrown away.
class EstrazioneUniforme {
public:
    // A value from 0 to n - 1; n must be at least 1.
    quint32 Sotto(quint32 n);

private:
    unsigned char Byte();

    std::array<quint32, 4> scorta{};
    qsizetype usati = sizeof(scorta);
};
