#include "core/helptext/Tastiera.h"

#include <QStringList>

Scorciatoia TastoGuida() {
    return {QStringLiteral("F1"), QStringLiteral("F1")};
}

Scorciatoia TastoStampa() {
    return {QStringLiteral("Ctrl+P"), QStringLiteral("Ctrl+P")};
}

// Ctrl+E would be the natural key, but on Linux desktops a text field takes it to move to the end
// of its line.
Scorciatoia TastoEsportazione() {
    return {QStringLiteral("Ctrl+Shift+X"), QStringLiteral("Ctrl+Maiusc+X")};
}

// Ctrl+Alt with the field's initial: no text field takes Ctrl+Alt and a letter for itself, and the
// desktops' own Ctrl+Alt keys are others (the arrows, Canc, the function keys, L to lock the
// screen, T for a terminal).
Scorciatoia TastoCopiaPassword() {
    return {QStringLiteral("Ctrl+Alt+P"), QStringLiteral("Ctrl+Alt+P")};
}

Scorciatoia TastoCopiaUtente() {
    return {QStringLiteral("Ctrl+Alt+U"), QStringLiteral("Ctrl+Alt+U")};
}

Scorciatoia TastoCopiaIndirizzo() {
    return {QStringLiteral("Ctrl+Alt+I"), QStringLiteral("Ctrl+Alt+I")};
}

// With Shift, as the export's key.
Scorciatoia TastoImportazione() {
    return {QStringLiteral("Ctrl+Shift+I"), QStringLiteral("Ctrl+Maiusc+I")};
}

// The standard keys where the desktop has one (new, save, find, print, help, close), the others
// chosen among those that no text field takes for itself on any desktop.
QList<ComandoDaTastiera> ComandiGestioneDaTastiera() {
    const auto comando = [](const char* controllo, const char* nome, const char* tasti,
                            const char* testo) {
        return ComandoDaTastiera{QString::fromUtf8(controllo),
                                 QString::fromUtf8(nome),
                                 {QString::fromUtf8(tasti), QString::fromUtf8(testo)}};
    };
    return {
        comando("cmdNuovo", "Nuovo", "Ctrl+N", "Ctrl+N"),
        comando("cmdDuplica", "Duplica", "Ctrl+D", "Ctrl+D"),
        comando("cmdSalva", "Salva", "Ctrl+S", "Ctrl+S"),
        comando("cmdTrova", "Trova", "Ctrl+F", "Ctrl+F"),
        comando("cmdFile", "Allega file", "Ctrl+L", "Ctrl+L"),
        comando("cmdStampa", "Stampa scheda", "Ctrl+P", "Ctrl+P"),
        comando("cmdPrimo", "prima scheda", "Alt+Home", "Alt+Home"),
        comando("cmdIndietro", "scheda precedente", "Alt+Left", "Alt+Freccia sinistra"),
        comando("cmdAvanti", "scheda successiva", "Alt+Right", "Alt+Freccia destra"),
        comando("cmdUltimo", "ultima scheda", "Alt+End", "Alt+Fine"),
        {QStringLiteral("cmdEsporta"), QStringLiteral("Esporta"), TastoEsportazione()},
        comando("cmdScadenze", "password scadute", "Ctrl+R", "Ctrl+R"),
        comando("cmdGuida", "Guida", "F1", "F1"),
        comando("cmdEsci", "Esci", "Ctrl+W", "Ctrl+W"),
        comando("btnSito", "visita il sito Web", "Ctrl+Shift+W", "Ctrl+Maiusc+W"),
        comando("btnPassword", "mostra o nasconde la password", "Ctrl+Shift+P", "Ctrl+Maiusc+P"),
        comando("btnRisposta", "mostra o nasconde la risposta segreta", "Ctrl+Shift+R",
                "Ctrl+Maiusc+R"),
        comando("btnCodFisc", "controlla il codice fiscale", "Ctrl+Shift+C", "Ctrl+Maiusc+C"),
        comando("btnEmail", "invia una e-mail", "Ctrl+Shift+E", "Ctrl+Maiusc+E"),
        {QStringLiteral("actCopiaPassword"), QStringLiteral("copia la password"),
         TastoCopiaPassword()},
        {QStringLiteral("actCopiaUtente"), QStringLiteral("copia il nome utente"),
         TastoCopiaUtente()},
        {QStringLiteral("actCopiaIndirizzo"), QStringLiteral("copia l'indirizzo del sito"),
         TastoCopiaIndirizzo()},
        comando("actGeneraPassword", "Genera password", "Ctrl+Alt+G", "Ctrl+Alt+G"),
        comando("actValutaPassword", "Valuta la password", "Ctrl+Alt+V", "Ctrl+Alt+V"),
        {QStringLiteral("actImportaSchede"), QStringLiteral("Importa schede"), TastoImportazione()},
    };
}

QString TestoComandiDaTastiera() {
    QStringList voci;
    for (const ComandoDaTastiera& comando : ComandiGestioneDaTastiera())
        voci << comando.nome + QStringLiteral(" (") + comando.scorciatoia.testo + QLatin1Char(')');
    return QStringLiteral("Tutti i comandi della finestra di gestione delle schede si possono dare "
                          "anche dalla tastiera, senza il mouse: ") +
           voci.join(QStringLiteral(", ")) +
           QStringLiteral(". Il comando Importa schede si trova anche nel menu che si apre con il "
                          "tasto destro del mouse sullo sfondo della finestra, o con il tasto "
                          "Menu fuori dai campi: legge un file CSV esportato da KeePassXC, da "
                          "Bitwarden, da Chrome o Edge, da Firefox, o il foglio di calcolo di "
                          "Blindoro salvato come CSV, ne mostra in anteprima le schede e le "
                          "aggiunge tutte insieme in fondo all'archivio. Il tasto Tab passa da un "
                          "campo al successivo; nei campi delle date "
                          "un tasto qualsiasi apre il calendario, Canc o Backspace li svuotano. "
                          "Nelle altre finestre il tasto Tab raggiunge ogni pulsante, che si preme "
                          "con la barra spaziatrice o con Invio, il tasto F1 apre la guida e Esc "
                          "chiude le finestre di dialogo. ") +
           TestoCopiaNegliAppunti();
}

QString TestoCopiaNegliAppunti() {
    return QStringLiteral("Nelle finestre di ricerca e delle password scadute %1 e %2 copiano la "
                          "password e il nome utente della scheda della riga selezionata. Ciò che "
                          "si copia resta negli appunti per %3 secondi, poi gli appunti vengono "
                          "svuotati, a meno che nel frattempo vi sia stato copiato altro.")
        .arg(TastoCopiaPassword().testo, TastoCopiaUtente().testo,
             QString::number(SecondiNegliAppunti));
}
