#include "host/palette_options.h"

#include "host/option_values.h"

#include <string_view>

const char* const kPaletteUsage =
    "usage: tooltray-palette [options]\n"
    "Opens a floating tool palette. Clicks print 'click ID' or 'toggle ID on|off' on stdout.\n"
    "Mouse or arrow keys with Space/Enter click tools; Escape closes the window.\n"
    "With --render, draws the palette into a PNG instead and prints every tool.\n"
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
    "  --press X,Y          with --render: press the tool under this palette pixel, as a\n"
    "                       click would (repeatable)\n"
    "  --print-client       print 'client X Y W H' (screen pixels) on stdout whenever the\n"
    "                       window has been drawn at a new place or size, for scripts\n"
    "  --help               this text\n";

bool ParsePaletteOptions(int argc, const char* const* argv, PaletteOptions& o, std::string& error)
{
    for (OptionCursor c(argc, argv, error); c.Next();) {
        const std::string_view arg = c.Name();
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--print-client") {
            o.printClient = true;
        } else if (arg == "--tools") {
            if (!c.TakeValue() || !ParseInt(c.Value(), 0, 1000, o.tools))
                return c.Bad("a count from 0 to 1000");
        } else if (arg == "--length") {
            if (!c.TakeValue() || !ParseInt(c.Value(), 1, 4000, o.length))
                return c.Bad("a length from 1 to 4000");
        } else if (arg == "--tool-size") {
            if (!c.TakeValue() ||
                !ParsePair(c.Value(), 'x', 1, 500, true, o.toolWidth, o.toolHeight))
                return c.Bad("a size W or WxH from 1 to 500");
        } else if (arg == "--layout") {
            if (!c.TakeValue() || (c.Value() != "horizontal" && c.Value() != "vertical"))
                return c.Bad("horizontal or vertical");
            o.vertical = c.Value() == "vertical";
        } else if (arg == "--scale") {
            if (!c.TakeValue() || !ParseInt(c.Value(), 1, 8, o.scale))
                return c.Bad("a factor from 1 to 8");
        } else if (arg == "--toggle") {
            if (!c.TakeValue())
                return false;
            std::string_view list = c.Value();
            while (true) {
                const size_t comma = list.find(',');
                int id = 0;
                if (!ParseInt(list.substr(0, comma), 1, 1000, id))
                    return c.Bad("a list of tool ids ID,ID,...");
                o.toggles.insert(id);
                if (comma == std::string_view::npos)
                    break;
                list = list.substr(comma + 1);
            }
        } else if (arg == "--icons") {
            if (!c.TakeValue())
                return false;
            o.iconDir = c.Value();
        } else if (arg == "--render") {
            if (!c.TakeValue())
                return false;
            if (c.Value().empty())
                return c.Bad("a path");
            o.render = c.Value();
        } else if (arg == "--window") {
            int w = 0, h = 0;
            if (!c.TakeValue() || !ParsePair(c.Value(), 'x', 1, 8192, false, w, h))
                return c.Bad("a size WxH from 1 to 8192");
            o.window = {w, h};
        } else if (arg == "--state") {
            int id = 0, state = 0;
            if (!c.TakeValue() || !ParsePair(c.Value(), '=', 0, 65535, false, id, state))
                return c.Bad("ID=STATE");
            o.states[id] = state;
        } else if (arg == "--press") {
            int x = 0, y = 0;
            if (!c.TakeValue() || !ParsePair(c.Value(), ',', -32000, 32000, false, x, y))
                return c.Bad("a point X,Y");
            o.presses.emplace_back(x, y);
        } else if (arg == "--hot") {
            int id = 0;
            if (!c.TakeValue() || !ParseInt(c.Value(), 1, 1000, id))
                return c.Bad("a tool id");
            o.hot = id;
        } else {
            return c.Unknown();
        }
    }
    return true;
}
