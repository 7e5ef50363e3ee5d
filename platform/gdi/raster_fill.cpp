#include "platform/gdi/raster_fill.h"

#include "platform/gdi/colour.h"
#include "platform/gdi/cpu_features.h"
#include "platform/gdi/row_ops.h"

#include <cassert>

#if defined(GDI_HAS_AVX2_PATHS)
#  include <immintrin.h>
#endif

namespace gdi {

#if defined(GDI_HAS_AVX2_PATHS)

namespace {

__attribute__((target("avx2"), always_inline)) inline void Store8(uint32_t* at, __m256i v)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(at), v);
}

// Eight pixels a store; a row ends with one store that may overlap the one before. `rows` rows of
// `count` >= 8 pixels from `origin`, `stride` apart.
__attribute__((target("avx2"))) void FillRowsAvx2(uint32_t* origin, ptrdiff_t stride, size_t rows,
                                                  size_t count, uint32_t pixel)
{
    const __m256i v = _mm256_set1_epi32(static_cast<int>(pixel));
    const size_t last = count - 8;
    // Rows of a palette's tools are short: up to 32 pixels the stores are written out.
    if (count <= 16) {
        for (; rows > 0; --rows, origin += stride) {
            Store8(origin, v);
            Store8(origin + last, v);
        }
    } else if (count <= 24) {
        for (; rows > 0; --rows, origin += stride) {
            Store8(origin, v);
            Store8(origin + 8, v);
            Store8(origin + last, v);
        }
    } else if (count <= 32) {
        for (; rows > 0; --rows, origin += stride) {
            Store8(origin, v);
            Store8(origin + 8, v);
            Store8(origin + 16, v);
            Store8(origin + last, v);
        }
    } else {
        for (; rows > 0; --rows, origin += stride) {
            for (size_t i = 0; i < last; i += 8)
                Store8(origin + i, v);
            Store8(origin + last, v);
        }
    }
}

// A frame's top and bottom rows, `count` >= 8 pixels each.
__attribute__((target("avx2"))) void FrameRowsAvx2(uint32_t* top, uint32_t* bottom, size_t count,
                                                   uint32_t pixel)
{
    const __m256i v = _mm256_set1_epi32(static_cast<int>(pixel));
    const size_t last = count - 8;
    for (size_t i = 0; i < last; i += 8) {
        Store8(top + i, v);
        Store8(bottom + i, v);
    }
    Store8(top + last, v);
    Store8(bottom + last, v);
}

} // namespace

#endif

namespace {

// Out of line, so that the vector path is reached by a jump that saves no registers.
[[gnu::noinline]] void FillRowsPlain(uint32_t* origin, ptrdiff_t stride, size_t rows, size_t count,
                                     uint32_t pixel)
{
    for (; rows > 0; --rows, origin += stride)
        FillRow(origin, count, pixel);
}

} // namespace

void FillRows(const PixelView& view, int left, int top, int right, int bottom, uint32_t pixel)
{
    assert(view.Holds(left, top, right, bottom));
    if (top == bottom)
        return; // the row below the last may lie outside the pixels, as in bottom-up DIBs
    // The rows' first pixel and their number: what the row loops need, in registers.
    uint32_t* const origin = view.Row(top) + left;
    const size_t rows = static_cast<size_t>(bottom - top);
    const size_t count = static_cast<size_t>(right - left);
#if defined(GDI_HAS_AVX2_PATHS)
    if (cpuHasAvx2 && count >= 8)
        return FillRowsAvx2(origin, view.stride, rows, count, pixel);
#endif
    FillRowsPlain(origin, view.stride, rows, count, pixel);
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
    view.NoteWrite();
    const uint32_t stored = StoredPixel(view, pixel);
    // A rectangle inside the view, as given: nothing to swap or clip.
    if (left < right && top < bottom && view.Holds(left, top, right, bottom)) {
        FillRows(view, left, top, right, bottom, stored);
        return;
    }
    PatFillStored(view, left, top, right, bottom, stored);
}

namespace {

// A frame that lies wholly inside the view, as a palette's tools do: no edge needs clipping, and
// the top and bottom rows go out together.
void FrameInside(const PixelView& view, int left, int top, int right, int bottom, uint32_t stored)
{
    const size_t count = static_cast<size_t>(right - left);
    uint32_t* const first = view.Row(top) + left;
    uint32_t* const final = view.Row(bottom - 1) + left;
#if defined(GDI_HAS_AVX2_PATHS)
    if (cpuHasAvx2 && count >= 8)
        FrameRowsAvx2(first, final, count, stored);
    else
#endif
    {
        FillRow(first, count, stored);
        FillRow(final, count, stored);
    }
    // The sides four rows at a time: a side is a store a row, so the loop's own work counts.
    const ptrdiff_t stride = view.stride, width = right - 1 - left;
    uint32_t* p = first + stride;
    int rows = bottom - top - 2;
    for (; rows >= 4; rows -= 4, p += 4 * stride) {
        p[0] = stored;
        p[width] = stored;
        p[stride] = stored;
        p[stride + width] = stored;
        p[2 * stride] = stored;
        p[2 * stride + width] = stored;
        p[3 * stride] = stored;
        p[3 * stride + width] = stored;
    }
    if (rows >= 2) {
        p[0] = stored;
        p[width] = stored;
        p[stride] = stored;
        p[stride + width] = stored;
        rows -= 2;
        p += 2 * stride;
    }
    if (rows > 0) {
        p[0] = stored;
        p[width] = stored;
    }
}

// Any other frame, edge by edge, each clipped. Out of line, so that a frame inside the view pays
// for none of its registers.
[[gnu::noinline]] void FrameClipped(const PixelView& view, int32_t left, int32_t top, int32_t right,
                                    int32_t bottom, uint32_t stored)
{
    PatFillStored(view, left, top, right, top + 1, stored);
    PatFillStored(view, left, bottom - 1, right, bottom, stored);
    // The two side edges in one pass over the rows between those two, each pixel written only
    // where it is inside.
    Span y{int64_t{top} + 1, int64_t{bottom} - 1};
    if (!ClipSpan(y, view.height))
        return;
    const bool drawLeft = left >= 0 && left < view.width;
    const bool drawRight = right - 1 >= 0 && right - 1 < view.width;
    const ptrdiff_t stride = view.stride;
    uint32_t* p = view.Row(static_cast<int>(y.begin));
    int64_t rows = y.end - y.begin;
    if (drawLeft && drawRight) {
        const ptrdiff_t width = right - 1 - left;
        for (p += left; rows > 0; --rows, p += stride) {
            p[0] = stored;
            p[width] = stored;
        }
        return;
    }
    if (!drawLeft && !drawRight)
        return;
    for (p += drawLeft ? left : right - 1; rows > 0; --rows, p += stride)
        *p = stored;
}

} // namespace

void FrameFill(const PixelView& view, int32_t left, int32_t top, int32_t right, int32_t bottom,
               uint32_t pixel)
{
    view.NoteWrite();
    const uint32_t stored = StoredPixel(view, pixel);
    if (left < right && top < bottom && view.Holds(left, top, right, bottom))
        FrameInside(view, left, top, right, bottom, stored);
    else
        FrameClipped(view, left, top, right, bottom, stored);
}

} // namespace gdi
