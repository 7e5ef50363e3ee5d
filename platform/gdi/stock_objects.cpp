#include "platform/gdi/stock_objects.h"

namespace gdi {

namespace {

// The default bitmap's one pixel between guard words, like every other bitmap's.
uint32_t defaultBitmapStorage[1 + 2 * kGuardWords];

struct StockPlacement {
    StockPlacement()
    {
        const uint8_t kLevels[BLACK_BRUSH + 1] = {0xff, 0xc0, 0x80, 0x40, 0x00};
        GdiObject* object = nullptr;
        for (int i = WHITE_BRUSH; i <= BLACK_BRUSH; ++i) {
            const uint8_t v = kLevels[i];
            PlaceReservedObject(static_cast<uint32_t>(i), Kind::kBrush, &object);
            object->stock = true;
            object->brush.pixel = 0x010101u * v;
            object->brush.colour = RGB(v, v, v);
        }
        PlaceReservedObject(stock::kDefaultBitmapSlot, Kind::kBitmap, &object);
        object->stock = true;
        Bitmap& b = object->bitmap;
        b.width = 1;
        b.height = 1;
        b.mono = true;
        for (uint32_t& word : defaultBitmapStorage)
            word = kGuardValue;
        b.pixels = defaultBitmapStorage + kGuardWords;
        b.pixels[0] = 0;
        b.MakeView();
    }
};

// Before any caller can run: the library's initialisers run before those of anything that
// links it.
StockPlacement placement;

} // namespace

} // namespace gdi
