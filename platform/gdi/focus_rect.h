// The focus rectangle: a dotted frame that inverts the pixels under it, so drawing it twice
// takes it away again.
#ifndef PLATFORM_GDI_FOCUS_RECT_H
#define PLATFORM_GDI_FOCUS_RECT_H

#include "platform/gdi/pixel_view.h"

#include <cstdint>

namespace gdi {

// Inverts every other pixel of the one-pixel frame inside the rectangle, clipped to the view.
// An inverted side is swapped first; an empty rectangle draws nothing.
void InvertFocusFrame(const PixelView& view, int32_t left, int32_t top, int32_t right,
                      int32_t bottom);

} // namespace gdi

#endif // PLATFORM_GDI_FOCUS_RECT_H
