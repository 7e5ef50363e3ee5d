// tooltray-palette: the live floating palette. Sets the palette up, then either draws it into a
// PNG as the window would show it (--render, no window system needed) or opens the window. The
// one program for both: scripts/demo.sh runs it with --render where there is no display.
#include "host/column_tray.h"
#include "host/icons.h"
#include "host/palette_options.h"
#include "host/palette_view.h"
#include "host/palette_window.h"

#include <cstdio>

namespace {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "tooltray-palette: %s\n", message.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    PaletteOptions options;
    std::string error;
    if (!ParsePaletteOptions(argc, argv, options, error))
        return Fail(error);
    if (options.help) {
        std::fputs(kPaletteUsage, stdout);
        return 0;
    }
    PaletteSetup setup;
    setup.tools = options.tools;
    setup.toolWidth = options.toolWidth;
    setup.toolHeight = options.toolHeight;
    setup.scale = options.scale;
    setup.width = setup.height = options.length;
    if (options.vertical && !(setup.paletteClass = ColumnToolTrayNewClass()))
        return Fail(std::string("cannot build the column layout: ") + GetLastBuildError());
    if (!options.iconDir.empty() && !LoadIcons(options.iconDir, setup.icons, error))
        return Fail(error);
    std::unique_ptr<HostPalette> host = HostPalette::Create(setup, error);
    if (!host)
        return Fail(error);

    // The window fits the palette: its length along the rows (or columns), and across them the
    // room the tools take. The palette's size is always the client area's.
    const PixelSize extent = host->ToolsExtent();
    const int length = options.length * host->Scale();
    int width = options.vertical ? extent.width : length;
    int height = options.vertical ? length : extent.height;
    if (options.window) {
        width = options.window->first;
        height = options.window->second;
    }
    host->Resize(width, height);

    if (options.render.empty()) {
        PaletteInput input(*host, options.toggles);
        return RunPaletteWindow(*host, input, width, height, options.printClient);
    }
    const Palette& palette = host->Tray();
    for (auto [x, y] : options.presses) {
        const KxPoint point(PixelsToFixed(x), PixelsToFixed(y));
        if (ToolInfo* hit = palette.PtInTool(&point)) {
            palette.SetToolState(hit, uint16_t{1});
            std::printf("point (%d, %d) presses tool %d\n", x, y, palette.GetToolID(hit));
        } else {
            std::printf("point (%d, %d) hits no tool\n", x, y);
        }
    }
    for (auto [id, state] : options.states) {
        ToolInfo* tool = host->FindTool(id);
        if (!tool)
            return Fail("--state: no tool " + std::to_string(id));
        palette.SetToolState(tool, static_cast<uint16_t>(state));
    }
    ToolInfo* hot = options.hot ? host->FindTool(*options.hot) : nullptr;
    if (options.hot && !hot)
        return Fail("--hot: no tool " + std::to_string(*options.hot));
    const Image image = RenderPalette(*host, hot, width, height);
    if (image.pixels.empty())
        return Fail("cannot create a drawing surface");
    if (!WritePng(options.render, image, error))
        return Fail("cannot write " + options.render + ": " + error);
    std::printf("wrote %s (%dx%d)\n", options.render.c_str(), width, height);
    for (ToolInfo* tool : host->Tools()) {
        const RECT r = HostPalette::Bounds(tool);
        std::printf("tool %d %d %d %d %d\n", palette.GetToolID(tool), static_cast<int>(r.left),
                    static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom));
    }
    return 0;
}
