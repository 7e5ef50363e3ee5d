// The objects GetStockObject hands out and every new DC starts with; DeleteObject leaves them be.
// They live in the handle table's reserved slots from the moment the library is loaded.
#ifndef PLATFORM_GDI_STOCK_OBJECTS_H
#define PLATFORM_GDI_STOCK_OBJECTS_H

#include "platform/gdi/handle_table.h"

namespace gdi {

namespace stock {

constexpr uint32_t kDefaultBitmapSlot = BLACK_BRUSH + 1; // after the brushes, by their index
static_assert(kDefaultBitmapSlot < handles::kReservedSlots);

} // namespace stock

// WHITE_BRUSH .. BLACK_BRUSH; null for any other index.
inline HGDIOBJ StockBrush(int index)
{
    if (index < WHITE_BRUSH || index > BLACK_BRUSH)
        return nullptr;
    return ReservedHandle(static_cast<uint32_t>(index), Kind::kBrush);
}

// The 1x1 monochrome bitmap of a new memory DC, also what CreateBitmap gives for a zero size.
inline HBITMAP DefaultBitmap()
{
    return static_cast<HBITMAP>(ReservedHandle(stock::kDefaultBitmapSlot, Kind::kBitmap));
}

} // namespace gdi

#endif // PLATFORM_GDI_STOCK_OBJECTS_H
