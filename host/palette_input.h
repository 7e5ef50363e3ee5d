// What a palette does with the user's input, apart from any window system: the front ends turn
// their events into these calls and redraw what the answers name.
//
// Mouse: pressing on a tool shows it pressed (state 1) while the button is held; releasing over
// the same tool clicks it; dragging off restores its state, and dragging back shows it pressed
// again, as toolbar buttons do. A release may never arrive (it happened outside the window, or the
// window system lost it), so a held press is never left waiting for one: whenever an event shows
// the button up, or a new press comes, or the window loses the focus or is hidden, the held press
// ends as a cancelled press ends (its tool back to its state before it, nothing clicked), and the
// next click is a click. Keys: the arrows move a hot tool, which the host marks with a focus
// rectangle; Space or Enter clicks it; Escape asks to close. A click on a plain tool says
// "click ID"; a toggle tool stays pressed after a click until the next one and says
// "toggle ID on" or "toggle ID off".
#ifndef HOST_PALETTE_INPUT_H
#define HOST_PALETTE_INPUT_H

#include "host/host_palette.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

enum class PaletteKey { Left, Right, Up, Down, Activate, Escape };

// What one event changed.
struct InputEffect {
    std::vector<RECT> dirty;        // rectangles to redraw, in palette pixels
    std::vector<std::string> lines; // what the palette says, one line each, for stdout
    std::optional<int32_t> clicked; // the tool a click (or Space, Enter) clicked, if any
    bool close = false;
};

class PaletteInput {
public:
    PaletteInput(const HostPalette& host, std::set<int32_t> toggles);

    // Pointer events, with the primary button's state as the window system reports it at that
    // event: the press still held, if any, is settled by what they say.
    InputEffect Press(int x, int y); // button down at (x, y); a press still held is cancelled first
    InputEffect Move(int x, int y, bool buttonDown);
    InputEffect Leave(bool buttonDown); // the pointer left the window
    InputEffect Release(int x, int y);
    // The press ends without a release (capture or focus lost, window hidden): the held tool goes
    // back to its state before the press, and nothing is clicked.
    InputEffect Cancel();
    bool Holding() const { return held_ != nullptr; } // a press is held: the window may capture
    InputEffect Key(PaletteKey key);

    ToolInfo* Hot() const { return hot_; } // null until an arrow key picks one
    // Where the hot tool's focus rectangle goes: inside its frame, so that it never reaches into
    // the space between tools, whose size is the class's business.
    static RECT FocusRect(const ToolInfo* tool);

private:
    ToolInfo* ToolAt(int x, int y) const;
    void Click(ToolInfo* tool, InputEffect& effect);
    void SetState(ToolInfo* tool, uint16_t state, InputEffect& effect);
    void Settle(InputEffect& effect); // ends the held press as a cancelled one
    ToolInfo* Neighbour(PaletteKey key) const;

    const HostPalette& host_;
    std::set<int32_t> toggles_;
    ToolInfo* held_ = nullptr; // the tool the button went down on
    uint16_t heldState_ = 0;   // its state before the press
    ToolInfo* hot_ = nullptr;
};

#endif // HOST_PALETTE_INPUT_H
