// Enlarging stretches of sources wide enough for the block gather, checked pixel by pixel against
// the nearest-centre rule, and the kept results of earlier stretches against later writes.
#include "platform/gdi/gdi.h"
#include "tests/gdi/top_down_dib.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int kSourceWidth = 40;
constexpr int kSourceHeight = 30;
constexpr int kDestWidth = 90;
constexpr int kDestHeight = 70;
constexpr uint32_t kUntouched = 0xeeeeeeeeu;

uint32_t SourcePixel(int x, int y) { return 0x00010000u * static_cast<uint32_t>(y) + x; }

// How far a mirrored axis whose source reaches past its bitmap moves along its destination (see
// ClipSource). With L and R the source pixels cut at the left and right of
// (sourceOrigin - s, sourceOrigin] or [sourceOrigin, sourceOrigin + s).
int64_t MirrorShift(int d, int sourceOrigin, int s, int limit)
{
    const int64_t D = d > 0 ? d : -d, S = s > 0 ? s : -s;
    const int64_t left = s > 0 ? sourceOrigin : sourceOrigin - S + 1;
    const int64_t L = std::clamp<int64_t>(-left, 0, S);
    const int64_t R = std::clamp<int64_t>(left + S - limit, 0, S);
    if ((d > 0) == (s > 0) || L + R >= S)
        return 0;
    auto down = [&](int64_t cut) { return cut * D / S; };
    auto up = [&](int64_t cut) { return (cut * D + S - 1) / S; };
    return s > 0 ? down(L) - up(R) : (L > 0 || R > 1 ? down(R) : 0) - up(L);
}

// Where destination pixel `at` of an axis shows from, or -1 for none: the axis of extent `d`
// starting at `origin` walks from its first pixel, and pixel j of it shows source pixel
// floor(((2j + 1)S - 1) / 2D) of the source side, itself walked from `sourceOrigin`; a mirrored
// axis shows pixel j + shift there instead.
int SourceOf(int at, int origin, int d, int sourceOrigin, int s, int limit, int64_t shift)
{
    const int64_t D = d > 0 ? d : -d, S = s > 0 ? s : -s;
    const int64_t place = d > 0 ? at - origin : origin - at;
    const int64_t j = place + shift;
    if (place < 0 || place >= D || j < 0 || j >= D)
        return -1;
    const int64_t i = ((2 * j + 1) * S - 1) / (2 * D);
    const int64_t pixel = s > 0 ? sourceOrigin + i : sourceOrigin - i;
    return pixel >= 0 && pixel < limit ? static_cast<int>(pixel) : -1;
}

struct Target {
    uint32_t* bits = nullptr;
    HBITMAP bitmap = MakeTopDownDib(kDestWidth, kDestHeight, &bits);
    HDC dc = CreateCompatibleDC(nullptr);
    Target() { SelectObject(dc, bitmap); }
    ~Target()
    {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
};

class GdiStretchEnlarging : public testing::TestWithParam<bool> {
protected:
    // A device-dependent bitmap (GetParam()) or a DIB section, holding SourcePixel(x, y).
    void SetUp() override
    {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < kSourceHeight; ++y)
            for (int x = 0; x < kSourceWidth; ++x)
                pixels.push_back(SourcePixel(x, y));
        if (GetParam()) {
            source = CreateBitmap(kSourceWidth, kSourceHeight, 1, 32, pixels.data());
        } else {
            uint32_t* bits = nullptr;
            source = MakeTopDownDib(kSourceWidth, kSourceHeight, &bits);
            std::copy(pixels.begin(), pixels.end(), bits);
        }
        sourceDc = CreateCompatibleDC(nullptr);
        SelectObject(sourceDc, source);
    }
    void TearDown() override
    {
        DeleteDC(sourceDc);
        DeleteObject(source);
    }
    HBITMAP source = nullptr;
    HDC sourceDc = nullptr;
};

TEST_P(GdiStretchEnlarging, EveryPixelShowsTheNearestSourceCentre)
{
    Target target;
    SetStretchBltMode(target.dc, COLORONCOLOR);
    std::mt19937 rng(8128);
    for (int round = 0; round < 300; ++round) {
        // Mirrored on either side, partly off the destination or the source, now and then.
        auto extent = [&](int from, int to) {
            const int e = from + static_cast<int>(rng() % static_cast<unsigned>(to - from + 1));
            return rng() % 4 == 0 ? -e : e;
        };
        const int sw = extent(8, 36), sh = extent(1, 24);
        const int w = (sw < 0 ? -sw : sw) * (rng() % 2 ? 1 : 2) + static_cast<int>(rng() % 9);
        const int h = (sh < 0 ? -sh : sh) + static_cast<int>(rng() % 20);
        const int dw = rng() % 4 == 0 ? -w : w, dh = rng() % 4 == 0 ? -h : h;
        const int x = static_cast<int>(rng() % 100) - 10, y = static_cast<int>(rng() % 80) - 10;
        const int sx = static_cast<int>(rng() % 46) - 3, sy = static_cast<int>(rng() % 34) - 2;
        // Twice each: the second may come from what the first kept.
        for (int pass = 0; pass < 2; ++pass) {
            std::fill(target.bits, target.bits + kDestWidth * kDestHeight, kUntouched);
            const int64_t shiftX = MirrorShift(dw, sx, sw, kSourceWidth);
            const int64_t shiftY = MirrorShift(dh, sy, sh, kSourceHeight);
            const BOOL result =
                StretchBlt(target.dc, x, y, dw, dh, sourceDc, sx, sy, sw, sh, SRCCOPY);
            bool drawn = false;
            for (int py = 0; py < kDestHeight; ++py)
                for (int px = 0; px < kDestWidth; ++px) {
                    const int qx = SourceOf(px, x, dw, sx, sw, kSourceWidth, shiftX);
                    const int qy = SourceOf(py, y, dh, sy, sh, kSourceHeight, shiftY);
                    const uint32_t expected = qx < 0 || qy < 0 ? kUntouched : SourcePixel(qx, qy);
                    drawn = drawn || expected != kUntouched;
                    ASSERT_EQ(target.bits[py * kDestWidth + px], expected)
                        << "round " << round << " pass " << pass << " at " << px << "," << py
                        << ": " << x << "," << y << " " << dw << "x" << dh << " from " << sx << ","
                        << sy << " " << sw << "x" << sh;
                }
            // What a stretch that draws nothing returns is the replay's to check.
            if (drawn) {
                ASSERT_TRUE(result);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, GdiStretchEnlarging, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Ddb" : "DibSection";
                         });

// A repeated stretch of a device-dependent bitmap may copy what an earlier one drew (HALFTONE's
// interpolated blocks too); every way of writing the bitmap must show in the next stretch. Each
// stretch is compared with the same stretch of a DIB section read back from the bitmap, which is
// never kept. A stretch inside both bitmaps is kept by its arguments; a clipped one by its axis
// maps, and the one writing into the source, in the same mode, maps its axes alike: the target's
// next stretch then finds its axis maps unchanged. Regression: DrawFocusRect into the source did
// not count as a write.
class GdiStretchKept : public testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(GdiStretchKept, EveryWriteToTheSourceShowsInTheNextStretch)
{
    const auto [mode, inside] = GetParam();
    Target target, reference;
    SetStretchBltMode(target.dc, mode);
    SetStretchBltMode(reference.dc, mode);
    std::vector<uint32_t> pixels(16 * 16);
    for (size_t p = 0; p < pixels.size(); ++p)
        pixels[p] = static_cast<uint32_t>(p * 2654435761u) & 0xffffffu;
    HBITMAP source = CreateBitmap(16, 16, 1, 32, pixels.data());
    HDC sourceDc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(sourceDc, source);
    SetStretchBltMode(sourceDc, mode);
    uint32_t* copyBits = nullptr;
    HBITMAP copy = MakeTopDownDib(16, 16, &copyBits);
    HDC copyDc = CreateCompatibleDC(nullptr);
    SelectObject(copyDc, copy);
    const int x = inside ? 3 : -9, y = inside ? 2 : -7;
    const auto stretch = [&](HDC to, HDC from) {
        StretchBlt(to, x, y, 25, 23, from, 0, 0, 16, 16, SRCCOPY);
    };

    const auto check = [&](const char* after) {
        // Twice: the first may come from what was kept before the write, the second from what
        // the first kept.
        for (int pass = 0; pass < 2; ++pass) {
            std::fill(target.bits, target.bits + kDestWidth * kDestHeight, kUntouched);
            stretch(target.dc, sourceDc);
            // GetPixel drops the top byte: it is not compared.
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const COLORREF c = GetPixel(sourceDc, x, y);
                    copyBits[y * 16 + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
                }
            std::fill(reference.bits, reference.bits + kDestWidth * kDestHeight, kUntouched);
            stretch(reference.dc, copyDc);
            for (int p = 0; p < kDestWidth * kDestHeight; ++p)
                ASSERT_EQ(target.bits[p] & 0xffffffu, reference.bits[p] & 0xffffffu)
                    << "after " << after << ", pass " << pass << ", pixel " << p;
        }
    };
    check("nothing");
    HBRUSH brush = CreateSolidBrush(RGB(0x44, 0x55, 0x66));
    const RECT part = {2, 3, 9, 14};
    FillRect(sourceDc, &part, brush);
    check("FillRect on the source");
    FrameRect(sourceDc, &part, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    check("FrameRect on the source");
    DrawFocusRect(sourceDc, &part);
    check("DrawFocusRect on the source");
    std::fill(copyBits, copyBits + 16 * 16, 0x00abcdefu);
    stretch(sourceDc, copyDc);
    check("StretchBlt into the source");
    target.bits[30 * kDestWidth + 30] = 0x00fedcbau;
    BitBlt(sourceDc, 15, 15, 1, 1, target.dc, 30, 30, SRCCOPY);
    check("BitBlt into the source");

    // The same slot, most likely, holding other pixels.
    SelectObject(sourceDc, previous);
    DeleteObject(source);
    std::reverse(pixels.begin(), pixels.end());
    source = CreateBitmap(16, 16, 1, 32, pixels.data());
    SelectObject(sourceDc, source);
    check("a new bitmap");

    DeleteDC(copyDc);
    DeleteObject(copy);
    DeleteDC(sourceDc);
    DeleteObject(source);
    DeleteObject(brush);
}

INSTANTIATE_TEST_SUITE_P(Modes, GdiStretchKept,
                         testing::Combine(testing::Values(BLACKONWHITE, COLORONCOLOR, HALFTONE),
                                          testing::Bool()),
                         [](const testing::TestParamInfo<std::tuple<int, bool>>& info) {
                             const int mode = std::get<0>(info.param);
                             return std::string(mode == HALFTONE       ? "Halftone"
                                                : mode == COLORONCOLOR ? "ColorOnColor"
                                                                       : "BlackOnWhite") +
                                    (std::get<1>(info.param) ? "Inside" : "Clipped");
                         });

// More stretches than are kept, asked for in the order they were kept, in the reverse order and
// shuffled, and told apart by the source, the extents, the origin and the mode alone: each shows
// what the same stretch of a DIB section (never kept) shows. Guards the search that starts after
// the entry found last and the comparison of every part of what a stretch is kept by.
TEST(GdiStretchKept, EachStretchFindsItsOwnRowsWhateverTheOrder)
{
    Target target, reference;
    struct Source {
        HBITMAP bitmap, dib;
        HDC dc, dibDc;
    };
    std::vector<Source> sources;
    for (uint32_t k = 0; k < 3; ++k) {
        std::vector<uint32_t> pixels(16 * 16);
        for (size_t p = 0; p < pixels.size(); ++p)
            pixels[p] = static_cast<uint32_t>((p + 97 * k) * 2654435761u) & 0xffffffu;
        Source s{CreateBitmap(16, 16, 1, 32, pixels.data()), nullptr, CreateCompatibleDC(nullptr),
                 CreateCompatibleDC(nullptr)};
        uint32_t* bits = nullptr;
        s.dib = MakeTopDownDib(16, 16, &bits);
        std::copy(pixels.begin(), pixels.end(), bits);
        SelectObject(s.dc, s.bitmap);
        SelectObject(s.dibDc, s.dib);
        sources.push_back(s);
    }
    struct Stretch {
        size_t source;
        int x, w, sx, mode;
    };
    // Twelve: more than are kept. Pairs differ in one part only.
    std::vector<Stretch> stretches;
    for (size_t k = 0; k < 3; ++k) {
        stretches.push_back({k, 2, 25, 0, BLACKONWHITE});
        stretches.push_back({k, 2, 25, 0, HALFTONE});
        stretches.push_back({k, 2, 26, 0, BLACKONWHITE});
        stretches.push_back({k, 2, 25, 1, BLACKONWHITE});
    }
    const auto draw = [&](const Stretch& s, HDC to, HDC from) {
        SetStretchBltMode(to, s.mode);
        StretchBlt(to, s.x, 3, s.w, 25, from, s.sx, 0, 15, 16, SRCCOPY);
    };
    std::vector<size_t> order(stretches.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::mt19937 random(19);
    for (int round = 0; round < 6; ++round) {
        if (round == 2 || round == 3)
            std::reverse(order.begin(), order.end());
        else if (round >= 4)
            std::shuffle(order.begin(), order.end(), random);
        // Half of the twelve at a time too, so that what is kept is found at every place.
        for (size_t half = 0; half < 2; ++half)
            for (size_t n = 0; n < 2; ++n)
                for (size_t i = half * 6; i < half * 6 + 6; ++i) {
                    const Stretch& s = stretches[order[i]];
                    std::fill(target.bits, target.bits + kDestWidth * kDestHeight, kUntouched);
                    std::fill(reference.bits, reference.bits + kDestWidth * kDestHeight,
                              kUntouched);
                    draw(s, target.dc, sources[s.source].dc);
                    draw(s, reference.dc, sources[s.source].dibDc);
                    for (int p = 0; p < kDestWidth * kDestHeight; ++p)
                        ASSERT_EQ(target.bits[p] & 0xffffffu, reference.bits[p] & 0xffffffu)
                            << "round " << round << ", stretch " << order[i] << ", pixel " << p;
                }
    }
    for (Source& s : sources) {
        DeleteDC(s.dc);
        DeleteDC(s.dibDc);
        DeleteObject(s.bitmap);
        DeleteObject(s.dib);
    }
}

// Regression: kept stretches were found by the source's handle, and with 32-bit pointers a slot's
// handles repeat after 256 reuses: a new bitmap drawn as a deleted one was showed the deleted
// one's pixels.
TEST(GdiStretchKept, ABitmapNeverShowsWhatWasKeptOfAnEarlierOneWithItsHandle)
{
    Target target;
    std::vector<HBITMAP> handles;
    for (uint32_t round = 0; round < 300; ++round) {
        const std::vector<uint32_t> pixels(16 * 16, round);
        HBITMAP source = CreateBitmap(16, 16, 1, 32, pixels.data());
        HDC sourceDc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(sourceDc, source);
        for (int pass = 0; pass < 2; ++pass) {
            StretchBlt(target.dc, 0, 0, 25, 25, sourceDc, 0, 0, 16, 16, SRCCOPY);
            ASSERT_EQ(target.bits[24 * kDestWidth + 24], round) << "pass " << pass;
        }
        SelectObject(sourceDc, previous);
        DeleteDC(sourceDc);
        DeleteObject(source);
        handles.push_back(source);
    }
    // The case the test is for arises where handles repeat.
    std::sort(handles.begin(), handles.end());
    if (sizeof(void*) == 4) {
        EXPECT_NE(std::adjacent_find(handles.begin(), handles.end()), handles.end());
    }
}

} // namespace
