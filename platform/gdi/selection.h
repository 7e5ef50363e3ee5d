// What a DC holds and the lifetime rules that follow: a memory bitmap is in at most one DC, an
// object deleted while selected goes when the last DC lets go of it, stock objects never go.
#ifndef PLATFORM_GDI_SELECTION_H
#define PLATFORM_GDI_SELECTION_H

#include "platform/gdi/gdi.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/pixel_view.h"

namespace gdi {

// A memory DC holding the default bitmap and the white brush; null when the table has no room.
HDC CreateDc();
bool DeleteDc(HDC dc);
// DeleteObject: deferred while selected, a no-op that succeeds for stock objects.
bool DeleteGdiObject(HGDIOBJ handle);

// SelectObject without recording, for USER calls that borrow a brush.
HGDIOBJ SelectIntoDc(HDC dc, HGDIOBJ object);

// The pixels a DC draws on; empty (zero size) when the DC is unusable. A selected bitmap
// outlives its selection, so the view kept with it is always good.
inline PixelView DcView(HDC dc)
{
    const GdiObject* object = Lookup(dc, Kind::kDc);
    return object ? object->dc.view : PixelView{};
}

} // namespace gdi

#endif // PLATFORM_GDI_SELECTION_H
