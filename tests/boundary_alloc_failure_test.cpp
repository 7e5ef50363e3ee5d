// Nothing unwinds through a C interface: with operator new failing at each allocation in turn, the
// class entry points return null and leave nothing half-built, and UpdateTools draws what it can
// and gives back its memory context. This program replaces the global operator new to fail the
// k-th allocation from when it is armed.
// Regression: std::bad_alloc left BuildClass (and so every NewClass entry point) and UpdateTools;
// after the UpdateTools case the memory context was never deleted and the tool's bitmap stayed
// selected in it for good.
#include "tests/test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

namespace {

long g_allocations = 0;
long g_failAt = 0; // 0: none fails
bool g_failed = false;

void Arm(long k)
{
    g_allocations = 0;
    g_failed = false;
    g_failAt = k;
}
void Disarm() { g_failAt = 0; }

} // namespace

void* operator new(std::size_t size)
{
    if (g_failAt && ++g_allocations == g_failAt) {
        g_failed = true;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// GCC takes these for a mismatch, not seeing that they are the replacements of the operator new
// above, which allocates with malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

// Exit statuses of a child process.
constexpr int kSound = 0;
constexpr int kNoFailure = 10; // k lies past the last allocation

void Require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "failed: %s (last build error: %s)\n", what, GetLastBuildError());
        std::_Exit(1);
    }
}

// A class record is either untouched or names the registered class: never half-published.
template <typename Record>
void RequireWhole(const Record* record, const char* name)
{
    SOMClass* found = FindClass(name);
    Require(record->classObject == found, name);
}

// In a fresh process: ToolTrayNewClass with the k-th allocation failing, then again without.
[[noreturn]] void BuildWithFailureAt(long k)
{
    Arm(k);
    SOMClass* cls = ToolTrayNewClass(1, 0);
    Disarm();
    if (!g_failed) {
        Require(cls != nullptr, "a build without failure succeeds");
        std::_Exit(kNoFailure);
    }
    Require(cls == nullptr, "a failed build returns null");
    RequireWhole(resolve_KxObjectClassData(), "KxObject");
    RequireWhole(resolve_KxRefCntObjectClassData(), "KxRefCntObject");
    RequireWhole(resolve_KxExtensionClassData(), "KxExtension");
    RequireWhole(resolve_ToolTrayClassData(), "ToolTray");
    // Nothing left behind blocks a second attempt, and what it builds works.
    cls = ToolTrayNewClass(1, 0);
    Require(cls != nullptr, "the second attempt succeeds");
    Require(resolve_ToolTrayClassData()->classObject == cls, "and fills the class data");
    SOMObject* base = NewObject(FindClass("KxObject"));
    SOMObject* palette = NewObject(cls);
    Require(base && palette, "instances");
    Environment* ev = GetGlobalEnvironment();
    Palette p(palette, ev, resolve_ToolTrayClassData());
    p.InitExtension(base);
    const KxRect r(0, 0, Fx(10), Fx(10));
    ToolInfo* tool = p.AddToolInfo(1, &r, (HBITMAP) nullptr, (uint16_t)0);
    Require(tool != nullptr && p.GetFirstTool() == tool, "a palette of the class works");
    FreeObject(palette);
    FreeObject(base);
    std::_Exit(kSound);
}

TEST(BoundaryAllocFailure, ToolTrayNewClass_fails_cleanly_at_every_allocation_of_a_first_build)
{
    long k = 1;
    for (; k < 100000; ++k) {
        std::fflush(nullptr);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                BuildWithFailureAt(k);
            } catch (...) {
                std::fprintf(stderr, "failed: an exception left ToolTrayNewClass\n");
                std::_Exit(2);
            }
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << "failing allocation " << k << " killed the process";
        if (WEXITSTATUS(status) == kNoFailure)
            break;
        EXPECT_EQ(WEXITSTATUS(status), kSound) << "failing allocation " << k;
    }
    EXPECT_GT(k, 20) << "building the classes allocates";
}

class BoundaryAllocFailureDrawing : public PaletteTest {};

TEST_F(BoundaryAllocFailureDrawing,
       UpdateTools_gives_back_its_memory_context_whichever_allocation_fails)
{
    HDC dc = CreateCompatibleDC(nullptr);
    const std::vector<uint32_t> pixels(64 * 64, 0x336699);
    HBITMAP target = CreateBitmap(64, 64, 1, 32, pixels.data());
    HBITMAP icon = CreateBitmap(16, 16, 1, 32, pixels.data());
    ASSERT_TRUE(dc && target && icon);
    HGDIOBJ original = SelectObject(dc, target);
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(palette->CreateTool(i, icon, (uint16_t)i), nullptr);
    HDC probe = CreateCompatibleDC(nullptr);
    long k = 1;
    for (; k < 10000; ++k) {
        SCOPED_TRACE(testing::Message() << "failing allocation " << k);
        Arm(k);
        palette->UpdateTools(dc);
        Disarm();
        if (!g_failed)
            break;
        // A bitmap selected into a context cannot be selected into another.
        HGDIOBJ before = SelectObject(probe, icon);
        ASSERT_NE(before, nullptr) << "the tool's bitmap is still selected";
        // The GDI layer keeps the last stretch's axis tables per thread, and a failure while it
        // rebuilds them is its own to recover from; a stretch of another geometry makes the next
        // round start from fresh tables, so that each round tests UpdateTools alone.
        StretchBlt(dc, 0, 0, 7, 5, probe, 0, 0, 16, 16, SRCCOPY);
        SelectObject(probe, before);
    }
    EXPECT_GT(k, 1) << "drawing allocates";
    DeleteDC(probe);
    SelectObject(dc, original);
    DeleteObject(icon);
    DeleteObject(target);
    DeleteDC(dc);
}

} // namespace
