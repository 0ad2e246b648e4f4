// Any cell texts through the spreadsheet writer: the file stays one line, and its body is exactly
// the table it should be, whatever the cells hold.

#include "Verifica.h"
#include "core/export/Esportazione.h"

#include <QBuffer>
#include <QByteArray>
#include <QList>
#include <QRegularExpression>

#include <cstdint>

namespace {

class RighePreparate : public RigheDaEsportare {
public:
    explicit RighePreparate(QList<CelleEsportate> righe)
        : righe_(std::move(righe)) {}
    qsizetype NumeroRighe() const override { return righe_.size(); }
    CelleEsportate Celle(qsizetype riga) const override { return righe_[riga]; }

private:
    QList<CelleEsportate> righe_;
};

} // namespace

// The input (UTF-8): cells separated by the byte 1F, 14 to a row, at most 4 rows.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    const QString testo =
        QString::fromUtf8(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const QStringList celle = testo.split(QChar(0x1F));
    QList<CelleEsportate> righe;
    for (qsizetype i = 0; i < celle.size() && righe.size() < 4; i += NumeroColonneEsportate) {
        CelleEsportate riga;
        for (int c = 0; c < NumeroColonneEsportate; ++c)
            riga[c] = celle.value(i + c);
        righe.append(riga);
    }

    QByteArray file;
    QBuffer dispositivo(&file);
    dispositivo.open(QIODevice::WriteOnly);
    EsportaInFoglio(RighePreparate(righe), dispositivo);

    Verifica(!file.contains('\n') && !file.contains('\r'), "one line");
    const qsizetype inizio = file.indexOf("<table x:str>");
    Verifica(inizio > 0, "the table");
    const QString corpo = QString::fromLatin1(file.mid(inizio));
    static const QRegularExpression tabella(QStringLiteral(
        "^<table x:str><tr>(<td style=\"text-align: left; font-weight: bold;\" width=\\d+>[^<>]+"
        "</td>){14}</tr>(<tr>(<td style=\"text-align: left; mso-number-format:'\\\\@';\" "
        "sdnum=\"1040;0;@\">[^<>]*</td>){14}</tr>)*"
        "</table></body></html>$"));
    Verifica(tabella.match(corpo).hasMatch(), "the body is the table");
    Verifica(corpo.count(QStringLiteral("<tr>")) == righe.size() + 1, "one row per grid row");
    static const QRegularExpression eCommerciale(QStringLiteral("&(?!amp;|lt;|gt;|#32;)"));
    Verifica(!eCommerciale.match(corpo).hasMatch(), "every & starts an entity");
    Verifica(!corpo.contains(QStringLiteral("  ")), "a run of blanks written as references");
    return 0;
}
