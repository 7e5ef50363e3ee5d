// The framework's out-of-line rectangle operations.
#include "geometry/kx_geometry.h"
#include "runtime/win_gdi.h"

void KxRect::Set(KxFixed l, KxFixed t, KxFixed r, KxFixed b)
{
    // Stored as given: reversed edges are the caller's to keep or mend.
    left = l;
    top = t;
    right = r;
    bottom = b;
}

uint8_t KxRect::IsEmpty() const
{
    // Empty when it encloses no area, reversed edges included.
    return right <= left || bottom <= top;
}

void KxRect::AsWinRect(tagRECT& out) const
{
    out.left = FixedToPixels(left);
    out.top = FixedToPixels(top);
    out.right = FixedToPixels(right);
    out.bottom = FixedToPixels(bottom);
}

uint8_t KxRect::Contains(const KxPoint& p) const
{
    // Open on every side: a point on an edge is outside.
    return left < p.x && p.x < right && top < p.y && p.y < bottom;
}

uint8_t KxRect::operator==(const KxRect& o) const
{
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
}
