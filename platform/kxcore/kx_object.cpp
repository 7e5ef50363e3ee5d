// KxObject: the framework's root, which knows whether it has been initialised.
#include "runtime/kxcore.h"
#include "platform/kxcore/kx_class_frame.h"

namespace {

struct KxObjectData {
    uint8_t initialized;
};

KxClassFrame<KxObjectClassDataStructure, KxObjectData> g_frame;

KxObjectData* Data(KxObject* self) { return g_frame.Data(self); }

void SOMLINK InitObject(KxObject* self, Environment*) noexcept { Data(self)->initialized = 1; }
uint8_t SOMLINK IsInitialized(KxObject* self, Environment*) noexcept
{
    return Data(self)->initialized;
}

} // namespace

extern "C" {

KxObjectClassDataStructure* resolve_KxObjectClassData(void) noexcept { return g_frame.Record(); }

SOMClass* KxObjectNewClass(int32_t majorVersion, int32_t minorVersion) noexcept
{
    return g_frame.NewClass(
        "KxObject", "SOMObject", nullptr,
        {{"InitObject", somProc(&InitObject), 8}, {"IsInitialized", somProc(&IsInitialized), 8}},
        {}, majorVersion, minorVersion);
}

} // extern "C"
