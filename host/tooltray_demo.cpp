// The demo host: builds the ToolTray class, makes a palette on a tool space, fills it with tools,
// presses one by hit-testing, re-lays it out after a resize and prints what it did.
#include "host/tooltray_bindings.h"
#include "tools/tool_info.h"

#include <cstdio>

namespace {

void PrintTools(const Palette& palette)
{
    // Oldest first, the reading order of the layout.
    for (ToolInfo* tool = palette.GetLastTool(); tool;) {
        RECT r;
        tool->bounds.AsWinRect(r);
        std::printf("  tool %2d  state %u  (%d, %d, %d, %d)\n", palette.GetToolID(tool),
                    static_cast<unsigned>(palette.GetToolState(tool)), r.left, r.top, r.right,
                    r.bottom);
        // Walk towards the front: find the tool whose successor is this one.
        ToolInfo* newer = nullptr;
        for (ToolInfo* t = palette.GetFirstTool(); t && t != tool; t = palette.GetNextTool(t))
            newer = t;
        tool = newer;
    }
}

} // namespace

int main()
{
    Environment* ev = GetGlobalEnvironment();
    SOMClass* trayClass = ToolTrayNewClass(1, 0);
    SOMClass* spaceClass = KxToolSpaceObjNewClass(1, 0);
    if (!trayClass || !spaceClass) {
        std::fprintf(stderr, "tooltray-demo: cannot build the classes: %s\n", GetLastBuildError());
        return 1;
    }
    std::printf("built class %s (parent %s)\n", ClassName(trayClass), ClassName(ParentOf(trayClass)));

    SOMObject* base = NewObject(FindClass("KxObject"));
    KxToolSpaceObj* space = NewObject(spaceClass);
    ToolTray* object = NewObject(trayClass);
    if (!base || !space || !object) {
        std::fprintf(stderr, "tooltray-demo: out of memory\n");
        return 1;
    }
    Palette palette(object, ev, resolve_ToolTrayClassData());
    palette.InitExtension(base);
    std::printf("palette initialised as an extension of %p\n", static_cast<void*>(base));

    const KxRect size(0, 0, 120 * kFixedOne, 200 * kFixedOne);
    palette.SetSize(&size);
    palette.SetToolWidth(25 * kFixedOne);
    palette.SetToolHeight(25 * kFixedOne);
    palette.SetToolSpaceObj(space);
    for (int32_t id = 1; id <= 12; ++id)
        palette.CreateTool(id, static_cast<HBITMAP>(nullptr), static_cast<uint16_t>(0));
    std::printf("12 tools in a palette 120 pixels wide:\n");
    PrintTools(palette);

    const KxPoint point(40 * kFixedOne, 40 * kFixedOne);
    if (ToolInfo* hit = palette.PtInTool(&point)) {
        palette.SetToolState(hit, static_cast<uint16_t>(1));
        std::printf("point (40, 40) hits tool %d; pressed\n", palette.GetToolID(hit));
    }

    const KxRect wider(0, 0, 200 * kFixedOne, 200 * kFixedOne);
    palette.SetSize(&wider);
    palette.ArrangeTools();
    std::printf("after resizing to 200 pixels and ArrangeTools:\n");
    PrintTools(palette);

    palette.Release();
    FreeObject(space);
    FreeObject(base);
    std::printf("palette released\n");
    return 0;
}
