// The demo host's command line: defaults, every option, and one-line errors for bad input.
#include "host/demo_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Parse(std::vector<const char*> args, DemoOptions& o, std::string& error)
{
    args.insert(args.begin(), "tooltray-demo");
    return ParseDemoOptions(static_cast<int>(args.size()), args.data(), o, error);
}

TEST(DemoOptions, Defaults_give_a_dozen_tools_and_one_press)
{
    DemoOptions o;
    std::string error;
    ASSERT_TRUE(Parse({}, o, error));
    EXPECT_EQ(o.tools, 12);
    EXPECT_EQ(o.presses.size(), 1u);
    EXPECT_EQ(o.output, "palette.png");
    EXPECT_FALSE(o.resizeTo);
}

TEST(DemoOptions, Every_option_is_read_in_both_spellings)
{
    DemoOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--tools", "30", "--width=200", "--tool-size", "32x20", "--press", "5,-6",
                       "--press=7,8", "--resize", "90", "--icons", "dir", "--output=out.png",
                       "--surface", "640x480"},
                      o, error))
        << error;
    EXPECT_EQ(o.tools, 30);
    EXPECT_EQ(o.paletteWidth, 200);
    EXPECT_EQ(o.toolWidth, 32);
    EXPECT_EQ(o.toolHeight, 20);
    ASSERT_EQ(o.presses.size(), 2u); // given presses replace the default one
    EXPECT_EQ(o.presses[0], std::make_pair(5, -6));
    EXPECT_EQ(o.presses[1], std::make_pair(7, 8));
    EXPECT_EQ(o.resizeTo, 90);
    EXPECT_EQ(o.iconDir, "dir");
    EXPECT_EQ(o.output, "out.png");
    EXPECT_EQ(o.surfaceWidth, 640);
    EXPECT_EQ(o.surfaceHeight, 480);
    DemoOptions square;
    ASSERT_TRUE(Parse({"--tool-size", "16", "--no-press"}, square, error));
    EXPECT_EQ(square.toolHeight, 16);
    EXPECT_TRUE(square.presses.empty());
}

TEST(DemoOptions, Bad_arguments_are_refused_with_one_line)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--tools", "-1"},     {"--tools", "ten"},
        {"--tools", "12abc"},  {"--tools"},
        {"--width", "-5"},     {"--tool-size", "0"},
        {"--tool-size", "3x"}, {"--press", "4"},
        {"--press", "a,b"},    {"--surface", "0x10"},
        {"--surface", "100"},  {"--output="},
        {"--frobnicate"},      {"--tools", "99999999999999999999"}};
    for (const auto& args : bad) {
        DemoOptions o;
        std::string error;
        EXPECT_FALSE(Parse(args, o, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

} // namespace
