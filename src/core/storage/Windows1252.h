#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Archives store text in Windows-1252, the code page of the Western-European systems where they
// were first written. Every byte decodes to one character and that character encodes back to the
// same byte, so reading a record and saving it again never changes it. The five bytes that the code
// page leaves undefined (81, 8D, 8F, 90, 9D) stand for the control characters of the same code.
//
// Encoding works per character (code point): a character outside the Basic Multilingual Plane is
// one character and gives one byte. A character the code page lacks becomes its nearest letter
// (an accented letter without its accent, a full-width letter as the plain one) or "?".

// One character in, one byte out.
char CodificaCarattere(char32_t carattere);
// Whether the code page has the character itself, so that it reads back unchanged.
bool NelCodice(char32_t carattere);

// Encodes at most `massimo` characters of `testo` into `destinazione`; returns the bytes written.
qsizetype CodificaWindows1252(QStringView testo, char* destinazione, qsizetype massimo);
QByteArray CodificaWindows1252(QStringView testo);

QString DecodificaWindows1252(QByteArrayView byte);
