#include "report/Modello.h"

#include "core/text/Testo.h"
#include "report/Caratteri.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <mutex>

// Resources of a static library are registered by hand, outside any namespace.
static void RegistraModelliRapporto() {
    Q_INIT_RESOURCE(report);
}

namespace {

[[noreturn]] void Errore(const QString& dove, const QString& cosa) {
    throw ErroreRapporto(QStringLiteral("Modello di stampa non valido (%1): %2").arg(dove, cosa));
}

// One JSON object of the template: reads its keys by kind and, at the end, refuses the keys
// nobody asked for, so a misspelt key cannot pass for a default.
class Voce {
public:
    Voce(const QJsonValue& valore, const QString& dove)
        : dove_(dove) {
        if (!valore.isObject())
            Errore(dove_, QStringLiteral("atteso un oggetto"));
        oggetto_ = valore.toObject();
    }

    const QString& dove() const { return dove_; }
    bool ha(const char* chiave) const { return oggetto_.contains(QLatin1String(chiave)); }

    QString testo(const char* chiave, const QString& predefinito = {}) {
        const QJsonValue v = prendi(chiave);
        if (v.isUndefined())
            return predefinito;
        if (!v.isString())
            Errore(dove_, QStringLiteral("«%1» deve essere un testo").arg(QLatin1String(chiave)));
        return v.toString();
    }
    QString testoObbligatorio(const char* chiave) {
        if (!ha(chiave))
            Errore(dove_, QStringLiteral("manca «%1»").arg(QLatin1String(chiave)));
        return testo(chiave);
    }
    double numero(const char* chiave, double predefinito) {
        const QJsonValue v = prendi(chiave);
        if (v.isUndefined())
            return predefinito;
        if (!v.isDouble() || v.toDouble() < 0)
            Errore(dove_, QStringLiteral("«%1» deve essere un numero non negativo")
                              .arg(QLatin1String(chiave)));
        return v.toDouble();
    }
    double numeroObbligatorio(const char* chiave) {
        if (!ha(chiave))
            Errore(dove_, QStringLiteral("manca «%1»").arg(QLatin1String(chiave)));
        return numero(chiave, 0);
    }
    bool vero(const char* chiave, bool predefinito = false) {
        const QJsonValue v = prendi(chiave);
        if (v.isUndefined())
            return predefinito;
        if (!v.isBool())
            Errore(dove_,
                   QStringLiteral("«%1» deve essere true o false").arg(QLatin1String(chiave)));
        return v.toBool();
    }
    QColor colore(const char* chiave, const QColor& predefinito = {}) {
        const QString nome = testo(chiave);
        if (nome.isEmpty())
            return predefinito;
        QColor colore = QColor::fromString(nome);
        if (!colore.isValid())
            Errore(dove_, QStringLiteral("colore sconosciuto «%1»").arg(nome));
        return colore;
    }
    QJsonArray elenco(const char* chiave) {
        const QJsonValue v = prendi(chiave);
        if (v.isUndefined())
            return {};
        if (!v.isArray())
            Errore(dove_, QStringLiteral("«%1» deve essere un elenco").arg(QLatin1String(chiave)));
        return v.toArray();
    }
    // A list of exactly `quanti` numbers.
    QList<double> numeri(const char* chiave, int quanti) {
        const QJsonArray valori = elenco(chiave);
        QList<double> numeri;
        for (const QJsonValue& v : valori)
            if (v.isDouble())
                numeri << v.toDouble();
        if (numeri.size() != quanti || valori.size() != quanti)
            Errore(dove_, QStringLiteral("«%1» deve contenere %2 numeri")
                              .arg(QLatin1String(chiave))
                              .arg(quanti));
        return numeri;
    }
    // One of the words of `scelte`; returns its index.
    template <std::size_t N>
    int scelta(const char* chiave, const char* const (&scelte)[N], int predefinita) {
        const QString parola = testo(chiave);
        if (parola.isEmpty())
            return predefinita;
        for (std::size_t i = 0; i < N; ++i)
            if (parola == QLatin1String(scelte[i]))
                return static_cast<int>(i);
        Errore(dove_, QStringLiteral("«%1» non ammette «%2»").arg(QLatin1String(chiave), parola));
    }

    void verificaChiavi() const {
        for (auto it = oggetto_.begin(); it != oggetto_.end(); ++it)
            if (!lette_.contains(it.key()))
                Errore(dove_, QStringLiteral("chiave sconosciuta «%1»").arg(it.key()));
    }

private:
    QJsonValue prendi(const char* chiave) {
        lette_.insert(QLatin1String(chiave));
        return oggetto_.value(QLatin1String(chiave));
    }

    QJsonObject oggetto_;
    QString dove_;
    QSet<QString> lette_;
};

// The name an object gives itself under `chiave`, to say where a fault is before it is read.
QString NomeIn(const QJsonValue& valore, const char* chiave) {
    return valore.toObject().value(QLatin1String(chiave)).toString();
}

class Lettore {
public:
    ModelloRapporto leggi(const QByteArray& json) {
        QJsonParseError errore{};
        const QJsonDocument documento = QJsonDocument::fromJson(json, &errore);
        if (errore.error != QJsonParseError::NoError)
            Errore(QStringLiteral("carattere %1").arg(errore.offset), errore.errorString());
        Voce radice(documento.object(), QStringLiteral("modello"));
        ModelloRapporto modello;
        modello.nome = radice.testoObbligatorio("nome");
        const QJsonArray pagine = radice.elenco("pagine");
        for (const QJsonValue& pagina : pagine)
            modello.pagine.push_back(leggiPagina(pagina, modello.pagine.empty()));
        radice.verificaChiavi();
        if (modello.pagine.size() < 2)
            Errore(QStringLiteral("modello"), QStringLiteral("servono la pagina dati e almeno una "
                                                             "pagina di stampa"));
        return modello;
    }

private:
    std::unique_ptr<TPaginaRapporto> leggiPagina(const QJsonValue& valore, bool prima) {
        Voce pagina(valore, QStringLiteral("pagina «%1»").arg(NomeIn(valore, "nome")));
        const QString nome = pagina.testoObbligatorio("nome");
        const bool dati = pagina.vero("dati");
        if (dati != prima)
            Errore(pagina.dove(), QStringLiteral("la pagina dati è la prima, e solo la prima"));
        TPaginaRapporto::Formato formato;
        std::vector<std::unique_ptr<TBanda>> bande;
        OggettiRapporto oggetti;
        if (!dati) {
            static const char* const carte[] = {"A4", "A3", "A5", "Letter"};
            static const QPageSize::PageSizeId misure[] = {QPageSize::A4, QPageSize::A3,
                                                           QPageSize::A5, QPageSize::Letter};
            formato.carta = QPageSize(misure[pagina.scelta("carta", carte, 0)]);
            static const char* const orientamenti[] = {"verticale", "orizzontale"};
            formato.orientamento = pagina.scelta("orientamento", orientamenti, 0) == 0
                                       ? QPageLayout::Portrait
                                       : QPageLayout::Landscape;
            if (pagina.ha("margini")) {
                const QList<double> m = pagina.numeri("margini", 4);
                formato.marginiMm = QMarginsF(m[0], m[1], m[2], m[3]);
            }
            for (const QJsonValue& banda : pagina.elenco("bande"))
                bande.push_back(leggiBanda(banda));
            oggetti = leggiOggetti(pagina);
        }
        pagina.verificaChiavi();
        return std::make_unique<TPaginaRapporto>(nome, dati, formato, std::move(bande),
                                                 std::move(oggetti));
    }

    std::unique_ptr<TBanda> leggiBanda(const QJsonValue& valore) {
        Voce banda(valore, QStringLiteral("banda «%1»").arg(NomeIn(valore, "nome")));
        const QString nome = registra(banda.testoObbligatorio("nome"), banda.dove());
        static const char* const tipi[] = {"titolo", "dati", "piede", "fondo"};
        TBanda::Regole regole;
        regole.tipo = static_cast<TBanda::Tipo>(banda.scelta("tipo", tipi, 1));
        regole.divisibile = banda.vero("divisibile");
        regole.righe = static_cast<int>(banda.numero("righe", 1));
        regole.soloSenzaPiede = banda.vero("soloSenzaPiede");
        if (regole.soloSenzaPiede && regole.tipo != TBanda::Tipo::FondoPagina)
            Errore(banda.dove(), QStringLiteral("«soloSenzaPiede» vale solo per il fondo pagina"));
        const qreal altezza = banda.numeroObbligatorio("altezza") * UnitaPerMm;
        OggettiRapporto oggetti = leggiOggetti(banda);
        banda.verificaChiavi();
        return std::make_unique<TBanda>(nome, altezza, regole, std::move(oggetti));
    }

    OggettiRapporto leggiOggetti(Voce& contenitore) {
        OggettiRapporto oggetti;
        for (const QJsonValue& valore : contenitore.elenco("oggetti")) {
            const Voce voce(valore, contenitore.dove());
            if (voce.ha("memo"))
                oggetti.push_back(leggiMemo(valore));
            else if (voce.ha("riquadro") || voce.ha("linea"))
                oggetti.push_back(leggiForma(valore));
            else
                Errore(contenitore.dove(),
                       QStringLiteral("un oggetto deve essere «memo», «riquadro» o «linea»"));
        }
        return oggetti;
    }

    static QRectF riquadroMm(Voce& voce) {
        return QRectF(voce.numeroObbligatorio("x") * UnitaPerMm,
                      voce.numeroObbligatorio("y") * UnitaPerMm,
                      voce.numeroObbligatorio("larghezza") * UnitaPerMm,
                      voce.numeroObbligatorio("altezza") * UnitaPerMm);
    }

    std::unique_ptr<TOggettoRapporto> leggiMemo(const QJsonValue& valore) {
        Voce memo(valore, QStringLiteral("memo «%1»").arg(NomeIn(valore, "memo")));
        const QString nome = registra(memo.testo("memo"), memo.dove());
        const QRectF riquadro = riquadroMm(memo);
        TMemo::Aspetto aspetto;
        const double punti = memo.numero("punti", 10);
        if (punti <= 0)
            Errore(memo.dove(), QStringLiteral("«punti» deve essere maggiore di zero"));
        aspetto.carattere = CarattereModello(memo.testo("carattere", QStringLiteral("Arial")),
                                             punti, memo.vero("grassetto"), memo.vero("corsivo"));
        aspetto.colore = memo.colore("colore", Qt::black);
        aspetto.sfondo = memo.colore("sfondo");
        static const char* const orizzontali[] = {"sinistra", "centro", "destra"};
        static const Qt::Alignment allineamentiOrizzontali[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                                Qt::AlignRight};
        aspetto.orizzontale = allineamentiOrizzontali[memo.scelta("orizzontale", orizzontali, 0)];
        static const char* const verticali[] = {"alto", "centro", "basso"};
        static const Qt::Alignment allineamentiVerticali[] = {Qt::AlignTop, Qt::AlignVCenter,
                                                              Qt::AlignBottom};
        aspetto.verticale = allineamentiVerticali[memo.scelta("verticale", verticali, 0)];
        aspetto.aCapo = memo.vero("aCapo");
        aspetto.espressioni = memo.vero("espressioni");
        auto risultato = std::make_unique<TMemo>(nome, riquadro, aspetto);
        risultato->setText(memo.testo("testo"));
        memo.verificaChiavi();
        return risultato;
    }

    std::unique_ptr<TOggettoRapporto> leggiForma(const QJsonValue& valore) {
        const char* tipo =
            valore.toObject().contains(QLatin1String("linea")) ? "linea" : "riquadro";
        const bool linea = tipo[0] == 'l';
        Voce forma(valore,
                   QStringLiteral("%1 «%2»").arg(QLatin1String(tipo), NomeIn(valore, tipo)));
        const QString nome = registra(forma.testo(tipo), forma.dove());
        TForma::Aspetto aspetto;
        QRectF riquadro;
        if (linea) {
            aspetto.tipo = TForma::Tipo::Linea;
            const QList<double> da = forma.numeri("da", 2);
            const QList<double> a = forma.numeri("a", 2);
            riquadro = QRectF(QPointF(da[0], da[1]) * UnitaPerMm, QPointF(a[0], a[1]) * UnitaPerMm);
            aspetto.tratto = forma.colore("colore", Qt::black);
        } else {
            riquadro = riquadroMm(forma);
            aspetto.sfondo = forma.colore("sfondo");
            aspetto.tratto = forma.colore("bordo");
        }
        aspetto.spessore = forma.numero("spessore", 0.25) * UnitaPerMm;
        forma.verificaChiavi();
        return std::make_unique<TForma>(nome, riquadro, aspetto);
    }

    // Names are unique in the template, letter case of a to z aside.
    QString registra(const QString& nome, const QString& dove) {
        if (nome.isEmpty())
            Errore(dove, QStringLiteral("nome vuoto"));
        const QString chiave = LettereMaiuscole(nome);
        if (nomi_.contains(chiave))
            Errore(dove, QStringLiteral("il nome «%1» è già usato").arg(nome));
        nomi_.insert(chiave);
        return nome;
    }

    QSet<QString> nomi_;
};

QString FileDelModello(const QString& nome) {
    QString file = nome.toLower();
    file.replace(QLatin1Char(' '), QLatin1Char('_'));
    return QStringLiteral(":/report/%1.json").arg(file);
}

} // namespace

ModelloRapporto LeggiModello(const QByteArray& json) {
    return Lettore().leggi(json);
}

ModelloRapporto CaricaModello(const QString& nome) {
    static std::once_flag registrati;
    std::call_once(registrati, RegistraModelliRapporto);
    QFile file(FileDelModello(nome));
    if (!file.open(QIODevice::ReadOnly))
        throw ErroreRapporto(QStringLiteral("Il modello di stampa «%1» non esiste.").arg(nome));
    ModelloRapporto modello = LeggiModello(file.readAll());
    if (modello.nome != nome)
        Errore(nome, QStringLiteral("il file contiene il modello «%1»").arg(modello.nome));
    return modello;
}
