// ToolTray, the floating tool-palette class, as hosts see it: the three exported entry points,
// the class data records and the signature of each of the 39 methods.
//
// A host calls ToolTrayNewClass once, creates palettes with NewObject, initialises each with
// KxExtension's InitExtension, and then calls methods by token:
//     somCall<somTD_ToolTray_GetSize>(palette, resolve_ToolTrayClassData()->GetSize, ev, &rect);
// host/tooltray_bindings.h wraps this in typed calls.
#ifndef TOOLTRAY_TOOLTRAY_H
#define TOOLTRAY_TOOLTRAY_H

#include "geometry/kx_geometry.h"
#include "runtime/kxcore.h"
#include "runtime/som.h"
#include "runtime/win_gdi.h"

#if defined(_WIN32)
#  define TOOLTRAY_API
#else
#  define TOOLTRAY_API __attribute__((visibility("default")))
#endif

typedef SOMObject ToolTray;
struct ToolInfo; // tools/tool_info.h

// The method table, in token order: X(token, name, argumentBytes, resultKind).
#define TOOLTRAY_METHODS(X)         \
  X(0, InstallCompletedProc, 12, 0) \
  X(1, CallInitCompleted, 8, 0)     \
  X(2, GetSize, 12, 0)              \
  X(3, SetSize, 12, 0)              \
  X(4, GetFloatRect, 12, 0)         \
  X(5, SetFloatRect, 12, 0)         \
  X(6, GetToolSpaceObj, 8, 0)       \
  X(7, SetToolSpaceObj, 12, 0)      \
  X(8, GetPos, 8, 0)                \
  X(9, SetPos, 12, 0)               \
  X(10, GetToolSpaceWnd, 8, 0)      \
  X(11, SetToolSpaceWnd, 12, 0)     \
  X(12, GetPartFrameShape, 8, 0)    \
  X(13, SetPartFrameShape, 12, 0)   \
  X(14, GetDomain, 8, 0)            \
  X(15, SetDomain, 12, 0)           \
  X(16, GetSession, 8, 0)           \
  X(17, SetSession, 12, 0)          \
  X(18, GetUserInfo, 8, 0)          \
  X(19, SetUserInfo, 12, 0)         \
  X(20, AddToolInfo, 24, 0)         \
  X(21, RemoveToolInfo, 12, 0)      \
  X(22, GetFirstTool, 8, 0)         \
  X(23, GetNextTool, 12, 0)         \
  X(24, GetLastTool, 8, 0)          \
  X(25, GetNextToolBounds, 12, 0)   \
  X(26, GetToolWidth, 8, 0)         \
  X(27, SetToolWidth, 12, 0)        \
  X(28, GetToolHeight, 8, 0)        \
  X(29, SetToolHeight, 12, 0)       \
  X(30, CreateTool, 20, 0)          \
  X(31, DestroyTool, 12, 0)         \
  X(32, GetToolState, 12, 12)       \
  X(33, SetToolState, 16, 0)        \
  X(34, GetToolID, 12, 0)           \
  X(35, SetToolID, 16, 0)           \
  X(36, PtInTool, 12, 0)            \
  X(37, UpdateTools, 12, 0)         \
  X(38, ArrangeTools, 8, 0)

extern "C" {

typedef struct ToolTrayClassDataStructure {
    SOMClass* classObject;
#define TOOLTRAY_TOKEN_FIELD(index, name, bytes, kind) somMToken name;
    TOOLTRAY_METHODS(TOOLTRAY_TOKEN_FIELD)
#undef TOOLTRAY_TOKEN_FIELD
} ToolTrayClassDataStructure;

typedef struct ToolTrayCClassDataStructure {
    somMethodTabs parentMethodTables;
    somDataProc instanceDataToken;
} ToolTrayCClassDataStructure;

TOOLTRAY_API SOMClass* ToolTrayNewClass(int32_t majorVersion, int32_t minorVersion);
TOOLTRAY_API ToolTrayClassDataStructure* resolve_ToolTrayClassData(void);
TOOLTRAY_API ToolTrayCClassDataStructure* resolve_ToolTrayCClassData(void);

// The completion callback: called with the base object, result ignored.
typedef void(SOMLINK* ToolTrayInitCompletedProc)(SOMObject* base);

// Method procedures: the object first, the environment record second.
typedef void(SOMLINK* somTD_ToolTray_InstallCompletedProc)(ToolTray*, Environment*,
                                                           ToolTrayInitCompletedProc);
typedef void(SOMLINK* somTD_ToolTray_CallInitCompleted)(ToolTray*, Environment*);
typedef void(SOMLINK* somTD_ToolTray_GetSize)(ToolTray*, Environment*, KxRect*);
typedef void(SOMLINK* somTD_ToolTray_SetSize)(ToolTray*, Environment*, const KxRect*);
typedef void(SOMLINK* somTD_ToolTray_GetFloatRect)(ToolTray*, Environment*, KxRect*);
typedef void(SOMLINK* somTD_ToolTray_SetFloatRect)(ToolTray*, Environment*, const KxRect*);
typedef KxToolSpaceObj*(SOMLINK* somTD_ToolTray_GetToolSpaceObj)(ToolTray*, Environment*);
typedef void(SOMLINK* somTD_ToolTray_SetToolSpaceObj)(ToolTray*, Environment*, KxToolSpaceObj*);
typedef int16_t(SOMLINK* somTD_ToolTray_GetPos)(ToolTray*, Environment*);
typedef void(SOMLINK* somTD_ToolTray_SetPos)(ToolTray*, Environment*, int16_t);
typedef HWND(SOMLINK* somTD_ToolTray_GetToolSpaceWnd)(ToolTray*, Environment*);
typedef void(SOMLINK* somTD_ToolTray_SetToolSpaceWnd)(ToolTray*, Environment*, HWND);
typedef SOMObject*(SOMLINK* somTD_ToolTray_GetPartFrameShape)(ToolTray*, Environment*);
typedef void(SOMLINK* somTD_ToolTray_SetPartFrameShape)(ToolTray*, Environment*, SOMObject*);
typedef int32_t(SOMLINK* somTD_ToolTray_GetDomain)(ToolTray*, Environment*);
typedef void(SOMLINK* somTD_ToolTray_SetDomain)(ToolTray*, Environment*, int32_t);
typedef SOMObject*(SOMLINK* somTD_ToolTray_GetSession)(ToolTray*, Environment*);
typedef void(SOMLINK* somTD_ToolTray_SetSession)(ToolTray*, Environment*, SOMObject*);
typedef int32_t(SOMLINK* somTD_ToolTray_GetUserInfo)(ToolTray*, Environment*);
typedef void(SOMLINK* somTD_ToolTray_SetUserInfo)(ToolTray*, Environment*, int32_t);
typedef ToolInfo*(SOMLINK* somTD_ToolTray_AddToolInfo)(ToolTray*, Environment*, int32_t id,
                                                       const KxRect* bounds, HBITMAP bitmap,
                                                       uint16_t state);
typedef void(SOMLINK* somTD_ToolTray_RemoveToolInfo)(ToolTray*, Environment*, ToolInfo*);
typedef ToolInfo*(SOMLINK* somTD_ToolTray_GetFirstTool)(ToolTray*, Environment*);
typedef ToolInfo*(SOMLINK* somTD_ToolTray_GetNextTool)(ToolTray*, Environment*, ToolInfo*);
typedef ToolInfo*(SOMLINK* somTD_ToolTray_GetLastTool)(ToolTray*, Environment*);
typedef void(SOMLINK* somTD_ToolTray_GetNextToolBounds)(ToolTray*, Environment*, KxRect*);
typedef KxFixed(SOMLINK* somTD_ToolTray_GetToolWidth)(ToolTray*, Environment*);
typedef void(SOMLINK* somTD_ToolTray_SetToolWidth)(ToolTray*, Environment*, KxFixed);
typedef KxFixed(SOMLINK* somTD_ToolTray_GetToolHeight)(ToolTray*, Environment*);
typedef void(SOMLINK* somTD_ToolTray_SetToolHeight)(ToolTray*, Environment*, KxFixed);
typedef ToolInfo*(SOMLINK* somTD_ToolTray_CreateTool)(ToolTray*, Environment*, int32_t id,
                                                      HBITMAP bitmap, uint16_t state);
typedef void(SOMLINK* somTD_ToolTray_DestroyTool)(ToolTray*, Environment*, int32_t id);
typedef uint16_t(SOMLINK* somTD_ToolTray_GetToolState)(ToolTray*, Environment*, ToolInfo*);
typedef void(SOMLINK* somTD_ToolTray_SetToolState)(ToolTray*, Environment*, ToolInfo*, uint16_t);
typedef int32_t(SOMLINK* somTD_ToolTray_GetToolID)(ToolTray*, Environment*, ToolInfo*);
typedef void(SOMLINK* somTD_ToolTray_SetToolID)(ToolTray*, Environment*, ToolInfo*, int32_t);
typedef ToolInfo*(SOMLINK* somTD_ToolTray_PtInTool)(ToolTray*, Environment*, const KxPoint*);
typedef void(SOMLINK* somTD_ToolTray_UpdateTools)(ToolTray*, Environment*, HDC);
typedef void(SOMLINK* somTD_ToolTray_ArrangeTools)(ToolTray*, Environment*);

} // extern "C"

#endif // TOOLTRAY_TOOLTRAY_H
