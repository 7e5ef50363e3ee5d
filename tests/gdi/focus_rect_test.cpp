// DrawFocusRect beyond the recorded cases: it inverts, so any frame drawn twice leaves no trace,
// and a missing rectangle is refused.
#include "platform/gdi/gdi_recorder.h"
#include "tests/gdi/top_down_dib.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

namespace {

struct Log : gdi::Recorder {
    std::vector<gdi::Call> calls;
    void Record(const gdi::Call& call) override { calls.push_back(call); }
};

TEST(FocusRect, Any_frame_drawn_twice_leaves_the_surface_as_it_was)
{
    uint32_t* pixels = nullptr;
    HBITMAP bitmap = MakeTopDownDib(13, 11, &pixels);
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    std::mt19937 random(20261208);
    for (int i = 0; i < 13 * 11; ++i)
        pixels[i] = random();
    const std::vector<uint32_t> before(pixels, pixels + 13 * 11);
    const int extremes[] = {INT_MIN, INT_MIN + 1, -1000000, 1000000, INT_MAX - 1, INT_MAX};
    auto coordinate = [&]() {
        return random() % 8 == 0 ? extremes[random() % 6] : static_cast<int>(random() % 24) - 6;
    };
    int changed = 0;
    for (int n = 0; n < 2000; ++n) {
        RECT r{coordinate(), coordinate(), coordinate(), coordinate()};
        ASSERT_EQ(DrawFocusRect(dc, &r), 1);
        GdiFlush();
        changed += !std::equal(before.begin(), before.end(), pixels);
        ASSERT_EQ(DrawFocusRect(dc, &r), 1);
        GdiFlush();
        ASSERT_TRUE(std::equal(before.begin(), before.end(), pixels))
            << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
        ASSERT_TRUE(gdi::GuardsIntact());
    }
    EXPECT_GT(changed, 500) << "most frames cross the surface and show";
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST(FocusRect, A_missing_rectangle_is_refused_and_recorded)
{
    // Real USER reads through the pointer and faults; here the call answers 0 instead.
    HDC dc = CreateCompatibleDC(nullptr);
    Log log;
    gdi::SetRecorder(&log);
    EXPECT_EQ(DrawFocusRect(dc, nullptr), 0);
    RECT r{0, 0, 2, 2};
    EXPECT_EQ(DrawFocusRect(dc, &r), 1);
    gdi::SetRecorder(nullptr);
    ASSERT_EQ(log.calls.size(), 2u);
    EXPECT_STREQ(log.calls[0].name, "DrawFocusRect");
    EXPECT_EQ(log.calls[0].args[1].type, gdi::CallArg::Type::kNullRect);
    EXPECT_EQ(log.calls[0].result.integer, 0);
    EXPECT_EQ(log.calls[1].result.integer, 1);
    DeleteDC(dc);
}

} // namespace
