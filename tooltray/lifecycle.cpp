// An instance's life: defaults, initialisation as an extension, the completion callback,
// reference release and tear-down.
#include "tooltray/tooltray_private.h"

#include <atomic>

namespace {

// The parent's procedures, resolved on first use and kept for every instance; a pointer-sized
// atomic each, so two threads that both find one empty store the same procedure.
std::atomic<somTD_KxExtension_InitExtension> g_parentInitExtension{nullptr};
std::atomic<somTD_KxRefCntObject_Release> g_parentRelease{nullptr};

template <typename Proc>
Proc ParentProcedure(std::atomic<Proc>& cache, somMToken token)
{
    Proc proc = cache.load(std::memory_order_acquire);
    if (!proc) {
        proc = reinterpret_cast<Proc>(
            ResolveParentMethod(tooltray::CClassData.parentMethodTables, 1, token));
        cache.store(proc, std::memory_order_release);
    }
    return proc;
}

// Removes every tool through the object's own RemoveToolInfo, so a subclass sees each removal,
// then frees the list. An override may legally remove other tools of this palette too, so no link
// is held across the call: the front is read again after each one. A tool the override left in
// place is taken out by ToolTray's own procedure, so the walk always ends and frees every record.
void DiscardToolList(ToolTray* self, ToolTrayData* data, Environment* ev)
{
    ToolList* list = data->toolList;
    if (!list)
        return;
    while (ToolInfo* front = ToolOf(list->First())) {
        somCall<somTD_ToolTray_RemoveToolInfo>(self, tooltray::ClassData.RemoveToolInfo, ev, front);
        if (ToolOf(list->First()) == front)
            tooltray::RemoveToolInfo(self, ev, front);
    }
    delete list;
    data->toolList = nullptr;
}

} // namespace

namespace tooltray {

void SOMLINK somInit(ToolTray* self) noexcept
{
    // Every field of this class's own data; the runtime zero-fills the parents' data, which is
    // their default, so there is nothing to chain to.
    ToolTrayData* d = Data(self);
    d->initCompletedProc = nullptr;
    d->baseObject = nullptr;
    d->size.Set(0, 0, 0, 0);
    d->toolSpaceObj = nullptr;
    d->pos = 0;
    d->toolSpaceWnd = nullptr;
    d->partFrameShape = nullptr;
    d->domain = 0;
    d->session = nullptr;
    d->userInfo = 0;
    d->toolList = nullptr;
    d->toolWidth = 25 * kFixedOne;
    d->toolHeight = 25 * kFixedOne;
    d->floatRect.Set(100 * kFixedOne, 100 * kFixedOne, 220 * kFixedOne, 180 * kFixedOne);
}

void SOMLINK InitExtension(ToolTray* self, Environment* ev, SOMObject* base) noexcept
{
    ToolTrayData* d = Data(self);
    if (somCall<somTD_KxObject_IsInitialized>(self, resolve_KxObjectClassData()->IsInitialized, ev))
        return;
    ParentProcedure(g_parentInitExtension, resolve_KxExtensionClassData()->InitExtension)(self, ev,
                                                                                          base);
    d->baseObject = base;
    // A palette initialised again (its framework state was reset) would otherwise lose its old
    // list and every tool in it: they go the way somUninit sends them.
    DiscardToolList(self, d, ev);
    d->toolList = new (std::nothrow) ToolList; // null leaves a palette without tools
}

void SOMLINK somUninit(ToolTray* self) noexcept
{
    // The data first, as in every method, then the environment: as two arguments of one call
    // their order would be the compiler's.
    ToolTrayData* d = Data(self);
    DiscardToolList(self, d, GetGlobalEnvironment());
}

void SOMLINK Release(ToolTray* self, Environment* ev) noexcept
{
    Data(self); // first, as in every method, though the count is the parent's
    ParentProcedure(g_parentRelease, resolve_KxRefCntObjectClassData()->Release)(self, ev);
}

void SOMLINK InstallCompletedProc(ToolTray* self, Environment*,
                                  ToolTrayInitCompletedProc proc) noexcept
{
    Data(self)->initCompletedProc = proc;
}

void SOMLINK CallInitCompleted(ToolTray* self, Environment*) noexcept
{
    ToolTrayData* d = Data(self);
    if (d->initCompletedProc && d->baseObject)
        d->initCompletedProc(d->baseObject);
}

} // namespace tooltray
