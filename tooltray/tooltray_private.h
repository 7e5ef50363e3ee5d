// Internals of the ToolTray class: its instance data, its class data records and the procedures
// that implement its methods.
#ifndef TOOLTRAY_TOOLTRAY_PRIVATE_H
#define TOOLTRAY_TOOLTRAY_PRIVATE_H

#include "runtime/win_gdi.h"
#include "tools/tool_walk.h"
#include "tooltray/tooltray.h"

// Per-instance data, in this field order (80 bytes with 32-bit references).
struct ToolTrayData {
    ToolTrayInitCompletedProc initCompletedProc;
    SOMObject* baseObject;
    KxRect size;
    KxToolSpaceObj* toolSpaceObj;
    int16_t pos;
    HWND toolSpaceWnd;
    SOMObject* partFrameShape;
    int32_t domain;
    SOMObject* session;
    int32_t userInfo;
    ToolList* toolList; // owned; null until InitExtension
    KxFixed toolWidth;
    KxFixed toolHeight;
    KxRect floatRect;
};

namespace tooltray {

extern ToolTrayClassDataStructure ClassData;
extern ToolTrayCClassDataStructure CClassData;

// Every method starts here: the instance-data procedure as the runtime filled it in.
inline ToolTrayData* Data(ToolTray* self)
{
    return static_cast<ToolTrayData*>(CClassData.instanceDataToken(self));
}

// Overrides and methods are called from C: nothing may unwind out of them. Each catches what it
// can meet, and noexcept turns a case missed into termination rather than unwinding into a host.
void SOMLINK somInit(ToolTray* self) noexcept;
void SOMLINK somUninit(ToolTray* self) noexcept;
void SOMLINK InitExtension(ToolTray* self, Environment* ev, SOMObject* base) noexcept;
void SOMLINK Release(ToolTray* self, Environment* ev) noexcept;

// The methods, one prototype per row of the method table, each with the signature hosts call it
// through.
#define TOOLTRAY_PROTOTYPE(unused, token, name, bytes, kind, result, params) \
  result SOMLINK name params noexcept;
TOOLTRAY_METHOD_TABLE(TOOLTRAY_PROTOTYPE, unused)
#undef TOOLTRAY_PROTOTYPE

} // namespace tooltray

#endif // TOOLTRAY_TOOLTRAY_PRIVATE_H
