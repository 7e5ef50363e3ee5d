// Filling rectangles with one pixel value: PatBlt's rectangle rule, which FillRect and FrameRect
// go through, and the plain row fill under it.
#ifndef PLATFORM_GDI_RASTER_FILL_H
#define PLATFORM_GDI_RASTER_FILL_H

#include "platform/gdi/pixel_view.h"

#include <cstdint>

namespace gdi {

// Callers clip: the rectangle lies inside the view (asserted in debug builds). `pixel` is stored
// as given.
void FillRows(const PixelView& view, int left, int top, int right, int bottom, uint32_t pixel);

// An inverted side is swapped and both its edges move right/down by one (so {5,..,1,..} paints
// 2..5), computed in 32-bit wrapping arithmetic as GDI does. Clips to the view and fills.
void PatFill(const PixelView& view, int32_t left, int32_t top, int32_t right, int32_t bottom,
             uint32_t pixel);

// The four one-pixel edges inside a rectangle that has left < right and top < bottom, clipped to
// the view.
void FrameFill(const PixelView& view, int32_t left, int32_t top, int32_t right, int32_t bottom,
               uint32_t pixel);

} // namespace gdi

#endif // PLATFORM_GDI_RASTER_FILL_H
