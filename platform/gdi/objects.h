// The objects behind GDI handles.
#ifndef PLATFORM_GDI_OBJECTS_H
#define PLATFORM_GDI_OBJECTS_H

#include "platform/gdi/bitmap.h"
#include "platform/gdi/gdi.h"

#include <cstdint>

namespace gdi {

// Each kind has its own byte in the handle, so a handle of the wrong kind is told apart without
// looking at the object.
enum class Kind : uint8_t { kNone = 0, kDc = 0x31, kBitmap = 0x47, kBrush = 0x5c };

struct Brush {
    uint32_t pixel = 0;  // the colour as a 32-bpp DIB pixel
    COLORREF colour = 0; // as created, for GetObjectA
    int selections = 0;  // DCs holding it
};

struct GdiObject;

struct DeviceContext {
    HGDIOBJ bitmap = nullptr;
    PixelView view; // the selected bitmap's pixels, kept with the selection
    HGDIOBJ brush = nullptr;
    // The objects behind the two handles: a selected object lives at least as long as its
    // selection, so letting go of it needs no lookup.
    GdiObject* bitmapObject = nullptr;
    GdiObject* brushObject = nullptr;
    int stretchMode = 0; // a new DC starts in BLACKONWHITE
};

struct GdiObject {
    Kind kind = Kind::kNone;
    bool stock = false;
    bool deletePending = false; // deleted while selected; goes when deselected
    Bitmap bitmap;
    Brush brush;
    DeviceContext dc;
};

} // namespace gdi

#endif // PLATFORM_GDI_OBJECTS_H
