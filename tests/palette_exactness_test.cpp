// What the class asks of the runtime and the framework, as they see it: every method and override
// asks for its instance data before anything else, and GetNextToolBounds asks IsEmpty of every
// tool's bounds. Regression for both: six methods and the Release override did not ask for their
// data, CreateTool asked only after calling GetToolSpaceObj, GetNextToolBounds given a null
// rectangle did not ask at all, somUninit asked for the environment first, and GetNextToolBounds
// stopped asking IsEmpty once one rectangle was not empty.
#include "tests/test_support.h"

#include <dlfcn.h>

#include <functional>
#include <string>
#include <vector>

namespace {

int g_isEmptyCalls = 0;

// What ToolTrayNewClass asks, in order, while g_logBuild is set: the framework's NewClass and the
// runtime's BuildClass for ToolTray (the framework's own builds are left out).
std::vector<std::string> g_build;
bool g_logBuild = false;
const ClassDescription* g_builtFrom = nullptr;
SOMClass* g_buildAnswer = nullptr; // when set, BuildClass answers it without building
bool g_parentAnswersNull = false;  // when set, KxExtensionNewClass builds and then answers null

std::string Args(int32_t a, int32_t b) { return std::to_string(a) + " " + std::to_string(b); }

} // namespace

// The runtime's BuildClass and the framework's KxExtensionNewClass, logged and passed on (or
// answered as a test asks); like IsEmpty below, they take the originals' place by name.
extern "C" SOMClass* BuildClass(int32_t inheritMask, const ClassDescription* description,
                                int32_t majorVersion, int32_t minorVersion) noexcept
{
    using Proc = SOMClass* (*)(int32_t, const ClassDescription*, int32_t, int32_t);
    static const auto runtimeProc = reinterpret_cast<Proc>(dlsym(RTLD_NEXT, "BuildClass"));
    const bool ours =
        description && description->className && std::string(*description->className) == "ToolTray";
    if (g_logBuild && ours) {
        g_build.push_back("BuildClass " + std::to_string(inheritMask) + " " +
                          Args(majorVersion, minorVersion));
        g_builtFrom = description;
    }
    if (ours && g_buildAnswer)
        return g_buildAnswer;
    return runtimeProc(inheritMask, description, majorVersion, minorVersion);
}

extern "C" SOMClass* KxExtensionNewClass(int32_t majorVersion, int32_t minorVersion) noexcept
{
    using Proc = SOMClass* (*)(int32_t, int32_t);
    static const auto frameworkProc =
        reinterpret_cast<Proc>(dlsym(RTLD_NEXT, "KxExtensionNewClass"));
    if (g_logBuild)
        g_build.push_back("KxExtensionNewClass " + Args(majorVersion, minorVersion));
    SOMClass* cls = frameworkProc(majorVersion, minorVersion);
    return g_parentAnswersNull ? nullptr : cls;
}

// The framework's IsEmpty, counted. This definition takes the place of the framework's for the
// whole process (the class library binds it by name when loaded), with the same rule.
uint8_t KxRect::IsEmpty() const
{
    ++g_isEmptyCalls;
    return right <= left || bottom <= top;
}

namespace {

std::vector<std::string> g_events;
bool g_logEnvironment = false;
KxToolSpaceObj* g_space = nullptr;
somDataProc g_dataProc = nullptr;

} // namespace

// The runtime's GetGlobalEnvironment, logged while a test asks for it and otherwise passed on to
// the runtime's own. Like IsEmpty above, it takes the runtime's place by name.
extern "C" Environment* GetGlobalEnvironment(void) noexcept
{
    using Proc = Environment* (*)();
    static const auto runtimeProc =
        reinterpret_cast<Proc>(dlsym(RTLD_NEXT, "GetGlobalEnvironment"));
    if (g_logEnvironment)
        g_events.emplace_back("GetGlobalEnvironment");
    return runtimeProc();
}

namespace {

void* SOMLINK LoggedData(SOMObject* object)
{
    g_events.emplace_back("data");
    return g_dataProc(object);
}

KxToolSpaceObj* SOMLINK LoggedToolSpaceObj(ToolTray* self, Environment* ev)
{
    g_events.emplace_back("GetToolSpaceObj");
    return reinterpret_cast<somTD_ToolTray_GetToolSpaceObj>(
        DescriptionOf(ToolTrayClass())->methods[6].procedure)(self, ev);
}

// Palettes of a subclass whose GetToolSpaceObj shows in the log, with ToolTray's instance-data
// procedure replaced by one that logs each call.
class Exactness : public PaletteTest {
protected:
    void SetUp() override
    {
        PaletteTest::SetUp();
        static SOMClass* const cls = BuildToolTraySubclass(
            "LoggingTray", {{"ToolTray::GetToolSpaceObj", somProc(&LoggedToolSpaceObj)}});
        ASSERT_NE(cls, nullptr) << GetLastBuildError();
        logged = std::make_unique<Palette>(NewPalette(cls), ev, resolve_ToolTrayClassData());
        logged->SetToolSpaceObj(space);
        g_dataProc = resolve_ToolTrayCClassData()->instanceDataToken;
        resolve_ToolTrayCClassData()->instanceDataToken = &LoggedData;
        g_space = space;
        g_events.clear();
    }
    void TearDown() override
    {
        resolve_ToolTrayCClassData()->instanceDataToken = g_dataProc;
        PaletteTest::TearDown();
    }
    std::unique_ptr<Palette> logged;
};

struct MethodCall {
    const char* name;
    std::function<void(const Palette&, ToolInfo*)> run;
};

const KxRect kRect(0, 0, Fx(10), Fx(10));
const KxPoint kPoint(Fx(5), Fx(5));
KxRect g_out;

const MethodCall kCalls[] = {
    {"InstallCompletedProc",
     [](const Palette& p, ToolInfo*) {
         p.InstallCompletedProc((ToolTrayInitCompletedProc) nullptr);
     }},
    {"CallInitCompleted", [](const Palette& p, ToolInfo*) { p.CallInitCompleted(); }},
    {"GetSize", [](const Palette& p, ToolInfo*) { p.GetSize(&g_out); }},
    {"SetSize", [](const Palette& p, ToolInfo*) { p.SetSize(&kRect); }},
    {"GetFloatRect", [](const Palette& p, ToolInfo*) { p.GetFloatRect(&g_out); }},
    {"SetFloatRect", [](const Palette& p, ToolInfo*) { p.SetFloatRect(&kRect); }},
    {"GetToolSpaceObj", [](const Palette& p, ToolInfo*) { p.GetToolSpaceObj(); }},
    {"SetToolSpaceObj",
     [](const Palette& p, ToolInfo*) { p.SetToolSpaceObj(p.GetToolSpaceObj()); }},
    {"GetPos", [](const Palette& p, ToolInfo*) { p.GetPos(); }},
    {"SetPos", [](const Palette& p, ToolInfo*) { p.SetPos((int16_t)2); }},
    {"GetToolSpaceWnd", [](const Palette& p, ToolInfo*) { p.GetToolSpaceWnd(); }},
    {"SetToolSpaceWnd", [](const Palette& p, ToolInfo*) { p.SetToolSpaceWnd((HWND) nullptr); }},
    {"GetPartFrameShape", [](const Palette& p, ToolInfo*) { p.GetPartFrameShape(); }},
    {"SetPartFrameShape",
     [](const Palette& p, ToolInfo*) { p.SetPartFrameShape((SOMObject*)nullptr); }},
    {"GetDomain", [](const Palette& p, ToolInfo*) { p.GetDomain(); }},
    {"SetDomain", [](const Palette& p, ToolInfo*) { p.SetDomain(3); }},
    {"GetSession", [](const Palette& p, ToolInfo*) { p.GetSession(); }},
    {"SetSession", [](const Palette& p, ToolInfo*) { p.SetSession((SOMObject*)nullptr); }},
    {"GetUserInfo", [](const Palette& p, ToolInfo*) { p.GetUserInfo(); }},
    {"SetUserInfo", [](const Palette& p, ToolInfo*) { p.SetUserInfo(4); }},
    {"AddToolInfo",
     [](const Palette& p, ToolInfo*) { p.AddToolInfo(8, &kRect, (HBITMAP) nullptr, (uint16_t)0); }},
    {"RemoveToolInfo", [](const Palette& p, ToolInfo* t) { p.RemoveToolInfo(t); }},
    {"GetFirstTool", [](const Palette& p, ToolInfo*) { p.GetFirstTool(); }},
    {"GetNextTool", [](const Palette& p, ToolInfo* t) { p.GetNextTool(t); }},
    {"GetLastTool", [](const Palette& p, ToolInfo*) { p.GetLastTool(); }},
    {"GetNextToolBounds", [](const Palette& p, ToolInfo*) { p.GetNextToolBounds(&g_out); }},
    {"GetToolWidth", [](const Palette& p, ToolInfo*) { p.GetToolWidth(); }},
    {"SetToolWidth", [](const Palette& p, ToolInfo*) { p.SetToolWidth(tooltray::Pixels(20)); }},
    {"GetToolHeight", [](const Palette& p, ToolInfo*) { p.GetToolHeight(); }},
    {"SetToolHeight", [](const Palette& p, ToolInfo*) { p.SetToolHeight(tooltray::Pixels(20)); }},
    {"CreateTool",
     [](const Palette& p, ToolInfo*) { p.CreateTool(9, (HBITMAP) nullptr, (uint16_t)0); }},
    {"DestroyTool", [](const Palette& p, ToolInfo*) { p.DestroyTool(1); }},
    {"GetToolState", [](const Palette& p, ToolInfo* t) { p.GetToolState(t); }},
    {"SetToolState", [](const Palette& p, ToolInfo* t) { p.SetToolState(t, (uint16_t)1); }},
    {"GetToolID", [](const Palette& p, ToolInfo* t) { p.GetToolID(t); }},
    {"SetToolID", [](const Palette& p, ToolInfo* t) { p.SetToolID(t, 5); }},
    {"PtInTool", [](const Palette& p, ToolInfo*) { p.PtInTool(&kPoint); }},
    {"UpdateTools", [](const Palette& p, ToolInfo*) { p.UpdateTools((HDC) nullptr); }},
    {"ArrangeTools", [](const Palette& p, ToolInfo*) { p.ArrangeTools(); }},
};
static_assert(std::size(kCalls) == kToolTrayMethodCount);

TEST_F(Exactness, Every_method_asks_for_its_instance_data_before_anything_else)
{
    for (const MethodCall& call : kCalls) {
        ToolInfo* tool = palette->AddToolInfo(1, &kRect, (HBITMAP) nullptr, (uint16_t)0);
        ASSERT_NE(tool, nullptr);
        g_events.clear();
        call.run(*palette, tool);
        EXPECT_TRUE(!g_events.empty() && g_events.front() == "data")
            << call.name << " began with " << (g_events.empty() ? "nothing" : g_events.front());
    }
    // Even a call whose argument is ignored asks first (GetNextToolBounds returned before).
    g_events.clear();
    palette->GetNextToolBounds(nullptr);
    EXPECT_EQ(g_events, std::vector<std::string>{"data"}) << "GetNextToolBounds(null)";
    // CreateTool's first call of another method must come after.
    g_events.clear();
    ASSERT_NE(logged->CreateTool(2, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    ASSERT_GE(g_events.size(), 2u);
    EXPECT_EQ(g_events[0], "data");
    EXPECT_EQ(g_events[1], "GetToolSpaceObj");
}

TEST_F(Exactness, Every_override_asks_for_its_instance_data_before_anything_else)
{
    const auto* rc = resolve_KxRefCntObjectClassData();
    somCall<somTD_KxRefCntObject_Acquire>(logged->Object(), rc->Acquire, ev);
    g_events.clear();
    logged->Release(); // not the last reference
    EXPECT_FALSE(g_events.empty()) << "Release";

    SOMObject* fresh = NewObject(ToolTrayClass()); // somInit
    ASSERT_NE(fresh, nullptr);
    EXPECT_FALSE(g_events.empty()) << "somInit";
    g_events.clear();
    somCall<somTD_KxExtension_InitExtension>(fresh, resolve_KxExtensionClassData()->InitExtension,
                                             ev, base);
    EXPECT_TRUE(!g_events.empty() && g_events.front() == "data") << "InitExtension";
    // somUninit needs the environment as well, and asked for it first: the two calls were
    // arguments of one call, whose order the compiler picked.
    g_events.clear();
    g_logEnvironment = true;
    FreeObject(fresh); // somUninit
    g_logEnvironment = false;
    EXPECT_EQ(g_events, (std::vector<std::string>{"data", "GetGlobalEnvironment"})) << "somUninit";
}

TEST_F(Exactness, GetNextToolBounds_asks_IsEmpty_of_every_tool)
{
    for (int i = 0; i < 4; ++i)
        ASSERT_NE(palette->CreateTool(i, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    const KxRect empty(0, 0, 0, 0);
    ASSERT_NE(palette->AddToolInfo(9, &empty, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    KxRect next;
    g_isEmptyCalls = 0;
    palette->GetNextToolBounds(&next);
    EXPECT_EQ(g_isEmptyCalls, 5);
}

// ---- Building the class ----------------------------------------------------------------------

TEST(ClassBuilding, NewClass_builds_the_parent_first_and_hands_BuildClass_the_versions_unchanged)
{
    SOMClass* cls = ToolTrayClass();
    ASSERT_NE(cls, nullptr);
    g_build.clear();
    g_logBuild = true;
    EXPECT_EQ(ToolTrayNewClass(1, 0), cls);
    EXPECT_EQ(ToolTrayNewClass(0, 0), cls);
    EXPECT_EQ(ToolTrayNewClass(7, -3), nullptr); // the runtime refuses major 7
    g_logBuild = false;
    EXPECT_EQ(g_build, (std::vector<std::string>{"KxExtensionNewClass 0 0", "BuildClass 1 1 0",
                                                 "KxExtensionNewClass 0 0", "BuildClass 1 0 0",
                                                 "KxExtensionNewClass 0 0", "BuildClass 1 7 -3"}));
    EXPECT_EQ(g_builtFrom, DescriptionOf(cls));
}

// Regression: ToolTrayNewClass skipped BuildClass when KxExtensionNewClass answered null although
// the framework's KxExtension existed, and turned a class BuildClass answered into null unless it
// found it in its class data.
TEST(ClassBuilding, NewClass_answers_what_BuildClass_answered_whatever_the_parent_build_answered)
{
    SOMClass* cls = ToolTrayClass();
    ASSERT_NE(cls, nullptr);
    static int standIn;
    g_buildAnswer = reinterpret_cast<SOMClass*>(&standIn);
    EXPECT_EQ(ToolTrayNewClass(1, 0), g_buildAnswer);
    g_buildAnswer = nullptr;
    EXPECT_EQ(resolve_ToolTrayClassData()->classObject, cls);

    g_parentAnswersNull = true;
    g_build.clear();
    g_logBuild = true;
    EXPECT_EQ(ToolTrayNewClass(1, 0), cls);
    g_logBuild = false;
    g_parentAnswersNull = false;
    EXPECT_EQ(g_build, (std::vector<std::string>{"KxExtensionNewClass 0 0", "BuildClass 1 1 0"}));
}

} // namespace
