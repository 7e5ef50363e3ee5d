#include "host/tool_tips_win32.h"

#include <commctrl.h>

namespace {

// The smallest TOOLINFO every comctl32 takes: version 5 (what a program without a manifest
// gets) refuses the larger sizes of newer headers, and then no tip ever shows.
TOOLINFOA ToolInfoFor(HWND window, UINT_PTR id)
{
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = window;
    info.uId = id;
    return info;
}

} // namespace

PaletteToolTips::~PaletteToolTips()
{
    if (control_)
        DestroyWindow(control_);
}

bool PaletteToolTips::Create(HWND owner)
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    if (!InitCommonControlsEx(&classes))
        return false;
    // TTS_ALWAYSTIP: palettes float in tool windows that are rarely the active window.
    control_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (!control_)
        return false;
    // The popup's title, for scripts that look for it on the screen; the control shows the tool's
    // text, never this. Set after creation: Wine's comctl32 drops a name given to CreateWindowEx.
    SetWindowTextA(control_, "ToolTray tooltip");
    SendMessageA(control_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(500, 0));
    return true;
}

void PaletteToolTips::SetTools(HWND window, const std::vector<TipTool>& tools)
{
    Clear();
    if (!control_)
        return;
    window_ = window;
    for (const TipTool& tool : tools) {
        TOOLINFOA info = ToolInfoFor(window, count_++);
        info.uFlags = TTF_SUBCLASS;
        info.rect = tool.rect;
        // The control keeps its own copy of the text.
        info.lpszText = const_cast<char*>(tool.name.c_str());
        SendMessageA(control_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void PaletteToolTips::Clear()
{
    if (!control_)
        return;
    SendMessageA(control_, TTM_POP, 0, 0);
    while (count_ > 0) {
        TOOLINFOA info = ToolInfoFor(window_, --count_);
        SendMessageA(control_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
    window_ = nullptr;
}
