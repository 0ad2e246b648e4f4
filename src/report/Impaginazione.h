#pragma once

#include "report/OggettiRapporto.h"
#include "report/PagineStampa.h"

#include <QDate>
#include <QList>

// Lays out one report page of a template with the views' current contents: the page's own objects
// once on its first sheet; then its bands in order (title, master data, footer), each below the
// last, a band that does not fit the room left going to a new sheet; a band that may split
// continues on the next sheet, cut only between lines of text, so no line is cut in half, lost or
// printed twice, and its blank end never starts a sheet. The page-footer bands print at the
// bottom of every sheet (one left off the sheet that carries the footer when it asks so), and no
// other band enters their room. "[DATE]" in a memo that allows expressions becomes `dataStampa`;
// "[PAGE]" and "[PAGES]" stay for NumeraFogli. Throws ErroreRapporto when the page footers leave
// no room.
QList<PaginaStampa> ImpaginaPagina(const TPaginaRapporto& pagina, const QDate& dataStampa);

// Fills in "[PAGE]" (the sheet's number, from 1) and "[PAGES]" (how many sheets there are) in the
// texts of memos that allow expressions, once every sheet of the report is laid out.
void NumeraFogli(QList<PaginaStampa>& fogli);
