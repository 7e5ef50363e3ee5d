// Creating tools by identifier in the next free slot, and destroying them by identifier. Both are
// compositions of the object's own methods, so a subclass overriding any of them is obeyed.
#include "tooltray/tooltray_private.h"

namespace tooltray {

ToolInfo* SOMLINK CreateTool(ToolTray* self, Environment* ev, int32_t id, HBITMAP bitmap,
                             uint16_t state) noexcept
{
    Data(self); // first, as in every method
    KxToolSpaceObj* space =
        somCall<somTD_ToolTray_GetToolSpaceObj>(self, ClassData.GetToolSpaceObj, ev);
    if (!space)
        return nullptr;
    // The space's seventh method says whether it takes tools now. An object that has no such
    // method (not a tool space at all) takes none, instead of being called through null.
    auto acceptsTools = reinterpret_cast<somTD_KxToolSpaceObj_AcceptsTools>(
        ResolveMethod(space, resolve_KxToolSpaceObjClassData()->AcceptsTools));
    if (!acceptsTools || !acceptsTools(space, ev))
        return nullptr;
    // Zeroed first, so an override that writes nothing places the tool at (0, 0, 0, 0) instead
    // of wherever the stack pointed.
    KxRect slot;
    slot.left = slot.top = slot.right = slot.bottom = 0;
    somCall<somTD_ToolTray_GetNextToolBounds>(self, ClassData.GetNextToolBounds, ev, &slot);
    return somCall<somTD_ToolTray_AddToolInfo>(self, ClassData.AddToolInfo, ev, id, &slot, bitmap,
                                               state);
}

void SOMLINK DestroyTool(ToolTray* self, Environment* ev, int32_t id) noexcept
{
    ToolList* list = Data(self)->toolList;
    if (!list)
        return;
    // Only the newest tool with the identifier goes; the search ends before its link is freed.
    if (ToolInfo* tool = FindTool(list, [id](ToolInfo* t) { return t->id == id; }))
        somCall<somTD_ToolTray_RemoveToolInfo>(self, ClassData.RemoveToolInfo, ev, tool);
}

} // namespace tooltray
