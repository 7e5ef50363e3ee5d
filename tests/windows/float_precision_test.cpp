// 32-bit gdi32 mixes HALFTONE pixels on the x87 unit, at whatever precision the thread's control
// word sets. The palette's pixels must not depend on it: the same as 64-bit gdi32 draws them (the
// scene comparison of scripts/windows.sh checks that), whatever precision the host runs at.
#include "tests/scenes/scenes.h"

#include <float.h>
#include <gtest/gtest.h>

namespace {

#if defined(__i386__)

// Draws every host scene with the host's precision set to `precision`; checks that drawing gave
// the host its precision back.
std::vector<Scene> DrawnAt(unsigned int precision)
{
    const unsigned int saved = _controlfp(0, 0) & _MCW_PC;
    _controlfp(precision, _MCW_PC);
    std::vector<Scene> scenes = RenderHostScenes(400);
    EXPECT_EQ(_controlfp(0, 0) & _MCW_PC, precision) << "the host's precision was not restored";
    _controlfp(saved, _MCW_PC);
    return scenes;
}

// Regression: at Windows' default 53-bit precision ties rounded otherwise than in float, and 95 of
// the 2,000 host scenes drew pixels one step off 64-bit gdi32's.
TEST(FloatPrecision, Palette_pixels_do_not_depend_on_the_hosts_x87_precision)
{
    const std::vector<Scene> floatPrecision = DrawnAt(_PC_24);
    const std::vector<Scene> windowsDefault = DrawnAt(_PC_53);
    const std::vector<Scene> extended = DrawnAt(_PC_64);
    ASSERT_EQ(floatPrecision.size(), windowsDefault.size());
    ASSERT_EQ(floatPrecision.size(), extended.size());
    int halftone = 0;
    for (size_t i = 0; i < floatPrecision.size(); ++i) {
        halftone += floatPrecision[i].name.find("halftone") != std::string::npos;
        EXPECT_EQ(windowsDefault[i].image.pixels, floatPrecision[i].image.pixels)
            << floatPrecision[i].name;
        EXPECT_EQ(extended[i].image.pixels, floatPrecision[i].image.pixels)
            << floatPrecision[i].name;
    }
    EXPECT_GT(halftone, 50) << "too few HALFTONE scenes to tell";
}

#endif

} // namespace
