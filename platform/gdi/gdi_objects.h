// The objects behind GDI handles and the table that checks every handle before use.
#ifndef PLATFORM_GDI_GDI_OBJECTS_H
#define PLATFORM_GDI_GDI_OBJECTS_H

#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_surface.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace gdi {

enum class Kind : uint8_t { none = 0, dc = 0x31, bitmap = 0x47, brush = 0x5c };

struct Bitmap {
    int width = 0;
    int height = 0;
    int bits_per_pixel = 32; // 32, or 1 for the 1x1 default bitmap
    bool dib = false;
    bool bottom_up = false;
    // Rows of `width` pixels, first row first in memory, inside `storage` between guard words
    // that tests check to prove no operation strays outside a surface.
    std::unique_ptr<uint32_t[]> storage;
    uint32_t* pixels = nullptr;
    void allocate(size_t count);
    HDC selected_in = nullptr; // memory bitmaps live in at most one DC
    Surface surface() const;
};

struct Brush {
    uint32_t pixel = 0;  // the colour as a 32-bpp DIB pixel
    COLORREF colour = 0; // as created, for GetObjectA
    int selections = 0;  // DCs holding it
};

struct DeviceContext {
    HGDIOBJ bitmap = nullptr;
    HGDIOBJ brush = nullptr;
    int stretch_mode = BLACKONWHITE;
};

struct Object {
    Kind kind = Kind::none;
    bool stock = false;
    bool delete_pending = false; // deleted while selected; goes when deselected
    uint32_t generation = 0;
    Bitmap bitmap;
    Brush brush;
    DeviceContext dc;
};

// Looks a handle up; null unless it names a live object of that kind. Never dereferences the
// handle value itself, so garbage is safe.
Object* lookup(const void* handle, Kind kind);
Object* lookup_any(const void* handle);
HGDIOBJ create_object(Kind kind);
void destroy_object(HGDIOBJ handle);

HGDIOBJ stock_brush(int index);
HBITMAP default_bitmap();

// The colour a COLORREF paints on a 32-bpp surface.
uint32_t colour_to_pixel(COLORREF colour);

// The surface a DC draws on; empty (zero size) when the DC or its bitmap is unusable.
Surface dc_surface(HDC dc);

constexpr size_t guard_words = 16;
constexpr uint32_t guard_value = 0x6a09e667u;

HDC create_dc();
bool delete_dc(HDC dc);
bool delete_object(HGDIOBJ handle);

// SelectObject without recording, for USER calls that borrow a brush.
HGDIOBJ select_object(HDC dc, HGDIOBJ object);

} // namespace gdi

#endif // PLATFORM_GDI_GDI_OBJECTS_H
