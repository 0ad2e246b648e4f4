#include "access/CampiPassword.h"

#include "gui/Guardia.h"

#include <QEvent>
#include <QLineEdit>

namespace {

class RilascioTasto : public QObject {
public:
    RilascioTasto(QObject* campo, std::function<void()> azione)
        : QObject(campo)
        , azione_(std::move(azione)) {
        campo->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::KeyRelease)
            EseguiAzione(azione_);
        return false;
    }

private:
    std::function<void()> azione_;
};

} // namespace

void seguiModifiche(QLineEdit* campo, std::function<void()> aggiorna) {
    QObject::connect(campo, &QLineEdit::textChanged, campo, SottoGuardia(aggiorna));
    new RilascioTasto(campo, std::move(aggiorna));
}
