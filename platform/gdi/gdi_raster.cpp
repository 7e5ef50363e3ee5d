#include "platform/gdi/gdi_surface.h"

namespace gdi {

// Callers must do clipping.
void fill_rows(const Surface& surface, int left, int top, int right, int bottom, uint32_t pixel)
{
    const int count = right - left;
    for (int y = top; y < bottom; ++y) {
        uint32_t* p = surface.row(y) + left;
        for (int i = 0; i < count; ++i)
            p[i] = pixel;
    }
}

namespace {

int32_t wrapping_add(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

Span pat_span(int32_t from, int32_t to)
{
    if (from > to)
        return {wrapping_add(to, 1), wrapping_add(from, 1)};
    return {from, to};
}

} // namespace

uint32_t mono_pixel(uint32_t pixel)
{
    int near_white = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int v = static_cast<int>((pixel >> shift) & 0xff);
        near_white += v * v - (255 - v) * (255 - v);
    }
    return near_white > 0 ? 0x00ffffffu : 0;
}

void pat_fill(const Surface& surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
              uint32_t pixel)
{
    Span x = pat_span(left, right);
    Span y = pat_span(top, bottom);
    if (!clip_span(x, surface.width) || !clip_span(y, surface.height))
        return;
    if (surface.mono)
        pixel = mono_pixel(pixel);
    fill_rows(surface, static_cast<int>(x.begin), static_cast<int>(y.begin),
              static_cast<int>(x.end), static_cast<int>(y.end), pixel);
}

void frame_fill(const Surface& surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                uint32_t pixel)
{
    pat_fill(surface, left, top, right, top + 1, pixel);
    pat_fill(surface, left, bottom - 1, right, bottom, pixel);
    // The two side edges in one pass over the rows, each pixel written only where it is inside.
    Span y{top, bottom};
    if (!clip_span(y, surface.height))
        return;
    if (surface.mono)
        pixel = mono_pixel(pixel);
    const bool draw_left = left >= 0 && left < surface.width;
    const bool draw_right = right - 1 >= 0 && right - 1 < surface.width;
    for (int64_t row = y.begin; row < y.end; ++row) {
        uint32_t* p = surface.row(static_cast<int>(row));
        if (draw_left)
            p[left] = pixel;
        if (draw_right)
            p[right - 1] = pixel;
    }
}

} // namespace gdi
