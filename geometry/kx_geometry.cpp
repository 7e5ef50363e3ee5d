// The seventeen exported members of the framework's geometry.
#include "geometry/kx_geometry.h"

#include <cstring>

// The default constructors deliberately leave the fields as the storage held them.
KxPoint::KxPoint() {}
KxPoint::KxPoint(KxFixed px, KxFixed py) : x(px), y(py) {}
void KxPoint::Set(KxFixed px, KxFixed py)
{
    x = px;
    y = py;
}
void KxPoint::Clear()
{
    x = 0;
    y = 0;
}

KxRect::KxRect() {}
KxRect::KxRect(KxFixed l, KxFixed t, KxFixed r, KxFixed b) : left(l), top(t), right(r), bottom(b) {}

KxRect& KxRect::operator=(const KxRect& other)
{
    left = other.left;
    top = other.top;
    right = other.right;
    bottom = other.bottom;
    return *this;
}

// The rectangle is two KxPoints back to back (asserted in the header), so each corner is a view of
// two of its fields.
KxPoint& KxRect::TopLeft() { return *reinterpret_cast<KxPoint*>(&left); }
const KxPoint& KxRect::TopLeft() const { return *reinterpret_cast<const KxPoint*>(&left); }
KxPoint& KxRect::BotRight() { return *reinterpret_cast<KxPoint*>(&right); }
const KxPoint& KxRect::BotRight() const { return *reinterpret_cast<const KxPoint*>(&right); }

KxFixed KxRect::Width() const
{
    return static_cast<KxFixed>(static_cast<uint32_t>(right) - static_cast<uint32_t>(left));
}

KxFixed KxRect::Height() const
{
    return static_cast<KxFixed>(static_cast<uint32_t>(bottom) - static_cast<uint32_t>(top));
}

uint8_t KxRect::operator!=(const KxRect& other) const { return *this == other ? 0 : 1; }

KxToolSpaceRect::KxToolSpaceRect() {}

KxToolSpaceRect::KxToolSpaceRect(int32_t v1, int32_t v2, int32_t v3, int32_t v4, KxRect* r)
    : values{v1, v2, v3, v4}, rect(r->left, r->top, r->right, r->bottom)
{}

KxToolSpaceRect& KxToolSpaceRect::operator=(const KxToolSpaceRect& other)
{
    // One block of eight values; memmove keeps self-assignment harmless.
    std::memmove(static_cast<void*>(this), &other, sizeof *this);
    return *this;
}
