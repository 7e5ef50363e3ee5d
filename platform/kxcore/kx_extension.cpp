// KxExtension: a counted object attached to a base object.
#include "runtime/kxcore.h"
#include "platform/kxcore/kx_class_frame.h"

namespace {

struct KxExtensionData {
    SOMObject* base;
};

KxClassFrame<KxExtensionClassDataStructure, KxExtensionData> g_frame;

KxExtensionData* Data(KxExtension* self) { return g_frame.Data(self); }

void SOMLINK InitExtension(KxExtension* self, Environment* ev, SOMObject* base) noexcept
{
    somCall<somTD_KxRefCntObject_InitRefCntObject>(
        self, resolve_KxRefCntObjectClassData()->InitRefCntObject, ev);
    Data(self)->base = base;
}

SOMObject* SOMLINK GetBase(KxExtension* self, Environment*) noexcept { return Data(self)->base; }

} // namespace

extern "C" {

KxExtensionClassDataStructure* resolve_KxExtensionClassData(void) noexcept
{
    return g_frame.Record();
}

SOMClass* KxExtensionNewClass(int32_t majorVersion, int32_t minorVersion) noexcept
{
    return g_frame.NewClass(
        "KxExtension", "KxRefCntObject", &KxRefCntObjectNewClass,
        {{"InitExtension", somProc(&InitExtension), 12}, {"GetBase", somProc(&GetBase), 8}}, {},
        majorVersion, minorVersion);
}

} // extern "C"
