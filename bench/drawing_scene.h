// The drawing workload the benchmarks share: a palette of 1,000 tools of 25x25 pixels, each with
// a 16x16 bitmap, on an 800x600 surface. The surface holds 27 x 20 tool slots, so tools past the
// 540th lie over earlier ones: every tool is drawn whole, none is clipped away.
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

// Top-left pixel of tool i.
inline int SceneToolX(int i)
{
    return 4 + (i % (kSceneColumns * kSceneRows)) % kSceneColumns * (kSceneToolSize + 4);
}
inline int SceneToolY(int i)
{
    return 4 + (i % (kSceneColumns * kSceneRows)) / kSceneColumns * (kSceneToolSize + 4);
}

// The 16x16 bitmap pixels of tool i's icon (four different icons).
const std::vector<uint32_t>& SceneIcon(int i);

class DrawingScene {
public:
    DrawingScene();
    void Draw() const { stage_.Tray().UpdateTools(surface_.Dc()); }
    const DibSectionDc& Target() const { return surface_; }

private:
    DibSectionDc surface_;
    ToolSpacePalette stage_;
    HBITMAP bitmaps_[4] = {}; // the stage owns them
};

#endif // BENCH_DRAWING_SCENE_H
