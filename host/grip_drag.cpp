#include "host/grip_drag.h"

#include <algorithm>
#include <cstdlib>

GripDrag::PressKind GripDrag::Press(int x, int y, uint32_t timeMs, const PixelRect& carrier,
                                    int floatWidth, int floatHeight, int gripDepth)
{
    // Unsigned difference: right across the wrap of a 32-bit millisecond clock.
    const bool twice = lastPressMs_ && timeMs - *lastPressMs_ <= kDoubleClickMs &&
                       std::abs(x - lastX_) <= kDoubleClickDistance &&
                       std::abs(y - lastY_) <= kDoubleClickDistance;
    if (twice) {
        // A third press starts afresh rather than making a second double-click.
        lastPressMs_.reset();
        Cancel();
        return PressKind::DoubleClick;
    }
    lastPressMs_ = timeMs;
    lastX_ = x;
    lastY_ = y;
    held_ = true;
    dragging_ = false;
    startX_ = x;
    startY_ = y;
    floatWidth_ = std::max(1, floatWidth);
    floatHeight_ = std::max(1, floatHeight);
    offsetX_ = std::clamp(x - carrier.x, 0, floatWidth_ - 1);
    offsetY_ = std::clamp(y - carrier.y, 0, std::clamp(gripDepth, 1, floatHeight_) - 1);
    return PressKind::Start;
}

DropTarget GripDrag::TargetAt(int x, int y, const PixelRect& client) const
{
    return DropTarget{DropZone(client, x, y),
                      PixelRect{x - offsetX_, y - offsetY_, floatWidth_, floatHeight_}};
}

std::optional<DropTarget> GripDrag::Move(int x, int y, const PixelRect& client)
{
    if (!held_)
        return std::nullopt;
    if (!dragging_ && std::max(std::abs(x - startX_), std::abs(y - startY_)) < kDragThreshold)
        return std::nullopt;
    dragging_ = true;
    // A drag is not the first half of a double-click.
    lastPressMs_.reset();
    return TargetAt(x, y, client);
}

std::optional<DropTarget> GripDrag::Release(int x, int y, const PixelRect& client)
{
    std::optional<DropTarget> drop = Move(x, y, client);
    Cancel();
    return drop;
}
