#include "core/storage/CartellaArchivi.h"
#include "core/storage/FileArchivio.h"
#include "core/storage/Scheda.h"
#include "core/storage/Windows1252.h"
#include "support/DiscoPieno.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TScheda SchedaCon(const QString& titolo) {
    TScheda scheda{};
    CodificaCampo(scheda, Campo::Titolo, titolo);
    return scheda;
}

QByteArray ByteDi(const TScheda& scheda) {
    return QByteArray(reinterpret_cast<const char*>(&scheda), sizeof scheda);
}

QByteArray ContenutoFile(const QString& percorso) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool ScriviFile(const QString& percorso, const QByteArray& contenuto) {
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(contenuto) == contenuto.size();
}

QByteArray ArchivioDi(const QStringList& titoli) {
    QByteArray contenuto;
    for (const QString& titolo : titoli)
        contenuto += ByteDi(SchedaCon(titolo));
    return contenuto;
}

QStringList TitoliIn(const QString& percorso) {
    QStringList titoli;
    ApriFileArchivio(percorso).PerOgniScheda(
        [&](const TScheda& scheda) { titoli << DecodificaCampo(scheda, Campo::Titolo); });
    return titoli;
}

int DescrittoriAperti() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files).size());
}

// Runs `lavoro` in a child process and returns its exit code (or -1 if it did not exit).
template <class Lavoro> int InProcessoFiglio(Lavoro lavoro) {
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        int codice = 3;
        try {
            codice = lavoro();
        } catch (...) {
        }
        ::_exit(codice);
    }
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

} // namespace

class tst_Storage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    // The record and its text
    void ogniCampoAlSuoPosto();
    void testoNelCampo_data();
    void testoNelCampo();
    void campoSenzaTerminatore();
    void codificaCaratteri_data();
    void codificaCaratteri();
    void ogniByteTornaUguale();
    void rilettaERiscrittaLaSchedaNonCambia();

    // The archive file
    void dimensioniDopoLeAggiunte();
    void pezzoFinaleIgnoratoESovrascritto();
    void sovrascritturaSulPosto();
    void letturaInSequenza();
    void fileCancellatoTornaVuoto();
    void accessiNonValidiFalliscono();
    void fileSolaLetturaRestaIntatto();
    void scritturaFallitaConservaLeSchede();
    void discoPienoConservaLeSchede();
    void discoPienoNonDimezzaUnaSchedaInUnBuco();
    void dueProgrammiAggiungonoInsieme();
    void nessunDescrittoreRestaAperto();

    void nomeDiUnNuovoArchivio_data();
    void nomeDiUnNuovoArchivio();
    void creazioneEsclusiva();
    void creazioneImpossibile();
    void elencoDellaCartella();
    void eliminazione();

private:
    QString PercorsoProva(const QString& nome = QStringLiteral("prova.psw")) const {
        return cartella->filePath(nome);
    }

    std::unique_ptr<QTemporaryDir> cartella;
};

void tst_Storage::init() {
    cartella = std::make_unique<QTemporaryDir>();
    QVERIFY(cartella->isValid());
}

void tst_Storage::ogniCampoAlSuoPosto() {
    struct Atteso {
        Campo campo;
        std::ptrdiff_t inizio;
        std::size_t byte;
    };
    const Atteso tabella[NumeroCampi] = {
        {Campo::Titolo, 0, 251},           {Campo::URL, 251, 251},
        {Campo::Proprietario, 502, 121},   {Campo::Descrizione, 623, 251},
        {Campo::Utente, 874, 51},          {Campo::Creazione, 925, 11},
        {Campo::Password, 936, 121},       {Campo::Scadenza, 1057, 11},
        {Campo::Domanda, 1068, 251},       {Campo::Risposta, 1319, 251},
        {Campo::Utilizzate, 1570, 5001},   {Campo::Note, 6571, 5001},
        {Campo::Intestatario, 11572, 121}, {Campo::CodFisc, 11693, 17},
        {Campo::Email, 11710, 51},         {Campo::Tel, 11761, 51},
        {Campo::File01, 11812, 251},       {Campo::File02, 12063, 251},
        {Campo::File03, 12314, 251},       {Campo::Desc01, 12565, 251},
        {Campo::Desc02, 12816, 251},       {Campo::Desc03, 13067, 251},
    };
    for (const Atteso& atteso : tabella) {
        TScheda scheda{};
        CodificaCampo(scheda, atteso.campo, QStringLiteral("Z"));
        const char* inizio = reinterpret_cast<const char*>(&scheda);
        const std::span<const char> campo = ByteDelCampo(std::as_const(scheda), atteso.campo);
        QCOMPARE(campo.data() - inizio, atteso.inizio);
        QCOMPARE(campo.size(), atteso.byte);
        QCOMPARE(LunghezzaMassima(atteso.campo), qsizetype(atteso.byte) - 1);
        QCOMPARE(ByteDi(scheda).indexOf('Z'), qsizetype(atteso.inizio));
        QCOMPARE(ByteDi(scheda).count('Z'), 1);
    }
}

void tst_Storage::testoNelCampo_data() {
    QTest::addColumn<Campo>("campo");
    QTest::addColumn<QByteArray>("prima");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QByteArray>("scritto");
    QTest::addColumn<QString>("riletto");

    const QString titolo250(250, QLatin1Char('T'));
    QTest::newRow("titolo di 250 caratteri: il NUL nell'ultimo byte")
        << Campo::Titolo << QByteArray(251, 'x') << titolo250 << titolo250.toLatin1() + '\0'
        << titolo250;
    QTest::newRow("titolo di 251 caratteri tagliato a 250")
        << Campo::Titolo << QByteArray() << titolo250 + QLatin1Char('!')
        << titolo250.toLatin1() + '\0' << titolo250;

    QString nota6000;
    for (int i = 0; i < 600; ++i)
        nota6000 += QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0'));
    QTest::newRow("nota di 6000 caratteri tagliata a 5000 byte")
        << Campo::Note << QByteArray() << nota6000 << nota6000.left(5000).toLatin1() + '\0'
        << nota6000.left(5000);

    QTest::newRow("abc su abcdefgh: la coda resta")
        << Campo::Titolo << QByteArray("abcdefgh\0", 9) << QStringLiteral("abc")
        << QByteArray("abc\0efgh\0", 9) << QStringLiteral("abc");
    QTest::newRow("testo vuoto: solo il NUL in testa")
        << Campo::Utente << QByteArray("mario") << QString() << QByteArray("\0ario", 5)
        << QString();
    QTest::newRow("codice fiscale di 16 caratteri riempie il campo")
        << Campo::CodFisc << QByteArray(17, 'x') << QStringLiteral("RSSMRA80A01H501U")
        << QByteArray("RSSMRA80A01H501U\0", 17) << QStringLiteral("RSSMRA80A01H501U");
    QTest::newRow("righe della nota con CR LF")
        << Campo::Note << QByteArray() << QStringLiteral("uno\r\ndue")
        << QByteArray("uno\r\ndue\0", 9) << QStringLiteral("uno\r\ndue");
    QTest::newRow("è e € in Windows-1252")
        << Campo::Password << QByteArray() << QStringLiteral("è€") << QByteArray("\xE8\x80\0", 3)
        << QStringLiteral("è€");
    QTest::newRow("lettera greca: cambia in ?")
        << Campo::Password << QByteArray() << QStringLiteral("αβ1") << QByteArray("??1\0", 4)
        << QStringLiteral("??1");
    QTest::newRow("emoji nell'ultimo posto: un carattere, un byte")
        << Campo::Creazione << QByteArray() << QStringLiteral("123456789😀X")
        << QByteArray("123456789?\0", 11) << QStringLiteral("123456789?");
}

void tst_Storage::testoNelCampo() {
    QFETCH(Campo, campo);
    QFETCH(QByteArray, prima);
    QFETCH(QString, testo);
    QFETCH(QByteArray, scritto);
    QFETCH(QString, riletto);

    TScheda scheda;
    std::memset(&scheda, '#', sizeof scheda);
    const std::span<char> byte = ByteDelCampo(scheda, campo);
    std::memcpy(byte.data(), prima.constData(), static_cast<std::size_t>(prima.size()));
    const QByteArray campoPrima(byte.data(), qsizetype(byte.size()));
    const QByteArray schedaPrima = ByteDi(scheda);

    CodificaCampo(scheda, campo, testo);

    const QByteArray campoDopo(byte.data(), qsizetype(byte.size()));
    QCOMPARE(campoDopo.left(scritto.size()), scritto);
    QCOMPARE(campoDopo.mid(scritto.size()), campoPrima.mid(scritto.size()));
    const qsizetype inizio = byte.data() - reinterpret_cast<char*>(&scheda);
    QCOMPARE(ByteDi(scheda).left(inizio), schedaPrima.left(inizio));
    QCOMPARE(ByteDi(scheda).mid(inizio + campoDopo.size()),
             schedaPrima.mid(inizio + campoDopo.size()));
    QCOMPARE(DecodificaCampo(scheda, campo), riletto);
}

void tst_Storage::campoSenzaTerminatore() {
    TScheda scheda;
    std::memset(&scheda, 0, sizeof scheda);
    std::memset(scheda.Utente, 'u', sizeof scheda.Utente);
    std::memset(scheda.Creazione, '1', sizeof scheda.Creazione);

    QCOMPARE(DecodificaCampo(scheda, Campo::Utente), QString(51, QLatin1Char('u')));
    QCOMPARE(DecodificaCampo(scheda, Campo::Creazione), QString(11, QLatin1Char('1')));
}

void tst_Storage::codificaCaratteri_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QByteArray>("byte");

    QTest::newRow("è") << QStringLiteral("è") << QByteArray("\xE8");
    QTest::newRow("€") << QStringLiteral("€") << QByteArray("\x80");
    QTest::newRow("lettere di 8A-9F")
        << QStringLiteral("ŠŽšžŸŒœƒ") << QByteArray("\x8A\x8E\x9A\x9E\x9F\x8C\x9C\x83");
    QTest::newRow("virgolette e trattini")
        << QStringLiteral("‘’“”–—…") << QByteArray("\x91\x92\x93\x94\x96\x97\x85");
    QTest::newRow("spazio unificatore, ÿ") << QStringLiteral("\u00A0ÿ") << QByteArray("\xA0\xFF");
    QTest::newRow("controlli di 81 8D 8F 90 9D")
        << QStringLiteral("\u0081\u008D\u008F\u0090\u009D") << QByteArray("\x81\x8D\x8F\x90\x9D");
    QTest::newRow("controllo 80: il byte 80 è già €")
        << QStringLiteral("\u0080") << QByteArray("?");
    QTest::newRow("accenti fuori dal codice") << QStringLiteral("āőțĄ") << QByteArray("aotA");
    QTest::newRow("lettere senza scomposizione") << QStringLiteral("ŁłĐı") << QByteArray("LlDi");
    QTest::newRow("ǖ: la ü del codice") << QStringLiteral("ǖ") << QByteArray("\xFC");
    QTest::newRow("lettere larghe") << QStringLiteral("ＡＢ１") << QByteArray("AB1");
    QTest::newRow("trattino unificatore e meno")
        << QStringLiteral("\u2011\u2212") << QByteArray("--");
    QTest::newRow("greco e cirillico") << QStringLiteral("αЖ") << QByteArray("??");
    QTest::newRow("fuori dal piano di base") << QStringLiteral("a😀b𝐀") << QByteArray("a?bA");
    QTest::newRow("surrogato isolato")
        << QStringLiteral("x") + QChar(0xD800) + QStringLiteral("y") << QByteArray("x?y");
}

void tst_Storage::codificaCaratteri() {
    QFETCH(QString, testo);
    QFETCH(QByteArray, byte);

    QCOMPARE(CodificaWindows1252(testo), byte);
}

void tst_Storage::ogniByteTornaUguale() {
    QByteArray tutti;
    for (int b = 0; b < 256; ++b)
        tutti += static_cast<char>(b);

    const QString testo = DecodificaWindows1252(tutti);

    QCOMPARE(testo.size(), 256);
    QCOMPARE(testo.at(0x41), QChar(u'A'));
    QCOMPARE(testo.at(0x80), QChar(0x20AC));
    QCOMPARE(testo.at(0x81), QChar(0x0081));
    QCOMPARE(testo.at(0x9F), QChar(0x0178));
    QCOMPARE(testo.at(0xE8), QChar(u'è'));
    QCOMPARE(CodificaWindows1252(testo), tutti);

    // A single byte of 80-9F anywhere in a longer text.
    for (int posizione = 0; posizione < 20; ++posizione) {
        QByteArray byte(20, 'a');
        byte[posizione] = static_cast<char>(0x80 + posizione);
        QString atteso(20, QLatin1Char('a'));
        atteso[posizione] = testo.at(0x80 + posizione);
        QCOMPARE(DecodificaWindows1252(byte), atteso);
    }
}

void tst_Storage::rilettaERiscrittaLaSchedaNonCambia() {
    // Every field of a record holds text of any length and any byte but NUL, followed by the NUL
    // and a tail of leftovers; decoding the record and encoding it again gives the same bytes.
    QRandomGenerator caso(1252);
    for (int giro = 0; giro < 50; ++giro) {
        TScheda originale;
        caso.fillRange(reinterpret_cast<quint32*>(&originale), sizeof originale / 4);
        for (int k = 0; k < NumeroCampi; ++k) {
            const std::span<char> byte = ByteDelCampo(originale, Campo(k));
            const auto lunghezza = static_cast<std::size_t>(caso.bounded(qint64(byte.size())));
            for (std::size_t i = 0; i < lunghezza; ++i)
                byte[i] = static_cast<char>(1 + caso.bounded(255));
            byte[lunghezza] = '\0';
        }

        TScheda riscritta = originale;
        for (int k = 0; k < NumeroCampi; ++k)
            CodificaCampo(riscritta, Campo(k), DecodificaCampo(originale, Campo(k)));

        QCOMPARE(ByteDi(riscritta), ByteDi(originale));
    }
}

void tst_Storage::dimensioniDopoLeAggiunte() {
    const QString percorso = PercorsoProva();
    {
        FileArchivio archivio = ApriFileArchivio(percorso);
        QCOMPARE(archivio.NumeroSchede(), 0);
        QCOMPARE(QFileInfo(percorso).size(), 0);

        QCOMPARE(archivio.Aggiungi(SchedaCon(QStringLiteral("uno"))), 1);
        QCOMPARE(archivio.Posizione(), 1);
        QCOMPARE(QFileInfo(percorso).size(), 13318);

        QCOMPARE(archivio.Aggiungi(SchedaCon(QStringLiteral("due"))), 2);
        QCOMPARE(archivio.Aggiungi(SchedaCon(QStringLiteral("tre"))), 3);
        QCOMPARE(archivio.NumeroSchede(), 3);
        archivio.Chiudi();
    }
    QCOMPARE(QFileInfo(percorso).size(), 3 * 13318);
    QCOMPARE(ApriFileArchivio(QStringLiteral("  ") + percorso + QStringLiteral(" ")).NumeroSchede(),
             3);
    QCOMPARE(ContenutoFile(percorso),
             ArchivioDi({QStringLiteral("uno"), QStringLiteral("due"), QStringLiteral("tre")}));
}

void tst_Storage::pezzoFinaleIgnoratoESovrascritto() {
    const QString percorso = PercorsoProva();
    const QByteArray dueSchede = ArchivioDi({QStringLiteral("uno"), QStringLiteral("due")});
    QVERIFY(ScriviFile(percorso, dueSchede + QByteArray(100, 'x')));

    FileArchivio archivio = ApriFileArchivio(percorso);
    QCOMPARE(archivio.NumeroSchede(), 2);
    TScheda scheda;
    archivio.Posiziona(2);
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, archivio.Leggi(scheda));
    QVERIFY(!archivio.LeggiProssima(scheda));

    QCOMPARE(archivio.Aggiungi(SchedaCon(QStringLiteral("tre"))), 3);
    archivio.Chiudi();

    const QByteArray dopo = ContenutoFile(percorso);
    QCOMPARE(dopo.size(), 3 * 13318);
    QCOMPARE(dopo.left(26636), dueSchede);
    QCOMPARE(dopo.mid(26636), ByteDi(SchedaCon(QStringLiteral("tre"))));
}

void tst_Storage::sovrascritturaSulPosto() {
    const QString percorso = PercorsoProva();
    QVERIFY(ScriviFile(percorso, ArchivioDi({QStringLiteral("uno"), QStringLiteral("due"),
                                             QStringLiteral("tre")})));

    FileArchivio archivio = ApriFileArchivio(percorso);
    archivio.Posiziona(1);
    archivio.Scrivi(SchedaCon(QStringLiteral("DUE")));
    QCOMPARE(archivio.Posizione(), 2);
    QCOMPARE(archivio.NumeroSchede(), 3);

    // Writing at the count extends the archive by one record.
    archivio.Posiziona(3);
    archivio.Scrivi(SchedaCon(QStringLiteral("quattro")));
    QCOMPARE(archivio.Posizione(), 4);
    archivio.Chiudi();

    QCOMPARE(ContenutoFile(percorso),
             ArchivioDi({QStringLiteral("uno"), QStringLiteral("DUE"), QStringLiteral("tre"),
                         QStringLiteral("quattro")}));
}

void tst_Storage::letturaInSequenza() {
    const QString percorso = PercorsoProva();
    const QStringList titoli = {QStringLiteral("uno"), QStringLiteral("due"),
                                QStringLiteral("tre")};
    QVERIFY(ScriviFile(percorso, ArchivioDi(titoli) + QByteArray(13317, 'x')));

    FileArchivio archivio = ApriFileArchivio(percorso);
    QStringList visti;
    QList<qint64> numeri;
    archivio.PerOgniScheda([&](const TScheda& scheda, qint64 numero) {
        visti << DecodificaCampo(scheda, Campo::Titolo);
        numeri << numero;
    });
    QCOMPARE(visti, titoli);
    QCOMPARE(numeri, (QList<qint64>{1, 2, 3}));

    visti.clear();
    archivio.Posiziona(1);
    TScheda scheda;
    while (archivio.LeggiProssima(scheda))
        visti << DecodificaCampo(scheda, Campo::Titolo);
    QCOMPARE(visti, titoli.mid(1));

    QVERIFY(TitoliIn(PercorsoProva(QStringLiteral("vuoto.psw"))).isEmpty());
}

void tst_Storage::fileCancellatoTornaVuoto() {
    const QString percorso = PercorsoProva();
    QVERIFY(ScriviFile(percorso, ArchivioDi({QStringLiteral("uno")})));
    QVERIFY(QFile::remove(percorso));

    FileArchivio archivio = ApriFileArchivio(percorso);
    QCOMPARE(archivio.NumeroSchede(), 0);
    QVERIFY(QFileInfo::exists(percorso));
    QCOMPARE(QFileInfo(percorso).size(), 0);
    // The new file holds passwords: only its owner may read it.
    QCOMPARE(QFileInfo(percorso).permissions() & (QFile::ReadGroup | QFile::ReadOther),
             QFile::Permissions());
}

void tst_Storage::accessiNonValidiFalliscono() {
    const QString percorso = PercorsoProva();
    QVERIFY(ScriviFile(percorso, ArchivioDi({QStringLiteral("uno")})));
    TScheda scheda = SchedaCon(QStringLiteral("altro"));

    FileArchivio archivio = ApriFileArchivio(percorso);
    archivio.Posiziona(1);
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, archivio.Leggi(scheda));
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, archivio.Posiziona(-1));
    archivio.Posiziona(2);
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, archivio.Scrivi(scheda));
    QCOMPARE(archivio.Posizione(), 2);

    archivio.Chiudi();
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, archivio.NumeroSchede());
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, archivio.Leggi(scheda));
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, archivio.Aggiungi(scheda));
    QCOMPARE(ContenutoFile(percorso), ArchivioDi({QStringLiteral("uno")}));

    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, ApriFileArchivio(cartella->path()));
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio,
                             ApriFileArchivio(PercorsoProva(QStringLiteral("manca/prova.psw"))));
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, ApriFileArchivio(QString()));
}

void tst_Storage::fileSolaLetturaRestaIntatto() {
    const QString percorso = PercorsoProva();
    const QByteArray contenuto = ArchivioDi({QStringLiteral("uno")});
    QVERIFY(ScriviFile(percorso, contenuto));
    QVERIFY(QFile::setPermissions(percorso, QFile::ReadOwner | QFile::ReadGroup));

    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, ApriFileArchivio(percorso));
    QCOMPARE(ContenutoFile(percorso), contenuto);

    // A folder where nothing can be written: the missing archive cannot come back.
    QVERIFY(QFile::setPermissions(cartella->path(), QFile::ReadOwner | QFile::ExeOwner));
    const QString mancante = PercorsoProva(QStringLiteral("mancante.psw"));
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, ApriFileArchivio(mancante));
    QVERIFY(!QFileInfo::exists(mancante));
    QVERIFY(QFile::setPermissions(cartella->path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void tst_Storage::scritturaFallitaConservaLeSchede() {
    const QString percorso = PercorsoProva();
    const QByteArray dueSchede = ArchivioDi({QStringLiteral("uno"), QStringLiteral("due")});
    QVERIFY(ScriviFile(percorso, dueSchede));

    // Under a file-size limit half a record fits: both the append and the write at the end fail.
    const int esito = InProcessoFiglio([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limite{2 * 13318 + 5000, 2 * 13318 + 5000};
        if (::setrlimit(RLIMIT_FSIZE, &limite) != 0)
            return 4;
        FileArchivio archivio = ApriFileArchivio(percorso);
        const TScheda nuova = SchedaCon(QStringLiteral("tre"));
        try {
            archivio.Aggiungi(nuova);
            return 1;
        } catch (const ErroreArchivio&) {
        }
        try {
            archivio.Posiziona(2);
            archivio.Scrivi(nuova);
            return 2;
        } catch (const ErroreArchivio&) {
        }
        return 0;
    });
    QCOMPARE(esito, 0);

    QCOMPARE(ContenutoFile(percorso).left(dueSchede.size()), dueSchede);
    QCOMPARE(TitoliIn(percorso), (QStringList{QStringLiteral("uno"), QStringLiteral("due")}));
}

void tst_Storage::discoPienoConservaLeSchede() {
    SALTA_SENZA_DISCO_PIENO();
    DiscoPieno disco;
    const QString percorso = disco.Percorso("prova.psw");
    const QByteArray dueSchede = ArchivioDi({QStringLiteral("uno"), QStringLiteral("due")});
    QVERIFY(ScriviFile(percorso, dueSchede));
    // Room for part of a record only.
    QVERIFY(disco.Riempi());
    QVERIFY(disco.Libera(8192));
    {
        FileArchivio archivio = ApriFileArchivio(percorso);
        QVERIFY_THROWS_EXCEPTION(ErroreArchivio, archivio.Aggiungi(SchedaCon("tre")));
        archivio.Posiziona(2);
        QVERIFY_THROWS_EXCEPTION(ErroreArchivio, archivio.Scrivi(SchedaCon("tre")));
        // A record written over in place takes no new room on this file system.
        archivio.Posiziona(1);
        archivio.Scrivi(SchedaCon("DUE"));
    }
    // The room of a whole record is taken before any byte of it is written: the failed writes
    // leave no piece of a record behind.
    QCOMPARE(QFileInfo(percorso).size(), 2 * 13318);
    QCOMPARE(ContenutoFile(percorso).left(13318), dueSchede.left(13318));
    QCOMPARE(TitoliIn(percorso), (QStringList{QStringLiteral("uno"), QStringLiteral("DUE")}));

    // With room again, the next append is the third record.
    QVERIFY(disco.Libera(13318));
    QCOMPARE(ApriFileArchivio(percorso).Aggiungi(SchedaCon("tre")), 3);
    QCOMPARE(QFileInfo(percorso).size(), 3 * 13318);
    QCOMPARE(TitoliIn(percorso),
             (QStringList{QStringLiteral("uno"), QStringLiteral("DUE"), QStringLiteral("tre")}));
}

// A copy made sparse leaves a record that takes no room on the disk yet: writing over it on a full
// disk fails before a byte of it is written, instead of leaving it half new and half old.
void tst_Storage::discoPienoNonDimezzaUnaSchedaInUnBuco() {
    SALTA_SENZA_DISCO_PIENO();
    DiscoPieno disco;
    const QString percorso = disco.Percorso("rado.psw");
    QVERIFY(ScriviFile(percorso, ArchivioDi({QStringLiteral("uno")})));
    QVERIFY(QFile::resize(percorso, 2 * 13318)); // the second record is a hole of zeros
    const QByteArray prima = ContenutoFile(percorso);
    QVERIFY(disco.Riempi());
    QVERIFY(disco.Libera(4096));
    {
        FileArchivio archivio = ApriFileArchivio(percorso);
        archivio.Posiziona(1);
        QVERIFY_THROWS_EXCEPTION(ErroreArchivio, archivio.Scrivi(SchedaCon("due")));
    }
    QCOMPARE(ContenutoFile(percorso), prima);
}

void tst_Storage::dueProgrammiAggiungonoInsieme() {
    const QString percorso = PercorsoProva();
    const int perProgramma = 100;
    int partenza[2];
    QCOMPARE(::pipe(partenza), 0);

    // Each program waits for the start, then appends its records, each filled with its own letter.
    auto programma = [&](char lettera) {
        return [&, lettera] {
            ::close(partenza[1]);
            char niente;
            (void)::read(partenza[0], &niente, 1);
            for (int i = 0; i < perProgramma; ++i) {
                TScheda scheda;
                std::memset(&scheda, lettera, sizeof scheda);
                CodificaCampo(scheda, Campo::Titolo, QStringLiteral("%1%2").arg(lettera).arg(i));
                FileArchivio archivio = ApriFileArchivio(percorso);
                archivio.Aggiungi(scheda);
            }
            return 0;
        };
    };
    pid_t figli[2];
    const char lettere[2] = {'A', 'B'};
    for (int p = 0; p < 2; ++p) {
        figli[p] = ::fork();
        if (figli[p] == 0)
            ::_exit(programma(lettere[p])());
    }
    ::close(partenza[0]);
    ::close(partenza[1]); // both start now
    for (pid_t figlio : figli) {
        int stato = 0;
        QCOMPARE(::waitpid(figlio, &stato, 0), figlio);
        QVERIFY(WIFEXITED(stato) && WEXITSTATUS(stato) == 0);
    }

    QCOMPARE(QFileInfo(percorso).size(), qint64(2 * perProgramma) * 13318);
    QSet<QString> titoli;
    ApriFileArchivio(percorso).PerOgniScheda([&](const TScheda& scheda) {
        const QString titolo = DecodificaCampo(scheda, Campo::Titolo);
        titoli << titolo;
        const char lettera = titolo.at(0).toLatin1();
        QCOMPARE(scheda.Desc03[250], lettera);
        QCOMPARE(scheda.Note[2500], lettera);
    });
    QCOMPARE(titoli.size(), 2 * perProgramma);
}

void tst_Storage::nessunDescrittoreRestaAperto() {
    const QString percorso = PercorsoProva();
    QVERIFY(ScriviFile(percorso, ArchivioDi({QStringLiteral("uno")})));
    const int prima = DescrittoriAperti();
    {
        FileArchivio archivio = ApriFileArchivio(percorso);
        TScheda scheda;
        archivio.Posiziona(5);
        QVERIFY_THROWS_EXCEPTION(ErroreArchivio, archivio.Leggi(scheda));
    }
    {
        FileArchivio primo = ApriFileArchivio(percorso);
        FileArchivio secondo = std::move(primo);
        FileArchivio terzo = ApriFileArchivio(percorso);
        terzo = std::move(secondo);
        QCOMPARE(terzo.NumeroSchede(), 1);
        QVERIFY_THROWS_EXCEPTION(ErroreArchivio, primo.NumeroSchede());
    }
    {
        FileArchivio archivio = ApriFileArchivio(percorso);
        archivio.Chiudi();
    }
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, ApriFileArchivio(cartella->path()));
    QCOMPARE(DescrittoriAperti(), prima);
}

// --- The archive folder ---

void tst_Storage::nomeDiUnNuovoArchivio_data() {
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("nome"); // empty: refused

    QTest::newRow("plain") << "Casa"
                           << "Casa";
    QTest::newRow("blanks and invisible characters around") << " \t\u00A0Casa Mia\u3000\u007F "
                                                            << "Casa Mia";
    QTest::newRow("already ends in .psw") << "casa.psw"
                                          << "casa.psw";
    QTest::newRow("accented letters") << "Però è così"
                                      << "Però è così";
    QTest::newRow("nothing typed") << "  \u00A0 "
                                   << "";
    QTest::newRow("dots only") << ".."
                               << "";
    QTest::newRow("a dot in front is a name") << ".casa"
                                              << ".casa";
    for (const QChar escluso : CaratteriEsclusiNome)
        QTest::addRow("holds %s", qPrintable(QString(escluso)))
            << QStringLiteral("ca") + escluso + QStringLiteral("sa") << "";
    QTest::newRow("a line break inside") << "ca\nsa"
                                         << "";
    QTest::newRow("a C1 control inside") << "ca\u0085sa"
                                         << "";
}

void tst_Storage::nomeDiUnNuovoArchivio() {
    QFETCH(QString, digitato);
    QFETCH(QString, nome);
    const QString ripulito = NomeNuovoArchivio(digitato);
    QCOMPARE(NomeArchivioAmmesso(ripulito), !nome.isEmpty());
    if (!nome.isEmpty()) {
        QCOMPARE(ripulito, nome);
        QCOMPARE(PercorsoNuovoArchivio("/cartella/", ripulito), "/cartella/" + nome + ".psw");
    }
}

// A new archive is an empty file its owner alone may read; an entry of that name, even a link
// to nothing, is never opened or emptied.
void tst_Storage::creazioneEsclusiva() {
    QTemporaryDir cartella;
    const QString nuovo = cartella.filePath("Casa.psw");
    QCOMPARE(CreaArchivioVuoto(nuovo), EsitoCreazione::Creato);
    QCOMPARE(QFileInfo(nuovo).size(), 0);
    struct stat stato {};
    QCOMPARE(::stat(QFile::encodeName(nuovo).constData(), &stato), 0);
    QCOMPARE(int(stato.st_mode & 0777), 0600);

    const QByteArray schede = ArchivioDi({"uno", "due"});
    QVERIFY(ScriviFile(nuovo, schede));
    QCOMPARE(CreaArchivioVuoto(nuovo), EsitoCreazione::NomeGiaUsato);
    QCOMPARE(ContenutoFile(nuovo), schede);

    const QString collegamento = cartella.filePath("Link.psw");
    QVERIFY(QFile::link(cartella.filePath("manca"), collegamento));
    QCOMPARE(CreaArchivioVuoto(collegamento), EsitoCreazione::NomeGiaUsato);
    QVERIFY(!QFileInfo::exists(cartella.filePath("manca")));
}

void tst_Storage::creazioneImpossibile() {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("manca/Casa.psw");
    try {
        CreaArchivioVuoto(percorso);
        QFAIL("an archive was created in a missing folder");
    } catch (const ErroreArchivio& errore) {
        QVERIFY2(QString::fromStdString(errore.what()).contains(percorso), errore.what());
    }
}

void tst_Storage::elencoDellaCartella() {
    QTemporaryDir cartella;
    for (const char* nome : {"zeta.psw", "Alfa.psw", "alfa.psw", "beta.PSW", ".nascosto.psw",
                             "note.txt", "psw", "casa.psw.bak"})
        QVERIFY(ScriviFile(cartella.filePath(nome), QByteArray()));
    QVERIFY(QDir(cartella.path()).mkdir("sotto.psw"));

    QCOMPARE(ArchiviNellaCartella(cartella.path() + '/'),
             QStringList({".nascosto.psw", "Alfa.psw", "alfa.psw", "beta.PSW", "zeta.psw"}));
    QCOMPARE(ArchiviNellaCartella(cartella.filePath("manca")), QStringList());
    QCOMPARE(NomeDelFileArchivio("beta.PSW"), QStringLiteral("beta"));
    QCOMPARE(NomeDelFileArchivio(" casa.psw"), QStringLiteral(" casa"));
}

void tst_Storage::eliminazione() {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("Casa.psw");
    QVERIFY(ScriviFile(percorso, ArchivioDi({"uno"})));
    QVERIFY(EliminaArchivio(percorso));
    QVERIFY(!QFileInfo::exists(percorso));
    QVERIFY(!EliminaArchivio(percorso));
}

BLINDORO_TEST_NUCLEO_DISCO_PIENO(tst_Storage)

#include "tst_storage.moc"
