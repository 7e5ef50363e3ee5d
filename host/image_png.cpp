// PNG files through libpng's simplified interface.
#include "host/image.h"

#include <png.h>

#include <cstring>

bool ReadPng(const std::string& path, Image& image, std::string& error)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        error = png.message;
        return false;
    }
    // Any PNG becomes 8-bit BGRA in memory, which on little-endian machines reads as 0xAARRGGBB.
    png.format = PNG_FORMAT_BGRA;
    if (png.width == 0 || png.height == 0 || png.width > 4096 || png.height > 4096) {
        png_image_free(&png);
        error = "image size " + std::to_string(png.width) + "x" + std::to_string(png.height) +
                " is outside 1..4096";
        return false;
    }
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
        error = png.message;
        return false;
    }
    for (uint32_t& p : image.pixels)
        p &= 0x00ffffffu;
    return true;
}

bool WritePng(const std::string& path, const Image& image, std::string& error)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    // 0x00RRGGBB in little-endian memory is B, G, R, X: written as BGR with the fourth byte
    // skipped.
    png.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> opaque(image.pixels);
    for (uint32_t& p : opaque)
        p |= 0xff000000u;
    if (!png_image_write_to_file(&png, path.c_str(), 0, opaque.data(), 0, nullptr)) {
        error = png.message;
        return false;
    }
    return true;
}
