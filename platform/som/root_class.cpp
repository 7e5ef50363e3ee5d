// SOMObject, the root of every class: somInit and somUninit, both doing nothing, so a class that
// needs neither inherits harmless defaults.
#include "platform/som/class_table.h"

#include <atomic>
#include <mutex>
#include <new>

namespace {

SOMObjectClassDataStructure g_classData;

void SOMLINK RootInit(SOMObject*) {}
void SOMLINK RootUninit(SOMObject*) {}

// Throws std::bad_alloc, leaving nothing registered, when memory is short.
SOMClass* BuildRoot()
{
    auto cls = std::make_unique<SOMClass>();
    cls->name = "SOMObject";
    cls->instanceSize = sizeof(SOMObject);
    cls->dataOffset = sizeof(SOMObject);
    cls->majorVersion = 1;
    cls->methods = som::NewMethodTable(cls.get(), 2);
    if (!cls->methods)
        throw std::bad_alloc();
    const somMethodProc procs[2] = {reinterpret_cast<somMethodProc>(&RootInit),
                                    reinterpret_cast<somMethodProc>(&RootUninit)};
    const char* const names[2] = {"SOMObject::somInit", "SOMObject::somUninit"};
    for (uint32_t i = 0; i < 2; ++i) {
        auto token = std::make_unique<somMethodTokenRec>(somMethodTokenRec{i, cls.get(), names[i]});
        cls->methods->slots[i] = {token.get(), procs[i]};
        cls->ownTokens.push_back(std::move(token));
    }
    SOMClass* root = cls.get();
    {
        auto& table = som::ClassTable::Instance();
        std::lock_guard lock(table.Lock());
        table.Insert(std::move(cls));
    }
    // Published once registered.
    g_classData.classObject = root;
    g_classData.somInit = root->ownTokens[0].get();
    g_classData.somUninit = root->ownTokens[1].get();
    return root;
}

std::atomic<SOMClass*> g_root{nullptr};
std::mutex g_rootMutex;

} // namespace

namespace som {

SOMClass* RootClass() noexcept
{
    if (SOMClass* root = g_root.load(std::memory_order_acquire))
        return root;
    try {
        std::lock_guard lock(g_rootMutex);
        if (!g_root.load(std::memory_order_relaxed))
            g_root.store(BuildRoot(), std::memory_order_release);
    } catch (...) {
        return nullptr;
    }
    return g_root.load(std::memory_order_acquire);
}

} // namespace som

extern "C" SOMObjectClassDataStructure* resolve_SOMObjectClassData(void) noexcept
{
    som::RootClass();
    return &g_classData;
}
