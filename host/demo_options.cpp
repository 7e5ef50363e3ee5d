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
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::string_view value;
        bool hasValue = false;
        if (const size_t eq = arg.find('=');
            arg.substr(0, 2) == "--" && eq != std::string_view::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            hasValue = true;
        }
        auto next = [&]() -> bool {
            if (hasValue)
                return true;
            if (i + 1 >= argc) {
                error = std::string(arg) + " needs a value";
                return false;
            }
            value = argv[++i];
            return true;
        };
        auto bad = [&](const char* what) {
            error = std::string(arg) + ": '" + std::string(value) + "' is not " + what;
            return false;
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--no-press") {
            o.presses.clear();
            pressGiven = true;
        } else if (arg == "--tools") {
            if (!next() || !ParseInt(value, 0, 10000, o.tools))
                return error.empty() ? bad("a count from 0 to 10000") : false;
        } else if (arg == "--width") {
            if (!next() || !ParseInt(value, 0, 32000, o.paletteWidth))
                return error.empty() ? bad("a width from 0 to 32000") : false;
        } else if (arg == "--tool-size") {
            if (!next() || !ParsePair(value, 'x', 1, 1000, true, o.toolWidth, o.toolHeight))
                return error.empty() ? bad("a size W or WxH from 1 to 1000") : false;
        } else if (arg == "--press") {
            int x = 0, y = 0;
            if (!next() || !ParsePair(value, ',', -32000, 32000, false, x, y))
                return error.empty() ? bad("a point X,Y") : false;
            if (!pressGiven)
                o.presses.clear();
            pressGiven = true;
            o.presses.emplace_back(x, y);
        } else if (arg == "--resize") {
            int w = 0;
            if (!next() || !ParseInt(value, 0, 32000, w))
                return error.empty() ? bad("a width from 0 to 32000") : false;
            o.resizeTo = w;
        } else if (arg == "--icons") {
            if (!next())
                return false;
            o.iconDir = value;
        } else if (arg == "--output") {
            if (!next())
                return false;
            if (value.empty())
                return bad("a path");
            o.output = value;
        } else if (arg == "--surface") {
            if (!next() || !ParsePair(value, 'x', 1, 8192, false, o.surfaceWidth, o.surfaceHeight))
                return error.empty() ? bad("a size WxH from 1 to 8192") : false;
        } else {
            error = "unknown option '" + std::string(arg) + "' (see --help)";
            return false;
        }
    }
    return true;
}
