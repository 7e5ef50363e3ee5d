#include "host/icons.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <system_error>

namespace {

constexpr int kSize = 16;

Image Draw(uint32_t ink, const std::function<bool(int x, int y)>& inside)
{
    Image icon;
    icon.width = icon.height = kSize;
    icon.pixels.resize(kSize * kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            icon.pixels[y * kSize + x] = inside(x, y) ? ink : 0xf4f4f4u;
    return icon;
}

} // namespace

std::vector<Image> BuiltInIcons()
{
    const auto dist = [](int x, int y) { return std::hypot(x - 7.5, y - 7.5); };
    const auto inside = [](int v, int low, int high) { return v >= low && v <= high; };
    return {
        // disc, square, triangle, plus
        Draw(0xd03030, [&](int x, int y) { return dist(x, y) < 6.5; }),
        Draw(0x3060d0, [&](int x, int y) { return inside(x, 3, 12) && inside(y, 3, 12); }),
        Draw(0x30a040,
             [&](int x, int y) { return inside(y, 3, 13) && 2 * std::abs(x - 7) <= y - 2; }),
        Draw(0xe0a020, [](int x, int y) { return std::abs(x - 7) <= 1 || std::abs(y - 7) <= 1; }),
        // cross, ring, diamond, lines
        Draw(0x8040c0,
             [](int x, int y) { return std::abs(x - y) <= 1 || std::abs(x + y - 15) <= 1; }),
        Draw(0x20a0a0, [&](int x, int y) { return dist(x, y) < 6.5 && dist(x, y) > 3.5; }),
        Draw(0x606060, [](int x, int y) { return std::abs(x - 7) + std::abs(y - 7) <= 6; }),
        Draw(0xc04080, [&](int x, int y) { return y % 4 < 2 && inside(x, 2, 13); }),
        // checks, arrow, hollow frame, crossed box
        Draw(0x2080e0, [](int x, int y) { return (x / 4 + y / 4) % 2 == 0; }),
        Draw(
            0x905020,
            [&](int x, int y) { return inside(y, 6, 9) || (x >= 9 && std::abs(y - 7) <= 13 - x); }),
        Draw(0x40b0e0,
             [&](int x, int y) {
                 return inside(x, 3, 12) && inside(y, 2, 13) &&
                        !(inside(x, 5, 10) && inside(y, 5, 10));
             }),
        Draw(0x101010,
             [](int x, int y) { return x == y || x == 15 - y || x % 15 == 0 || y % 15 == 0; }),
    };
}

std::vector<std::string> BuiltInIconNames()
{
    return {"Disc",    "Square", "Triangle", "Plus",  "Cross", "Ring",
            "Diamond", "Lines",  "Checks",   "Arrow", "Frame", "Crossed box"};
}

bool LoadIcons(const std::string& dir, std::vector<Image>& icons, std::string& error,
               std::vector<std::string>* names)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".png")
            files.push_back(it->path());
    if (ec) {
        error = "cannot read icon directory " + dir + ": " + ec.message();
        return false;
    }
    if (files.empty()) {
        error = "no .png icons in " + dir;
        return false;
    }
    std::sort(files.begin(), files.end());
    icons.clear();
    if (names)
        names->clear();
    for (const fs::path& file : files) {
        Image icon;
        std::string why;
        if (!ReadPng(file.string(), icon, why)) {
            error = "cannot read icon " + file.string() + ": " + why;
            return false;
        }
        icons.push_back(std::move(icon));
        if (names)
            names->push_back(file.stem().string());
    }
    return true;
}
