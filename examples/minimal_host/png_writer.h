// Writes 0x00RRGGBB pixels, rows top to bottom, as a PNG file: 8-bit RGB, no compression (stored
// deflate blocks), so the example needs no image library.
#ifndef EXAMPLE_PNG_WRITER_H
#define EXAMPLE_PNG_WRITER_H

#include <cstdint>
#include <string>
#include <vector>

bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);

#endif
