// The hosts' shared palette set-up: what it learns from the class, icon scaling, and the column
// layout subclass the hosts build at run time.
#include "host/column_tray.h"
#include "host/host_palette.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

std::vector<PixelRect> ToolRects(const HostPalette& host)
{
    std::vector<PixelRect> rects;
    for (const ToolInfo* tool : host.Tools())
        rects.push_back(Pixels(tool->bounds));
    return rects;
}

std::unique_ptr<HostPalette> MakeHost(PaletteSetup setup)
{
    std::string error;
    std::unique_ptr<HostPalette> host = HostPalette::Create(setup, error);
    EXPECT_TRUE(host) << error;
    return host;
}

// Places every tool in one slot at (10, 7), away from where ToolTray puts its first tool.
void SOMLINK OffsetSlot(ToolTray*, Environment*, KxRect* bounds)
{
    bounds->Set(Fx(10), Fx(7), Fx(35), Fx(32));
}

TEST(HostPalette, Tools_extent_takes_its_margin_from_the_class_first_slot)
{
    // Regression: the demo once added a fixed 4 pixels of its own after the last tool.
    PaletteSetup setup;
    setup.tools = 3;
    setup.paletteClass = BuildToolTraySubclass(
        "OffsetSlotTray", {{"ToolTray::GetNextToolBounds", somProc(&OffsetSlot)}});
    ASSERT_NE(setup.paletteClass, nullptr) << GetLastBuildError();
    auto host = MakeHost(setup);
    ASSERT_TRUE(host);
    const PixelSize extent = host->ToolsExtent();
    EXPECT_EQ(extent.width, 35 + 10);
    EXPECT_EQ(extent.height, 32 + 7);
}

TEST(HostPalette, Scale_multiplies_the_palette_the_tools_and_the_icons)
{
    PaletteSetup setup;
    setup.tools = 2;
    setup.width = 60;
    setup.scale = 3;
    auto host = MakeHost(setup);
    ASSERT_TRUE(host);
    EXPECT_EQ(host->Size().width, 180);
    const PixelRect first = Pixels(host->Tools()[0]->bounds);
    EXPECT_EQ(first.right - first.left, 75);
    EXPECT_EQ(first.bottom - first.top, 75);
    BITMAP info{};
    ASSERT_NE(GetObjectA(host->Tools()[1]->bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 48);
    EXPECT_EQ(info.bmHeight, 48);
}

TEST(HostPalette, ScaleImage_repeats_each_pixel_in_a_square)
{
    Image image;
    image.width = 2;
    image.height = 1;
    image.pixels = {0x112233, 0x445566};
    const Image big = ScaleImage(image, 2);
    ASSERT_EQ(big.width, 4);
    ASSERT_EQ(big.height, 2);
    EXPECT_EQ(big.pixels, (std::vector<uint32_t>{0x112233, 0x112233, 0x445566, 0x445566, 0x112233,
                                                 0x112233, 0x445566, 0x445566}));
}

TEST(HostPalette, FindTool_answers_the_oldest_tool_with_the_id_or_null)
{
    PaletteSetup setup;
    setup.tools = 4;
    auto host = MakeHost(setup);
    ASSERT_TRUE(host);
    EXPECT_EQ(host->FindTool(3), host->Tools()[2]);
    EXPECT_EQ(host->FindTool(5), nullptr);
}

TEST(ColumnToolTray, Stacks_tools_downward_and_starts_a_column_at_the_bottom_edge)
{
    PaletteSetup setup;
    setup.tools = 5;
    setup.width = 200;
    setup.height = 100; // room below a tool ends at 96: three 25-pixel tools per column
    setup.paletteClass = ColumnToolTrayNewClass();
    ASSERT_NE(setup.paletteClass, nullptr) << GetLastBuildError();
    auto host = MakeHost(setup);
    ASSERT_TRUE(host);
    EXPECT_EQ(
        ToolRects(*host),
        (std::vector<PixelRect>{
            {4, 4, 29, 29}, {4, 33, 29, 58}, {4, 62, 29, 87}, {33, 4, 58, 29}, {33, 33, 58, 58}}));
    // A tool that ends exactly at the margin still fits the column.
    host->Resize(200, 91 + 4);
    EXPECT_EQ(ToolRects(*host)[2], (PixelRect{4, 62, 29, 87}));
    host->Resize(200, 90);
    EXPECT_EQ(ToolRects(*host)[2], (PixelRect{33, 4, 58, 29}));
}

TEST(ColumnToolTray, ArrangeTools_reflows_the_columns_through_the_override)
{
    PaletteSetup setup;
    setup.tools = 5;
    setup.height = 100;
    setup.paletteClass = ColumnToolTrayNewClass();
    auto host = MakeHost(setup);
    ASSERT_TRUE(host);
    host->Resize(120, 200);
    const std::vector<PixelRect> rects = ToolRects(*host);
    for (size_t i = 0; i < rects.size(); ++i)
        EXPECT_EQ(rects[i], (PixelRect{4, 4 + 29 * static_cast<int32_t>(i), 29,
                                       29 + 29 * static_cast<int32_t>(i)}))
            << "tool " << i + 1;
}

TEST(ColumnToolTray, New_columns_start_at_the_top_of_the_first_column)
{
    // The second column's top comes from the first column, not from the last tool placed.
    PaletteSetup setup;
    setup.tools = 3;
    setup.height = 70;
    setup.paletteClass = ColumnToolTrayNewClass();
    auto host = MakeHost(setup);
    ASSERT_TRUE(host);
    const Palette& p = host->Tray();
    EXPECT_EQ(ToolRects(*host)[2], (PixelRect{33, 4, 58, 29}));
    KxRect next;
    p.GetNextToolBounds(&next);
    EXPECT_EQ(Pixels(next), (PixelRect{33, 33, 58, 58}));
    p.SetToolHeight(tooltray::Pixels(40));
    p.GetNextToolBounds(&next);
    EXPECT_EQ(Pixels(next), (PixelRect{62, 4, 87, 44}));
    // Guards a fault: the override read through a null rectangle once a tool was placed, where
    // the class's own method asks for nothing.
    p.GetNextToolBounds(nullptr);
    EXPECT_EQ(ToolRects(*host)[2], (PixelRect{33, 4, 58, 29}));
}

} // namespace
