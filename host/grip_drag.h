// The grip of a palette, apart from any window system: a press on it, then either a drag that
// ends in a drop (dock at an edge or float at the drop point) or, with a second press soon after
// and close by, a double-click. Screen pixels throughout; times in milliseconds from any origin.
#ifndef HOST_GRIP_DRAG_H
#define HOST_GRIP_DRAG_H

#include "host/dock_layout.h"

#include <cstdint>
#include <optional>

// A press becomes a drag once the pointer is this far from where it went down, so that a click or
// the first half of a double-click moves nothing.
constexpr int kDragThreshold = 4;
// A second press within this time and distance of the first makes a double-click: the common
// desktop defaults.
constexpr uint32_t kDoubleClickMs = 500;
constexpr int kDoubleClickDistance = 4;

struct DropTarget {
    std::optional<DockEdge> dock; // set: dock there; otherwise float at `floating`
    PixelRect floating;           // the floating window's rectangle for that pointer position
};

class GripDrag {
public:
    enum class PressKind { Start, DoubleClick };

    // A press on the grip of a carrier at `carrier` (screen). The floating window is
    // floatWidth x floatHeight with a grip `gripDepth` deep along its top; the pointer keeps its
    // offset into the carrier, limited to that grip, so a floating palette moves with the pointer
    // and a docked one floats with its grip under it.
    PressKind Press(int x, int y, uint32_t timeMs, const PixelRect& carrier, int floatWidth,
                    int floatHeight, int gripDepth = 8);
    // The pointer moved, with the button down: where a drop here would put the palette. Null
    // while the press has not become a drag, or when none is held.
    std::optional<DropTarget> Move(int x, int y, const PixelRect& client);
    // The button came up: the drop, if the press had become a drag. The press ends either way.
    std::optional<DropTarget> Release(int x, int y, const PixelRect& client);
    void Cancel() { held_ = dragging_ = false; }
    bool Holding() const { return held_; }
    bool Dragging() const { return dragging_; }

private:
    DropTarget TargetAt(int x, int y, const PixelRect& client) const;

    bool held_ = false;
    bool dragging_ = false;
    int startX_ = 0, startY_ = 0;
    int offsetX_ = 0, offsetY_ = 0; // the pointer's offset into the floating rectangle
    int floatWidth_ = 0, floatHeight_ = 0;
    std::optional<uint32_t> lastPressMs_; // the last press that did not end a double-click
    int lastX_ = 0, lastY_ = 0;
};

#endif // HOST_GRIP_DRAG_H
