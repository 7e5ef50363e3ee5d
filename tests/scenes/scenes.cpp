#include "tests/scenes/scenes.h"

#include "host/icons.h"
#include "host/dib_section_dc.h"
#include "host/tool_space_palette.h"
#include "runtime/som_class_declaration.h"

#include <cstring>
#include <deque>
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
    // `paletteClass`: ToolTray, or a host's subclass of it.
    Stage(int paletteWidth, int toolWidth, int toolHeight, SOMClass* paletteClass = nullptr)
        : stage_(paletteClass)
    {
        stage_.SetSize(tooltray::Pixels(paletteWidth), tooltray::Pixels(100));
        stage_.SetToolSize(tooltray::Pixels(toolWidth), tooltray::Pixels(toolHeight));
    }
    HBITMAP Bitmap(const Image& image) { return Keep(BitmapFromImage(image)); }
    // Takes ownership of a bitmap made elsewhere.
    HBITMAP Keep(HBITMAP bitmap) { return stage_.Keep(BitmapHandle(bitmap)); }
    const Palette& P() const { return stage_.Tray(); }
    void Create(int id, HBITMAP bitmap, int state)
    {
        P().CreateTool(id, bitmap, static_cast<uint16_t>(state));
    }
    void Add(int id, int l, int t, int r, int b, HBITMAP bitmap, int state)
    {
        const KxRect bounds(PixelsToFixed(l), PixelsToFixed(t), PixelsToFixed(r), PixelsToFixed(b));
        P().AddToolInfo(id, &bounds, bitmap, static_cast<uint16_t>(state));
    }
    // stretchMode 0 leaves the DC's own default in place.
    Image Render(int w, int h, int stretchMode = BLACKONWHITE)
    {
        DibSectionDc surface(w, h);
        surface.Fill(kPaletteBackground);
        if (stretchMode)
            SetStretchBltMode(surface.Dc(), stretchMode);
        P().UpdateTools(surface.Dc());
        return surface.Snapshot();
    }

private:
    ToolSpacePalette stage_;
};

const char* ModeName(int mode)
{
    return mode == BLACKONWHITE   ? "blackonwhite"
           : mode == WHITEONBLACK ? "whiteonblack"
                                  : "coloroncolor";
}

// Every draw is a statement of its own, last argument first: a call's arguments are evaluated in
// an unspecified order (GCC right to left, Clang left to right), and the goldens were recorded
// with GCC's. Regression: a Clang build drew other scenes than its goldens.
Image RandomPalette(uint32_t seed)
{
    Random r(seed);
    const int toolHeight = r.Between(1, 40), toolWidth = r.Between(1, 40);
    Stage s(r.Between(0, 160), toolWidth, toolHeight);
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
        default: {
            const auto pattern = r.Next();
            const int height = r.Between(1, 48);
            bitmap = s.Bitmap(Pattern(r.Between(1, 48), height, pattern));
            break;
        }
        }
        if (r.Between(0, 4) == 0) {
            const int state = r.Between(0, 2);
            const int bottom = r.Between(-20, 130), right = r.Between(-20, 170);
            const int top = r.Between(-20, 110);
            s.Add(i, r.Between(-20, 150), top, right, bottom, bitmap, state);
        } else {
            s.Create(i, bitmap, r.Between(0, 2));
        }
    }
    const int modes[] = {BLACKONWHITE, WHITEONBLACK, COLORONCOLOR};
    const int mode = modes[r.Next() % 3];
    const int height = r.Between(1, 120);
    return s.Render(r.Between(1, 160), height, mode);
}

// ---- Scenes as hosts set them up -----------------------------------------------------------
// Any stretch mode on the target DC (or none set), tools at any rectangle a host can give, placed
// by AddToolInfo or by a subclass's GetNextToolBounds, bitmaps of every kind shared between tools,
// and hit tests of random points.

// The rectangles the placing subclass hands out, one per CreateTool.
std::deque<KxRect>& PlannedBounds()
{
    static std::deque<KxRect> bounds;
    return bounds;
}

void SOMLINK PlannedNextToolBounds(ToolTray*, Environment*, KxRect* bounds)
{
    if (PlannedBounds().empty())
        return;
    *bounds = PlannedBounds().front();
    PlannedBounds().pop_front();
}

SOMClass* PlacingTrayClass()
{
    static SOMClass* const cls = [] {
        ToolTrayNewClass(1, 0);
        static somClassDataStructure classData{};
        static somCClassDataStructure cClassData{};
        static const ClassDeclaration declaration(
            "ScenePlacingTray", "ToolTray", 0, &classData, &cClassData, {},
            {{"ToolTray::GetNextToolBounds", somProc(&PlannedNextToolBounds)}});
        return BuildClass(SOM_INHERIT_FIRST_PARENT, declaration.Description(), 0, 0);
    }();
    return cls;
}

// A coordinate anywhere a host might put one: near the surface, on it, far off, or within a few
// pixels of the 16-bit limits; now and then with a fraction of a pixel.
KxFixed AnyCoordinate(Random& r, int extent)
{
    int32_t pixels;
    switch (r.Between(0, 9)) {
    case 0:
        pixels = r.Between(32760, 32767);
        break;
    case 1:
        pixels = -r.Between(32760, 32768);
        break;
    case 2:
        pixels = r.Between(-2000, 2000);
        break;
    default:
        pixels = r.Between(-20, extent + 20);
        break;
    }
    KxFixed value = PixelsToFixed(pixels);
    if (r.Between(0, 5) == 0)
        value = static_cast<KxFixed>(static_cast<uint32_t>(value) + (r.Next() & 0xffffu));
    return value;
}

KxRect AnyRect(Random& r, int width, int height)
{
    const KxFixed left = AnyCoordinate(r, width), top = AnyCoordinate(r, height);
    auto near = [&](KxFixed from, int span) {
        return static_cast<KxFixed>(static_cast<uint32_t>(from) +
                                    static_cast<uint32_t>(PixelsToFixed(span)));
    };
    switch (r.Between(0, 7)) {
    case 0: // zero width or height, or both
        return {left, top, r.Between(0, 1) ? left : near(left, r.Between(1, 30)),
                r.Between(0, 1) ? top : near(top, r.Between(1, 30))};
    case 1: // one pixel on a side
        return {left, top, near(left, r.Between(0, 1) ? 1 : r.Between(1, 40)),
                near(top, r.Between(0, 1) ? 1 : -1)};
    case 2: // inverted on one side or both
        return {left, top, near(left, -r.Between(0, 40)), near(top, r.Between(-40, 40))};
    case 3: // two independent corners: inverted, huge, anything
        return {left, top, AnyCoordinate(r, width), AnyCoordinate(r, height)};
    default: // an ordinary tool somewhere near the surface
        return {left, top, near(left, r.Between(1, 48)), near(top, r.Between(1, 48))};
    }
}

// 32-bpp bitmaps of the three kinds a host makes: CreateBitmap, and DIB sections top-down and
// bottom-up. Every channel varies, the unused top byte too.
HBITMAP AnyBitmap(Random& r)
{
    const int w = r.Between(1, 48), h = r.Between(1, 48);
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (uint32_t& p : pixels)
        p = r.Next();
    const int kind = r.Between(0, 2);
    if (kind == 0)
        return CreateBitmap(w, h, 1, 32, pixels.data());
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = kind == 1 ? -h : h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits)
        std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
    return bitmap;
}

Scene HostScene(uint32_t seed)
{
    Random r(seed ^ 0x9e3779b9u);
    const bool placing = r.Between(0, 2) == 0;
    const int width = r.Between(1, 160), height = r.Between(1, 120);
    // One draw per statement from here on: the order in which a call's arguments are evaluated
    // differs between compilers, and both builds must make the same scene from a seed.
    const int trayWidth = r.Between(0, 160);
    const int toolWidth = r.Between(1, 40);
    const int toolHeight = r.Between(1, 40);
    Stage s(trayWidth, toolWidth, toolHeight, placing ? PlacingTrayClass() : nullptr);
    std::vector<HBITMAP> pool;
    const int bitmaps = r.Between(0, 5);
    for (int i = 0; i < bitmaps; ++i)
        pool.push_back(s.Keep(AnyBitmap(r)));
    PlannedBounds().clear();
    const int tools = r.Between(0, 14);
    for (int i = 0; i < tools; ++i) {
        // Bitmaps are shared: several tools may draw the same one.
        HBITMAP bitmap = pool.empty() || r.Between(0, 4) == 0
                             ? nullptr
                             : pool[static_cast<size_t>(r.Between(0, bitmaps - 1))];
        const int state = r.Between(0, 2);
        if (r.Between(0, 2) == 0) {
            const KxRect bounds = AnyRect(r, width, height);
            s.P().AddToolInfo(i, &bounds, bitmap, static_cast<uint16_t>(state));
        } else {
            if (placing)
                PlannedBounds().push_back(AnyRect(r, width, height));
            s.Create(i, bitmap, state);
        }
    }
    const int modes[] = {0, BLACKONWHITE, WHITEONBLACK, COLORONCOLOR, HALFTONE};
    const char* const modeNames[] = {"default", "blackonwhite", "whiteonblack", "coloroncolor",
                                     "halftone"};
    const int pick = r.Between(0, 4);
    Scene scene{"host_" + std::to_string(seed) + "_" + modeNames[pick],
                s.Render(width, height, modes[pick]),
                {}};
    auto anyFixed = [&r](int from, int to) {
        const int pixels = r.Between(from, to);
        const int fraction = r.Between(0, 3) ? 0 : r.Between(0, 0xffff);
        return static_cast<KxFixed>(pixels * kFixedOne + fraction);
    };
    for (int i = 0; i < 16; ++i) {
        const KxPoint point = {anyFixed(-10, width + 10), anyFixed(-10, height + 10)};
        ToolInfo* hit = s.P().PtInTool(&point);
        scene.hits.push_back(hit ? s.P().GetToolID(hit) : -1);
    }
    return scene;
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
        scenes.push_back({"faces_in_each_state", s.Render(124, 66), {}});
    }
    {
        Stage s(120, 25, 25);
        for (int i = 0; i < 8; ++i)
            s.Create(i + 1, s.Bitmap(icons[static_cast<size_t>(i)]), i % 2);
        scenes.push_back({"icons_in_both_states", s.Render(124, 66), {}});
    }
    for (int mode : {BLACKONWHITE, WHITEONBLACK, COLORONCOLOR}) {
        Stage s(200, 25, 25);
        s.Create(1, s.Bitmap(Pattern(40, 40, 1)), 0); // shrunk
        s.Create(2, s.Bitmap(Pattern(7, 5, 2)), 1);   // enlarged
        s.Create(3, s.Bitmap(Pattern(61, 3, 3)), 0);  // shrunk one way, enlarged the other
        s.Add(4, 4, 40, 90, 52, s.Bitmap(Pattern(16, 16, 4)), 0);
        s.Add(5, 100, 40, 103, 90, s.Bitmap(Pattern(33, 33, 5)), 1);
        scenes.push_back({std::string("stretch_") + ModeName(mode), s.Render(130, 96, mode), {}});
    }
    {
        Stage s(120, 25, 25);
        HBITMAP b = s.Bitmap(icons[0]);
        s.Add(1, 0, 0, 0, 0, b, 0);     // nothing left after shrinking
        s.Add(2, 10, 10, 11, 11, b, 1); // one pixel
        s.Add(3, 20, 10, 22, 30, b, 0); // two pixels wide
        s.Add(4, 40, 20, 30, 10, b, 1); // inverted
        s.Add(5, 50, 10, 53, 13, nullptr, 0);
        scenes.push_back({"tiny_and_empty_tools", s.Render(64, 40), {}});
    }
    {
        Stage s(120, 25, 25);
        s.Add(1, -10, -10, 15, 15, s.Bitmap(icons[1]), 0);
        s.Add(2, 50, 20, 80, 45, s.Bitmap(icons[2]), 1);
        s.Add(3, -30, 30, -5, 55, nullptr, 0); // wholly outside
        s.Add(4, 20, 35, 45, 90, nullptr, 1);  // past the bottom
        scenes.push_back({"tools_partly_outside", s.Render(64, 48), {}});
    }
    {
        Stage s(120, 25, 25);
        s.Add(1, 4, 4, 40, 40, s.Bitmap(icons[3]), 0);
        s.Add(2, 20, 20, 56, 56, nullptr, 1);
        s.Add(3, 12, 30, 30, 60, s.Bitmap(icons[4]), 2);
        scenes.push_back({"overlapping_tools", s.Render(64, 64), {}});
    }
    for (int seed = 1; seed <= randomSeeds; ++seed)
        scenes.push_back(
            {"random_" + std::to_string(seed), RandomPalette(static_cast<uint32_t>(seed)), {}});
    return scenes;
}

std::vector<Scene> RenderHostScenes(int count)
{
    std::vector<Scene> scenes;
    for (int seed = 1; seed <= count; ++seed)
        scenes.push_back(HostScene(static_cast<uint32_t>(seed)));
    return scenes;
}
