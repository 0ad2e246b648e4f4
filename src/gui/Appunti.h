#pragma once

#include <QClipboard>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <chrono>

class QMimeData;

// The clipboard as a password program must use it: a copied secret is offered on the clipboard
// and, where the desktop has one (X11), on the primary selection, marked as a secret so that
// clipboard histories that honour the mark do not keep it; after a delay, and at once when the
// program ends, it is taken away again, but only from where it still is: a text copied since, in
// this program or in another one, is never touched.
//
// The copied text is never written anywhere else (no log, no hint, no tooltip): the signals say
// what kind of text it was, never the text.
class Appunti : public QObject {
    Q_OBJECT
public:
    // What the text is, for the caller's own words about it.
    enum class Dato { Password, NomeUtente, Indirizzo };
    Q_ENUM(Dato)

    // How long a copy stays in the program.
    static constexpr std::chrono::milliseconds AttesaPredefinita{10000};
    // The MIME type by which clipboard managers recognise a secret, and its value.
    static constexpr const char* TipoSegreto = "x-kde-passwordManagerHint";
    static constexpr const char* ValoreSegreto = "secret";

    struct Impostazioni {
        std::chrono::milliseconds attesa = AttesaPredefinita;
        // A program that empties the clipboard where the toolkit may be refused (wl-copy on a
        // Wayland desktop, which ignores a program that does not have the focus); empty: none.
        // It is run with "--clear", and with "--primary --clear" for the selection.
        QString sgomberoEsterno = sgomberoDelSistema();
    };

    // The one the windows share, so that a copy from any of them restarts the same delay: made on
    // first use, with the program's delay, and kept until the application ends.
    static Appunti& programma();

    explicit Appunti(QObject* parent = nullptr);
    Appunti(const Impostazioni& impostazioni, QObject* parent = nullptr);
    ~Appunti() override;

    // Puts the text on the clipboard (and the selection) and starts the delay again; a copy made
    // before is replaced, and no `cancellato` comes for it. An empty text copies nothing and
    // leaves the clipboard and a running delay as they are. True when the text was copied.
    bool copia(const QString& testo, Dato dato);

    // Takes the copied text away now from wherever it still is; the program's end calls it.
    void cancella();

    // The delay in whole seconds, as the user is told it.
    int secondiAttesa() const;

    // wl-copy when the program runs as a Wayland client and wl-copy is installed; empty otherwise.
    static QString sgomberoDelSistema();

Q_SIGNALS:
    // The text is on the clipboard, for `secondi` seconds.
    void copiato(Appunti::Dato dato, int secondi);
    // The text was empty: nothing was copied.
    void nienteDaCopiare(Appunti::Dato dato);
    // The delay ran out or the program ends: the text is no longer offered. `svuotati` is false
    // when nothing was taken away because the user had copied something else over it everywhere.
    void cancellato(Appunti::Dato dato, bool svuotati);

private:
    bool ancoraNostro(QClipboard::Mode modo) const;
    void svuota(QClipboard::Mode modo);

    Impostazioni impostazioni_;
    QTimer attesa_;
    Dato dato_ = Dato::Password;
    bool inAttesa_ = false;
    // What the program gave the clipboard and the selection: the clipboard owns them and frees
    // them as soon as anything else is copied there.
    QPointer<QMimeData> appunti_;
    QPointer<QMimeData> selezione_;
};
