// ToolTray, the floating tool-palette class, as hosts see it: the three exported entry points,
// the class data records and the signature of each of the 39 methods.
//
// A host calls ToolTrayNewClass once, creates palettes with NewObject, initialises each with
// KxExtension's InitExtension, and then calls methods by token:
//     somCall<somTD_ToolTray_GetSize>(palette, resolve_ToolTrayClassData()->GetSize, ev, &rect);
// host/tooltray_bindings.h wraps this in typed calls.
#ifndef TOOLTRAY_TOOLTRAY_H
#define TOOLTRAY_TOOLTRAY_H

#include "../geometry/kx_geometry.h"
#include "../runtime/kxcore.h"
#include "../runtime/som.h"
#include "../runtime/win_handles.h"

#if defined(_WIN32)
#  define TOOLTRAY_API
#else
#  define TOOLTRAY_API __attribute__((visibility("default")))
#endif

typedef SOMObject ToolTray;
struct ToolInfo; // tools/tool_info.h

// The completion callback: called with the base object, result ignored.
typedef void(SOMLINK* ToolTrayInitCompletedProc)(SOMObject* base);

// The method table, in token order, the one place a method is declared. Each row is
// ROW(X, token, name, argumentBytes, resultKind, result, (parameters)), the parameters being the
// whole list, object first and environment record second. The class data fields, the procedure
// types somTD_ToolTray_<name> below, the class's description and its prototypes are all made
// from it; ROW receives X to pass on.
// clang-format off
#define TOOLTRAY_METHOD_TABLE(ROW, X) \
  ROW(X, 0, InstallCompletedProc, 12, 0, void, (ToolTray*, Environment*, ToolTrayInitCompletedProc)) \
  ROW(X, 1, CallInitCompleted, 8, 0, void, (ToolTray*, Environment*)) \
  ROW(X, 2, GetSize, 12, 0, void, (ToolTray*, Environment*, KxRect*)) \
  ROW(X, 3, SetSize, 12, 0, void, (ToolTray*, Environment*, const KxRect*)) \
  ROW(X, 4, GetFloatRect, 12, 0, void, (ToolTray*, Environment*, KxRect*)) \
  ROW(X, 5, SetFloatRect, 12, 0, void, (ToolTray*, Environment*, const KxRect*)) \
  ROW(X, 6, GetToolSpaceObj, 8, 0, KxToolSpaceObj*, (ToolTray*, Environment*)) \
  ROW(X, 7, SetToolSpaceObj, 12, 0, void, (ToolTray*, Environment*, KxToolSpaceObj*)) \
  ROW(X, 8, GetPos, 8, 0, int16_t, (ToolTray*, Environment*)) \
  ROW(X, 9, SetPos, 12, 0, void, (ToolTray*, Environment*, int16_t)) \
  ROW(X, 10, GetToolSpaceWnd, 8, 0, HWND, (ToolTray*, Environment*)) \
  ROW(X, 11, SetToolSpaceWnd, 12, 0, void, (ToolTray*, Environment*, HWND)) \
  ROW(X, 12, GetPartFrameShape, 8, 0, SOMObject*, (ToolTray*, Environment*)) \
  ROW(X, 13, SetPartFrameShape, 12, 0, void, (ToolTray*, Environment*, SOMObject*)) \
  ROW(X, 14, GetDomain, 8, 0, int32_t, (ToolTray*, Environment*)) \
  ROW(X, 15, SetDomain, 12, 0, void, (ToolTray*, Environment*, int32_t)) \
  ROW(X, 16, GetSession, 8, 0, SOMObject*, (ToolTray*, Environment*)) \
  ROW(X, 17, SetSession, 12, 0, void, (ToolTray*, Environment*, SOMObject*)) \
  ROW(X, 18, GetUserInfo, 8, 0, int32_t, (ToolTray*, Environment*)) \
  ROW(X, 19, SetUserInfo, 12, 0, void, (ToolTray*, Environment*, int32_t)) \
  ROW(X, 20, AddToolInfo, 24, 0, ToolInfo*, (ToolTray*, Environment*, int32_t id, const KxRect* bounds, HBITMAP bitmap, uint16_t state)) \
  ROW(X, 21, RemoveToolInfo, 12, 0, void, (ToolTray*, Environment*, ToolInfo*)) \
  ROW(X, 22, GetFirstTool, 8, 0, ToolInfo*, (ToolTray*, Environment*)) \
  ROW(X, 23, GetNextTool, 12, 0, ToolInfo*, (ToolTray*, Environment*, ToolInfo*)) \
  ROW(X, 24, GetLastTool, 8, 0, ToolInfo*, (ToolTray*, Environment*)) \
  ROW(X, 25, GetNextToolBounds, 12, 0, void, (ToolTray*, Environment*, KxRect*)) \
  ROW(X, 26, GetToolWidth, 8, 0, KxFixed, (ToolTray*, Environment*)) \
  ROW(X, 27, SetToolWidth, 12, 0, void, (ToolTray*, Environment*, KxFixed)) \
  ROW(X, 28, GetToolHeight, 8, 0, KxFixed, (ToolTray*, Environment*)) \
  ROW(X, 29, SetToolHeight, 12, 0, void, (ToolTray*, Environment*, KxFixed)) \
  ROW(X, 30, CreateTool, 20, 0, ToolInfo*, (ToolTray*, Environment*, int32_t id, HBITMAP bitmap, uint16_t state)) \
  ROW(X, 31, DestroyTool, 12, 0, void, (ToolTray*, Environment*, int32_t id)) \
  ROW(X, 32, GetToolState, 12, 12, uint16_t, (ToolTray*, Environment*, ToolInfo*)) \
  ROW(X, 33, SetToolState, 16, 0, void, (ToolTray*, Environment*, ToolInfo*, uint16_t)) \
  ROW(X, 34, GetToolID, 12, 0, int32_t, (ToolTray*, Environment*, ToolInfo*)) \
  ROW(X, 35, SetToolID, 16, 0, void, (ToolTray*, Environment*, ToolInfo*, int32_t)) \
  ROW(X, 36, PtInTool, 12, 0, ToolInfo*, (ToolTray*, Environment*, const KxPoint*)) \
  ROW(X, 37, UpdateTools, 12, 0, void, (ToolTray*, Environment*, HDC)) \
  ROW(X, 38, ArrangeTools, 8, 0, void, (ToolTray*, Environment*))
// clang-format on

// The rows without their signatures, for code that needs only X(token, name, argumentBytes,
// resultKind).
#define TOOLTRAY_METHOD_NAMES(X, token, name, bytes, kind, result, params) \
  X(token, name, bytes, kind)
#define TOOLTRAY_METHODS(X) TOOLTRAY_METHOD_TABLE(TOOLTRAY_METHOD_NAMES, X)

// How many methods the class has.
#define TOOLTRAY_COUNT_METHOD(token, name, bytes, kind) +1
enum { kToolTrayMethodCount = 0 TOOLTRAY_METHODS(TOOLTRAY_COUNT_METHOD) };
#undef TOOLTRAY_COUNT_METHOD

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

TOOLTRAY_API SOMClass* ToolTrayNewClass(int32_t majorVersion, int32_t minorVersion) noexcept;
TOOLTRAY_API ToolTrayClassDataStructure* resolve_ToolTrayClassData(void) noexcept;
TOOLTRAY_API ToolTrayCClassDataStructure* resolve_ToolTrayCClassData(void) noexcept;

// Method procedures, one type per row: somTD_ToolTray_GetSize and so on.
#define TOOLTRAY_PROCEDURE_TYPE(unused, token, name, bytes, kind, result, params) \
  typedef result(SOMLINK* somTD_ToolTray_##name) params;
TOOLTRAY_METHOD_TABLE(TOOLTRAY_PROCEDURE_TYPE, unused)
#undef TOOLTRAY_PROCEDURE_TYPE

} // extern "C"

#endif // TOOLTRAY_TOOLTRAY_H
