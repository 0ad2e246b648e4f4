#pragma once

#include <QProcess>
#include <QString>

#include <chrono>
#include <functional>

// How long any one wait may last: far more than a window takes to come on a loaded machine, so
// only a program that is stuck or gone reaches it.
inline constexpr std::chrono::milliseconds AttesaMassima{60000};

// For QProcess::setChildProcessModifier: the child is killed as soon as the test process ends,
// however it ends (a failed check, a crash, a timeout), so no X server or program outlives a run.
// `prima` runs first in the child.
std::function<void()> LegatoAlTest(std::function<void()> prima = {});

// An X server of the test's own: Xvfb on the first free display number, which the server picks
// itself (-displayfd), so runs side by side never meet. It ends with this object.
class SchermoVirtuale {
public:
    explicit SchermoVirtuale(const QString& dimensioni = QStringLiteral("1280x1024x24"));
    ~SchermoVirtuale();
    SchermoVirtuale(const SchermoVirtuale&) = delete;
    SchermoVirtuale& operator=(const SchermoVirtuale&) = delete;

    // ":N"; empty when the server could not be started (errore() tells why).
    QString nome() const { return nome_; }
    QString errore() const { return errore_; }

private:
    QProcess server_;
    QString nome_;
    QString errore_;
};
