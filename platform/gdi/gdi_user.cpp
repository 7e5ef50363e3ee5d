// USER's rectangle calls.
#include "platform/gdi/gdi.h"

#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/gdi_record_internal.h"

using namespace gdi;

namespace {

int32_t wrap(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// Paints with whatever brush the DC holds, as PatBlt does.
void pat_blt(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    Object* owner = lookup(dc, Kind::dc);
    if (!owner)
        return;
    Object* brush = lookup(owner->dc.brush, Kind::brush);
    const Surface surface = dc_surface(dc);
    if (!brush || surface.empty())
        return;
    pat_fill(surface, left, top, right, bottom, brush->brush.pixel);
}

// FillRect selects the brush, paints and puts the old one back. Nothing it is given makes it
// fail: with an unusable brush it paints with the DC's own, and it answers 1 regardless.
int fill_rect(HDC dc, const RECT* rect, HBRUSH brush)
{
    if (!rect)
        return 1;
    // Selecting a brush that is one, painting and selecting the old one back leaves the DC as it
    // was: its colour is used directly.
    if (const Object* b = lookup(brush, Kind::brush)) {
        const Surface surface = dc_surface(dc);
        if (!surface.empty())
            pat_fill(surface, rect->left, rect->top, rect->right, rect->bottom, b->brush.pixel);
        return 1;
    }
    HGDIOBJ previous = select_object(dc, brush);
    pat_blt(dc, rect->left, rect->top, rect->right, rect->bottom);
    if (previous)
        select_object(dc, previous);
    return 1;
}

// FrameRect refuses empty and inverted rectangles and brushes it cannot select, then paints the
// four one-pixel edges inside the rectangle.
int frame_rect(HDC dc, const RECT* rect, HBRUSH brush)
{
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top)
        return 0;
    const int32_t l = rect->left, t = rect->top, r = rect->right, b = rect->bottom;
    // As in FillRect, a brush that is one paints directly; it would select into any DC.
    if (const Object* object = lookup(brush, Kind::brush)) {
        if (!lookup(dc, Kind::dc))
            return 0;
        const Surface surface = dc_surface(dc);
        if (!surface.empty())
            frame_fill(surface, l, t, r, b, object->brush.pixel);
        return 1;
    }
    HGDIOBJ previous = select_object(dc, brush);
    if (!previous)
        return 0;
    pat_blt(dc, l, t, r, t + 1);
    pat_blt(dc, l, b - 1, r, b);
    pat_blt(dc, l, t, l + 1, b);
    pat_blt(dc, r - 1, t, r, b);
    select_object(dc, previous);
    return 1;
}

} // namespace

extern "C" {

BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom)
{
    if (rect)
        *rect = {left, top, right, bottom};
    const BOOL result = rect != nullptr;
    if (recording())
        emit("SetRect",
             {arg(static_cast<const void*>(rect)), arg(left), arg(top), arg(right), arg(bottom)},
             arg(result));
    return result;
}

BOOL WINAPI SetRectEmpty(LPRECT rect)
{
    if (rect)
        *rect = {0, 0, 0, 0};
    const BOOL result = rect != nullptr;
    if (recording())
        emit("SetRectEmpty", {arg(static_cast<const void*>(rect))}, arg(result));
    return result;
}

// USER does this arithmetic in 32 bits and lets it wrap.
BOOL WINAPI InflateRect(LPRECT rect, int dx, int dy)
{
    const CallArg before = CallArg::of_rect(rect);
    if (rect) {
        rect->left = wrap(int64_t{rect->left} - dx);
        rect->top = wrap(int64_t{rect->top} - dy);
        rect->right = wrap(int64_t{rect->right} + dx);
        rect->bottom = wrap(int64_t{rect->bottom} + dy);
    }
    const BOOL result = rect != nullptr;
    if (recording())
        emit("InflateRect", {before, arg(dx), arg(dy)}, arg(result));
    return result;
}

BOOL WINAPI OffsetRect(LPRECT rect, int dx, int dy)
{
    const CallArg before = CallArg::of_rect(rect);
    if (rect) {
        rect->left = wrap(int64_t{rect->left} + dx);
        rect->top = wrap(int64_t{rect->top} + dy);
        rect->right = wrap(int64_t{rect->right} + dx);
        rect->bottom = wrap(int64_t{rect->bottom} + dy);
    }
    const BOOL result = rect != nullptr;
    if (recording())
        emit("OffsetRect", {before, arg(dx), arg(dy)}, arg(result));
    return result;
}

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    const int result = fill_rect(dc, rect, brush);
    if (recording())
        emit("FillRect", {arg(dc), arg(rect), arg(brush)}, arg(result));
    return result;
}

int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    const int result = frame_rect(dc, rect, brush);
    if (recording())
        emit("FrameRect", {arg(dc), arg(rect), arg(brush)}, arg(result));
    return result;
}

} // extern "C"
