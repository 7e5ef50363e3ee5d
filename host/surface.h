// A drawing surface for hosts: a memory device context with a 32-bpp top-down DIB section
// selected into it, whose pixels can be read back.
#ifndef HOST_SURFACE_H
#define HOST_SURFACE_H

#include "host/image.h"
#include "runtime/win_gdi.h"

class Surface {
public:
    Surface(int width, int height);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    bool Ok() const { return bits_ != nullptr; }
    HDC Dc() const { return dc_; }
    void Fill(COLORREF colour);
    Image Snapshot() const; // flushes GDI first

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t* bits_ = nullptr;
};

// A bitmap from 0x00RRGGBB pixels, rows top to bottom; null when it cannot be made.
HBITMAP BitmapFromImage(const Image& image);

#endif // HOST_SURFACE_H
