#include "host/document_options.h"

#include "host/option_values.h"

#include <cstdlib>

const char* const kDocumentUsage =
    "usage: tooltray-document [options]\n"
    "Opens a document window with three parts, each with its own tool palette, docked at an\n"
    "edge or floating. Click a part to activate it and show its palette; click in the active\n"
    "part to stamp its current tool. Drag a palette by its grip to move it, near an edge to dock\n"
    "it; double-click the grip to switch between docked and floating. Escape closes the window.\n"
    "Each action prints one line on stdout: 'activate PART', 'tool PART ID', 'stamp PART ID X Y',\n"
    "'toggle PART ID on|off', 'dock PART EDGE', 'float PART'.\n"
    "  --layout-file PATH   where the palettes' places are kept between runs (default: "
#ifdef _WIN32
    "%APPDATA%\\ToolTray\\document-layout.txt)\n"
#else
    "$XDG_CONFIG_HOME/tooltray/document-layout,\n"
    "                       else ~/.config/tooltray/document-layout)\n"
#endif
    "  --icons DIR          the tools' icons from the .png files in DIR, in name order; the\n"
    "                       file names (without .png) are the tooltips (default: built-in set)\n"
    "  --window WxH         the document window's client size (default 640x420)\n"
    "  --print-layout       print 'palette PART docked EDGE X Y W H', 'palette PART floating\n"
    "                       X Y W H' or 'palette PART hidden' (screen pixels) whenever a palette\n"
    "                       is shown, moved or hidden\n"
    "  --print-client       print 'client X Y W H' (screen pixels) whenever the document\n"
    "                       window has been drawn at a new place or size\n"
    "  --help               this text\n";

std::string DefaultLayoutFile()
{
#ifdef _WIN32
    if (const char* appData = std::getenv("APPDATA"); appData && *appData)
        return std::string(appData) + "\\ToolTray\\document-layout.txt";
#else
    // An XDG directory that is not absolute is to be ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        return std::string(config) + "/tooltray/document-layout";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config/tooltray/document-layout";
#endif
    return {};
}

bool ParseDocumentOptions(int argc, const char* const* argv, DocumentOptions& o, std::string& error)
{
    bool layoutGiven = false;
    for (OptionCursor c(argc, argv, error); c.Next();) {
        const std::string_view arg = c.Name();
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--print-layout") {
            o.printLayout = true;
        } else if (arg == "--print-client") {
            o.printClient = true;
        } else if (arg == "--layout-file") {
            if (!c.TakeValue() || c.Value().empty())
                return c.Bad("a file name");
            o.layoutFile = c.Value();
            layoutGiven = true;
        } else if (arg == "--icons") {
            if (!c.TakeValue() || c.Value().empty())
                return c.Bad("a directory");
            o.iconDir = c.Value();
        } else if (arg == "--window") {
            if (!c.TakeValue() || !ParsePair(c.Value(), 'x', 200, 4000, false, o.width, o.height))
                return c.Bad("a size WxH from 200 to 4000");
        } else {
            return c.Unknown();
        }
    }
    if (!layoutGiven)
        o.layoutFile = DefaultLayoutFile();
    return true;
}
