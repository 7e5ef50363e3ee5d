// tooltray-palette's command line, for the window and --render alike: the lists and choices it
// reads, one-line errors.
#include "host/palette_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Parse(std::vector<const char*> args, PaletteOptions& o, std::string& error)
{
    args.insert(args.begin(), "tooltray-palette");
    return ParsePaletteOptions(static_cast<int>(args.size()), args.data(), o, error);
}

TEST(PaletteOptions, Reads_toggle_lists_layout_scale_and_render_states)
{
    PaletteOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--toggle",    "3,7",         "--toggle=12", "--layout", "vertical",
                       "--scale=2",   "--render",    "out.png",     "--window", "90x60",
                       "--state",     "4=1",         "--hot",       "5",        "--press",
                       "5,-6",        "--press=7,8", "--tools",     "30",       "--length=200",
                       "--tool-size", "32x20"},
                      o, error))
        << error;
    EXPECT_EQ(o.presses, (std::vector<std::pair<int, int>>{{5, -6}, {7, 8}}));
    EXPECT_EQ(o.tools, 30);
    EXPECT_EQ(o.length, 200);
    EXPECT_EQ(o.toolWidth, 32);
    EXPECT_EQ(o.toolHeight, 20);
    EXPECT_EQ(o.toggles, (std::set<int32_t>{3, 7, 12}));
    EXPECT_TRUE(o.vertical);
    EXPECT_EQ(o.scale, 2);
    EXPECT_EQ(o.render, "out.png");
    EXPECT_EQ(o.window, (std::pair<int, int>{90, 60}));
    EXPECT_EQ(o.states, (std::map<int32_t, int>{{4, 1}}));
    EXPECT_EQ(o.hot, 5);
}

TEST(PaletteOptions, Bad_values_fail_with_one_line_naming_the_option)
{
    for (std::vector<const char*> args : {std::vector<const char*>{"--toggle", "3,,4"},
                                          {"--toggle", "3,"},
                                          {"--layout", "diagonal"},
                                          {"--scale", "0"},
                                          {"--scale", "9"},
                                          {"--state", "4"},
                                          {"--window", "90"},
                                          {"--hot"},
                                          {"--render", ""},
                                          {"--press", "4"},
                                          {"--press", "a,b"},
                                          {"--tools", "12abc"},
                                          {"--tools", "99999999999999999999"},
                                          {"--tool-size", "3x"},
                                          {"--bogus"}}) {
        PaletteOptions o;
        std::string error;
        EXPECT_FALSE(Parse(args, o, error)) << args[0];
        EXPECT_NE(error.find(args[0]), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

} // namespace
