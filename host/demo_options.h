// The demo host's command line.
#ifndef HOST_DEMO_OPTIONS_H
#define HOST_DEMO_OPTIONS_H

#include <optional>
#include <string>
#include <utility>
#include <vector>

struct DemoOptions {
    int tools = 12;
    int paletteWidth = 120; // pixels
    int toolWidth = 25;
    int toolHeight = 25;
    std::vector<std::pair<int, int>> presses{{40, 40}}; // pixels in palette coordinates
    std::optional<int> resizeTo;                        // new palette width, then ArrangeTools
    std::string iconDir;                                // empty: the built-in icons
    std::string output = "palette.png";
    int surfaceWidth = 0; // 0: fit the palette
    int surfaceHeight = 0;
    bool help = false;
};

extern const char* const kDemoUsage;

// Parses argv[1..argc). On a bad argument returns false and sets `error` to one line.
bool ParseDemoOptions(int argc, const char* const* argv, DemoOptions& options, std::string& error);

#endif // HOST_DEMO_OPTIONS_H
