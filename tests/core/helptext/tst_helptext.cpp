#include "core/helptext/Tastiera.h"
#include "core/helptext/TestiGuida.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

QString spaziUnici(QString testo) {
    static const QRegularExpression spazi(QStringLiteral("\\s+"));
    return testo.replace(spazi, QStringLiteral(" "));
}

} // namespace

class tst_Helptext : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void titoli();
    void primaFraseDiOgniParagrafo_data();
    void primaFraseDiOgniParagrafo();
    void argomentoAvvioRacchiudeLaGestione();
    void corpoConUnaRigaVuotaFraIParagrafi_data();
    void corpoConUnaRigaVuotaFraIParagrafi();
    void tastiDellaFinestraDelleSchede();
    void documentoPdfContieneOgniArgomento();
};

void tst_Helptext::titoli() {
    QCOMPARE(TitoloGuida(ArgomentoGuida::Avvio), QStringLiteral("Uno sguardo ad Blindoro."));
    QCOMPARE(TitoloGuida(ArgomentoGuida::Gestione),
             QStringLiteral("Applicazione Gestione blindoro."));
    QCOMPARE(TitoloGuida(ArgomentoGuida::Esportazione),
             QStringLiteral("Esportazione blindoro in Microsoft Excel."));
}

// Each paragraph begins with its given sentence; a paragraph of one sentence is that sentence
// alone, the others go on after it.
void tst_Helptext::primaFraseDiOgniParagrafo_data() {
    QTest::addColumn<QStringList>("paragrafi");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("frase");
    QTest::addColumn<bool>("fraseUnica");

    const QStringList gestione = ParagrafiGestione();
    const struct {
        const char* nome;
        QStringList paragrafi;
        int indice;
        const char* frase;
        bool fraseUnica;
    } righe[] = {
        {"apertura 1", ParagrafiApertura(), 0,
         "Blindoro è un software compatto, utilizzabile anche su chiavetta, rivolto a chi ha "
         "bisogno di custodire le password di accesso ai siti Internet riservati o agli account di "
         "posta elettronica.",
         false},
        {"gestione 1", gestione, 0,
         "L'applicazione Gestione blindoro consente di creare un numero illimitato di archivi in "
         "cui memorizzare le credenziali di accesso degli utenti.",
         false},
        {"gestione 2", gestione, 1,
         "Quando si crea una nuovo archivio di password si genera un database nella cartella del "
         "programma caratterizzato dall'estensione PSW.",
         false},
        {"gestione 3", gestione, 2,
         "Per individuare l'archivio di password creato senza possibilità di errore, è buona norma "
         "assegnargli un nome il più possibile completo utilizzando parole chiave che indichino, "
         "ad "
         "esempio, la tipologia di utenti per cui si creano le credenziali di accesso.",
         true},
        {"gestione 4", gestione, 3,
         "Una volta indicato il nome dell'archivio di password nell'apposita casella di testo, "
         "l'utente dovrà confermare l'operazione premendo il pulsante Applica e chiudi.",
         false},
        {"gestione 5", gestione, 4,
         "L'icona del cestino consente di eliminare l'archivio di password selezionato.", false},
        {"gestione 6", gestione, 5,
         "Per compilare una nuova scheda, bisogna fare clic sul pulsante Nuovo, compilare i campi "
         "di testo e premere Salva.",
         false},
        {"gestione 7", gestione, 6,
         "Le singole schede di ogni archivio di password possono essere visualizzate a schermo o "
         "stampate su carta.",
         false},
        {"gestione 8", gestione, 7,
         "Il campo \"Note\" può essere sfruttato per annotare qualsiasi informazione relativa "
         "all'account creato, ad esempio se la password registrata nella scheda necessita "
         "dell'aggiunta o della rimozione di qualche carattere che si è preferito non indicare per "
         "maggiore sicurezza.",
         true},
        {"gestione 9", gestione, 8,
         "La funzione Allega file consente di associare a ciascuna scheda tre file di qualsiasi "
         "genere che potrebbero contenere, ad esempio, il documento di riconoscimento "
         "dell'intestatario dell'account oppure un tutorial in formato PDF riguardante l'utilizzo "
         "del sito Web descritto.",
         true},
        {"gestione 10", gestione, 9,
         "Le password e le riposte segrete sono nascoste sotto forma di asterischi per evitare che "
         "occhi indiscreti possano scorgerle mentre si usa il programma.",
         false},
        {"gestione 11", gestione, 10,
         "Il campo \"E-mail\" consente di inviare un messaggio di posta elettronica al contatto "
         "selezionato senza uscire dal programma, mentre il campo \"URL\" è affiancato da un "
         "pulsante che consente di connettersi al sito Web indicato utilizzando il proprio browser "
         "di navigazione.",
         true},
        {"gestione 12", gestione, 11,
         "Il pulsante raffigurante l'icona di un segnale triangolare con punto esclamativo "
         "visualizza l'elenco di tutte le password scadute presenti in archivio.",
         true},
        {"gestione 13", gestione, 12,
         "Il pulsante Trova consente di effettuare una ricerca fra le schede degli account in "
         "archivio e di richiamare quella di proprio interesse con un doppio clic.",
         false},
        {"gestione 14", gestione, 13,
         "In ogni momento è possibile stampare su carta la scheda dell'account premendo il "
         "pulsante Stampa.",
         false},
        {"chiusura 1", ParagrafiChiusura(), 0,
         "Blindoro può essere utilizzato anche in una rete locale se si ha necessità di "
         "condividere "
         "gli archivi fra più postazioni di lavoro.",
         true},
        {"chiusura 2", ParagrafiChiusura(), 1,
         "L'accesso al software è protetto da una password aggiornabile dall'utente che può essere "
         "cambiata tutte le volte che si desidera.",
         false},
        {"chiusura 3", ParagrafiChiusura(), 2,
         "Blindoro può essere utilizzato anche su chiavetta USB.", false},
        {"chiusura 4", ParagrafiChiusura(), 3,
         "Blindoro è quindi la soluzione ideale per chi svolge un'intensa attività on-line e "
         "necessita di una semplice app per tenere traccia, per sé e per gli altri, delle chiavi "
         "di "
         "accesso ai siti Web che visita regolarmente o saltuariamente per lavoro, per studio o "
         "soltanto per divertimento.",
         false},
        {"esportazione 1", ParagrafiEsportazione(), 0,
         "Il pulsante Esporta archivio consente di esportare l'archivio delle password in un "
         "foglio "
         "di lavoro di Microsoft Excel, che potrà essere aperto con qualsiasi software in grado di "
         "gestire i file in formato XLS (ad esempio, con Open Office, Libre Office o Microsoft "
         "Office).",
         true},
        {"esportazione 2", ParagrafiEsportazione(), 1,
         "Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic "
         "sull'icona "
         "di Excel.",
         false},
        {"esportazione 3", ParagrafiEsportazione(), 2,
         "A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un "
         "nome qualsiasi.",
         true},
    };
    for (const auto& riga : righe)
        QTest::newRow(riga.nome) << riga.paragrafi << riga.indice << QString::fromUtf8(riga.frase)
                                 << riga.fraseUnica;
}

void tst_Helptext::primaFraseDiOgniParagrafo() {
    QFETCH(QStringList, paragrafi);
    QFETCH(int, indice);
    QFETCH(QString, frase);
    QFETCH(bool, fraseUnica);

    QVERIFY(indice < paragrafi.size());
    const QString paragrafo = paragrafi.at(indice);
    if (fraseUnica) {
        QCOMPARE(paragrafo, frase);
        return;
    }
    QVERIFY2(paragrafo.startsWith(frase), qPrintable(paragrafo));
    QVERIFY2(paragrafo.size() > frase.size() + 40,
             "the paragraph goes on after its first sentence");
    QVERIFY(paragrafo.at(frase.size()) == QLatin1Char(' '));
}

void tst_Helptext::argomentoAvvioRacchiudeLaGestione() {
    QCOMPARE(ParagrafiApertura().size(), 1);
    QCOMPARE(ParagrafiGestione().size(), 14);
    QCOMPARE(ParagrafiChiusura().size(), 4);
    QCOMPARE(ParagrafiEsportazione().size(), 3);

    const QStringList avvio = ParagrafiGuida(ArgomentoGuida::Avvio);
    QCOMPARE(avvio.size(), 19);
    QCOMPARE(avvio.first(), ParagrafiApertura().first());
    QCOMPARE(avvio.mid(1, 14), ParagrafiGuida(ArgomentoGuida::Gestione));
    QCOMPARE(avvio.mid(15), ParagrafiChiusura());

    const QString corpoGestione = CorpoGuida(ArgomentoGuida::Gestione);
    QCOMPARE(CorpoGuida(ArgomentoGuida::Avvio),
             ParagrafiApertura().first() + QStringLiteral("\r\n\r\n") + corpoGestione +
                 QStringLiteral("\r\n\r\n") + ParagrafiChiusura().join(QStringLiteral("\r\n\r\n")));
}

void tst_Helptext::corpoConUnaRigaVuotaFraIParagrafi_data() {
    QTest::addColumn<ArgomentoGuida>("argomento");
    QTest::addColumn<int>("paragrafi");
    QTest::newRow("avvio") << ArgomentoGuida::Avvio << 19;
    QTest::newRow("gestione") << ArgomentoGuida::Gestione << 14;
    QTest::newRow("esportazione") << ArgomentoGuida::Esportazione << 3;
}

// Paragraph, CR LF, CR LF, paragraph; one line each; nothing after the last one.
void tst_Helptext::corpoConUnaRigaVuotaFraIParagrafi() {
    QFETCH(ArgomentoGuida, argomento);
    QFETCH(int, paragrafi);

    const QString corpo = CorpoGuida(argomento);
    const QStringList parti = corpo.split(QStringLiteral("\r\n\r\n"));
    QCOMPARE(parti.size(), paragrafi);
    QCOMPARE(parti, ParagrafiGuida(argomento));
    for (const QString& parte : parti) {
        QVERIFY(!parte.trimmed().isEmpty());
        QCOMPARE(parte, parte.trimmed());
        QVERIFY(!parte.contains(QLatin1Char('\r')) && !parte.contains(QLatin1Char('\n')));
    }
    QCOMPARE(corpo.count(QLatin1Char('\n')), 2 * (paragrafi - 1));
    QCOMPARE(corpo.count(QLatin1Char('\r')), 2 * (paragrafi - 1));
}

// The record window's help (and so the start window's, which holds it) tells every command that
// the keyboard gives, with its keys as the user reads them; no two commands share keys.
void tst_Helptext::tastiDellaFinestraDelleSchede() {
    const QList<ComandoDaTastiera> comandi = ComandiGestioneDaTastiera();
    QCOMPARE(comandi.size(), 25);
    // The commands without a button come after the buttons; the import is the last.
    QCOMPARE(comandi.last().controllo, QStringLiteral("actImportaSchede"));
    QCOMPARE(comandi.last().scorciatoia,
             (Scorciatoia{QStringLiteral("Ctrl+Shift+I"), QStringLiteral("Ctrl+Maiusc+I")}));
    const QString gestione = CorpoGuida(ArgomentoGuida::Gestione);
    QVERIFY(gestione.contains(TestoComandiDaTastiera()));
    QVERIFY(CorpoGuida(ArgomentoGuida::Avvio).contains(TestoComandiDaTastiera()));
    QStringList tasti, controlli;
    for (const ComandoDaTastiera& comando : comandi) {
        const QString voce =
            comando.nome + QStringLiteral(" (") + comando.scorciatoia.testo + QLatin1Char(')');
        QVERIFY2(gestione.contains(voce), qPrintable(voce));
        QVERIFY2(!tasti.contains(comando.scorciatoia.tasti), qPrintable(comando.scorciatoia.tasti));
        QVERIFY(!controlli.contains(comando.controllo));
        tasti << comando.scorciatoia.tasti;
        controlli << comando.controllo;
    }
    for (const char* standard : {"Ctrl+N", "Ctrl+S", "Ctrl+F", "Ctrl+P", "F1"})
        QVERIFY2(tasti.contains(QLatin1String(standard)), standard);
    QVERIFY(ParagrafiGestione().last().endsWith(TestoComandiDaTastiera()));
    // The commands without a button come last, with the keys kept for them.
    QCOMPARE(comandi.at(22).controllo, QStringLiteral("actGeneraPassword"));
    QCOMPARE(comandi.at(22).scorciatoia, (Scorciatoia{"Ctrl+Alt+G", "Ctrl+Alt+G"}));
    QCOMPARE(comandi.at(23).controllo, QStringLiteral("actValutaPassword"));
    QCOMPARE(comandi.at(23).scorciatoia, (Scorciatoia{"Ctrl+Alt+V", "Ctrl+Alt+V"}));
    // The paragraph on the hidden passwords tells the generator after its own sentences.
    QVERIFY(ParagrafiGestione().at(9).endsWith(QStringLiteral("sito protetto. ") +
                                               TestoGeneratorePassword()));
}

// The document built beside the program holds every title and every paragraph.
void tst_Helptext::documentoPdfContieneOgniArgomento() {
    const QString documento = QStringLiteral(BLINDORO_PROGRAM_DIR "/Guida.pdf");
    QVERIFY2(QFileInfo(documento).isFile(), qPrintable(documento + QStringLiteral(" is missing")));

    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                                  documento, QStringLiteral("-")});
    QVERIFY2(pdftotext.waitForFinished(60000), "pdftotext (poppler-utils) must be installed");
    QCOMPARE(pdftotext.exitCode(), 0);
    const QString testo = spaziUnici(QString::fromUtf8(pdftotext.readAllStandardOutput()));

    QVERIFY(testo.contains(QStringLiteral("Guida all'utilizzo del software")));
    for (const ArgomentoGuida argomento :
         {ArgomentoGuida::Avvio, ArgomentoGuida::Gestione, ArgomentoGuida::Esportazione}) {
        QVERIFY2(testo.contains(TitoloGuida(argomento)), qPrintable(TitoloGuida(argomento)));
        for (const QString& paragrafo : ParagrafiGuida(argomento))
            QVERIFY2(testo.contains(spaziUnici(paragrafo)), qPrintable(paragrafo));
    }
    // The clipboard's keys, as the user reads them, and what the lists copy with them.
    for (const char* voce : {"copia la password (Ctrl+Alt+P)", "copia il nome utente (Ctrl+Alt+U)",
                             "copia l'indirizzo del sito (Ctrl+Alt+I)",
                             "Nelle finestre di ricerca e delle password scadute Ctrl+Alt+P e "
                             "Ctrl+Alt+U copiano la password e il nome utente",
                             "resta negli appunti per 10 secondi"})
        QVERIFY2(testo.contains(QString::fromUtf8(voce)), voce);
    // Every key of the record window, the commands without a button among them, as the user
    // reads it, and the generator's sentences.
    for (const ComandoDaTastiera& comando : ComandiGestioneDaTastiera()) {
        const QString voce =
            comando.nome + QStringLiteral(" (") + comando.scorciatoia.testo + QLatin1Char(')');
        QVERIFY2(testo.contains(voce), qPrintable(voce));
    }
    QVERIFY(testo.contains(QStringLiteral("Genera password (Ctrl+Alt+G)")));
    QVERIFY(testo.contains(QStringLiteral("Valuta la password (Ctrl+Alt+V)")));
    QVERIFY(testo.contains(spaziUnici(TestoGeneratorePassword())));
    QVERIFY(testo.contains(QStringLiteral("Importa schede (Ctrl+Maiusc+I)")));
    QVERIFY(testo.contains(QStringLiteral("Il comando Importa schede si trova anche nel menu che "
                                          "si apre con il tasto destro del mouse")));
}

QTEST_GUILESS_MAIN(tst_Helptext)
#include "tst_helptext.moc"
