// UpdateTools issues exactly the drawing calls it is meant to, in order, and leaves the host's
// context as it found it.
#include "host/dib_section_dc.h"
#include "platform/gdi/gdi_recorder.h"
#include "tests/test_support.h"

#include <string>
#include <vector>

namespace {

struct Log : gdi::Recorder {
    std::vector<gdi::Call> calls;
    void Record(const gdi::Call& call) override { calls.push_back(call); }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const gdi::Call& c : calls)
            names.emplace_back(c.name);
        return names;
    }
};

class Rendering : public PaletteTest {
protected:
    void SetUp() override
    {
        PaletteTest::SetUp();
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(16, 16, 1, 32, std::vector<uint32_t>(256, 0x123456).data());
    }
    void TearDown() override
    {
        gdi::SetRecorder(nullptr);
        DeleteObject(bitmap);
        DeleteDC(dc);
        PaletteTest::TearDown();
    }
    // Records the calls of one UpdateTools.
    Log Draw()
    {
        Log log;
        gdi::SetRecorder(&log);
        palette->UpdateTools(dc);
        gdi::SetRecorder(nullptr);
        return log;
    }
    ToolInfo* Add(int32_t id, KxRect bounds, HBITMAP b, uint16_t state)
    {
        return palette->AddToolInfo(id, &bounds, b, state);
    }
    static RECT R(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }
    static bool Same(const RECT& a, const RECT& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
};

TEST_F(Rendering, Pressed_tool_without_bitmap_is_dark_face_and_white_frame)
{
    Add(1, KxRect(Fx(4), Fx(4), Fx(29), Fx(29)), nullptr, 1);
    const Log log = Draw();
    ASSERT_EQ(log.Names(),
              (std::vector<std::string>{"InflateRect", "GetStockObject", "FillRect", "InflateRect",
                                        "GetStockObject", "FrameRect"}));
    const auto& c = log.calls;
    EXPECT_TRUE(Same(c[0].args[0].rect, R(4, 4, 29, 29)));
    EXPECT_EQ(c[0].args[1].integer, -1);
    EXPECT_EQ(c[0].args[2].integer, -1);
    EXPECT_EQ(c[1].args[0].integer, DKGRAY_BRUSH);
    EXPECT_EQ(c[2].args[0].pointer, dc);
    EXPECT_TRUE(Same(c[2].args[1].rect, R(5, 5, 28, 28)));
    EXPECT_EQ(c[2].args[2].pointer, c[1].result.pointer); // the brush just fetched
    EXPECT_TRUE(Same(c[3].args[0].rect, R(5, 5, 28, 28)));
    EXPECT_EQ(c[3].args[1].integer, 1);
    EXPECT_EQ(c[4].args[0].integer, WHITE_BRUSH);
    EXPECT_TRUE(Same(c[5].args[1].rect, R(4, 4, 29, 29)));
    EXPECT_EQ(c[5].args[2].pointer, c[4].result.pointer);
}

TEST_F(Rendering, Other_states_use_grey_face_and_black_frame)
{
    for (uint16_t state : {uint16_t{0}, uint16_t{2}, uint16_t{0xffff}}) {
        ToolInfo* t = Add(1, KxRect(Fx(4), Fx(4), Fx(29), Fx(29)), nullptr, state);
        const Log log = Draw();
        ASSERT_EQ(log.calls.size(), 6u);
        EXPECT_EQ(log.calls[1].args[0].integer, GRAY_BRUSH);
        EXPECT_EQ(log.calls[4].args[0].integer, BLACK_BRUSH);
        palette->RemoveToolInfo(t);
    }
}

TEST_F(Rendering, Bitmap_is_stretched_whole_over_the_tool_in_a_memory_context)
{
    Add(1, KxRect(Fx(4), Fx(4), Fx(29), Fx(29)), bitmap, 0);
    const Log log = Draw();
    ASSERT_EQ(log.Names(), (std::vector<std::string>{
                               "InflateRect", "GetStockObject", "FillRect", "InflateRect",
                               "CreateCompatibleDC", "GetObjectA", "SelectObject", "StretchBlt",
                               "SelectObject", "DeleteDC", "GetStockObject", "FrameRect"}));
    const auto& c = log.calls;
    EXPECT_EQ(c[4].args[0].pointer, dc);
    const void* memory = c[4].result.pointer;
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(c[5].args[0].pointer, bitmap);
    EXPECT_EQ(c[5].args[1].integer, static_cast<long long>(sizeof(BITMAP)));
    EXPECT_EQ(c[6].args[0].pointer, memory);
    EXPECT_EQ(c[6].args[1].pointer, bitmap);
    // StretchBlt(dc, 4, 4, 25, 25, memory, 0, 0, 16, 16, SRCCOPY)
    const long long expected[] = {4, 4, 25, 25};
    EXPECT_EQ(c[7].args[0].pointer, dc);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(c[7].args[1 + i].integer, expected[i]) << i;
    EXPECT_EQ(c[7].args[5].pointer, memory);
    EXPECT_EQ(c[7].args[6].integer, 0);
    EXPECT_EQ(c[7].args[7].integer, 0);
    EXPECT_EQ(c[7].args[8].integer, 16);
    EXPECT_EQ(c[7].args[9].integer, 16);
    EXPECT_EQ(c[7].args[10].integer, static_cast<long long>(SRCCOPY));
    // The previous object goes back, so the bitmap is selected nowhere afterwards.
    EXPECT_EQ(c[8].args[0].pointer, memory);
    EXPECT_EQ(c[8].args[1].pointer, c[6].result.pointer);
    EXPECT_EQ(c[9].args[0].pointer, memory);
}

TEST_F(Rendering, Zero_rectangle_is_still_visited)
{
    Add(1, KxRect(0, 0, 0, 0), bitmap, 0);
    const Log log = Draw();
    ASSERT_EQ(log.calls.size(), 12u);
    EXPECT_TRUE(Same(log.calls[2].args[1].rect, R(1, 1, -1, -1)));
    EXPECT_EQ(log.calls[7].args[3].integer, 0);
    EXPECT_EQ(log.calls[7].args[4].integer, 0);
    EXPECT_TRUE(Same(log.calls[11].args[1].rect, R(0, 0, 0, 0)));
}

TEST_F(Rendering, Tools_are_drawn_newest_first_and_an_empty_palette_draws_nothing)
{
    EXPECT_TRUE(Draw().calls.empty());
    SetPaletteSize(120);
    for (int32_t id = 1; id <= 3; ++id)
        palette->CreateTool(id, static_cast<HBITMAP>(nullptr), uint16_t{0});
    const Log log = Draw();
    ASSERT_EQ(log.calls.size(), 18u);
    // Fills of tools 3, 2, 1: at x = 62, 33, 4, shrunk by one pixel.
    EXPECT_EQ(log.calls[2].args[1].rect.left, 63);
    EXPECT_EQ(log.calls[8].args[1].rect.left, 34);
    EXPECT_EQ(log.calls[14].args[1].rect.left, 5);
}

TEST_F(Rendering, A_handle_that_is_no_bitmap_draws_face_and_frame_and_frees_the_context)
{
    Add(1, KxRect(Fx(4), Fx(4), Fx(29), Fx(29)), reinterpret_cast<HBITMAP>(0x1234), 0);
    const Log log = Draw();
    EXPECT_EQ(log.Names(),
              (std::vector<std::string>{"InflateRect", "GetStockObject", "FillRect", "InflateRect",
                                        "CreateCompatibleDC", "GetObjectA", "DeleteDC",
                                        "GetStockObject", "FrameRect"}));
}

TEST_F(Rendering, The_host_context_keeps_its_stretch_mode_and_selection)
{
    DibSectionDc surface(64, 64);
    ASSERT_TRUE(surface.Ok());
    HBITMAP other = CreateBitmap(64, 64, 1, 32, std::vector<uint32_t>(64 * 64).data());
    HGDIOBJ target = SelectObject(surface.Dc(), other); // the surface's own bitmap
    ASSERT_NE(target, nullptr);
    SelectObject(surface.Dc(), target);
    SetStretchBltMode(surface.Dc(), COLORONCOLOR);
    Add(1, KxRect(Fx(4), Fx(4), Fx(29), Fx(29)), bitmap, 1);
    palette->UpdateTools(surface.Dc());
    EXPECT_EQ(GetStretchBltMode(surface.Dc()), COLORONCOLOR);
    EXPECT_EQ(SelectObject(surface.Dc(), other), target);
    SelectObject(surface.Dc(), target);
    DeleteObject(other);
}

} // namespace
