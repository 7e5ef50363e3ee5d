// Typed host-side calls on a ToolTray palette. Palette is a view: the object, the environment
// record, and the procedures of the object's class, resolved once per class. Each of the 39
// methods is a member with the method's own signature, generated from TOOLTRAY_METHODS and the
// somTD_ToolTray_* procedure types:
//     Palette palette(object, GetGlobalEnvironment());
//     ToolInfo* tool = palette.CreateTool(7, bitmap, 0);
// The view owns nothing; host/tooltray_handles.h has the owning handles.
#ifndef HOST_TOOLTRAY_BINDINGS_H
#define HOST_TOOLTRAY_BINDINGS_H

#include "tooltray/tooltray.h"

#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>
#include <vector>

// The procedures a host calls on palettes of one class: the 39 methods, and the two framework
// methods the class overrides.
struct ToolTrayMethodTable {
#define TOOLTRAY_TABLE_ENTRY(index, name, bytes, kind) somTD_ToolTray_##name name = nullptr;
    TOOLTRAY_METHODS(TOOLTRAY_TABLE_ENTRY)
#undef TOOLTRAY_TABLE_ENTRY
    somTD_KxExtension_InitExtension InitExtension = nullptr;
    somTD_KxRefCntObject_Release Release = nullptr;
};

namespace tooltray_kit {

// The table of object's class, resolved with ResolveMethod on the first palette of that class
// and shared by every later one. This cache is sound because an object's class never changes and
// the runtime never rewrites a built class's method table: what ResolveMethod answered for one
// object of a class it answers for all of them, for the life of the process. A subclass is a
// class of its own and gets its own table, so its overrides are what the kit calls.
// Null for a null object, or when a method does not resolve (the class data are not built, or
// the object is not a ToolTray); the runtime has then said why in the environment record.
inline const ToolTrayMethodTable* MethodTableFor(ToolTray* object,
                                                 const ToolTrayClassDataStructure* classData)
{
    if (!object || !classData)
        return nullptr;
    struct Entry {
        const SOMClass* cls;
        const ToolTrayClassDataStructure* classData;
        std::unique_ptr<const ToolTrayMethodTable> table;
    };
    // Never destroyed: palettes may still call through their tables while static storage is torn
    // down.
    static std::mutex& mutex = *new std::mutex;
    static std::vector<Entry>& cache = *new std::vector<Entry>;

    const SOMClass* cls = ClassOf(object);
    const std::lock_guard<std::mutex> lock(mutex);
    for (const Entry& e : cache)
        if (e.cls == cls && e.classData == classData)
            return e.table.get();

    auto table = std::make_unique<ToolTrayMethodTable>();
    bool complete = true;
    auto resolve = [&](auto& slot, somMToken token) {
        slot =
            reinterpret_cast<std::remove_reference_t<decltype(slot)>>(ResolveMethod(object, token));
        complete = complete && slot;
    };
#define TOOLTRAY_RESOLVE(index, name, bytes, kind) resolve(table->name, classData->name);
    TOOLTRAY_METHODS(TOOLTRAY_RESOLVE)
#undef TOOLTRAY_RESOLVE
    resolve(table->InitExtension, resolve_KxExtensionClassData()->InitExtension);
    resolve(table->Release, resolve_KxRefCntObjectClassData()->Release);
    if (!complete)
        return nullptr;
    cache.push_back(Entry{cls, classData, std::move(table)});
    return cache.back().table.get();
}

// One base per method, each declaring that method with the parameters of its procedure type.
#define TOOLTRAY_KIT_BINDING(index, name, bytes, kind)                          \
  template <typename Self, typename Proc = somTD_ToolTray_##name>               \
  struct Bind##name;                                                            \
  template <typename Self, typename Result, typename... Args>                   \
  struct Bind##name<Self, Result(SOMLINK*)(ToolTray*, Environment*, Args...)> { \
    Result name(Args... args) const                                             \
    {                                                                           \
      const Self& self = static_cast<const Self&>(*this);                       \
      return self.Methods()->name(self.Object(), self.Env(), args...);          \
    }                                                                           \
  };
TOOLTRAY_METHODS(TOOLTRAY_KIT_BINDING)
#undef TOOLTRAY_KIT_BINDING

struct PaletteBase {};

} // namespace tooltray_kit

#define TOOLTRAY_KIT_BASE(index, name, bytes, kind) , public tooltray_kit::Bind##name<Palette>

class Palette : public tooltray_kit::PaletteBase TOOLTRAY_METHODS(TOOLTRAY_KIT_BASE) {
public:
    Palette() = default;
    // classData is the library's class data record: resolve_ToolTrayClassData() when the library
    // is linked, or the address found in it when it is loaded at run time.
    Palette(ToolTray* object, Environment* ev,
            const ToolTrayClassDataStructure* classData = resolve_ToolTrayClassData())
        : object_(object), ev_(ev), methods_(tooltray_kit::MethodTableFor(object, classData))
    {}

    ToolTray* Object() const { return object_; }
    Environment* Env() const { return ev_; }
    // Null when the object is null or not a built ToolTray: then no method may be called.
    const ToolTrayMethodTable* Methods() const { return methods_; }
    explicit operator bool() const { return methods_ != nullptr; }

    // The framework methods a host uses on a palette.
    void InitExtension(SOMObject* base) const { methods_->InitExtension(object_, ev_, base); }
    void Release() const { methods_->Release(object_, ev_); }

protected:
    ToolTray* object_ = nullptr;
    Environment* ev_ = nullptr;
    const ToolTrayMethodTable* methods_ = nullptr;
};

#undef TOOLTRAY_KIT_BASE

// The bases add no storage: a call loads the table, then the procedure, as a virtual call does.
static_assert(sizeof(Palette) == 3 * sizeof(void*));

#endif // HOST_TOOLTRAY_BINDINGS_H
