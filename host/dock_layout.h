// Where a document's palette goes: the position code it keeps in the palette (SetPos), the dock
// along each edge of the document window's client area, the room a dock takes from the document,
// the zones near the edges where a dragged palette docks, and a floating rectangle kept on screen.
// Everything here is arithmetic on rectangles, apart from any window system.
//
// Position code, 16 bits: the low byte is the edge (1 top, 2 left, 3 right, 4 bottom); 0x0100 set
// means floating, and the low byte then still names the edge it was last docked at, so that going
// back needs nothing but the code. 0 means never placed: the part's default layout applies.
#ifndef HOST_DOCK_LAYOUT_H
#define HOST_DOCK_LAYOUT_H

#include <cstdint>
#include <optional>
#include <string_view>

enum class DockEdge : uint8_t { Top = 1, Left = 2, Right = 3, Bottom = 4 };

constexpr uint16_t kFloatingBit = 0x0100;

struct Placement {
    DockEdge edge = DockEdge::Top; // where it is docked, or was last docked while floating
    bool floating = false;
    friend bool operator==(const Placement&, const Placement&) = default;
};

uint16_t EncodePos(Placement placement);
// Null for 0 (never placed) and for any code this host does not write: another edge, other bits.
std::optional<Placement> DecodePos(uint16_t pos);

// "top", "left", "right", "bottom".
const char* EdgeName(DockEdge edge);
std::optional<DockEdge> EdgeFromName(std::string_view name);
// Left and right docks stack the tools in columns; top and bottom in rows.
inline bool IsColumnEdge(DockEdge edge)
{
    return edge == DockEdge::Left || edge == DockEdge::Right;
}

// A rectangle in whole pixels: its top-left corner and its size.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool Contains(int px, int py) const
    {
        return px >= x && py >= y && px < Right() && py < Bottom();
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A dock along `edge` of `client`, `thickness` pixels deep (clamped to the client), and what is
// left of the client for the document beside it.
struct DockSplit {
    PixelRect dock;
    PixelRect document;
};
DockSplit SplitForDock(const PixelRect& client, DockEdge edge, int thickness);

// How close to an edge of the client area (inside it, or as far outside) a dragged palette's
// pointer must come for the palette to dock there.
constexpr int kDockReach = 24;

// The edge whose zone holds the point, the nearest when zones overlap in a corner (ties in the
// order top, left, right, bottom); null when the point is in none.
std::optional<DockEdge> DropZone(const PixelRect& client, int x, int y, int reach = kDockReach);

// The rectangle moved (and, only when larger than the screen, shrunk) to lie wholly on `screen`.
PixelRect KeepOnScreen(const PixelRect& rect, const PixelRect& screen);

// Where a popup of `size` goes beside a pointer at (x, y): below and to the right, or flipped to
// the other side of the pointer where the screen ends, and never off the screen.
PixelRect PlaceBesidePointer(int x, int y, int width, int height, const PixelRect& screen);

#endif // HOST_DOCK_LAYOUT_H
