// Writes the access-password file delivered beside the program: the initial password, normalised
// and enciphered by the program's own routines.
//
//   genera_accesso <file> <password>

#include "core/password/Accesso.h"
#include "core/password/Crypt.h"
#include "core/password/ProfiloPrivato.h"

#include <QFile>
#include <QString>
#include <cstdio>
#include <exception>
#include <stdexcept>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "uso: %s <file> <password>\n", argv[0]);
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    const QString password = NormalizzaPassword(QString::fromLocal8Bit(argv[2]));
    if (password.isEmpty() || !PasswordCifrabile(password)) {
        std::fprintf(stderr, "password iniziale non valida\n");
        return 2;
    }
    try {
        // A fresh file: nothing of an earlier one is kept.
        QFile::remove(file);
        ScriviValoreProfilo(file, Accesso::Sezione, Accesso::Chiave, EncryptToHex(password));
        // The program creates this file for its owner only; the delivered one holds the initial
        // password that the help names, and stays readable like the other delivered files.
        const auto lettura = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        if (!QFile::setPermissions(file, lettura | QFile::WriteOwner))
            throw std::runtime_error("permessi non impostati");
    } catch (const std::exception& errore) {
        std::fprintf(stderr, "%s: %s\n", argv[1], errore.what());
        return 1;
    }
    return 0;
}
