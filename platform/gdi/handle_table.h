// The handle table. A handle packs a slot index, the object's kind and the slot's generation, so
// a handle to a deleted object (or one a later object reuses the slot of) never matches, and a
// garbage value is only ever compared, never dereferenced.
//
// Any thread may create, use and delete objects of its own. Lookups take no lock: chunks never
// move and are published before their slots are used, and a slot's handle word is atomic. Slots
// go to and come from a small free list per thread, so creating and deleting take no lock
// either; only refilling or spilling that list, and growing the table, lock.
#ifndef PLATFORM_GDI_HANDLE_TABLE_H
#define PLATFORM_GDI_HANDLE_TABLE_H

#include "platform/gdi/objects.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <utility>

namespace gdi {

namespace handles {

// A handle is a pointer-sized value. With 64-bit pointers it holds the slot's whole generation
// above bit 32; with 32-bit ones there is room for 16 index bits and 8 generation bits (bits
// 16..23) below the kind, so a stale handle matches again only after its slot has been reused
// 256 times.
constexpr bool kWideHandles = sizeof(uintptr_t) >= 8;
constexpr uint64_t kIndexBits = kWideHandles ? 20 : 16;
constexpr uint64_t kIndexMask = (uint64_t{1} << kIndexBits) - 1;
// Index + 1 is what a handle holds, so that no handle is null: one index is never used.
constexpr uint32_t kMaxSlots = (uint32_t{1} << kIndexBits) - 1;
// Slots come in chunks that never move, so an object's address stays valid while others are
// created.
constexpr uint32_t kChunkBits = 10;
constexpr uint32_t kChunkSlots = uint32_t{1} << kChunkBits;
constexpr uint32_t kChunks = (kMaxSlots + kChunkSlots - 1) / kChunkSlots;
constexpr uint32_t kNoSlot = ~uint32_t{0};
// The first slots hold the stock objects, placed when the library loads: they never depend on
// room in the table.
constexpr uint32_t kReservedSlots = 6;

// Everything starts zeroed, so the first chunk, which holds the reserved slots, is static
// storage that needs no initialising code.
struct Slot {
    uint32_t generation = 0;
    uint32_t nextFree = 0; // meaningful on the shared free list only
    GdiObject object;
};

// The slots' handle words lie apart from their objects: a lookup compares one word, indexed
// without arithmetic, and reaches the object only when it matches.
struct Chunk {
    std::atomic<uint64_t> handles[kChunkSlots] = {}; // the live object's; 0 while a slot is free
    Slot slots[kChunkSlots];
};

// A chunk not made yet: all its slots free, and never written.
extern Chunk absentChunk;

// Every entry names a chunk, the absent one until its own is made, so a lookup needs no test for
// a missing chunk.
struct ChunkPointers {
    template <size_t... I>
    constexpr ChunkPointers(Chunk* first, std::index_sequence<I...>)
        : at{(I == 0 ? first : &absentChunk)...}
    {}
    std::atomic<Chunk*> at[kChunks];
};

struct Table {
    explicit constexpr Table(Chunk* first)
        : chunks(first, std::make_index_sequence<kChunks>()), slotsUsed(kReservedSlots)
    {}
    ChunkPointers chunks;
    std::mutex lock;        // over the two below and the growth of `chunks`
    uint32_t slotsUsed = 0; // slots ever handed out; those below it are live or on a free list
    uint32_t freeHead = kNoSlot;
};

extern Table table;

// The live object whose handle is `value`, of any kind, or null. The index bits name a slot for
// every value: those of 0 (no handle's, as a handle holds index + 1) the last one, which is never
// handed out; its word stays 0, so `value` must not be.
inline GdiObject* FindLive(uint64_t value)
{
    const uint64_t index = (value - 1) & kIndexMask;
    Chunk* chunk = table.chunks.at[index >> kChunkBits].load(std::memory_order_acquire);
    const uint64_t slot = index & (kChunkSlots - 1);
    // Relaxed: a thread reads its own objects, or ones handed over with synchronisation.
    return chunk->handles[slot].load(std::memory_order_relaxed) == value
               ? &chunk->slots[slot].object
               : nullptr;
}

constexpr uint64_t Pack(uint32_t index, Kind kind, uint32_t generation)
{
    const uint64_t unique =
        kWideHandles ? uint64_t{generation} << 32 : uint64_t{generation & 0xffu} << kIndexBits;
    return unique | (uint64_t{static_cast<uint8_t>(kind)} << 24) | (uint64_t{index} + 1);
}

} // namespace handles

// The handle of reserved slot `index`, which is made live as an object of `kind`: for the stock
// objects, when the library loads.
HGDIOBJ PlaceReservedObject(uint32_t index, Kind kind, GdiObject** object);

// The handle a reserved slot's object has.
inline HGDIOBJ ReservedHandle(uint32_t index, Kind kind)
{
    return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(handles::Pack(index, kind, 0)));
}

// The live object a handle names, of any kind; null for anything else.
inline GdiObject* LookupAny(const void* handle)
{
    const uint64_t value = reinterpret_cast<uintptr_t>(handle);
    return value ? handles::FindLive(value) : nullptr;
}

// The live object a handle names if it is of `kind`. No kind's byte is 0, so neither is a value
// that passes the first test.
inline GdiObject* Lookup(const void* handle, Kind kind)
{
    const uint64_t value = reinterpret_cast<uintptr_t>(handle);
    if (((value >> 24) & 0xff) != static_cast<uint8_t>(kind))
        return nullptr;
    return handles::FindLive(value);
}

// A fresh object of `kind` (its other fields as default-constructed), or null when the table is
// full or memory is short. `object` receives its address.
HGDIOBJ CreateObject(Kind kind, GdiObject** object);

// Frees the object and its slot; its handle is dead from then on.
void DestroyObject(HGDIOBJ handle);
// The same for a handle the caller has just found live.
void DestroyLiveObject(HGDIOBJ handle);

// A memory DC deleted as CreateDc() makes one (see selection.h) keeps its slot and fields for the
// next one made on the thread: its handle dies as DestroyLiveObject() makes it die, and the next
// DC gets a new one. One is kept per thread: false when one already is (the caller then destroys
// the DC), and ReviveKeptDc() null when none is.
bool KeepDeletedDc(HGDIOBJ handle);
HGDIOBJ ReviveKeptDc(GdiObject** object);

// The object in a reserved slot.
inline GdiObject& ReservedObject(uint32_t index)
{
    return handles::table.chunks.at[0].load(std::memory_order_relaxed)->slots[index].object;
}

// Calls `visit` with every live object; for checks made while no other thread draws.
template <typename Visit>
void ForEachObject(Visit visit)
{
    using namespace handles;
    std::lock_guard<std::mutex> hold(table.lock);
    for (uint32_t index = 0; index < table.slotsUsed; ++index) {
        Chunk& chunk = *table.chunks.at[index >> kChunkBits].load();
        const uint32_t slot = index & (kChunkSlots - 1);
        if (chunk.handles[slot].load(std::memory_order_relaxed))
            visit(chunk.slots[slot].object);
    }
}

} // namespace gdi

#endif // PLATFORM_GDI_HANDLE_TABLE_H
