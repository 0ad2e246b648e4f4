#pragma once

#include <functional>

class QLineEdit;

// Runs `aggiorna` after every change of the field's text and every key released in it (the
// password windows recompute whether OK may be pressed).
void seguiModifiche(QLineEdit* campo, std::function<void()> aggiorna);
