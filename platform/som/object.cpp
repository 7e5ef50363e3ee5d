// Creating and freeing instances.
#include "platform/som/som_private.h"

#include <cstring>

extern "C" {

SOMObject* NewObject(SOMClass* classObject)
{
    if (!classObject) {
        som::RaiseSystemException("NewObject", "the class is null");
        return nullptr;
    }
    void* block = SOMMalloc(classObject->instanceSize);
    if (!block) {
        som::RaiseSystemException("NewObject", "out of memory");
        return nullptr;
    }
    std::memset(block, 0, classObject->instanceSize);
    auto* object = static_cast<SOMObject*>(block);
    object->mtab = classObject->methods;
    somCall<somTD_SOMObject_somInit>(object, resolve_SOMObjectClassData()->somInit);
    return object;
}

void FreeObject(SOMObject* object)
{
    if (!object)
        return;
    somCall<somTD_SOMObject_somUninit>(object, resolve_SOMObjectClassData()->somUninit);
    SOMFree(object);
}

} // extern "C"
