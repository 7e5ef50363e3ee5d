// The live hosts' input rules, driven without any window system: a palette of twelve 25-pixel
// tools in rows of four (120 pixels wide), or in columns of four with the column layout.
#include "host/column_tray.h"
#include "host/palette_input.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Lines = std::vector<std::string>;

class PaletteInputTest : public ::testing::Test {
protected:
    void Make(std::set<int32_t> toggles = {}, bool columns = false)
    {
        PaletteSetup setup;
        setup.width = setup.height = 120;
        if (columns)
            setup.paletteClass = ColumnToolTrayNewClass();
        std::string error;
        host = HostPalette::Create(setup, error);
        ASSERT_TRUE(host) << error;
        input = std::make_unique<PaletteInput>(*host, std::move(toggles));
    }
    // The centre of tool id, from where the class put it.
    struct Point {
        int x, y;
    };
    Point Centre(int32_t id) const
    {
        const RECT r = HostPalette::Bounds(host->FindTool(id));
        return Point{static_cast<int>(r.left + r.right) / 2,
                     static_cast<int>(r.top + r.bottom) / 2};
    }
    InputEffect PressOn(int32_t id) { return input->Press(Centre(id).x, Centre(id).y); }
    InputEffect ReleaseOn(int32_t id) { return input->Release(Centre(id).x, Centre(id).y); }
    uint16_t State(int32_t id) const { return host->Tray().GetToolState(host->FindTool(id)); }
    int32_t HotId() const { return input->Hot() ? host->Tray().GetToolID(input->Hot()) : 0; }
    int32_t HotAfter(std::initializer_list<PaletteKey> keys)
    {
        for (PaletteKey k : keys)
            input->Key(k);
        return HotId();
    }
    static bool SameRect(const RECT& a, const RECT& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }

    std::unique_ptr<HostPalette> host;
    std::unique_ptr<PaletteInput> input;
};

TEST_F(PaletteInputTest, Press_shows_the_tool_pressed_and_release_over_it_clicks)
{
    Make();
    InputEffect down = PressOn(6);
    EXPECT_EQ(State(6), 1);
    ASSERT_EQ(down.dirty.size(), 1u);
    EXPECT_TRUE(SameRect(down.dirty[0], HostPalette::Bounds(host->FindTool(6))));
    EXPECT_TRUE(down.lines.empty());
    InputEffect up = ReleaseOn(6);
    EXPECT_EQ(State(6), 0);
    EXPECT_EQ(up.lines, Lines{"click 6"});
    EXPECT_FALSE(up.dirty.empty());
}

TEST_F(PaletteInputTest, Dragging_off_cancels_and_dragging_back_presses_again)
{
    Make();
    PressOn(2);
    InputEffect off = input->Move(Centre(3).x, Centre(3).y, true);
    EXPECT_EQ(State(2), 0);
    EXPECT_EQ(State(3), 0) << "only the tool the button went down on reacts";
    EXPECT_EQ(off.dirty.size(), 1u);
    EXPECT_TRUE(input->Move(Centre(3).x + 1, Centre(3).y, true).dirty.empty()) << "nothing changed";
    EXPECT_TRUE(ReleaseOn(3).lines.empty());

    PressOn(2);
    input->Move(0, 0, true);
    input->Move(Centre(2).x, Centre(2).y, true);
    EXPECT_EQ(State(2), 1);
    EXPECT_EQ(ReleaseOn(2).lines, Lines{"click 2"});

    PressOn(2);
    input->Leave(true);
    EXPECT_EQ(State(2), 0) << "leaving with the button held is dragging off";
    input->Move(Centre(2).x, Centre(2).y, true);
    EXPECT_EQ(ReleaseOn(2).lines, Lines{"click 2"});
}

TEST_F(PaletteInputTest, Press_off_every_tool_or_release_without_press_says_nothing)
{
    Make();
    EXPECT_TRUE(input->Press(1, 1).dirty.empty());
    InputEffect up = ReleaseOn(5);
    EXPECT_TRUE(up.lines.empty());
    EXPECT_TRUE(input->Move(Centre(5).x, Centre(5).y, true).dirty.empty());
    EXPECT_EQ(State(5), 0);
}

TEST_F(PaletteInputTest, Toggle_tools_stay_pressed_until_the_next_click)
{
    Make({3, 7});
    PressOn(3);
    EXPECT_EQ(ReleaseOn(3).lines, Lines{"toggle 3 on"});
    EXPECT_EQ(State(3), 1);
    // Regression: cancelling a press on a tool that is on must leave it on.
    PressOn(3);
    input->Move(0, 0, true);
    EXPECT_EQ(State(3), 1);
    EXPECT_TRUE(input->Release(0, 0).lines.empty());
    EXPECT_EQ(State(3), 1);
    PressOn(3);
    EXPECT_EQ(ReleaseOn(3).lines, Lines{"toggle 3 off"});
    EXPECT_EQ(State(3), 0);
    PressOn(4);
    EXPECT_EQ(ReleaseOn(4).lines, Lines{"click 4"}) << "only the listed tools toggle";
}

// Regression: a press whose button-up never came (the window lost capture or the focus, or the
// release happened outside it) left its tool pressed, and the next release anywhere clicked it.
TEST_F(PaletteInputTest, Cancel_or_the_button_seen_up_ends_the_held_press_clicking_nothing)
{
    const std::pair<const char*, std::function<InputEffect()>> ends[] = {
        {"cancel", [&] { return input->Cancel(); }},
        {"move with no button", [&] { return input->Move(Centre(5).x, Centre(5).y, false); }},
        {"leave with no button", [&] { return input->Leave(false); }},
    };
    for (const auto& [how, end] : ends) {
        SCOPED_TRACE(how);
        Make({3});
        PressOn(3);
        ReleaseOn(3); // toggled on
        PressOn(5);
        ASSERT_EQ(State(5), 1);
        InputEffect ended = end();
        EXPECT_EQ(State(5), 0);
        EXPECT_EQ(ended.dirty.size(), 1u);
        EXPECT_TRUE(ended.lines.empty());
        EXPECT_TRUE(ReleaseOn(5).lines.empty());
        EXPECT_TRUE(end().dirty.empty()) << "nothing is held any more";
        PressOn(3);
        end();
        EXPECT_EQ(State(3), 1) << "a toggle that was on stays on";
    }
}

// Regression: with another window focused, SDL lost the release of a press dragged off the
// window; moving back with no button showed the tool pressed, and the next click (on tool 7) was
// spent ending that press.
TEST_F(PaletteInputTest, A_release_lost_outside_does_not_swallow_the_next_click)
{
    Make();
    PressOn(6);
    input->Move(500, 500, true); // released out here, and the release never arrives
    input->Move(Centre(6).x, Centre(6).y, false);
    EXPECT_EQ(State(6), 0);
    PressOn(7);
    EXPECT_EQ(ReleaseOn(7).lines, Lines{"click 7"});
    PressOn(8);
    EXPECT_EQ(ReleaseOn(8).lines, Lines{"click 8"});
}

TEST_F(PaletteInputTest, A_press_while_one_is_held_cancels_that_one_and_counts_itself)
{
    Make();
    PressOn(6);
    input->Move(500, 500, true); // a lost release, then at once a double click on tool 7
    PressOn(7);
    EXPECT_EQ(State(6), 0);
    EXPECT_EQ(State(7), 1);
    EXPECT_EQ(ReleaseOn(7).lines, Lines{"click 7"});
    PressOn(7);
    PressOn(7); // the same tool again: still one press
    EXPECT_EQ(ReleaseOn(7).lines, Lines{"click 7"});
    EXPECT_EQ(State(7), 0);
}

TEST_F(PaletteInputTest, Arrow_keys_walk_rows_and_columns_of_the_layout)
{
    Make();
    EXPECT_EQ(HotId(), 0);
    EXPECT_EQ(HotAfter({PaletteKey::Down}), 1) << "the first arrow picks the first tool";
    EXPECT_EQ(HotAfter({PaletteKey::Right, PaletteKey::Right}), 3);
    EXPECT_EQ(HotAfter({PaletteKey::Down}), 7);
    EXPECT_EQ(HotAfter({PaletteKey::Right, PaletteKey::Right}), 9) << "on into the next row";
    EXPECT_EQ(HotAfter({PaletteKey::Left}), 8) << "and back";
    EXPECT_EQ(HotAfter({PaletteKey::Down, PaletteKey::Down}), 12) << "the last row holds it";
    EXPECT_EQ(HotAfter({PaletteKey::Up, PaletteKey::Up, PaletteKey::Up}), 4);
    EXPECT_EQ(HotAfter({PaletteKey::Right}), 5);
    EXPECT_EQ(HotAfter({PaletteKey::Left, PaletteKey::Left, PaletteKey::Left, PaletteKey::Left,
                        PaletteKey::Left}),
              1)
        << "the first tool holds it";
}

TEST_F(PaletteInputTest, Arrow_keys_follow_the_column_layout)
{
    Make({}, true); // columns of four: 1-4, 5-8, 9-12
    EXPECT_EQ(HotAfter({PaletteKey::Down, PaletteKey::Down}), 2);
    EXPECT_EQ(HotAfter({PaletteKey::Right}), 6);
    EXPECT_EQ(HotAfter({PaletteKey::Right}), 10);
    EXPECT_EQ(HotAfter({PaletteKey::Right}), 11) << "past the last column, reading order";
}

TEST_F(PaletteInputTest, Moving_the_hot_tool_redraws_the_old_and_the_new_one)
{
    Make();
    input->Key(PaletteKey::Right);
    InputEffect move = input->Key(PaletteKey::Right);
    ASSERT_EQ(move.dirty.size(), 2u);
    EXPECT_TRUE(SameRect(move.dirty[0], HostPalette::Bounds(host->FindTool(1))));
    EXPECT_TRUE(SameRect(move.dirty[1], HostPalette::Bounds(host->FindTool(2))));
    EXPECT_TRUE(input->Key(PaletteKey::Up).dirty.empty()) << "nowhere to go, nothing to draw";
}

TEST_F(PaletteInputTest, Space_or_Enter_clicks_the_hot_tool_and_Escape_asks_to_close)
{
    Make({2});
    EXPECT_TRUE(input->Key(PaletteKey::Activate).lines.empty()) << "no hot tool yet";
    input->Key(PaletteKey::Right);
    EXPECT_EQ(input->Key(PaletteKey::Activate).lines, Lines{"click 1"});
    input->Key(PaletteKey::Right);
    EXPECT_EQ(input->Key(PaletteKey::Activate).lines, Lines{"toggle 2 on"});
    EXPECT_EQ(State(2), 1);
    EXPECT_FALSE(input->Key(PaletteKey::Right).close);
    EXPECT_TRUE(input->Key(PaletteKey::Escape).close);
}

TEST(PaletteInput, Focus_rectangle_lies_inside_the_tool_frame)
{
    PaletteSetup setup;
    setup.tools = 1;
    std::string error;
    auto host = HostPalette::Create(setup, error);
    ASSERT_TRUE(host) << error;
    const RECT tool = HostPalette::Bounds(host->Tools()[0]);
    const RECT focus = PaletteInput::FocusRect(host->Tools()[0]);
    EXPECT_GT(focus.left, tool.left + 1);
    EXPECT_GT(focus.top, tool.top + 1);
    EXPECT_LT(focus.right, tool.right - 1);
    EXPECT_LT(focus.bottom, tool.bottom - 1);
}

} // namespace
