#include "FinoAlDisegno.h"

#include "Banco.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace {

// Ends the loop at the first paint of the widget it watches.
class PrimoDisegno : public QObject {
public:
    explicit PrimoDisegno(QEventLoop& ciclo)
        : ciclo_(ciclo) {}
    bool dipinto = false;

protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::Paint && !dipinto) {
            dipinto = true;
            ciclo_.quit();
        }
        return false;
    }

private:
    QEventLoop& ciclo_;
};

} // namespace

double FinoAlDisegno(const std::function<QWidget*()>& azione, int limite) {
    QEventLoop ciclo;
    PrimoDisegno attesa(ciclo);
    QTimer::singleShot(limite, &ciclo, &QEventLoop::quit);
    const auto inizio = Orologio::now();
    QWidget* disegnato = azione();
    disegnato->installEventFilter(&attesa);
    ciclo.exec();
    const double ms = Millisecondi(Orologio::now() - inizio);
    disegnato->removeEventFilter(&attesa);
    return attesa.dipinto ? ms : -1;
}
