// Random sequences of calls on a real palette and on the independent model (model_palette.h),
// compared after every step: the whole tool list (order, handles, ids, states, rectangles) and
// every answer the palette gives.
#include "tests/model_palette.h"
#include "tests/test_support.h"

#include <random>

namespace {

model::Rect M(const KxRect& r) { return {r.left, r.top, r.right, r.bottom}; }
KxRect K(const model::Rect& r) { return KxRect(r.left, r.top, r.right, r.bottom); }

class PaletteModel : public PaletteTest {
protected:
    std::mt19937 rng;
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool Chance(int percent) { return Pick(0, 99) < percent; }

    // Fixed-point values: mostly whole or fractional pixels of ordinary size, sometimes zero,
    // negative or at the ends of the range.
    KxFixed Coordinate()
    {
        switch (Pick(0, 9)) {
        case 0:
            return 0;
        case 1:
            return Pick(-0x7FFFFFFF, 0x7FFFFFFF);
        case 2:
            return Pick(0, 1) ? 0x7FFFFFFF : -0x7FFFFFFF - 1;
        case 3:
            return Fx(Pick(-40, 40)) + Pick(0, 0xFFFF);
        default:
            return Fx(Pick(0, 300)) + (Chance(30) ? Pick(0, 0xFFFF) : 0);
        }
    }
    KxFixed ToolSize()
    {
        switch (Pick(0, 9)) {
        case 0:
            return 0;
        case 1:
            return -Fx(Pick(0, 30)) - Pick(0, 0xFFFF);
        case 2:
            return Pick(1, 0xFFFF); // under one pixel
        default:
            return Fx(Pick(5, 60)) + (Chance(30) ? Pick(0, 0xFFFF) : 0);
        }
    }
    model::Rect RandomRect()
    {
        if (Chance(60)) { // ordinary, possibly overlapping
            const KxFixed l = Fx(Pick(0, 150)) + Pick(0, 0xFFFF),
                          t = Fx(Pick(0, 150)) + Pick(0, 0xFFFF);
            return {l, t, l + Fx(Pick(0, 60)) + Pick(0, 0xFFFF), t + Fx(Pick(0, 60))};
        }
        return {Coordinate(), Coordinate(), Coordinate(), Coordinate()}; // often empty or inverted
    }

    // The whole list and every per-tool answer agree with the model.
    void ExpectSame(const Palette& p, const model::Palette& m, int step)
    {
        size_t i = 0;
        for (ToolInfo* t = p.GetFirstTool(); t; t = p.GetNextTool(t), ++i) {
            ASSERT_LT(i, m.tools.size()) << "step " << step << ": palette has more tools";
            const model::Tool& e = m.tools[i];
            ASSERT_EQ(t, e.handle) << "step " << step << " position " << i;
            ASSERT_EQ(p.GetToolID(t), e.id) << "step " << step << " position " << i;
            ASSERT_EQ(p.GetToolState(t), e.state) << "step " << step << " position " << i;
            ASSERT_EQ(M(t->bounds), e.bounds) << "step " << step << " position " << i;
        }
        ASSERT_EQ(i, m.tools.size()) << "step " << step << ": palette has fewer tools";
        ASSERT_EQ(p.GetLastTool(), m.tools.empty() ? nullptr : m.tools.back().handle)
            << "step " << step;
    }

    void Run(uint32_t seed, int steps)
    {
        rng.seed(seed);
        ToolTray* obj = NewPalette();
        Palette p(obj, ev, resolve_ToolTrayClassData());
        p.SetToolSpaceObj(space);
        Palette other(NewPalette(), ev, resolve_ToolTrayClassData());
        const KxRect otherRect(0, 0, Fx(9), Fx(9));
        ToolInfo* foreign = other.AddToolInfo(-1, &otherRect, (HBITMAP) nullptr, (uint16_t)0);
        somCall<somTD_KxToolSpaceObj_SetAcceptsTools>(
            space, resolve_KxToolSpaceObjClassData()->SetAcceptsTools, ev, 1);
        model::Palette m;
        // Handles of removed tools: removing one again must change nothing (unless the
        // allocator has handed its address to a newer tool, which the model follows too).
        std::vector<const void*> removed;
        // A tool of this palette, or null, or (when foreignToo) the other palette's.
        auto anyTool = [&](bool foreignToo) -> ToolInfo* {
            if (m.tools.empty() || Chance(10))
                return foreignToo && Chance(50) ? foreign : nullptr;
            return static_cast<ToolInfo*>(
                const_cast<void*>(m.tools[Pick(0, (int)m.tools.size() - 1)].handle));
        };
        bool accepts = true;
        for (int step = 0; step < steps; ++step) {
            // Fewer additions once the palette is well filled keep lists at a few dozen tools.
            const int op = Pick(0, m.tools.size() > 40 ? 13 : 15);
            switch (op) {
            case 0:
            case 1:
            case 14:
            case 15: { // CreateTool
                const int32_t id = Pick(0, 6);
                const auto state = static_cast<uint16_t>(Pick(0, 2));
                if (Chance(5)) {
                    accepts = !accepts;
                    somCall<somTD_KxToolSpaceObj_SetAcceptsTools>(
                        space, resolve_KxToolSpaceObjClassData()->SetAcceptsTools, ev,
                        accepts ? 1 : 0);
                }
                const model::Rect expected = m.NextToolBounds();
                ToolInfo* t = p.CreateTool(id, (HBITMAP) nullptr, state);
                if (!accepts) {
                    ASSERT_EQ(t, nullptr) << "step " << step;
                    break;
                }
                ASSERT_NE(t, nullptr) << "step " << step;
                m.Add(t, id, expected, state);
                break;
            }
            case 2:
            case 3: { // AddToolInfo with any rectangle
                const model::Rect r = RandomRect();
                const KxRect k = K(r);
                const int32_t id = Pick(0, 6);
                const auto state = static_cast<uint16_t>(Pick(0, 3));
                ToolInfo* t = p.AddToolInfo(id, &k, (HBITMAP) nullptr, state);
                ASSERT_NE(t, nullptr) << "step " << step;
                m.Add(t, id, r, state);
                break;
            }
            case 4: { // DestroyTool
                const int32_t id = Pick(0, 7);
                if (const model::Tool* victim = m.NewestWithId(id)) {
                    removed.push_back(victim->handle);
                    m.Remove(victim->handle);
                }
                p.DestroyTool(id);
                break;
            }
            case 5: { // RemoveToolInfo: live, null, foreign or already removed
                ToolInfo* t = anyTool(true);
                if (!removed.empty() && Chance(25))
                    t = static_cast<ToolInfo*>(
                        const_cast<void*>(removed[Pick(0, (int)removed.size() - 1)]));
                if (m.Remove(t))
                    removed.push_back(t);
                p.RemoveToolInfo(t);
                break;
            }
            case 6: // ArrangeTools
                m.Arrange();
                p.ArrangeTools();
                break;
            case 7: { // SetSize, any rectangle
                m.size =
                    Chance(50) ? RandomRect() : model::Rect{Coordinate(), 0, Coordinate(), Fx(100)};
                const KxRect k = K(m.size);
                p.SetSize(&k);
                break;
            }
            case 8: // tool width
                m.toolWidth = ToolSize();
                p.SetToolWidth(tooltray::Fixed(m.toolWidth));
                break;
            case 9: // tool height
                m.toolHeight = ToolSize();
                p.SetToolHeight(tooltray::Fixed(m.toolHeight));
                break;
            case 10: { // GetNextToolBounds
                KxRect got(1, 2, 3, 4);
                p.GetNextToolBounds(&got);
                ASSERT_EQ(M(got), m.NextToolBounds()) << "step " << step;
                break;
            }
            case 11: { // PtInTool: near a tool's edges, or anywhere
                KxFixed x = Coordinate(), y = Coordinate();
                if (!m.tools.empty() && Chance(80)) {
                    const model::Rect& b = m.tools[Pick(0, (int)m.tools.size() - 1)].bounds;
                    // Offsets wrap in 32 bits, like the coordinates near the ends of the range.
                    auto nearEdge = [&](KxFixed edge) {
                        const int32_t offset = Pick(-2, 2) * (Chance(50) ? 1 : 0x8000);
                        return static_cast<KxFixed>(static_cast<uint32_t>(edge) +
                                                    static_cast<uint32_t>(offset));
                    };
                    x = nearEdge(Chance(50) ? b.left : b.right);
                    y = nearEdge(Chance(50) ? b.top : b.bottom);
                    if (Chance(50)) { // the middle
                        x = static_cast<KxFixed>((static_cast<int64_t>(b.left) + b.right) / 2);
                        y = static_cast<KxFixed>((static_cast<int64_t>(b.top) + b.bottom) / 2);
                    }
                }
                const KxPoint pt(x, y);
                ASSERT_EQ(p.PtInTool(&pt), m.Hit(x, y))
                    << "step " << step << " at " << x << ", " << y;
                break;
            }
            case 12: { // SetToolState, on a tool or null
                ToolInfo* t = anyTool(false);
                const auto s = static_cast<uint16_t>(Pick(0, 0xFFFF));
                if (model::Tool* e = m.Find(t))
                    e->state = s;
                p.SetToolState(t, s);
                break;
            }
            case 13: { // SetToolID
                ToolInfo* t = anyTool(false);
                const int32_t id = Pick(0, 7);
                if (model::Tool* e = m.Find(t))
                    e->id = id;
                p.SetToolID(t, id);
                break;
            }
            }
            ExpectSame(p, m, step);
            if (HasFatalFailure())
                return;
            ASSERT_EQ(other.GetFirstTool(), foreign) << "the other palette is never touched";
            ASSERT_EQ(other.GetToolID(foreign), -1);
        }
        FreeObject(extra.back()); // the other palette
        extra.pop_back();
        FreeObject(extra.back());
        extra.pop_back();
    }
};

TEST_F(PaletteModel, Random_call_sequences_match_the_model_after_every_step)
{
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Run(seed, 250);
        if (HasFatalFailure())
            return;
    }
}

} // namespace
