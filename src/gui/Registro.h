#pragma once

#include <QLoggingCategory>

// Where the reason of a caught failure goes. The windows show their fixed messages to the user;
// the reason itself (the system's error, the file concerned) goes to these categories, which are
// off unless asked for: QT_LOGGING_RULES="blindoro.*=true". Nothing written here ever holds a
// password or the content of a field.
Q_DECLARE_LOGGING_CATEGORY(RegistroArchivio) // blindoro.archivio: reading and writing archives
Q_DECLARE_LOGGING_CATEGORY(RegistroAccesso)  // blindoro.accesso: the access-password file
Q_DECLARE_LOGGING_CATEGORY(RegistroFile)     // blindoro.file: exports, attachments, prints
