// GDI objects and device contexts: the entry points. Each checks its handles through the table
// and reports to the recorder, if one is installed.
#include "platform/gdi/gdi.h"

#include "platform/gdi/colour.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/recorder_hooks.h"
#include "platform/gdi/selection.h"
#include "platform/gdi/stock_objects.h"
#include "platform/gdi/stretch_modes.h"

#include <cstring>

using namespace gdi;

static_assert(sizeof(BITMAP) == (sizeof(void*) == 8 ? 32 : 24), "BITMAP has the Windows layout");
static_assert(sizeof(DIBSECTION) == (sizeof(void*) == 8 ? 104 : 84),
              "DIBSECTION has the Windows layout");
static_assert(sizeof(LOGBRUSH) == (sizeof(void*) == 8 ? 16 : 12),
              "LOGBRUSH has the Windows layout");

namespace {

HBITMAP NewBitmap(int width, int height, bool dib, bool bottomUp, Bitmap** made)
{
    GdiObject* object = nullptr;
    HGDIOBJ handle = CreateObject(Kind::kBitmap, &object);
    if (!handle)
        return nullptr;
    Bitmap& b = object->bitmap;
    b.width = width;
    b.height = height;
    b.dib = dib;
    b.bottomUp = bottomUp;
    if (!b.Allocate()) {
        DestroyObject(handle); // nothing half made stays behind
        return nullptr;
    }
    *made = &b;
    return static_cast<HBITMAP>(handle);
}

// Large enough to refuse rather than overflow a size_t or int stride.
constexpr int64_t kMaxPixels = int64_t{1} << 28;

// These two out of line: their records on the stack would cost every GetObjectA a stack frame
// and its guard.
[[gnu::noinline]] int DescribeBrush(const Brush& brush, size_t room, void* out)
{
    LOGBRUSH lb = {BS_SOLID, brush.colour, 0};
    if (!out)
        return sizeof lb;
    const size_t n = room < sizeof lb ? room : sizeof lb;
    std::memcpy(out, &lb, n);
    return static_cast<int>(n);
}

[[gnu::noinline]] int DescribeSection(const Bitmap& b, void* out)
{
    DIBSECTION ds;
    std::memset(&ds, 0, sizeof ds);
    std::memcpy(&ds.dsBm, &b.description, sizeof b.description);
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

int GetObjectInfo(HANDLE handle, int size, void* out)
{
    const GdiObject* object = LookupAny(handle);
    if (!object)
        return 0;
    // GDI reads the size as unsigned: -1 is "as much as you have".
    const size_t room = static_cast<unsigned>(size);
    if (object->kind == Kind::kBrush)
        return DescribeBrush(object->brush, room, out);
    if (object->kind != Kind::kBitmap)
        return 0;
    const Bitmap& b = object->bitmap;
    if (!out)
        return sizeof(BITMAP);
    if (room < sizeof(BITMAP))
        return 0;
    if (b.dib && room >= sizeof(DIBSECTION))
        return DescribeSection(b, out);
    std::memcpy(out, &b.description, sizeof b.description);
    return sizeof b.description;
}

HBITMAP NewDdb(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (planes != 1 || bitsPerPixel != 32)
        return nullptr;
    if (width == 0 || height == 0)
        return DefaultBitmap();
    // A negative size counts by its magnitude; computed wide so INT_MIN is no problem.
    const int64_t w = width < 0 ? -int64_t{width} : width;
    const int64_t h = height < 0 ? -int64_t{height} : height;
    if (w * h > kMaxPixels)
        return nullptr;
    Bitmap* made = nullptr;
    HBITMAP handle = NewBitmap(static_cast<int>(w), static_cast<int>(h), false, false, &made);
    if (handle && bits)
        std::memcpy(made->pixels, bits, static_cast<size_t>(w * h) * 4);
    return handle;
}

HBITMAP NewDibSection(const BITMAPINFO* info, UINT usage, void** bits)
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
    if (width <= 0 || height <= 0 || width * height > kMaxPixels)
        return nullptr;
    Bitmap* made = nullptr;
    HBITMAP handle =
        NewBitmap(static_cast<int>(width), static_cast<int>(height), true, h.biHeight > 0, &made);
    if (handle && bits)
        *bits = made->pixels;
    return handle;
}

} // namespace

extern "C" {

HGDIOBJ WINAPI GetStockObject(int index) noexcept
{
    HGDIOBJ result = StockBrush(index);
    if (Recording())
        Report("GetStockObject", result, index);
    return result;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF colour) noexcept
{
    GdiObject* object = nullptr;
    HGDIOBJ handle = CreateObject(Kind::kBrush, &object);
    if (handle) {
        object->brush.colour = colour;
        object->brush.pixel = ColourToPixel(colour);
    }
    if (Recording())
        Report("CreateSolidBrush", handle, colour);
    return static_cast<HBRUSH>(handle);
}

BOOL WINAPI DeleteObject(HGDIOBJ object) noexcept
{
    const BOOL result = DeleteGdiObject(object);
    if (Recording())
        Report("DeleteObject", result, object);
    return result;
}

int WINAPI GetObjectA(HANDLE object, int size, LPVOID out) noexcept
{
    const int result = GetObjectInfo(object, size, out);
    if (Recording())
        Report("GetObjectA", result, object, size, out);
    return result;
}

HDC WINAPI CreateCompatibleDC(HDC dc) noexcept
{
    HDC result = dc && !Lookup(dc, Kind::kDc) ? nullptr : CreateDc();
    if (Recording())
        Report("CreateCompatibleDC", result, dc);
    return result;
}

BOOL WINAPI DeleteDC(HDC dc) noexcept
{
    const BOOL result = DeleteDc(dc);
    if (Recording())
        Report("DeleteDC", result, dc);
    return result;
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) noexcept
{
    HGDIOBJ result = SelectIntoDc(dc, object);
    if (Recording())
        Report("SelectObject", result, dc, object);
    return result;
}

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                            const void* bits) noexcept
{
    HBITMAP result = NewDdb(width, height, planes, bitsPerPixel, bits);
    if (Recording())
        Report("CreateBitmap", result, width, height, planes, bitsPerPixel, bits);
    return result;
}

HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                HANDLE section, DWORD offset) noexcept
{
    // Sections backed by file mappings are not supported.
    HBITMAP result = section ? nullptr : NewDibSection(info, usage, bits);
    if (section && bits)
        *bits = nullptr;
    if (Recording())
        Report("CreateDIBSection", result, dc, info, usage, bits, section, offset);
    return result;
}

int WINAPI SetStretchBltMode(HDC dc, int mode) noexcept
{
    int result = 0;
    if (GdiObject* object = Lookup(dc, Kind::kDc); object && FindStretchMode(mode)) {
        result = object->dc.stretchMode;
        object->dc.stretchMode = mode;
    }
    if (Recording())
        Report("SetStretchBltMode", result, dc, mode);
    return result;
}

int WINAPI GetStretchBltMode(HDC dc) noexcept
{
    GdiObject* object = Lookup(dc, Kind::kDc);
    const int result = object ? object->dc.stretchMode : 0;
    if (Recording())
        Report("GetStretchBltMode", result, dc);
    return result;
}

COLORREF WINAPI GetPixel(HDC dc, int x, int y) noexcept
{
    COLORREF result = CLR_INVALID;
    const PixelView view = DcView(dc);
    if (x >= 0 && y >= 0 && x < view.width && y < view.height)
        result = PixelToColour(view.Row(y)[x]);
    if (Recording())
        Report("GetPixel", result, dc, x, y);
    return result;
}

BOOL WINAPI GdiFlush(void) noexcept
{
    // Nothing is batched: every call has drawn before it returns.
    if (Recording())
        Report("GdiFlush", 1);
    return TRUE;
}

} // extern "C"
