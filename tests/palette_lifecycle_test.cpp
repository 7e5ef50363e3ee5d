// A palette's life: defaults, attribute storage, the completion callback, initialisation as an
// extension (parent procedures resolved once per process), tear-down and the last release.
#include "tests/test_support.h"
#include "platform/som/som_testing.h"

#include <cstring>

namespace {

const KxExtensionClassDataStructure* Ext() { return resolve_KxExtensionClassData(); }

void InitExtension(SOMObject* o, Environment* ev, SOMObject* base)
{
    somCall<somTD_KxExtension_InitExtension>(o, Ext()->InitExtension, ev, base);
}

bool SameRect(const KxRect& a, const KxRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// ---- Parent procedure resolution ---------------------------------------------------------------
// First in this file, so that when the whole binary runs in order it is the first InitExtension
// of the process; the checks hold whichever test ran first.

TEST(PaletteInit, Parent_InitExtension_is_resolved_once_per_process_and_not_on_an_early_return)
{
    ASSERT_NE(ToolTrayClass(), nullptr) << GetLastBuildError();
    Environment* ev = GetGlobalEnvironment();
    SOMObject* base = NewObject(FindClass("KxObject"));
    const int64_t start = ResolveParentMethodCalls();

    // A palette the framework already reports initialised returns before asking for anything.
    SOMObject* early = NewObject(ToolTrayClass());
    somCall<somTD_KxObject_InitObject>(early, resolve_KxObjectClassData()->InitObject, ev);
    InitExtension(early, ev, base);
    EXPECT_EQ(ResolveParentMethodCalls(), start);
    Palette earlyPalette(early, ev, resolve_ToolTrayClassData());
    EXPECT_EQ(earlyPalette.GetFirstTool(), nullptr);
    const KxRect r(0, 0, Fx(1), Fx(1));
    EXPECT_EQ(earlyPalette.AddToolInfo(1, &r, (HBITMAP) nullptr, (uint16_t)0), nullptr)
        << "an early return must not create a tool list";

    // Two instances: one resolution at most (exactly one if nothing had resolved before).
    SOMObject* a = NewObject(ToolTrayClass());
    SOMObject* b = NewObject(ToolTrayClass());
    InitExtension(a, ev, base);
    InitExtension(b, ev, base);
    if (start == 0)
        EXPECT_EQ(ResolveParentMethodCalls() - start, 1);
    else
        EXPECT_LE(ResolveParentMethodCalls() - start, 1);

    // Once one instance has initialised, further instances resolve nothing.
    const int64_t settled = ResolveParentMethodCalls();
    std::vector<SOMObject*> more;
    for (int i = 0; i < 5; ++i) {
        more.push_back(NewObject(ToolTrayClass()));
        InitExtension(more.back(), ev, base);
    }
    EXPECT_EQ(ResolveParentMethodCalls(), settled);
    for (SOMObject* o : more)
        FreeObject(o);
    FreeObject(a);
    FreeObject(b);
    FreeObject(early);
    FreeObject(base);
}

TEST(PaletteInit, Parent_Release_is_resolved_at_most_once_for_many_releases)
{
    ASSERT_NE(ToolTrayClass(), nullptr) << GetLastBuildError();
    Environment* ev = GetGlobalEnvironment();
    SOMObject* base = NewObject(FindClass("KxObject"));
    std::vector<SOMObject*> palettes;
    for (int i = 0; i < 4; ++i) {
        palettes.push_back(NewObject(ToolTrayClass()));
        InitExtension(palettes.back(), ev, base);
    }
    const int64_t start = ResolveParentMethodCalls();
    for (SOMObject* o : palettes)
        somCall<somTD_KxRefCntObject_Release>(o, resolve_KxRefCntObjectClassData()->Release, ev);
    EXPECT_LE(ResolveParentMethodCalls() - start, 1);
    FreeObject(base);
}

// ---- Defaults and attributes -------------------------------------------------------------------

class PaletteLifecycle : public PaletteTest {};

void ExpectDefaults(const Palette& p, const char* when)
{
    SCOPED_TRACE(when);
    KxRect r(1, 2, 3, 4);
    p.GetSize(&r);
    EXPECT_TRUE(SameRect(r, KxRect(0, 0, 0, 0)));
    p.GetFloatRect(&r);
    EXPECT_TRUE(SameRect(r, KxRect(0x640000, 0x640000, 0xDC0000, 0xB40000)));
    EXPECT_EQ(p.GetToolSpaceObj(), nullptr);
    EXPECT_EQ(p.GetPos(), 0);
    EXPECT_EQ(p.GetToolSpaceWnd(), nullptr);
    EXPECT_EQ(p.GetPartFrameShape(), nullptr);
    EXPECT_EQ(p.GetDomain(), 0);
    EXPECT_EQ(p.GetSession(), nullptr);
    EXPECT_EQ(p.GetUserInfo(), 0);
    EXPECT_EQ(p.GetToolWidth().Raw(), 0x190000);
    EXPECT_EQ(p.GetToolHeight().Raw(), 0x190000);
    EXPECT_EQ(p.GetFirstTool(), nullptr);
    EXPECT_EQ(p.GetLastTool(), nullptr);
}

TEST_F(PaletteLifecycle, New_instance_has_the_documented_defaults_before_and_after_InitExtension)
{
    SOMObject* fresh = NewObject(ToolTrayClass());
    Palette p(fresh, ev, resolve_ToolTrayClassData());
    ExpectDefaults(p, "before InitExtension");
    const KxRect r(0, 0, Fx(10), Fx(10));
    EXPECT_EQ(p.AddToolInfo(1, &r, (HBITMAP) nullptr, (uint16_t)0), nullptr)
        << "no tool list before InitExtension";
    InitExtension(fresh, ev, base);
    ExpectDefaults(p, "after InitExtension");
    FreeObject(fresh);
}

TEST_F(PaletteLifecycle, Every_getter_returns_what_its_setter_stored)
{
    const KxRect inverted(Fx(50), -Fx(3), -Fx(70), -0x7FFFFFFF - 1);
    palette->SetSize(&inverted);
    const KxRect floatRect(-1, 0x7FFFFFFF, 12345, -54321);
    palette->SetFloatRect(&floatRect);
    palette->SetToolSpaceObj(base);
    palette->SetPos((int16_t)-32768);
    auto* wnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1234));
    palette->SetToolSpaceWnd(wnd);
    palette->SetPartFrameShape(space);
    palette->SetDomain(-7);
    palette->SetSession(object);
    palette->SetUserInfo(0x7FFFFFFF);
    palette->SetToolWidth(tooltray::Fixed(-0x18000));
    palette->SetToolHeight(tooltray::Fixed(0x7FFFFFFF));

    KxRect r(0, 0, 0, 0);
    palette->GetSize(&r);
    EXPECT_TRUE(SameRect(r, inverted)) << "sizes are stored unchanged, even inverted";
    palette->GetFloatRect(&r);
    EXPECT_TRUE(SameRect(r, floatRect));
    EXPECT_EQ(palette->GetToolSpaceObj(), base);
    EXPECT_EQ(palette->GetPos(), -32768);
    EXPECT_EQ(palette->GetToolSpaceWnd(), wnd);
    EXPECT_EQ(palette->GetPartFrameShape(), space);
    EXPECT_EQ(palette->GetDomain(), -7);
    EXPECT_EQ(palette->GetSession(), object);
    EXPECT_EQ(palette->GetUserInfo(), 0x7FFFFFFF);
    EXPECT_EQ(palette->GetToolWidth().Raw(), -0x18000);
    EXPECT_EQ(palette->GetToolHeight().Raw(), 0x7FFFFFFF);

    palette->SetPos((int16_t)32767);
    EXPECT_EQ(palette->GetPos(), 32767);
    palette->SetToolSpaceObj((KxToolSpaceObj*)nullptr);
    EXPECT_EQ(palette->GetToolSpaceObj(), nullptr);
}

TEST_F(PaletteLifecycle, Null_rectangle_pointers_are_ignored_by_size_and_float_rect_accessors)
{
    const KxRect size(Fx(1), Fx(2), Fx(3), Fx(4));
    palette->SetSize(&size);
    palette->SetSize((const KxRect*)nullptr);
    palette->SetFloatRect((const KxRect*)nullptr);
    palette->GetSize((KxRect*)nullptr);
    palette->GetFloatRect((KxRect*)nullptr);
    KxRect r(0, 0, 0, 0);
    palette->GetSize(&r);
    EXPECT_TRUE(SameRect(r, size));
    palette->GetFloatRect(&r);
    EXPECT_TRUE(SameRect(r, KxRect(Fx(100), Fx(100), Fx(220), Fx(180))));
}

// ---- The completion callback -------------------------------------------------------------------

int g_callbackCalls = 0;
SOMObject* g_callbackBase = nullptr;
void SOMLINK Completed(SOMObject* b)
{
    ++g_callbackCalls;
    g_callbackBase = b;
}

TEST_F(PaletteLifecycle, Completion_callback_runs_once_per_call_with_the_base)
{
    g_callbackCalls = 0;
    g_callbackBase = nullptr;
    palette->InstallCompletedProc(&Completed);
    EXPECT_EQ(g_callbackCalls, 0) << "installing must not call it";
    palette->CallInitCompleted();
    EXPECT_EQ(g_callbackCalls, 1);
    EXPECT_EQ(g_callbackBase, base);
}

TEST_F(PaletteLifecycle, Completion_callback_is_not_called_before_InitExtension)
{
    g_callbackCalls = 0;
    SOMObject* fresh = NewObject(ToolTrayClass());
    Palette p(fresh, ev, resolve_ToolTrayClassData());
    p.InstallCompletedProc(&Completed);
    p.CallInitCompleted();
    EXPECT_EQ(g_callbackCalls, 0);
    InitExtension(fresh, ev, base);
    p.CallInitCompleted();
    EXPECT_EQ(g_callbackCalls, 1);
    EXPECT_EQ(g_callbackBase, base);
    FreeObject(fresh);
}

TEST_F(PaletteLifecycle, Without_a_callback_CallInitCompleted_does_nothing)
{
    g_callbackCalls = 0;
    palette->InstallCompletedProc(&Completed);
    palette->InstallCompletedProc((ToolTrayInitCompletedProc) nullptr);
    palette->CallInitCompleted();
    EXPECT_EQ(g_callbackCalls, 0);
}

// ---- Tear-down ---------------------------------------------------------------------------------

TEST_F(PaletteLifecycle, FreeObject_frees_every_tool_and_the_list)
{
    AllocationWatch watch;
    SOMObject* p = NewObject(ToolTrayClass());
    InitExtension(p, ev, base);
    Palette pal(p, ev, resolve_ToolTrayClassData());
    pal.SetToolSpaceObj(space);
    for (int i = 0; i < 5; ++i)
        ASSERT_NE(pal.CreateTool(i, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    // Object, list, and a record and a link per tool.
    EXPECT_EQ(watch.Live(), 2 + 2 * 5);
    FreeObject(p);
    EXPECT_EQ(watch.Live(), 0);
}

TEST_F(PaletteLifecycle, FreeObject_without_a_list_frees_only_the_object)
{
    AllocationWatch watch;
    SOMObject* p = NewObject(ToolTrayClass());
    EXPECT_EQ(watch.Live(), 1);
    FreeObject(p);
    EXPECT_EQ(watch.Live(), 0);
    EXPECT_EQ(watch.Frees(), 1);
}

TEST_F(PaletteLifecycle, Last_Release_frees_the_palette_and_all_it_owns)
{
    AllocationWatch watch;
    SOMObject* p = NewObject(ToolTrayClass());
    InitExtension(p, ev, base);
    Palette pal(p, ev, resolve_ToolTrayClassData());
    pal.SetToolSpaceObj(space);
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(pal.CreateTool(i, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    const KxRect r(0, 0, Fx(5), Fx(5));
    ASSERT_NE(pal.AddToolInfo(9, &r, (HBITMAP) nullptr, (uint16_t)1), nullptr);
    somCall<somTD_KxRefCntObject_Acquire>(p, resolve_KxRefCntObjectClassData()->Acquire, ev);
    pal.Release();
    EXPECT_EQ(watch.Live(), 2 + 2 * 4) << "a release that is not the last frees nothing";
    EXPECT_EQ(pal.GetToolID(pal.GetFirstTool()), 9);
    pal.Release();
    EXPECT_EQ(watch.Live(), 0);
}

// ---- Repeated InitExtension --------------------------------------------------------------------
// A host whose framework keeps reporting the palette as not initialised makes every InitExtension
// effective. Regression: the second one used to replace the tool list and leak the old tools.

std::vector<int32_t> g_removedIds;
uint8_t SOMLINK NeverInitialized(KxObject*, Environment*) { return 0; }
void SOMLINK RecordingRemove(ToolTray* self, Environment* ev, ToolInfo* tool)
{
    g_removedIds.push_back(
        tool ? reinterpret_cast<somTD_ToolTray_GetToolID>(
                   DescriptionOf(ToolTrayClass())->methods[34].procedure)(self, ev, tool)
             : -1);
    reinterpret_cast<somTD_ToolTray_RemoveToolInfo>(
        DescriptionOf(ToolTrayClass())->methods[21].procedure)(self, ev, tool);
}

SOMClass* ForgetfulTrayClass()
{
    static SOMClass* const cls = BuildToolTraySubclass(
        "ForgetfulTray", {{"KxObject::IsInitialized", somProc(&NeverInitialized)},
                          {"ToolTray::RemoveToolInfo", somProc(&RecordingRemove)}});
    return cls;
}

TEST_F(PaletteLifecycle,
       Repeated_InitExtension_removes_old_tools_through_RemoveToolInfo_and_leaks_nothing)
{
    ASSERT_NE(ForgetfulTrayClass(), nullptr) << GetLastBuildError();
    SOMObject* otherBase = NewObject(FindClass("KxObject"));
    AllocationWatch watch;
    SOMObject* p = NewObject(ForgetfulTrayClass());
    InitExtension(p, ev, base);
    Palette pal(p, ev, resolve_ToolTrayClassData());
    pal.SetToolSpaceObj(space);
    for (int i = 1; i <= 3; ++i)
        ASSERT_NE(pal.CreateTool(i, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    g_removedIds.clear();

    InitExtension(p, ev, otherBase);
    EXPECT_EQ(g_removedIds, (std::vector<int32_t>{3, 2, 1}))
        << "front to back, through the override";
    EXPECT_EQ(pal.GetFirstTool(), nullptr);
    EXPECT_EQ(watch.Live(), 2) << "the object and one fresh list";

    // The new list works and the callback now names the new base.
    g_callbackCalls = 0;
    pal.InstallCompletedProc(&Completed);
    pal.CallInitCompleted();
    EXPECT_EQ(g_callbackBase, otherBase);
    ToolInfo* t = pal.CreateTool(7, (HBITMAP) nullptr, (uint16_t)0);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(Pixels(t->bounds), (PixelRect{4, 4, 29, 29}));

    g_removedIds.clear();
    FreeObject(p);
    EXPECT_EQ(g_removedIds, (std::vector<int32_t>{7}));
    EXPECT_EQ(watch.Live(), 0);
    FreeObject(otherBase);
}

// ---- Tear-down while an override changes the list ----------------------------------------------
// Regression: the discard walk held the following link across each RemoveToolInfo, so an override
// that also removed that neighbour made destruction read a freed link (seen under ASan); and an
// override that removed nothing left its tools allocated after the list was gone.

template <typename Proc>
Proc ToolTrayProcedure(int token)
{
    return reinterpret_cast<Proc>(DescriptionOf(ToolTrayClass())->methods[token].procedure);
}

// Removes the tool and the one behind it, both through ToolTray's own RemoveToolInfo.
void SOMLINK RemoveWithNeighbour(ToolTray* self, Environment* ev, ToolInfo* tool)
{
    auto remove = ToolTrayProcedure<somTD_ToolTray_RemoveToolInfo>(21);
    ToolInfo* neighbour = ToolTrayProcedure<somTD_ToolTray_GetNextTool>(23)(self, ev, tool);
    g_removedIds.push_back(tool->id);
    remove(self, ev, tool);
    if (neighbour)
        remove(self, ev, neighbour);
}

void SOMLINK RemoveNothing(ToolTray*, Environment*, ToolInfo* tool)
{
    g_removedIds.push_back(tool->id);
}

// One RemoveToolInfo override: its subclass's name, the tools made, and the ids the override is
// offered while FreeObject tears the palette down.
struct TeardownOverride {
    const char* name;
    somMethodProc procedure;
    int tools;
    std::vector<int32_t> offered;
};

class PaletteTeardown : public PaletteTest,
                        public ::testing::WithParamInterface<TeardownOverride> {};

TEST_P(PaletteTeardown, FreeObject_offers_each_tool_once_and_frees_every_record)
{
    const TeardownOverride& o = GetParam();
    SOMClass* cls = FindClass(o.name);
    if (!cls)
        cls = BuildToolTraySubclass(o.name, {{"ToolTray::RemoveToolInfo", o.procedure}});
    ASSERT_NE(cls, nullptr) << GetLastBuildError();
    AllocationWatch watch;
    SOMObject* p = NewObject(cls);
    InitExtension(p, ev, base);
    Palette pal(p, ev, resolve_ToolTrayClassData());
    pal.SetToolSpaceObj(space);
    for (int i = 1; i <= o.tools; ++i)
        ASSERT_NE(pal.CreateTool(i, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    g_removedIds.clear();
    FreeObject(p);
    EXPECT_EQ(g_removedIds, o.offered);
    EXPECT_EQ(watch.Live(), 0) << "tool records or list links left behind";
}

INSTANTIATE_TEST_SUITE_P(
    RemoveToolInfoOverrides, PaletteTeardown,
    ::testing::Values(
        // Each call takes two tools: the walk must not read the neighbour's freed link.
        TeardownOverride{"GreedyTray", somProc(&RemoveWithNeighbour), 5, {5, 3, 1}},
        // Each call removes nothing: ToolTray's own procedure frees what the override left.
        TeardownOverride{"StubbornTray", somProc(&RemoveNothing), 3, {3, 2, 1}}),
    [](const ::testing::TestParamInfo<TeardownOverride>& info) {
        return std::string(info.param.name);
    });

} // namespace
