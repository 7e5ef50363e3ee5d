#include "bench/drawing_scene.h"

const std::vector<uint32_t>& SceneIcon(int i)
{
    static const std::vector<std::vector<uint32_t>> icons = [] {
        std::vector<std::vector<uint32_t>> v(
            4, std::vector<uint32_t>(kSceneBitmapSize * kSceneBitmapSize));
        for (int k = 0; k < 4; ++k)
            for (int p = 0; p < kSceneBitmapSize * kSceneBitmapSize; ++p)
                v[k][p] = (static_cast<uint32_t>(p * 2654435761u) >> (k * 3)) & 0xffffffu;
        return v;
    }();
    return icons[i % 4];
}

DrawingScene::DrawingScene(int tools, int toolSize) : surface_(kSceneWidth, kSceneHeight)
{
    for (int k = 0; k < 4; ++k)
        bitmaps_[k] = stage_.AddBitmap(kSceneBitmapSize, kSceneBitmapSize, SceneIcon(k).data());
    surface_.Fill(kPaletteBackground);
    // Oldest first, so the drawing order (newest first) ends with tool 0 on top, as layout would.
    for (int i = 0; i < tools; ++i) {
        const int x = SceneToolX(i, toolSize), y = SceneToolY(i, toolSize);
        const KxRect bounds(PixelsToFixed(x), PixelsToFixed(y), PixelsToFixed(x + toolSize),
                            PixelsToFixed(y + toolSize));
        stage_.Tray().AddToolInfo(i, &bounds, bitmaps_[static_cast<size_t>(i) % 4],
                                  static_cast<uint16_t>(i % 3 == 0));
    }
}
