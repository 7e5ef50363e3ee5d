// The demo host's command line.
#ifndef HOST_DEMO_OPTIONS_H
#define HOST_DEMO_OPTIONS_H

#include <optional>
#include <string>
#include <utility>
#include <vector>

struct DemoOptions {
    static constexpr std::pair<int, int> kDefaultPress{40, 40};

    int tools = 12;
    int paletteWidth = 120; // pixels
    int toolWidth = 25;
    int toolHeight = 25;
    // Pixels in palette coordinates. Filled by count, not from a braced list: GCC 12 at -O3
    // reports the backing array of an initializer list in a default member initialiser as
    // maybe-uninitialized wherever the struct is constructed.
    std::vector<std::pair<int, int>> presses = std::vector<std::pair<int, int>>(1, kDefaultPress);
    std::optional<int> resizeTo; // new palette width, then ArrangeTools
    std::string iconDir;         // empty: the built-in icons
    std::string output = "palette.png";
    int surfaceWidth = 0; // 0: fit the palette
    int surfaceHeight = 0;
    bool help = false;
};

extern const char* const kDemoUsage;

// Parses argv[1..argc). On a bad argument returns false and sets `error` to one line.
bool ParseDemoOptions(int argc, const char* const* argv, DemoOptions& options, std::string& error);

#endif // HOST_DEMO_OPTIONS_H
