// Rendered scenes as one file of raw records, for comparing thousands of them between builds
// without a PNG each. Per scene, in native little-endian 32-bit words: the name's length and bytes,
// width, height, the pixels (0x00RRGGBB, rows top to bottom), the number of hit tests and their ids.
#ifndef TESTS_SCENES_SCENE_RECORDS_H
#define TESTS_SCENES_SCENE_RECORDS_H

#include "tests/scenes/scenes.h"

#include <string>
#include <vector>

bool WriteSceneRecords(const std::string& path, const std::vector<Scene>& scenes,
                       std::string& error);
// False with `error` set when the file cannot be read or is cut short or malformed.
bool ReadSceneRecords(const std::string& path, std::vector<Scene>& scenes, std::string& error);

#endif // TESTS_SCENES_SCENE_RECORDS_H
