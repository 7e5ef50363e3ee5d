// The drawing workload the benchmarks share: a palette of 1,000 tools of 25x25 pixels, each with
// a 16x16 bitmap, on an 800x600 surface. The surface holds 27 x 20 tool slots, so tools past the
// 540th lie over earlier ones: every tool is drawn whole, none is clipped away. The scaling
// benchmark lays out other numbers and sizes of tools the same way.
#ifndef BENCH_DRAWING_SCENE_H
#define BENCH_DRAWING_SCENE_H

#include "host/dib_section_dc.h"
#include "host/tool_space_palette.h"

#include <vector>

constexpr int kSceneTools = 1000;
constexpr int kSceneToolSize = 25;
constexpr int kSceneBitmapSize = 16;
constexpr int kSceneWidth = 800;
constexpr int kSceneHeight = 600;
constexpr int kSceneColumns = (kSceneWidth - 4) / (kSceneToolSize + 4);
constexpr int kSceneRows = (kSceneHeight - 4) / (kSceneToolSize + 4);

// Top-left pixel of tool i of `size` pixels.
inline int SceneToolX(int i, int size = kSceneToolSize)
{
    const int columns = (kSceneWidth - 4) / (size + 4), rows = (kSceneHeight - 4) / (size + 4);
    return 4 + (i % (columns * rows)) % columns * (size + 4);
}
inline int SceneToolY(int i, int size = kSceneToolSize)
{
    const int columns = (kSceneWidth - 4) / (size + 4), rows = (kSceneHeight - 4) / (size + 4);
    return 4 + (i % (columns * rows)) / columns * (size + 4);
}

// The 16x16 bitmap pixels of tool i's icon (four different icons).
const std::vector<uint32_t>& SceneIcon(int i);

class DrawingScene {
public:
    explicit DrawingScene(int tools = kSceneTools, int toolSize = kSceneToolSize);
    void Draw() const { stage_.Tray().UpdateTools(surface_.Dc()); }
    const DibSectionDc& Target() const { return surface_; }

private:
    DibSectionDc surface_;
    ToolSpacePalette stage_;
    HBITMAP bitmaps_[4] = {}; // the stage owns them
};

#endif // BENCH_DRAWING_SCENE_H
