// A bitmap's pixels: 32-bpp rows between guard words, and the view raster calls draw through.
#ifndef PLATFORM_GDI_BITMAP_H
#define PLATFORM_GDI_BITMAP_H

#include "platform/gdi/gdi.h"
#include "platform/gdi/pixel_view.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace gdi {

// Words written before and after every bitmap's pixels; tests check them to prove no operation
// strays outside a surface.
constexpr size_t kGuardWords = 16;
constexpr uint32_t kGuardValue = 0x6a09e667u;

struct Bitmap {
    int width = 0;
    int height = 0;
    bool mono = false; // the 1x1 default bitmap, 1 bit per pixel; every other one has 32
    bool dib = false;
    bool bottomUp = false;
    // Rows of `width` pixels, first row first in memory, between guard words: inside `storage`,
    // or static storage for the default bitmap.
    std::unique_ptr<uint32_t[]> storage;
    uint32_t* pixels = nullptr;
    HDC selectedIn = nullptr; // memory bitmaps live in at most one DC
    uint64_t writes = 0;      // see PixelView::writes
    // Numbers the bitmaps ever allocated: unlike a handle (with 32-bit pointers a slot's handles
    // repeat after 256 reuses), never shared by two bitmaps, so nothing kept of one shows for
    // another.
    uint64_t serial = 0;
    PixelView view; // made once the pixels are placed: selecting reads it
    // What GetObjectA answers, made with the view: nothing a bitmap's pixels go through changes
    // it, so it is never made again.
    BITMAP description{};

    // Room for width x height pixels, zeroed, guards written, a new serial, and the view made;
    // false when memory is short.
    bool Allocate();
    // The view and the description of `pixels` as the fields above describe them.
    void MakeView();
    bool GuardsIntact() const;
};

} // namespace gdi

#endif // PLATFORM_GDI_BITMAP_H
