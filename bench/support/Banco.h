#pragma once

#include "core/storage/Scheda.h"

#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

// What the benchmarks share: the clock and the figures they print, the archives they measure on,
// and the plain read of a file that most of them compare against.

using Orologio = std::chrono::steady_clock;

double Millisecondi(Orologio::duration durata);
double Mediana(std::vector<double> valori);

// The most memory the process has held so far, in KiB.
long PiccoMemoriaKiB();

// A text of `minimo` to `massimo` characters: letters, digits, blanks, accents and the signs that
// HTML escapes.
QString TestoCasuale(QRandomGenerator& caso, int minimo, int massimo);

// An archive of `schede` records of typical lengths, written as the record window writes them: one
// buffer reused, so the bytes after each terminator hold the tail of a longer earlier value. The
// same seed gives the same archive. `ritocca` may change each record (given with its 0-based
// index) before it is written.
using RitoccoScheda = std::function<void(TScheda& scheda, qint64 indice, QRandomGenerator& caso)>;
bool CreaArchivioTipico(const QString& percorso, qint64 schede, const RitoccoScheda& ritocca = {});

// The milliseconds `lavoro` takes; what it returns goes into `controllo`, so that the work cannot
// be left out.
template <class Lavoro> double Tempo(Lavoro lavoro, qint64& controllo) {
    const auto inizio = Orologio::now();
    controllo += lavoro();
    return Millisecondi(Orologio::now() - inizio);
}

// The run's temporary folder, removed at the end: inside the folder given as the first argument,
// or the system's. Ends the program with a message when it cannot be made.
std::unique_ptr<QTemporaryDir> CartellaDelBanco(int argc, char** argv);

// Reads the whole file with read() in pieces of a record, the baseline of every scan; returns a
// sum of what it read, so that the reading cannot be left out.
qint64 LetturaSemplice(const QString& percorso);
