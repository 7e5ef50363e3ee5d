// Whole palettes drawn through the portable GDI layer, checked pixel for pixel against images
// that real GDI drew from the same scenes (recorded with the Windows build under Wine).
#include "tests/scenes/scenes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr int kGoldenRandomSeeds = 20;

TEST(Scenes, Portable_GDI_draws_what_real_GDI_drew)
{
    const std::vector<Scene> scenes = RenderScenes(kGoldenRandomSeeds);
    int compared = 0;
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        Image golden;
        std::string error;
        ASSERT_TRUE(ReadPng(std::string(GOLDEN_DIR) + "/" + scene.name + ".png", golden, error))
            << error;
        ASSERT_EQ(golden.width, scene.image.width);
        ASSERT_EQ(golden.height, scene.image.height);
        int differing = 0;
        for (int y = 0; y < golden.height; ++y)
            for (int x = 0; x < golden.width; ++x)
                if (golden.At(x, y) != scene.image.At(x, y) && differing++ == 0)
                    ADD_FAILURE() << "first difference at (" << x << ", " << y << "): real "
                                  << std::hex << golden.At(x, y) << ", ours "
                                  << scene.image.At(x, y);
        EXPECT_EQ(differing, 0);
        ++compared;
    }
    EXPECT_EQ(compared, static_cast<int>(scenes.size()));
}

} // namespace
