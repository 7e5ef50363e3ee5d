#include "tests/model_palette.h"

#include <algorithm>
#include <ostream>

namespace model {

std::ostream& operator<<(std::ostream& os, const Rect& r)
{
    return os << "[" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "]";
}

int32_t Px(int32_t fixed)
{
    // 64-bit arithmetic cannot overflow; only the low 16 bits of the shifted sum are kept, and
    // those are the same whether the sum wrapped in 32 bits or not.
    const int64_t shifted = (static_cast<int64_t>(fixed) + 0x8000) >> 16;
    const auto low = static_cast<uint16_t>(static_cast<uint64_t>(shifted) & 0xFFFFu);
    return low >= 0x8000u ? static_cast<int32_t>(low) - 0x10000 : static_cast<int32_t>(low);
}

int32_t Fixed(int32_t pixels) { return static_cast<int32_t>(static_cast<uint32_t>(pixels) << 16); }

namespace {

constexpr int32_t kMargin = 4;
constexpr int32_t kGap = 4;

Rect ToFixed(const Rect& p)
{
    return {Fixed(p.left), Fixed(p.top), Fixed(p.right), Fixed(p.bottom)};
}

bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

} // namespace

Rect Palette::NextToolBounds() const
{
    const auto width =
        static_cast<int32_t>(static_cast<uint32_t>(size.right) - static_cast<uint32_t>(size.left));
    const int32_t tw = Px(toolWidth);
    const int32_t th = Px(toolHeight);
    Rect r{kMargin, kMargin, kMargin + tw, kMargin + th};
    bool allEmpty = true;
    for (const Tool& t : tools) {
        const Rect b{Px(t.bounds.left), Px(t.bounds.top), Px(t.bounds.right), Px(t.bounds.bottom)};
        if (b.top >= r.bottom)
            r = b;
        else if (b.right > r.right && b.bottom >= r.bottom)
            r = b;
        if (!IsEmpty(t.bounds))
            allEmpty = false;
    }
    if (allEmpty)
        return ToFixed(r);
    const int32_t limit = Px(width) - kMargin;
    const int32_t end = r.right + kGap + tw;
    if (end <= limit)
        return ToFixed({r.right + kGap, r.top, r.right + kGap + tw, r.bottom});
    return ToFixed({kMargin, r.bottom + kGap, kMargin + tw, r.bottom + kGap + th});
}

void Palette::Arrange()
{
    for (Tool& t : tools)
        t.bounds = Rect{};
    // Oldest first; each placement sees the rectangles written so far.
    for (auto it = tools.rbegin(); it != tools.rend(); ++it)
        it->bounds = NextToolBounds();
}

void Palette::Add(const void* handle, int32_t id, const Rect& bounds, uint16_t state)
{
    tools.insert(tools.begin(), Tool{handle, id, bounds, state});
}

bool Palette::Remove(const void* handle)
{
    auto it =
        std::find_if(tools.begin(), tools.end(), [&](const Tool& t) { return t.handle == handle; });
    if (!handle || it == tools.end())
        return false;
    tools.erase(it);
    return true;
}

const Tool* Palette::NewestWithId(int32_t id) const
{
    for (const Tool& t : tools)
        if (t.id == id)
            return &t;
    return nullptr;
}

const void* Palette::Hit(int32_t x, int32_t y) const
{
    for (const Tool& t : tools)
        if (t.bounds.left < x && x < t.bounds.right && t.bounds.top < y && y < t.bounds.bottom)
            return t.handle;
    return nullptr;
}

Tool* Palette::Find(const void* handle)
{
    for (Tool& t : tools)
        if (t.handle == handle)
            return &t;
    return nullptr;
}

} // namespace model
