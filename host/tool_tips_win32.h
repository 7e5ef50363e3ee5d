// The common tooltip control (comctl32) over a palette window: one tool per palette tool, its
// rectangle in the window's client pixels and its name as the text. The control watches the
// pointer itself (it subclasses the window), waits about half a second over a tool, shows the
// name beside the pointer and keeps it inside the screen.
#ifndef HOST_TOOL_TIPS_WIN32_H
#define HOST_TOOL_TIPS_WIN32_H

#include <windows.h>

#include <string>
#include <vector>

struct TipTool {
    RECT rect;        // in the palette window's client pixels
    std::string name; // what the tip says
};

class PaletteToolTips {
public:
    PaletteToolTips() = default;
    PaletteToolTips(const PaletteToolTips&) = delete;
    PaletteToolTips& operator=(const PaletteToolTips&) = delete;
    ~PaletteToolTips();

    // owner: the window the tip popup belongs to (it goes away with it). False when comctl32
    // cannot make the control.
    bool Create(HWND owner);
    HWND Control() const { return control_; }

    // Replaces the tools with these, over window. The tool ids are the indexes in tools; the
    // TTN_SHOW notification the window then gets carries the index as idFrom.
    void SetTools(HWND window, const std::vector<TipTool>& tools);
    void Clear(); // no tools: nothing shows, the window is left alone

private:
    HWND control_ = nullptr;
    HWND window_ = nullptr;
    UINT_PTR count_ = 0;
};

#endif // HOST_TOOL_TIPS_WIN32_H
