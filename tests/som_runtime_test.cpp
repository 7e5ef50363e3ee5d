// The object runtime: building classes, resolving methods, instance data, rejecting bad
// descriptions whole.
#include "tests/class_declaration_access.h"
#include "tests/test_support.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace {

// A three-level hierarchy: Shape introduces Area and Name; Square overrides Area and adds Side;
// Tile overrides Area again and chains to its parent's.
struct ShapeData {
    int32_t a;
    int32_t b;
};
struct SquareData {
    int64_t side;
};
struct TileData {
    char tag;
};

somClassDataStructure* ShapeClassData()
{
    static somMToken cells[3];
    return reinterpret_cast<somClassDataStructure*>(cells);
}
somCClassDataStructure g_shapeAux, g_squareAux, g_tileAux;
struct {
    SOMClass* cls;
    somMToken Side;
} g_squareData;
struct {
    SOMClass* cls;
} g_tileData;

using AreaProc = int32_t (*)(SOMObject*, Environment*);
int32_t ShapeArea(SOMObject*, Environment*) { return 1; }
int32_t ShapeName(SOMObject*, Environment*) { return 100; }
int32_t SquareArea(SOMObject*, Environment*) { return 20; }
int32_t SquareSide(SOMObject* self, Environment*)
{
    return static_cast<int32_t>(
        static_cast<SquareData*>(g_squareAux.instanceDataToken(self))->side);
}
int32_t TileArea(SOMObject* self, Environment* ev)
{
    auto parent = reinterpret_cast<AreaProc>(
        ResolveParentMethod(g_tileAux.parentMethodTables, 1, ShapeClassData()->tokens[0]));
    return 300 + parent(self, ev);
}
int g_squareInits = 0, g_squareUninits = 0;
void SquareInit(SOMObject* self)
{
    ++g_squareInits;
    static_cast<SquareData*>(g_squareAux.instanceDataToken(self))->side = 7;
}
void SquareUninit(SOMObject*) { ++g_squareUninits; }

struct Hierarchy {
    SOMClass* shape;
    SOMClass* square;
    SOMClass* tile;
};

const Hierarchy& Shapes()
{
    static ClassDeclaration shape(
        "Shape", "SOMObject", sizeof(ShapeData), ShapeClassData(), &g_shapeAux,
        {{"Area", somProc(&ShapeArea), 8}, {"Name", somProc(&ShapeName), 8}});
    static ClassDeclaration square("Square", "Shape", sizeof(SquareData), &g_squareData,
                                   &g_squareAux, {{"Side", somProc(&SquareSide), 8}},
                                   {{"Shape::Area", somProc(&SquareArea)},
                                    {"SOMObject::somInit", somProc(&SquareInit)},
                                    {"SOMObject::somUninit", somProc(&SquareUninit)}});
    static ClassDeclaration tile("Tile", "Square", sizeof(TileData), &g_tileData, &g_tileAux, {},
                                 {{"::Shape::Area", somProc(&TileArea)}});
    static const Hierarchy h{BuildClass(1, shape.Description(), 1, 0),
                             BuildClass(1, square.Description(), 1, 0),
                             BuildClass(1, tile.Description(), 0, 0)};
    return h;
}

int32_t CallArea(SOMObject* o)
{
    return somCall<AreaProc>(o, ShapeClassData()->tokens[0], GetGlobalEnvironment());
}

TEST(Runtime, BuildClass_fills_class_data_with_class_object_and_tokens)
{
    const Hierarchy& h = Shapes();
    ASSERT_NE(h.shape, nullptr) << GetLastBuildError();
    ASSERT_NE(h.square, nullptr) << GetLastBuildError();
    ASSERT_NE(h.tile, nullptr) << GetLastBuildError();
    EXPECT_EQ(ShapeClassData()->classObject, h.shape);
    EXPECT_NE(ShapeClassData()->tokens[0], nullptr);
    EXPECT_NE(ShapeClassData()->tokens[1], nullptr);
    EXPECT_NE(ShapeClassData()->tokens[0], ShapeClassData()->tokens[1]);
    EXPECT_STREQ(MethodName(ShapeClassData()->tokens[1]), "Shape::Name");
    EXPECT_EQ(g_squareData.cls, h.square);
    EXPECT_EQ(ParentOf(h.tile), h.square);
    EXPECT_EQ(FindClass("Square"), h.square);
    EXPECT_STREQ(ClassName(h.tile), "Tile");
    EXPECT_NE(g_shapeAux.instanceDataToken, g_squareAux.instanceDataToken);
}

TEST(Runtime, Building_an_existing_class_returns_it_and_leaves_its_data_alone)
{
    const Hierarchy& h = Shapes();
    const somMToken before = ShapeClassData()->tokens[0];
    EXPECT_EQ(BuildClass(1, DescriptionOf(h.shape), 1, 0), h.shape);
    EXPECT_EQ(ShapeClassData()->tokens[0], before);
    EXPECT_STREQ(GetLastBuildError(), "");
}

// Regression: the class of the name was handed back for any description, whose class data then
// stayed unfilled.
TEST(Runtime, Another_description_under_a_taken_name_is_refused_naming_the_class)
{
    const Hierarchy& h = Shapes();
    const somMToken before = ShapeClassData()->tokens[0];
    struct {
        SOMClass* cls;
    } data{};
    somCClassDataStructure aux{};
    ClassDeclaration other("Shape", "SOMObject", 0, &data, &aux, {});
    EXPECT_EQ(BuildClass(1, other.Description(), 0, 0), nullptr);
    EXPECT_NE(std::string(GetLastBuildError()).find("\"Shape\""), std::string::npos)
        << GetLastBuildError();
    EXPECT_EQ(data.cls, nullptr);
    EXPECT_EQ(aux.instanceDataToken, nullptr);
    EXPECT_EQ(FindClass("Shape"), h.shape);
    EXPECT_EQ(ShapeClassData()->tokens[0], before);
}

TEST(Runtime, ResolveMethod_finds_the_override_of_the_actual_class)
{
    const Hierarchy& h = Shapes();
    SOMObject* shape = NewObject(h.shape);
    SOMObject* square = NewObject(h.square);
    SOMObject* tile = NewObject(h.tile);
    EXPECT_EQ(CallArea(shape), 1);
    EXPECT_EQ(CallArea(square), 20);
    // Tile's parent call resolves from Square's table, not the receiver's, so it ends.
    EXPECT_EQ(CallArea(tile), 320);
    // An inherited method that nobody overrides is the introducer's.
    EXPECT_EQ(ResolveMethod(tile, ShapeClassData()->tokens[1]), somProc(&ShapeName));
    FreeObject(tile);
    FreeObject(square);
    FreeObject(shape);
}

TEST(Runtime, ResolveMethod_refuses_null_and_foreign_tokens_without_crashing)
{
    const Hierarchy& h = Shapes();
    SOMObject* shape = NewObject(h.shape);
    Environment* ev = GetGlobalEnvironment();
    ExceptionFree(ev);
    EXPECT_EQ(ResolveMethod(shape, g_squareData.Side), nullptr); // Shape has no Side
    EXPECT_EQ(ev->major, SOM_SYSTEM_EXCEPTION);
    EXPECT_STREQ(ev->exceptionId, "ResolveMethod");
    EXPECT_EQ(ResolveMethod(nullptr, ShapeClassData()->tokens[0]), nullptr);
    EXPECT_EQ(ResolveMethod(shape, nullptr), nullptr);
    EXPECT_EQ(ResolveParentMethod(g_squareAux.parentMethodTables, 2, ShapeClassData()->tokens[0]),
              nullptr);
    EXPECT_EQ(ResolveParentMethod(g_squareAux.parentMethodTables, 0, ShapeClassData()->tokens[0]),
              nullptr);
    EXPECT_EQ(ResolveParentMethod(nullptr, 1, ShapeClassData()->tokens[0]), nullptr);
    FreeObject(shape);
}

TEST(Runtime, Instance_data_of_each_class_is_separate_and_at_a_fixed_offset)
{
    const Hierarchy& h = Shapes();
    SOMObject* a = NewObject(h.tile);
    SOMObject* b = NewObject(h.tile);
    auto* shapeA = static_cast<char*>(g_shapeAux.instanceDataToken(a));
    auto* squareA = static_cast<char*>(g_squareAux.instanceDataToken(a));
    auto* tileA = static_cast<char*>(g_tileAux.instanceDataToken(a));
    EXPECT_GE(shapeA, reinterpret_cast<char*>(a) + sizeof(SOMObject));
    EXPECT_GE(squareA, shapeA + sizeof(ShapeData));
    EXPECT_GE(tileA, squareA + sizeof(SquareData));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(squareA) % alignof(int64_t), 0u);
    EXPECT_EQ(static_cast<char*>(g_squareAux.instanceDataToken(b)) - reinterpret_cast<char*>(b),
              squareA - reinterpret_cast<char*>(a));
    // somInit of Square ran through resolution and wrote its own data.
    EXPECT_EQ(somCall<AreaProc>(a, g_squareData.Side, GetGlobalEnvironment()), 7);
    FreeObject(b);
    FreeObject(a);
}

// ---- Instance alignment ---------------------------------------------------------------------------
// Regression: instanceAlignment was accepted but instances started wherever SOMMalloc put them, so
// data asking for 32, 64 or 256 bytes was misaligned (UBSan: misaligned member access).

// An allocator that gives only what malloc promises (16 bytes with 64-bit pointers, 8 on 32-bit
// Windows): every block starts that far past a 256-byte boundary. The block's own address is kept
// in the word before what it hands out.
void* SOMLINK OffsetMalloc(size_t size)
{
    constexpr uintptr_t kMallocPromise = 2 * sizeof(void*);
    char* raw = static_cast<char*>(std::malloc(size + 544));
    if (!raw)
        return nullptr;
    const uintptr_t at =
        (reinterpret_cast<uintptr_t>(raw) + 256 + 255) / 256 * 256 + kMallocPromise;
    char* block = reinterpret_cast<char*>(at);
    std::memcpy(block - sizeof raw, &raw, sizeof raw);
    return block;
}

void SOMLINK OffsetFree(void* block)
{
    char* raw;
    std::memcpy(&raw, static_cast<char*>(block) - sizeof raw, sizeof raw);
    std::free(raw);
}

template <size_t N>
struct alignas(N) AlignedData {
    double value;
    int32_t count;
};

template <size_t N>
void ExpectAlignedInstances()
{
    SCOPED_TRACE(testing::Message() << "alignment " << N);
    static struct {
        SOMClass* cls;
    } data{}, childData{};
    static somCClassDataStructure aux{}, childAux{};
    const std::string name = "Aligned" + std::to_string(N);
    static ClassDeclaration declaration(name.c_str(), "SOMObject", sizeof(AlignedData<N>), &data,
                                        &aux, {});
    MutableDescription(declaration)->instanceAlignment = static_cast<int32_t>(N);
    SOMClass* cls = BuildClass(1, declaration.Description(), 0, 0);
    ASSERT_NE(cls, nullptr) << GetLastBuildError();
    // A descendant asking for no alignment of its own still places its parent's data aligned.
    static ClassDeclaration child((name + "Child").c_str(), name.c_str(), 1, &childData, &childAux,
                                  {});
    SOMClass* childClass = BuildClass(1, child.Description(), 0, 0);
    ASSERT_NE(childClass, nullptr) << GetLastBuildError();

    SetAllocator(&OffsetMalloc, &OffsetFree);
    for (SOMClass* c : {cls, childClass, cls}) {
        SOMObject* o = NewObject(c);
        ASSERT_NE(o, nullptr);
        auto* d = static_cast<AlignedData<N>*>(aux.instanceDataToken(o));
        EXPECT_EQ(reinterpret_cast<uintptr_t>(d) % N, 0u);
        EXPECT_EQ(d->count, 0) << "zero-filled";
        d->value = 2.5;
        d->count = 3;
        EXPECT_EQ(ClassOf(o), c);
        FreeObject(o);
    }
    SetAllocator(nullptr, nullptr);
}

TEST(Runtime, Instances_start_at_the_alignment_their_classes_ask_for)
{
    ExpectAlignedInstances<32>();
    ExpectAlignedInstances<64>();
    ExpectAlignedInstances<256>();
}

// Regression: data was placed on pointer boundaries only, so on 32-bit Windows (4-byte pointers,
// 8-byte int64_t and double) a class's int64_t landed 4 bytes off. A parent with a pointer and a
// byte of data put the child's data one pointer past a multiple of two pointers under that rule
// (x86_64's long double needs two); both ask for alignment 1, as ToolTray does.
template <typename T>
void ExpectFundamentalTypeAligned(const char* typeName)
{
    SCOPED_TRACE(typeName);
    static struct {
        SOMClass* cls;
    } byteData{}, valueData{};
    static somCClassDataStructure byteAux{}, valueAux{};
    const std::string name = std::string("Holds_") + typeName;
    static ClassDeclaration byte((name + "_parent").c_str(), "SOMObject", sizeof(void*) + 1,
                                 &byteData, &byteAux, {});
    static ClassDeclaration value(name.c_str(), (name + "_parent").c_str(), sizeof(T), &valueData,
                                  &valueAux, {});
    ASSERT_NE(BuildClass(1, byte.Description(), 0, 0), nullptr) << GetLastBuildError();
    SOMClass* cls = BuildClass(1, value.Description(), 0, 0);
    ASSERT_NE(cls, nullptr) << GetLastBuildError();
    SetAllocator(&OffsetMalloc, &OffsetFree);
    SOMObject* o = NewObject(cls);
    ASSERT_NE(o, nullptr);
    void* data = valueAux.instanceDataToken(o);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(data) % alignof(T), 0u);
    *static_cast<T*>(data) = T{}; // UBSan reports a misaligned store
    FreeObject(o);
    SetAllocator(nullptr, nullptr);
}

TEST(Runtime, Instance_data_is_aligned_for_every_fundamental_type_whatever_the_class_asks_for)
{
    ExpectFundamentalTypeAligned<int64_t>("int64_t");
    ExpectFundamentalTypeAligned<double>("double");
    ExpectFundamentalTypeAligned<long double>("long_double");
    ExpectFundamentalTypeAligned<void*>("pointer");
    ExpectFundamentalTypeAligned<wchar_t>("wchar_t");
}

TEST(Runtime, NewObject_and_FreeObject_run_somInit_and_somUninit)
{
    const Hierarchy& h = Shapes();
    const int inits = g_squareInits, uninits = g_squareUninits;
    SOMObject* o = NewObject(h.square);
    EXPECT_EQ(g_squareInits, inits + 1);
    EXPECT_EQ(ClassOf(o), h.square);
    EXPECT_TRUE(IsInstanceOf(o, h.shape));
    EXPECT_FALSE(IsInstanceOf(o, h.tile));
    FreeObject(o);
    EXPECT_EQ(g_squareUninits, uninits + 1);
    FreeObject(nullptr);
    EXPECT_EQ(NewObject(nullptr), nullptr);
}

TEST(Runtime, NewObject_reports_memory_shortage_as_null)
{
    const Hierarchy& h = Shapes();
    AllocationWatch watch;
    watch.FailAllocation(1);
    EXPECT_EQ(NewObject(h.shape), nullptr);
    EXPECT_TRUE(watch.FailureHappened());
}

TEST(Runtime, Version_checks_follow_major_and_minor)
{
    const Hierarchy& h = Shapes();
    const ClassDescription* again = DescriptionOf(h.shape);
    EXPECT_EQ(BuildClass(1, again, 0, 0), h.shape);
    EXPECT_EQ(BuildClass(1, again, 2, 0), nullptr);
    EXPECT_NE(std::string(GetLastBuildError()).find("Shape: majorVersion"), std::string::npos);
    EXPECT_EQ(BuildClass(1, again, 1, 1), nullptr);
    EXPECT_NE(std::string(GetLastBuildError()).find("Shape: minorVersion"), std::string::npos);
}

// ---- Bad descriptions ---------------------------------------------------------------------------

somTD_SOMObject_somInit g_nothing = [](SOMObject*) {};

struct BadCase {
    const char* what;
    std::function<void(ClassDeclaration&)> spoil;
    const char* field; // must appear in the message
};

class BadDescription : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadDescription, is_refused_whole_with_a_message_naming_class_and_field)
{
    Shapes();
    static int serial = 0;
    const std::string name = "Broken" + std::to_string(++serial);
    struct {
        SOMClass* cls;
        somMToken t[2];
    } classData{};
    somCClassDataStructure aux{};
    ClassDeclaration declaration(
        name.c_str(), "Shape", 4, &classData, &aux,
        {{"First", somProc(g_nothing), 8}, {"Second", somProc(g_nothing), 8}},
        {{"Shape::Area", somProc(g_nothing)}});
    GetParam().spoil(declaration);
    Environment* ev = GetGlobalEnvironment();
    ExceptionFree(ev);

    EXPECT_EQ(BuildClass(1, declaration.Description(), 0, 0), nullptr);
    const std::string message = GetLastBuildError();
    EXPECT_NE(message.find(name), std::string::npos) << message;
    EXPECT_NE(message.find(GetParam().field), std::string::npos) << message;
    EXPECT_EQ(ev->major, SOM_SYSTEM_EXCEPTION);
    EXPECT_STREQ(ev->exceptionId, "BuildClass");
    EXPECT_EQ(message, ev->exceptionParam);
    // Nothing half-registered: no class by that name, no class data written.
    EXPECT_EQ(FindClass(name.c_str()), nullptr);
    EXPECT_EQ(classData.cls, nullptr);
    EXPECT_EQ(classData.t[0], nullptr);
    EXPECT_EQ(aux.instanceDataToken, nullptr);
}

const char* const kNullName = nullptr;
const char* const kUnknown = "NoSuchClass";
const NameId kUnknownParent[1] = {&kUnknown};
const char* const kBogusOverride = "Shape::Volume";
const NameId kBogusOverrideId = &kBogusOverride;
const char* const kWrongDescriptor = "::Other::First";
const NameId kWrongDescriptorId = &kWrongDescriptor;

INSTANTIATE_TEST_SUITE_P(
    Runtime, BadDescription,
    ::testing::Values(
        BadCase{"unknown parent",
                [](ClassDeclaration& s) { MutableDescription(s)->parentNames = kUnknownParent; },
                "parentNames[0]"},
        BadCase{"null parent",
                [](ClassDeclaration& s) { MutableDescription(s)->parentNames = nullptr; },
                "parentNames[0]"},
        BadCase{"two parents", [](ClassDeclaration& s) { MutableDescription(s)->numParents = 2; },
                "numParents"},
        BadCase{"token count",
                [](ClassDeclaration& s) { MutableDescription(s)->numMethodTokens = 3; },
                "numMethodTokens"},
        BadCase{"max methods", [](ClassDeclaration& s) { MutableDescription(s)->maxMethods = 1; },
                "maxMethods"},
        BadCase{"negative count",
                [](ClassDeclaration& s) { MutableDescription(s)->numOverrides = -1; },
                "numOverrides"},
        BadCase{"further tables",
                [](ClassDeclaration& s) { MutableDescription(s)->numFurtherTables[2] = 1; },
                "numFurtherTables[2]"},
        BadCase{"layout level", [](ClassDeclaration& s) { MutableDescription(s)->layoutLevel = 3; },
                "layoutLevel"},
        BadCase{"method table",
                [](ClassDeclaration& s) { MutableDescription(s)->methods = nullptr; }, "methods"},
        BadCase{"class data",
                [](ClassDeclaration& s) { MutableDescription(s)->classData = nullptr; },
                "classData"},
        BadCase{"alignment",
                [](ClassDeclaration& s) { MutableDescription(s)->instanceAlignment = 3; },
                "instanceAlignment"},
        BadCase{"instance size",
                [](ClassDeclaration& s) { MutableDescription(s)->instanceDataSize = -8; },
                "instanceDataSize"},
        BadCase{"duplicate method",
                [](ClassDeclaration& s) {
                    MutableMethods(s)[1].name = MutableMethods(s)[0].name;
                    MutableMethods(s)[1].descriptor = MutableMethods(s)[0].descriptor;
                },
                "methods[1] (First).name"},
        BadCase{"descriptor",
                [](ClassDeclaration& s) { MutableMethods(s)[0].descriptor = &kWrongDescriptorId; },
                "methods[0] (First).descriptor"},
        BadCase{"null method name",
                [](ClassDeclaration& s) { MutableMethods(s)[1].name = nullptr; },
                "methods[1].name"},
        BadCase{"null procedure",
                [](ClassDeclaration& s) { MutableMethods(s)[0].procedure = nullptr; },
                "methods[0] (First).procedure"},
        BadCase{"token slot",
                [](ClassDeclaration& s) {
                    MutableMethods(s)[1].tokenSlot = MutableMethods(s)[0].tokenSlot;
                },
                "methods[1] (Second).tokenSlot"},
        BadCase{"override of nothing",
                [](ClassDeclaration& s) {
                    const_cast<OverrideEntry*>(s.Description()->overrides)[0].name =
                        &kBogusOverrideId;
                },
                "overrides[0].name"}),
    [](const ::testing::TestParamInfo<BadCase>& info) {
        std::string n = info.param.what;
        for (char& c : n)
            if (c == ' ')
                c = '_';
        return n;
    });

TEST(Runtime, BuildClass_refuses_null_description_and_null_name)
{
    EXPECT_EQ(BuildClass(1, nullptr, 0, 0), nullptr);
    EXPECT_NE(std::string(GetLastBuildError()).find("null"), std::string::npos);
    struct {
        SOMClass* cls;
    } data{};
    somCClassDataStructure aux{};
    ClassDeclaration declaration("Nameless", "SOMObject", 0, &data, &aux, {});
    MutableDescription(declaration)->className = &kNullName;
    EXPECT_EQ(BuildClass(1, declaration.Description(), 0, 0), nullptr);
    EXPECT_NE(std::string(GetLastBuildError()).find("className"), std::string::npos);
    EXPECT_EQ(data.cls, nullptr);
}

TEST(Runtime, Allocator_hooks_see_every_block_and_can_be_restored)
{
    AllocationWatch watch;
    void* p = SOMMalloc(24);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(watch.Live(), 1);
    SOMFree(p);
    SOMFree(nullptr);
    EXPECT_EQ(watch.Live(), 0);
    EXPECT_EQ(watch.Frees(), 1);
    // Exactly the k-th request fails; the ones after it are served again.
    watch.FailAllocation(2);
    void* first = SOMMalloc(8);
    void* second = SOMMalloc(8);
    void* third = SOMMalloc(8);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_NE(third, nullptr);
    EXPECT_EQ(watch.Live(), 2);
    SOMFree(first);
    SOMFree(third);
}

} // namespace
