// Whole-file replacement: the new content takes the old one's place only once it is all on the
// disk; on a full disk, or any other failure, the old file stays byte for byte.

#include "core/files/SostituisciFile.h"
#include "support/DiscoPieno.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray Vecchio("[Accesso]\r\nValore=7501359E3A894D550D0D592D49EE\r\n");

QByteArray contenuto(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void crea(const QString& percorso, const QByteArray& byte) {
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(byte), byte.size());
}

QStringList fileIn(const QString& cartella) {
    return QDir(cartella).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Content that tells every position apart, so a piece lost or moved shows.
QByteArray datiDi(qsizetype dimensione) {
    QByteArray dati(dimensione, Qt::Uninitialized);
    for (qsizetype i = 0; i < dimensione; ++i)
        dati[i] = char(i * 7 + i / 251);
    return dati;
}

// The two ways of giving the content: bytes, or a writer that writes it in small pieces without
// looking at what each write answers.
void sostituisci(const QString& percorso, const QByteArray& dati, bool aPezzi,
                 PermessiNuovoFile permessi = PermessiNuovoFile::SoloProprietario) {
    if (!aPezzi) {
        SostituisciFile(percorso, dati, permessi);
        return;
    }
    SostituisciFile(
        percorso,
        [&dati](QIODevice& destinazione) {
            for (qsizetype inizio = 0; inizio < dati.size(); inizio += 1000)
                destinazione.write(dati.mid(inizio, 1000));
        },
        permessi);
}

mode_t permessiDi(const QString& percorso) {
    struct stat stato {};
    ::stat(QFile::encodeName(percorso).constData(), &stato);
    return stato.st_mode & 07777;
}

// A replacement in a child process, stopped in the middle of writing: the child has written
// `dimensione` bytes of the new content and waits to be killed.
class SostituzioneInterrotta {
public:
    SostituzioneInterrotta(const QString& percorso, qsizetype dimensione) {
        int canale[2];
        if (::pipe(canale) != 0)
            return;
        figlio_ = ::fork();
        if (figlio_ == 0) {
            ::close(canale[0]);
            try {
                SostituisciFile(
                    percorso,
                    [&](QIODevice& destinazione) {
                        destinazione.write(datiDi(dimensione));
                        (void)::write(canale[1], "x", 1);
                        for (;;)
                            ::pause();
                    },
                    PermessiNuovoFile::Ordinari);
            } catch (...) {
            }
            ::_exit(1);
        }
        ::close(canale[1]);
        char segnale = 0;
        fermo_ = figlio_ > 0 && ::read(canale[0], &segnale, 1) == 1;
        ::close(canale[0]);
    }
    ~SostituzioneInterrotta() { Uccidi(); }

    // Whether the child got as far as the middle of its writing.
    bool Ferma() const { return fermo_; }
    void Uccidi() {
        if (figlio_ <= 0)
            return;
        ::kill(figlio_, SIGKILL);
        ::waitpid(figlio_, nullptr, 0);
        figlio_ = -1;
    }

private:
    pid_t figlio_ = -1;
    bool fermo_ = false;
};

// The files of the folder other than `percorso`'s own.
QStringList residuiDi(const QString& cartella, const QString& nome) {
    QStringList residui = fileIn(cartella);
    residui.removeAll(nome);
    return residui;
}

} // namespace

class tst_Files : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sostituzioneRiuscita_data();
    void sostituzioneRiuscita();
    void discoPienoConservaIlFile_data();
    void discoPienoConservaIlFile();
    void discoQuasiPienoBasta();
    void permessi_data();
    void permessi();
    void scrittoreCheSiFerma();
    void sostituzioneUccisaNonLasciaCopie();
    void residuiRimossiSoloSeAbbandonati();
    void collegamentoSostituitoNonSeguito();
    void cartellaNonScrivibile_data();
    void cartellaNonScrivibile();
};

void tst_Files::sostituzioneRiuscita_data() {
    QTest::addColumn<bool>("esistente");
    QTest::addColumn<qsizetype>("dimensione");
    QTest::addColumn<bool>("aPezzi");

    QTest::newRow("new file") << false << qsizetype(48) << false;
    QTest::newRow("small file replaced") << true << qsizetype(48) << false;
    QTest::newRow("emptied") << true << qsizetype(0) << false;
    QTest::newRow("large file replaced, written in pieces") << true << qsizetype(3 << 20) << true;
}

void tst_Files::sostituzioneRiuscita() {
    QFETCH(bool, esistente);
    QFETCH(qsizetype, dimensione);
    QFETCH(bool, aPezzi);
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("dati.bin");
    if (esistente)
        crea(percorso, Vecchio);

    const QByteArray nuovo = datiDi(dimensione);
    sostituisci(percorso, nuovo, aPezzi);

    QCOMPARE(contenuto(percorso), nuovo);
    QCOMPARE(fileIn(cartella.path()), QStringList{"dati.bin"});
}

void tst_Files::discoPienoConservaIlFile_data() {
    QTest::addColumn<bool>("esistente");
    QTest::addColumn<qsizetype>("dimensione");
    QTest::addColumn<bool>("aPezzi");
    QTest::addColumn<qint64>("spazio");

    // 48 bytes stay in Qt's write buffer until the end; 200 KiB go out while being written.
    QTest::newRow("small write") << true << qsizetype(48) << false << qint64(0);
    QTest::newRow("small write in pieces") << true << qsizetype(48) << true << qint64(0);
    QTest::newRow("large write") << true << qsizetype(200 << 10) << false << qint64(0);
    QTest::newRow("large write in pieces") << true << qsizetype(200 << 10) << true << qint64(0);
    QTest::newRow("large write, room for part of it")
        << true << qsizetype(200 << 10) << true << qint64(64 << 10);
    QTest::newRow("no file before") << false << qsizetype(48) << false << qint64(0);
}

void tst_Files::discoPienoConservaIlFile() {
    QFETCH(bool, esistente);
    QFETCH(qsizetype, dimensione);
    QFETCH(bool, aPezzi);
    QFETCH(qint64, spazio);
    SALTA_SENZA_DISCO_PIENO();
    DiscoPieno disco;
    const QString percorso = disco.Percorso("unins000.dll");
    if (esistente)
        crea(percorso, Vecchio);
    QVERIFY(disco.Riempi());
    if (spazio > 0)
        QVERIFY(disco.Libera(spazio));

    try {
        sostituisci(percorso, datiDi(dimensione), aPezzi);
        QFAIL("a replacement on a full disk reported success");
    } catch (const ErroreSostituzioneFile& errore) {
        QCOMPARE(errore.Motivo(), QString::fromLocal8Bit(std::strerror(ENOSPC)));
        QVERIFY2(QString::fromStdString(errore.what()).contains(percorso), errore.what());
    }

    QCOMPARE(contenuto(percorso), esistente ? Vecchio : QByteArray("<missing>"));
    QCOMPARE(fileIn(disco.Cartella()), esistente ? QStringList{"unins000.dll"} : QStringList());
}

// Room for the new file alone, while the old one still takes its own: enough.
void tst_Files::discoQuasiPienoBasta() {
    SALTA_SENZA_DISCO_PIENO();
    DiscoPieno disco;
    const QString percorso = disco.Percorso("dati.bin");
    crea(percorso, Vecchio);
    const QByteArray nuovo = datiDi(100 << 10);
    QVERIFY(disco.Riempi());
    QVERIFY(disco.Libera(nuovo.size()));

    sostituisci(percorso, nuovo, true);

    QCOMPARE(contenuto(percorso), nuovo);
    QCOMPARE(fileIn(disco.Cartella()), QStringList{"dati.bin"});
}

void tst_Files::permessi_data() {
    QTest::addColumn<int>("prima"); // -1: no file before
    QTest::addColumn<PermessiNuovoFile>("permessi");
    QTest::addColumn<int>("dopo");

    const mode_t maschera = ::umask(0);
    ::umask(maschera);
    QTest::newRow("new file, owner only")
        << -1 << PermessiNuovoFile::SoloProprietario << int(S_IRUSR | S_IWUSR);
    QTest::newRow("new file, ordinary")
        << -1 << PermessiNuovoFile::Ordinari << int(0666 & ~maschera);
    QTest::newRow("existing file keeps its own")
        << int(S_IRUSR | S_IWUSR | S_IRGRP) << PermessiNuovoFile::SoloProprietario
        << int(S_IRUSR | S_IWUSR | S_IRGRP);
    QTest::newRow("existing owner-only file stays so")
        << int(S_IRUSR | S_IWUSR) << PermessiNuovoFile::Ordinari << int(S_IRUSR | S_IWUSR);
}

void tst_Files::permessi() {
    QFETCH(int, prima);
    QFETCH(PermessiNuovoFile, permessi);
    QFETCH(int, dopo);
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("dati.bin");
    if (prima >= 0) {
        crea(percorso, Vecchio);
        QCOMPARE(::chmod(QFile::encodeName(percorso).constData(), mode_t(prima)), 0);
    }

    sostituisci(percorso, "nuovo", false, permessi);

    QCOMPARE(contenuto(percorso), QByteArray("nuovo"));
    QCOMPARE(int(permessiDi(percorso)), dopo);
}

// A writer that gives up: its own failure reaches the caller and nothing changes.
void tst_Files::scrittoreCheSiFerma() {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("dati.bin");
    crea(percorso, Vecchio);

    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             SostituisciFile(
                                 percorso,
                                 [](QIODevice& destinazione) {
                                     destinazione.write(datiDi(100 << 10));
                                     throw std::runtime_error("lettura interrotta");
                                 },
                                 PermessiNuovoFile::Ordinari));

    QCOMPARE(contenuto(percorso), Vecchio);
    QCOMPARE(fileIn(cartella.path()), QStringList{"dati.bin"});
}

// A replacement killed while writing leaves its new file behind, readable by its owner alone
// whatever the old file allowed; the next replacement of that file removes it, whether it is
// killed in turn or completes.
void tst_Files::sostituzioneUccisaNonLasciaCopie() {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("Blindoro.xls");
    crea(percorso, Vecchio);
    QCOMPARE(::chmod(QFile::encodeName(percorso).constData(), 0644), 0);

    QStringList prima;
    for (int volta = 0; volta < 2; ++volta) {
        SostituzioneInterrotta interrotta(percorso, 300 << 10);
        QVERIFY(interrotta.Ferma());
        const QStringList residui = residuiDi(cartella.path(), "Blindoro.xls");
        QCOMPARE(residui.size(), 1);
        QVERIFY(residui != prima);
        QCOMPARE(int(permessiDi(cartella.filePath(residui.first()))), int(S_IRUSR | S_IWUSR));
        interrotta.Uccidi();
        prima = residui;
    }
    QCOMPARE(contenuto(percorso), Vecchio);

    sostituisci(percorso, "nuovo", false);

    QCOMPARE(contenuto(percorso), QByteArray("nuovo"));
    QCOMPARE(int(permessiDi(percorso)), 0644);
    QCOMPARE(fileIn(cartella.path()), QStringList{"Blindoro.xls"});
}

// The clean-up of a folder removes the leftovers of killed replacements, whatever file they were
// replacing, and nothing else: not a replacement still running, nor files of other names.
void tst_Files::residuiRimossiSoloSeAbbandonati() {
    QTemporaryDir cartella;
    const QStringList altri = {"note.tmp", "conti.1234.tmp", "conti.0123ABCD.tmp",
                               "conti.0123abcd.tmp.bak", "unins000.dll"};
    for (const QString& nome : altri)
        crea(cartella.filePath(nome), Vecchio);
    QVERIFY(QDir(cartella.path()).mkdir("cartella.0123abcd.tmp"));
    {
        SostituzioneInterrotta uccisa(cartella.filePath("Blindoro.xls"), 100);
        QVERIFY(uccisa.Ferma());
    }
    crea(cartella.filePath("unins000.dll.89abcdef.tmp"), Vecchio);
    SostituzioneInterrotta inCorso(cartella.filePath("Guida.pdf"), 100);
    QVERIFY(inCorso.Ferma());
    const QStringList inCorsoResidui = residuiDi(cartella.path(), QString());

    RimuoviResiduiSostituzioniIn(cartella.path());

    QStringList attesi = altri;
    for (const QString& nome : inCorsoResidui)
        if (nome.startsWith("Guida.pdf."))
            attesi << nome;
    QStringList rimasti = fileIn(cartella.path());
    rimasti.sort();
    attesi.sort();
    QCOMPARE(rimasti, attesi);
    QVERIFY(QFileInfo(cartella.filePath("cartella.0123abcd.tmp")).isDir());
}

// A symbolic link at the name is replaced by the file; nothing is written where it pointed.
void tst_Files::collegamentoSostituitoNonSeguito() {
    QTemporaryDir cartella;
    const QString altrove = cartella.filePath("altrove.bin");
    const QString percorso = cartella.filePath("dati.bin");
    crea(altrove, Vecchio);
    QVERIFY(QFile::link(altrove, percorso));

    sostituisci(percorso, "nuovo", false);

    QVERIFY(!QFileInfo(percorso).isSymLink());
    QCOMPARE(contenuto(percorso), QByteArray("nuovo"));
    QCOMPARE(contenuto(altrove), Vecchio);
}

void tst_Files::cartellaNonScrivibile_data() {
    QTest::addColumn<QString>("caso");
    QTest::newRow("read-only folder") << QStringLiteral("sola lettura");
    QTest::newRow("folder missing") << QStringLiteral("mancante");
}

void tst_Files::cartellaNonScrivibile() {
    QFETCH(QString, caso);
    QTemporaryDir base;
    const QString cartella = base.filePath(caso == "mancante" ? "manca" : "programma");
    const QString percorso = cartella + "/dati.bin";
    if (caso == "sola lettura") {
        QVERIFY(QDir().mkpath(cartella));
        crea(percorso, Vecchio);
        QVERIFY(QFile::setPermissions(cartella, QFile::ReadOwner | QFile::ExeOwner));
    }
    const auto ripristina = qScopeGuard([&] {
        QFile::setPermissions(cartella, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });

    QVERIFY_THROWS_EXCEPTION(ErroreSostituzioneFile,
                             SostituisciFile(percorso, datiDi(48), PermessiNuovoFile::Ordinari));

    if (caso == "mancante") {
        QVERIFY(!QFileInfo::exists(cartella));
    } else {
        QCOMPARE(contenuto(percorso), Vecchio);
        QCOMPARE(fileIn(cartella), QStringList{"dati.bin"});
    }
}

BLINDORO_TEST_NUCLEO_DISCO_PIENO(tst_Files)

#include "tst_files.moc"
