// Compares two directories of rendered scenes pixel for pixel; prints the first difference of
// each scene that differs.
#include "host/image.h"

#include <cstdio>
#include <filesystem>
#include <set>

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    if (argc != 3) {
        std::fprintf(stderr, "usage: compare_scenes DIR_A DIR_B\n");
        return 2;
    }
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(argv[1]))
        if (e.path().extension() == ".png")
            names.insert(e.path().filename().string());
    long long pixels = 0;
    int differing = 0;
    for (const std::string& name : names) {
        Image a, b;
        std::string error;
        if (!ReadPng(std::string(argv[1]) + "/" + name, a, error) ||
            !ReadPng(std::string(argv[2]) + "/" + name, b, error)) {
            std::printf("%s: %s\n", name.c_str(), error.c_str());
            ++differing;
            continue;
        }
        if (a.width != b.width || a.height != b.height) {
            std::printf("%s: size %dx%d vs %dx%d\n", name.c_str(), a.width, a.height, b.width,
                        b.height);
            ++differing;
            continue;
        }
        pixels += static_cast<long long>(a.width) * a.height;
        for (int y = 0, found = 0; y < a.height && !found; ++y)
            for (int x = 0; x < a.width; ++x)
                if (a.At(x, y) != b.At(x, y)) {
                    std::printf("%s: first difference at (%d, %d): %06x vs %06x\n", name.c_str(), x,
                                y, a.At(x, y), b.At(x, y));
                    ++differing;
                    found = 1;
                    break;
                }
    }
    std::printf("%zu scenes compared, %lld pixels, %d differ\n", names.size(), pixels, differing);
    return names.empty() || differing ? 1 : 0;
}
