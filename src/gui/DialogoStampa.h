#pragma once

#include "gui/DialogoSopra.h"

#include <QPrintDialog>

class QPrinter;

// Qt's print dialog as the program shows it, over the window that prints (DialogoSopra.h), wide
// enough to show the whole path of the file it would write. It offers only the choices the
// printing honours:
// - a range of pages among the document's own (the dialog knows how many there are);
// - copies, collation, reverse order, grey scale, the printer's two-sided printing;
// - not the printer's properties (paper size, orientation, margins): the report's template fixes
//   its paper and layout;
// - not the pages a print server would pick itself (a list such as "3,5-7", odd or even pages):
//   the program would never learn what was printed, nor could it say when nothing was.
class TDialogoStampa : public SopraFinestra<QPrintDialog> {
public:
    TDialogoStampa(QWidget* chiamante, QPrinter& stampante, int pagine);

protected:
    void showEvent(QShowEvent* e) override;
};
