#include "tests/test_support.h"

#include <cstdlib>
#include <list>
#include <ostream>

std::ostream& operator<<(std::ostream& os, const PixelRect& r)
{
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

PixelRect Pixels(const KxRect& r)
{
    return {FixedToPixels(r.left), FixedToPixels(r.top), FixedToPixels(r.right),
            FixedToPixels(r.bottom)};
}

SOMClass* ToolTrayClass()
{
    static SOMClass* const cls = ToolTrayNewClass(1, 0);
    return cls;
}

SOMClass* ToolSpaceClass()
{
    static SOMClass* const cls = KxToolSpaceObjNewClass(1, 0);
    return cls;
}

void PaletteTest::SetUp()
{
    ev = GetGlobalEnvironment();
    ExceptionFree(ev);
    ASSERT_NE(ToolTrayClass(), nullptr) << GetLastBuildError();
    ASSERT_NE(ToolSpaceClass(), nullptr) << GetLastBuildError();
    stage = std::make_unique<ToolSpacePalette>(nullptr, ev);
    base = stage->Base();
    space = stage->Space();
    object = stage->Tray().Object();
    palette = std::make_unique<Palette>(object, ev, resolve_ToolTrayClassData());
}

void PaletteTest::TearDown()
{
    palette.reset();
    for (SOMObject* o : extra)
        FreeObject(o);
    stage.reset();
}

ToolTray* PaletteTest::NewPalette(SOMClass* cls)
{
    ToolTray* p = NewObject(cls ? cls : ToolTrayClass());
    somCall<somTD_KxExtension_InitExtension>(p, resolve_KxExtensionClassData()->InitExtension, ev,
                                             base);
    if (object)
        extra.push_back(p);
    return p;
}

void PaletteTest::SetPaletteSize(int32_t widthPixels, int32_t heightPixels)
{
    const KxRect size(0, 0, Fx(widthPixels), Fx(heightPixels));
    palette->SetSize(&size);
}

std::vector<int32_t> ToolIds(const Palette& palette)
{
    std::vector<int32_t> ids;
    for (ToolInfo* t = palette.GetFirstTool(); t; t = palette.GetNextTool(t))
        ids.push_back(palette.GetToolID(t));
    return ids;
}

namespace {

std::atomic<int64_t> g_attempts{0};    // every request, refused ones included
std::atomic<int64_t> g_allocations{0}; // blocks handed out
std::atomic<int64_t> g_frees{0};
std::atomic<int64_t> g_failAt{0};
std::atomic<bool> g_failed{false};

void* SOMLINK WatchedMalloc(size_t size)
{
    if (++g_attempts == g_failAt.load()) {
        g_failed = true;
        return nullptr;
    }
    ++g_allocations;
    return std::malloc(size ? size : 1);
}

void SOMLINK WatchedFree(void* block)
{
    ++g_frees;
    std::free(block);
}

} // namespace

AllocationWatch::AllocationWatch()
{
    g_attempts = 0;
    g_allocations = 0;
    g_frees = 0;
    g_failAt = 0;
    g_failed = false;
    SetAllocator(&WatchedMalloc, &WatchedFree);
}

AllocationWatch::~AllocationWatch() { SetAllocator(nullptr, nullptr); }

void AllocationWatch::FailAllocation(int64_t k) { g_failAt = k ? g_attempts.load() + k : 0; }
int64_t AllocationWatch::Allocations() const { return g_allocations; }
int64_t AllocationWatch::Frees() const { return g_frees; }
bool AllocationWatch::FailureHappened() const { return g_failed; }

SOMClass* BuildToolTraySubclass(const char* name, std::vector<ClassDeclaration::Override> overrides)
{
    ToolTrayClass();
    // Declarations and class data live as long as the classes they describe: the whole process.
    struct Storage {
        somClassDataStructure classData{};
        somCClassDataStructure cClassData{};
        std::unique_ptr<ClassDeclaration> declaration;
    };
    static std::list<Storage> storage;
    Storage& s = storage.emplace_back();
    s.declaration =
        std::make_unique<ClassDeclaration>(name, "ToolTray", 0, &s.classData, &s.cClassData,
                                           std::vector<ClassDeclaration::Method>{}, overrides);
    return BuildClass(SOM_INHERIT_FIRST_PARENT, s.declaration->Description(), 0, 0);
}
