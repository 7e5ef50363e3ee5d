// The demo host: builds the ToolTray class, makes a palette on a tool space, fills it with tools
// carrying icons, presses tools by hit-testing points, optionally resizes and re-lays it out,
// renders it with UpdateTools and writes the image as a PNG, printing every tool.
#include "host/demo_options.h"
#include "host/icons.h"
#include "host/surface.h"
#include "host/tooltray_bindings.h"
#include "tools/tool_info.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "tooltray-demo: %s\n", message.c_str());
    return 2;
}

// Oldest first: the reading order of the layout.
std::vector<ToolInfo*> ToolsOldestFirst(const Palette& palette)
{
    std::vector<ToolInfo*> tools;
    for (ToolInfo* t = palette.GetFirstTool(); t; t = palette.GetNextTool(t))
        tools.push_back(t);
    std::reverse(tools.begin(), tools.end());
    return tools;
}

void PrintTools(const Palette& palette)
{
    for (ToolInfo* tool : ToolsOldestFirst(palette)) {
        RECT r;
        tool->bounds.AsWinRect(r);
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
    std::vector<Image> icons;
    if (options.iconDir.empty())
        icons = BuiltInIcons();
    else if (!LoadIcons(options.iconDir, icons, error))
        return Fail(error);

    SOMClass* trayClass = ToolTrayNewClass(1, 0);
    SOMClass* spaceClass = KxToolSpaceObjNewClass(1, 0);
    if (!trayClass || !spaceClass)
        return Fail(std::string("cannot build the classes: ") + GetLastBuildError());
    Environment* ev = GetGlobalEnvironment();
    SOMObject* base = NewObject(FindClass("KxObject"));
    KxToolSpaceObj* space = NewObject(spaceClass);
    ToolTray* object = NewObject(trayClass);
    if (!base || !space || !object)
        return Fail("out of memory");
    Palette palette(object, ev, resolve_ToolTrayClassData());
    palette.InitExtension(base);

    const KxRect size(0, 0, PixelsToFixed(options.paletteWidth), PixelsToFixed(200));
    palette.SetSize(&size);
    palette.SetToolWidth(PixelsToFixed(options.toolWidth));
    palette.SetToolHeight(PixelsToFixed(options.toolHeight));
    palette.SetToolSpaceObj(space);

    std::vector<HBITMAP> bitmaps;
    for (const Image& icon : icons)
        bitmaps.push_back(BitmapFromImage(icon));
    for (int i = 0; i < options.tools; ++i)
        palette.CreateTool(i + 1, bitmaps[static_cast<size_t>(i) % bitmaps.size()], uint16_t{0});
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
        const KxRect resized(0, 0, PixelsToFixed(width), PixelsToFixed(200));
        palette.SetSize(&resized);
        palette.ArrangeTools();
        std::printf("resized to %d pixels and re-laid out\n", width);
    }
    PrintTools(palette);

    // By default the surface fits the palette: its width, and the lowest tool plus the margin.
    int surfaceWidth = options.surfaceWidth, surfaceHeight = options.surfaceHeight;
    if (!surfaceWidth) {
        int right = width, bottom = 4;
        for (ToolInfo* t = palette.GetFirstTool(); t; t = palette.GetNextTool(t)) {
            RECT r;
            t->bounds.AsWinRect(r);
            right = std::max<int>(right, r.right + 4);
            bottom = std::max<int>(bottom, r.bottom + 4);
        }
        surfaceWidth = std::clamp(right, 1, 8192);
        surfaceHeight = std::clamp(bottom, 1, 8192);
    }
    int status = 0;
    {
        Surface surface(surfaceWidth, surfaceHeight);
        if (!surface.Ok()) {
            status = Fail("cannot create a drawing surface");
        } else {
            surface.Fill(RGB(212, 208, 200));
            palette.UpdateTools(surface.Dc());
            if (!WritePng(options.output, surface.Snapshot(), error))
                status = Fail("cannot write " + options.output + ": " + error);
            else
                std::printf("wrote %s (%dx%d)\n", options.output.c_str(), surfaceWidth,
                            surfaceHeight);
        }
    }

    palette.Release();
    for (HBITMAP b : bitmaps)
        DeleteObject(b);
    FreeObject(space);
    FreeObject(base);
    return status;
}
