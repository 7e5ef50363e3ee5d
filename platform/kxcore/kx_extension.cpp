// KxExtension: a counted object attached to a base object.
#include "runtime/kxcore.h"
#include "runtime/som_class_declaration.h"

namespace {

struct KxExtensionData {
    SOMObject* base;
};

KxExtensionClassDataStructure g_classData;
somCClassDataStructure g_cClassData;

KxExtensionData* Data(KxExtension* self)
{
    return static_cast<KxExtensionData*>(g_cClassData.instanceDataToken(self));
}

void SOMLINK InitExtension(KxExtension* self, Environment* ev, SOMObject* base)
{
    somCall<somTD_KxRefCntObject_InitRefCntObject>(
        self, resolve_KxRefCntObjectClassData()->InitRefCntObject, ev);
    Data(self)->base = base;
}

SOMObject* SOMLINK GetBase(KxExtension* self, Environment*) { return Data(self)->base; }

} // namespace

extern "C" {

KxExtensionClassDataStructure* resolve_KxExtensionClassData(void) { return &g_classData; }

SOMClass* KxExtensionNewClass(int32_t majorVersion, int32_t minorVersion)
{
    KxRefCntObjectNewClass(0, 0);
    static const ClassDeclaration declaration(
        "KxExtension", "KxRefCntObject", sizeof(KxExtensionData), &g_classData, &g_cClassData,
        {{"InitExtension", somProc(&InitExtension), 12}, {"GetBase", somProc(&GetBase), 8}});
    return BuildClass(SOM_INHERIT_FIRST_PARENT, declaration.Description(), majorVersion,
                      minorVersion);
}

} // extern "C"
