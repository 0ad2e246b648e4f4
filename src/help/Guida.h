#pragma once

#include "core/helptext/TestiGuida.h"
#include "gui/Finestra.h"

#include <memory>

namespace Ui {
class TfrmGuida;
}

// The help window: one topic (its title and its paragraphs) and a link to the whole help document,
// Guida.pdf in the program folder.
class TfrmGuida : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* parent = nullptr);
    ~TfrmGuida() override;

    void mostraArgomento(ArgomentoGuida argomento);

    void lnkWebClick();
    void btnChiudiClick();

private:
    std::unique_ptr<Ui::TfrmGuida> ui;
};

// Opens a new help window owned by `proprietario` on a topic, modally, and frees it on return.
void apriGuida(QWidget* proprietario, ArgomentoGuida argomento);
