// Renders every scene into a directory as PNG files: run by the Linux build and, under Wine, by
// the Windows build, whose outputs must match pixel for pixel.
#include "tests/scenes/scenes.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_scenes DIR [RANDOM_SEEDS]\n");
        return 2;
    }
    const int seeds = argc > 2 ? std::atoi(argv[2]) : 200;
    long long pixels = 0;
    const std::vector<Scene> scenes = RenderScenes(seeds);
    for (const Scene& scene : scenes) {
        std::string error;
        if (!WritePng(std::string(argv[1]) + "/" + scene.name + ".png", scene.image, error)) {
            std::fprintf(stderr, "render_scenes: %s: %s\n", scene.name.c_str(), error.c_str());
            return 1;
        }
        pixels += static_cast<long long>(scene.image.width) * scene.image.height;
    }
    std::printf("%zu scenes, %lld pixels\n", scenes.size(), pixels);
    return 0;
}
