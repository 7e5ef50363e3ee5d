#include "host/dib_section_dc.h"

#include <cstring>

DibSectionDc::DibSectionDc(int width, int height) : width_(width), height_(height)
{
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc_ || !bitmap_ || !bits)
        return;
    previous_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<uint32_t*>(bits);
}

DibSectionDc::~DibSectionDc()
{
    if (dc_ && previous_)
        SelectObject(dc_, previous_);
    if (bitmap_)
        DeleteObject(bitmap_);
    if (dc_)
        DeleteDC(dc_);
}

void DibSectionDc::Fill(COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all;
    SetRect(&all, 0, 0, width_, height_);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

Image DibSectionDc::Snapshot() const
{
    GdiFlush();
    Image image;
    image.width = width_;
    image.height = height_;
    image.pixels.assign(bits_, bits_ + static_cast<size_t>(width_) * height_);
    for (uint32_t& p : image.pixels)
        p &= 0x00ffffffu;
    return image;
}

HBITMAP BitmapFromImage(const Image& image)
{
    // 32-bpp rows are already word-aligned; the pixel layout is that of a DIB: B, G, R, unused.
    return CreateBitmap(image.width, image.height, 1, 32, image.pixels.data());
}
