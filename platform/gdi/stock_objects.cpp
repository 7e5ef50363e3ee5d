#include "platform/gdi/stock_objects.h"

#include "platform/gdi/handle_table.h"

namespace gdi {

namespace {

struct Stock {
    HGDIOBJ brushes[BLACK_BRUSH + 1];
    HBITMAP bitmap;
};

HGDIOBJ MakeStockBrush(uint32_t pixel, COLORREF colour)
{
    GdiObject* object = nullptr;
    HGDIOBJ handle = CreateObject(Kind::kBrush, &object);
    object->stock = true;
    object->brush.pixel = pixel;
    object->brush.colour = colour;
    return handle;
}

const Stock& TheStock()
{
    static const Stock stock = [] {
        Stock made;
        const uint8_t kLevels[BLACK_BRUSH + 1] = {0xff, 0xc0, 0x80, 0x40, 0x00};
        for (int i = WHITE_BRUSH; i <= BLACK_BRUSH; ++i) {
            const uint8_t v = kLevels[i];
            made.brushes[i] = MakeStockBrush(0x010101u * v, RGB(v, v, v));
        }
        GdiObject* object = nullptr;
        HGDIOBJ handle = CreateObject(Kind::kBitmap, &object);
        object->stock = true;
        object->bitmap.width = 1;
        object->bitmap.height = 1;
        object->bitmap.bitsPerPixel = 1;
        object->bitmap.Allocate();
        made.bitmap = static_cast<HBITMAP>(handle);
        return made;
    }();
    return stock;
}

} // namespace

HGDIOBJ StockBrush(int index)
{
    if (index < WHITE_BRUSH || index > BLACK_BRUSH)
        return nullptr;
    return TheStock().brushes[index];
}

HBITMAP DefaultBitmap() { return TheStock().bitmap; }

} // namespace gdi
