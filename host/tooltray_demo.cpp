// The demo host: builds the ToolTray class, makes a palette on a tool space, fills it with tools
// carrying icons, presses tools by hit-testing points, optionally resizes and re-lays it out,
// renders it with UpdateTools and writes the image as a PNG, printing every tool.
#include "host/demo_options.h"
#include "host/icons.h"
#include "host/dib_section_dc.h"
#include "host/host_palette.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "tooltray-demo: %s\n", message.c_str());
    return 2;
}

// Oldest first, the reading order of the layout.
void PrintTools(const HostPalette& host)
{
    const Palette& palette = host.Tray();
    for (ToolInfo* tool : host.Tools()) {
        const RECT r = HostPalette::Bounds(tool);
        std::printf("  tool %3d  state %u  (%d, %d, %d, %d)\n", palette.GetToolID(tool),
                    static_cast<unsigned>(palette.GetToolState(tool)), static_cast<int>(r.left),
                    static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom));
    }
}

} // namespace

int main(int argc, char** argv)
{
    DemoOptions options;
    std::string error;
    if (!ParseDemoOptions(argc, argv, options, error))
        return Fail(error);
    if (options.help) {
        std::fputs(kDemoUsage, stdout);
        return 0;
    }
    PaletteSetup setup;
    setup.tools = options.tools;
    setup.width = options.paletteWidth;
    setup.toolWidth = options.toolWidth;
    setup.toolHeight = options.toolHeight;
    if (!options.iconDir.empty() && !LoadIcons(options.iconDir, setup.icons, error))
        return Fail(error);
    std::unique_ptr<HostPalette> host = HostPalette::Create(setup, error);
    if (!host)
        return Fail(error);
    const Palette& palette = host->Tray();
    std::printf("palette %d pixels wide, %d tools of %dx%d\n", options.paletteWidth, options.tools,
                options.toolWidth, options.toolHeight);

    for (auto [x, y] : options.presses) {
        const KxPoint point(PixelsToFixed(x), PixelsToFixed(y));
        if (ToolInfo* hit = palette.PtInTool(&point)) {
            palette.SetToolState(hit, uint16_t{1});
            std::printf("point (%d, %d) presses tool %d\n", x, y, palette.GetToolID(hit));
        } else {
            std::printf("point (%d, %d) hits no tool\n", x, y);
        }
    }
    int width = options.paletteWidth;
    if (options.resizeTo) {
        width = *options.resizeTo;
        host->Resize(width, setup.height);
        std::printf("resized to %d pixels and re-laid out\n", width);
    }
    PrintTools(*host);

    // By default the surface fits the palette: its width, and the room the tools take.
    int surfaceWidth = options.surfaceWidth, surfaceHeight = options.surfaceHeight;
    if (!surfaceWidth) {
        const PixelSize extent = host->ToolsExtent();
        surfaceWidth = std::clamp<int>(std::max<int>(width, extent.width), 1, 8192);
        surfaceHeight = std::clamp<int>(extent.height, 1, 8192);
    }
    DibSectionDc surface(surfaceWidth, surfaceHeight);
    if (!surface.Ok())
        return Fail("cannot create a drawing surface");
    surface.Fill(kPaletteBackground);
    palette.UpdateTools(surface.Dc());
    if (!WritePng(options.output, surface.Snapshot(), error))
        return Fail("cannot write " + options.output + ": " + error);
    std::printf("wrote %s (%dx%d)\n", options.output.c_str(), surfaceWidth, surfaceHeight);
    return 0;
}
