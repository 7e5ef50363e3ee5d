// USER's rectangle calls.
#include "platform/gdi/gdi.h"

#include "platform/gdi/handle_table.h"
#include "platform/gdi/raster_fill.h"
#include "platform/gdi/recorder_hooks.h"
#include "platform/gdi/selection.h"

using namespace gdi;

namespace {

int32_t Wrap(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// Paints with whatever brush the DC holds, as PatBlt does.
void PaintWithDcBrush(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    const GdiObject* owner = Lookup(dc, Kind::kDc);
    if (!owner)
        return;
    const GdiObject* brush = Lookup(owner->dc.brush, Kind::kBrush);
    const PixelView view = DcView(dc);
    if (!brush || view.Empty())
        return;
    PatFill(view, left, top, right, bottom, brush->brush.pixel);
}

// FillRect selects the brush, paints and puts the old one back. Nothing it is given makes it
// fail: with an unusable brush it paints with the DC's own, and it answers 1 regardless.
int FillRectangle(HDC dc, const RECT* rect, HBRUSH brush)
{
    if (!rect)
        return 1;
    // Selecting a brush that is one, painting and selecting the old one back leaves the DC as it
    // was: its colour is used directly.
    if (const GdiObject* b = Lookup(brush, Kind::kBrush)) {
        const GdiObject* owner = Lookup(dc, Kind::kDc);
        if (!owner)
            return 1;
        const PixelView& view = owner->dc.view;
        if (!view.Empty())
            PatFill(view, rect->left, rect->top, rect->right, rect->bottom, b->brush.pixel);
        return 1;
    }
    HGDIOBJ previous = SelectIntoDc(dc, brush);
    PaintWithDcBrush(dc, rect->left, rect->top, rect->right, rect->bottom);
    if (previous)
        SelectIntoDc(dc, previous);
    return 1;
}

// FrameRect refuses empty and inverted rectangles and brushes it cannot select, then paints the
// four one-pixel edges inside the rectangle.
int FrameRectangle(HDC dc, const RECT* rect, HBRUSH brush)
{
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top)
        return 0;
    const int32_t l = rect->left, t = rect->top, r = rect->right, b = rect->bottom;
    // As in FillRect, a brush that is one paints directly; it would select into any DC.
    if (const GdiObject* object = Lookup(brush, Kind::kBrush)) {
        const GdiObject* owner = Lookup(dc, Kind::kDc);
        if (!owner)
            return 0;
        const PixelView& view = owner->dc.view;
        if (!view.Empty())
            FrameFill(view, l, t, r, b, object->brush.pixel);
        return 1;
    }
    HGDIOBJ previous = SelectIntoDc(dc, brush);
    if (!previous)
        return 0;
    PaintWithDcBrush(dc, l, t, r, t + 1);
    PaintWithDcBrush(dc, l, b - 1, r, b);
    PaintWithDcBrush(dc, l, t, l + 1, b);
    PaintWithDcBrush(dc, r - 1, t, r, b);
    SelectIntoDc(dc, previous);
    return 1;
}

// USER does this arithmetic in 32 bits and lets it wrap. Each edge moves by its own amount,
// widened first so that negating INT_MIN is no problem.
BOOL MoveEdges(LPRECT rect, int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    if (!rect)
        return FALSE;
    rect->left = Wrap(rect->left + left);
    rect->top = Wrap(rect->top + top);
    rect->right = Wrap(rect->right + right);
    rect->bottom = Wrap(rect->bottom + bottom);
    return TRUE;
}

// The recorder sees the rectangle as it was given and the call's own dx and dy (the right and
// bottom moves). Out of line: the usual path keeps no copy.
[[gnu::cold, gnu::noinline]] BOOL MoveEdgesRecorded(const char* name, LPRECT rect, int64_t left,
                                                    int64_t top, int64_t right, int64_t bottom)
{
    const RECT given = rect ? *rect : RECT{};
    const BOOL result = MoveEdges(rect, left, top, right, bottom);
    Report(name, result, rect ? &given : nullptr, static_cast<int>(right),
           static_cast<int>(bottom));
    return result;
}

} // namespace

extern "C" {

BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom) noexcept
{
    if (rect)
        *rect = {left, top, right, bottom};
    const BOOL result = rect != nullptr;
    if (Recording())
        Report("SetRect", result, static_cast<const void*>(rect), left, top, right, bottom);
    return result;
}

BOOL WINAPI SetRectEmpty(LPRECT rect) noexcept
{
    if (rect)
        *rect = {0, 0, 0, 0};
    const BOOL result = rect != nullptr;
    if (Recording())
        Report("SetRectEmpty", result, static_cast<const void*>(rect));
    return result;
}

BOOL WINAPI InflateRect(LPRECT rect, int dx, int dy) noexcept
{
    if (Recording())
        return MoveEdgesRecorded("InflateRect", rect, -int64_t{dx}, -int64_t{dy}, dx, dy);
    return MoveEdges(rect, -int64_t{dx}, -int64_t{dy}, dx, dy);
}

BOOL WINAPI OffsetRect(LPRECT rect, int dx, int dy) noexcept
{
    if (Recording())
        return MoveEdgesRecorded("OffsetRect", rect, dx, dy, dx, dy);
    return MoveEdges(rect, dx, dy, dx, dy);
}

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) noexcept
{
    const int result = FillRectangle(dc, rect, brush);
    if (Recording())
        Report("FillRect", result, dc, rect, brush);
    return result;
}

int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush) noexcept
{
    const int result = FrameRectangle(dc, rect, brush);
    if (Recording())
        Report("FrameRect", result, dc, rect, brush);
    return result;
}

} // extern "C"
