#pragma once

#include <functional>

class QWidget;

// The milliseconds from the start of `azione` to the first paint of the widget it returns, which
// comes from the event loop after the action (at most `limite` milliseconds; -1 when it never
// came). The widget may be one the action has just made.
double FinoAlDisegno(const std::function<QWidget*()>& azione, int limite = 10000);
