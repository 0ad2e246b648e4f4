#include "support/PiattaformaProva.h"

#include <QDir>
#include <QPrinter>

QString descrizione(TipoMessaggio tipo) {
    switch (tipo) {
    case TipoMessaggio::Avviso:
        return QStringLiteral("warning");
    case TipoMessaggio::Errore:
        return QStringLiteral("error");
    case TipoMessaggio::Informazione:
        return QStringLiteral("information");
    case TipoMessaggio::Conferma:
        return QStringLiteral("confirmation");
    case TipoMessaggio::Semplice:
        break;
    }
    return QStringLiteral("plain");
}

namespace {
QString descrizione(Pulsanti pulsanti) {
    switch (pulsanti) {
    case Pulsanti::OkAnnulla:
        return QStringLiteral("OK/Cancel");
    case Pulsanti::SiNo:
        return QStringLiteral("Yes/No");
    case Pulsanti::Ok:
        break;
    }
    return QStringLiteral("OK");
}

QString visibile(QString testo) {
    testo.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    testo.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return testo;
}
} // namespace

PiattaformaProva::PiattaformaProva()
    : dataOggi(2026, 12, 10)
    , precedente_(Piattaforma::installa(this)) {
    // A test platform left installed by a test that stopped early is replaced, not chained: the
    // real platform comes back when this one goes.
    if (auto* lasciata = dynamic_cast<PiattaformaProva*>(precedente_))
        precedente_ = lasciata->precedente_;
    cartella = cartellaTemporanea_.path() + QLatin1Char('/');
}

PiattaformaProva::~PiattaformaProva() {
    if (&Piattaforma::corrente() == this)
        Piattaforma::installa(precedente_);
}

void PiattaformaProva::attendi(TipoMessaggio tipo, Pulsanti pulsanti, const QString& testo,
                               Risposta risposta) {
    attese_.enqueue({tipo, pulsanti, testo, risposta});
}

void PiattaformaProva::attendiFile(const QString& percorso) {
    file_.enqueue(percorso);
}

void PiattaformaProva::attendiStampante(bool conferma) {
    stampanti_.enqueue({conferma, 0, 0});
}

void PiattaformaProva::attendiPagine(int da, int a) {
    stampanti_.enqueue({true, da, a});
}

QStringList PiattaformaProva::problemi() const {
    QStringList tutti = problemi_;
    for (const Attesa& attesa : attese_)
        tutti << QStringLiteral("expected %1 message never shown: \"%2\"")
                     .arg(descrizione(attesa.tipo), visibile(attesa.testo));
    if (!file_.isEmpty())
        tutti << QStringLiteral("%1 file-dialog answer(s) never used").arg(file_.size());
    if (!stampanti_.isEmpty())
        tutti << QStringLiteral("%1 print-dialog answer(s) never used").arg(stampanti_.size());
    return tutti;
}

void PiattaformaProva::azzera() {
    attese_.clear();
    file_.clear();
    stampanti_.clear();
    problemi_.clear();
    mostrati.clear();
    aperture.clear();
    dialoghiFile.clear();
    dialoghiStampa = 0;
    pagineOfferte.clear();
}

Risposta PiattaformaProva::messaggio(QWidget* proprietario, TipoMessaggio tipo, Pulsanti pulsanti,
                                     const QString& testo) {
    mostrati.append({tipo, pulsanti, testo, proprietario});
    const Risposta prudente = pulsanti == Pulsanti::SiNo ? Risposta::No : Risposta::Annulla;
    const QString visto = QStringLiteral("%1 %2 \"%3\"")
                              .arg(descrizione(tipo), descrizione(pulsanti), visibile(testo));
    if (attese_.isEmpty()) {
        problemi_ << QStringLiteral("unexpected message: ") + visto;
        return prudente;
    }
    const Attesa attesa = attese_.dequeue();
    if (attesa.tipo != tipo || attesa.pulsanti != pulsanti || attesa.testo != testo) {
        problemi_ << QStringLiteral("expected %1 %2 \"%3\"\n     but saw %4")
                         .arg(descrizione(attesa.tipo), descrizione(attesa.pulsanti),
                              visibile(attesa.testo), visto);
        return prudente;
    }
    const bool rispostaSiNo = attesa.risposta == Risposta::Si || attesa.risposta == Risposta::No;
    if ((pulsanti == Pulsanti::SiNo) != rispostaSiNo) {
        problemi_ << QStringLiteral("answer that the box cannot give: ") + visto;
        return prudente;
    }
    return attesa.risposta;
}

void PiattaformaProva::apriConSistema(const QString& comando, const QUrl& indirizzo) {
    aperture.append({comando, indirizzo});
}

QString PiattaformaProva::scegliFile(QWidget*, const QString& titolo, const QString& filtro) {
    dialoghiFile.append({titolo, filtro});
    if (file_.isEmpty()) {
        problemi_ << QStringLiteral("unexpected file dialog \"%1\"").arg(titolo);
        return QString();
    }
    return file_.dequeue();
}

bool PiattaformaProva::scegliStampante(QWidget*, QPrinter& stampante, int pagine) {
    ++dialoghiStampa;
    pagineOfferte << pagine;
    if (stampanti_.isEmpty()) {
        problemi_ << QStringLiteral("unexpected print dialog");
        return false;
    }
    const Stampa risposta = stampanti_.dequeue();
    if (risposta.conferma && risposta.da > 0) {
        stampante.setPrintRange(QPrinter::PageRange);
        stampante.setFromTo(risposta.da, risposta.a);
    }
    return risposta.conferma;
}
