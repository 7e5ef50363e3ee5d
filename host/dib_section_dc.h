// A drawing surface for hosts: a memory device context with a 32-bpp top-down DIB section
// selected into it, whose pixels can be read back.
#ifndef HOST_DIB_SECTION_DC_H
#define HOST_DIB_SECTION_DC_H

#include "host/image.h"
#include "runtime/win_gdi.h"

class DibSectionDc {
public:
    DibSectionDc(int width, int height);
    ~DibSectionDc();
    DibSectionDc(const DibSectionDc&) = delete;
    DibSectionDc& operator=(const DibSectionDc&) = delete;

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

#endif // HOST_DIB_SECTION_DC_H
