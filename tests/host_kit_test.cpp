// The host kit: method tables resolved once per class, palettes and bitmaps that free what they
// own, and class building that reports the runtime's reason.
#include "host/tooltray_handles.h"
#include "tests/test_support.h"

#include <string>
#include <utility>

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
