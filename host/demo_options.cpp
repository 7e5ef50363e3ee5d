#include "host/demo_options.h"
#include "host/option_values.h"

const char* const kDemoUsage =
    "usage: tooltray-demo [options]\n"
    "Builds a sample palette, renders it with UpdateTools and writes a PNG.\n"
    "  --tools N          number of tools (default 12, at most 10000)\n"
    "  --width PX         palette width in pixels (default 120)\n"
    "  --tool-size W[xH]  size of one tool in pixels (default 25x25)\n"
    "  --press X,Y        press the tool under this point (repeatable; default 40,40)\n"
    "  --no-press         press no tool\n"
    "  --resize PX        then resize the palette to this width and re-lay it out\n"
    "  --icons DIR        load the icons from the .png files in DIR (default: built-in set)\n"
    "  --output PATH      where to write the image (default palette.png)\n"
    "  --surface WxH      surface size in pixels (default: fits the palette)\n"
    "  --help             this text\n";

bool ParseDemoOptions(int argc, const char* const* argv, DemoOptions& o, std::string& error)
{
    bool pressGiven = false;
    for (OptionCursor c(argc, argv, error); c.Next();) {
        const std::string_view arg = c.Name();
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--no-press") {
            o.presses.clear();
            pressGiven = true;
        } else if (arg == "--tools") {
            if (!c.TakeValue() || !ParseInt(c.Value(), 0, 10000, o.tools))
                return c.Bad("a count from 0 to 10000");
        } else if (arg == "--width") {
            if (!c.TakeValue() || !ParseInt(c.Value(), 0, 32000, o.paletteWidth))
                return c.Bad("a width from 0 to 32000");
        } else if (arg == "--tool-size") {
            if (!c.TakeValue() ||
                !ParsePair(c.Value(), 'x', 1, 1000, true, o.toolWidth, o.toolHeight))
                return c.Bad("a size W or WxH from 1 to 1000");
        } else if (arg == "--press") {
            int x = 0, y = 0;
            if (!c.TakeValue() || !ParsePair(c.Value(), ',', -32000, 32000, false, x, y))
                return c.Bad("a point X,Y");
            if (!pressGiven)
                o.presses.clear();
            pressGiven = true;
            o.presses.emplace_back(x, y);
        } else if (arg == "--resize") {
            int w = 0;
            if (!c.TakeValue() || !ParseInt(c.Value(), 0, 32000, w))
                return c.Bad("a width from 0 to 32000");
            o.resizeTo = w;
        } else if (arg == "--icons") {
            if (!c.TakeValue())
                return false;
            o.iconDir = c.Value();
        } else if (arg == "--output") {
            if (!c.TakeValue())
                return false;
            if (c.Value().empty())
                return c.Bad("a path");
            o.output = c.Value();
        } else if (arg == "--surface") {
            if (!c.TakeValue() ||
                !ParsePair(c.Value(), 'x', 1, 8192, false, o.surfaceWidth, o.surfaceHeight))
                return c.Bad("a size WxH from 1 to 8192");
        } else {
            return c.Unknown();
        }
    }
    return true;
}
