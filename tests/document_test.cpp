// The document host driven without a window system: a 600x400 client area at (100, 50) on an
// 800x600 screen, the three sample parts, pointer events in screen pixels.
#include "host/column_tray.h"
#include "host/document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using Lines = std::vector<std::string>;
const PixelRect kScreen{0, 0, 800, 600};
const PixelRect kClient{100, 50, 600, 400};
constexpr int kSketch = 0, kPlan = 1, kNotes = 2;

class DocumentTest : public ::testing::Test {
protected:
    void Make(const SavedLayout& layout = {}, std::string file = {})
    {
        std::string error;
        doc = DocumentHost::Create(SampleParts({}, {}), std::move(file), true, error);
        ASSERT_TRUE(doc) << error;
        doc->Restore(layout);
        first = doc->Place(kScreen, kClient).lines;
    }
    struct Point {
        int x, y;
    };
    static Point Centre(const PixelRect& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }
    Surface SurfaceOf(int part) const
    {
        return doc->Geometry(part).placement.floating ? Surface::Floating : Surface::Document;
    }
    Point ToolCentre(int part, int32_t id) const
    {
        const RECT r = HostPalette::Bounds(doc->PaletteOf(part).FindTool(id));
        const PixelRect p = doc->Geometry(part).palette;
        return {p.x + static_cast<int>(r.left + r.right) / 2,
                p.y + static_cast<int>(r.top + r.bottom) / 2};
    }
    Lines Click(Surface s, Point p, uint32_t time = 0)
    {
        Lines lines = doc->Press(s, p.x, p.y, time).lines;
        const Lines more = doc->Release(s, p.x, p.y).lines;
        lines.insert(lines.end(), more.begin(), more.end());
        return lines;
    }
    Lines Drag(int part, Point to)
    {
        const Point from = Centre(doc->Geometry(part).grip);
        const Surface s = SurfaceOf(part);
        doc->Press(s, from.x, from.y, 10000);
        doc->Move(s, (from.x + to.x) / 2, (from.y + to.y) / 2, true);
        return doc->Release(s, to.x, to.y).lines;
    }
    bool IsColumnClass(int part) const
    {
        return ClassOf(reinterpret_cast<const SOMObject*>(doc->PaletteOf(part).Tray().Object())) ==
               ColumnToolTrayNewClass();
    }

    std::unique_ptr<DocumentHost> doc;
    Lines first;
};

TEST_F(DocumentTest, Default_layout_shows_only_the_active_part_and_activating_swaps_the_palette)
{
    Make();
    EXPECT_EQ(first, (Lines{"palette sketch docked top 108 50 592 " +
                            std::to_string(doc->Geometry(kSketch).palette.height)}));
    EXPECT_EQ(doc->PaletteOf(kSketch).Tray().GetPos(), 0x0001);
    EXPECT_EQ(doc->PaletteOf(kPlan).Tray().GetPos(), 0x0002);
    EXPECT_EQ(doc->PaletteOf(kNotes).Tray().GetPos(), 0x0103);
    // The top dock takes its room from the document.
    EXPECT_EQ(doc->DocumentArea().y, doc->Geometry(kSketch).carrier.Bottom());

    const Lines lines = Click(Surface::Document, Centre(doc->PartRect(kNotes)));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "activate notes");
    EXPECT_EQ(lines[1], "palette sketch hidden");
    EXPECT_EQ(lines[2].rfind("palette notes floating ", 0), 0u) << lines[2];
    EXPECT_EQ(doc->DocumentArea(), kClient);
    for (int part : {kSketch, kPlan, kNotes})
        EXPECT_EQ(doc->Geometry(part).shown, part == kNotes);
}

TEST_F(DocumentTest, Tools_become_current_stamp_where_clicked_and_toggles_change_the_setting)
{
    Make();
    EXPECT_EQ(doc->CurrentTool(kSketch), 1);
    EXPECT_EQ(Click(Surface::Document, ToolCentre(kSketch, 3)), (Lines{"tool sketch 3"}));
    EXPECT_EQ(Click(Surface::Document, ToolCentre(kSketch, 3)), Lines{}); // already current
    const HostPalette& palette = doc->PaletteOf(kSketch);
    EXPECT_EQ(palette.Tray().GetToolState(palette.FindTool(1)), 0);
    EXPECT_EQ(palette.Tray().GetToolState(palette.FindTool(3)), 1);

    const PixelRect part = doc->PartRect(kSketch);
    EXPECT_EQ(Click(Surface::Document, {part.x + 30, part.y + 40}),
              (Lines{"stamp sketch 3 30 40"}));
    ASSERT_EQ(doc->Stamps(kSketch).size(), 1u);

    EXPECT_EQ(Click(Surface::Document, ToolCentre(kSketch, 5)), (Lines{"toggle sketch 5 on"}));
    EXPECT_TRUE(doc->SettingOn(kSketch, 5));
    EXPECT_EQ(Click(Surface::Document, ToolCentre(kSketch, 5)), (Lines{"toggle sketch 5 off"}));
    EXPECT_EQ(doc->CurrentTool(kSketch), 3);
}

TEST_F(DocumentTest, A_floating_palette_dropped_at_the_left_edge_docks_as_columns_and_floats_back)
{
    Make();
    HWND documentWindow = reinterpret_cast<HWND>(uintptr_t{0x11});
    HWND notesWindow = reinterpret_cast<HWND>(uintptr_t{0x22});
    doc->SetDocumentWindow(documentWindow);
    doc->SetFloatingWindow(kNotes, notesWindow);
    Click(Surface::Document, Centre(doc->PartRect(kNotes)));
    EXPECT_EQ(doc->PaletteOf(kNotes).Tray().GetToolSpaceWnd(), notesWindow);
    Click(Surface::Floating, ToolCentre(kNotes, 4)); // a toggle on, to survive the rebuild
    const PixelRect before = doc->Geometry(kNotes).carrier;
    ASSERT_FALSE(IsColumnClass(kNotes));

    const Lines docked = Drag(kNotes, {kClient.x + 5, 250});
    ASSERT_EQ(docked.size(), 2u);
    EXPECT_EQ(docked[0], "dock notes left");
    EXPECT_EQ(docked[1].rfind("palette notes docked left 100 58 ", 0), 0u) << docked[1];
    EXPECT_TRUE(IsColumnClass(kNotes));
    EXPECT_EQ(doc->PaletteOf(kNotes).Tray().GetPos(), 0x0002);
    EXPECT_TRUE(doc->SettingOn(kNotes, 4));
    EXPECT_EQ(doc->PaletteOf(kNotes).Tray().GetToolSpaceWnd(), documentWindow);
    // The column runs down the client, as wide as its tools, and the way back is kept.
    const PaletteGeometry g = doc->Geometry(kNotes);
    EXPECT_EQ(g.palette.height, kClient.height - kGripSize);
    EXPECT_EQ(g.palette.width, doc->PaletteOf(kNotes).ToolsExtent().width);
    EXPECT_EQ(doc->Saved().at("notes").floatRect, before);
    EXPECT_EQ(doc->DocumentArea().x, kClient.x + g.carrier.width);

    // Dragged out, it floats where it was dropped, in its own rows again.
    const Lines floated = Drag(kNotes, {400, 300});
    ASSERT_EQ(floated.size(), 2u);
    EXPECT_EQ(floated[0], "float notes");
    EXPECT_TRUE(doc->Geometry(kNotes).grip.Contains(400, 300));
    EXPECT_FALSE(IsColumnClass(kNotes));
    EXPECT_EQ(doc->PaletteOf(kNotes).Tray().GetPos(), 0x0102);
    EXPECT_EQ(doc->PaletteOf(kNotes).Tray().GetToolSpaceWnd(), notesWindow);

    // Double-click: back to the left edge, and again to the same floating rectangle.
    const PixelRect floating = doc->Geometry(kNotes).carrier;
    const Point grip = Centre(doc->Geometry(kNotes).grip);
    Click(Surface::Floating, grip, 20000);
    EXPECT_EQ(Click(Surface::Floating, grip, 20200).front(), "dock notes left");
    const Point dockGrip = Centre(doc->Geometry(kNotes).grip);
    Click(Surface::Document, dockGrip, 30000);
    EXPECT_EQ(Click(Surface::Document, dockGrip, 30100).front(), "float notes");
    EXPECT_EQ(doc->Geometry(kNotes).carrier, floating);
}

TEST_F(DocumentTest, While_dragged_a_floating_window_follows_and_the_dock_is_previewed)
{
    Make();
    Click(Surface::Document, Centre(doc->PartRect(kNotes)));
    const PixelRect start = doc->Geometry(kNotes).carrier;
    const Point grip = Centre(doc->Geometry(kNotes).grip);
    doc->Press(Surface::Floating, grip.x, grip.y, 0);
    EXPECT_TRUE(doc->Move(Surface::Floating, grip.x - 50, grip.y + 20, true).placement);
    EXPECT_EQ(doc->Geometry(kNotes).carrier.x, start.x - 50);
    EXPECT_FALSE(doc->DragPreview());
    doc->Move(Surface::Floating, kClient.x + 300, kClient.Bottom() - 3, true);
    const std::optional<PixelRect> preview = doc->DragPreview();
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->Bottom(), kClient.Bottom());
    // Escape mid-drag: the window goes back, nothing is docked.
    EXPECT_TRUE(doc->Key(PaletteKey::Escape).close);
    EXPECT_EQ(doc->Geometry(kNotes).carrier, start);
    EXPECT_FALSE(doc->DragPreview());
    EXPECT_TRUE(doc->Geometry(kNotes).placement.floating);

    // Over the left edge the preview is the column dock the drop makes, not the rows' width.
    doc->Press(Surface::Floating, grip.x, grip.y, 5000);
    doc->Move(Surface::Floating, kClient.x + 3, 250, true);
    const std::optional<PixelRect> left = doc->DragPreview();
    doc->Release(Surface::Floating, kClient.x + 3, 250);
    ASSERT_TRUE(left);
    EXPECT_EQ(*left, doc->Geometry(kNotes).carrier);
}

TEST_F(DocumentTest, A_saved_layout_is_restored_and_off_screen_rectangles_come_back)
{
    Make({{"sketch", {0x0104, {2000, 700, 130, 60}}}, {"ghost", {0x0001, {0, 0, 1, 1}}}});
    EXPECT_EQ(doc->Geometry(kSketch).carrier, (PixelRect{670, 540, 130, 60}));
    EXPECT_EQ(first, (Lines{"palette sketch floating 670 548 130 52"}));
    EXPECT_EQ(doc->Saved().at("sketch").pos, 0x0104);
    EXPECT_EQ(doc->Saved().count("ghost"), 0u);
}

TEST_F(DocumentTest, Every_move_saves_the_layout_and_the_tooltip_names_the_tool)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "tooltray-document-test-layout";
    std::filesystem::remove(file);
    Make({}, file.string());
    EXPECT_FALSE(std::filesystem::exists(file)); // nothing changed yet
    Drag(kSketch, {kClient.x + 300, kClient.Bottom() - 2});
    SavedLayout saved;
    std::string error;
    ASSERT_EQ(ReadLayoutFile(file.string(), saved, error), LayoutRead::Loaded) << error;
    EXPECT_EQ(saved.at("sketch").pos, 0x0004);
    // Regression: a row dragged out by its grip halfway down floated with the pointer below its
    // floating grip.
    Drag(kSketch, {400, 300});
    EXPECT_TRUE(doc->Geometry(kSketch).grip.Contains(400, 300));
    ASSERT_EQ(ReadLayoutFile(file.string(), saved, error), LayoutRead::Loaded) << error;
    EXPECT_EQ(saved.at("sketch").pos, 0x0104);
    Drag(kSketch, {kClient.x + 300, kClient.y + 3});
    std::filesystem::remove(file);

    const Point tool = ToolCentre(kSketch, 2);
    const std::optional<Tooltip> tip = doc->TooltipAt(Surface::Document, tool.x, tool.y);
    ASSERT_TRUE(tip);
    EXPECT_EQ(tip->text, "Square");
    EXPECT_TRUE(tip->tool.Contains(tool.x, tool.y));
    EXPECT_FALSE(doc->TooltipAt(Surface::Floating, tool.x, tool.y));
    doc->Press(Surface::Document, tool.x, tool.y, 0);
    EXPECT_FALSE(doc->TooltipAt(Surface::Document, tool.x, tool.y)); // not while pressed
}

} // namespace
