// A top-down 32-bit DIB section, the surface most GDI tests draw on.
#ifndef TESTS_GDI_TOP_DOWN_DIB_H
#define TESTS_GDI_TOP_DOWN_DIB_H

#include "runtime/win_gdi.h"

#include <cstdint>

// The description of a 32-bit DIB of width x height pixels, rows top-down.
inline BITMAPINFO TopDownDibInfo(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return info;
}

// Null when the layer refuses; `bits`, when given, receives the first row's first pixel.
inline HBITMAP MakeTopDownDib(int width, int height, uint32_t** bits = nullptr)
{
    const BITMAPINFO info = TopDownDibInfo(width, height);
    void* p = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    if (bits)
        *bits = static_cast<uint32_t*>(p);
    return bitmap;
}

#endif // TESTS_GDI_TOP_DOWN_DIB_H
