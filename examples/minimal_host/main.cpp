// The smallest complete host of the ToolTray palette: builds the class, creates a palette on a
// tool space, adds five tools with icons, lays them out again for a wider palette, presses the
// tool under a point, draws the palette into a memory bitmap and writes it as a PNG. Every object,
// bitmap and device context is freed at the end (the handles free theirs as they go).
//     tooltray-minimal-host [output.png]
#include <tooltray/host/tool_space_palette.h>
#include <tooltray/runtime/win_gdi.h> // drawing: BITMAPINFO, DIB sections, brushes
#include "png_writer.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 120, kHeight = 62; // pixels: two rows of 25-pixel tools with margins

// A 16x16 icon: a square of one colour on white, kept as long as the palette.
HBITMAP MakeIcon(ToolSpacePalette& stage, uint32_t colour)
{
    std::vector<uint32_t> pixels(16 * 16, 0xffffffu);
    for (int y = 3; y < 13; ++y)
        for (int x = 3; x < 13; ++x)
            pixels[y * 16 + x] = colour;
    return stage.AddBitmap(16, 16, pixels.data());
}

// Draws the palette into a 32-bpp top-down DIB section and returns its pixels (0x00RRGGBB).
std::vector<uint32_t> Render(const Palette& palette)
{
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (dc && target && bits) {
        HGDIOBJ previous = SelectObject(dc, target);
        RECT all;
        SetRect(&all, 0, 0, kWidth, kHeight);
        HBRUSH background = CreateSolidBrush(kPaletteBackground);
        FillRect(dc, &all, background);
        DeleteObject(background);
        palette.UpdateTools(dc);
        GdiFlush();
        const uint32_t* p = static_cast<const uint32_t*>(bits);
        pixels.assign(p, p + kWidth * kHeight);
        for (uint32_t& pixel : pixels)
            pixel &= 0x00ffffffu;
        SelectObject(dc, previous);
    }
    if (target)
        DeleteObject(target);
    if (dc)
        DeleteDC(dc);
    return pixels;
}

} // namespace

int main(int argc, char** argv)
{
    const char* output = argc > 1 ? argv[1] : "minimal-host.png";
    try {
        // The classes, a base object, a tool space and the palette on it, owned together.
        ToolSpacePalette stage;
        const Palette& palette = stage.Tray();
        const HBITMAP icons[] = {MakeIcon(stage, 0xc03030), MakeIcon(stage, 0x30a030),
                                 MakeIcon(stage, 0x3050c0)};

        // Tools go in rows of the palette's width, so the narrow palette gets one column first.
        stage.SetSize(tooltray::Pixels(40), tooltray::Pixels(kHeight));
        for (int32_t id = 1; id <= 5; ++id)
            palette.CreateToolChecked(id, icons[id % 3], 0); // throws, saying why, on null
        stage.SetSize(tooltray::Pixels(kWidth), tooltray::Pixels(kHeight));
        palette.ArrangeTools(); // four in the first row, the fifth below

        const KxPoint point(PixelsToFixed(40), PixelsToFixed(16));
        ToolInfo* hit = palette.PtInTool(&point);
        if (!hit)
            throw ToolTrayError("no tool under (40, 16)");
        palette.SetToolState(hit, 1);
        std::printf("point (40, 16) hits tool %d; pressed\n",
                    static_cast<int>(palette.GetToolID(hit)));

        const std::vector<uint32_t> pixels = Render(palette);
        if (pixels.empty())
            throw ToolTrayError("cannot create a drawing surface");
        // A pressed tool is framed in white, the others in black.
        std::printf("frame of tool 2 at (33, 4): %06x; of tool 5 at (4, 33): %06x\n",
                    static_cast<unsigned>(pixels[4 * kWidth + 33]),
                    static_cast<unsigned>(pixels[33 * kWidth + 4]));
        if (!WritePng(output, kWidth, kHeight, pixels))
            throw ToolTrayError(std::string("cannot write ") + output);
        std::printf("wrote %s (%dx%d)\n", output, kWidth, kHeight);
    } catch (const ToolTrayError& e) {
        std::fprintf(stderr, "tooltray-minimal-host: %s\n", e.what());
        return 1;
    }
    return 0;
}
