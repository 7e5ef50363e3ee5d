// A view of a bitmap's pixels, and the half-open spans that raster calls clip to it.
#ifndef PLATFORM_GDI_PIXEL_VIEW_H
#define PLATFORM_GDI_PIXEL_VIEW_H

#include <cstddef>
#include <cstdint>

namespace gdi {

struct PixelView {
    uint32_t* topRow = nullptr; // row y is topRow + y * stride
    ptrdiff_t stride = 0;       // in pixels; negative for bottom-up DIBs
    int width = 0;
    int height = 0;
    bool mono = false; // the default 1x1 bitmap: pixels are black or white only
    // Counts the writes made through GDI calls, so that what was computed from the pixels can be
    // kept until they change; null for DIB sections, whose owners also write them directly.
    uint64_t* writes = nullptr;
    // The bitmap's serial (see Bitmap): what is kept of its pixels is found by it.
    uint64_t serial = 0;

    void NoteWrite() const
    {
        if (writes)
            ++*writes;
    }

    bool Empty() const { return width <= 0 || height <= 0; }
    uint32_t* Row(int y) const { return topRow + static_cast<ptrdiff_t>(y) * stride; }
    // Whether [left, right) x [top, bottom) is a non-inverted rectangle inside the view: what the
    // row helpers ask of their callers, who clip once at the entry point.
    bool Holds(int64_t left, int64_t top, int64_t right, int64_t bottom) const
    {
        return 0 <= left && left <= right && right <= width && 0 <= top && top <= bottom &&
               bottom <= height;
    }
};

// A half-open span of device coordinates, wide enough for any sum of two ints.
struct Span {
    int64_t begin;
    int64_t end;
};

// Clips [begin, end) to [0, size); returns false when nothing is left.
inline bool ClipSpan(Span& span, int size)
{
    if (span.begin < 0)
        span.begin = 0;
    if (span.end > size)
        span.end = size;
    return span.begin < span.end;
}

// The pixels two spans share; empty (begin >= end) when they share none.
inline Span Intersect(Span a, Span b)
{
    return {a.begin > b.begin ? a.begin : b.begin, a.end < b.end ? a.end : b.end};
}

} // namespace gdi

#endif // PLATFORM_GDI_PIXEL_VIEW_H
