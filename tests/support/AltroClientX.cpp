#include "support/AltroClientX.h"

#include "support/SchermoVirtuale.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

QString nomeSelezione(AltroClientX::Selezione selezione) {
    return selezione == AltroClientX::Selezione::Appunti ? QStringLiteral("clipboard")
                                                         : QStringLiteral("primary");
}

// What xclip says when the selection has no owner or the owner has no such type.
bool nienteOfferto(const QByteArray& errori) {
    return errori.contains("not available");
}

} // namespace

AltroClientX::AltroClientX(const QString& schermo)
    : schermo_(schermo) {}

AltroClientX::~AltroClientX() {
    for (const auto& offerta : offerte_) {
        offerta->kill();
        offerta->waitForFinished(10000);
    }
}

std::optional<QByteArray> AltroClientX::leggi(Selezione selezione, const QStringList& altri) {
    errore_.clear();
    QProcess xclip;
    xclip.setChildProcessModifier(LegatoAlTest());
    xclip.start(QStringLiteral("xclip"),
                QStringList{QStringLiteral("-display"), schermo_, QStringLiteral("-selection"),
                            nomeSelezione(selezione)} +
                    altri + QStringList{QStringLiteral("-o")});
    if (!xclip.waitForStarted(10000)) {
        errore_ = QStringLiteral("xclip did not start (%1); the package xclip provides it")
                      .arg(xclip.errorString());
        return std::nullopt;
    }
    if (!xclip.waitForFinished(static_cast<int>(AttesaMassima.count()))) {
        errore_ = QStringLiteral("the owner of the selection did not answer xclip");
        xclip.kill();
        xclip.waitForFinished(10000);
        return std::nullopt;
    }
    const QByteArray errori = xclip.readAllStandardError();
    if (xclip.exitStatus() == QProcess::NormalExit && xclip.exitCode() == 0)
        return xclip.readAllStandardOutput();
    if (!nienteOfferto(errori))
        errore_ = QStringLiteral("xclip: ") + QString::fromLocal8Bit(errori).trimmed();
    return std::nullopt;
}

std::optional<QString> AltroClientX::testo(Selezione selezione) {
    const auto letto = leggi(selezione, {});
    if (!letto)
        return std::nullopt;
    return QString::fromUtf8(*letto);
}

QStringList AltroClientX::tipi(Selezione selezione) {
    const auto letto = leggi(selezione, {QStringLiteral("-t"), QStringLiteral("TARGETS")});
    if (!letto)
        return {};
    return QString::fromLatin1(*letto).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool AltroClientX::copia(Selezione selezione, const QString& testo) {
    auto xclip = std::make_unique<QProcess>();
    xclip->setChildProcessModifier(LegatoAlTest());
    xclip->setStandardOutputFile(QProcess::nullDevice());
    xclip->setStandardErrorFile(QProcess::nullDevice());
    // In the foreground: it offers the text until another client copies over it, or it is ended.
    xclip->start(QStringLiteral("xclip"),
                 {QStringLiteral("-display"), schermo_, QStringLiteral("-selection"),
                  nomeSelezione(selezione), QStringLiteral("-quiet"), QStringLiteral("-i")});
    if (!xclip->waitForStarted(10000)) {
        errore_ = QStringLiteral("xclip did not start (%1); the package xclip provides it")
                      .arg(xclip->errorString());
        return false;
    }
    xclip->write(testo.toUtf8());
    xclip->closeWriteChannel();
    // Nothing is written before the event loop runs, or before this.
    xclip->waitForBytesWritten(10000);
    offerte_.push_back(std::move(xclip));
    // xclip takes the selection once it has read all of its input.
    QElapsedTimer tempo;
    tempo.start();
    while (tempo.elapsed() < AttesaMassima.count()) {
        const auto offerto = this->testo(selezione);
        if (offerto == testo)
            return true;
        if (!errore_.isEmpty())
            return false;
        QThread::msleep(10);
    }
    errore_ = QStringLiteral("xclip did not take the selection in time");
    return false;
}
