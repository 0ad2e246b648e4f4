#pragma once

#include "report/PagineStampa.h"

#include <QList>

class QPagedPaintDevice;

// Paints prepared sheets on a printer or a PDF writer, one device page per entry of `scelti`
// (indexes into `fogli`, in printing order); with `grigi` every colour is painted as the grey of
// the same lightness. Throws ErroreRapporto when the device cannot be painted on.
void DisegnaFogli(const QList<PaginaStampa>& fogli, const QList<int>& scelti,
                  QPagedPaintDevice& dispositivo, bool grigi = false);

// Every sheet, once, in order.
void DisegnaFogli(const QList<PaginaStampa>& fogli, QPagedPaintDevice& dispositivo);
