#include "platform/som/class_table.h"

#include <cstdlib>
#include <new>

namespace som {

ClassTable& ClassTable::Instance()
{
    // Classes live as long as the process: objects and class data of loaded libraries point into
    // them at any time up to exit, so the table is never destroyed.
    static ClassTable* const table = new ClassTable;
    return *table;
}

SOMClass* ClassTable::Find(std::string_view name) const
{
    auto it = classes_.find(name);
    return it == classes_.end() ? nullptr : it->second.get();
}

void ClassTable::Insert(std::unique_ptr<SOMClass> cls)
{
    std::string name = cls->name;
    classes_.emplace(std::move(name), std::move(cls));
}

somMethodTable* NewMethodTable(SOMClass* owner, uint32_t count)
{
    const size_t bytes = sizeof(somMethodTable) + size_t{count} * sizeof(somMethodTable::Slot);
    auto* table = static_cast<somMethodTable*>(std::calloc(1, bytes));
    if (table) {
        table->classObject = owner;
        table->count = count;
    }
    return table;
}

} // namespace som

SOMClass::~SOMClass() { std::free(methods); }

extern "C" {

SOMClass* FindClass(const char* name) noexcept
{
    // Without the root (memory short at the start) there is no table to look in.
    if (!name || !som::RootClass())
        return nullptr;
    auto& table = som::ClassTable::Instance();
    std::lock_guard lock(table.Lock());
    return table.Find(name);
}

const char* ClassName(const SOMClass* classObject) noexcept
{
    return classObject ? classObject->name.c_str() : nullptr;
}

const ClassDescription* DescriptionOf(const SOMClass* classObject) noexcept
{
    return classObject ? classObject->description : nullptr;
}

SOMClass* ClassOf(const SOMObject* object) noexcept
{
    return object ? object->mtab->classObject : nullptr;
}

SOMClass* ParentOf(const SOMClass* classObject) noexcept
{
    return classObject ? classObject->parent : nullptr;
}

int32_t IsInstanceOf(const SOMObject* object, const SOMClass* classObject) noexcept
{
    if (!object || !classObject)
        return 0;
    for (const SOMClass* c = object->mtab->classObject; c; c = c->parent)
        if (c == classObject)
            return 1;
    return 0;
}

} // extern "C"
