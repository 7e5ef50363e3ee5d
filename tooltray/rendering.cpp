// Drawing the tools into the host's device context: face, bitmap scaled over the whole tool, and
// a one-pixel frame, the colours telling state 1 from the rest. Nothing is kept between calls and
// nothing is selected into or changed on the host's context.
#include "tooltray/tooltray_private.h"

namespace tooltray {

namespace {

HBRUSH StockBrush(int index) { return static_cast<HBRUSH>(GetStockObject(index)); }

void DrawBitmap(HDC dc, const RECT& r, HBITMAP bitmap)
{
    HDC memory = CreateCompatibleDC(dc);
    BITMAP description;
    // A handle GetObjectA cannot describe gives no source size: such a tool shows no bitmap.
    if (GetObjectA(bitmap, sizeof description, &description)) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0,
                   description.bmWidth, description.bmHeight, SRCCOPY);
        SelectObject(memory, previous);
    }
    DeleteDC(memory);
}

} // namespace

void SOMLINK UpdateTools(ToolTray* self, Environment*, HDC dc)
{
    ToolList* list = Data(self)->toolList;
    if (!list)
        return;
    // Newest first, so where tools overlap the oldest ends on top.
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

} // namespace tooltray
