// Rendering scenes: small palettes drawn with UpdateTools onto surfaces, built the same way on
// every platform so that the portable GDI layer and real GDI can be compared pixel for pixel.
#ifndef TESTS_SCENES_SCENES_H
#define TESTS_SCENES_SCENES_H

#include "host/image.h"

#include <string>
#include <vector>

struct Scene {
    std::string name;
    Image image;
};

// Every scene, in a fixed order: the hand-made ones, then `randomSeeds` random palettes.
std::vector<Scene> RenderScenes(int randomSeeds);

#endif // TESTS_SCENES_SCENES_H
