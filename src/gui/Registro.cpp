#include "gui/Registro.h"

// Off by default: only critical messages would pass, and none is written.
Q_LOGGING_CATEGORY(RegistroArchivio, "blindoro.archivio", QtCriticalMsg)
Q_LOGGING_CATEGORY(RegistroAccesso, "blindoro.accesso", QtCriticalMsg)
Q_LOGGING_CATEGORY(RegistroFile, "blindoro.file", QtCriticalMsg)
