// GDI objects and device contexts: the entry points. Each checks its handles through the table
// and reports to the recorder, if one is installed.
#include "platform/gdi/gdi.h"

#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/gdi_record_internal.h"

#include <cstring>

using namespace gdi;

static_assert(sizeof(BITMAP) == (sizeof(void*) == 8 ? 32 : 24), "BITMAP has the Windows layout");
static_assert(sizeof(DIBSECTION) == (sizeof(void*) == 8 ? 104 : 84),
              "DIBSECTION has the Windows layout");
static_assert(sizeof(LOGBRUSH) == (sizeof(void*) == 8 ? 16 : 12),
              "LOGBRUSH has the Windows layout");

namespace {

HBITMAP new_bitmap(int width, int height, bool dib, bool bottom_up)
{
    HGDIOBJ handle = create_object(Kind::bitmap);
    Object* object = lookup(handle, Kind::bitmap);
    if (!object)
        return nullptr;
    Bitmap& b = object->bitmap;
    b.width = width;
    b.height = height;
    b.dib = dib;
    b.bottom_up = bottom_up;
    b.allocate(static_cast<size_t>(width) * static_cast<size_t>(height));
    return static_cast<HBITMAP>(handle);
}

// Large enough to refuse rather than overflow a size_t or int stride.
constexpr int64_t max_pixels = int64_t{1} << 28;

int get_object(HANDLE handle, int size, void* out)
{
    Object* object = lookup_any(handle);
    if (!object)
        return 0;
    // GDI reads the size as unsigned: -1 is "as much as you have".
    const size_t room = static_cast<unsigned>(size);
    if (object->kind == Kind::brush) {
        LOGBRUSH lb = {BS_SOLID, object->brush.colour, 0};
        if (!out)
            return sizeof lb;
        const size_t n = room < sizeof lb ? room : sizeof lb;
        std::memcpy(out, &lb, n);
        return static_cast<int>(n);
    }
    if (object->kind != Kind::bitmap)
        return 0;
    const Bitmap& b = object->bitmap;
    if (!out)
        return sizeof(BITMAP);
    if (room < sizeof(BITMAP))
        return 0;
    DIBSECTION ds;
    std::memset(&ds, 0, sizeof ds);
    ds.dsBm.bmType = 0;
    ds.dsBm.bmWidth = b.width;
    ds.dsBm.bmHeight = b.height;
    // Rows are word-aligned for DDBs; 32-bpp rows are anyway.
    ds.dsBm.bmWidthBytes = b.bits_per_pixel == 1 ? ((b.width + 15) / 16) * 2 : b.width * 4;
    ds.dsBm.bmPlanes = 1;
    ds.dsBm.bmBitsPixel = static_cast<WORD>(b.bits_per_pixel);
    ds.dsBm.bmBits = b.dib ? b.pixels : nullptr;
    if (b.dib && room >= sizeof(DIBSECTION)) {
        ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
        ds.dsBmih.biWidth = b.width;
        ds.dsBmih.biHeight = b.height; // positive even for top-down sections
        ds.dsBmih.biPlanes = 1;
        ds.dsBmih.biBitCount = 32;
        ds.dsBmih.biCompression = BI_RGB;
        ds.dsBmih.biSizeImage = static_cast<DWORD>(b.width) * 4u * static_cast<DWORD>(b.height);
        std::memcpy(out, &ds, sizeof ds);
        return sizeof ds;
    }
    std::memcpy(out, &ds.dsBm, sizeof ds.dsBm);
    return sizeof ds.dsBm;
}

HBITMAP create_bitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits)
{
    if (planes != 1 || bits_per_pixel != 32)
        return nullptr;
    if (width == 0 || height == 0)
        return default_bitmap();
    // A negative size counts by its magnitude; computed wide so INT_MIN is no problem.
    const int64_t w = width < 0 ? -int64_t{width} : width;
    const int64_t h = height < 0 ? -int64_t{height} : height;
    if (w * h > max_pixels)
        return nullptr;
    HBITMAP handle = new_bitmap(static_cast<int>(w), static_cast<int>(h), false, false);
    if (handle && bits) {
        Object* object = lookup(handle, Kind::bitmap);
        std::memcpy(object->bitmap.pixels, bits, static_cast<size_t>(w * h) * 4);
    }
    return handle;
}

HBITMAP create_dib_section(const BITMAPINFO* info, UINT usage, void** bits)
{
    if (bits)
        *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS)
        return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biBitCount != 32 ||
        h.biCompression != BI_RGB)
        return nullptr;
    const int64_t width = h.biWidth;
    const int64_t height = h.biHeight < 0 ? -int64_t{h.biHeight} : h.biHeight;
    if (width <= 0 || height <= 0 || width * height > max_pixels)
        return nullptr;
    HBITMAP handle =
        new_bitmap(static_cast<int>(width), static_cast<int>(height), true, h.biHeight > 0);
    if (handle && bits)
        *bits = lookup(handle, Kind::bitmap)->bitmap.pixels;
    return handle;
}

} // namespace

extern "C" {

HGDIOBJ WINAPI GetStockObject(int index)
{
    HGDIOBJ result = stock_brush(index);
    if (recording())
        emit("GetStockObject", {arg(index)}, arg(result));
    return result;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF colour)
{
    HGDIOBJ handle = create_object(Kind::brush);
    if (Object* object = lookup(handle, Kind::brush)) {
        object->brush.colour = colour;
        object->brush.pixel = colour_to_pixel(colour);
    }
    if (recording())
        emit("CreateSolidBrush", {arg(colour)}, arg(handle));
    return static_cast<HBRUSH>(handle);
}

BOOL WINAPI DeleteObject(HGDIOBJ object)
{
    const BOOL result = delete_object(object);
    if (recording())
        emit("DeleteObject", {arg(object)}, arg(result));
    return result;
}

int WINAPI GetObjectA(HANDLE object, int size, LPVOID out)
{
    const int result = get_object(object, size, out);
    if (recording())
        emit("GetObjectA", {arg(object), arg(size), arg(out)}, arg(result));
    return result;
}

HDC WINAPI CreateCompatibleDC(HDC dc)
{
    HDC result = dc && !lookup(dc, Kind::dc) ? nullptr : create_dc();
    if (recording())
        emit("CreateCompatibleDC", {arg(dc)}, arg(result));
    return result;
}

BOOL WINAPI DeleteDC(HDC dc)
{
    const BOOL result = delete_dc(dc);
    if (recording())
        emit("DeleteDC", {arg(dc)}, arg(result));
    return result;
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object)
{
    HGDIOBJ result = select_object(dc, object);
    if (recording())
        emit("SelectObject", {arg(dc), arg(object)}, arg(result));
    return result;
}

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel,
                            const void* bits)
{
    HBITMAP result = create_bitmap(width, height, planes, bits_per_pixel, bits);
    if (recording())
        emit("CreateBitmap", {arg(width), arg(height), arg(planes), arg(bits_per_pixel), arg(bits)},
             arg(result));
    return result;
}

HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                HANDLE section, DWORD offset)
{
    // Sections backed by file mappings are not supported.
    HBITMAP result = section ? nullptr : create_dib_section(info, usage, bits);
    if (section && bits)
        *bits = nullptr;
    if (recording())
        emit("CreateDIBSection",
             {arg(dc), arg(info), arg(usage), arg(bits), arg(section), arg(offset)}, arg(result));
    return result;
}

int WINAPI SetStretchBltMode(HDC dc, int mode)
{
    int result = 0;
    if (Object* object = lookup(dc, Kind::dc); object && mode >= BLACKONWHITE && mode <= HALFTONE) {
        result = object->dc.stretch_mode;
        object->dc.stretch_mode = mode;
    }
    if (recording())
        emit("SetStretchBltMode", {arg(dc), arg(mode)}, arg(result));
    return result;
}

int WINAPI GetStretchBltMode(HDC dc)
{
    Object* object = lookup(dc, Kind::dc);
    const int result = object ? object->dc.stretch_mode : 0;
    if (recording())
        emit("GetStretchBltMode", {arg(dc)}, arg(result));
    return result;
}

COLORREF WINAPI GetPixel(HDC dc, int x, int y)
{
    COLORREF result = CLR_INVALID;
    const Surface s = dc_surface(dc);
    if (x >= 0 && y >= 0 && x < s.width && y < s.height) {
        const uint32_t p = s.row(y)[x];
        result = RGB((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff);
    }
    if (recording())
        emit("GetPixel", {arg(dc), arg(x), arg(y)}, arg(result));
    return result;
}

BOOL WINAPI GdiFlush(void)
{
    // Nothing is batched: every call has drawn before it returns.
    if (recording())
        emit("GdiFlush", {}, arg(1));
    return TRUE;
}

} // extern "C"
