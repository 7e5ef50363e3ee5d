// Typed host-side calls on a ToolTray palette: each method resolves its token on the palette and
// calls the procedure with the palette and the environment record. The class data record comes
// from the library, linked or loaded at run time.
#ifndef HOST_TOOLTRAY_BINDINGS_H
#define HOST_TOOLTRAY_BINDINGS_H

#include "tooltray/tooltray.h"

class Palette {
public:
    Palette(ToolTray* object, Environment* ev, const ToolTrayClassDataStructure* classData)
        : object_(object), ev_(ev), classData_(classData)
    {}

    ToolTray* Object() const { return object_; }
    Environment* Env() const { return ev_; }

#define TOOLTRAY_BINDING(index, name, bytes, kind)                                  \
  template <typename... Args>                                                       \
  auto name(Args... args) const                                                     \
  {                                                                                 \
    return somCall<somTD_ToolTray_##name>(object_, classData_->name, ev_, args...); \
  }
    TOOLTRAY_METHODS(TOOLTRAY_BINDING)
#undef TOOLTRAY_BINDING

    // The framework methods a host uses on a palette.
    void InitExtension(SOMObject* base) const
    {
        somCall<somTD_KxExtension_InitExtension>(
            object_, resolve_KxExtensionClassData()->InitExtension, ev_, base);
    }
    void Release() const
    {
        somCall<somTD_KxRefCntObject_Release>(object_, resolve_KxRefCntObjectClassData()->Release,
                                              ev_);
    }

private:
    ToolTray* object_;
    Environment* ev_;
    const ToolTrayClassDataStructure* classData_;
};

#endif // HOST_TOOLTRAY_BINDINGS_H
