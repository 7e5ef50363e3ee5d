// KxRefCntObject: a counted object that frees itself when the last reference goes.
#include "runtime/kxcore.h"
#include "platform/kxcore/kx_class_frame.h"
#ifdef TOOLTRAY_TEST_HOOKS
#  include "platform/kxcore/kx_refcnt_object_testing.h"
#endif

namespace {

struct KxRefCntObjectData {
    int32_t refCount;
};

KxClassFrame<KxRefCntObjectClassDataStructure, KxRefCntObjectData> g_frame;

KxRefCntObjectData* Data(KxRefCntObject* self) { return g_frame.Data(self); }

void SOMLINK InitRefCntObject(KxRefCntObject* self, Environment* ev) noexcept
{
    somCall<somTD_KxObject_InitObject>(self, resolve_KxObjectClassData()->InitObject, ev);
    Data(self)->refCount = 1;
}

// The count saturates at its limit instead of wrapping. A saturated count no longer says how many
// references are out, so it stays there: the object lives until the process ends, which beats
// freeing it under a holder.
constexpr int32_t kSaturated = INT32_MAX;

void SOMLINK Acquire(KxRefCntObject* self, Environment*) noexcept
{
    int32_t& count = Data(self)->refCount;
    if (count < kSaturated)
        ++count;
}

void SOMLINK Release(KxRefCntObject* self, Environment*) noexcept
{
    // An object that was never counted (no InitRefCntObject yet) has no reference to give up.
    int32_t& count = Data(self)->refCount;
    if (count <= 0 || count == kSaturated)
        return;
    if (--count == 0)
        FreeObject(self);
}

int32_t SOMLINK GetRefCount(KxRefCntObject* self, Environment*) noexcept
{
    return Data(self)->refCount;
}

} // namespace

extern "C" {

#ifdef TOOLTRAY_TEST_HOOKS
void KxRefCntObjectSetRefCountForTesting(KxRefCntObject* object, int32_t count)
{
    Data(object)->refCount = count;
}
#endif

KxRefCntObjectClassDataStructure* resolve_KxRefCntObjectClassData(void) noexcept
{
    return g_frame.Record();
}

SOMClass* KxRefCntObjectNewClass(int32_t majorVersion, int32_t minorVersion) noexcept
{
    return g_frame.NewClass("KxRefCntObject", "KxObject", &KxObjectNewClass,
                            {{"InitRefCntObject", somProc(&InitRefCntObject), 8},
                             {"Acquire", somProc(&Acquire), 8},
                             {"Release", somProc(&Release), 8},
                             {"GetRefCount", somProc(&GetRefCount), 8}},
                            {}, majorVersion, minorVersion);
}

} // extern "C"
