// Automatic layout: tools in rows, 4-pixel margins at the top and left, 4-pixel gaps, and a right
// margin of at least 4 pixels. Layout works in whole pixels and keeps no state: each placement is
// derived from the tools' rectangles.
#include "tooltray/tooltray_private.h"

namespace tooltray {

namespace {

constexpr int32_t kMargin = 4;
constexpr int32_t kGap = 4;

void SetFromPixels(KxRect* r, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    r->Set(PixelsToFixed(left), PixelsToFixed(top), PixelsToFixed(right), PixelsToFixed(bottom));
}

} // namespace

void SOMLINK GetNextToolBounds(ToolTray* self, Environment* ev, KxRect* bounds) noexcept
{
    ToolTrayData* d = Data(self);
    if (!bounds)
        return;
    // The object's own GetSize, so a subclass decides the row width. Zeroed first, so a GetSize
    // that fills nothing reads as the default size instead of stack garbage.
    KxRect size;
    size.left = size.top = size.right = size.bottom = 0;
    somCall<somTD_ToolTray_GetSize>(self, ClassData.GetSize, ev, &size);
    const KxFixed width =
        static_cast<KxFixed>(static_cast<uint32_t>(size.right) - static_cast<uint32_t>(size.left));
    const int32_t tw = FixedToPixels(d->toolWidth);
    const int32_t th = FixedToPixels(d->toolHeight);

    // R ends as the right-most tool of the lowest row: a tool in a lower row replaces it, a tool
    // of the same row only when it reaches further right. Ties go to the newer tool, met first.
    RECT r;
    SetRect(&r, kMargin, kMargin, tw + kMargin, th + kMargin);
    bool allEmpty = true;
    if (ToolList* list = d->toolList) {
        ForEachTool(list, [&](ToolInfo* tool) {
            RECT b;
            tool->bounds.AsWinRect(b);
            if (b.top >= r.bottom || (b.right > r.right && b.bottom >= r.bottom))
                r = b;
            // Every rectangle is asked, even once the answer is settled: the framework sees one
            // IsEmpty per tool.
            if (!tool->bounds.IsEmpty())
                allEmpty = false;
        });
    }
    if (allEmpty) {
        SetFromPixels(bounds, r.left, r.top, r.right, r.bottom);
        return;
    }
    const int32_t limit = FixedToPixels(width) - kMargin;
    if (r.right + kGap + tw <= limit)
        SetFromPixels(bounds, r.right + kGap, r.top, r.right + kGap + tw, r.bottom);
    else
        SetFromPixels(bounds, kMargin, r.bottom + kGap, kMargin + tw, r.bottom + kGap + th);
}

void SOMLINK ArrangeTools(ToolTray* self, Environment* ev) noexcept
{
    ToolList* list = Data(self)->toolList;
    if (!list)
        return;
    ForEachTool(list, [](ToolInfo* tool) { tool->bounds.Set(0, 0, 0, 0); });
    // Oldest first: each placement sees exactly the tools placed before it, all others empty.
    ForEachToolOldestFirst(list, [self, ev](ToolInfo* tool) {
        somCall<somTD_ToolTray_GetNextToolBounds>(self, ClassData.GetNextToolBounds, ev,
                                                  &tool->bounds);
    });
}

} // namespace tooltray
