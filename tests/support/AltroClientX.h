#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

// Another program on an X display, reading and copying texts with xclip as any program would,
// for the tests of what the program offers on the clipboard and the primary selection. A read
// waits for the owner's answer, so the owner must be another process.
class AltroClientX {
public:
    enum class Selezione { Appunti, Primaria };

    explicit AltroClientX(const QString& schermo);
    // The texts it still offers go with it.
    ~AltroClientX();
    AltroClientX(const AltroClientX&) = delete;
    AltroClientX& operator=(const AltroClientX&) = delete;

    // The text offered there; nullopt when none is (no owner, or an owner without a text). A
    // failure of xclip itself (missing, no display, no answer in time) gives nullopt as well, and
    // errore() says what it was; it is empty otherwise.
    std::optional<QString> testo(Selezione selezione);
    // The data types the owner offers (its TARGETS); empty when there is no owner.
    QStringList tipi(Selezione selezione);
    // Copies the text there, as the user would in another program; true once it is offered.
    bool copia(Selezione selezione, const QString& testo);

    QString errore() const { return errore_; }

private:
    std::optional<QByteArray> leggi(Selezione selezione, const QStringList& altri);

    QString schermo_;
    QString errore_;
    std::vector<std::unique_ptr<QProcess>> offerte_;
};
