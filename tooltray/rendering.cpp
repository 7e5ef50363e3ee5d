// Drawing the tools into the host's device context: face, bitmap scaled over the whole tool, and
// a one-pixel frame, the colours telling state 1 from the rest. Nothing is kept between calls and
// nothing is selected into or changed on the host's context.
#include "tooltray/tooltray_private.h"

#if defined(_WIN32) && defined(__i386__)
#  include <float.h>
#endif

namespace tooltray {

namespace {

#if defined(_WIN32) && defined(__i386__)
// 32-bit gdi32 computes HALFTONE's float mixing on the x87 unit, at the precision the thread's
// control word sets (53 bits by default on Windows): ties then round otherwise than in float, and
// the palette would not look the same as on 64-bit Windows. Each stretch runs at float precision;
// the host's setting is back as soon as it returns.
class FloatPrecisionStretch {
public:
    FloatPrecisionStretch() : saved_(_controlfp(0, 0) & _MCW_PC) { _controlfp(_PC_24, _MCW_PC); }
    ~FloatPrecisionStretch() { _controlfp(saved_, _MCW_PC); }
    FloatPrecisionStretch(const FloatPrecisionStretch&) = delete;
    FloatPrecisionStretch& operator=(const FloatPrecisionStretch&) = delete;

private:
    unsigned int saved_;
};
#else
// Elsewhere gdi32 (64-bit, SSE) and the portable layer already compute in float.
struct FloatPrecisionStretch {};
#endif

HBRUSH StockBrush(int index) { return static_cast<HBRUSH>(GetStockObject(index)); }

// A memory context for one bitmap, given back on every way out: the bitmap selected out again and
// the context deleted, so a failure part-way leaves neither behind.
class MemoryContext {
public:
    explicit MemoryContext(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryContext()
    {
        // GDI entry points report failure by their results; should one throw all the same, the
        // destructor still must not.
        try {
            if (selected_)
                SelectObject(dc_, previous_);
            DeleteDC(dc_);
        } catch (...) {
        }
    }
    MemoryContext(const MemoryContext&) = delete;
    MemoryContext& operator=(const MemoryContext&) = delete;

    HDC Select(HBITMAP bitmap)
    {
        previous_ = SelectObject(dc_, bitmap);
        selected_ = true;
        return dc_;
    }

private:
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
    bool selected_ = false;
};

void DrawBitmap(HDC dc, const RECT& r, HBITMAP bitmap)
{
    MemoryContext memory(dc);
    BITMAP description;
    // This platform's BITMAP size (24 bytes where pointers take 4): GDI describes no bitmap into a
    // smaller record. A handle GetObjectA cannot describe gives no source size: such a tool shows
    // no bitmap.
    if (GetObjectA(bitmap, sizeof description, &description)) {
        HDC source = memory.Select(bitmap);
        [[maybe_unused]] const FloatPrecisionStretch precision;
        StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0,
                   description.bmWidth, description.bmHeight, SRCCOPY);
    }
}

void DrawTools(ToolList* list, HDC dc)
{
    ForEachTool(list, [dc](ToolInfo* tool) {
        const bool pressed = tool->state == 1;
        RECT r;
        tool->bounds.AsWinRect(r);
        InflateRect(&r, -1, -1);
        FillRect(dc, &r, StockBrush(pressed ? DKGRAY_BRUSH : GRAY_BRUSH));
        InflateRect(&r, 1, 1);
        if (tool->bitmap)
            DrawBitmap(dc, r, tool->bitmap);
        FrameRect(dc, &r, StockBrush(pressed ? WHITE_BRUSH : BLACK_BRUSH));
    });
}

} // namespace

void SOMLINK UpdateTools(ToolTray* self, Environment*, HDC dc) noexcept
{
    ToolList* list = Data(self)->toolList;
    if (!list)
        return;
    // Newest first, so where tools overlap the oldest ends on top. Drawing can run out of memory
    // inside GDI: what was drawn stays, the rest is not drawn, and nothing reaches the host.
    try {
        DrawTools(list, dc);
    } catch (...) {
    }
}

} // namespace tooltray
