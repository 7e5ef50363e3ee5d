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
    ToolTrayNewClass(1, 0);
    Environment* ev = GetGlobalEnvironment();
    base_ = NewObject(FindClass("KxObject"));
    space_ = NewObject(KxToolSpaceObjNewClass(1, 0));
    palette_ = std::make_unique<Palette>(NewObject(resolve_ToolTrayClassData()->classObject), ev,
                                         resolve_ToolTrayClassData());
    palette_->InitExtension(base_);
    for (int k = 0; k < 4; ++k)
        bitmaps_.push_back(
            CreateBitmap(kSceneBitmapSize, kSceneBitmapSize, 1, 32, SceneIcon(k).data()));
    surface_.Fill(RGB(212, 208, 200));
    // Oldest first, so the drawing order (newest first) ends with tool 0 on top, as layout would.
    for (int i = 0; i < tools; ++i) {
        const int x = SceneToolX(i, toolSize), y = SceneToolY(i, toolSize);
        const KxRect bounds(PixelsToFixed(x), PixelsToFixed(y), PixelsToFixed(x + toolSize),
                            PixelsToFixed(y + toolSize));
        palette_->AddToolInfo(i, &bounds, bitmaps_[static_cast<size_t>(i) % 4],
                              static_cast<uint16_t>(i % 3 == 0));
    }
}

DrawingScene::~DrawingScene()
{
    palette_->Release();
    FreeObject(space_);
    FreeObject(base_);
    for (HBITMAP b : bitmaps_)
        DeleteObject(b);
}
