#include "platform/gdi/handle_table.h"

#include <new>

namespace gdi {

namespace handles {

namespace {

Chunk firstChunk;

} // namespace

Table table = {{&firstChunk}, kReservedSlots, kNoSlot};

namespace {

Slot& SlotAt(uint32_t index)
{
    return table.chunks[index >> kChunkBits]->slots[index & (kChunkSlots - 1)];
}

// A slot off the free list, else the next never-used one, growing by a chunk when needed.
uint32_t TakeSlot()
{
    if (table.freeHead != kNoSlot) {
        const uint32_t index = table.freeHead;
        table.freeHead = SlotAt(index).nextFree;
        return index;
    }
    if (table.slotsUsed >= kMaxSlots)
        return kNoSlot;
    const uint32_t index = table.slotsUsed;
    Chunk*& chunk = table.chunks[index >> kChunkBits];
    if (!chunk) {
        chunk = new (std::nothrow) Chunk;
        if (!chunk)
            return kNoSlot;
    }
    ++table.slotsUsed;
    return index;
}

} // namespace

} // namespace handles

using namespace handles;

HGDIOBJ CreateObject(Kind kind, GdiObject** object)
{
    const uint32_t index = TakeSlot();
    if (index == kNoSlot)
        return nullptr;
    Slot& slot = SlotAt(index);
    // A free slot's object was reset when it was freed (or never used).
    slot.object.kind = kind;
    slot.handle = Pack(index, kind, slot.generation);
    if (object)
        *object = &slot.object;
    return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(slot.handle));
}

HGDIOBJ PlaceReservedObject(uint32_t index, Kind kind, GdiObject** object)
{
    Slot& slot = SlotAt(index);
    slot.object.kind = kind;
    slot.handle = Pack(index, kind, 0);
    *object = &slot.object;
    return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(slot.handle));
}

void DestroyObject(HGDIOBJ handle)
{
    if (!LookupAny(handle))
        return;
    const uint32_t index =
        static_cast<uint32_t>((reinterpret_cast<uintptr_t>(handle) & kIndexMask) - 1);
    Slot& slot = SlotAt(index);
    slot.handle = 0;
    ++slot.generation;
    slot.object = GdiObject{};
    slot.nextFree = table.freeHead;
    table.freeHead = index;
}

} // namespace gdi
