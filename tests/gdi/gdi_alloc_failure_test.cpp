// Every allocation a GDI call makes, failing in turn under a replaced operator new: the call gives
// its documented failure and changes nothing, or succeeds whole. No exception leaves a call (they
// are noexcept: one that did would end the program).
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_recorder.h"
#include "tests/gdi/top_down_dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <thread>
#include <vector>

namespace {

// Allocations this thread has left before one fails; negative when none is to fail.
thread_local long allocationsLeft = -1;
thread_local bool failureMade = false;

// Arms the k-th allocation from now to fail.
void FailAllocation(long k)
{
    failureMade = false;
    allocationsLeft = k;
}

// Disarms; says whether the armed allocation was reached.
bool Disarm()
{
    allocationsLeft = -1;
    return failureMade;
}

} // namespace

// GCC pairs the std::free below with the library's operator new, not this replacement.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

void* Allocate(std::size_t size)
{
    if (allocationsLeft >= 0 && allocationsLeft-- == 0) {
        failureMade = true;
        return nullptr;
    }
    return std::malloc(size ? size : 1);
}

void* AllocateOrThrow(std::size_t size)
{
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}

} // namespace

// Every form, since a sanitizer runtime may provide the ones left out.
void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

// Runs `attempt(k)` with the k-th allocation failing, for k = 0, 1, ... until an attempt makes
// fewer than k + 1 allocations; returns how many attempts met a failure.
template <typename Attempt>
int ForEachFailingAllocation(Attempt attempt)
{
    int failures = 0;
    for (long k = 0; k < 1000; ++k) {
        FailAllocation(k);
        attempt();
        if (!Disarm())
            return failures;
        ++failures;
    }
    ADD_FAILURE() << "no end to the allocations";
    return failures;
}

TEST(GdiAllocationFailure, CreatingObjectsFailsWholeOrSucceeds)
{
    std::vector<uint32_t> pixels(64 * 64, 0x00abcdefu);
    std::vector<HGDIOBJ> made;
    made.reserve(20000); // the test itself allocates nothing while a failure is armed
    // Each in turn, and enough of them that the table grows a chunk on the way.
    for (int round = 0; round < 1200; ++round) {
        const int failures = ForEachFailingAllocation([&] {
            HDC dc = CreateCompatibleDC(nullptr);
            if (!failureMade) {
                ASSERT_NE(dc, nullptr);
            }
            if (dc)
                made.push_back(dc);

            HBITMAP ddb = CreateBitmap(64, 64, 1, 32, pixels.data());
            if (ddb) {
                BITMAP bm;
                ASSERT_EQ(GetObjectA(ddb, sizeof bm, &bm), static_cast<int>(sizeof bm));
                made.push_back(ddb);
            } else {
                ASSERT_TRUE(failureMade);
            }

            const BITMAPINFO info = TopDownDibInfo(32, 8);
            void* bits = reinterpret_cast<void*>(1);
            HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (dib) {
                ASSERT_NE(bits, nullptr);
                made.push_back(dib);
            } else {
                ASSERT_TRUE(failureMade);
                ASSERT_EQ(bits, nullptr);
            }
        });
        if (round == 0) {
            EXPECT_GT(failures, 0) << "nothing allocated: the test proves nothing";
        }
    }
    for (HGDIOBJ object : made)
        EXPECT_TRUE(DeleteObject(object));
    EXPECT_TRUE(gdi::GuardsIntact());
}

// On a fresh thread each time, so that the stretch's scratch is made anew too.
TEST(GdiAllocationFailure, StretchDrawsWholeOrNotAtAll)
{
    uint32_t* sourceBits = nullptr;
    std::vector<uint32_t> pixels(16 * 16);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint32_t>(i * 0x010203u);
    HBITMAP ddb = CreateBitmap(16, 16, 1, 32, pixels.data());
    HBITMAP dib = MakeTopDownDib(16, 16, &sourceBits);
    std::copy(pixels.begin(), pixels.end(), sourceBits);

    for (HBITMAP source : {ddb, dib}) {
        for (int shape = 0; shape < 3; ++shape) {
            // Enlarged (gathered and kept), shrunk (combined), and within one bitmap.
            const int w = shape == 1 ? 5 : 25;
            // Returns whether the armed allocation was reached.
            auto draw = [&](long k, std::vector<uint32_t>& out, bool& drawn) {
                bool failed = false;
                std::thread([&] {
                    uint32_t* bits = nullptr;
                    HBITMAP target = MakeTopDownDib(40, 40, &bits);
                    HDC dc = CreateCompatibleDC(nullptr);
                    HDC sourceDc = CreateCompatibleDC(nullptr);
                    SelectObject(dc, target);
                    SelectObject(sourceDc, shape == 2 ? target : source);
                    std::fill(bits, bits + 40 * 40, 0xeeeeeeeeu);
                    FailAllocation(k);
                    drawn = StretchBlt(dc, 3, 2, w, w, sourceDc, 0, 0, 16, 16, SRCCOPY);
                    failed = Disarm();
                    out.assign(bits, bits + 40 * 40);
                    DeleteDC(sourceDc);
                    DeleteDC(dc);
                    DeleteObject(target);
                }).join();
                return failed;
            };
            std::vector<uint32_t> expected;
            bool drawn = false;
            draw(-1, expected, drawn);
            ASSERT_TRUE(drawn);
            int failures = 0;
            for (long k = 0; k < 100; ++k) {
                std::vector<uint32_t> out;
                if (!draw(k, out, drawn))
                    break;
                ++failures;
                if (drawn) {
                    EXPECT_EQ(out, expected) << "k " << k;
                } else {
                    EXPECT_TRUE(std::all_of(out.begin(), out.end(),
                                            [](uint32_t p) { return p == 0xeeeeeeeeu; }))
                        << "drew something, yet failed; k " << k;
                }
            }
            EXPECT_GT(failures, 0) << "shape " << shape;
        }
    }
    DeleteObject(ddb);
    DeleteObject(dib);
}

} // namespace
