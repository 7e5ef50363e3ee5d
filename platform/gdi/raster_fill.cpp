#include "platform/gdi/raster_fill.h"

#include "platform/gdi/colour.h"

#include <cassert>

namespace gdi {

void FillRows(const PixelView& view, int left, int top, int right, int bottom, uint32_t pixel)
{
    assert(view.Holds(left, top, right, bottom));
    const int count = right - left;
    for (int y = top; y < bottom; ++y) {
        uint32_t* p = view.Row(y) + left;
        for (int i = 0; i < count; ++i)
            p[i] = pixel;
    }
}

namespace {

int32_t WrappingAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

Span PatSpan(int32_t from, int32_t to)
{
    if (from > to)
        return {WrappingAdd(to, 1), WrappingAdd(from, 1)};
    return {from, to};
}

// PatFill with the pixel already in the form the view stores.
void PatFillStored(const PixelView& view, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   uint32_t stored)
{
    Span x = PatSpan(left, right);
    Span y = PatSpan(top, bottom);
    if (!ClipSpan(x, view.width) || !ClipSpan(y, view.height))
        return;
    FillRows(view, static_cast<int>(x.begin), static_cast<int>(y.begin), static_cast<int>(x.end),
             static_cast<int>(y.end), stored);
}

} // namespace

void PatFill(const PixelView& view, int32_t left, int32_t top, int32_t right, int32_t bottom,
             uint32_t pixel)
{
    PatFillStored(view, left, top, right, bottom, StoredPixel(view, pixel));
}

void FrameFill(const PixelView& view, int32_t left, int32_t top, int32_t right, int32_t bottom,
               uint32_t pixel)
{
    const uint32_t stored = StoredPixel(view, pixel);
    PatFillStored(view, left, top, right, top + 1, stored);
    PatFillStored(view, left, bottom - 1, right, bottom, stored);
    // The two side edges in one pass over the rows, each pixel written only where it is inside.
    Span y{top, bottom};
    if (!ClipSpan(y, view.height))
        return;
    const bool drawLeft = left >= 0 && left < view.width;
    const bool drawRight = right - 1 >= 0 && right - 1 < view.width;
    for (int64_t row = y.begin; row < y.end; ++row) {
        uint32_t* p = view.Row(static_cast<int>(row));
        if (drawLeft)
            p[left] = stored;
        if (drawRight)
            p[right - 1] = stored;
    }
}

} // namespace gdi
