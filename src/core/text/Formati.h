#pragma once

#include <QDate>
#include <QString>

// Dates are text "dd/mm/yyyy" everywhere in the program: day, month, four-digit year.
inline constexpr char FormatoData[] = "dd/MM/yyyy";

// Sets the process-wide formats: short dates day first with a four-digit year and "," as the
// decimal separator. Every window that converts dates or numbers sets them again on creation.
void ImpostaFormatiProcesso();

QString DataInTesto(const QDate& data);
// An invalid QDate when the text is not a date in the program's format (a year from 1 to 9999).
QDate DataDaTesto(const QString& testo);
