// DrawFocusRect, USER's focus rectangle.
#include "platform/gdi/focus_rect.h"

#include "platform/gdi/colour.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/recorder_hooks.h"
#include "platform/gdi/selection.h"

#include <algorithm>

namespace gdi {

namespace {

// Inverts the dotted pixels of [left, right) x [top, bottom): those whose x + y has the parity
// given. Coordinates are exact (64-bit); the band is clipped here.
void InvertBand(const PixelView& view, int64_t left, int64_t top, int64_t right, int64_t bottom,
                int64_t parity)
{
    Span x{left, right};
    Span y{top, bottom};
    if (!ClipSpan(x, view.width) || !ClipSpan(y, view.height))
        return;
    for (int64_t row = y.begin; row < y.end; ++row) {
        uint32_t* p = view.Row(static_cast<int>(row));
        // The first column of this row on the dotted grid.
        for (int64_t col = x.begin + ((x.begin + row + parity) & 1); col < x.end; col += 2)
            p[col] = view.mono ? MonoPixel(~p[col]) : ~p[col];
    }
}

} // namespace

void InvertFocusFrame(const PixelView& view, int32_t left, int32_t top, int32_t right,
                      int32_t bottom)
{
    const int64_t l = std::min(left, right), r = std::max(left, right);
    const int64_t t = std::min(top, bottom), b = std::max(top, bottom);
    if (l == r || t == b)
        return;
    // Real GDI (Wine's, recorded) dots the frame so that its top-right pixel is always inverted,
    // and paints it as four bands that invert again where they overlap: a frame one pixel wide or
    // tall cancels itself along its length.
    const int64_t parity = (r - 1 + t) & 1;
    const int64_t sideTop = std::min(t + 1, b - 1), sideBottom = std::max(t + 1, b - 1);
    if (view.Empty())
        return;
    view.NoteWrite();
    InvertBand(view, l, t, r, t + 1, parity);
    InvertBand(view, l, b - 1, r, b, parity);
    InvertBand(view, l, sideTop, l + 1, sideBottom, parity);
    InvertBand(view, r - 1, sideTop, r, sideBottom, parity);
}

} // namespace gdi

using namespace gdi;

extern "C" {

// Answers 1 whatever the DC, as USER does; only a missing rectangle, which USER would read
// through, is refused with 0.
BOOL WINAPI DrawFocusRect(HDC dc, const RECT* rect) noexcept
{
    const BOOL result = rect != nullptr;
    if (rect)
        InvertFocusFrame(DcView(dc), rect->left, rect->top, rect->right, rect->bottom);
    if (Recording())
        Report("DrawFocusRect", result, dc, rect);
    return result;
}

} // extern "C"
