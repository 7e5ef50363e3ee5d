#include "host/dock_layout.h"

#include <algorithm>
#include <array>
#include <climits>

uint16_t EncodePos(Placement placement)
{
    return static_cast<uint16_t>(static_cast<uint16_t>(placement.edge) |
                                 (placement.floating ? kFloatingBit : 0));
}

std::optional<Placement> DecodePos(uint16_t pos)
{
    const unsigned edge = pos & 0xFFu;
    if (edge < 1 || edge > 4 || (pos & ~(kFloatingBit | 0xFFu)) != 0)
        return std::nullopt;
    return Placement{static_cast<DockEdge>(edge), (pos & kFloatingBit) != 0};
}

const char* EdgeName(DockEdge edge)
{
    switch (edge) {
    case DockEdge::Top:
        return "top";
    case DockEdge::Left:
        return "left";
    case DockEdge::Right:
        return "right";
    case DockEdge::Bottom:
        return "bottom";
    }
    return "top";
}

std::optional<DockEdge> EdgeFromName(std::string_view name)
{
    for (DockEdge edge : {DockEdge::Top, DockEdge::Left, DockEdge::Right, DockEdge::Bottom})
        if (name == EdgeName(edge))
            return edge;
    return std::nullopt;
}

DockSplit SplitForDock(const PixelRect& client, DockEdge edge, int thickness)
{
    const int across = IsColumnEdge(edge) ? client.width : client.height;
    const int depth = std::clamp(thickness, 0, std::max(0, across));
    DockSplit split{client, client};
    switch (edge) {
    case DockEdge::Top:
        split.dock.height = depth;
        split.document.y += depth;
        split.document.height -= depth;
        break;
    case DockEdge::Bottom:
        split.dock.y = client.Bottom() - depth;
        split.dock.height = depth;
        split.document.height -= depth;
        break;
    case DockEdge::Left:
        split.dock.width = depth;
        split.document.x += depth;
        split.document.width -= depth;
        break;
    case DockEdge::Right:
        split.dock.x = client.Right() - depth;
        split.dock.width = depth;
        split.document.width -= depth;
        break;
    }
    return split;
}

std::optional<DockEdge> DropZone(const PixelRect& client, int x, int y, int reach)
{
    // Each edge's band: from reach - 1 pixels outside it to reach - 1 pixels inside.
    const std::array<std::pair<DockEdge, int>, 4> distances{{
        {DockEdge::Top, y - client.y},
        {DockEdge::Left, x - client.x},
        {DockEdge::Right, client.Right() - 1 - x},
        {DockEdge::Bottom, client.Bottom() - 1 - y},
    }};
    for (const auto& [edge, distance] : distances)
        if (distance <= -reach)
            return std::nullopt; // too far outside the client area
    std::optional<DockEdge> best;
    int bestDistance = INT_MAX;
    for (const auto& [edge, distance] : distances) {
        const int d = std::max(distance, 0); // outside counts as on the edge
        if (distance < reach && d < bestDistance) {
            best = edge;
            bestDistance = d;
        }
    }
    return best;
}

PixelRect KeepOnScreen(const PixelRect& rect, const PixelRect& screen)
{
    PixelRect out = rect;
    out.width = std::min(rect.width, screen.width);
    out.height = std::min(rect.height, screen.height);
    out.x = std::clamp(rect.x, screen.x, screen.Right() - out.width);
    out.y = std::clamp(rect.y, screen.y, screen.Bottom() - out.height);
    return out;
}

PixelRect PlaceBesidePointer(int x, int y, int width, int height, const PixelRect& screen)
{
    // Clear of a pointer arrow's usual size, so the popup does not sit under the pointer.
    constexpr int kBelow = 20, kRight = 4;
    PixelRect r{x + kRight, y + kBelow, width, height};
    if (r.Right() > screen.Right())
        r.x = x - kRight - width;
    if (r.Bottom() > screen.Bottom())
        r.y = y - 4 - height;
    return KeepOnScreen(r, screen);
}
