#include "SessioneX.h"

#include <QElapsedTimer>
#include <QThread>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

#include <sys/select.h>
#include <vector>

using namespace std::chrono_literals;

namespace {

// The keysym of a character: Latin-1 keysyms are the character codes, the others are the code
// with 0x01000000 added.
KeySym simboloDi(QChar carattere) {
    if (carattere == QLatin1Char('\n'))
        return XK_Return;
    const unsigned codice = carattere.unicode();
    return codice < 0x100 ? codice : 0x01000000 | codice;
}

// A window may be gone by the time it is asked about (a message box closes, Qt drops a helper
// window): Xlib's default handler would end the test for that. The request simply yields nothing.
int ignoraErrore(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

SessioneX::SessioneX(const QString& schermo) {
    // A server that was just started may take a moment before it answers.
    QElapsedTimer tempo;
    tempo.start();
    while (!schermo_ && tempo.elapsed() < 30000) {
        schermo_ = XOpenDisplay(schermo.toLocal8Bit().constData());
        if (!schermo_)
            QThread::msleep(50);
    }
    if (!schermo_) {
        errore_ = QStringLiteral("cannot connect to the X display ") + schermo;
        return;
    }
    int evento, errore, maggiore, minore;
    if (!XTestQueryExtension(schermo_, &evento, &errore, &maggiore, &minore)) {
        errore_ = QStringLiteral("the X server has no XTEST extension");
        XCloseDisplay(schermo_);
        schermo_ = nullptr;
        return;
    }
    XSetErrorHandler(ignoraErrore);
    orologio_.start();
    radice_ = DefaultRootWindow(schermo_);
    XSelectInput(schermo_, radice_, SubstructureNotifyMask);
    XSync(schermo_, False);
}

SessioneX::~SessioneX() {
    if (schermo_)
        XCloseDisplay(schermo_);
}

void SessioneX::preparaTasti(const QString& testo) {
    int primo, ultimo, perTasto;
    XDisplayKeycodes(schermo_, &primo, &ultimo);
    KeySym* mappa =
        XGetKeyboardMapping(schermo_, static_cast<KeyCode>(primo), ultimo - primo + 1, &perTasto);
    const auto libero = [&](int codice) {
        for (int livello = 0; livello < perTasto; ++livello)
            if (mappa[(codice - primo) * perTasto + livello] != NoSymbol)
                return false;
        return true;
    };
    int candidato = ultimo;
    for (QChar carattere : testo) {
        const KeySym simbolo = simboloDi(carattere);
        if (XKeysymToKeycode(schermo_, simbolo) != 0 || tastiAggiunti_.count(simbolo))
            continue;
        while (candidato >= primo && !libero(candidato))
            --candidato;
        if (candidato < primo) {
            errore_ = QStringLiteral("no free key for ") + carattere;
            break;
        }
        // The same symbol on both levels: no Shift is needed for it.
        std::vector<KeySym> simboli(static_cast<std::size_t>(perTasto), NoSymbol);
        simboli[0] = simbolo;
        if (perTasto > 1)
            simboli[1] = simbolo;
        XChangeKeyboardMapping(schermo_, candidato, perTasto, simboli.data(), 1);
        tastiAggiunti_[simbolo] = static_cast<unsigned char>(candidato);
        --candidato;
    }
    XFree(mappa);
    XSync(schermo_, False);
}

void SessioneX::leggiEventi() {
    while (XPending(schermo_)) {
        XEvent evento;
        XNextEvent(schermo_, &evento);
        switch (evento.type) {
        case MapNotify:
            mappate_[evento.xmap.window] = true;
            annota(QStringLiteral("map 0x%1 \"%2\"")
                       .arg(evento.xmap.window, 0, 16)
                       .arg(titolo(evento.xmap.window)));
            break;
        case UnmapNotify:
            mappate_[evento.xunmap.window] = false;
            annota(QStringLiteral("unmap 0x%1").arg(evento.xunmap.window, 0, 16));
            break;
        case DestroyNotify:
            mappate_.erase(evento.xdestroywindow.window);
            break;
        case ConfigureNotify:
            annota(QStringLiteral("configure 0x%1 %2x%3+%4+%5")
                       .arg(evento.xconfigure.window, 0, 16)
                       .arg(evento.xconfigure.width)
                       .arg(evento.xconfigure.height)
                       .arg(evento.xconfigure.x)
                       .arg(evento.xconfigure.y));
            break;
        default:
            break;
        }
    }
}

QString SessioneX::titolo(Finestra finestra) const {
    const Atom nomeNet = XInternAtom(schermo_, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(schermo_, "UTF8_STRING", False);
    Atom tipo = 0;
    int formato = 0;
    unsigned long elementi = 0, restanti = 0;
    unsigned char* dati = nullptr;
    QString testo;
    if (XGetWindowProperty(schermo_, finestra, nomeNet, 0, 1024, False, utf8, &tipo, &formato,
                           &elementi, &restanti, &dati) == Success &&
        dati && tipo == utf8)
        testo = QString::fromUtf8(reinterpret_cast<const char*>(dati),
                                  static_cast<qsizetype>(elementi));
    else {
        char* nome = nullptr;
        if (XFetchName(schermo_, finestra, &nome) && nome) {
            testo = QString::fromLatin1(nome);
            XFree(nome);
        }
    }
    if (dati)
        XFree(dati);
    return testo;
}

bool SessioneX::aspetta(const std::function<bool()>& fatto, std::chrono::milliseconds limite) {
    QElapsedTimer tempo;
    tempo.start();
    const int connessione = ConnectionNumber(schermo_);
    for (;;) {
        leggiEventi();
        if (fatto())
            return true;
        if (vivo_ && !vivo_()) {
            errore_ = QStringLiteral("the program ended while the test waited for it");
            return false;
        }
        if (tempo.elapsed() > limite.count()) {
            errore_ = QStringLiteral("nothing came in %1 s").arg(limite.count() / 1000.0);
            return false;
        }
        fd_set pronti;
        FD_ZERO(&pronti);
        FD_SET(connessione, &pronti);
        timeval attesa{0, 20000};
        select(connessione + 1, &pronti, nullptr, nullptr, &attesa);
    }
}

SessioneX::Finestra SessioneX::aspettaFinestra(const QString& cercato,
                                               std::chrono::milliseconds limite) {
    Finestra trovata = 0;
    const bool arrivata = aspetta(
        [&] {
            for (const auto& [finestra, mappata] : mappate_)
                if (mappata && titolo(finestra) == cercato) {
                    trovata = finestra;
                    return true;
                }
            return false;
        },
        limite);
    if (!arrivata)
        errore_ = QStringLiteral("window \"%1\": %2").arg(cercato, errore_);
    return trovata;
}

bool SessioneX::aspettaChiusura(Finestra finestra, std::chrono::milliseconds limite) {
    return aspetta(
        [&] {
            const auto voce = mappate_.find(finestra);
            return voce == mappate_.end() || !voce->second;
        },
        limite);
}

bool SessioneX::aspettaFuoco(Finestra finestra, std::chrono::milliseconds limite) {
    return aspetta(
        [&] {
            Window fuoco = 0;
            int ripiego = 0;
            XGetInputFocus(schermo_, &fuoco, &ripiego);
            return fuoco == finestra;
        },
        limite);
}

QRect SessioneX::geometria(Finestra finestra) {
    XWindowAttributes attributi;
    if (!XGetWindowAttributes(schermo_, finestra, &attributi))
        return {};
    int x = 0, y = 0;
    Window figlia = 0;
    XTranslateCoordinates(schermo_, finestra, radice_, 0, 0, &x, &y, &figlia);
    return {x, y, attributi.width, attributi.height};
}

void SessioneX::spostaPuntatore(QPoint puntoSchermo) {
    XTestFakeMotionEvent(schermo_, -1, puntoSchermo.x(), puntoSchermo.y(), CurrentTime);
    invia();
}

bool SessioneX::clic(Finestra finestra, QPoint punto) {
    const QPoint sulloSchermo = geometria(finestra).topLeft() + punto;
    spostaPuntatore(sulloSchermo);
    annota(QStringLiteral("pointer at %1,%2 for 0x%3")
               .arg(sulloSchermo.x())
               .arg(sulloSchermo.y())
               .arg(finestra, 0, 16));
    // Windows are mapped again where they were in the stacking order, so during a hand-over the
    // window being left may still cover the one reached: the click waits until the pointer is
    // on the window it is meant for.
    const bool sopra = aspetta(
        [&] {
            Window radice = 0, figlia = 0;
            int xr, yr, xf, yf;
            unsigned stato;
            XQueryPointer(schermo_, radice_, &radice, &figlia, &xr, &yr, &xf, &yf, &stato);
            return figlia == finestra;
        },
        AttesaMassima);
    if (!sopra) {
        errore_ = QStringLiteral("another window covers the point to click: ") + errore_;
        return false;
    }
    XTestFakeButtonEvent(schermo_, Button1, True, CurrentTime);
    XTestFakeButtonEvent(schermo_, Button1, False, CurrentTime);
    invia();
    return true;
}

void SessioneX::annota(const QString& riga) {
    if (storia_.size() >= 400)
        storia_.removeFirst();
    storia_.append(QStringLiteral("%1 ms  %2").arg(orologio_.elapsed(), 6).arg(riga));
}

bool SessioneX::tastoSimbolo(unsigned long simbolo) {
    const auto aggiunto = tastiAggiunti_.find(simbolo);
    const KeyCode codice =
        aggiunto != tastiAggiunti_.end() ? aggiunto->second : XKeysymToKeycode(schermo_, simbolo);
    if (codice == 0) {
        errore_ = QStringLiteral("no key types keysym 0x%1").arg(simbolo, 0, 16);
        return false;
    }
    const bool maiuscolo = XkbKeycodeToKeysym(schermo_, codice, 0, 0) != simbolo &&
                           XkbKeycodeToKeysym(schermo_, codice, 0, 1) == simbolo;
    const KeyCode shift = XKeysymToKeycode(schermo_, XK_Shift_L);
    if (maiuscolo)
        XTestFakeKeyEvent(schermo_, shift, True, CurrentTime);
    XTestFakeKeyEvent(schermo_, codice, True, CurrentTime);
    XTestFakeKeyEvent(schermo_, codice, False, CurrentTime);
    if (maiuscolo)
        XTestFakeKeyEvent(schermo_, shift, False, CurrentTime);
    return true;
}

bool SessioneX::digita(const QString& testo) {
    bool battuto = true;
    for (qsizetype i = 0; battuto && i < testo.size(); ++i)
        battuto = tastoSimbolo(simboloDi(testo[i]));
    invia();
    return battuto;
}

bool SessioneX::premi(const char* tasto, int modificatori) {
    std::vector<KeyCode> tenuti;
    if (modificatori & Control)
        tenuti.push_back(XKeysymToKeycode(schermo_, XK_Control_L));
    if (modificatori & Alt)
        tenuti.push_back(XKeysymToKeycode(schermo_, XK_Alt_L));
    for (const KeyCode tenuto : tenuti)
        XTestFakeKeyEvent(schermo_, tenuto, True, CurrentTime);
    const bool battuto = tastoSimbolo(XStringToKeysym(tasto));
    for (auto tenuto = tenuti.rbegin(); tenuto != tenuti.rend(); ++tenuto)
        XTestFakeKeyEvent(schermo_, *tenuto, False, CurrentTime);
    invia();
    return battuto;
}

bool SessioneX::aspettaProprietario(const char* selezione, bool presente,
                                    std::chrono::milliseconds limite) {
    const Atom atomo = XInternAtom(schermo_, selezione, False);
    // Each change of owner comes as an event, which ends the wait's sleep at once.
    int evento = 0, errore = 0;
    if (XFixesQueryExtension(schermo_, &evento, &errore))
        XFixesSelectSelectionInput(schermo_, radice_, atomo, XFixesSetSelectionOwnerNotifyMask);
    const bool visto =
        aspetta([&] { return (XGetSelectionOwner(schermo_, atomo) != 0) == presente; }, limite);
    annota(
        QStringLiteral("%1 %2").arg(QString::fromLatin1(selezione),
                                    presente ? QStringLiteral("owned") : QStringLiteral("free")));
    return visto;
}

void SessioneX::invia() {
    XSync(schermo_, False);
}

QImage SessioneX::foto(Finestra finestra, std::chrono::milliseconds limite) {
    const auto scatta = [this, finestra] {
        const QRect area = geometria(finestra);
        XImage* immagine = XGetImage(schermo_, finestra, 0, 0, static_cast<unsigned>(area.width()),
                                     static_cast<unsigned>(area.height()), AllPlanes, ZPixmap);
        if (!immagine)
            return QImage();
        QImage copia;
        if (immagine->bits_per_pixel == 32)
            copia = QImage(reinterpret_cast<const uchar*>(immagine->data), area.width(),
                           area.height(), immagine->bytes_per_line, QImage::Format_RGB32)
                        .copy();
        XDestroyImage(immagine);
        return copia;
    };
    QImage ultima = scatta();
    QElapsedTimer tempo;
    tempo.start();
    while (tempo.elapsed() < limite.count()) {
        QElapsedTimer pausa;
        pausa.start();
        aspetta([&] { return pausa.elapsed() >= 300; }, 1s);
        const QImage nuova = scatta();
        if (!nuova.isNull() && nuova == ultima)
            return nuova;
        ultima = nuova;
    }
    errore_ = QStringLiteral("the window did not stop changing");
    return {};
}
