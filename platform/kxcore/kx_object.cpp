// KxObject: the framework's root, which knows whether it has been initialised.
#include "runtime/kxcore.h"
#include "runtime/som_class_declaration.h"

namespace {

struct KxObjectData {
    uint8_t initialized;
};

KxObjectClassDataStructure g_classData;
somCClassDataStructure g_cClassData;

KxObjectData* Data(KxObject* self)
{
    return static_cast<KxObjectData*>(g_cClassData.instanceDataToken(self));
}

void SOMLINK InitObject(KxObject* self, Environment*) { Data(self)->initialized = 1; }
uint8_t SOMLINK IsInitialized(KxObject* self, Environment*) { return Data(self)->initialized; }

} // namespace

extern "C" {

KxObjectClassDataStructure* resolve_KxObjectClassData(void) { return &g_classData; }

SOMClass* KxObjectNewClass(int32_t majorVersion, int32_t minorVersion)
{
    static const ClassDeclaration declaration(
        "KxObject", "SOMObject", sizeof(KxObjectData), &g_classData, &g_cClassData,
        {{"InitObject", somProc(&InitObject), 8}, {"IsInitialized", somProc(&IsInitialized), 8}});
    return BuildClass(SOM_INHERIT_FIRST_PARENT, declaration.Description(), majorVersion,
                      minorVersion);
}

} // extern "C"
