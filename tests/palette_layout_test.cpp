// Automatic layout: where CreateTool and GetNextToolBounds put tools, and how ArrangeTools lays
// them out again.
#include "tests/model_palette.h"
#include "tests/test_support.h"

#include <random>

namespace {

model::Rect M(const KxRect& r) { return {r.left, r.top, r.right, r.bottom}; }

class PaletteLayout : public PaletteTest {
protected:
    ToolInfo* Create(int32_t id = 0)
    {
        ToolInfo* t = palette->CreateTool(id, (HBITMAP) nullptr, (uint16_t)0);
        EXPECT_NE(t, nullptr);
        return t;
    }
    PixelRect Next()
    {
        KxRect r(0, 0, 0, 0);
        palette->GetNextToolBounds(&r);
        return Pixels(r);
    }
    // Rectangles of the tools from oldest to newest.
    std::vector<PixelRect> OldestFirst()
    {
        std::vector<PixelRect> v;
        for (ToolInfo* t = palette->GetFirstTool(); t; t = palette->GetNextTool(t))
            v.insert(v.begin(), Pixels(t->bounds));
        return v;
    }
    void SetSizeFixed(KxFixed l, KxFixed t, KxFixed r, KxFixed b)
    {
        const KxRect s(l, t, r, b);
        palette->SetSize(&s);
    }
};

using Rects = std::vector<PixelRect>;

TEST_F(PaletteLayout, Three_tools_in_an_80_wide_palette_wrap_after_two)
{
    SetPaletteSize(80, 60);
    for (int i = 0; i < 3; ++i)
        Create(i);
    const Rects expected{{4, 4, 29, 29}, {33, 4, 58, 29}, {4, 33, 29, 58}};
    EXPECT_EQ(OldestFirst(), expected);
    palette->ArrangeTools();
    EXPECT_EQ(OldestFirst(), expected);

    SetPaletteSize(120, 60);
    palette->ArrangeTools();
    EXPECT_EQ(OldestFirst(), (Rects{{4, 4, 29, 29}, {33, 4, 58, 29}, {62, 4, 87, 29}}));
}

TEST_F(PaletteLayout, Default_size_lays_tools_out_in_a_single_column)
{
    for (int i = 0; i < 3; ++i)
        Create(i);
    EXPECT_EQ(OldestFirst(), (Rects{{4, 4, 29, 29}, {4, 33, 29, 58}, {4, 62, 29, 87}}));
}

TEST_F(PaletteLayout, Row_limit_is_inclusive_of_the_right_margin)
{
    // 120 wide: the limit is 116 and a fourth tool ending exactly there stays in the row.
    SetPaletteSize(120);
    for (int i = 0; i < 3; ++i)
        Create(i);
    EXPECT_EQ(Next(), (PixelRect{91, 4, 116, 29}));
    // One pixel narrower and it goes to the next row.
    SetPaletteSize(119);
    EXPECT_EQ(Next(), (PixelRect{4, 33, 29, 58}));
    // 119.5 rounds to 120.
    SetSizeFixed(0, 0, Fx(119) + 0x8000, Fx(60));
    EXPECT_EQ(Next(), (PixelRect{91, 4, 116, 29}));
    // Just under the half rounds down.
    SetSizeFixed(0, 0, Fx(119) + 0x7FFF, Fx(60));
    EXPECT_EQ(Next(), (PixelRect{4, 33, 29, 58}));
}

TEST_F(PaletteLayout, Width_is_right_minus_left_rounded_as_a_whole)
{
    // 80.25 - 0.5 = 79.75, which rounds to 80: limit 76, so a second tool (33..58) fits and a
    // third (62..87) does not.
    SetSizeFixed(0x8000, 0, Fx(80) + 0x4000, 0);
    Create(1);
    EXPECT_EQ(Next(), (PixelRect{33, 4, 58, 29}));
    Create(2);
    EXPECT_EQ(Next(), (PixelRect{4, 33, 29, 58}));
    // Only the difference counts, not where the palette sits.
    SetSizeFixed(Fx(1000), Fx(-5), Fx(1120), 0);
    EXPECT_EQ(Next(), (PixelRect{62, 4, 87, 29}));
}

TEST_F(PaletteLayout, Tool_height_change_applies_to_the_next_placement)
{
    SetPaletteSize(120);
    EXPECT_EQ(Pixels(Create(1)->bounds), (PixelRect{4, 4, 29, 29}));
    palette->SetToolHeight(tooltray::Pixels(40));
    // The walk starts from the first slot at the new height, which the shorter tool beside it
    // does not replace, so the new tool takes that slot's top and bottom.
    EXPECT_EQ(Pixels(Create(2)->bounds), (PixelRect{33, 4, 58, 44}));
    palette->ArrangeTools();
    EXPECT_EQ(OldestFirst(), (Rects{{4, 4, 29, 44}, {33, 4, 58, 44}}));
}

TEST_F(PaletteLayout, Tool_height_change_before_the_first_placement_sets_the_row)
{
    SetPaletteSize(120);
    palette->SetToolHeight(tooltray::Pixels(40));
    EXPECT_EQ(Pixels(Create(1)->bounds), (PixelRect{4, 4, 29, 44}));
    EXPECT_EQ(Pixels(Create(2)->bounds), (PixelRect{33, 4, 58, 44}));
}

TEST_F(PaletteLayout, Growing_tool_width_then_arranging_reflows_rows)
{
    SetPaletteSize(120);
    for (int i = 0; i < 4; ++i)
        Create(i);
    EXPECT_EQ(OldestFirst(),
              (Rects{{4, 4, 29, 29}, {33, 4, 58, 29}, {62, 4, 87, 29}, {91, 4, 116, 29}}));
    palette->SetToolWidth(tooltray::Pixels(50));
    palette->ArrangeTools();
    // Limit 116: 4..54, 58..108, then 112+50 > 116 wraps.
    EXPECT_EQ(OldestFirst(),
              (Rects{{4, 4, 54, 29}, {58, 4, 108, 29}, {4, 33, 54, 58}, {58, 33, 108, 58}}));
}

TEST_F(PaletteLayout, DestroyTool_leaves_a_hole_that_the_next_tool_does_not_fill)
{
    SetPaletteSize(120);
    for (int i = 1; i <= 3; ++i)
        Create(i);
    palette->DestroyTool(2);
    EXPECT_EQ(OldestFirst(), (Rects{{4, 4, 29, 29}, {62, 4, 87, 29}}));
    EXPECT_EQ(Pixels(Create(4)->bounds), (PixelRect{91, 4, 116, 29}));
    palette->ArrangeTools();
    EXPECT_EQ(OldestFirst(), (Rects{{4, 4, 29, 29}, {33, 4, 58, 29}, {62, 4, 87, 29}}));
}

TEST_F(PaletteLayout, ArrangeTools_discards_hand_set_rectangles)
{
    SetPaletteSize(120);
    const KxRect far(Fx(300), Fx(300), Fx(340), Fx(310));
    const KxRect empty(Fx(50), Fx(50), Fx(50), Fx(90));
    ASSERT_NE(palette->AddToolInfo(1, &far, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    ASSERT_NE(palette->AddToolInfo(2, &empty, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    ASSERT_NE(palette->AddToolInfo(3, &far, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    palette->ArrangeTools();
    EXPECT_EQ(OldestFirst(), (Rects{{4, 4, 29, 29}, {33, 4, 58, 29}, {62, 4, 87, 29}}));
}

TEST_F(PaletteLayout, Empty_rectangles_steer_the_walk_but_only_a_non_empty_one_adds_a_gap)
{
    SetPaletteSize(120);
    // Zero width, far down: the walk takes it as the lowest row, and with every rectangle empty
    // that rectangle itself is the answer.
    const KxRect empty(Fx(200), Fx(200), Fx(200), Fx(260));
    ASSERT_NE(palette->AddToolInfo(1, &empty, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    EXPECT_EQ(Next(), (PixelRect{200, 200, 200, 260}));
    // Not empty in fixed point although it rounds to a point: now the gap and the row rule apply
    // (200 + 4 + 25 > 116, so a new row below 260).
    const KxRect sliver(Fx(10), Fx(10), Fx(10) + 1, Fx(10) + 1);
    ASSERT_NE(palette->AddToolInfo(2, &sliver, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    EXPECT_EQ(Next(), (PixelRect{4, 264, 29, 289}));
}

TEST_F(PaletteLayout, GetNextToolBounds_ignores_a_null_rectangle)
{
    palette->GetNextToolBounds((KxRect*)nullptr);
    EXPECT_EQ(palette->GetFirstTool(), nullptr);
    EXPECT_EQ(Next(), (PixelRect{4, 4, 29, 29}));
}

TEST_F(PaletteLayout, Result_is_whole_pixels_in_fixed_point)
{
    SetPaletteSize(120);
    palette->SetToolWidth(tooltray::Fixed(Fx(20) + 0x8000));  // 20.5 -> 21
    palette->SetToolHeight(tooltray::Fixed(Fx(10) + 0x7FFF)); // 10.49.. -> 10
    ToolInfo* a = Create(1);
    ToolInfo* b = Create(2);
    EXPECT_TRUE(a->bounds == KxRect(Fx(4), Fx(4), Fx(25), Fx(14)));
    EXPECT_TRUE(b->bounds == KxRect(Fx(29), Fx(4), Fx(50), Fx(14)));
}

// ArrangeTools gives every tool the rectangle that creating the tools one by one gave it, and
// both agree with the model, for many palette widths, tool sizes and counts.
TEST_F(PaletteLayout, ArrangeTools_equals_creating_the_tools_in_order)
{
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        ToolTray* obj = NewPalette();
        Palette p(obj, ev, resolve_ToolTrayClassData());
        p.SetToolSpaceObj(space);
        model::Palette m;
        m.size = {Fx(pick(-20, 20)) + pick(0, 0xFFFF), 0, Fx(pick(0, 400)) + pick(0, 0xFFFF),
                  Fx(50)};
        m.toolWidth = Fx(pick(1, 60)) + pick(0, 0xFFFF);
        m.toolHeight = Fx(pick(1, 60)) + pick(0, 0xFFFF);
        const KxRect size(m.size.left, m.size.top, m.size.right, m.size.bottom);
        p.SetSize(&size);
        p.SetToolWidth(tooltray::Fixed(m.toolWidth));
        p.SetToolHeight(tooltray::Fixed(m.toolHeight));
        const int n = pick(0, 40);
        std::vector<ToolInfo*> created;
        std::vector<KxRect> placed;
        for (int i = 0; i < n; ++i) {
            ToolInfo* t = p.CreateTool(i, (HBITMAP) nullptr, (uint16_t)0);
            ASSERT_NE(t, nullptr);
            const model::Rect e = m.NextToolBounds();
            m.Add(t, i, e, 0);
            ASSERT_EQ(M(t->bounds), e) << "tool " << i;
            created.push_back(t);
            placed.push_back(t->bounds);
        }
        p.ArrangeTools();
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(M((created[i])->bounds), M(placed[i])) << "tool " << i << " moved";
        extra.pop_back();
        FreeObject(obj);
    }
}

} // namespace
