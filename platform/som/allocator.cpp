// The runtime's allocator, replaceable by hosts.
#include "platform/som/som_private.h"

#include <atomic>
#include <cstdlib>

namespace {

void* SOMLINK DefaultMalloc(size_t size) { return std::malloc(size ? size : 1); }
void SOMLINK DefaultFree(void* block) { std::free(block); }

std::atomic<somMallocProc> g_malloc{&DefaultMalloc};
std::atomic<somFreeProc> g_free{&DefaultFree};

} // namespace

extern "C" {

void* SOMMalloc(size_t size) noexcept { return g_malloc.load(std::memory_order_relaxed)(size); }

void SOMFree(void* block) noexcept
{
    if (block)
        g_free.load(std::memory_order_relaxed)(block);
}

void SetAllocator(somMallocProc mallocProc, somFreeProc freeProc) noexcept
{
    g_malloc.store(mallocProc ? mallocProc : &DefaultMalloc, std::memory_order_relaxed);
    g_free.store(freeProc ? freeProc : &DefaultFree, std::memory_order_relaxed);
}

} // extern "C"
