#pragma once

#include <QDate>
#include <QString>

// The calendar day of an expiry text: day, month and four-digit year separated by "/", as the
// date dialog writes them ("05/03/2024"; "5/3/2024" is read too), blanks around it ignored. An
// invalid date for any other text, an empty one included.
QDate DataScadenza(const QString& scadenza);

// A password has expired when today is later than its expiry day: one that expires today has
// not. A text that is not a date never counts as expired.
bool Scaduta(const QString& scadenza, const QDate& oggi);
