// The document host's arithmetic and files, apart from any window: position codes, docks, drop
// zones, the grip's drag and double-click, the saved layout and the command line.
#include "host/document_options.h"
#include "host/grip_drag.h"
#include "host/layout_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const PixelRect kClient{100, 50, 600, 400};

TEST(PositionCode, Round_trips_every_edge_docked_and_floating_and_refuses_other_codes)
{
    for (DockEdge edge : {DockEdge::Top, DockEdge::Left, DockEdge::Right, DockEdge::Bottom})
        for (bool floating : {false, true}) {
            const Placement p{edge, floating};
            EXPECT_EQ(DecodePos(EncodePos(p)), p);
            EXPECT_EQ(EdgeFromName(EdgeName(edge)), edge);
        }
    EXPECT_EQ(EncodePos({DockEdge::Left, true}), 0x0102);
    for (uint16_t bad : {0x0000, 0x0100, 0x0005, 0x0204, 0x8001, 0xFFFF})
        EXPECT_FALSE(DecodePos(bad)) << bad;
    EXPECT_FALSE(EdgeFromName("middle"));
}

TEST(DockLayout, A_dock_takes_its_depth_from_the_document_side_and_never_more_than_the_client)
{
    const DockSplit top = SplitForDock(kClient, DockEdge::Top, 30);
    EXPECT_EQ(top.dock, (PixelRect{100, 50, 600, 30}));
    EXPECT_EQ(top.document, (PixelRect{100, 80, 600, 370}));
    const DockSplit right = SplitForDock(kClient, DockEdge::Right, 40);
    EXPECT_EQ(right.dock, (PixelRect{660, 50, 40, 400}));
    EXPECT_EQ(right.document, (PixelRect{100, 50, 560, 400}));
    const DockSplit bottom = SplitForDock(kClient, DockEdge::Bottom, 900);
    EXPECT_EQ(bottom.dock, kClient);
    EXPECT_EQ(bottom.document.height, 0);
}

TEST(DockLayout, Drop_zones_lie_along_each_edge_inside_and_out_and_the_nearest_edge_wins)
{
    EXPECT_EQ(DropZone(kClient, 300, 55), DockEdge::Top);
    EXPECT_EQ(DropZone(kClient, 90, 250), DockEdge::Left);    // just outside
    EXPECT_EQ(DropZone(kClient, 699, 250), DockEdge::Right);  // last column inside
    EXPECT_EQ(DropZone(kClient, 300, 449), DockEdge::Bottom); // last row inside
    EXPECT_EQ(DropZone(kClient, 103, 60), DockEdge::Left);    // corner: left is nearer
    EXPECT_FALSE(DropZone(kClient, 400, 250));                // the middle
    EXPECT_FALSE(DropZone(kClient, 100 - kDockReach, 250));   // too far outside
    EXPECT_FALSE(DropZone(kClient, 100 + kDockReach, 250));   // too far inside
}

TEST(DockLayout, Rectangles_come_back_on_screen_and_popups_flip_at_its_edges)
{
    const PixelRect screen{0, 0, 800, 600};
    EXPECT_EQ(KeepOnScreen({-50, 580, 100, 60}, screen), (PixelRect{0, 540, 100, 60}));
    EXPECT_EQ(KeepOnScreen({900, -9, 2000, 30}, screen), (PixelRect{0, 0, 800, 30}));
    EXPECT_EQ(KeepOnScreen({10, 20, 30, 40}, screen), (PixelRect{10, 20, 30, 40}));
    const PixelRect tip = PlaceBesidePointer(100, 100, 50, 16, screen);
    EXPECT_TRUE(tip.x > 100 && tip.y > 100);
    const PixelRect corner = PlaceBesidePointer(790, 595, 50, 16, screen);
    EXPECT_LT(corner.Right(), 790);
    EXPECT_LT(corner.Bottom(), 595);
}

TEST(GripDrag, A_small_move_is_no_drag_and_a_release_then_drops_nothing)
{
    GripDrag grip;
    const PixelRect carrier{300, 200, 120, 60};
    EXPECT_EQ(grip.Press(305, 203, 1000, carrier, 120, 60), GripDrag::PressKind::Start);
    EXPECT_FALSE(grip.Move(305 + kDragThreshold - 1, 203, kClient));
    EXPECT_FALSE(grip.Release(305 + kDragThreshold - 1, 203, kClient));
    EXPECT_FALSE(grip.Holding());
}

TEST(GripDrag, A_drag_keeps_the_grab_offset_and_docks_in_a_zone)
{
    GripDrag grip;
    grip.Press(305, 203, 1000, PixelRect{300, 200, 120, 60}, 120, 60);
    const std::optional<DropTarget> moved = grip.Move(400, 300, kClient);
    ASSERT_TRUE(moved);
    EXPECT_FALSE(moved->dock);
    EXPECT_EQ(moved->floating, (PixelRect{395, 297, 120, 60}));
    const std::optional<DropTarget> drop = grip.Release(105, 250, kClient);
    ASSERT_TRUE(drop);
    EXPECT_EQ(drop->dock, DockEdge::Left);
    EXPECT_FALSE(grip.Holding());
}

TEST(GripDrag, A_docked_palette_floats_with_the_pointer_inside_its_floating_rectangle)
{
    // Grabbed 500 pixels along a top dock, the floating window is only 120 wide; grabbed 25
    // pixels down a row's grip, the floating grip is only 8 deep.
    GripDrag grip;
    grip.Press(600, 55, 0, PixelRect{100, 50, 600, 30}, 120, 60, 8);
    std::optional<DropTarget> drop = grip.Release(400, 300, kClient);
    ASSERT_TRUE(drop);
    EXPECT_EQ(drop->floating, (PixelRect{400 - 119, 300 - 5, 120, 60}));
    grip.Press(103, 75, 0, PixelRect{100, 50, 8, 30}, 120, 60, 8);
    drop = grip.Release(400, 300, kClient);
    ASSERT_TRUE(drop);
    EXPECT_EQ(drop->floating, (PixelRect{400 - 3, 300 - 7, 120, 60}));
}

TEST(GripDrag, Two_presses_close_in_time_and_place_double_click_and_a_third_starts_again)
{
    GripDrag grip;
    const PixelRect carrier{0, 0, 100, 8};
    EXPECT_EQ(grip.Press(10, 4, 0xFFFFFF80u, carrier, 100, 50), GripDrag::PressKind::Start);
    grip.Release(10, 4, kClient);
    // Across the wrap of the millisecond clock.
    EXPECT_EQ(grip.Press(12, 4, 0x00000100u, carrier, 100, 50), GripDrag::PressKind::DoubleClick);
    EXPECT_EQ(grip.Press(12, 4, 0x00000180u, carrier, 100, 50), GripDrag::PressKind::Start);
    grip.Release(12, 4, kClient);
    EXPECT_EQ(grip.Press(12, 4, 0x00000180u + kDoubleClickMs + 1, carrier, 100, 50),
              GripDrag::PressKind::Start);
    // A drag in between spends the first press.
    grip.Move(40, 4, kClient);
    grip.Release(40, 4, kClient);
    EXPECT_EQ(grip.Press(40, 4, 0x00000400u, carrier, 100, 50), GripDrag::PressKind::Start);
}

TEST(LayoutFile, Round_trips_and_skips_comments_blank_lines_and_carriage_returns)
{
    const SavedLayout layout{{"notes", {0x0103, {-20, 40, 120, 68}}},
                             {"plan", {0x0002, {10, 20, 30, 40}}}};
    SavedLayout back;
    std::string error;
    ASSERT_TRUE(ParseLayout(FormatLayout(layout), back, error)) << error;
    EXPECT_EQ(back, layout);
    ASSERT_TRUE(ParseLayout("# saved\r\ntooltray-document-layout 1\r\n\r\nplan 0x0004 1 2 3 4\r\n",
                            back, error))
        << error;
    EXPECT_EQ(back.at("plan"), (SavedPalette{0x0004, {1, 2, 3, 4}}));
}

TEST(LayoutFile, Malformed_text_is_refused_whole_with_its_line)
{
    const std::string header = "tooltray-document-layout 1\n";
    const std::pair<std::string, std::string> cases[] = {
        {"# nothing\n", "empty, expected"},
        {"tooltray-document-layout 2\n", "line 1: expected"},
        {header + "plan 0x0002 1 2 3\n", "line 2: expected 'PART POS X Y W H'"},
        {header + "plan 0x0005 1 2 3 4\n", "line 2: '0x0005' is not a position code"},
        {header + "plan 258 1 2 3 4\n", "is not a position code"},
        {header + "plan 0x0002 1 2 0 4\n", "line 2: the floating rectangle"},
        {header + "plan 0x0002 1 40000 3 4\n", "the floating rectangle"},
        {header + "plan 0x0002 1 2 3 4\nplan 0x0001 1 2 3 4\n", "line 3: part 'plan' given twice"},
    };
    for (const auto& [text, fault] : cases) {
        SavedLayout layout;
        std::string error;
        EXPECT_FALSE(ParseLayout(text, layout, error)) << text;
        EXPECT_NE(error.find(fault), std::string::npos) << error;
        EXPECT_TRUE(layout.empty());
    }
}

class LayoutFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              ("tooltray-layout-" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

TEST_F(LayoutFileOnDisk, Writes_through_a_renamed_temporary_into_a_new_directory_and_reads_back)
{
    const std::string path = (dir / "sub" / "layout").string();
    SavedLayout layout{{"sketch", {0x0001, {5, 6, 7, 8}}}}, back;
    std::string error;
    EXPECT_EQ(ReadLayoutFile(path, back, error), LayoutRead::Missing);
    EXPECT_TRUE(error.empty());
    ASSERT_TRUE(WriteLayoutFile(path, layout, error)) << error;
    layout["sketch"].pos = 0x0104;
    ASSERT_TRUE(WriteLayoutFile(path, layout, error)) << error;
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    ASSERT_EQ(ReadLayoutFile(path, back, error), LayoutRead::Loaded) << error;
    EXPECT_EQ(back, layout);
}

TEST_F(LayoutFileOnDisk, A_directory_in_the_way_is_a_bad_file_and_a_failed_write_says_so)
{
    std::filesystem::create_directories(dir / "layout");
    SavedLayout layout;
    std::string error;
    EXPECT_EQ(ReadLayoutFile((dir / "layout").string(), layout, error), LayoutRead::Bad);
    EXPECT_FALSE(error.empty());
    // The temporary's name is taken by a directory: nothing is written, the target is untouched.
    std::filesystem::create_directories(dir / "x.tmp");
    error.clear();
    EXPECT_FALSE(WriteLayoutFile((dir / "x").string(), {}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "x"));
}

TEST(DocumentOptions, Parses_every_option_and_defaults_the_layout_file_per_user)
{
    const char* argv[] = {"doc",        "--layout-file",  "/tmp/l",
                          "--icons=/i", "--print-layout", "--print-client",
                          "--window",   "800x500"};
    DocumentOptions o;
    std::string error;
    ASSERT_TRUE(ParseDocumentOptions(8, argv, o, error)) << error;
    EXPECT_EQ(o.layoutFile, "/tmp/l");
    EXPECT_EQ(o.iconDir, "/i");
    EXPECT_TRUE(o.printLayout && o.printClient);
    EXPECT_EQ(o.width, 800);
    EXPECT_EQ(o.height, 500);

    const char* bad[][2] = {{"doc", "--window=10x10"}, {"doc", "--layout-file="}, {"doc", "--x"}};
    for (const auto& args : bad) {
        DocumentOptions b;
        error.clear();
        EXPECT_FALSE(ParseDocumentOptions(2, args, b, error)) << args[1];
        EXPECT_FALSE(error.empty());
    }
#ifndef _WIN32
    const char* none[] = {"doc"};
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    DocumentOptions d;
    ASSERT_TRUE(ParseDocumentOptions(1, none, d, error));
    EXPECT_EQ(d.layoutFile, "/cfg/tooltray/document-layout");
    setenv("XDG_CONFIG_HOME", "relative", 1);
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(DefaultLayoutFile(), "/home/u/.config/tooltray/document-layout");
#endif
}

} // namespace
