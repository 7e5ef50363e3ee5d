// Handle safety beyond what the probe shows, and the call recorder.
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_recorder.h"
#include "tests/gdi/top_down_dib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

TEST(GdiHandles, StaleHandleStaysDeadWhenItsSlotIsReused)
{
    HBRUSH old = CreateSolidBrush(RGB(1, 1, 1));
    ASSERT_TRUE(DeleteObject(old));
    // Allocate until some new brush lands in the freed slot, then the old handle still fails.
    std::vector<HBRUSH> fresh;
    for (int i = 0; i < 4; ++i)
        fresh.push_back(CreateSolidBrush(RGB(2, 2, 2)));
    for (HBRUSH b : fresh)
        EXPECT_NE(b, old);
    LOGBRUSH lb;
    EXPECT_EQ(GetObjectA(old, sizeof lb, &lb), 0);
    EXPECT_FALSE(DeleteObject(old));
    for (HBRUSH b : fresh)
        EXPECT_EQ(GetObjectA(b, sizeof lb, &lb), static_cast<int>(sizeof lb));
    for (HBRUSH b : fresh)
        EXPECT_TRUE(DeleteObject(b));
}

TEST(GdiHandles, WrongKindOfHandleIsRefusedByEveryCall)
{
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    HBITMAP bitmap = MakeTopDownDib(2, 2);
    HDC dc = CreateCompatibleDC(nullptr);
    HDC asDc[] = {reinterpret_cast<HDC>(brush), reinterpret_cast<HDC>(bitmap), nullptr,
                  reinterpret_cast<HDC>(static_cast<uintptr_t>(0xdeadbeefcafeULL)),
                  reinterpret_cast<HDC>(static_cast<uintptr_t>(1))};
    RECT rect = {0, 0, 1, 1};
    for (HDC bad : asDc) {
        if (bad) { // null means "the screen" and is fine
            EXPECT_EQ(CreateCompatibleDC(bad), nullptr) << bad;
        }
        EXPECT_FALSE(DeleteDC(bad));
        EXPECT_EQ(SelectObject(bad, bitmap), nullptr);
        EXPECT_EQ(GetStretchBltMode(bad), 0);
        EXPECT_EQ(SetStretchBltMode(bad, COLORONCOLOR), 0);
        EXPECT_EQ(GetPixel(bad, 0, 0), CLR_INVALID);
        EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, bad, 0, 0, SRCCOPY));
        EXPECT_FALSE(StretchBlt(bad, 0, 0, 1, 1, dc, 0, 0, 1, 1, SRCCOPY));
        EXPECT_EQ(FrameRect(bad, &rect, brush), 0);
    }
    // The bitmap and brush are untouched by all that.
    BITMAP bm;
    EXPECT_EQ(GetObjectA(bitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(SelectObject(dc, bitmap) != nullptr, true);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(brush));
}

// Regression: every value names some slot now, so those that name none a handle could have (null,
// index bits 0, an index in a part of the table not made yet) must still be refused.
TEST(GdiHandles, ValuesNamingNoHandedOutSlotAreRefused)
{
    HBITMAP bitmap = MakeTopDownDib(2, 2);
    HDC dc = CreateCompatibleDC(nullptr);
    // A handle holds its slot's index + 1 in its low 20 bits (16 with 32-bit pointers).
    const uintptr_t indexBits = sizeof(void*) == 8 ? 0xfffff : 0xffff;
    const uintptr_t values[] = {0, reinterpret_cast<uintptr_t>(bitmap) & ~indexBits,
                                reinterpret_cast<uintptr_t>(dc) & ~indexBits,
                                (reinterpret_cast<uintptr_t>(bitmap) & ~indexBits) |
                                    (indexBits - 1)};
    BITMAP bm;
    for (uintptr_t value : values) {
        HGDIOBJ object = reinterpret_cast<HGDIOBJ>(value);
        HDC asDc = reinterpret_cast<HDC>(value);
        EXPECT_EQ(GetObjectA(object, sizeof bm, &bm), 0) << value;
        EXPECT_FALSE(DeleteObject(object)) << value;
        EXPECT_EQ(SelectObject(dc, object), nullptr) << value;
        EXPECT_FALSE(DeleteDC(asDc)) << value;
        EXPECT_EQ(SelectObject(asDc, bitmap), nullptr) << value;
    }
    EXPECT_NE(SelectObject(dc, bitmap), nullptr);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(GdiHandles, StockObjectsSurviveDeletionAndKeepPainting)
{
    HGDIOBJ black = GetStockObject(BLACK_BRUSH);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(DeleteObject(black));
    uint32_t* bits = nullptr;
    HBITMAP bitmap = MakeTopDownDib(1, 1, &bits);
    bits[0] = 0x00ffffffu;
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    RECT rect = {0, 0, 1, 1};
    EXPECT_EQ(FillRect(dc, &rect, static_cast<HBRUSH>(black)), 1);
    EXPECT_EQ(bits[0], 0u);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST(GdiHandles, BitmapDeletedWhileSelectedGoesWithItsDc)
{
    uint32_t* bits = nullptr;
    HBITMAP bitmap = MakeTopDownDib(2, 1, &bits);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    // Still drawable through the DC until it lets go.
    HBRUSH brush = CreateSolidBrush(RGB(0x10, 0x20, 0x30));
    RECT rect = {0, 0, 2, 1};
    FillRect(dc, &rect, brush);
    EXPECT_EQ(bits[1], 0x00102030u);
    EXPECT_TRUE(DeleteDC(dc));
    BITMAP bm;
    EXPECT_EQ(GetObjectA(bitmap, sizeof bm, &bm), 0);
    DeleteObject(brush);
}

// A DC deleted as CreateCompatibleDC made it is kept for the next one; whatever was changed in a
// deleted DC must not reach a later one, and a deleted DC's handle stays dead.
TEST(GdiHandles, ADcMadeAfterOneIsDeletedStartsAsNew)
{
    const std::vector<uint32_t> pixels(4, 0x00123456u);
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, pixels.data());
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const RECT dot = {0, 0, 1, 1};
    // Nothing changed, then the stretch mode, a brush and a bitmap left selected.
    for (int change = 0; change < 4; ++change) {
        HDC dc = CreateCompatibleDC(nullptr);
        if (change == 1)
            SetStretchBltMode(dc, HALFTONE);
        if (change == 2)
            SelectObject(dc, brush);
        if (change == 3)
            SelectObject(dc, bitmap);
        ASSERT_TRUE(DeleteDC(dc));
        EXPECT_FALSE(DeleteDC(dc)) << change;
        HDC next = CreateCompatibleDC(nullptr);
        EXPECT_NE(next, dc) << change;
        EXPECT_EQ(GetStretchBltMode(next), BLACKONWHITE) << change;
        // The default bitmap, painted with the DC's own brush (a null one is not selected): white.
        EXPECT_EQ(GetPixel(next, 0, 0), RGB(0, 0, 0)) << change;
        FillRect(next, &dot, nullptr);
        EXPECT_EQ(GetPixel(next, 0, 0), RGB(255, 255, 255)) << change;
        FillRect(next, &dot, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        // The bitmap was let go of: it selects into the new DC.
        HGDIOBJ previous = SelectObject(next, bitmap);
        EXPECT_NE(previous, nullptr) << change;
        SelectObject(next, previous);
        EXPECT_TRUE(DeleteDC(next));
    }
    DeleteObject(brush);
    DeleteObject(bitmap);
}

struct Log : gdi::Recorder {
    std::vector<gdi::Call> calls;
    void Record(const gdi::Call& call) override { calls.push_back(call); }
};

class GdiRecorder : public testing::Test {
protected:
    void SetUp() override { previous_ = gdi::SetRecorder(&log_); }
    void TearDown() override { gdi::SetRecorder(previous_); }
    Log log_;
    gdi::Recorder* previous_ = nullptr;
};

TEST_F(GdiRecorder, RecordsEachCallWithArgumentsAsTheyWereAndItsResult)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    RECT rect = {1, 2, 3, 4};
    InflateRect(&rect, 1, 1);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
    DeleteDC(dc);

    ASSERT_EQ(log_.calls.size(), 6u);
    const char* names[] = {"CreateCompatibleDC", "CreateSolidBrush", "InflateRect",
                           "FillRect",           "DeleteObject",     "DeleteDC"};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_STREQ(log_.calls[i].name, names[i]);
    EXPECT_EQ(log_.calls[0].result, gdi::CallArg::OfPointer(dc));
    EXPECT_EQ(log_.calls[1].args[0], gdi::CallArg::Of(RGB(1, 2, 3)));
    // InflateRect is recorded with the rectangle it was given, FillRect with the inflated one.
    const RECT before = {1, 2, 3, 4}, after = {0, 1, 4, 5};
    EXPECT_EQ(log_.calls[2].args[0], gdi::CallArg::OfRect(&before));
    EXPECT_EQ(log_.calls[3].args[1], gdi::CallArg::OfRect(&after));
    EXPECT_EQ(log_.calls[3].args[2], gdi::CallArg::OfPointer(brush));
    EXPECT_EQ(log_.calls[3].argCount, 3);
    EXPECT_EQ(log_.calls[4].result, gdi::CallArg::Of(1));
    EXPECT_EQ(log_.calls[5].result, gdi::CallArg::Of(1));
}

TEST_F(GdiRecorder, FailedCallsAndStretchArgumentsAreRecordedToo)
{
    StretchBlt(nullptr, 1, 2, 3, 4, nullptr, 5, 6, -7, 8, SRCCOPY);
    FillRect(nullptr, nullptr, nullptr);
    ASSERT_EQ(log_.calls.size(), 2u);
    EXPECT_EQ(log_.calls[0].Text(),
              "StretchBlt(null, 1, 2, 3, 4, null, 5, 6, -7, 8, 13369376) -> 0");
    EXPECT_EQ(log_.calls[1].Text(), "FillRect(null, null, null) -> 1");
}

TEST_F(GdiRecorder, InternalSelectionsAreNotCallsAndRemovingTheRecorderStopsIt)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(0);
    RECT rect = {0, 0, 1, 1};
    log_.calls.clear();
    FrameRect(dc, &rect, brush);
    ASSERT_EQ(log_.calls.size(), 1u);
    EXPECT_STREQ(log_.calls[0].name, "FrameRect");
    EXPECT_EQ(gdi::SetRecorder(nullptr), &log_);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
    DeleteDC(dc);
    EXPECT_EQ(log_.calls.size(), 1u);
}

} // namespace

// Fills the table to the last slot in a fresh process, where no stock object has been asked for
// yet: the stock objects must still be there (a null write once crashed here).
TEST(GdiHandlesDeathTest, StockObjectsNeedNoRoomInAFullTable)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            while (CreateSolidBrush(RGB(1, 2, 3))) {
            }
            HGDIOBJ black = GetStockObject(BLACK_BRUSH);
            LOGBRUSH lb = {};
            const bool described = GetObjectA(black, sizeof lb, &lb) == sizeof lb;
            // No room for a DC either: that is refused, not a crash.
            const bool refused = CreateCompatibleDC(nullptr) == nullptr;
            std::exit(black && described && lb.lbColor == RGB(0, 0, 0) && refused ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
