// The handle table. A handle packs a slot index, the object's kind and the slot's generation, so
// a handle to a deleted object (or one a later object reuses the slot of) never matches, and
// a garbage value is only ever compared, never dereferenced.
#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/gdi_recorder.h"

#include <cstring>

namespace gdi {
namespace {

constexpr uint64_t index_bits = 20;
constexpr uint64_t max_slots = uint64_t{1} << index_bits;

struct Table {
    std::vector<Object> slots;
    std::vector<uint32_t> free_slots;
};

Table& table()
{
    static Table t;
    return t;
}

uint64_t pack(uint64_t index, Kind kind, uint32_t generation)
{
    // Index + 1 so that no handle is null; the kind is in the handle so a handle of the
    // wrong kind is rejected without touching the table.
    return (uint64_t{generation} << 32) | (uint64_t{static_cast<uint8_t>(kind)} << 24) |
           (index + 1);
}

Object* find(const void* handle)
{
    const uint64_t value = reinterpret_cast<uintptr_t>(handle);
    const uint64_t index_plus_one = value & (max_slots - 1);
    if ((value >> index_bits) & 0xf)
        return nullptr; // bits no handle has
    if (index_plus_one == 0)
        return nullptr;
    Table& t = table();
    const uint64_t index = index_plus_one - 1;
    if (index >= t.slots.size())
        return nullptr;
    Object& object = t.slots[index];
    if (object.kind == Kind::none)
        return nullptr;
    if (pack(index, object.kind, object.generation) != value)
        return nullptr;
    return &object;
}

} // namespace

void Bitmap::allocate(size_t count)
{
    storage.reset(new uint32_t[count + 2 * guard_words]());
    for (size_t i = 0; i < guard_words; ++i)
        storage[i] = storage[count + guard_words + i] = guard_value;
    pixels = storage.get() + guard_words;
}

bool guards_intact()
{
    for (const Object& object : table().slots) {
        if (object.kind != Kind::bitmap || !object.bitmap.storage)
            continue;
        const size_t count =
            static_cast<size_t>(object.bitmap.width) * static_cast<size_t>(object.bitmap.height);
        for (size_t i = 0; i < guard_words; ++i)
            if (object.bitmap.storage[i] != guard_value ||
                object.bitmap.storage[count + guard_words + i] != guard_value)
                return false;
    }
    return true;
}

Surface Bitmap::surface() const
{
    Surface s;
    s.width = width;
    s.height = height;
    s.mono = bits_per_pixel == 1;
    if (bottom_up) {
        s.top_row = pixels + static_cast<ptrdiff_t>(height - 1) * width;
        s.stride = -static_cast<ptrdiff_t>(width);
    } else {
        s.top_row = pixels;
        s.stride = width;
    }
    return s;
}

Object* lookup(const void* handle, Kind kind)
{
    Object* object = find(handle);
    return object && object->kind == kind ? object : nullptr;
}

Object* lookup_any(const void* handle) { return find(handle); }

HGDIOBJ create_object(Kind kind)
{
    Table& t = table();
    uint64_t index;
    if (!t.free_slots.empty()) {
        index = t.free_slots.back();
        t.free_slots.pop_back();
    } else {
        if (t.slots.size() >= max_slots - 1)
            return nullptr;
        index = t.slots.size();
        t.slots.emplace_back();
    }
    Object& object = t.slots[index];
    const uint32_t generation = object.generation;
    object = Object{};
    object.kind = kind;
    object.generation = generation;
    return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(pack(index, kind, generation)));
}

void destroy_object(HGDIOBJ handle)
{
    Object* object = find(handle);
    if (!object)
        return;
    Table& t = table();
    const uint32_t index = static_cast<uint32_t>(object - t.slots.data());
    const uint32_t generation = object->generation + 1;
    *object = Object{};
    object->generation = generation;
    t.free_slots.push_back(index);
}

namespace {

struct Stock {
    HGDIOBJ brushes[5];
    HBITMAP bitmap;
};

HGDIOBJ make_stock_brush(uint32_t pixel, COLORREF colour)
{
    HGDIOBJ handle = create_object(Kind::brush);
    Object* object = lookup(handle, Kind::brush);
    object->stock = true;
    object->brush.pixel = pixel;
    object->brush.colour = colour;
    return handle;
}

const Stock& stock()
{
    static const Stock s = [] {
        Stock made;
        const uint8_t levels[5] = {0xff, 0xc0, 0x80, 0x40, 0x00};
        for (int i = 0; i < 5; ++i) {
            const uint8_t v = levels[i];
            made.brushes[i] = make_stock_brush(0x010101u * v, RGB(v, v, v));
        }
        HGDIOBJ handle = create_object(Kind::bitmap);
        Object* object = lookup(handle, Kind::bitmap);
        object->stock = true;
        object->bitmap.width = 1;
        object->bitmap.height = 1;
        object->bitmap.bits_per_pixel = 1;
        object->bitmap.allocate(1);
        made.bitmap = static_cast<HBITMAP>(handle);
        return made;
    }();
    return s;
}

} // namespace

HGDIOBJ stock_brush(int index)
{
    if (index < WHITE_BRUSH || index > BLACK_BRUSH)
        return nullptr;
    return stock().brushes[index];
}

HBITMAP default_bitmap() { return stock().bitmap; }

uint32_t colour_to_pixel(COLORREF colour)
{
    // The top byte is odd for palette indices (into the 20 static colours; anything else is
    // black) and any even value means plain RGB.
    static const uint32_t palette[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                         0x800080, 0x008080, 0xc0c0c0, 0xc0dcc0, 0xa6caf0,
                                         0xfffbf0, 0xa0a0a4, 0x808080, 0xff0000, 0x00ff00,
                                         0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff};
    if ((colour >> 24) & 1) {
        const uint32_t index = colour & 0xffff;
        return (colour >> 24) == 1 && index < 20 ? palette[index] : 0;
    }
    return (colour & 0xff) << 16 | (colour & 0xff00) | ((colour >> 16) & 0xff);
}

Surface dc_surface(HDC dc)
{
    Object* object = lookup(dc, Kind::dc);
    if (!object)
        return Surface{};
    Object* bitmap = lookup(object->dc.bitmap, Kind::bitmap);
    if (!bitmap)
        return Surface{};
    return bitmap->bitmap.surface();
}

namespace {

// Drops a DC's hold on an object, finishing a deferred delete.
void release(HDC dc, HGDIOBJ handle)
{
    Object* object = lookup_any(handle);
    if (!object)
        return;
    if (object->kind == Kind::bitmap && object->bitmap.selected_in == dc)
        object->bitmap.selected_in = nullptr;
    if (object->kind == Kind::brush && object->brush.selections > 0)
        --object->brush.selections;
    const bool held = object->kind == Kind::bitmap ? object->bitmap.selected_in != nullptr
                                                   : object->brush.selections > 0;
    if (object->delete_pending && !held)
        destroy_object(handle);
}

} // namespace

HGDIOBJ select_object(HDC dc, HGDIOBJ handle)
{
    Object* owner = lookup(dc, Kind::dc);
    Object* object = lookup_any(handle);
    if (!owner || !object)
        return nullptr;
    if (object->kind == Kind::bitmap) {
        HGDIOBJ previous = owner->dc.bitmap;
        if (previous == handle)
            return previous;
        // A memory bitmap can be in one DC at a time; the stock one is shared.
        if (!object->stock && object->bitmap.selected_in)
            return nullptr;
        if (!object->stock)
            object->bitmap.selected_in = dc;
        owner->dc.bitmap = handle;
        release(dc, previous);
        return previous;
    }
    if (object->kind == Kind::brush) {
        HGDIOBJ previous = owner->dc.brush;
        ++object->brush.selections;
        owner->dc.brush = handle;
        release(dc, previous);
        return previous;
    }
    return nullptr;
}

HDC create_dc()
{
    // The stock objects first: making them may grow the table and move `object`.
    const HGDIOBJ bitmap = default_bitmap();
    const HGDIOBJ brush = stock_brush(WHITE_BRUSH);
    HGDIOBJ handle = create_object(Kind::dc);
    Object* object = lookup(handle, Kind::dc);
    if (!object)
        return nullptr;
    object->dc.bitmap = bitmap;
    object->dc.brush = brush;
    ++lookup(object->dc.brush, Kind::brush)->brush.selections;
    return static_cast<HDC>(handle);
}

bool delete_dc(HDC dc)
{
    Object* object = lookup(dc, Kind::dc);
    if (!object)
        return false;
    const HGDIOBJ bitmap = object->dc.bitmap;
    const HGDIOBJ brush = object->dc.brush;
    destroy_object(dc);
    release(dc, bitmap);
    release(dc, brush);
    return true;
}

bool delete_object(HGDIOBJ handle)
{
    Object* object = lookup_any(handle);
    if (!object)
        return false;
    if (object->stock)
        return true; // stock objects outlive every DeleteObject
    switch (object->kind) {
    case Kind::dc:
        return delete_dc(static_cast<HDC>(handle));
    case Kind::bitmap:
        if (object->bitmap.selected_in) {
            object->delete_pending = true;
            return true;
        }
        break;
    case Kind::brush:
        if (object->brush.selections > 0) {
            object->delete_pending = true;
            return true;
        }
        break;
    case Kind::none:
        return false;
    }
    destroy_object(handle);
    return true;
}

} // namespace gdi
