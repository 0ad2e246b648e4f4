#pragma once

#include <QString>

#include <cstddef>
#include <span>

// One password record as it lies in an archive file: 22 text fields of fixed width, one after the
// other with no gaps, 13318 bytes in all. A field of N + 1 bytes holds up to N characters of
// Windows-1252 text and a NUL after them; the bytes after the NUL carry no meaning.
struct TScheda {
    char Titolo[251];
    char URL[251];
    char Proprietario[121];
    char Descrizione[251];
    char Utente[51];
    char Creazione[11];
    char Password[121];
    char Scadenza[11];
    char Domanda[251];
    char Risposta[251];
    char Utilizzate[5001];
    char Note[5001];
    char Intestatario[121];
    char CodFisc[17];
    char Email[51];
    char Tel[51];
    char File01[251];
    char File02[251];
    char File03[251];
    char Desc01[251];
    char Desc02[251];
    char Desc03[251];
};

static_assert(sizeof(TScheda) == 13318);
static_assert(alignof(TScheda) == 1);
static_assert(offsetof(TScheda, Titolo) == 0);
static_assert(offsetof(TScheda, URL) == 251);
static_assert(offsetof(TScheda, Proprietario) == 502);
static_assert(offsetof(TScheda, Descrizione) == 623);
static_assert(offsetof(TScheda, Utente) == 874);
static_assert(offsetof(TScheda, Creazione) == 925);
static_assert(offsetof(TScheda, Password) == 936);
static_assert(offsetof(TScheda, Scadenza) == 1057);
static_assert(offsetof(TScheda, Domanda) == 1068);
static_assert(offsetof(TScheda, Risposta) == 1319);
static_assert(offsetof(TScheda, Utilizzate) == 1570);
static_assert(offsetof(TScheda, Note) == 6571);
static_assert(offsetof(TScheda, Intestatario) == 11572);
static_assert(offsetof(TScheda, CodFisc) == 11693);
static_assert(offsetof(TScheda, Email) == 11710);
static_assert(offsetof(TScheda, Tel) == 11761);
static_assert(offsetof(TScheda, File01) == 11812);
static_assert(offsetof(TScheda, File02) == 12063);
static_assert(offsetof(TScheda, File03) == 12314);
static_assert(offsetof(TScheda, Desc01) == 12565);
static_assert(offsetof(TScheda, Desc02) == 12816);
static_assert(offsetof(TScheda, Desc03) == 13067);

// The fields in the order of the record (and of the record window).
enum class Campo {
    Titolo,
    URL,
    Proprietario,
    Descrizione,
    Utente,
    Creazione,
    Password,
    Scadenza,
    Domanda,
    Risposta,
    Utilizzate,
    Note,
    Intestatario,
    CodFisc,
    Email,
    Tel,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03
};
inline constexpr int NumeroCampi = 22;

std::span<char> ByteDelCampo(TScheda& scheda, Campo campo);
std::span<const char> ByteDelCampo(const TScheda& scheda, Campo campo);

// The most characters a field holds (its width less the NUL): the maximum length of its control.
qsizetype LunghezzaMassima(Campo campo);

// Writes the text, cut to the field's length, and a NUL after it; the rest of the field keeps
// whatever it held.
void CodificaCampo(TScheda& scheda, Campo campo, const QString& testo);

// The text up to the first NUL, or all the field's bytes when it has none.
QString DecodificaCampo(const TScheda& scheda, Campo campo);
