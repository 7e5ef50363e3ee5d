#include "host/palette_options.h"

#include "host/option_values.h"

#include <string_view>

const char* const kPaletteUsage =
    "usage: tooltray-palette [options]\n"
    "Opens a floating tool palette. Clicks print 'click ID' or 'toggle ID on|off' on stdout.\n"
    "Mouse or arrow keys with Space/Enter click tools; Escape closes the window.\n"
    "  --tools N            number of tools (default 12, at most 1000)\n"
    "  --length PX          palette width (rows) or height (columns) in pixels (default 120)\n"
    "  --tool-size W[xH]    size of one tool in pixels (default 25x25)\n"
    "  --layout KIND        horizontal (rows, default) or vertical (columns)\n"
    "  --scale N            scale tools, icons and window by N, 1 to 8 (default 1)\n"
    "  --toggle ID[,ID...]  these tools stay pressed after a click until clicked again\n"
    "  --icons DIR          load the icons from the .png files in DIR (default: built-in set)\n"
    "  --render PATH        draw the palette into a PNG as the window shows it, open no window\n"
    "  --window WxH         the window's client size (default: fits the palette)\n"
    "  --state ID=S         with --render: give tool ID the state S first (repeatable)\n"
    "  --hot ID             with --render: tool ID is the hot tool\n"
    "  --print-client       print 'client X Y W H' (screen pixels) on stdout whenever the\n"
    "                       window has been drawn at a new place or size, for scripts\n"
    "  --help               this text\n";

bool ParsePaletteOptions(int argc, const char* const* argv, PaletteOptions& o, std::string& error)
{
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
            if (error.empty())
                error = std::string(arg) + ": '" + std::string(value) + "' is not " + what;
            return false;
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--print-client") {
            o.printClient = true;
        } else if (arg == "--tools") {
            if (!next() || !ParseInt(value, 0, 1000, o.tools))
                return bad("a count from 0 to 1000");
        } else if (arg == "--length") {
            if (!next() || !ParseInt(value, 1, 4000, o.length))
                return bad("a length from 1 to 4000");
        } else if (arg == "--tool-size") {
            if (!next() || !ParsePair(value, 'x', 1, 500, true, o.toolWidth, o.toolHeight))
                return bad("a size W or WxH from 1 to 500");
        } else if (arg == "--layout") {
            if (!next() || (value != "horizontal" && value != "vertical"))
                return bad("horizontal or vertical");
            o.vertical = value == "vertical";
        } else if (arg == "--scale") {
            if (!next() || !ParseInt(value, 1, 8, o.scale))
                return bad("a factor from 1 to 8");
        } else if (arg == "--toggle") {
            if (!next())
                return false;
            std::string_view list = value;
            while (true) {
                const size_t comma = list.find(',');
                int id = 0;
                if (!ParseInt(list.substr(0, comma), 1, 1000, id))
                    return bad("a list of tool ids ID,ID,...");
                o.toggles.insert(id);
                if (comma == std::string_view::npos)
                    break;
                list = list.substr(comma + 1);
            }
        } else if (arg == "--icons") {
            if (!next())
                return false;
            o.iconDir = value;
        } else if (arg == "--render") {
            if (!next())
                return false;
            if (value.empty())
                return bad("a path");
            o.render = value;
        } else if (arg == "--window") {
            int w = 0, h = 0;
            if (!next() || !ParsePair(value, 'x', 1, 8192, false, w, h))
                return bad("a size WxH from 1 to 8192");
            o.window = {w, h};
        } else if (arg == "--state") {
            int id = 0, state = 0;
            if (!next() || !ParsePair(value, '=', 0, 65535, false, id, state))
                return bad("ID=STATE");
            o.states[id] = state;
        } else if (arg == "--hot") {
            int id = 0;
            if (!next() || !ParseInt(value, 1, 1000, id))
                return bad("a tool id");
            o.hot = id;
        } else {
            error = "unknown option '" + std::string(arg) + "' (see --help)";
            return false;
        }
    }
    return true;
}
