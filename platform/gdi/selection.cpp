#include "platform/gdi/selection.h"

#include "platform/gdi/handle_table.h"
#include "platform/gdi/stock_objects.h"

namespace gdi {

namespace {

// Whether a DC still holds the object. Stock objects are not counted: they never go.
bool Held(const GdiObject& object)
{
    return object.kind == Kind::kBitmap ? object.bitmap.selectedIn != nullptr
                                        : object.brush.selections > 0;
}

// Drops a DC's hold on the object behind `handle`, finishing a deferred delete.
void Release(HDC dc, HGDIOBJ handle, GdiObject* object)
{
    if (object->stock)
        return;
    if (object->kind == Kind::kBitmap && object->bitmap.selectedIn == dc)
        object->bitmap.selectedIn = nullptr;
    if (object->kind == Kind::kBrush && object->brush.selections > 0)
        --object->brush.selections;
    if (object->deletePending && !Held(*object))
        DestroyLiveObject(handle);
}

} // namespace

HGDIOBJ SelectIntoDc(HDC dc, HGDIOBJ handle)
{
    GdiObject* owner = Lookup(dc, Kind::kDc);
    GdiObject* object = LookupAny(handle);
    if (!owner || !object)
        return nullptr;
    if (object->kind == Kind::kBitmap) {
        HGDIOBJ previous = owner->dc.bitmap;
        GdiObject* previousObject = owner->dc.bitmapObject;
        if (previous == handle)
            return previous;
        // A memory bitmap can be in one DC at a time; the stock one is shared.
        if (!object->stock) {
            if (object->bitmap.selectedIn)
                return nullptr;
            object->bitmap.selectedIn = dc;
        }
        owner->dc.bitmap = handle;
        owner->dc.bitmapObject = object;
        owner->dc.view = object->bitmap.view;
        Release(dc, previous, previousObject);
        return previous;
    }
    if (object->kind == Kind::kBrush) {
        HGDIOBJ previous = owner->dc.brush;
        GdiObject* previousObject = owner->dc.brushObject;
        if (!object->stock)
            ++object->brush.selections;
        owner->dc.brush = handle;
        owner->dc.brushObject = object;
        Release(dc, previous, previousObject);
        return previous;
    }
    return nullptr;
}

HDC CreateDc()
{
    const HGDIOBJ bitmap = DefaultBitmap();
    const HGDIOBJ brush = StockBrush(WHITE_BRUSH);
    GdiObject* object = nullptr;
    // A memory DC made and deleted per drawn bitmap costs a handle each and no more.
    if (HGDIOBJ kept = ReviveKeptDc(&object))
        return static_cast<HDC>(kept);
    HGDIOBJ handle = CreateObject(Kind::kDc, &object);
    if (!handle)
        return nullptr;
    GdiObject& bitmapObject = ReservedObject(stock::kDefaultBitmapSlot);
    object->dc.bitmap = bitmap;
    object->dc.bitmapObject = &bitmapObject;
    object->dc.view = bitmapObject.bitmap.view;
    object->dc.brush = brush;
    object->dc.brushObject = &ReservedObject(WHITE_BRUSH);
    object->dc.stretchMode = BLACKONWHITE;
    return static_cast<HDC>(handle);
}

bool DeleteDc(HDC dc)
{
    GdiObject* object = Lookup(dc, Kind::kDc);
    if (!object)
        return false;
    const HGDIOBJ bitmap = object->dc.bitmap, brush = object->dc.brush;
    // Holding only stock objects, in the first mode, it is as CreateDc() makes one: kept whole
    // for the next (letting go of stock objects does nothing).
    if (bitmap == DefaultBitmap() && brush == StockBrush(WHITE_BRUSH) &&
        object->dc.stretchMode == BLACKONWHITE && KeepDeletedDc(dc))
        return true;
    GdiObject* const bitmapObject = object->dc.bitmapObject;
    GdiObject* const brushObject = object->dc.brushObject;
    DestroyLiveObject(dc);
    Release(dc, bitmap, bitmapObject);
    Release(dc, brush, brushObject);
    return true;
}

bool DeleteGdiObject(HGDIOBJ handle)
{
    GdiObject* object = LookupAny(handle);
    if (!object)
        return false;
    if (object->stock)
        return true; // stock objects outlive every DeleteObject
    switch (object->kind) {
    case Kind::kDc:
        return DeleteDc(static_cast<HDC>(handle));
    case Kind::kBitmap:
    case Kind::kBrush:
        if (Held(*object)) {
            object->deletePending = true;
            return true;
        }
        break;
    case Kind::kNone:
        return false;
    }
    DestroyObject(handle);
    return true;
}

} // namespace gdi
