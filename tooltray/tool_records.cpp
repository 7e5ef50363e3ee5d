// Tool records in the palette's list: adding, removing, walking in order, and their fields.
// Before InitExtension there is no list, and the palette behaves as one without tools.
#include "tooltray/tooltray_private.h"

namespace tooltray {

ToolInfo* SOMLINK AddToolInfo(ToolTray* self, Environment*, int32_t id, const KxRect* bounds,
                              HBITMAP bitmap, uint16_t state) noexcept
{
    ToolList* list = Data(self)->toolList;
    if (!list || !bounds)
        return nullptr;
    ToolInfo* tool = new (std::nothrow) ToolInfo;
    if (!tool)
        return nullptr;
    tool->id = id;
    tool->bounds.left = bounds->left;
    tool->bounds.top = bounds->top;
    tool->bounds.right = bounds->right;
    tool->bounds.bottom = bounds->bottom;
    tool->bitmap = bitmap;
    tool->state = state;
    // A record that no link holds would never be drawn, hit or found: report the failure instead.
    if (!list->Add(tool)) {
        delete tool;
        return nullptr;
    }
    return tool;
}

void SOMLINK RemoveToolInfo(ToolTray* self, Environment*, ToolInfo* tool) noexcept
{
    // Only a record of this palette's list is destroyed, so a null, foreign or already removed
    // one is left alone and a second removal is never a second free.
    ToolList* list = Data(self)->toolList;
    if (list && tool && list->Remove(tool))
        delete tool;
}

ToolInfo* SOMLINK GetFirstTool(ToolTray* self, Environment*) noexcept
{
    ToolList* list = Data(self)->toolList;
    return list ? ToolOf(list->First()) : nullptr;
}

ToolInfo* SOMLINK GetLastTool(ToolTray* self, Environment*) noexcept
{
    ToolList* list = Data(self)->toolList;
    return list ? ToolOf(list->Last()) : nullptr;
}

ToolInfo* SOMLINK GetNextTool(ToolTray* self, Environment*, ToolInfo* tool) noexcept
{
    ToolList* list = Data(self)->toolList;
    if (!list || !tool)
        return nullptr;
    // Null after the last tool, and for a tool this palette does not hold (the sentinel's next
    // is the front, which must not be mistaken for a successor).
    ToolListNode* link = FindToolLink(list, [tool](ToolInfo* t) { return t == tool; });
    return ToolOf(link) ? ToolOf(link->next) : nullptr;
}

// The record accessors need nothing of the palette's data, but ask for it all the same: every
// method does, first, and the runtime and hosts may count on seeing it.
uint16_t SOMLINK GetToolState(ToolTray* self, Environment*, ToolInfo* tool) noexcept
{
    Data(self);
    return tool ? tool->state : 0;
}

void SOMLINK SetToolState(ToolTray* self, Environment*, ToolInfo* tool, uint16_t state) noexcept
{
    Data(self);
    if (tool)
        tool->state = state;
}

int32_t SOMLINK GetToolID(ToolTray* self, Environment*, ToolInfo* tool) noexcept
{
    Data(self);
    return tool ? tool->id : 0;
}

void SOMLINK SetToolID(ToolTray* self, Environment*, ToolInfo* tool, int32_t id) noexcept
{
    Data(self);
    if (tool)
        tool->id = id;
}

} // namespace tooltray
