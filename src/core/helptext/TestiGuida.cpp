#include "core/helptext/TestiGuida.h"

#include "core/helptext/Tastiera.h"

QStringList ParagrafiApertura() {
    return {
        QStringLiteral(
            "Blindoro è un software compatto, utilizzabile anche su chiavetta, rivolto a chi ha "
            "bisogno di custodire le password di accesso ai siti Internet riservati o agli account "
            "di posta elettronica. Oltre alle password, il programma conserva le risposte segrete "
            "alle domande di sicurezza che vengono poste quando si smarrisce una password e i dati "
            "del contatto a cui è legata ciascuna scheda. È quindi adatto a chiunque gestisca le "
            "credenziali di accesso del personale di un'azienda o dei componenti della propria "
            "famiglia, creando un archivio distinto per ogni gruppo di account."),
    };
}

QString TestoGeneratorePassword() {
    return QStringLiteral(
        "Per cambiare la password di un sito, il menu del campo Password (il tasto destro del "
        "mouse, il tasto Menu o Maiusc+F10) offre il comando Genera password: la finestra "
        "che si apre estrae a caso una password di caratteri, da 8 a 120, oppure una frase di "
        "parole italiane, da 4 a 10, e ne mostra la forza. Il giudizio segue la minore di due "
        "misure: l'entropia esatta della scelta e la stima dello stimatore zxcvbn, che non "
        "conosce le parole italiane e sopravvaluta le frasi. Con il pulsante Usa la nuova "
        "password passa nel campo Password, quella precedente si aggiunge in fondo alle password "
        "già utilizzate (se l'elenco ha ancora spazio) e la data di creazione diventa quella di "
        "oggi; resta da scegliere la nuova data di scadenza e da premere Salva. Il comando "
        "Valuta la password, nello stesso menu, dice quanto è forte la password della scheda "
        "senza mostrarla.");
}

QStringList ParagrafiGestione() {
    return {
        QStringLiteral(
            "L'applicazione Gestione blindoro consente di creare un numero illimitato di archivi "
            "in cui memorizzare le credenziali di accesso degli utenti. Per creare un nuovo "
            "archivio è sufficiente premere il pulsante Crea nuovo blindoro nella finestra "
            "iniziale, digitare il nome completo dell'archivio nella casella di testo della "
            "finestra che si apre e confermare con il pulsante posto in basso."),
        QStringLiteral(
            "Quando si crea una nuovo archivio di password si genera un database nella cartella "
            "del programma caratterizzato dall'estensione PSW. Ogni archivio può contenere un "
            "numero illimitato di schede, ciascuna delle quali raccoglie tutti i dati relativi a "
            "un singolo account."),
        QStringLiteral(
            "Per individuare l'archivio di password creato senza possibilità di errore, è buona "
            "norma assegnargli un nome il più possibile completo utilizzando parole chiave che "
            "indichino, ad esempio, la tipologia di utenti per cui si creano le credenziali di "
            "accesso."),
        QStringLiteral(
            "Una volta indicato il nome dell'archivio di password nell'apposita casella di testo, "
            "l'utente dovrà confermare l'operazione premendo il pulsante Applica e chiudi. Tornati "
            "alla finestra iniziale, il pulsante Apri blindoro esistente mostra l'elenco di tutti "
            "gli archivi di password creati: per aprirne uno basta fare clic sul suo nome e "
            "premere il pulsante Apri archivio."),
        QStringLiteral(
            "L'icona del cestino consente di eliminare l'archivio di password selezionato. Questa "
            "funzione va utilizzata con la massima cautela, perché un archivio eliminato non può "
            "più essere recuperato in alcun modo."),
        QStringLiteral(
            "Per compilare una nuova scheda, bisogna fare clic sul pulsante Nuovo, compilare i "
            "campi di testo e premere Salva. Il titolo del sito, il nome utente, la password, la "
            "data di scadenza e il nome dell'intestatario dell'account sono campi obbligatori. Il "
            "pulsante Duplica, invece, crea una nuova scheda che conserva tutti i campi di una "
            "scheda già registrata: basta modificare i dati che cambiano e premere Salva per "
            "memorizzarla."),
        QStringLiteral(
            "Le singole schede di ogni archivio di password possono essere visualizzate a schermo "
            "o stampate su carta. Ogni scheda riporta il titolo del sito, l'indirizzo URL, il "
            "proprietario del sito, una breve descrizione del sito, il nome utente e la password, "
            "la data di creazione e quella di scadenza della password, la domanda e la risposta "
            "segreta per il recupero della password, tutte le password utilizzate in precedenza "
            "(che spesso i siti non consentono di riutilizzare) e infine il nome, il codice "
            "fiscale, l'indirizzo e-mail e il numero di telefono preferito dell'intestatario "
            "dell'account."),
        QStringLiteral(
            "Il campo \"Note\" può essere sfruttato per annotare qualsiasi informazione relativa "
            "all'account creato, ad esempio se la password registrata nella scheda necessita "
            "dell'aggiunta o della rimozione di qualche carattere che si è preferito non indicare "
            "per maggiore sicurezza."),
        QStringLiteral(
            "La funzione Allega file consente di associare a ciascuna scheda tre file di qualsiasi "
            "genere che potrebbero contenere, ad esempio, il documento di riconoscimento "
            "dell'intestatario dell'account oppure un tutorial in formato PDF riguardante "
            "l'utilizzo del sito Web descritto."),
        QStringLiteral(
            "Le password e le riposte segrete sono nascoste sotto forma di asterischi per evitare "
            "che occhi indiscreti possano scorgerle mentre si usa il programma. Il pulsante con "
            "l'icona di un occhio mostra il testo in chiaro, così da poterlo copiare negli Appunti "
            "e incollare nei campi del sito protetto. ") +
            TestoGeneratorePassword(),
        QStringLiteral(
            "Il campo \"E-mail\" consente di inviare un messaggio di posta elettronica al contatto "
            "selezionato senza uscire dal programma, mentre il campo \"URL\" è affiancato da un "
            "pulsante che consente di connettersi al sito Web indicato utilizzando il proprio "
            "browser di navigazione."),
        QStringLiteral(
            "Il pulsante raffigurante l'icona di un segnale triangolare con punto esclamativo "
            "visualizza l'elenco di tutte le password scadute presenti in archivio."),
        QStringLiteral(
            "Il pulsante Trova consente di effettuare una ricerca fra le schede degli account in "
            "archivio e di richiamare quella di proprio interesse con un doppio clic. È possibile "
            "combinare più filtri contemporaneamente, ad esempio per elencare tutti gli account di "
            "uno stesso intestatario oppure tutti quelli relativi a un determinato sito Web."),
        QStringLiteral(
            "In ogni momento è possibile stampare su carta la scheda dell'account premendo il "
            "pulsante Stampa. L'intero archivio può inoltre essere esportato in un foglio di "
            "lavoro di Microsoft Excel, così da condividerlo con chi non dispone del programma: il "
            "foglio si apre con qualsiasi software in grado di gestire i file in formato XLS, come "
            "Open Office, Libre Office o Microsoft Office. ") +
            TestoComandiDaTastiera(),
    };
}

QStringList ParagrafiChiusura() {
    return {
        QStringLiteral("Blindoro può essere utilizzato anche in una rete locale se si ha necessità "
                       "di condividere gli archivi fra più postazioni di lavoro."),
        QStringLiteral(
            "L'accesso al software è protetto da una password aggiornabile dall'utente che può "
            "essere cambiata tutte le volte che si desidera. Per il primo accesso è necessario "
            "digitare la parola chiave \"pergolatoverde\" (senza le virgolette), che è la password "
            "di accesso iniziale: conviene sostituirla subito con una password personale premendo "
            "il pulsante Cambia password della finestra di accesso."),
        QStringLiteral(
            "Blindoro può essere utilizzato anche su chiavetta USB. È sufficiente copiare la "
            "cartella del programma su una chiavetta e fare doppio clic sull'icona "
            "dell'applicazione per avviarlo. Copiare la cartella su un dispositivo esterno è anche "
            "il modo più rapido per fare una copia di sicurezza di tutti gli archivi."),
        QStringLiteral(
            "Blindoro è quindi la soluzione ideale per chi svolge un'intensa attività on-line e "
            "necessita di una semplice app per tenere traccia, per sé e per gli altri, delle "
            "chiavi di accesso ai siti Web che visita regolarmente o saltuariamente per lavoro, "
            "per studio o soltanto per divertimento. Chi lo utilizza si accorgerà ben presto che "
            "imparare a usarlo non richiede praticamente alcun tempo."),
    };
}

QStringList ParagrafiEsportazione() {
    return {
        QStringLiteral(
            "Il pulsante Esporta archivio consente di esportare l'archivio delle password in un "
            "foglio di lavoro di Microsoft Excel, che potrà essere aperto con qualsiasi software "
            "in "
            "grado di gestire i file in formato XLS (ad esempio, con Open Office, Libre Office o "
            "Microsoft Office)."),
        QStringLiteral(
            "Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic "
            "sull'icona di Excel. Il programma crea all'istante un file XLS con tutte le schede "
            "dell'archivio, che si può aprire immediatamente rispondendo Sì alla domanda che "
            "compare subito dopo."),
        QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso "
                       "assegnandogli un nome qualsiasi."),
    };
}

QStringList ParagrafiGuida(ArgomentoGuida argomento) {
    switch (argomento) {
    case ArgomentoGuida::Avvio:
        return ParagrafiApertura() + ParagrafiGestione() + ParagrafiChiusura();
    case ArgomentoGuida::Gestione:
        return ParagrafiGestione();
    case ArgomentoGuida::Esportazione:
        break;
    }
    return ParagrafiEsportazione();
}

QString TitoloGuida(ArgomentoGuida argomento) {
    switch (argomento) {
    case ArgomentoGuida::Avvio:
        return QStringLiteral("Uno sguardo ad Blindoro.");
    case ArgomentoGuida::Gestione:
        return QStringLiteral("Applicazione Gestione blindoro.");
    case ArgomentoGuida::Esportazione:
        break;
    }
    return QStringLiteral("Esportazione blindoro in Microsoft Excel.");
}

QString CorpoGuida(ArgomentoGuida argomento) {
    return ParagrafiGuida(argomento).join(QStringLiteral("\r\n\r\n"));
}
