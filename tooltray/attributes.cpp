// The palette's attributes: plain storage for the host, read by layout and tool creation.
#include "tooltray/tooltray_private.h"

namespace tooltray {

namespace {

// Rectangles travel as four coordinates. A null pointer is ignored rather than dereferenced.
void CopyRect(KxRect* to, const KxRect* from)
{
    if (!to || !from)
        return;
    to->left = from->left;
    to->top = from->top;
    to->right = from->right;
    to->bottom = from->bottom;
}

} // namespace

void SOMLINK GetSize(ToolTray* self, Environment*, KxRect* out) noexcept
{
    CopyRect(out, &Data(self)->size);
}
void SOMLINK SetSize(ToolTray* self, Environment*, const KxRect* in) noexcept
{
    CopyRect(&Data(self)->size, in);
}

void SOMLINK GetFloatRect(ToolTray* self, Environment*, KxRect* out) noexcept
{
    CopyRect(out, &Data(self)->floatRect);
}

void SOMLINK SetFloatRect(ToolTray* self, Environment*, const KxRect* in) noexcept
{
    CopyRect(&Data(self)->floatRect, in);
}

KxToolSpaceObj* SOMLINK GetToolSpaceObj(ToolTray* self, Environment*) noexcept
{
    return Data(self)->toolSpaceObj;
}
void SOMLINK SetToolSpaceObj(ToolTray* self, Environment*, KxToolSpaceObj* o) noexcept
{
    Data(self)->toolSpaceObj = o;
}

int16_t SOMLINK GetPos(ToolTray* self, Environment*) noexcept { return Data(self)->pos; }
void SOMLINK SetPos(ToolTray* self, Environment*, int16_t pos) noexcept { Data(self)->pos = pos; }

HWND SOMLINK GetToolSpaceWnd(ToolTray* self, Environment*) noexcept
{
    return Data(self)->toolSpaceWnd;
}
void SOMLINK SetToolSpaceWnd(ToolTray* self, Environment*, HWND w) noexcept
{
    Data(self)->toolSpaceWnd = w;
}

SOMObject* SOMLINK GetPartFrameShape(ToolTray* self, Environment*) noexcept
{
    return Data(self)->partFrameShape;
}
void SOMLINK SetPartFrameShape(ToolTray* self, Environment*, SOMObject* s) noexcept
{
    Data(self)->partFrameShape = s;
}

int32_t SOMLINK GetDomain(ToolTray* self, Environment*) noexcept { return Data(self)->domain; }
void SOMLINK SetDomain(ToolTray* self, Environment*, int32_t v) noexcept { Data(self)->domain = v; }

SOMObject* SOMLINK GetSession(ToolTray* self, Environment*) noexcept { return Data(self)->session; }
void SOMLINK SetSession(ToolTray* self, Environment*, SOMObject* s) noexcept
{
    Data(self)->session = s;
}

int32_t SOMLINK GetUserInfo(ToolTray* self, Environment*) noexcept { return Data(self)->userInfo; }
void SOMLINK SetUserInfo(ToolTray* self, Environment*, int32_t v) noexcept
{
    Data(self)->userInfo = v;
}

KxFixed SOMLINK GetToolWidth(ToolTray* self, Environment*) noexcept
{
    return Data(self)->toolWidth;
}
void SOMLINK SetToolWidth(ToolTray* self, Environment*, KxFixed w) noexcept
{
    Data(self)->toolWidth = w;
}

KxFixed SOMLINK GetToolHeight(ToolTray* self, Environment*) noexcept
{
    return Data(self)->toolHeight;
}
void SOMLINK SetToolHeight(ToolTray* self, Environment*, KxFixed h) noexcept
{
    Data(self)->toolHeight = h;
}

} // namespace tooltray
