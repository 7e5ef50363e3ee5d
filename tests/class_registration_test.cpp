// The ToolTray class as the runtime builds it: its description, its class data, and method
// resolution on host subclasses.
#include "tests/test_support.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const kMethodNames[] = {
#define NAME(index, name, bytes, kind) #name,
    TOOLTRAY_METHODS(NAME)
#undef NAME
};

std::string Name(NameId id) { return id && *id ? *id : "(null)"; }

TEST(ClassRegistration, Description_lists_39_methods_and_4_overrides_in_order)
{
    SOMClass* cls = ToolTrayClass();
    ASSERT_NE(cls, nullptr) << GetLastBuildError();
    const ClassDescription* d = DescriptionOf(cls);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->layoutLevel, 4);
    EXPECT_EQ(d->numMethods, 39);
    EXPECT_EQ(d->numOverrides, 4);
    EXPECT_EQ(d->numFurtherTables[0] | d->numFurtherTables[1] | d->numFurtherTables[2], 0);
    EXPECT_EQ(d->majorVersion, 1);
    EXPECT_EQ(d->minorVersion, 0);
    if constexpr (sizeof(void*) == 4)
        EXPECT_EQ(d->instanceDataSize, 80);
    else
        EXPECT_GT(d->instanceDataSize, 80); // restated for wider references
    EXPECT_EQ(d->maxMethods, 39);
    EXPECT_EQ(d->numParents, 1);
    EXPECT_EQ(Name(d->className), "ToolTray");
    EXPECT_EQ(d->explicitMetaclass, nullptr);
    EXPECT_EQ(d->implicitMetaclass, 1);
    EXPECT_EQ(Name(d->parentNames[0]), "KxExtension");
    EXPECT_EQ(d->classData, resolve_ToolTrayClassData());
    EXPECT_EQ(d->auxClassData, resolve_ToolTrayCClassData());
    for (const void* p : d->furtherTables)
        EXPECT_EQ(p, nullptr);
    EXPECT_EQ(d->instanceAlignment, 1);
    EXPECT_EQ(d->declaredInitialisers, -1);
    EXPECT_EQ(d->initialiserList, nullptr);
    for (int32_t v : d->reserved)
        EXPECT_EQ(v, 0);
    EXPECT_EQ(d->numMethodTokens, 39);

    const char* const overrides[] = {"SOMObject::somInit", "SOMObject::somUninit",
                                     "KxExtension::InitExtension", "KxRefCntObject::Release"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Name(*d->overrides[i].name), overrides[i]);
}

TEST(ClassRegistration, Each_method_entry_names_its_token_name_descriptor_and_call_info)
{
    const ClassDescription* d = DescriptionOf(ToolTrayClass());
    ASSERT_NE(d, nullptr);
    auto* tokens = &resolve_ToolTrayClassData()->InstallCompletedProc;
    for (int i = 0; i < 39; ++i) {
        SCOPED_TRACE(kMethodNames[i]);
        const MethodEntry& m = d->methods[i];
        EXPECT_EQ(m.tokenSlot, tokens + i);
        EXPECT_EQ(Name(*m.name), kMethodNames[i]);
        EXPECT_EQ(Name(*m.descriptor), std::string("::ToolTray::") + kMethodNames[i]);
        EXPECT_EQ(m.redispatch, -1);
        ASSERT_NE(m.apply, nullptr);
        EXPECT_EQ(m.apply->redispatchStub, nullptr);
        EXPECT_EQ(m.apply->applyStub, nullptr);
        ASSERT_NE(m.apply->callInfo, nullptr);
        EXPECT_EQ(m.apply->callInfo->resultKind, i == 32 ? 12 : 0);
        EXPECT_EQ(m.apply->callInfo->reserved, nullptr);
        // The resolved procedure of a plain ToolTray is the one the entry carries.
        SOMObject* probe = NewObject(ToolTrayClass());
        EXPECT_EQ(ResolveMethod(probe, tokens[i]), m.procedure);
        FreeObject(probe);
    }
}

TEST(ClassRegistration, Argument_bytes_count_four_per_argument_object_and_environment_included)
{
    const ClassDescription* d = DescriptionOf(ToolTrayClass());
    ASSERT_NE(d, nullptr);
    auto bytes = [&](int token) { return d->methods[token].apply->callInfo->argumentBytes; };
    EXPECT_EQ(bytes(1), 8);   // CallInitCompleted
    EXPECT_EQ(bytes(38), 8);  // ArrangeTools
    EXPECT_EQ(bytes(2), 12);  // GetSize
    EXPECT_EQ(bytes(9), 12);  // SetPos: a 16-bit argument counts 4
    EXPECT_EQ(bytes(33), 16); // SetToolState
    EXPECT_EQ(bytes(30), 20); // CreateTool
    EXPECT_EQ(bytes(20), 24); // AddToolInfo
}

TEST(ClassRegistration, Class_data_holds_the_class_object_and_39_distinct_tokens)
{
    SOMClass* cls = ToolTrayClass();
    const ToolTrayClassDataStructure* cd = resolve_ToolTrayClassData();
    EXPECT_EQ(cd->classObject, cls);
    EXPECT_EQ(ParentOf(cls), resolve_KxExtensionClassData()->classObject);
    const somMToken* tokens = &cd->InstallCompletedProc;
    for (int i = 0; i < 39; ++i) {
        ASSERT_NE(tokens[i], nullptr);
        EXPECT_EQ(MethodName(tokens[i]), std::string("ToolTray::") + kMethodNames[i]);
    }
    EXPECT_NE(resolve_ToolTrayCClassData()->parentMethodTables, nullptr);
    EXPECT_NE(resolve_ToolTrayCClassData()->instanceDataToken, nullptr);
}

TEST(ClassRegistration, A_second_NewClass_is_harmless_and_versions_reach_the_runtime)
{
    SOMClass* cls = ToolTrayClass();
    const somMToken first = resolve_ToolTrayClassData()->GetSize;
    EXPECT_EQ(ToolTrayNewClass(1, 0), cls);
    EXPECT_EQ(ToolTrayNewClass(0, 0), cls);
    EXPECT_EQ(resolve_ToolTrayClassData()->GetSize, first);
    EXPECT_EQ(ToolTrayNewClass(2, 0), nullptr);
    EXPECT_NE(std::string(GetLastBuildError()).find("ToolTray: majorVersion: 2"),
              std::string::npos);
    EXPECT_EQ(ToolTrayNewClass(1, 5), nullptr);
    EXPECT_NE(std::string(GetLastBuildError()).find("ToolTray: minorVersion: 5"),
              std::string::npos);
}

// ---- A class name taken by another description ------------------------------------------------
// Regression: BuildClass handed back whatever class held the name, so the framework's NewClass and
// ToolTrayNewClass reported success with their class data never filled, and the first method
// call went through null. Each case runs in a fresh process, before any class of ours is built.

void SOMLINK Nothing(SOMObject*, Environment*) {}

// Builds a class of the given name and parent that is not ours; the same description each time.
SOMClass* BuildImpostor(const char* name, const char* parent)
{
    struct Record {
        SOMClass* cls;
        somMToken token;
    };
    static Record classData{};
    static somCClassDataStructure aux{};
    static const ClassDeclaration declaration(name, parent, 4, &classData, &aux,
                                              {{"Impostor", somProc(&Nothing), 8}});
    return BuildClass(SOM_INHERIT_FIRST_PARENT, declaration.Description(), 0, 0);
}

bool ErrorNames(const char* name)
{
    return std::string(GetLastBuildError()).find(name) != std::string::npos;
}

// A check inside the child process: on failure it says what failed and exits with status 1.
void Require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "failed: %s (last build error: %s)\n", what, GetLastBuildError());
        std::_Exit(1);
    }
}

class TakenName : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(TakenName, A_framework_class_name_taken_first_makes_every_entry_point_return_null)
{
    EXPECT_EXIT(
        {
            SOMClass* impostor = BuildImpostor("KxObject", "SOMObject");
            Require(impostor != nullptr, "the impostor is built");
            Require(BuildImpostor("KxObject", "SOMObject") == impostor,
                    "the same description again returns the class");
            Require(KxObjectNewClass(0, 0) == nullptr, "KxObjectNewClass returns null");
            Require(ErrorNames("KxObject"), "the message names the class");
            Require(resolve_KxObjectClassData()->classObject == nullptr, "KxObject's record");
            Require(KxExtensionNewClass(0, 0) == nullptr, "KxExtensionNewClass returns null");
            Require(ToolTrayNewClass(0, 0) == nullptr, "ToolTrayNewClass returns null");
            Require(resolve_ToolTrayClassData()->classObject == nullptr, "ToolTray's record");
            Require(FindClass("ToolTray") == nullptr, "no ToolTray class");
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(TakenName, ToolTray_taken_first_makes_ToolTrayNewClass_return_null_naming_it)
{
    EXPECT_EXIT(
        {
            SOMClass* impostor = BuildImpostor("ToolTray", "SOMObject");
            Require(impostor != nullptr, "the impostor is built");
            Require(ToolTrayNewClass(0, 0) == nullptr, "ToolTrayNewClass returns null");
            Require(ErrorNames("ToolTray"), "the message names the class");
            Require(resolve_ToolTrayClassData()->classObject == nullptr, "ToolTray's record");
            Require(resolve_ToolTrayClassData()->GetSize == nullptr, "ToolTray's tokens");
            Require(KxExtensionNewClass(0, 0) != nullptr, "the framework itself is sound");
            Require(FindClass("ToolTray") == impostor, "the impostor keeps its name");
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

// ---- Host subclasses --------------------------------------------------------------------------

int g_overrideCalls = 0;
int32_t SOMLINK DoubledDomain(ToolTray* self, Environment* ev)
{
    ++g_overrideCalls;
    auto original = reinterpret_cast<somTD_ToolTray_GetDomain>(
        DescriptionOf(ToolTrayClass())->methods[14].procedure);
    return 2 * original(self, ev);
}

class Subclass : public PaletteTest {};

TEST_F(Subclass, Override_is_reached_through_ResolveMethod_while_ToolTray_keeps_the_original)
{
    SOMClass* doubled =
        BuildToolTraySubclass("DoublingTray", {{"ToolTray::GetDomain", somProc(&DoubledDomain)}});
    ASSERT_NE(doubled, nullptr) << GetLastBuildError();
    EXPECT_EQ(ParentOf(doubled), ToolTrayClass());
    Palette sub(NewPalette(doubled), ev, resolve_ToolTrayClassData());
    sub.SetDomain(21);
    palette->SetDomain(21);
    g_overrideCalls = 0;
    EXPECT_EQ(sub.GetDomain(), 42);
    EXPECT_EQ(palette->GetDomain(), 21);
    EXPECT_EQ(g_overrideCalls, 1);
    // The subclass's instances carry ToolTray's data at the same place as ToolTray's own.
    EXPECT_EQ(static_cast<char*>(resolve_ToolTrayCClassData()->instanceDataToken(sub.Object())) -
                  reinterpret_cast<char*>(sub.Object()),
              static_cast<char*>(resolve_ToolTrayCClassData()->instanceDataToken(object)) -
                  reinterpret_cast<char*>(object));
}

TEST_F(Subclass, Overriding_a_method_that_ToolTray_does_not_have_is_refused)
{
    EXPECT_EQ(
        BuildToolTraySubclass("WrongTray", {{"ToolTray::GetColour", somProc(&DoubledDomain)}}),
        nullptr);
    EXPECT_NE(std::string(GetLastBuildError()).find("WrongTray: overrides[0].name"),
              std::string::npos);
    EXPECT_EQ(FindClass("WrongTray"), nullptr);
}

} // namespace
