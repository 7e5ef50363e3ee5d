// The ToolTray class as the runtime builds it: its description, its class data, and method
// resolution on host subclasses.
#include "tests/test_support.h"
#include "tooltray/tooltray_private.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// ---- The 32-bit records at run time ------------------------------------------------------------
// What hosts built for 32-bit Windows read: the instance data as the 80-byte record of 4-byte
// fields and the class description as 34 words. Only a 32-bit build can check it (the i386 suite
// under qemu-i386).
constexpr bool kFourByteReferences = sizeof(void*) == 4;

uint32_t Word(const void* record, int byteOffset)
{
    uint32_t word;
    std::memcpy(&word, static_cast<const char*>(record) + byteOffset, sizeof word);
    return word;
}

uint32_t Address(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

class Layout32 : public PaletteTest {};

TEST_F(Layout32, Instance_data_is_the_80_byte_record_of_4_byte_fields)
{
    if (!kFourByteReferences)
        GTEST_SKIP() << "references are " << sizeof(void*) << " bytes here";
    EXPECT_EQ(sizeof(ToolTrayData), 80u);
    const KxRect floatRect = {Fx(-3), Fx(5), Fx(70), Fx(90)};
    palette->SetDomain(0x11223344);
    palette->SetUserInfo(0x55667788);
    palette->SetFloatRect(&floatRect);
    palette->SetToolWidth(tooltray::Pixels(31));
    palette->SetToolHeight(tooltray::Pixels(17));
    const void* data = resolve_ToolTrayCClassData()->instanceDataToken(object);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(Word(data, 4), Address(base));
    EXPECT_EQ(Word(data, 24), Address(space));
    EXPECT_EQ(Word(data, 40), 0x11223344u);
    EXPECT_EQ(Word(data, 48), 0x55667788u);
    EXPECT_NE(Word(data, 52), 0u) << "the tool list";
    EXPECT_EQ(Word(data, 56), static_cast<uint32_t>(Fx(31)));
    EXPECT_EQ(Word(data, 60), static_cast<uint32_t>(Fx(17)));
    EXPECT_EQ(Word(data, 64), static_cast<uint32_t>(floatRect.left));
    EXPECT_EQ(Word(data, 68), static_cast<uint32_t>(floatRect.top));
    EXPECT_EQ(Word(data, 72), static_cast<uint32_t>(floatRect.right));
    EXPECT_EQ(Word(data, 76), static_cast<uint32_t>(floatRect.bottom));
}

TEST(ClassRegistration, Description_is_34_words_of_4_bytes)
{
    if (!kFourByteReferences)
        GTEST_SKIP() << "references are " << sizeof(void*) << " bytes here";
    const ClassDescription* d = DescriptionOf(ToolTrayClass());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(sizeof *d, 34u * 4u);
    // Field n (counted from 1) at byte 4 * (n - 1).
    EXPECT_EQ(Word(d, 0), 4u);
    EXPECT_EQ(Word(d, 4), 39u);
    EXPECT_EQ(Word(d, 8), 4u);
    EXPECT_EQ(Word(d, 32), 80u);
    EXPECT_EQ(Word(d, 44), Address(d->className));
    EXPECT_EQ(Word(d, 56), Address(d->parentNames));
    EXPECT_EQ(Word(d, 60), Address(resolve_ToolTrayClassData()));
    EXPECT_EQ(Word(d, 68), Address(d->methods));
    EXPECT_EQ(Word(d, 72), Address(d->overrides));
    EXPECT_EQ(Word(d, 96), 1u);
    EXPECT_EQ(Word(d, 100), static_cast<uint32_t>(-1));
    EXPECT_EQ(Word(d, 132), 39u);
    // Each method entry is six words: token slot, name, descriptor, procedure, redispatch, apply.
    EXPECT_EQ(Word(d->methods, 6 * 4),
              Address(&resolve_ToolTrayClassData()->InstallCompletedProc + 1));
    EXPECT_EQ(Word(d->methods, 3 * 4),
              Address(reinterpret_cast<const void*>(d->methods[0].procedure)));
}

} // namespace
