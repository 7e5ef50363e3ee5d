// KxRefCntObject: a counted object that frees itself when the last reference goes.
#include "runtime/kxcore.h"
#include "platform/kxcore/kx_class_frame.h"

namespace {

struct KxRefCntObjectData {
    int32_t refCount;
};

KxClassFrame<KxRefCntObjectClassDataStructure, KxRefCntObjectData> g_frame;

KxRefCntObjectData* Data(KxRefCntObject* self) { return g_frame.Data(self); }

void SOMLINK InitRefCntObject(KxRefCntObject* self, Environment* ev)
{
    somCall<somTD_KxObject_InitObject>(self, resolve_KxObjectClassData()->InitObject, ev);
    Data(self)->refCount = 1;
}

void SOMLINK Acquire(KxRefCntObject* self, Environment*) { ++Data(self)->refCount; }

void SOMLINK Release(KxRefCntObject* self, Environment*)
{
    // An object that was never counted (no InitRefCntObject yet) has no reference to give up.
    int32_t& count = Data(self)->refCount;
    if (count <= 0)
        return;
    if (--count == 0)
        FreeObject(self);
}

int32_t SOMLINK GetRefCount(KxRefCntObject* self, Environment*) { return Data(self)->refCount; }

} // namespace

extern "C" {

KxRefCntObjectClassDataStructure* resolve_KxRefCntObjectClassData(void) { return g_frame.Record(); }

SOMClass* KxRefCntObjectNewClass(int32_t majorVersion, int32_t minorVersion)
{
    return g_frame.NewClass("KxRefCntObject", "KxObject", &KxObjectNewClass,
                            {{"InitRefCntObject", somProc(&InitRefCntObject), 8},
                             {"Acquire", somProc(&Acquire), 8},
                             {"Release", somProc(&Release), 8},
                             {"GetRefCount", somProc(&GetRefCount), 8}},
                            {}, majorVersion, minorVersion);
}

} // extern "C"
