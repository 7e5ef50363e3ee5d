// Random rectangles, extents, handles and modes thrown at the raster calls. Whatever comes in,
// nothing may be written outside a surface (guard words, and ASan in the sanitizer build), and
// what is written must be where and what the call allows.
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_recorder.h"
#include "tests/gdi/top_down_dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 13;
constexpr int kHeight = 9;

struct Fixture {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    uint32_t* bits = nullptr;
    HDC sourceDc = nullptr;
    HBITMAP source = nullptr;
    uint32_t* sourceBits = nullptr;
    HBRUSH brush = nullptr;
    HDC deadDc = nullptr;
    HBRUSH deadBrush = nullptr;

    Fixture()
    {
        bitmap = MakeTopDownDib(kWidth, kHeight, &bits);
        dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bitmap);
        // The source is bottom-up, to walk rows backwards too.
        BITMAPINFO info = TopDownDibInfo(7, 5);
        info.bmiHeader.biHeight = 5;
        void* p = nullptr;
        source = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
        sourceBits = static_cast<uint32_t*>(p);
        for (int i = 0; i < 35; ++i)
            sourceBits[i] = 0x01000000u * static_cast<uint32_t>(i + 1) + 0x10203u;
        sourceDc = CreateCompatibleDC(nullptr);
        SelectObject(sourceDc, source);
        brush = CreateSolidBrush(RGB(1, 2, 3));
        deadDc = CreateCompatibleDC(nullptr);
        DeleteDC(deadDc);
        deadBrush = CreateSolidBrush(RGB(4, 5, 6));
        DeleteObject(deadBrush);
    }
    ~Fixture()
    {
        DeleteDC(dc);
        DeleteDC(sourceDc);
        DeleteObject(bitmap);
        DeleteObject(source);
        DeleteObject(brush);
    }
    void Reset() { std::fill(bits, bits + kWidth * kHeight, 0xeeeeeeeeu); }
    bool IsSourcePixel(uint32_t value) const
    {
        return std::find(sourceBits, sourceBits + 35, value) != sourceBits + 35;
    }
};

int RandomCoordinate(std::mt19937& rng)
{
    static const int extremes[] = {INT_MIN, INT_MIN + 1, -1000000, -1, 0, 1, INT_MAX - 1, INT_MAX};
    switch (rng() % 4) {
    case 0:
        return extremes[rng() % 8];
    case 1:
        return static_cast<int>(rng());
    default:
        return static_cast<int>(rng() % 40) - 15;
    }
}

// Changed pixels must lie in the rectangle's bounding box, both edges included (inverted
// rectangles shift by one).
void ExpectChangesWithin(const Fixture& f, int64_t x0, int64_t y0, int64_t x1, int64_t y1,
                         const char* what)
{
    const int64_t lx = std::min(x0, x1), hx = std::max(x0, x1), ly = std::min(y0, y1),
                  hy = std::max(y0, y1);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (f.bits[y * kWidth + x] != 0xeeeeeeeeu) {
                ASSERT_TRUE(x >= lx && x <= hx && y >= ly && y <= hy)
                    << what << " wrote " << x << "," << y << " outside " << x0 << "," << y0 << " "
                    << x1 << "," << y1;
            }
}

TEST(GdiFuzz, RandomCallsStayInsideTheirSurfaces)
{
    Fixture f;
    std::mt19937 rng(20240611);
    for (int round = 0; round < 20000; ++round) {
        f.Reset();
        const int op = static_cast<int>(rng() % 4);
        HDC dcs[] = {f.dc,
                     f.dc,
                     f.dc,
                     nullptr,
                     f.deadDc,
                     reinterpret_cast<HDC>(f.brush),
                     reinterpret_cast<HDC>(static_cast<uintptr_t>(rng()))};
        HDC dc = dcs[rng() % 7];
        const int a = RandomCoordinate(rng), b = RandomCoordinate(rng);
        const int c = RandomCoordinate(rng), d = RandomCoordinate(rng);
        if (op < 2) {
            HBRUSH brushes[] = {f.brush,
                                f.brush,
                                nullptr,
                                f.deadBrush,
                                static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                                reinterpret_cast<HBRUSH>(f.bitmap)};
            HBRUSH brush = brushes[rng() % 6];
            const RECT rect = {a, b, c, d};
            if (op == 0)
                FillRect(dc, &rect, brush);
            else
                FrameRect(dc, &rect, brush);
            ExpectChangesWithin(f, a, b, c, d, op ? "FrameRect" : "FillRect");
        } else {
            HDC sources[] = {f.sourceDc, f.sourceDc, f.sourceDc, f.dc, nullptr, f.deadDc};
            HDC source = sources[rng() % 6];
            const int mode = static_cast<int>(rng() % 7) - 1;
            SetStretchBltMode(f.dc, mode);
            const int sx = RandomCoordinate(rng), sy = RandomCoordinate(rng);
            if (op == 2) {
                // Keep most extents small enough to be interesting, but not all.
                const int sw =
                    rng() % 3 ? static_cast<int>(rng() % 30) - 10 : RandomCoordinate(rng);
                const int sh =
                    rng() % 3 ? static_cast<int>(rng() % 30) - 10 : RandomCoordinate(rng);
                const int w = rng() % 3 ? static_cast<int>(rng() % 40) - 15 : c;
                const int h = rng() % 3 ? static_cast<int>(rng() % 40) - 15 : d;
                StretchBlt(dc, a, b, w, h, source, sx, sy, sw, sh, SRCCOPY);
                ExpectChangesWithin(f, a, b, int64_t{a} + w, int64_t{b} + h, "StretchBlt");
                if (source == f.sourceDc && GetStretchBltMode(f.dc) == COLORONCOLOR)
                    for (int i = 0; i < kWidth * kHeight; ++i)
                        if (f.bits[i] != 0xeeeeeeeeu) {
                            ASSERT_TRUE(f.IsSourcePixel(f.bits[i]));
                        }
            } else {
                const int w = static_cast<int>(rng() % 40) - 15,
                          h = static_cast<int>(rng() % 40) - 15;
                const int x = static_cast<int>(rng() % 40) - 15,
                          y = static_cast<int>(rng() % 40) - 15;
                const int bx = rng() % 2 ? sx : static_cast<int>(rng() % 20) - 6;
                const int by = rng() % 2 ? sy : static_cast<int>(rng() % 20) - 6;
                BitBlt(dc, x, y, w, h, source, bx, by, SRCCOPY);
                ExpectChangesWithin(f, x, y, int64_t{x} + w, int64_t{y} + h, "BitBlt");
                if (dc == f.dc && source == f.sourceDc && w > 0 && h > 0) {
                    // Unmirrored copies move pixels without changing them.
                    for (int py = 0; py < kHeight; ++py)
                        for (int px = 0; px < kWidth; ++px) {
                            const uint32_t v = f.bits[py * kWidth + px];
                            if (v == 0xeeeeeeeeu)
                                continue;
                            const int64_t qx = int64_t{px} - x + bx, qy = int64_t{py} - y + by;
                            ASSERT_TRUE(qx >= 0 && qx < 7 && qy >= 0 && qy < 5);
                            ASSERT_EQ(v, f.sourceBits[(4 - qy) * 7 + qx]); // bottom-up rows
                        }
                }
            }
        }
        ASSERT_TRUE(gdi::GuardsIntact()) << "round " << round;
    }
}

// Guards the two ways a frame is painted (whole inside the surface, or edge by edge clipped):
// every rectangle from 1x1 to past the surface, at every offset around it, on a top-down and a
// bottom-up surface, paints exactly the pixels of its four edges that lie inside.
TEST(GdiFuzz, FrameRect_paints_exactly_the_edges_inside_or_clipped)
{
    constexpr int kSize = 21; // wider than two vector stores, so every row path is taken
    constexpr uint32_t kBack = 0xeeeeeeeeu, kPaint = 0x00010203u;
    for (const int heightSign : {-1, 1}) {
        BITMAPINFO info = TopDownDibInfo(kSize, kSize);
        info.bmiHeader.biHeight = heightSign * kSize;
        void* p = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
        ASSERT_NE(bitmap, nullptr);
        auto* bits = static_cast<uint32_t*>(p);
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bitmap);
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        for (int w = 1; w <= kSize + 2; ++w)
            for (int h = 1; h <= kSize + 2; h += w % 3 + 1)
                for (int l = -2; l + w <= kSize + 2; l += 3)
                    for (int t = -2; t + h <= kSize + 2; t += 5) {
                        std::fill(bits, bits + kSize * kSize, kBack);
                        const RECT rect = {l, t, l + w, t + h};
                        ASSERT_EQ(FrameRect(dc, &rect, brush), 1);
                        for (int y = 0; y < kSize; ++y)
                            for (int x = 0; x < kSize; ++x) {
                                const bool inside = x >= l && x < l + w && y >= t && y < t + h;
                                const bool edge =
                                    x == l || x == l + w - 1 || y == t || y == t + h - 1;
                                const int row = heightSign < 0 ? y : kSize - 1 - y;
                                ASSERT_EQ(bits[row * kSize + x], inside && edge ? kPaint : kBack)
                                    << "frame " << l << "," << t << " " << w << "x" << h << " at "
                                    << x << "," << y << " bottom-up " << (heightSign > 0);
                            }
                    }
        DeleteObject(brush);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
}

TEST(GdiFuzz, GetPixelAnswersOnlyInside)
{
    Fixture f;
    f.Reset();
    std::mt19937 rng(7);
    for (int i = 0; i < 5000; ++i) {
        const int x = RandomCoordinate(rng), y = RandomCoordinate(rng);
        const bool inside = x >= 0 && y >= 0 && x < kWidth && y < kHeight;
        EXPECT_EQ(GetPixel(f.dc, x, y) == CLR_INVALID, !inside) << x << "," << y;
    }
}

} // namespace
