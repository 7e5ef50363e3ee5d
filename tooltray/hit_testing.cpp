// Hit testing: which of the palette's tools a point falls in.
#include "tooltray/tooltray_private.h"

namespace tooltray {

ToolInfo* SOMLINK PtInTool(ToolTray* self, Environment*, const KxPoint* point) noexcept
{
    ToolList* list = Data(self)->toolList;
    if (!list || !point)
        return nullptr;
    // Front to back, so where tools overlap the newest wins.
    return FindTool(list, [point](ToolInfo* tool) { return tool->bounds.Contains(*point); });
}

} // namespace tooltray
