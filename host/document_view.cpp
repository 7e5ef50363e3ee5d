#include "host/document_view.h"

#include "host/bitmap_font.h"
#include "host/dib_section_dc.h"
#include "host/palette_view.h"

#include <algorithm>

namespace {

constexpr COLORREF Rgb(int r, int g, int b) { return static_cast<COLORREF>(r | g << 8 | b << 16); }

constexpr COLORREF kDesk = Rgb(128, 128, 128);
constexpr COLORREF kPaper = Rgb(255, 255, 255);
constexpr COLORREF kFrame = Rgb(160, 160, 160);
constexpr COLORREF kActiveFrame = Rgb(0, 120, 215);
constexpr COLORREF kInk = Rgb(0, 0, 0);
constexpr COLORREF kRule = Rgb(170, 200, 235);
constexpr COLORREF kGrip = Rgb(190, 186, 178);
constexpr COLORREF kGripDots = Rgb(110, 108, 104);
constexpr COLORREF kPreview = Rgb(220, 40, 40);
constexpr COLORREF kTipFill = Rgb(255, 255, 225);
constexpr int kTitleInset = 4;

void Fill(HDC dc, const PixelRect& r, COLORREF colour)
{
    if (r.width <= 0 || r.height <= 0)
        return;
    RECT rect;
    SetRect(&rect, r.x, r.y, r.Right(), r.Bottom());
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Frame(HDC dc, PixelRect r, COLORREF colour, int thickness)
{
    HBRUSH brush = CreateSolidBrush(colour);
    for (int i = 0; i < thickness && r.width > 0 && r.height > 0; ++i) {
        RECT rect;
        SetRect(&rect, r.x, r.y, r.Right(), r.Bottom());
        FrameRect(dc, &rect, brush);
        r = PixelRect{r.x + 1, r.y + 1, r.width - 2, r.height - 2};
    }
    DeleteObject(brush);
}

PixelRect Offset(const PixelRect& r, int dx, int dy)
{
    return PixelRect{r.x + dx, r.y + dy, r.width, r.height};
}

PixelRect Intersect(const PixelRect& a, const PixelRect& b)
{
    const int x = std::max(a.x, b.x), y = std::max(a.y, b.y);
    return PixelRect{x, y, std::max(0, std::min(a.Right(), b.Right()) - x),
                     std::max(0, std::min(a.Bottom(), b.Bottom()) - y)};
}

// The part of `image` that falls in `clip`, placed with its top-left corner at (x, y).
void Blit(HDC dc, const Image& image, int x, int y, const PixelRect& clip)
{
    const PixelRect shown = Intersect(PixelRect{x, y, image.width, image.height}, clip);
    if (shown.width <= 0 || shown.height <= 0)
        return;
    HBITMAP bitmap = BitmapFromImage(image);
    HDC source = CreateCompatibleDC(dc);
    if (bitmap && source) {
        HGDIOBJ old = SelectObject(source, bitmap);
        BitBlt(dc, shown.x, shown.y, shown.width, shown.height, source, shown.x - x, shown.y - y,
               SRCCOPY);
        SelectObject(source, old);
    }
    if (source)
        DeleteDC(source);
    if (bitmap)
        DeleteObject(bitmap);
}

// Two rows of dots along the grip, across it or down it as it is long.
void PaintGrip(HDC dc, const PixelRect& grip)
{
    Fill(dc, grip, kGrip);
    const bool across = grip.width >= grip.height;
    const int length = across ? grip.width : grip.height;
    for (int along = 3; along + 1 < length - 2; along += 4)
        for (int line : {2, 5}) {
            const PixelRect dot = across ? PixelRect{grip.x + along, grip.y + line - 1, 2, 2}
                                         : PixelRect{grip.x + line - 1, grip.y + along, 2, 2};
            Fill(dc, Intersect(dot, grip), kGripDots);
        }
}

// The palette as the class draws it, through a section of its own size: the class draws from
// (0, 0), and it sits elsewhere in the window.
void PaintPaletteAt(HDC dc, const DocumentHost& document, int part, int x, int y)
{
    const HostPalette& palette = document.PaletteOf(part);
    const PaletteGeometry g = document.Geometry(part);
    if (g.palette.width <= 0 || g.palette.height <= 0)
        return;
    const Image image =
        RenderPalette(palette, document.Hot(part), g.palette.width, g.palette.height);
    Blit(dc, image, x, y, PixelRect{x, y, image.width, image.height});
}

} // namespace

void PaintDocument(HDC dc, const DocumentHost& document)
{
    const PixelRect client = document.Client();
    const int dx = -client.x, dy = -client.y;
    Fill(dc, PixelRect{0, 0, client.width, client.height}, kDesk);
    for (int i = 0; i < document.PartCount(); ++i) {
        const PixelRect part = Offset(document.PartRect(i), dx, dy);
        if (part.width <= 0 || part.height <= 0)
            continue;
        Fill(dc, part, kPaper);
        // A setting that is on shows as ruled lines across the part, below its name.
        for (int32_t toggle : document.Toggles(i)) {
            if (!document.SettingOn(i, toggle))
                continue;
            for (int y = part.y + 2 * kGlyphHeight + kTitleInset; y < part.Bottom() - 1; y += 12)
                Fill(dc, PixelRect{part.x + 1, y, part.width - 2, 1}, kRule);
        }
        for (const Stamp& stamp : document.Stamps(i))
            if (const Image* icon = document.Icon(i, stamp.tool))
                Blit(dc, *icon, part.x + stamp.x - icon->width / 2,
                     part.y + stamp.y - icon->height / 2, part);
        DrawBitmapText(dc, part.x + kTitleInset, part.y + kTitleInset, document.PartName(i), kInk);
        const bool active = i == document.Active();
        Frame(dc, part, active ? kActiveFrame : kFrame, active ? 2 : 1);
    }
    const int active = document.Active();
    const PaletteGeometry g = document.Geometry(active);
    if (g.shown && !g.placement.floating) {
        PaintGrip(dc, Offset(g.grip, dx, dy));
        PaintPaletteAt(dc, document, active, g.palette.x + dx, g.palette.y + dy);
    }
    if (const std::optional<PixelRect> preview = document.DragPreview())
        Frame(dc, Offset(*preview, dx, dy), kPreview, 2);
}

void PaintFloating(HDC dc, const DocumentHost& document, int part)
{
    const PaletteGeometry g = document.Geometry(part);
    const int dx = -g.carrier.x, dy = -g.carrier.y;
    PaintGrip(dc, Offset(g.grip, dx, dy));
    PaintPaletteAt(dc, document, part, g.palette.x + dx, g.palette.y + dy);
}

PixelSize TooltipSize(std::string_view text)
{
    return PixelSize{BitmapTextWidth(text) + 8, kGlyphHeight + 8};
}

void PaintTooltip(HDC dc, std::string_view text)
{
    const PixelSize size = TooltipSize(text);
    const PixelRect all{0, 0, size.width, size.height};
    Fill(dc, all, kTipFill);
    Frame(dc, all, kInk, 1);
    DrawBitmapText(dc, 4, 4, text, kInk);
}
