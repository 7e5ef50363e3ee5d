// Rendering scenes: small palettes drawn with UpdateTools onto surfaces, built the same way on
// every platform so that the portable GDI layer and real GDI can be compared pixel for pixel.
#ifndef TESTS_SCENES_SCENES_H
#define TESTS_SCENES_SCENES_H

#include "host/image.h"

#include <cstdint>
#include <string>
#include <vector>

struct Scene {
    std::string name;
    Image image;
    std::vector<int32_t> hits; // ids PtInTool found at the scene's test points (-1: none)
};

// Every scene, in a fixed order: the hand-made ones, then `randomSeeds` random palettes.
std::vector<Scene> RenderScenes(int randomSeeds);

// `count` random scenes as hosts set them up: their stretch mode on the target DC (or none),
// tools anywhere, placed by AddToolInfo or a subclass's GetNextToolBounds, bitmaps of every kind
// shared between tools, and hit tests of random points.
std::vector<Scene> RenderHostScenes(int count);

#endif // TESTS_SCENES_SCENES_H
