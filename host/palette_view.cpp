#include "host/palette_view.h"

#include "host/dib_section_dc.h"
#include "host/palette_input.h"

void PaintPalette(HDC dc, const RECT& area, const HostPalette& host, const ToolInfo* hot)
{
    HBRUSH background = CreateSolidBrush(kPaletteBackground);
    FillRect(dc, &area, background);
    DeleteObject(background);
    host.Tray().UpdateTools(dc);
    if (hot) {
        const RECT focus = PaletteInput::FocusRect(hot);
        DrawFocusRect(dc, &focus);
    }
}

Image RenderPalette(const HostPalette& host, const ToolInfo* hot, int width, int height)
{
    DibSectionDc canvas(width, height);
    if (!canvas.Ok())
        return Image{};
    RECT all;
    SetRect(&all, 0, 0, width, height);
    PaintPalette(canvas.Dc(), all, host, hot);
    return canvas.Snapshot();
}
