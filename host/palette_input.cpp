#include "host/palette_input.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

namespace {

constexpr uint16_t kPressed = 1;
constexpr uint16_t kReleased = 0;

int CentreX(const RECT& r) { return static_cast<int>(r.left + r.right) / 2; }
int CentreY(const RECT& r) { return static_cast<int>(r.top + r.bottom) / 2; }

} // namespace

PaletteInput::PaletteInput(const HostPalette& host, std::set<int32_t> toggles)
    : host_(host), toggles_(std::move(toggles))
{}

RECT PaletteInput::FocusRect(const ToolInfo* tool)
{
    RECT r = HostPalette::Bounds(tool);
    InflateRect(&r, -2, -2);
    return r;
}

ToolInfo* PaletteInput::ToolAt(int x, int y) const
{
    const KxPoint point(PixelsToFixed(x), PixelsToFixed(y));
    return host_.Tray().PtInTool(&point);
}

void PaletteInput::SetState(ToolInfo* tool, uint16_t state, InputEffect& effect)
{
    if (host_.Tray().GetToolState(tool) == state)
        return;
    host_.Tray().SetToolState(tool, state);
    effect.dirty.push_back(HostPalette::Bounds(tool));
}

void PaletteInput::Settle(InputEffect& effect)
{
    if (held_)
        SetState(std::exchange(held_, nullptr), heldState_, effect);
}

InputEffect PaletteInput::Press(int x, int y)
{
    // A press while one is held means its release was lost: that one ends as cancelled, and this
    // one counts, so the click the user is making now is not spent on the lost one.
    InputEffect effect;
    Settle(effect);
    held_ = ToolAt(x, y);
    if (held_) {
        heldState_ = host_.Tray().GetToolState(held_);
        SetState(held_, kPressed, effect);
    }
    return effect;
}

InputEffect PaletteInput::Move(int x, int y, bool buttonDown)
{
    InputEffect effect;
    // A button brought down elsewhere and dragged in presses nothing, as with toolbar buttons.
    if (!buttonDown)
        Settle(effect); // released where no release reached us
    else if (held_)
        SetState(held_, ToolAt(x, y) == held_ ? kPressed : heldState_, effect);
    return effect;
}

InputEffect PaletteInput::Leave(bool buttonDown)
{
    // Held, the press goes on outside, looking as dragged off until the pointer comes back.
    InputEffect effect;
    if (!buttonDown)
        Settle(effect);
    else if (held_)
        SetState(held_, heldState_, effect);
    return effect;
}

InputEffect PaletteInput::Release(int x, int y)
{
    InputEffect effect;
    ToolInfo* tool = held_;
    held_ = nullptr;
    if (!tool)
        return effect;
    // The state before the press comes back first; a click then decides what stays.
    SetState(tool, heldState_, effect);
    if (ToolAt(x, y) == tool)
        Click(tool, effect);
    return effect;
}

InputEffect PaletteInput::Cancel()
{
    InputEffect effect;
    Settle(effect);
    return effect;
}

void PaletteInput::Click(ToolInfo* tool, InputEffect& effect)
{
    const int32_t id = host_.Tray().GetToolID(tool);
    effect.clicked = id;
    if (!toggles_.count(id)) {
        effect.lines.push_back("click " + std::to_string(id));
        return;
    }
    const bool on = host_.Tray().GetToolState(tool) != kPressed;
    SetState(tool, on ? kPressed : kReleased, effect);
    effect.lines.push_back("toggle " + std::to_string(id) + (on ? " on" : " off"));
}

ToolInfo* PaletteInput::Neighbour(PaletteKey key) const
{
    const std::vector<ToolInfo*>& tools = host_.Tools();
    if (tools.empty())
        return nullptr;
    if (!hot_)
        return tools.front();
    const auto at = std::find(tools.begin(), tools.end(), hot_);
    if (at == tools.end())
        return tools.front();
    // The nearest tool in that direction whose span across it overlaps the hot tool's: the next
    // in the same row for Left and Right, in the same column for Up and Down.
    const RECT h = HostPalette::Bounds(hot_);
    const bool across = key == PaletteKey::Left || key == PaletteKey::Right;
    ToolInfo* best = nullptr;
    long bestDistance = LONG_MAX;
    for (ToolInfo* tool : tools) {
        const RECT r = HostPalette::Bounds(tool);
        const bool overlaps = across ? (r.top < h.bottom && h.top < r.bottom)
                                     : (r.left < h.right && h.left < r.right);
        const int along = across ? CentreX(r) - CentreX(h) : CentreY(r) - CentreY(h);
        const int sign = (key == PaletteKey::Left || key == PaletteKey::Up) ? -1 : 1;
        if (tool == hot_ || !overlaps || along * sign <= 0)
            continue;
        if (std::abs(along) < bestDistance) {
            bestDistance = std::abs(along);
            best = tool;
        }
    }
    if (best || !across)
        return best ? best : hot_;
    // At the end of a row, Left and Right go on in reading order into the row before or after;
    // at either end of the palette the hot tool stays.
    if (key == PaletteKey::Right)
        return at + 1 == tools.end() ? hot_ : *(at + 1);
    return at == tools.begin() ? hot_ : *(at - 1);
}

InputEffect PaletteInput::Key(PaletteKey key)
{
    InputEffect effect;
    switch (key) {
    case PaletteKey::Escape:
        effect.close = true;
        break;
    case PaletteKey::Activate:
        if (hot_ && !held_)
            Click(hot_, effect);
        break;
    default:
        if (ToolInfo* next = Neighbour(key); next != hot_) {
            if (hot_)
                effect.dirty.push_back(HostPalette::Bounds(hot_));
            hot_ = next;
            effect.dirty.push_back(HostPalette::Bounds(hot_));
        }
        break;
    }
    return effect;
}
