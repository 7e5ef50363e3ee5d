// Renders every scene into a directory: run by the Linux build and, under Wine, by the Windows
// build, whose outputs must match pixel for pixel. The hand-made and random palettes become PNG
// files; the host scenes, thousands of them, go into one file of raw records (host_scenes.bin,
// see scene_records.h) with their hit tests.
#include "tests/scenes/scene_records.h"
#include "tests/scenes/scenes.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_scenes DIR [RANDOM_SEEDS [HOST_SCENES]]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int seeds = argc > 2 ? std::atoi(argv[2]) : 200;
    const int hostScenes = argc > 3 ? std::atoi(argv[3]) : 0;
    long long pixels = 0;
    const std::vector<Scene> scenes = RenderScenes(seeds);
    for (const Scene& scene : scenes) {
        std::string error;
        if (!WritePng(dir + "/" + scene.name + ".png", scene.image, error)) {
            std::fprintf(stderr, "render_scenes: %s: %s\n", scene.name.c_str(), error.c_str());
            return 1;
        }
        pixels += static_cast<long long>(scene.image.width) * scene.image.height;
    }
    const std::vector<Scene> hosts = RenderHostScenes(hostScenes);
    long long hits = 0;
    for (const Scene& scene : hosts) {
        pixels += static_cast<long long>(scene.image.width) * scene.image.height;
        hits += static_cast<long long>(scene.hits.size());
    }
    std::string error;
    if (!WriteSceneRecords(dir + "/host_scenes.bin", hosts, error)) {
        std::fprintf(stderr, "render_scenes: %s\n", error.c_str());
        return 1;
    }
    std::printf("%zu scenes, %lld pixels, %lld hit tests\n", scenes.size() + hosts.size(), pixels,
                hits);
    return 0;
}
