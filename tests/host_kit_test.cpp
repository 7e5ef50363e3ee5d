// The host kit: method tables resolved once per class, palettes and bitmaps that free what they
// own, and class building that reports the runtime's reason.
#include "host/tool_space_palette.h"
#include "tests/test_support.h"

#include <string>
#include <type_traits>
#include <utility>

// A bare integer is not a tool size: it would be 1/65536 of a pixel per unit.
static_assert(!std::is_invocable_v<decltype(&Palette::SetToolWidth), const Palette&, int>);
static_assert(!std::is_invocable_v<decltype(&Palette::SetToolHeight), const Palette&, KxFixed>);
static_assert(
    std::is_invocable_v<decltype(&Palette::SetToolWidth), const Palette&, tooltray::Pixels>);
static_assert(tooltray::Fixed(tooltray::Pixels(3)).Raw() == 0x30000);
static_assert(tooltray::Fixed(0x18000).ToPixels() == 2, "halves go up, as the class rounds");

namespace {

class HostKit : public PaletteTest {};

TEST_F(HostKit, Palettes_of_one_class_share_one_table_and_a_subclass_gets_its_own)
{
    const Palette second(NewPalette(), ev);
    EXPECT_EQ(second.Methods(), palette->Methods());
    SOMClass* sub = BuildToolTraySubclass("KitTableTray", {});
    ASSERT_NE(sub, nullptr) << GetLastBuildError();
    const Palette subPalette(NewPalette(sub), ev);
    ASSERT_TRUE(subPalette);
    EXPECT_NE(subPalette.Methods(), palette->Methods());
    // No override: the subclass's table holds ToolTray's procedures.
    EXPECT_EQ(subPalette.Methods()->GetDomain, palette->Methods()->GetDomain);
}

TEST_F(HostKit, An_object_that_is_not_a_palette_gets_no_table)
{
    EXPECT_FALSE(Palette(base, ev));
    EXPECT_FALSE(Palette(nullptr, ev));
    ExceptionFree(ev);
    // A refusal is not remembered as an answer: the same class data still serve a real palette.
    EXPECT_TRUE(Palette(NewPalette(), ev));
}

TEST_F(HostKit, A_palette_handle_frees_its_object_and_tools_once_however_it_moves)
{
    AllocationWatch watch;
    {
        PaletteHandle first = PaletteHandle::Create(ToolTrayClass(), base, ev);
        first.SetToolSpaceObj(space);
        ASSERT_NE(first.CreateTool(1, nullptr, 0), nullptr);
        ASSERT_NE(first.CreateTool(2, nullptr, 1), nullptr);
        PaletteHandle moved = std::move(first);
        EXPECT_FALSE(first);
        EXPECT_EQ(first.Object(), nullptr);
        ASSERT_EQ(moved.GetToolID(moved.GetFirstTool()), 2);

        PaletteHandle other = PaletteHandle::Create(ToolTrayClass(), base, ev);
        const int64_t freesBefore = watch.Frees();
        other = std::move(moved); // frees the object `other` held, with its empty tool list
        EXPECT_GT(watch.Frees(), freesBefore);
        EXPECT_EQ(ToolIds(other), (std::vector<int32_t>{2, 1}));
    }
    EXPECT_EQ(watch.Live(), 0) << "objects, tool records or list links left behind";
}

TEST_F(HostKit, A_detached_palette_outlives_its_handle)
{
    ToolTray* kept = nullptr;
    {
        PaletteHandle handle = PaletteHandle::Create(ToolTrayClass(), base, ev);
        handle.SetDomain(5);
        kept = handle.Detach();
        EXPECT_FALSE(handle);
    }
    EXPECT_EQ(Palette(kept, ev).GetDomain(), 5);
    FreeObject(kept);
}

// Regression: a PaletteHandle made from NewObject without InitExtension tested true, though
// every tool method answers null on it.
TEST_F(HostKit, A_palette_tests_true_only_once_InitExtension_has_run)
{
    const PaletteHandle raw(NewObject(ToolTrayClass()), ev);
    EXPECT_TRUE(raw.Methods());
    EXPECT_FALSE(raw);
    raw.InitExtension(base);
    EXPECT_TRUE(raw);
}

// Regression: a method called on a view without a table called through a null table.
TEST_F(HostKit, A_method_on_a_view_that_is_no_palette_throws_the_reason)
{
    const Palette notAPalette(base, ev);
    ExceptionFree(ev);
    try {
        notAPalette.GetDomain();
        FAIL() << "called through no table";
    } catch (const ToolTrayError& e) {
        EXPECT_STREQ(e.what(), tooltray::reason::kNotAPalette);
    }
    EXPECT_THROW(Palette().InitExtension(base), ToolTrayError);
    EXPECT_STREQ(Palette().CreateToolRefusal(), tooltray::reason::kNotAPalette);
}

TEST_F(HostKit, CreateToolChecked_names_each_reason_CreateTool_answers_null)
{
    using namespace tooltray::reason;
    const auto refusal = [](const Palette& p) {
        try {
            p.CreateToolChecked(1, nullptr, 0);
            return std::string("created");
        } catch (const ToolTrayError& e) {
            return std::string(e.what());
        }
    };
    const PaletteHandle uninitialised(NewObject(ToolTrayClass()), ev);
    uninitialised.SetToolSpaceObj(space);
    EXPECT_EQ(refusal(uninitialised), kNotInitialised);

    const PaletteHandle bare = PaletteHandle::Create(ToolTrayClass(), base, ev);
    EXPECT_EQ(refusal(bare), kNoToolSpace);
    bare.SetToolSpaceObj(base); // an object, but no tool space
    EXPECT_EQ(refusal(bare), kNotAToolSpace);
    bare.SetToolSpaceObj(space);
    somCall<somTD_KxToolSpaceObj_SetAcceptsTools>(
        space, resolve_KxToolSpaceObjClassData()->SetAcceptsTools, ev, 0);
    EXPECT_EQ(refusal(bare), kSpaceRefuses);
    // Each refusal was the class's too: nothing was added on the way.
    EXPECT_EQ(bare.GetFirstTool(), nullptr);
    EXPECT_EQ(uninitialised.GetFirstTool(), nullptr);

    somCall<somTD_KxToolSpaceObj_SetAcceptsTools>(
        space, resolve_KxToolSpaceObjClassData()->SetAcceptsTools, ev, 1);
    EXPECT_EQ(bare.CreateToolRefusal(), nullptr);
    AllocationWatch watch;
    watch.FailAllocation(1); // the tool record
    EXPECT_EQ(refusal(bare), kAddRefused);
    EXPECT_EQ(refusal(bare), "created");
}

TEST(HostKitSetup, The_set_up_palette_takes_tools_and_frees_everything_it_made)
{
    ASSERT_NE(BuildToolTrayClass(), nullptr);
    AllocationWatch watch;
    {
        ToolSpacePalette stage;
        ASSERT_TRUE(stage.Tray());
        EXPECT_EQ(Palette(stage.Tray().Object(), GetGlobalEnvironment()).GetToolSpaceObj(),
                  stage.Space());
        stage.SetSize(tooltray::Pixels(40), tooltray::Pixels(80));
        stage.SetToolSize(tooltray::Pixels(30), tooltray::Pixels(10));
        const std::vector<uint32_t> pixels(4, 0xff0000u);
        HBITMAP icon = stage.AddBitmap(2, 2, pixels.data());
        ToolInfo* first = stage.Tray().CreateToolChecked(1, icon, 0);
        ToolInfo* second = stage.Tray().CreateToolChecked(2, icon, 0);
        // One tool per row at this width: the second goes below the first.
        EXPECT_EQ(Pixels(Palette::ToolBounds(first)), (PixelRect{4, 4, 34, 14}));
        EXPECT_EQ(Pixels(Palette::ToolBounds(second)), (PixelRect{4, 18, 34, 28}));
        EXPECT_EQ(Pixels(Palette::ToolBounds(nullptr)), (PixelRect{0, 0, 0, 0}));
    }
    EXPECT_EQ(watch.Live(), 0) << "objects, tool records or list links left behind";
}

TEST(HostKitClass, A_refused_build_throws_the_runtimes_reason)
{
    ASSERT_NE(BuildToolTrayClass(), nullptr);
    try {
        BuildToolTrayClass(2, 0);
        FAIL() << "major version 2 was accepted";
    } catch (const ToolTrayError& e) {
        const std::string reason = GetLastBuildError();
        EXPECT_FALSE(reason.empty());
        EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
    EXPECT_EQ(BuildToolTrayClass(1, 0), resolve_ToolTrayClassData()->classObject);
    EXPECT_THROW(NewOwnedObject(static_cast<SOMClass*>(nullptr)), ToolTrayError);
    // Regression: an object of a class not built yet threw a message that named no class.
    try {
        NewOwnedObject("KxNoSuchClass");
        FAIL() << "made an object of no class";
    } catch (const ToolTrayError& e) {
        EXPECT_NE(std::string(e.what()).find("KxNoSuchClass"), std::string::npos) << e.what();
    }
}

TEST(HostKitBitmap, A_bitmap_handle_deletes_its_bitmap)
{
    const std::vector<uint32_t> pixels(6 * 4, 0x123456u);
    BitmapHandle bitmap = MakeBitmap(6, 4, pixels.data());
    HBITMAP raw = bitmap.get();
    BITMAP description;
    ASSERT_NE(GetObjectA(raw, sizeof description, &description), 0);
    EXPECT_EQ(description.bmWidth, 6);
    EXPECT_EQ(description.bmHeight, 4);
    bitmap.reset();
    EXPECT_EQ(GetObjectA(raw, sizeof description, &description), 0) << "still alive";
    EXPECT_THROW(MakeBitmap(0, 4, pixels.data()), ToolTrayError);
    EXPECT_THROW(MakeBitmap(6, 4, nullptr), ToolTrayError);
}

} // namespace
