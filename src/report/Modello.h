#pragma once

#include "report/OggettiRapporto.h"

#include <QByteArray>
#include <QString>

// Templates are JSON files, one per template, compiled into the program (resources/report/);
// resources/report/README.md describes their keys. All sizes in a file are in millimetres.

struct ModelloRapporto {
    QString nome;
    std::vector<std::unique_ptr<TPaginaRapporto>> pagine; // the data page first
};

// Reads a template; a fault in it (bad JSON, a missing or unknown key, a name used twice) throws
// ErroreRapporto naming the place.
ModelloRapporto LeggiModello(const QByteArray& json);

// The template of this name compiled into the program: "Riepilogo dati" is
// :/report/riepilogo_dati.json.
ModelloRapporto CaricaModello(const QString& nome);
