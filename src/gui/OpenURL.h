#pragma once

#include <QString>
#include <QUrl>

// The one way the program hands something to the desktop: a web address, a "mailto:" link or a
// document. Callers enclose a path or a mail link in double quotes, as the shell wants them.
class TMisc {
public:
    // Hands the address over and forgets it: whether a program answered is never reported.
    static void Open(const QString& sCommand);

    // What Open hands over for a command: http, https and mailto addresses and local files. Any
    // other scheme (an archive can hold anything in its URL field) gives an empty QUrl and is not
    // handed to the system at all.
    static QUrl IndirizzoDa(const QString& sCommand);
};
