// Typed host-side calls on a ToolTray palette. Palette is a view: the object, the environment
// record, and the procedures of the object's class, resolved once per class. Each of the 39
// methods is a member with the method's own signature, generated from TOOLTRAY_METHODS and the
// somTD_ToolTray_* procedure types:
//     Palette palette(object, GetGlobalEnvironment());
//     ToolInfo* tool = palette.CreateTool(7, bitmap, 0);
// Tool sizes are the exception: they take and answer tooltray::Fixed (host/tooltray_units.h), so
// that a pixel count cannot pass for fixed point. Calling a method on a view that has no table
// throws ToolTrayError instead of calling through null.
// The view owns nothing; host/tooltray_handles.h has the owning handles.
#ifndef TOOLTRAY_HOST_TOOLTRAY_BINDINGS_H
#define TOOLTRAY_HOST_TOOLTRAY_BINDINGS_H

#include "tooltray_units.h"
#include "../tools/tool_info.h"
#include "../tooltray/tooltray.h"

#include <memory>
#include <mutex>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

// Every error the kit reports: its text says what was refused and why.
class ToolTrayError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Why the kit refused or why the class answered null, as ToolTrayError texts and the answers of
// Palette::CreateToolRefusal.
namespace tooltray::reason {
inline constexpr const char* kNotAPalette =
    "not a palette: the object is null or not an instance of a built ToolTray class";
inline constexpr const char* kNotInitialised =
    "the palette is not initialised: InitExtension with a base object comes first";
inline constexpr const char* kNoToolSpace =
    "the palette has no tool space: SetToolSpaceObj comes before CreateTool";
inline constexpr const char* kNotAToolSpace =
    "the palette's tool space is not a KxToolSpaceObj, so it takes no tools";
inline constexpr const char* kSpaceRefuses = "the palette's tool space refuses tools";
inline constexpr const char* kAddRefused =
    "AddToolInfo answered null: out of memory, or a subclass refused the tool";
} // namespace tooltray::reason

// The procedures a host calls on palettes of one class: the 39 methods, and the two framework
// methods the class overrides.
struct ToolTrayMethodTable {
#define TOOLTRAY_TABLE_ENTRY(index, name, bytes, kind) somTD_ToolTray_##name name = nullptr;
    TOOLTRAY_METHODS(TOOLTRAY_TABLE_ENTRY)
#undef TOOLTRAY_TABLE_ENTRY
    somTD_KxExtension_InitExtension InitExtension = nullptr;
    somTD_KxRefCntObject_Release Release = nullptr;
    somTD_KxObject_IsInitialized IsInitialized = nullptr;
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
    resolve(table->IsInitialized, resolve_KxObjectClassData()->IsInitialized);
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
      return self.Checked()->name(self.Object(), self.Env(), args...);          \
    }                                                                           \
  };
TOOLTRAY_METHODS(TOOLTRAY_KIT_BINDING)
#undef TOOLTRAY_KIT_BINDING

// The tool sizes in the kit's units.
template <typename Self>
struct BindGetToolWidth<Self, somTD_ToolTray_GetToolWidth> {
    tooltray::Fixed GetToolWidth() const
    {
        const Self& self = static_cast<const Self&>(*this);
        return tooltray::Fixed(self.Checked()->GetToolWidth(self.Object(), self.Env()));
    }
};
template <typename Self>
struct BindSetToolWidth<Self, somTD_ToolTray_SetToolWidth> {
    void SetToolWidth(tooltray::Fixed width) const
    {
        const Self& self = static_cast<const Self&>(*this);
        self.Checked()->SetToolWidth(self.Object(), self.Env(), width.Raw());
    }
};
template <typename Self>
struct BindGetToolHeight<Self, somTD_ToolTray_GetToolHeight> {
    tooltray::Fixed GetToolHeight() const
    {
        const Self& self = static_cast<const Self&>(*this);
        return tooltray::Fixed(self.Checked()->GetToolHeight(self.Object(), self.Env()));
    }
};
template <typename Self>
struct BindSetToolHeight<Self, somTD_ToolTray_SetToolHeight> {
    void SetToolHeight(tooltray::Fixed height) const
    {
        const Self& self = static_cast<const Self&>(*this);
        self.Checked()->SetToolHeight(self.Object(), self.Env(), height.Raw());
    }
};

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
    // Null when the object is null or not a built ToolTray: then every method throws.
    const ToolTrayMethodTable* Methods() const { return methods_; }
    // The table, or ToolTrayError when there is none.
    const ToolTrayMethodTable* Checked() const
    {
        if (!methods_)
            throw ToolTrayError(tooltray::reason::kNotAPalette);
        return methods_;
    }
    // True for a palette a host can use: a ToolTray (or subclass) whose InitExtension has run.
    explicit operator bool() const { return methods_ && Initialised(); }
    // Whether InitExtension has run, as the framework records it; false without a table.
    bool Initialised() const { return methods_ && methods_->IsInitialized(object_, ev_) != 0; }

    // The framework methods a host uses on a palette.
    void InitExtension(SOMObject* base) const { Checked()->InitExtension(object_, ev_, base); }
    void Release() const { Checked()->Release(object_, ev_); }

    // A tool's rectangle in the palette, 16.16 (KxRect::AsWinRect gives whole pixels); (0, 0, 0,
    // 0) for a null tool, as the class's accessors read a null tool. The tool must be a live tool
    // of a palette, like every tool handle. The one place a host reads a tool record.
    static KxRect ToolBounds(const ToolInfo* tool)
    {
        if (tool)
            return tool->bounds;
        return KxRect(0, 0, 0, 0);
    }

    // Why CreateTool would answer null on this palette now, as one of tooltray::reason's texts;
    // null when nothing stands in its way (AddToolInfo may still fail). Asks what CreateTool
    // asks, in the same order, and changes nothing.
    const char* CreateToolRefusal() const
    {
        if (!methods_)
            return tooltray::reason::kNotAPalette;
        if (!Initialised())
            return tooltray::reason::kNotInitialised;
        KxToolSpaceObj* space = methods_->GetToolSpaceObj(object_, ev_);
        if (!space)
            return tooltray::reason::kNoToolSpace;
        auto accepts = reinterpret_cast<somTD_KxToolSpaceObj_AcceptsTools>(
            ResolveMethod(space, resolve_KxToolSpaceObjClassData()->AcceptsTools));
        if (!accepts)
            return tooltray::reason::kNotAToolSpace;
        if (!accepts(space, ev_))
            return tooltray::reason::kSpaceRefuses;
        return nullptr;
    }

    // CreateTool, but a null answer throws ToolTrayError saying why.
    ToolInfo* CreateToolChecked(int32_t id, HBITMAP bitmap, uint16_t state) const
    {
        if (const char* refusal = CreateToolRefusal())
            throw ToolTrayError(refusal);
        if (ToolInfo* tool = CreateTool(id, bitmap, state))
            return tool;
        throw ToolTrayError(tooltray::reason::kAddRefused);
    }

protected:
    ToolTray* object_ = nullptr;
    Environment* ev_ = nullptr;
    const ToolTrayMethodTable* methods_ = nullptr;
};

#undef TOOLTRAY_KIT_BASE

// The bases add no storage: a call loads the table, then the procedure, as a virtual call does.
static_assert(sizeof(Palette) == 3 * sizeof(void*));

#endif // TOOLTRAY_HOST_TOOLTRAY_BINDINGS_H
