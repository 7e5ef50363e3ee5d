// Creating and freeing instances.
#include "platform/som/som_private.h"

#include <cstdint>
#include <cstring>

namespace {

// Instances that need more alignment than the allocator gives are placed inside a larger block at
// the next boundary, with the block's address in the word just before the instance, so FreeObject
// can give back the block itself.
bool PlacedInBlock(const SOMClass* cls) { return cls->objectAlignment > som::kAllocatorAlignment; }

void* AllocateInstance(const SOMClass* cls)
{
    if (!PlacedInBlock(cls))
        return SOMMalloc(cls->instanceSize);
    const size_t alignment = cls->objectAlignment;
    char* block = static_cast<char*>(SOMMalloc(cls->instanceSize + alignment - 1 + sizeof(void*)));
    if (!block)
        return nullptr;
    const uintptr_t start = (reinterpret_cast<uintptr_t>(block) + sizeof(void*) + alignment - 1) &
                            ~uintptr_t{alignment - 1};
    char* instance = reinterpret_cast<char*>(start);
    std::memcpy(instance - sizeof block, &block, sizeof block);
    return instance;
}

void FreeInstance(const SOMClass* cls, void* instance)
{
    if (!PlacedInBlock(cls)) {
        SOMFree(instance);
        return;
    }
    void* block;
    std::memcpy(&block, static_cast<char*>(instance) - sizeof block, sizeof block);
    SOMFree(block);
}

} // namespace

extern "C" {

SOMObject* NewObject(SOMClass* classObject) noexcept
{
    if (!classObject) {
        som::RaiseSystemException("NewObject", "the class is null");
        return nullptr;
    }
    void* instance = AllocateInstance(classObject);
    if (!instance) {
        som::RaiseSystemException("NewObject", "out of memory");
        return nullptr;
    }
    std::memset(instance, 0, classObject->instanceSize);
    auto* object = static_cast<SOMObject*>(instance);
    object->mtab = classObject->methods;
    somCall<somTD_SOMObject_somInit>(object, resolve_SOMObjectClassData()->somInit);
    return object;
}

void FreeObject(SOMObject* object) noexcept
{
    if (!object)
        return;
    const SOMClass* cls = object->mtab->classObject;
    somCall<somTD_SOMObject_somUninit>(object, resolve_SOMObjectClassData()->somUninit);
    FreeInstance(cls, object);
}

} // extern "C"
