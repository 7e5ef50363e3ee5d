// The live palette hosts' command line (tooltray-palette and tooltray-palette.exe).
#ifndef HOST_PALETTE_OPTIONS_H
#define HOST_PALETTE_OPTIONS_H

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

struct PaletteOptions {
    int tools = 12;
    int length = 120; // along the rows (width) or the columns (height), before scaling
    int toolWidth = 25;
    int toolHeight = 25;
    int scale = 1;
    bool vertical = false;
    std::string iconDir;
    std::set<int32_t> toggles;
    std::optional<std::pair<int, int>> window; // client size; default fits the palette
    // Drawing into a file instead of a window, as the window would show it.
    std::string render;
    std::map<int32_t, int> states;            // tool id -> state
    std::vector<std::pair<int, int>> presses; // palette pixels, pressed through PtInTool
    std::optional<int32_t> hot;
    bool printClient = false; // report the client area's place on the screen
    bool help = false;
};

extern const char* const kPaletteUsage;

// Parses argv[1..argc). On a bad argument returns false and sets `error` to one line.
bool ParsePaletteOptions(int argc, const char* const* argv, PaletteOptions& options,
                         std::string& error);

#endif // HOST_PALETTE_OPTIONS_H
