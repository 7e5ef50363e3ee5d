#include "tests/palette_driver.h"

#include "host/tool_space_palette.h"
#include "runtime/win_gdi.h"
#include "tests/model_palette.h"

#include <memory>
#include <sstream>
#include <vector>

#if defined(_WIN32)
namespace gdi {
// Real GDI keeps no guard words around bitmaps: nothing to check there.
inline bool GuardsIntact() { return true; }
} // namespace gdi
#else
#  include "platform/gdi/gdi_recorder.h"
#endif

namespace {

model::Rect M(const KxRect& r) { return {r.left, r.top, r.right, r.bottom}; }
KxRect K(const model::Rect& r) { return KxRect(r.left, r.top, r.right, r.bottom); }

int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

// 16.16 values: mostly ordinary pixel positions, sometimes zero, any value, or the range's ends.
KxFixed Coordinate(Decisions& in)
{
    switch (in.Range(0, 7)) {
    case 0:
        return 0;
    case 1:
        return in.I32();
    case 2:
        return in.Chance(50) ? 0x7FFFFFFF : -0x7FFFFFFF - 1;
    case 3:
        return Wrap(int64_t{in.Range(-40, 40)} * 65536 + in.U16());
    default:
        return Wrap(int64_t{in.Range(0, 300)} * 65536 + (in.Chance(30) ? in.U16() : 0));
    }
}

KxFixed ToolSize(Decisions& in)
{
    switch (in.Range(0, 5)) {
    case 0:
        return 0;
    case 1:
        return in.I32();
    case 2:
        return in.Range(1, 0xFFFF); // under one pixel
    default:
        return Wrap(int64_t{in.Range(1, 60)} * 65536 + (in.Chance(30) ? in.U16() : 0));
    }
}

model::Rect AnyRect(Decisions& in)
{
    if (in.Chance(60)) {
        const KxFixed l = Coordinate(in), t = Coordinate(in);
        return {l, t, Wrap(int64_t{l} + in.Range(0, 60) * 65536 + in.U16()),
                Wrap(int64_t{t} + in.Range(0, 60) * 65536)};
    }
    return {Coordinate(in), Coordinate(in), Coordinate(in), Coordinate(in)};
}

class Run {
public:
    Run(Decisions& in, int maxSteps) : in_(in), maxSteps_(maxSteps) {}

    std::string Go()
    {
        // A palette on a tool space, as every host sets one up; the palette goes before what it
        // borrowed, the bitmaps included.
        std::unique_ptr<ToolSpacePalette> stage;
        try {
            stage = std::make_unique<ToolSpacePalette>();
        } catch (const ToolTrayError& e) {
            return std::string("setting up failed: ") + e.what();
        }
        space_ = stage->Space();
        SetAccepts(true);
        const Palette& p = stage->Tray();
        // A second palette holds one tool that no call on the first may touch.
        const PaletteHandle other = PaletteHandle::Create(resolve_ToolTrayClassData()->classObject,
                                                          stage->Base(), GetGlobalEnvironment());
        const KxRect otherRect(0, 0, PixelsToFixed(9), PixelsToFixed(9));
        foreign_ = other.AddToolInfo(-1, &otherRect, (HBITMAP) nullptr, uint16_t{0});
        MakeSurfaces(*stage);
        std::string failure;
        for (step_ = 0; step_ < maxSteps_ && !in_.AtEnd() && failure.empty(); ++step_) {
            failure = Step(p);
            if (failure.empty())
                failure = Compare(p);
            if (failure.empty() &&
                (other.GetFirstTool() != foreign_ || other.GetToolID(foreign_) != -1))
                failure = Fail("the other palette's tool was touched");
        }
        stage.reset();
        FreeSurfaces();
        if (!failure.empty())
            return failure;
        if (!gdi::GuardsIntact())
            return "drawing wrote outside a bitmap";
        return {};
    }

private:
    std::string Fail(const std::string& what) const
    {
        std::ostringstream out;
        out << "step " << step_ << " (" << op_ << "): " << what;
        return out.str();
    }

    // A tool of the palette, or null, or one removed earlier (which must change nothing).
    ToolInfo* AnyTool()
    {
        if (!removed_.empty() && in_.Chance(15))
            return static_cast<ToolInfo*>(
                const_cast<void*>(removed_[in_.Range(0, (int)removed_.size() - 1)]));
        if (m_.tools.empty() || in_.Chance(10))
            return nullptr;
        return static_cast<ToolInfo*>(
            const_cast<void*>(m_.tools[in_.Range(0, (int)m_.tools.size() - 1)].handle));
    }
    // A live tool of the palette (the field accessors require one), or null when there is none.
    ToolInfo* LiveTool()
    {
        if (m_.tools.empty())
            return nullptr;
        return static_cast<ToolInfo*>(
            const_cast<void*>(m_.tools[in_.Range(0, (int)m_.tools.size() - 1)].handle));
    }
    HBITMAP AnyBitmap() { return in_.Chance(30) ? nullptr : bitmaps_[in_.Range(0, 2)]; }

    std::string Step(const Palette& p)
    {
        switch (in_.Range(0, 15)) {
        case 0:
        case 1: { // CreateTool, the tool space sometimes refusing
            op_ = "CreateTool";
            if (in_.Chance(5)) {
                accepts_ = !accepts_;
                SetAccepts(accepts_);
            }
            const int32_t id = in_.Range(-1, 6);
            const auto state = static_cast<uint16_t>(in_.Range(0, 2));
            const model::Rect expected = m_.NextToolBounds();
            ToolInfo* t = p.CreateTool(id, AnyBitmap(), state);
            if (!accepts_)
                return t ? Fail("made a tool while the space refuses them") : "";
            if (!t)
                return Fail("no tool made");
            m_.Add(t, id, expected, state);
            return {};
        }
        case 2:
        case 3: { // AddToolInfo with any rectangle
            op_ = "AddToolInfo";
            const model::Rect r = AnyRect(in_);
            const KxRect k = K(r);
            const int32_t id = in_.Range(-1, 6);
            const auto state = static_cast<uint16_t>(in_.U16());
            ToolInfo* t = p.AddToolInfo(id, &k, AnyBitmap(), state);
            if (!t)
                return Fail("no tool added");
            m_.Add(t, id, r, state);
            return {};
        }
        case 4: { // DestroyTool by id
            op_ = "DestroyTool";
            const int32_t id = in_.Range(-1, 7);
            if (const model::Tool* victim = m_.NewestWithId(id)) {
                removed_.push_back(victim->handle);
                m_.Remove(victim->handle);
            }
            p.DestroyTool(id);
            return {};
        }
        case 5: { // RemoveToolInfo: live, null, already removed or the other palette's
            op_ = "RemoveToolInfo";
            ToolInfo* t = in_.Chance(10) ? foreign_ : AnyTool();
            if (m_.Remove(t))
                removed_.push_back(t);
            p.RemoveToolInfo(t);
            return {};
        }
        case 6:
            op_ = "ArrangeTools";
            m_.Arrange();
            p.ArrangeTools();
            return {};
        case 7: {
            op_ = "SetSize";
            m_.size = AnyRect(in_);
            const KxRect k = K(m_.size);
            p.SetSize(&k);
            KxRect back(1, 2, 3, 4);
            p.GetSize(&back);
            return M(back) == m_.size ? "" : Fail("GetSize differs from what was set");
        }
        case 8:
            op_ = "SetToolWidth";
            m_.toolWidth = ToolSize(in_);
            p.SetToolWidth(tooltray::Fixed(m_.toolWidth));
            return p.GetToolWidth().Raw() == m_.toolWidth ? "" : Fail("GetToolWidth differs");
        case 9:
            op_ = "SetToolHeight";
            m_.toolHeight = ToolSize(in_);
            p.SetToolHeight(tooltray::Fixed(m_.toolHeight));
            return p.GetToolHeight().Raw() == m_.toolHeight ? "" : Fail("GetToolHeight differs");
        case 10: {
            op_ = "GetNextToolBounds";
            KxRect got(1, 2, 3, 4);
            p.GetNextToolBounds(&got);
            return M(got) == m_.NextToolBounds() ? "" : Fail("next bounds differ from the model");
        }
        case 11: { // PtInTool, near a tool's edges or anywhere
            op_ = "PtInTool";
            KxFixed x = Coordinate(in_), y = Coordinate(in_);
            if (!m_.tools.empty() && in_.Chance(80)) {
                const model::Rect& b = m_.tools[in_.Range(0, (int)m_.tools.size() - 1)].bounds;
                x = Wrap(int64_t{in_.Chance(50) ? b.left : b.right} + in_.Range(-2, 2));
                y = Wrap(int64_t{in_.Chance(50) ? b.top : b.bottom} + in_.Range(-2, 2));
                if (in_.Chance(30)) { // the middle
                    x = static_cast<KxFixed>((int64_t{b.left} + b.right) / 2);
                    y = static_cast<KxFixed>((int64_t{b.top} + b.bottom) / 2);
                }
            }
            const KxPoint pt(x, y);
            return p.PtInTool(&pt) == m_.Hit(x, y) ? "" : Fail("hit test differs from the model");
        }
        case 12: {
            op_ = "SetToolState";
            ToolInfo* t = LiveTool();
            if (!t)
                return {};
            const auto s = static_cast<uint16_t>(in_.U16());
            m_.Find(t)->state = s;
            p.SetToolState(t, s);
            return {};
        }
        case 13: {
            op_ = "SetToolID";
            ToolInfo* t = LiveTool();
            if (!t)
                return {};
            const int32_t id = in_.Range(-1, 7);
            m_.Find(t)->id = id;
            p.SetToolID(t, id);
            return {};
        }
        case 14: { // the attributes a host stores
            op_ = "attributes";
            const auto pos = static_cast<int16_t>(in_.U16());
            const int32_t domain = in_.I32(), user = in_.I32();
            const model::Rect fr = AnyRect(in_);
            const KxRect k = K(fr);
            p.SetPos(pos);
            p.SetDomain(domain);
            p.SetUserInfo(user);
            p.SetFloatRect(&k);
            KxRect back;
            p.GetFloatRect(&back);
            if (p.GetPos() != pos || p.GetDomain() != domain || p.GetUserInfo() != user ||
                !(M(back) == fr))
                return Fail("an attribute reads back differently");
            return {};
        }
        default: { // UpdateTools into one of the surfaces
            op_ = "UpdateTools";
            Surface& s = surfaces_[in_.Range(0, 1)];
            SetStretchBltMode(s.dc, in_.Range(0, 5));
            p.UpdateTools(in_.Chance(5) ? nullptr : s.dc);
            return gdi::GuardsIntact() ? "" : Fail("drawing wrote outside a bitmap");
        }
        }
    }

    // The whole list against the model.
    std::string Compare(const Palette& p)
    {
        size_t i = 0;
        for (ToolInfo* t = p.GetFirstTool(); t; t = p.GetNextTool(t), ++i) {
            if (i >= m_.tools.size())
                return Fail("the palette has more tools than the model");
            const model::Tool& e = m_.tools[i];
            std::ostringstream at;
            at << " at position " << i;
            if (t != e.handle)
                return Fail("another tool" + at.str());
            if (p.GetToolID(t) != e.id)
                return Fail("id differs" + at.str());
            if (p.GetToolState(t) != e.state)
                return Fail("state differs" + at.str());
            if (!(M(Palette::ToolBounds(t)) == e.bounds)) {
                std::ostringstream out;
                out << "bounds " << M(Palette::ToolBounds(t)) << ", model " << e.bounds << at.str();
                return Fail(out.str());
            }
        }
        if (i != m_.tools.size())
            return Fail("the palette has fewer tools than the model");
        if (p.GetLastTool() != (m_.tools.empty() ? nullptr : m_.tools.back().handle))
            return Fail("GetLastTool differs");
        // A removed tool is in no list (unless its address now belongs to a newer tool).
        for (const void* gone : removed_)
            if (!m_.Find(gone) && p.GetNextTool(static_cast<ToolInfo*>(const_cast<void*>(gone))))
                return Fail("GetNextTool walks from a removed tool");
        return {};
    }

    struct Surface {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
    };
    void SetAccepts(bool accepts) const
    {
        somCall<somTD_KxToolSpaceObj_SetAcceptsTools>(
            space_, resolve_KxToolSpaceObjClassData()->SetAcceptsTools, GetGlobalEnvironment(),
            accepts ? 1 : 0);
    }
    void MakeSurfaces(ToolSpacePalette& stage)
    {
        for (Surface& s : surfaces_) {
            BITMAPINFO info = {};
            info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            info.bmiHeader.biWidth = in_.Range(1, 64);
            info.bmiHeader.biHeight = in_.Chance(50) ? in_.Range(1, 64) : -in_.Range(1, 64);
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            void* bits = nullptr;
            s.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            s.dc = CreateCompatibleDC(nullptr);
            SelectObject(s.dc, s.bitmap);
        }
        for (HBITMAP& b : bitmaps_) {
            const int w = in_.Range(1, 40), h = in_.Range(1, 40);
            std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
            for (size_t i = 0; i < pixels.size(); ++i)
                pixels[i] = static_cast<uint32_t>(i * 2654435761u);
            b = stage.AddBitmap(w, h, pixels.data());
        }
    }
    void FreeSurfaces()
    {
        for (Surface& s : surfaces_) {
            DeleteDC(s.dc);
            DeleteObject(s.bitmap);
        }
    }

    Decisions& in_;
    int maxSteps_;
    KxToolSpaceObj* space_ = nullptr;
    ToolInfo* foreign_ = nullptr;
    model::Palette m_;
    std::vector<const void*> removed_;
    bool accepts_ = true;
    Surface surfaces_[2];
    HBITMAP bitmaps_[3] = {}; // the stage owns them
    int step_ = 0;
    const char* op_ = "";
};

} // namespace

std::string DrivePaletteAgainstModel(Decisions& decisions, int maxSteps)
{
    return Run(decisions, maxSteps).Go();
}
