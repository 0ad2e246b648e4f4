#include "report/Rapporto.h"

#include "core/files/SostituisciFile.h"
#include "core/text/Testo.h"
#include "report/Disegno.h"
#include "report/Impaginazione.h"
#include "report/Modello.h"

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>

namespace {

bool StessoNome(const QString& a, const QString& b) {
    return a.size() == b.size() && LettereMaiuscole(a) == LettereMaiuscole(b);
}

TOggettoRapporto* CercaIn(const OggettiRapporto& oggetti, const QString& nome) {
    for (const auto& oggetto : oggetti)
        if (StessoNome(oggetto->Name(), nome))
            return oggetto.get();
    return nullptr;
}

[[noreturn]] void ErroreFile(const QString& percorso, const QString& motivo) {
    throw ErroreRapporto(QStringLiteral("Impossibile scrivere il file \"%1\": %2")
                             .arg(QDir::toNativeSeparators(percorso), motivo));
}

// The whole file or nothing: the old one stays until the new one is complete on disk.
void SalvaFile(const QString& percorso, const QByteArray& contenuto) {
    try {
        SostituisciFile(percorso, contenuto, PermessiNuovoFile::SoloProprietario);
    } catch (const ErroreSostituzioneFile& errore) {
        ErroreFile(percorso, errore.Motivo());
    }
}

// What the user is told when the pages chosen lie past the end of the report.
QString NessunaPaginaScelta(const QPrinter& carta, int totale) {
    const int da = carta.fromPage();
    const int a = std::max(da, carta.toPage());
    QString scelte = QStringLiteral("le pagine scelte non esistono");
    if (da > 0 && da == a)
        scelte = QStringLiteral("la pagina %1 non esiste").arg(da);
    else if (da > 0)
        scelte = QStringLiteral("le pagine da %1 a %2 non esistono").arg(da).arg(a);
    const QString documento =
        totale == 1 ? QStringLiteral("una sola pagina") : QStringLiteral("%1 pagine").arg(totale);
    return QStringLiteral("Attenzione: %1, il documento da stampare ha %2.\r\n\r\nNon è stato "
                          "stampato nulla.")
        .arg(scelte, documento);
}

} // namespace

TRapporto::TRapporto(const QString& nomeModello, Orologio dataStampa)
    : dataStampa_(std::move(dataStampa)) {
    ModelloRapporto modello = CaricaModello(nomeModello);
    nome_ = modello.nome;
    pagine_ = std::move(modello.pagine);
}

TRapporto::~TRapporto() = default;

TOggettoRapporto* TRapporto::FindObject(const QString& nome) const {
    for (const auto& pagina : pagine_) {
        if (auto* trovato = CercaIn(pagina->oggetti(), nome))
            return trovato;
        for (const auto& banda : pagina->bande()) {
            if (StessoNome(banda->Name(), nome))
                return banda.get();
            if (auto* trovato = CercaIn(banda->oggetti(), nome))
                return trovato;
        }
    }
    return nullptr;
}

void TRapporto::oggettoMancante(const QString& nome) {
    throw ErroreRapporto(
        QStringLiteral("Il modello di stampa non contiene l'oggetto \"%1\" del tipo atteso.")
            .arg(nome));
}

TPaginaRapporto* TRapporto::GetPages(int indice) const {
    if (indice < 0 || indice >= numeroPagine())
        throw ErroreRapporto(
            QStringLiteral("Il modello di stampa non ha la pagina %1.").arg(indice));
    return pagine_[static_cast<std::size_t>(indice)].get();
}

bool TRapporto::PrepareReport(bool clearLastReport) {
    const QDate data = dataStampa_();
    QList<PaginaStampa> fogli;
    for (const auto& pagina : pagine_)
        if (!pagina->paginaDati())
            fogli += ImpaginaPagina(*pagina, data);
    NumeraFogli(fogli);
    if (clearLastReport)
        preparate_ = std::move(fogli);
    else
        preparate_ += fogli;
    preparato_ = true;
    return true;
}

QPrinter& TRapporto::stampante() {
    if (!stampante_)
        stampante_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *stampante_;
}

bool TRapporto::Print(const SceltaStampante& scegli) {
    if (!preparato_)
        PrepareReport();
    QPrinter& carta = stampante();
    carta.setDocName(nome_);
    carta.setFullPage(true);
    if (!preparate_.isEmpty()) {
        carta.setPageSize(preparate_.first().formato.pageSize());
        carta.setPageOrientation(preparate_.first().formato.orientation());
    }
    if (!scegli(carta))
        return false;
    const QList<int> scelte = pagineScelte(carta);
    if (scelte.isEmpty())
        throw ErroreNessunaPagina(NessunaPaginaScelta(carta, static_cast<int>(preparate_.size())));
    const bool grigi = carta.colorMode() == QPrinter::GrayScale;
    if (carta.outputFormat() == QPrinter::PdfFormat) {
        stampaInPdf(carta, scelte, grigi);
        return true;
    }
    DisegnaFogli(preparate_, scelte, carta, grigi);
    if (carta.printerState() == QPrinter::Error)
        throw ErroreRapporto(QStringLiteral("La stampante ha segnalato un errore: la stampa non è "
                                            "riuscita."));
    return true;
}

// The pages the dialog asked for, in the order it asked, each as many times as the copies the
// printer does not make itself.
QList<int> TRapporto::pagineScelte(const QPrinter& carta) const {
    const int totale = static_cast<int>(preparate_.size());
    int prima = 1;
    int ultima = totale;
    if (carta.printRange() == QPrinter::PageRange && carta.fromPage() > 0) {
        prima = carta.fromPage();
        ultima = std::min(totale, carta.toPage() > 0 ? carta.toPage() : totale);
    } else if (carta.printRange() == QPrinter::CurrentPage) {
        ultima = std::min(1, totale);
    }
    QList<int> pagine;
    for (int p = prima; p <= ultima; ++p)
        pagine << p - 1;
    if (carta.pageOrder() == QPrinter::LastPageFirst)
        std::reverse(pagine.begin(), pagine.end());
    const int copie = carta.supportsMultipleCopies() ? 1 : std::max(1, carta.copyCount());
    QList<int> scelte;
    if (carta.collateCopies()) {
        for (int c = 0; c < copie; ++c)
            scelte += pagine;
    } else {
        for (int p : std::as_const(pagine))
            for (int c = 0; c < copie; ++c)
                scelte << p;
    }
    return scelte;
}

// A PDF is painted in memory and written in one checked step, so a full disk or a folder that
// refuses the file is reported instead of leaving a broken file behind.
void TRapporto::stampaInPdf(QPrinter& carta, const QList<int>& scelte, bool grigi) const {
    const QString percorso = carta.outputFileName();
    if (percorso.isEmpty())
        throw ErroreRapporto(QStringLiteral("Indicare il nome del file PDF da scrivere."));
    QByteArray contenuto;
    {
        QBuffer memoria(&contenuto);
        memoria.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&memoria);
        pdf.setResolution(carta.resolution());
        pdf.setTitle(carta.docName());
        pdf.setCreator(carta.creator());
        DisegnaFogli(preparate_, scelte, pdf, grigi);
    }
    SalvaFile(percorso, contenuto);
}
