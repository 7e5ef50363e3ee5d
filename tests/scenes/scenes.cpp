#include "tests/scenes/scenes.h"

#include "host/icons.h"
#include "host/dib_section_dc.h"
#include "host/tooltray_bindings.h"
#include "tools/tool_info.h"

#include <functional>
#include <memory>

namespace {

// The same numbers on every platform and standard library.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    uint32_t Next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int Between(int low, int high)
    {
        return low + static_cast<int>(Next() % static_cast<uint32_t>(high - low + 1));
    }

private:
    uint32_t state_;
};

Image Pattern(int w, int h, uint32_t seed)
{
    // Colours that differ in every channel, so that combining pixels when shrinking shows.
    Random r(seed);
    Image img;
    img.width = w;
    img.height = h;
    for (int i = 0; i < w * h; ++i)
        img.pixels.push_back(r.Next() & 0xffffffu);
    return img;
}

// A palette on a tool space, with bitmaps that live as long as it does.
class Stage {
public:
    Stage(int paletteWidth, int toolWidth, int toolHeight)
    {
        ToolTrayNewClass(1, 0);
        ev_ = GetGlobalEnvironment();
        base_ = NewObject(FindClass("KxObject"));
        space_ = NewObject(KxToolSpaceObjNewClass(1, 0));
        palette_ = std::make_unique<Palette>(NewObject(resolve_ToolTrayClassData()->classObject),
                                             ev_, resolve_ToolTrayClassData());
        palette_->InitExtension(base_);
        const KxRect size(0, 0, PixelsToFixed(paletteWidth), PixelsToFixed(100));
        palette_->SetSize(&size);
        palette_->SetToolWidth(PixelsToFixed(toolWidth));
        palette_->SetToolHeight(PixelsToFixed(toolHeight));
        palette_->SetToolSpaceObj(space_);
    }
    ~Stage()
    {
        palette_->Release();
        FreeObject(space_);
        FreeObject(base_);
        for (HBITMAP b : bitmaps_)
            DeleteObject(b);
    }
    HBITMAP Bitmap(const Image& image)
    {
        bitmaps_.push_back(BitmapFromImage(image));
        return bitmaps_.back();
    }
    const Palette& P() const { return *palette_; }
    void Create(int id, HBITMAP bitmap, int state)
    {
        P().CreateTool(id, bitmap, static_cast<uint16_t>(state));
    }
    void Add(int id, int l, int t, int r, int b, HBITMAP bitmap, int state)
    {
        const KxRect bounds(PixelsToFixed(l), PixelsToFixed(t), PixelsToFixed(r), PixelsToFixed(b));
        P().AddToolInfo(id, &bounds, bitmap, static_cast<uint16_t>(state));
    }
    Image Render(int w, int h, int stretchMode = BLACKONWHITE)
    {
        DibSectionDc surface(w, h);
        surface.Fill(RGB(212, 208, 200));
        SetStretchBltMode(surface.Dc(), stretchMode);
        P().UpdateTools(surface.Dc());
        return surface.Snapshot();
    }

private:
    Environment* ev_;
    SOMObject* base_;
    SOMObject* space_;
    std::unique_ptr<Palette> palette_;
    std::vector<HBITMAP> bitmaps_;
};

const char* ModeName(int mode)
{
    return mode == BLACKONWHITE   ? "blackonwhite"
           : mode == WHITEONBLACK ? "whiteonblack"
                                  : "coloroncolor";
}

Image RandomPalette(uint32_t seed)
{
    Random r(seed);
    Stage s(r.Between(0, 160), r.Between(1, 40), r.Between(1, 40));
    const std::vector<Image> icons = BuiltInIcons();
    const int tools = r.Between(0, 14);
    for (int i = 0; i < tools; ++i) {
        HBITMAP bitmap = nullptr;
        switch (r.Between(0, 3)) {
        case 0:
            break;
        case 1:
            bitmap = s.Bitmap(icons[r.Next() % icons.size()]);
            break;
        default:
            bitmap = s.Bitmap(Pattern(r.Between(1, 48), r.Between(1, 48), r.Next()));
            break;
        }
        if (r.Between(0, 4) == 0)
            s.Add(i, r.Between(-20, 150), r.Between(-20, 110), r.Between(-20, 170),
                  r.Between(-20, 130), bitmap, r.Between(0, 2));
        else
            s.Create(i, bitmap, r.Between(0, 2));
    }
    const int modes[] = {BLACKONWHITE, WHITEONBLACK, COLORONCOLOR};
    return s.Render(r.Between(1, 160), r.Between(1, 120), modes[r.Next() % 3]);
}

} // namespace

std::vector<Scene> RenderScenes(int randomSeeds)
{
    std::vector<Scene> scenes;
    const std::vector<Image> icons = BuiltInIcons();
    {
        Stage s(120, 25, 25);
        for (int i = 0; i < 6; ++i)
            s.Create(i + 1, nullptr, i % 3);
        scenes.push_back({"faces_in_each_state", s.Render(124, 66)});
    }
    {
        Stage s(120, 25, 25);
        for (int i = 0; i < 8; ++i)
            s.Create(i + 1, s.Bitmap(icons[static_cast<size_t>(i)]), i % 2);
        scenes.push_back({"icons_in_both_states", s.Render(124, 66)});
    }
    for (int mode : {BLACKONWHITE, WHITEONBLACK, COLORONCOLOR}) {
        Stage s(200, 25, 25);
        s.Create(1, s.Bitmap(Pattern(40, 40, 1)), 0); // shrunk
        s.Create(2, s.Bitmap(Pattern(7, 5, 2)), 1);   // enlarged
        s.Create(3, s.Bitmap(Pattern(61, 3, 3)), 0);  // shrunk one way, enlarged the other
        s.Add(4, 4, 40, 90, 52, s.Bitmap(Pattern(16, 16, 4)), 0);
        s.Add(5, 100, 40, 103, 90, s.Bitmap(Pattern(33, 33, 5)), 1);
        scenes.push_back({std::string("stretch_") + ModeName(mode), s.Render(130, 96, mode)});
    }
    {
        Stage s(120, 25, 25);
        HBITMAP b = s.Bitmap(icons[0]);
        s.Add(1, 0, 0, 0, 0, b, 0);     // nothing left after shrinking
        s.Add(2, 10, 10, 11, 11, b, 1); // one pixel
        s.Add(3, 20, 10, 22, 30, b, 0); // two pixels wide
        s.Add(4, 40, 20, 30, 10, b, 1); // inverted
        s.Add(5, 50, 10, 53, 13, nullptr, 0);
        scenes.push_back({"tiny_and_empty_tools", s.Render(64, 40)});
    }
    {
        Stage s(120, 25, 25);
        s.Add(1, -10, -10, 15, 15, s.Bitmap(icons[1]), 0);
        s.Add(2, 50, 20, 80, 45, s.Bitmap(icons[2]), 1);
        s.Add(3, -30, 30, -5, 55, nullptr, 0); // wholly outside
        s.Add(4, 20, 35, 45, 90, nullptr, 1);  // past the bottom
        scenes.push_back({"tools_partly_outside", s.Render(64, 48)});
    }
    {
        Stage s(120, 25, 25);
        s.Add(1, 4, 4, 40, 40, s.Bitmap(icons[3]), 0);
        s.Add(2, 20, 20, 56, 56, nullptr, 1);
        s.Add(3, 12, 30, 30, 60, s.Bitmap(icons[4]), 2);
        scenes.push_back({"overlapping_tools", s.Render(64, 64)});
    }
    for (int seed = 1; seed <= randomSeeds; ++seed)
        scenes.push_back(
            {"random_" + std::to_string(seed), RandomPalette(static_cast<uint32_t>(seed))});
    return scenes;
}
