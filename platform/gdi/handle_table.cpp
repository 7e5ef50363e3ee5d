#include "platform/gdi/handle_table.h"

#include <new>

namespace gdi {

namespace handles {

namespace {

Chunk firstChunk;

} // namespace

Chunk absentChunk;
constinit Table table{&firstChunk};

namespace {

Chunk& ChunkOf(uint32_t index)
{
    return *table.chunks.at[index >> kChunkBits].load(std::memory_order_acquire);
}

Slot& SlotAt(uint32_t index) { return ChunkOf(index).slots[index & (kChunkSlots - 1)]; }

std::atomic<uint64_t>& HandleAt(uint32_t index)
{
    return ChunkOf(index).handles[index & (kChunkSlots - 1)];
}

// This thread's free slots. Initial-exec TLS: one load, where the dynamic model of a shared
// library costs a call, and small enough for the room glibc keeps for libraries loaded later.
struct LocalSlots {
    static constexpr uint32_t kCapacity = 32;
    uint32_t count;
    uint32_t slots[kCapacity];
};
[[gnu::tls_model("initial-exec")]] thread_local LocalSlots localSlots;

// This thread's DC kept by KeepDeletedDc(): its slot, on no free list; kNoSlot when none.
[[gnu::tls_model("initial-exec")]] thread_local uint32_t keptDc = kNoSlot;

// Hands the thread's free slots (and its kept DC's) back when it ends; registered on the first
// refill or the first DC kept.
struct LocalSlotsReturn {
    bool armed = false;
    ~LocalSlotsReturn();
};
thread_local LocalSlotsReturn localSlotsReturn;
[[gnu::tls_model("initial-exec")]] thread_local bool localSlotsArmed = false;

void ArmLocalSlotsReturn()
{
    if (!localSlotsArmed) {
        localSlotsReturn.armed = true; // its destructor now runs when the thread ends
        localSlotsArmed = true;
    }
}

// Back to a free slot's object: only what the kind used needs resetting; a bitmap's pixels are
// freed here.
void ResetObject(GdiObject& object)
{
    switch (object.kind) {
    case Kind::kBitmap:
        object.bitmap = Bitmap{};
        break;
    case Kind::kBrush:
        object.brush = Brush{};
        break;
    case Kind::kDc:
        // Field by field: assigning a whole DeviceContext{} compiles to a string store, whose
        // start-up costs more than deleting a DC otherwise does.
        object.dc.bitmap = object.dc.brush = nullptr;
        object.dc.bitmapObject = object.dc.brushObject = nullptr;
        object.dc.view = PixelView{};
        object.dc.stretchMode = 0;
        break;
    case Kind::kNone:
        break;
    }
    object.kind = Kind::kNone;
    object.stock = false;
    object.deletePending = false;
}

// Under the lock: one slot off the shared list, else the next never-used one, growing by a chunk
// when needed.
uint32_t TakeSharedSlot()
{
    if (table.freeHead != kNoSlot) {
        const uint32_t index = table.freeHead;
        table.freeHead = SlotAt(index).nextFree;
        return index;
    }
    if (table.slotsUsed >= kMaxSlots)
        return kNoSlot;
    const uint32_t index = table.slotsUsed;
    std::atomic<Chunk*>& chunk = table.chunks.at[index >> kChunkBits];
    if (chunk.load(std::memory_order_relaxed) == &absentChunk) {
        Chunk* made = new (std::nothrow) Chunk;
        if (!made)
            return kNoSlot;
        chunk.store(made, std::memory_order_release);
    }
    ++table.slotsUsed;
    return index;
}

// Under the lock.
void PutSharedSlot(uint32_t index)
{
    SlotAt(index).nextFree = table.freeHead;
    table.freeHead = index;
}

LocalSlotsReturn::~LocalSlotsReturn()
{
    std::lock_guard<std::mutex> hold(table.lock);
    while (localSlots.count)
        PutSharedSlot(localSlots.slots[--localSlots.count]);
    if (keptDc != kNoSlot) {
        ResetObject(SlotAt(keptDc).object);
        PutSharedSlot(keptDc);
        keptDc = kNoSlot;
    }
}

uint32_t TakeSlot()
{
    LocalSlots& local = localSlots;
    if (local.count)
        return local.slots[--local.count];
    ArmLocalSlotsReturn();
    std::lock_guard<std::mutex> hold(table.lock);
    // Half a list's worth, so that a thread that creates and deletes in turn rarely locks.
    while (local.count < LocalSlots::kCapacity / 2) {
        const uint32_t index = TakeSharedSlot();
        if (index == kNoSlot)
            break;
        local.slots[local.count++] = index;
    }
    return local.count ? local.slots[--local.count] : kNoSlot;
}

void PutSlot(uint32_t index)
{
    LocalSlots& local = localSlots;
    if (local.count == LocalSlots::kCapacity) {
        std::lock_guard<std::mutex> hold(table.lock);
        while (local.count > LocalSlots::kCapacity / 2)
            PutSharedSlot(local.slots[--local.count]);
    }
    local.slots[local.count++] = index;
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
    const uint64_t handle = Pack(index, kind, slot.generation);
    HandleAt(index).store(handle, std::memory_order_relaxed);
    if (object)
        *object = &slot.object;
    return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(handle));
}

HGDIOBJ PlaceReservedObject(uint32_t index, Kind kind, GdiObject** object)
{
    Slot& slot = SlotAt(index);
    slot.object.kind = kind;
    const uint64_t handle = Pack(index, kind, 0);
    HandleAt(index).store(handle, std::memory_order_relaxed);
    *object = &slot.object;
    return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(handle));
}

void DestroyObject(HGDIOBJ handle)
{
    if (LookupAny(handle))
        DestroyLiveObject(handle);
}

namespace {

// Ends a live handle: its slot answers no lookup, and a later handle of the slot differs from it.
// Returns the slot's index.
uint32_t RetireHandle(HGDIOBJ handle)
{
    const uint32_t index =
        static_cast<uint32_t>((reinterpret_cast<uintptr_t>(handle) & kIndexMask) - 1);
    HandleAt(index).store(0, std::memory_order_relaxed);
    ++SlotAt(index).generation;
    return index;
}

} // namespace

void DestroyLiveObject(HGDIOBJ handle)
{
    const uint32_t index = RetireHandle(handle);
    ResetObject(SlotAt(index).object);
    PutSlot(index);
}

bool KeepDeletedDc(HGDIOBJ handle)
{
    if (keptDc != kNoSlot)
        return false;
    ArmLocalSlotsReturn();
    keptDc = RetireHandle(handle);
    return true;
}

HGDIOBJ ReviveKeptDc(GdiObject** object)
{
    const uint32_t index = keptDc;
    if (index == kNoSlot)
        return nullptr;
    keptDc = kNoSlot;
    Slot& slot = SlotAt(index);
    const uint64_t handle = Pack(index, Kind::kDc, slot.generation);
    HandleAt(index).store(handle, std::memory_order_relaxed);
    *object = &slot.object;
    return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(handle));
}

} // namespace gdi
