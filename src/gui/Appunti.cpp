#include "gui/Appunti.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace {

QMimeData* datiSegreti(const QString& testo) {
    auto* dati = new QMimeData;
    dati->setText(testo);
    dati->setData(QString::fromLatin1(Appunti::TipoSegreto), QByteArray(Appunti::ValoreSegreto));
    return dati;
}

} // namespace

Appunti& Appunti::programma() {
    static QPointer<Appunti> istanza;
    if (!istanza)
        istanza = new Appunti(QCoreApplication::instance());
    return *istanza;
}

Appunti::Appunti(QObject* parent)
    : Appunti(Impostazioni{}, parent) {}

Appunti::Appunti(const Impostazioni& impostazioni, QObject* parent)
    : QObject(parent)
    , impostazioni_(impostazioni) {
    attesa_.setSingleShot(true);
    // A coarse timer may fire a little early; the user was told a number of seconds.
    attesa_.setTimerType(Qt::PreciseTimer);
    connect(&attesa_, &QTimer::timeout, this, &Appunti::cancella);
    // However the program ends short of a kill, its event loop returns first (the signals that
    // end it are turned into a quit), while the connection to the display is still open: Qt's X11
    // plugin hands what the program still offers to a clipboard manager when it closes that
    // connection, so the text must be gone before.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
        cancella();
        QGuiApplication::sync();
    });
}

Appunti::~Appunti() {
    // When the application itself is going, the clipboard already is.
    if (!QCoreApplication::closingDown())
        cancella();
}

bool Appunti::copia(const QString& testo, Dato dato) {
    if (testo.isEmpty()) {
        Q_EMIT nienteDaCopiare(dato);
        return false;
    }
    QClipboard* appunti = QGuiApplication::clipboard();
    // One object for each place: the clipboard frees each one as soon as something else is
    // copied there, which is how a copy made since is told from the program's own.
    appunti_ = datiSegreti(testo);
    appunti->setMimeData(appunti_, QClipboard::Clipboard);
    selezione_ = nullptr;
    if (appunti->supportsSelection()) {
        selezione_ = datiSegreti(testo);
        appunti->setMimeData(selezione_, QClipboard::Selection);
    }
    dato_ = dato;
    inAttesa_ = true;
    attesa_.start(impostazioni_.attesa);
    Q_EMIT copiato(dato, secondiAttesa());
    return true;
}

void Appunti::cancella() {
    attesa_.stop();
    if (!inAttesa_)
        return;
    inAttesa_ = false;
    bool svuotati = false;
    for (const QClipboard::Mode modo : {QClipboard::Clipboard, QClipboard::Selection})
        if (ancoraNostro(modo)) {
            svuota(modo);
            svuotati = true;
        }
    appunti_ = nullptr;
    selezione_ = nullptr;
    Q_EMIT cancellato(dato_, svuotati);
}

int Appunti::secondiAttesa() const {
    return static_cast<int>((impostazioni_.attesa.count() + 999) / 1000);
}

QString Appunti::sgomberoDelSistema() {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return {};
    return QStandardPaths::findExecutable(QStringLiteral("wl-copy"));
}

// Still the object the program gave: on X11 and Wayland the clipboard answers with it only while
// the program still owns that selection.
bool Appunti::ancoraNostro(QClipboard::Mode modo) const {
    const QPointer<QMimeData>& nostro = modo == QClipboard::Clipboard ? appunti_ : selezione_;
    return nostro && QGuiApplication::clipboard()->mimeData(modo) == nostro.data();
}

void Appunti::svuota(QClipboard::Mode modo) {
    QGuiApplication::clipboard()->clear(modo);
    if (impostazioni_.sgomberoEsterno.isEmpty())
        return;
    QStringList argomenti;
    if (modo == QClipboard::Selection)
        argomenti << QStringLiteral("--primary");
    argomenti << QStringLiteral("--clear");
    QProcess::startDetached(impostazioni_.sgomberoEsterno, argomenti);
}
