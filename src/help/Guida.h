#pragma once

#include "app/Finestra.h"

// The three help topics: the start window's, the archive and record windows', the export's.
enum class ArgomentoGuida { Avvio, Gestione, Esportazione };

class TfrmGuida : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* parent = nullptr);
};

// Opens a new help window owned by `proprietario` on a topic, modally, and frees it on return.
void apriGuida(QWidget* proprietario, ArgomentoGuida argomento);
