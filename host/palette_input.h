// What a palette does with the user's input, apart from any window system: the front ends turn
// their events into these calls and redraw what the answers name.
//
// Mouse: pressing on a tool shows it pressed (state 1) while the button is held; releasing over
// the same tool clicks it; dragging off restores its state, and dragging back shows it pressed
// again, as toolbar buttons do. Keys: the arrows move a hot tool, which the host marks with a focus
// rectangle; Space or Enter clicks it; Escape asks to close. A click on a plain tool says
// "click ID"; a toggle tool stays pressed after a click until the next one and says
// "toggle ID on" or "toggle ID off".
#ifndef HOST_PALETTE_INPUT_H
#define HOST_PALETTE_INPUT_H

#include "host/host_palette.h"

#include <set>
#include <string>
#include <vector>

enum class PaletteKey { Left, Right, Up, Down, Activate, Escape };

// What one event changed.
struct InputEffect {
    std::vector<RECT> dirty;        // rectangles to redraw, in palette pixels
    std::vector<std::string> lines; // what the palette says, one line each, for stdout
    bool close = false;
};

class PaletteInput {
public:
    PaletteInput(const HostPalette& host, std::set<int32_t> toggles);

    InputEffect Press(int x, int y); // primary button down at (x, y)
    InputEffect Move(int x, int y);  // pointer moved; matters only while a button is held
    InputEffect Release(int x, int y);
    // The press ends without a release (the window lost the pointer's capture): the held tool
    // goes back to its state before the press, and nothing is clicked.
    InputEffect Cancel();
    InputEffect Key(PaletteKey key);

    ToolInfo* Hot() const { return hot_; } // null until an arrow key picks one
    // Where the hot tool's focus rectangle goes: inside its frame, so that it never reaches into
    // the space between tools, whose size is the class's business.
    static RECT FocusRect(const ToolInfo* tool);

private:
    ToolInfo* ToolAt(int x, int y) const;
    void Click(ToolInfo* tool, InputEffect& effect);
    void SetState(ToolInfo* tool, uint16_t state, InputEffect& effect);
    ToolInfo* Neighbour(PaletteKey key) const;

    const HostPalette& host_;
    std::set<int32_t> toggles_;
    ToolInfo* held_ = nullptr; // the tool the button went down on
    uint16_t heldState_ = 0;   // its state before the press
    ToolInfo* hot_ = nullptr;
};

#endif // HOST_PALETTE_INPUT_H
