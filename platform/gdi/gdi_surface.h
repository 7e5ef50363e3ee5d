// A view of a bitmap's pixels and the raster operations on it. The public calls clip once at
// their entry; the helpers here take coordinates already inside the surface.
#ifndef PLATFORM_GDI_GDI_SURFACE_H
#define PLATFORM_GDI_GDI_SURFACE_H

#include <cstddef>
#include <cstdint>

namespace gdi {

struct Surface {
    uint32_t* top_row = nullptr; // row y is top_row + y * stride
    ptrdiff_t stride = 0;        // in pixels; negative for bottom-up DIBs
    int width = 0;
    int height = 0;
    bool mono = false; // the default 1x1 bitmap: pixels are black or white only

    bool empty() const { return width <= 0 || height <= 0; }
    uint32_t* row(int y) const { return top_row + static_cast<ptrdiff_t>(y) * stride; }
};

// A half-open span of device coordinates, wide enough for any sum of two ints.
struct Span {
    int64_t begin;
    int64_t end;
};

// Clips [begin, end) to [0, size); returns false when nothing is left.
inline bool clip_span(Span& span, int size)
{
    if (span.begin < 0)
        span.begin = 0;
    if (span.end > size)
        span.end = size;
    return span.begin < span.end;
}

// Callers must do clipping.
void fill_rows(const Surface& surface, int left, int top, int right, int bottom, uint32_t pixel);

// The default bitmap holds black or white: a colour becomes whichever it is nearer.
uint32_t mono_pixel(uint32_t pixel);

// PatBlt's rectangle rule, which FillRect and FrameRect go through: an inverted side is swapped
// and both its edges move right/down by one (so {5,..,1,..} paints 2..5), computed in 32-bit
// wrapping arithmetic as GDI does. Clips to the surface and fills.
void pat_fill(const Surface& surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
              uint32_t pixel);

// The four one-pixel edges inside a rectangle that has left < right and top < bottom, clipped to
// the surface.
void frame_fill(const Surface& surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                uint32_t pixel);

} // namespace gdi

#endif // PLATFORM_GDI_GDI_SURFACE_H
