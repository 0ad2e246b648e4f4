#include "core/export/Esportazione.h"

#include "core/storage/Windows1252.h"
#include "core/text/Testo.h"

#include <QFileDevice>
#include <QIODevice>

namespace {

constexpr char Testa[] =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
    "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>Blindoro</x:Name>"
    "<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
    "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>"
    "<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
    "<x:ProtectScenarios>False</x:ProtectScenarios>"
    "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>"
    "</xml><![endif]-->"
    "</head><body><table x:str>";

constexpr char Coda[] = "</table></body></html>";

// Every data cell is marked as text, so that a spreadsheet shows what the record holds and never
// reads it as a number, a date or a formula (a tax code keeps its leading zeros, "=1+1" stays as
// typed): sdnum is LibreOffice Calc's text format (Calc reads no cell style), mso-number-format
// Excel's.
constexpr char InizioCella[] =
    "<td style=\"text-align: left; mso-number-format:'\\@';\" sdnum=\"1040;0;@\">";

[[noreturn]] void Fallisci(const QIODevice& dispositivo) {
    const QString motivo = dispositivo.errorString();
    throw ErroreEsportazione(
        QStringLiteral("scrittura del foglio: %1")
            .arg(motivo.isEmpty() ? QStringLiteral("errore sconosciuto") : motivo)
            .toStdString());
}

void Scrivi(QIODevice& dispositivo, const QByteArray& byte) {
    if (dispositivo.write(byte) != byte.size())
        Fallisci(dispositivo);
}

// The cell's text as it goes into the file: trimmed, every line break (CR LF, CR or LF) one
// blank, so the file stays one line, and the three signs that HTML reads as markup escaped. A
// spreadsheet, as a browser, shows a run of blanks as one blank; it keeps a blank written as the
// reference "&#32;", so the second and later blanks of a run are written so. The rules apply to
// the bytes of the code page, not to the text: a character the code page lacks can become one of
// those signs on the way (a full-width "<" is written "<").
void AggiungiCella(QByteArray& riga, const QString& cella) {
    const QByteArray testo = CodificaWindows1252(TogliSpazi(cella));
    riga += InizioCella;
    bool dopoSpazio = false;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        char carattere = testo[i];
        if (carattere == '\r' || carattere == '\n') {
            if (carattere == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n')
                ++i;
            carattere = ' ';
        }
        if (carattere == ' ') {
            riga += dopoSpazio ? "&#32;" : " ";
            dopoSpazio = true;
            continue;
        }
        dopoSpazio = false;
        switch (carattere) {
        case '&':
            riga += "&amp;";
            break;
        case '<':
            riga += "&lt;";
            break;
        case '>':
            riga += "&gt;";
            break;
        default:
            riga += carattere;
        }
    }
    riga += "</td>";
}

QByteArray RigaIntestazione() {
    QString riga = QStringLiteral("<tr>");
    for (const ColonnaEsportata& colonna : ColonneEsportate) {
        riga +=
            QStringLiteral("<td style=\"text-align: left; font-weight: bold;\" width=%1>%2</td>")
                .arg(colonna.larghezza)
                .arg(QString::fromLatin1(colonna.intestazione));
    }
    riga += u"</tr>";
    return CodificaWindows1252(riga);
}

} // namespace

CelleEsportate CelleDellaScheda(const TScheda& scheda) {
    CelleEsportate celle;
    for (int i = 0; i < NumeroColonneEsportate; ++i)
        celle[i] = TogliSpazi(DecodificaCampo(scheda, ColonneEsportate[i].campo));
    return celle;
}

void EsportaInFoglio(const RigheDaEsportare& righe, QIODevice& dispositivo) {
    Scrivi(dispositivo, QByteArray::fromRawData(Testa, sizeof Testa - 1));
    Scrivi(dispositivo, RigaIntestazione());
    QByteArray riga;
    const qsizetype totale = righe.NumeroRighe();
    for (qsizetype r = 0; r < totale; ++r) {
        riga.truncate(0);
        riga += "<tr>";
        for (const QString& cella : righe.Celle(r))
            AggiungiCella(riga, cella);
        riga += "</tr>";
        Scrivi(dispositivo, riga);
    }
    Scrivi(dispositivo, QByteArray::fromRawData(Coda, sizeof Coda - 1));
    if (auto* file = qobject_cast<QFileDevice*>(&dispositivo); file && !file->flush())
        Fallisci(dispositivo);
}
