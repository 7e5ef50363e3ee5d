// Fixed-point conversions and the exported geometry members.
#include "tests/test_support.h"

#include <cstring>

namespace {

TEST(FixedPoint, ToPixels_rounds_to_nearest_with_halves_upward)
{
    EXPECT_EQ(FixedToPixels(0x190000), 25);
    EXPECT_EQ(FixedToPixels(0x14000), 1);     // 1.25
    EXPECT_EQ(FixedToPixels(0x18000), 2);     // 1.5
    EXPECT_EQ(FixedToPixels(-0x18000), -1);   // -1.5
    EXPECT_EQ(FixedToPixels(-0x28000), -2);   // -2.5
    EXPECT_EQ(FixedToPixels(0x28000 - 1), 2); // 2.5 - 1/65536
    EXPECT_EQ(FixedToPixels(-0x8000), 0);     // -0.5
    EXPECT_EQ(FixedToPixels(-0x8000 - 1), -1);
    EXPECT_EQ(FixedToPixels(0x198000), 26); // 25.5
}

TEST(FixedPoint, ToPixels_wraps_at_the_top_of_the_range_without_overflow)
{
    EXPECT_EQ(FixedToPixels(INT32_MAX), -32768);
    EXPECT_EQ(FixedToPixels(INT32_MAX - 0x7fff), -32768);
    EXPECT_EQ(FixedToPixels(INT32_MAX - 0x8000), 32767);
    EXPECT_EQ(FixedToPixels(INT32_MIN), -32768);
}

TEST(FixedPoint, ToFixed_shifts_left_sixteen_and_wraps)
{
    EXPECT_EQ(PixelsToFixed(4), 0x40000);
    EXPECT_EQ(PixelsToFixed(-1), -65536);
    EXPECT_EQ(PixelsToFixed(32768), INT32_MIN);
    for (int32_t px = -32768; px <= 32767; px += 97)
        EXPECT_EQ(FixedToPixels(PixelsToFixed(px)), px);
}

TEST(Geometry, Point_constructs_sets_and_clears)
{
    KxPoint p(5, 6);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 6);
    p.Set(7, -8);
    EXPECT_EQ(p.x, 7);
    EXPECT_EQ(p.y, -8);
    p.Clear();
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

TEST(Geometry, Rect_width_height_and_corners)
{
    KxRect r(Fx(1), Fx(2), Fx(3), Fx(4));
    EXPECT_EQ(r.Width(), 0x20000);
    EXPECT_EQ(r.Height(), 0x20000);
    EXPECT_EQ(r.TopLeft().x, Fx(1));
    EXPECT_EQ(r.TopLeft().y, Fx(2));
    EXPECT_EQ(r.BotRight().x, Fx(3));
    EXPECT_EQ(r.BotRight().y, Fx(4));
    r.TopLeft().x = 7;
    EXPECT_EQ(r.left, 7);
    r.BotRight().y = 9;
    EXPECT_EQ(r.bottom, 9);
    const KxRect& c = r;
    EXPECT_EQ(&c.TopLeft().y, &r.top);
    EXPECT_EQ(&c.BotRight().x, &r.right);
    EXPECT_EQ(KxRect(Fx(10), 0, Fx(4), 0).Width(), -Fx(6));
    // Width wraps in 32 bits instead of overflowing.
    EXPECT_EQ(KxRect(INT32_MIN, 0, INT32_MAX, 0).Width(), -1);
}

TEST(Geometry, Rect_assignment_and_inequality)
{
    KxRect a(1, 2, 3, 4);
    KxRect b(0, 0, 0, 0);
    KxRect& result = (b = a);
    EXPECT_EQ(&result, &b);
    EXPECT_EQ(b.operator!=(a), 0);
    b.bottom = 5;
    EXPECT_EQ(b.operator!=(a), 1);
    b = b;
    EXPECT_EQ(b.bottom, 5);
}

TEST(Geometry, ToolSpaceRect_copies_its_rectangle_and_assigns_all_eight_values)
{
    KxRect r(Fx(1), Fx(2), Fx(3), Fx(4));
    KxToolSpaceRect t(1, 2, 3, 4, &r);
    r.left = 99;
    EXPECT_EQ(t.rect.left, Fx(1));
    EXPECT_EQ(t.values[3], 4);
    KxToolSpaceRect u;
    u = t;
    EXPECT_EQ(std::memcmp(&u, &t, sizeof t), 0);
    u = u;
    EXPECT_EQ(std::memcmp(&u, &t, sizeof t), 0);
}

TEST(Geometry, Layouts_are_those_of_the_interface)
{
    EXPECT_EQ(offsetof(KxPoint, y), 4u);
    EXPECT_EQ(offsetof(KxRect, top), 4u);
    EXPECT_EQ(offsetof(KxRect, bottom), 12u);
    EXPECT_EQ(offsetof(KxToolSpaceRect, rect), 16u);
}

} // namespace
