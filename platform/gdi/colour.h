// Every conversion between colours as callers give them and pixels as surfaces hold them.
#ifndef PLATFORM_GDI_COLOUR_H
#define PLATFORM_GDI_COLOUR_H

#include "platform/gdi/gdi.h"
#include "platform/gdi/pixel_view.h"

#include <cstdint>

namespace gdi {

// The pixel a COLORREF paints on a 32-bpp surface.
uint32_t ColourToPixel(COLORREF colour);

// The COLORREF GetPixel answers for a 32-bpp pixel; the unused top byte is dropped.
inline COLORREF PixelToColour(uint32_t pixel)
{
    return RGB((pixel >> 16) & 0xff, (pixel >> 8) & 0xff, pixel & 0xff);
}

// The default bitmap holds black or white: a colour becomes whichever it is nearer.
uint32_t MonoPixel(uint32_t pixel);

// The pixel `view` stores when `pixel` is written to it.
inline uint32_t StoredPixel(const PixelView& view, uint32_t pixel)
{
    return view.mono ? MonoPixel(pixel) : pixel;
}

} // namespace gdi

#endif // PLATFORM_GDI_COLOUR_H
