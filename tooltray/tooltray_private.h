// Internals of the ToolTray class: its instance data, its class data records and the procedures
// that implement its methods.
#ifndef TOOLTRAY_TOOLTRAY_PRIVATE_H
#define TOOLTRAY_TOOLTRAY_PRIVATE_H

#include "tools/tool_info.h"
#include "tools/tool_list.h"
#include "tooltray/tooltray.h"

#include <type_traits>

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

// The front-to-back walk over a list's values, newest first.
template <typename F>
inline void ForEachTool(ToolList* list, F&& f)
{
    for (ToolListNode* n = list->next; n->value; n = n->next)
        f(static_cast<ToolInfo*>(n->value));
}

// Overrides.
void SOMLINK somInit(ToolTray* self);
void SOMLINK somUninit(ToolTray* self);
void SOMLINK InitExtension(ToolTray* self, Environment* ev, SOMObject* base);
void SOMLINK Release(ToolTray* self, Environment* ev);

// The 39 methods, with the signatures of tooltray.h.
void SOMLINK InstallCompletedProc(ToolTray*, Environment*, ToolTrayInitCompletedProc);
void SOMLINK CallInitCompleted(ToolTray*, Environment*);
void SOMLINK GetSize(ToolTray*, Environment*, KxRect*);
void SOMLINK SetSize(ToolTray*, Environment*, const KxRect*);
void SOMLINK GetFloatRect(ToolTray*, Environment*, KxRect*);
void SOMLINK SetFloatRect(ToolTray*, Environment*, const KxRect*);
KxToolSpaceObj* SOMLINK GetToolSpaceObj(ToolTray*, Environment*);
void SOMLINK SetToolSpaceObj(ToolTray*, Environment*, KxToolSpaceObj*);
int16_t SOMLINK GetPos(ToolTray*, Environment*);
void SOMLINK SetPos(ToolTray*, Environment*, int16_t);
HWND SOMLINK GetToolSpaceWnd(ToolTray*, Environment*);
void SOMLINK SetToolSpaceWnd(ToolTray*, Environment*, HWND);
SOMObject* SOMLINK GetPartFrameShape(ToolTray*, Environment*);
void SOMLINK SetPartFrameShape(ToolTray*, Environment*, SOMObject*);
int32_t SOMLINK GetDomain(ToolTray*, Environment*);
void SOMLINK SetDomain(ToolTray*, Environment*, int32_t);
SOMObject* SOMLINK GetSession(ToolTray*, Environment*);
void SOMLINK SetSession(ToolTray*, Environment*, SOMObject*);
int32_t SOMLINK GetUserInfo(ToolTray*, Environment*);
void SOMLINK SetUserInfo(ToolTray*, Environment*, int32_t);
ToolInfo* SOMLINK AddToolInfo(ToolTray*, Environment*, int32_t, const KxRect*, HBITMAP, uint16_t);
void SOMLINK RemoveToolInfo(ToolTray*, Environment*, ToolInfo*);
ToolInfo* SOMLINK GetFirstTool(ToolTray*, Environment*);
ToolInfo* SOMLINK GetNextTool(ToolTray*, Environment*, ToolInfo*);
ToolInfo* SOMLINK GetLastTool(ToolTray*, Environment*);
void SOMLINK GetNextToolBounds(ToolTray*, Environment*, KxRect*);
KxFixed SOMLINK GetToolWidth(ToolTray*, Environment*);
void SOMLINK SetToolWidth(ToolTray*, Environment*, KxFixed);
KxFixed SOMLINK GetToolHeight(ToolTray*, Environment*);
void SOMLINK SetToolHeight(ToolTray*, Environment*, KxFixed);
ToolInfo* SOMLINK CreateTool(ToolTray*, Environment*, int32_t, HBITMAP, uint16_t);
void SOMLINK DestroyTool(ToolTray*, Environment*, int32_t);
uint16_t SOMLINK GetToolState(ToolTray*, Environment*, ToolInfo*);
void SOMLINK SetToolState(ToolTray*, Environment*, ToolInfo*, uint16_t);
int32_t SOMLINK GetToolID(ToolTray*, Environment*, ToolInfo*);
void SOMLINK SetToolID(ToolTray*, Environment*, ToolInfo*, int32_t);
ToolInfo* SOMLINK PtInTool(ToolTray*, Environment*, const KxPoint*);
void SOMLINK UpdateTools(ToolTray*, Environment*, HDC);
void SOMLINK ArrangeTools(ToolTray*, Environment*);

// Each implementation has exactly the signature hosts call it through.
#define TOOLTRAY_CHECK_SIGNATURE(index, name, bytes, kind) \
  static_assert(std::is_same_v<decltype(&name), somTD_ToolTray_##name>, #name);
TOOLTRAY_METHODS(TOOLTRAY_CHECK_SIGNATURE)
#undef TOOLTRAY_CHECK_SIGNATURE

} // namespace tooltray

#endif // TOOLTRAY_TOOLTRAY_PRIVATE_H
