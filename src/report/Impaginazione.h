#pragma once

#include "report/OggettiRapporto.h"
#include "report/PagineStampa.h"

#include <QDate>
#include <QList>

// Lays out one report page of a template with the views' current contents: the page's own objects
// once on its first sheet; then its bands in order (title, master data, footer), each below the
// last, a band that does not fit the room left going to a new sheet; a band that may split
// continues on the next sheet, cut only between lines of text, so no line is cut in half, lost or
// printed twice. "[DATE]" in a memo that allows expressions becomes `dataStampa`.
QList<PaginaStampa> ImpaginaPagina(const TPaginaRapporto& pagina, const QDate& dataStampa);
