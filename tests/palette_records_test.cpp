// Tool records: order, lookup, hit-testing, removal, and the object's own methods as the points
// where host subclasses steer creation, placement and removal.
#include "tests/test_support.h"

#include <utility>

namespace {

template <typename Proc>
Proc Original(int index)
{
    return reinterpret_cast<Proc>(DescriptionOf(ToolTrayClass())->methods[index].procedure);
}

class PaletteRecords : public PaletteTest {
protected:
    ToolInfo* Add(int32_t id, KxFixed l, KxFixed t, KxFixed r, KxFixed b, uint16_t state = 0)
    {
        const KxRect bounds(l, t, r, b);
        return palette->AddToolInfo(id, &bounds, (HBITMAP) nullptr, state);
    }
    ToolInfo* Hit(KxFixed x, KxFixed y)
    {
        const KxPoint p(x, y);
        return palette->PtInTool(&p);
    }
};

// ---- Order and fields --------------------------------------------------------------------------

TEST_F(PaletteRecords, Walk_goes_newest_to_oldest_and_last_is_oldest)
{
    EXPECT_EQ(palette->GetFirstTool(), nullptr);
    EXPECT_EQ(palette->GetLastTool(), nullptr);
    ToolInfo* a = Add(1, 0, 0, Fx(1), Fx(1));
    ToolInfo* b = Add(2, 0, 0, Fx(1), Fx(1));
    ToolInfo* c = Add(3, 0, 0, Fx(1), Fx(1));
    EXPECT_EQ(palette->GetFirstTool(), c);
    EXPECT_EQ(palette->GetNextTool(c), b);
    EXPECT_EQ(palette->GetNextTool(b), a);
    EXPECT_EQ(palette->GetNextTool(a), nullptr);
    EXPECT_EQ(palette->GetLastTool(), a);
    EXPECT_EQ(palette->GetNextTool((ToolInfo*)nullptr), nullptr);
}

TEST_F(PaletteRecords, AddToolInfo_copies_every_field_and_the_accessors_read_and_write_them)
{
    KxRect bounds(Fx(-3), Fx(7), Fx(-9), 0x7FFFFFFF); // inverted: stored unchanged
    auto* bitmap = reinterpret_cast<HBITMAP>(static_cast<uintptr_t>(0xB17));
    ToolInfo* t = palette->AddToolInfo(-42, &bounds, bitmap, (uint16_t)0xFFFF);
    ASSERT_NE(t, nullptr);
    bounds.left = 0; // a copy, not a reference to the caller's rectangle
    EXPECT_TRUE(t->bounds == KxRect(Fx(-3), Fx(7), Fx(-9), 0x7FFFFFFF));
    EXPECT_EQ(t->bitmap, bitmap);
    EXPECT_EQ(palette->GetToolID(t), -42);
    EXPECT_EQ(palette->GetToolState(t), 0xFFFF);
    palette->SetToolID(t, 17);
    palette->SetToolState(t, (uint16_t)1);
    EXPECT_EQ(palette->GetToolID(t), 17);
    EXPECT_EQ(palette->GetToolState(t), 1);
}

TEST_F(PaletteRecords, Null_tool_reads_as_zero_and_writes_are_ignored)
{
    ToolInfo* t = Add(5, 0, 0, Fx(1), Fx(1), 3);
    EXPECT_EQ(palette->GetToolID((ToolInfo*)nullptr), 0);
    EXPECT_EQ(palette->GetToolState((ToolInfo*)nullptr), 0);
    palette->SetToolID((ToolInfo*)nullptr, 9);
    palette->SetToolState((ToolInfo*)nullptr, (uint16_t)9);
    EXPECT_EQ(palette->GetToolID(t), 5);
    EXPECT_EQ(palette->GetToolState(t), 3);
}

TEST_F(PaletteRecords, AddToolInfo_with_null_bounds_adds_nothing)
{
    EXPECT_EQ(palette->AddToolInfo(1, (const KxRect*)nullptr, (HBITMAP) nullptr, (uint16_t)0),
              nullptr);
    EXPECT_EQ(palette->GetFirstTool(), nullptr);
}

// ---- Hit-testing -------------------------------------------------------------------------------

TEST_F(PaletteRecords, PtInTool_prefers_the_newest_of_overlapping_tools)
{
    ToolInfo* older = Add(1, 0, 0, Fx(20), Fx(20));
    ToolInfo* newer = Add(2, Fx(10), Fx(10), Fx(30), Fx(30));
    EXPECT_EQ(Hit(Fx(15), Fx(15)), newer);
    EXPECT_EQ(Hit(Fx(5), Fx(5)), older);
    EXPECT_EQ(Hit(Fx(25), Fx(25)), newer);
    EXPECT_EQ(Hit(Fx(25), Fx(5)), nullptr);
}

TEST_F(PaletteRecords, PtInTool_treats_every_edge_as_outside)
{
    ToolInfo* t = Add(1, Fx(10), Fx(20), Fx(30), Fx(40));
    EXPECT_EQ(Hit(Fx(10), Fx(30)), nullptr);
    EXPECT_EQ(Hit(Fx(30), Fx(30)), nullptr);
    EXPECT_EQ(Hit(Fx(20), Fx(20)), nullptr);
    EXPECT_EQ(Hit(Fx(20), Fx(40)), nullptr);
    // One 16.16 unit inside each edge is inside: the test is in fixed point, not pixels.
    EXPECT_EQ(Hit(Fx(10) + 1, Fx(20) + 1), t);
    EXPECT_EQ(Hit(Fx(30) - 1, Fx(40) - 1), t);
    EXPECT_EQ(palette->PtInTool((const KxPoint*)nullptr), nullptr);
}

TEST_F(PaletteRecords, PtInTool_never_hits_an_empty_or_inverted_tool)
{
    Add(1, Fx(30), Fx(30), Fx(10), Fx(10));
    Add(2, Fx(10), Fx(10), Fx(10), Fx(30));
    EXPECT_EQ(Hit(Fx(20), Fx(20)), nullptr);
    EXPECT_EQ(Hit(Fx(10), Fx(20)), nullptr);
}

// ---- Removal -----------------------------------------------------------------------------------

TEST_F(PaletteRecords, DestroyTool_removes_the_newest_tool_with_the_id_first)
{
    ToolInfo* older = Add(7, 0, 0, Fx(1), Fx(1));
    Add(8, 0, 0, Fx(1), Fx(1));
    ToolInfo* newer = Add(7, 0, 0, Fx(1), Fx(1));
    palette->SetToolState(newer, (uint16_t)1);
    palette->DestroyTool(7);
    EXPECT_EQ(ToolIds(*palette), (std::vector<int32_t>{8, 7}));
    EXPECT_EQ(palette->GetLastTool(), older);
    EXPECT_EQ(palette->GetToolState(palette->GetLastTool()), 0);
    palette->DestroyTool(7);
    EXPECT_EQ(ToolIds(*palette), (std::vector<int32_t>{8}));
    palette->DestroyTool(7); // none left: nothing happens
    palette->DestroyTool(99);
    EXPECT_EQ(ToolIds(*palette), (std::vector<int32_t>{8}));
}

// Regression: removing a record the list does not hold freed it anyway, so a second removal was
// a double free and a foreign record was freed under its own palette.
TEST_F(PaletteRecords, RemoveToolInfo_of_null_foreign_or_removed_tools_is_a_no_op)
{
    Palette other(NewPalette(), ev, resolve_ToolTrayClassData());
    const KxRect r(0, 0, Fx(5), Fx(5));
    ToolInfo* foreign = other.AddToolInfo(50, &r, (HBITMAP) nullptr, (uint16_t)0);
    ToolInfo* keep = Add(1, 0, 0, Fx(5), Fx(5));
    ToolInfo* gone = Add(2, 0, 0, Fx(5), Fx(5));

    AllocationWatch watch;
    palette->RemoveToolInfo(gone);
    EXPECT_EQ(watch.Frees(), 2) << "the record and its link";
    palette->RemoveToolInfo(gone); // ASan reports a double free if the record is freed again
    palette->RemoveToolInfo((ToolInfo*)nullptr);
    palette->RemoveToolInfo(foreign);
    EXPECT_EQ(watch.Frees(), 2);
    EXPECT_EQ(ToolIds(*palette), (std::vector<int32_t>{1}));
    EXPECT_EQ(palette->GetFirstTool(), keep);
    EXPECT_EQ(other.GetFirstTool(), foreign);
    EXPECT_EQ(other.GetToolID(foreign), 50);
}

TEST_F(PaletteRecords, GetNextTool_of_a_foreign_or_removed_tool_is_null)
{
    Palette other(NewPalette(), ev, resolve_ToolTrayClassData());
    const KxRect r(0, 0, Fx(5), Fx(5));
    other.AddToolInfo(1, &r, (HBITMAP) nullptr, (uint16_t)0);
    ToolInfo* foreign = other.AddToolInfo(2, &r, (HBITMAP) nullptr, (uint16_t)0);
    Add(3, 0, 0, Fx(1), Fx(1));
    ToolInfo* mid = Add(4, 0, 0, Fx(1), Fx(1));
    Add(5, 0, 0, Fx(1), Fx(1));
    EXPECT_NE(other.GetNextTool(foreign), nullptr);
    EXPECT_EQ(palette->GetNextTool(foreign), nullptr);
    palette->RemoveToolInfo(mid);
    EXPECT_EQ(palette->GetNextTool(mid), nullptr);
}

TEST_F(PaletteRecords, Palette_without_a_list_answers_null_and_ignores_changes)
{
    SOMObject* bare = NewObject(ToolTrayClass());
    Palette p(bare, ev, resolve_ToolTrayClassData());
    p.SetToolSpaceObj(space);
    const KxPoint pt(Fx(10), Fx(10));
    EXPECT_EQ(p.CreateTool(1, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    EXPECT_EQ(p.PtInTool(&pt), nullptr);
    EXPECT_EQ(p.GetFirstTool(), nullptr);
    EXPECT_EQ(p.GetLastTool(), nullptr);
    ToolInfo* foreign = Add(1, 0, 0, Fx(5), Fx(5));
    p.RemoveToolInfo(foreign);
    p.DestroyTool(1);
    p.ArrangeTools();
    EXPECT_EQ(p.GetNextTool(foreign), nullptr);
    EXPECT_EQ(palette->GetFirstTool(), foreign);
    FreeObject(bare);
}

// ---- Subclasses that observe or steer ----------------------------------------------------------

struct Observed {
    std::vector<int32_t> removedIds;
    int nextBoundsCalls = 0;
    int addCalls = 0;
    int steeredSlot = 0;
} g_seen;

void SOMLINK ObservingRemove(ToolTray* self, Environment* ev, ToolInfo* tool)
{
    g_seen.removedIds.push_back(tool ? Original<somTD_ToolTray_GetToolID>(34)(self, ev, tool) : -1);
    Original<somTD_ToolTray_RemoveToolInfo>(21)(self, ev, tool);
}

void SOMLINK CountingNextBounds(ToolTray* self, Environment* ev, KxRect* r)
{
    ++g_seen.nextBoundsCalls;
    Original<somTD_ToolTray_GetNextToolBounds>(25)(self, ev, r);
}

ToolInfo* SOMLINK CountingAdd(ToolTray* self, Environment* ev, int32_t id, const KxRect* r,
                              HBITMAP bitmap, uint16_t state)
{
    ++g_seen.addCalls;
    return Original<somTD_ToolTray_AddToolInfo>(20)(self, ev, id, r, bitmap, state);
}

// Places tool n (counting calls) at (n*100, 0, n*100+10, 10).
void SOMLINK SteeredNextBounds(ToolTray*, Environment*, KxRect* r)
{
    const int n = g_seen.steeredSlot++;
    r->Set(Fx(n * 100), 0, Fx(n * 100 + 10), Fx(10));
}

// Answers without writing the rectangle at all.
void SOMLINK SilentNextBounds(ToolTray*, Environment*, KxRect*) {}

// Leaves a pattern in the stack below the caller, where the next calls' locals will lie.
[[gnu::noinline]] void ScribbleOnTheStack()
{
    volatile unsigned char junk[4096];
    for (volatile unsigned char& b : junk)
        b = 0x5A;
}

// Reports a 120-wide palette whatever size is stored.
void SOMLINK WideSize(ToolTray*, Environment*, KxRect* r) { r->Set(0, 0, Fx(120), Fx(60)); }

SOMClass* ObservingTray()
{
    static SOMClass* const cls = BuildToolTraySubclass(
        "ObservingTray", {{"ToolTray::RemoveToolInfo", somProc(&ObservingRemove)},
                          {"ToolTray::GetNextToolBounds", somProc(&CountingNextBounds)},
                          {"ToolTray::AddToolInfo", somProc(&CountingAdd)}});
    return cls;
}

class PaletteSubclass : public PaletteRecords {
protected:
    void SetUp() override
    {
        PaletteRecords::SetUp();
        g_seen = Observed{};
    }
    Palette Make(SOMClass* cls)
    {
        EXPECT_NE(cls, nullptr) << GetLastBuildError();
        Palette p(NewPalette(cls), ev, resolve_ToolTrayClassData());
        p.SetToolSpaceObj(space);
        return p;
    }
};

TEST_F(PaletteSubclass, RemoveToolInfo_override_sees_every_removal_by_DestroyTool_and_somUninit)
{
    Palette p = Make(ObservingTray());
    for (int32_t id : {1, 2, 3, 2})
        ASSERT_NE(p.CreateTool(id, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    p.DestroyTool(2);
    EXPECT_EQ(g_seen.removedIds, (std::vector<int32_t>{2}));
    g_seen.removedIds.clear();
    ToolTray* obj = p.Object();
    extra.pop_back();
    FreeObject(obj);
    EXPECT_EQ(g_seen.removedIds, (std::vector<int32_t>{3, 2, 1})) << "newest first";
}

TEST_F(PaletteSubclass, GetNextToolBounds_override_decides_where_CreateTool_and_ArrangeTools_place)
{
    static SOMClass* const cls = BuildToolTraySubclass(
        "SteeringTray", {{"ToolTray::GetNextToolBounds", somProc(&SteeredNextBounds)}});
    Palette p = Make(cls);
    ToolInfo* a = p.CreateTool(1, (HBITMAP) nullptr, (uint16_t)0);
    ToolInfo* b = p.CreateTool(2, (HBITMAP) nullptr, (uint16_t)0);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(Pixels(a->bounds), (PixelRect{0, 0, 10, 10}));
    EXPECT_EQ(Pixels(b->bounds), (PixelRect{100, 0, 110, 10}));
    p.ArrangeTools(); // oldest first: a gets slot 2, b slot 3
    EXPECT_EQ(Pixels(a->bounds), (PixelRect{200, 0, 210, 10}));
    EXPECT_EQ(Pixels(b->bounds), (PixelRect{300, 0, 310, 10}));
}

// Regression: CreateTool handed AddToolInfo a rectangle that such an override never wrote, so the
// tool took whatever the stack held.
TEST_F(PaletteSubclass, GetNextToolBounds_override_that_writes_nothing_gives_an_empty_rectangle)
{
    static SOMClass* const cls = BuildToolTraySubclass(
        "SilentTray", {{"ToolTray::GetNextToolBounds", somProc(&SilentNextBounds)}});
    Palette p = Make(cls);
    ScribbleOnTheStack();
    ToolInfo* t = p.CreateTool(1, (HBITMAP) nullptr, (uint16_t)0);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->bounds == KxRect(0, 0, 0, 0)) << Pixels(t->bounds);
}

TEST_F(PaletteSubclass, GetSize_override_decides_the_row_width)
{
    static SOMClass* const cls =
        BuildToolTraySubclass("WideTray", {{"ToolTray::GetSize", somProc(&WideSize)}});
    Palette p = Make(cls); // stored size stays (0, 0, 0, 0): a single column if it were used
    std::vector<PixelRect> got;
    for (int i = 0; i < 4; ++i)
        got.push_back(Pixels((p.CreateTool(i, (HBITMAP) nullptr, (uint16_t)0))->bounds));
    EXPECT_EQ(got, (std::vector<PixelRect>{
                       {4, 4, 29, 29}, {33, 4, 58, 29}, {62, 4, 87, 29}, {91, 4, 116, 29}}));
}

TEST_F(PaletteSubclass, CreateTool_without_a_tool_space_places_and_adds_nothing)
{
    Palette p = Make(ObservingTray());
    p.SetToolSpaceObj((KxToolSpaceObj*)nullptr);
    EXPECT_EQ(p.CreateTool(1, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    EXPECT_EQ(g_seen.nextBoundsCalls, 0);
    EXPECT_EQ(g_seen.addCalls, 0);
    EXPECT_EQ(p.GetFirstTool(), nullptr);
}

TEST_F(PaletteSubclass, CreateTool_on_a_space_that_refuses_tools_places_and_adds_nothing)
{
    Palette p = Make(ObservingTray());
    somCall<somTD_KxToolSpaceObj_SetAcceptsTools>(
        space, resolve_KxToolSpaceObjClassData()->SetAcceptsTools, ev, 0);
    EXPECT_EQ(p.CreateTool(1, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    EXPECT_EQ(g_seen.nextBoundsCalls, 0);
    EXPECT_EQ(g_seen.addCalls, 0);
    EXPECT_EQ(p.GetFirstTool(), nullptr);
    // Accepting again: the gate opens and both steps run once.
    somCall<somTD_KxToolSpaceObj_SetAcceptsTools>(
        space, resolve_KxToolSpaceObjClassData()->SetAcceptsTools, ev, 1);
    EXPECT_NE(p.CreateTool(1, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    EXPECT_EQ(g_seen.nextBoundsCalls, 1);
    EXPECT_EQ(g_seen.addCalls, 1);
}

TEST_F(PaletteSubclass, CreateTool_on_an_object_that_is_not_a_tool_space_returns_null)
{
    Palette p = Make(ObservingTray());
    p.SetToolSpaceObj(base); // a KxObject: it has no seventh tool-space method
    EXPECT_EQ(p.CreateTool(1, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    EXPECT_EQ(g_seen.nextBoundsCalls, 0);
    EXPECT_EQ(g_seen.addCalls, 0);
    EXPECT_EQ(p.GetFirstTool(), nullptr);
    ExceptionFree(ev);
}

TEST_F(PaletteSubclass, CreateTool_returns_what_AddToolInfo_returns)
{
    Palette p = Make(ObservingTray());
    ToolInfo* t = p.CreateTool(12, (HBITMAP) nullptr, (uint16_t)4);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(g_seen.addCalls, 1);
    EXPECT_EQ(p.GetFirstTool(), t);
    EXPECT_EQ(p.GetToolID(t), 12);
    EXPECT_EQ(p.GetToolState(t), 4);
}

} // namespace
