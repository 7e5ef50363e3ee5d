// The objects GetStockObject hands out and every new DC starts with; DeleteObject leaves them be.
#ifndef PLATFORM_GDI_STOCK_OBJECTS_H
#define PLATFORM_GDI_STOCK_OBJECTS_H

#include "platform/gdi/gdi.h"

namespace gdi {

// WHITE_BRUSH .. BLACK_BRUSH; null for any other index.
HGDIOBJ StockBrush(int index);

// The 1x1 monochrome bitmap of a new memory DC, also what CreateBitmap gives for a zero size.
HBITMAP DefaultBitmap();

} // namespace gdi

#endif // PLATFORM_GDI_STOCK_OBJECTS_H
