// A 32-bit image in memory (0x00RRGGBB per pixel, rows top to bottom) and PNG files.
#ifndef HOST_IMAGE_H
#define HOST_IMAGE_H

#include <cstdint>
#include <string>
#include <vector>

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // width * height, 0x00RRGGBB

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Both return false and fill `error` with one line when the file cannot be read or written.
bool ReadPng(const std::string& path, Image& image, std::string& error);
bool WritePng(const std::string& path, const Image& image, std::string& error);

#endif // HOST_IMAGE_H
