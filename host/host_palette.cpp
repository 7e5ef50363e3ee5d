#include "host/host_palette.h"

#include "host/dib_section_dc.h"
#include "host/icons.h"

#include <algorithm>

namespace {

RECT PixelRect(const KxRect& r)
{
    RECT out;
    r.AsWinRect(out);
    return out;
}

} // namespace

Image ScaleImage(const Image& image, int factor)
{
    if (factor <= 1)
        return image;
    Image out;
    out.width = image.width * factor;
    out.height = image.height * factor;
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.pixels[static_cast<size_t>(y) * out.width + x] = image.At(x / factor, y / factor);
    return out;
}

std::unique_ptr<HostPalette> HostPalette::Create(const PaletteSetup& setup, std::string& error)
{
    try {
        const int scale = std::max(1, setup.scale);
        std::unique_ptr<HostPalette> host(new HostPalette(setup.paletteClass, scale));
        const ToolSpacePalette& stage = host->stage_;
        stage.SetSize(tooltray::Pixels(setup.width * scale),
                      tooltray::Pixels(setup.height * scale));
        stage.SetToolSize(tooltray::Pixels(setup.toolWidth * scale),
                          tooltray::Pixels(setup.toolHeight * scale));

        // Asked before any tool exists, the class answers its first slot.
        KxRect first;
        stage.Tray().GetNextToolBounds(&first);
        const RECT firstPixels = PixelRect(first);
        host->firstSlot_ =
            PixelSize{static_cast<int>(firstPixels.left), static_cast<int>(firstPixels.top)};

        const std::vector<Image> icons = setup.icons.empty() ? BuiltInIcons() : setup.icons;
        std::vector<HBITMAP> bitmaps;
        for (const Image& icon : icons)
            bitmaps.push_back(
                host->stage_.Keep(BitmapHandle(BitmapFromImage(ScaleImage(icon, scale)))));
        for (int i = 0; i < setup.tools; ++i)
            host->tools_.push_back(stage.Tray().CreateToolChecked(
                i + 1, bitmaps[static_cast<size_t>(i) % bitmaps.size()], uint16_t{0}));
        return host;
    } catch (const ToolTrayError& e) {
        error = e.what();
        return nullptr;
    }
}

void HostPalette::Resize(int width, int height)
{
    stage_.SetSize(tooltray::Pixels(width), tooltray::Pixels(height));
    stage_.Tray().ArrangeTools();
}

PixelSize HostPalette::Size() const
{
    KxRect size;
    stage_.Tray().GetSize(&size);
    const RECT r = PixelRect(size);
    return PixelSize{static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)};
}

ToolInfo* HostPalette::FindTool(int32_t id) const
{
    for (ToolInfo* tool : tools_)
        if (stage_.Tray().GetToolID(tool) == id)
            return tool;
    return nullptr;
}

RECT HostPalette::Bounds(const ToolInfo* tool) { return PixelRect(Palette::ToolBounds(tool)); }

PixelSize HostPalette::ToolsExtent() const
{
    int right = 0, bottom = 0;
    for (const ToolInfo* tool : tools_) {
        const RECT r = Bounds(tool);
        right = std::max<int>(right, r.right);
        bottom = std::max<int>(bottom, r.bottom);
    }
    return PixelSize{right + firstSlot_.width, bottom + firstSlot_.height};
}
