#include "host/column_tray.h"

#include "host/tooltray_bindings.h"
#include "runtime/win_gdi.h"
#include "runtime/som_class_declaration.h"

#include <algorithm>
#include <optional>

namespace {

// The column's own spacing: the gap between stacked tools and between columns, and the least
// room left below a tool. The first slot and the top of every column come from the class.
constexpr int kGap = 4;
constexpr int kBottomMargin = 4;

somClassDataStructure g_classData;
somCClassDataStructure g_cClassData;

// Calls the object's own method through the runtime, as the class itself does: no method table
// is built, so the override neither allocates nor locks while the class calls it.
template <typename Proc, typename... Args>
auto Call(somMToken ToolTrayClassDataStructure::*token, ToolTray* self, Environment* ev,
          Args... args) noexcept
{
    const somMToken t = resolve_ToolTrayClassData()->*token;
    return reinterpret_cast<Proc>(ResolveMethod(self, t))(self, ev, args...);
}

void SOMLINK ColumnNextToolBounds(ToolTray* self, Environment* ev, KxRect* bounds) noexcept
{
    // A null rectangle asks for nothing, as with the class's own method.
    if (!bounds)
        return;
    const auto first = [&] {
        return Call<somTD_ToolTray_GetFirstTool>(&ToolTrayClassDataStructure::GetFirstTool, self,
                                                 ev);
    };
    const auto next = [&](ToolInfo* t) {
        return Call<somTD_ToolTray_GetNextTool>(&ToolTrayClassDataStructure::GetNextTool, self, ev,
                                                t);
    };
    // R: the lowest tool of the right-most column, the row rule turned on its side. Ties go to
    // the tool met first, the newer one. Tools with empty bounds are not placed yet.
    std::optional<RECT> r;
    int columnTop = 0;
    for (ToolInfo* t = first(); t; t = next(t)) {
        const KxRect rect = Palette::ToolBounds(t);
        if (rect.IsEmpty())
            continue;
        RECT b;
        rect.AsWinRect(b);
        if (!r || b.left >= r->right || (b.bottom > r->bottom && b.right >= r->right))
            r = b;
    }
    if (!r) {
        // Nothing placed yet: the first slot is wherever the class puts it.
        auto parent = reinterpret_cast<somTD_ToolTray_GetNextToolBounds>(ResolveParentMethod(
            g_cClassData.parentMethodTables, 1, resolve_ToolTrayClassData()->GetNextToolBounds));
        parent(self, ev, bounds);
        return;
    }
    // Every column starts level with the first one: at the top of the highest tool that shares
    // R's column.
    columnTop = r->top;
    for (ToolInfo* t = first(); t; t = next(t)) {
        const KxRect rect = Palette::ToolBounds(t);
        RECT b;
        rect.AsWinRect(b);
        if (!rect.IsEmpty() && b.left == r->left)
            columnTop = std::min<int>(columnTop, b.top);
    }
    // Zeroed first, so a GetSize that fills nothing reads as an empty palette.
    KxRect size;
    size.left = size.top = size.right = size.bottom = 0;
    Call<somTD_ToolTray_GetSize>(&ToolTrayClassDataStructure::GetSize, self, ev, &size);
    const int height = FixedToPixels(size.Height());
    const int tw = FixedToPixels(
        Call<somTD_ToolTray_GetToolWidth>(&ToolTrayClassDataStructure::GetToolWidth, self, ev));
    const int th = FixedToPixels(
        Call<somTD_ToolTray_GetToolHeight>(&ToolTrayClassDataStructure::GetToolHeight, self, ev));
    const int top = r->bottom + kGap;
    if (top + th <= height - kBottomMargin) // below R, as wide as R
        bounds->Set(PixelsToFixed(r->left), PixelsToFixed(top), PixelsToFixed(r->right),
                    PixelsToFixed(top + th));
    else // a new column
        bounds->Set(PixelsToFixed(r->right + kGap), PixelsToFixed(columnTop),
                    PixelsToFixed(r->right + kGap + tw), PixelsToFixed(columnTop + th));
}

} // namespace

SOMClass* ColumnToolTrayNewClass()
{
    if (!ToolTrayNewClass(1, 0))
        return nullptr;
    // The declaration outlives the class, which lives as long as the process.
    static const ClassDeclaration declaration(
        "ColumnToolTray", "ToolTray", 0, &g_classData, &g_cClassData, {},
        {{"ToolTray::GetNextToolBounds", somProc(&ColumnNextToolBounds)}});
    return BuildClass(SOM_INHERIT_FIRST_PARENT, declaration.Description(), 0, 0);
}
