#pragma once

#include "core/storage/Scheda.h"

#include <QString>

#include <array>
#include <optional>

class QWidget;

// One attachment slot of a record: the bare name of the copy in the attachments folder and its
// description.
struct Allegato {
    QString file;
    QString descrizione;
    bool operator==(const Allegato&) const = default;
};
using Allegati = std::array<Allegato, 3>;

// The record open in the record window, as the windows it opens see it: the archive it belongs
// to, the text of each field as it stands, its number, and the way to show another record of the
// archive in its place. The record window implements it; the search, summary, card and export
// windows receive it, so they never know the record window itself.
class SchedaAperta {
public:
    // The window that shows the record: the windows opened for it stand over it and belong to it.
    virtual QWidget* Finestra() = 0;
    // The open archive's path, blanks around it removed, and its name as the title bar shows it.
    virtual QString PercorsoArchivio() const = 0;
    virtual QString NomeArchivio() const = 0;
    // The text of a field of the record as the window holds it (the lines of a multi-line field
    // separated by CR LF, the password in clear whatever the screen shows).
    virtual QString TestoCampo(Campo campo) const = 0;
    // The 1-based number of the record shown; none for a record not in the archive.
    virtual std::optional<qint64> NumeroScheda() const = 0;
    // Shows a record of the archive and its 1-based number; focus and masking stay as they are.
    virtual void MostraScheda(const TScheda& scheda, qint64 numero) = 0;

protected:
    ~SchedaAperta() = default;
};
