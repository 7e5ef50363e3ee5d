// The document host's tooltips over comctl32's control: what the control holds after each call,
// read back through its own messages.
#include "host/tool_tips_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

class ToolTipsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A plain hidden window stands in for the palette's: the tips need only an owner and a
        // window to watch.
        window_ = CreateWindowExA(0, "STATIC", "palette", WS_POPUP, 0, 0, 200, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window_, nullptr) << "no window: under Wine these need an X display "
                                       "(scripts/live-document-test.sh runs them under Xvfb)";
        ASSERT_TRUE(tips_.Create(window_));
    }
    void TearDown() override
    {
        if (window_)
            DestroyWindow(window_);
    }

    LRESULT Count() const { return SendMessageA(tips_.Control(), TTM_GETTOOLCOUNT, 0, 0); }
    // The text of the tool with that id over the window, empty when there is none.
    std::string Text(UINT_PTR id) const
    {
        char text[80] = "";
        TOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = window_;
        info.uId = id;
        info.lpszText = text;
        SendMessageA(tips_.Control(), TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&info));
        return text;
    }

    HWND window_ = nullptr;
    PaletteToolTips tips_;
};

TEST_F(ToolTipsTest, One_tool_per_palette_tool_with_its_name_after_half_a_second)
{
    EXPECT_EQ(SendMessageA(tips_.Control(), TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    tips_.SetTools(window_, {{RECT{0, 0, 25, 25}, "Pencil"}, {RECT{25, 0, 50, 25}, "Eraser"}});
    ASSERT_EQ(Count(), 2);
    EXPECT_EQ(Text(0), "Pencil");
    EXPECT_EQ(Text(1), "Eraser");
    // The control found them by their rectangles: a point in the second is its tool.
    TTHITTESTINFOA hit{};
    hit.hwnd = window_;
    hit.pt = POINT{30, 10};
    hit.ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ASSERT_TRUE(SendMessageA(tips_.Control(), TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hit)));
    EXPECT_EQ(hit.ti.uId, 1u);
}

TEST_F(ToolTipsTest, New_tools_replace_the_old_and_Clear_leaves_none)
{
    // Guards against tips of a hidden palette lingering over the window that shows another.
    tips_.SetTools(
        window_,
        {{RECT{0, 0, 25, 25}, "A"}, {RECT{25, 0, 50, 25}, "B"}, {RECT{50, 0, 75, 25}, "C"}});
    tips_.SetTools(window_, {{RECT{0, 0, 30, 30}, "Column"}});
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(Text(0), "Column");
    tips_.Clear();
    EXPECT_EQ(Count(), 0);
}

TEST_F(ToolTipsTest, The_popup_is_titled_for_scripts)
{
    char title[40] = "";
    // WM_GETTEXT answers the tip's text; the window's own title is what DefWindowProc keeps.
    DefWindowProcA(tips_.Control(), WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title));
    EXPECT_STREQ(title, "ToolTray tooltip");
}

} // namespace
