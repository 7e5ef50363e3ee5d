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

HostPalette::HostPalette(SOMObject* base, KxToolSpaceObj* space, ToolTray* object, Environment* ev,
                         int scale)
    : base_(base), space_(space), palette_(object, ev, resolve_ToolTrayClassData()), scale_(scale)
{}

std::unique_ptr<HostPalette> HostPalette::Create(const PaletteSetup& setup, std::string& error)
{
    SOMClass* trayClass = ToolTrayNewClass(1, 0);
    SOMClass* spaceClass = KxToolSpaceObjNewClass(1, 0);
    SOMClass* paletteClass = setup.paletteClass ? setup.paletteClass : trayClass;
    if (!trayClass || !spaceClass || !paletteClass) {
        error = std::string("cannot build the classes: ") + GetLastBuildError();
        return nullptr;
    }
    SOMObject* base = NewObject(FindClass("KxObject"));
    KxToolSpaceObj* space = NewObject(spaceClass);
    ToolTray* object = NewObject(paletteClass);
    if (!base || !space || !object) {
        FreeObject(object);
        FreeObject(space);
        FreeObject(base);
        error = "out of memory";
        return nullptr;
    }
    const int scale = std::max(1, setup.scale);
    std::unique_ptr<HostPalette> host(
        new HostPalette(base, space, object, GetGlobalEnvironment(), scale));
    const Palette& p = host->palette_;
    p.InitExtension(base);
    const KxRect size(0, 0, PixelsToFixed(setup.width * scale),
                      PixelsToFixed(setup.height * scale));
    p.SetSize(&size);
    p.SetToolWidth(PixelsToFixed(setup.toolWidth * scale));
    p.SetToolHeight(PixelsToFixed(setup.toolHeight * scale));
    p.SetToolSpaceObj(space);

    // Asked before any tool exists, the class answers its first slot.
    KxRect first;
    p.GetNextToolBounds(&first);
    const RECT firstPixels = PixelRect(first);
    host->firstSlot_ =
        PixelSize{static_cast<int>(firstPixels.left), static_cast<int>(firstPixels.top)};

    const std::vector<Image> icons = setup.icons.empty() ? BuiltInIcons() : setup.icons;
    for (const Image& icon : icons)
        host->bitmaps_.push_back(BitmapFromImage(ScaleImage(icon, scale)));
    for (int i = 0; i < setup.tools; ++i) {
        HBITMAP bitmap = host->bitmaps_[static_cast<size_t>(i) % host->bitmaps_.size()];
        if (ToolInfo* tool = p.CreateTool(i + 1, bitmap, uint16_t{0}))
            host->tools_.push_back(tool);
    }
    if (static_cast<int>(host->tools_.size()) != setup.tools) {
        error = "cannot create the tools";
        return nullptr;
    }
    return host;
}

HostPalette::~HostPalette()
{
    palette_.Release();
    for (HBITMAP b : bitmaps_)
        DeleteObject(b);
    FreeObject(space_);
    FreeObject(base_);
}

void HostPalette::Resize(int width, int height)
{
    const KxRect size(0, 0, PixelsToFixed(width), PixelsToFixed(height));
    palette_.SetSize(&size);
    palette_.ArrangeTools();
}

PixelSize HostPalette::Size() const
{
    KxRect size;
    palette_.GetSize(&size);
    const RECT r = PixelRect(size);
    return PixelSize{static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)};
}

ToolInfo* HostPalette::FindTool(int32_t id) const
{
    for (ToolInfo* tool : tools_)
        if (palette_.GetToolID(tool) == id)
            return tool;
    return nullptr;
}

RECT HostPalette::Bounds(const ToolInfo* tool) { return PixelRect(tool->bounds); }

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
