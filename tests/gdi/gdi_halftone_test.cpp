// HALFTONE stretches where gdi32's float arithmetic decides a tie, mirrored ones whose source
// reaches past its bitmap, and extents at the ends of int. The expected rows were printed by gdi32
// (Wine 8.0) for the same calls.
#include "platform/gdi/gdi.h"
#include "tests/gdi/top_down_dib.h"
#include "tests/gdi_probe/stretch_sweep.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kUntouched = 0xeeeeeeeeu;

// A one-row HALFTONE stretch of `source` onto a row of `width` pixels, destination x, extent w.
std::vector<uint32_t> StretchRow(const std::vector<uint32_t>& source, int width, int x, int w)
{
    const int s = static_cast<int>(source.size());
    uint32_t* in = nullptr;
    uint32_t* out = nullptr;
    HBITMAP from = MakeTopDownDib(s, 1, &in);
    HBITMAP to = MakeTopDownDib(width, 1, &out);
    HDC fromDc = CreateCompatibleDC(nullptr);
    HDC toDc = CreateCompatibleDC(nullptr);
    SelectObject(fromDc, from);
    SelectObject(toDc, to);
    for (int i = 0; i < s; ++i)
        in[i] = source[static_cast<size_t>(i)];
    for (int i = 0; i < width; ++i)
        out[i] = kUntouched;
    SetStretchBltMode(toDc, HALFTONE);
    EXPECT_TRUE(StretchBlt(toDc, x, 0, w, 1, fromDc, 0, 0, s, 1, SRCCOPY));
    std::vector<uint32_t> row(out, out + width);
    DeleteDC(fromDc);
    DeleteDC(toDc);
    DeleteObject(from);
    DeleteObject(to);
    return row;
}

// Regression: a mix that lands on n + 1/2 went up in every channel; gdi32's float sums put the
// sample point a hair off and round each channel's product and sum to float, so at 3 -> 18,
// pixel 9 (halfway between source 1 and 2) the channels go down, up and up.
TEST(HalftoneStretch, ties_round_as_gdi32s_float_arithmetic_does)
{
    const std::vector<uint32_t> row =
        StretchRow({0x11111111u, 0x0000ff30u, 0x00ff0055u}, 18, 0, 18);
    const std::vector<uint32_t> expected = {
        0x00111111u, 0x000e3916u, 0x000b601bu, 0x00098821u, 0x0006b026u, 0x0003d72bu,
        0x0000ff30u, 0x002ad536u, 0x0055aa3cu, 0x007f8043u, 0x00aa5549u, 0x00d42b4fu,
        0x00ff0055u, 0x00ff0055u, 0x00ff0055u, 0x00ff0055u, 0x00ff0055u, 0x00ff0055u};
    EXPECT_EQ(row, expected);
}

// Regression: a mirrored destination sampled the source reversed from its first pixel, which
// rounds ties the other way; gdi32 walks back from the source's last pixel.
TEST(HalftoneStretch, mirrored_destination_walks_back_from_the_last_source_pixel)
{
    const std::vector<uint32_t> source = {0x357e746fu, 0x5ac9e182u, 0x7f144e95u, 0xa45fbba8u,
                                          0xc9aa28bbu};
    const std::vector<uint32_t> expected = {kUntouched,  kUntouched,  0x00aa28bbu, 0x006ca2abu,
                                            0x002d729bu, 0x006e978cu, 0x00b0bd7cu, 0x007e746fu};
    EXPECT_EQ(StretchRow(source, 8, 7, -6), expected);
}

// Extents at the ends of int: the cuts to both bitmaps and the float walk stay in range (the
// sanitizer builds check the arithmetic), and only the destination's pixels are written.
TEST(HalftoneStretch, extreme_extents_draw_inside_the_bitmaps_only)
{
    const std::vector<uint32_t> source = {0x01010101u, 0x02020202u, 0x03030303u, 0x04040404u};
    for (const int x : {INT_MIN, -1, 0, INT_MAX})
        for (const int w : {INT_MIN, -INT_MAX, -3, 3, INT_MAX}) {
            const std::vector<uint32_t> row = StretchRow(source, 6, x, w);
            for (const uint32_t pixel : row)
                EXPECT_TRUE(pixel == kUntouched || (pixel >> 24) == 0) << x << " " << w;
        }
    // The whole row covered by the middle of a huge extent shows the source's middle.
    const std::vector<uint32_t> middle = StretchRow(source, 6, -1000000, 2000000);
    EXPECT_EQ(middle.front(), 0x00020202u);
    EXPECT_EQ(middle.back(), 0x00030303u);
}

// The replay lists the two-axis clip sweep among its gaps and the one-axis HALFTONE clip sweep
// leaves these stretches out (elsewhere gdi32 reads outside the source there), so these gdi32
// lines guard the cut: a destination mirrored onto a source past its bitmap's right edge (inside
// the destination's bitmap and past either edge), a mirrored source r >= 2 pixels past it, and a
// mirrored destination onto a source past the left edge that gdi32 cuts away entirely.
TEST(HalftoneStretch, mirrored_copy_past_the_source_is_cut_as_if_not_mirrored)
{
    const char* const expected[] = {
        "6x1 2,0,6,1 -> 8x1 5,0,-7,1 = 1 [00aa28bb][005fbba8][00144e95].....",
        "6x1 1,0,6,1 -> 8x1 10,0,-8,1 = 1 ...[00f595ce][00aa28bb][005fbba8][00144e95][00c9e182]",
        "6x1 3,0,4,1 -> 8x1 6,0,-4,1 = 1 ...[00f595ce][00aa28bb][005fbba8]..",
        "6x1 2,0,5,1 -> 8x1 4,0,-6,1 = 1 [00aa28bb][005fbba8][00144e95].....",
        "6x1 7,0,-5,1 -> 8x1 5,0,7,1 = 1 .....[00f595ce][00aa28bb][005fbba8]",
        "6x1 -2,0,3,1 -> 8x1 15,0,-9,1 = 1 ........",
    };
    for (const char* line : expected) {
        gdiprobe::SweepStretch g{6, 1, 0, 0, 0, 1, 8, 1, 0, 0, 0, 1};
        ASSERT_EQ(std::sscanf(line, "6x1 %d,0,%d,1 -> 8x1 %d,0,%d,1", &g.sx, &g.sw, &g.dx, &g.dw),
                  4);
        gdiprobe::Out out;
        gdiprobe::run_sweep_stretch(out, g, HALFTONE);
        EXPECT_EQ(out.text, std::string(line) + "\n");
    }
    // Source origins and extents at the ends of int keep the cuts' products in range (the
    // sanitizer builds check the arithmetic).
    for (const int sx : {1, 1000000000, INT_MAX})
        for (const int sw : {2, INT_MAX, -2, -INT_MAX})
            for (const int w : {-7, 7, -INT_MAX}) {
                gdiprobe::Out out;
                gdiprobe::run_sweep_stretch(out, {6, 1, sx, 0, sw, 1, 8, 1, 3, 0, w, 1}, HALFTONE);
                // Every pixel written is a mix, its top byte cleared.
                for (size_t at = out.text.find('['); at != std::string::npos;
                     at = out.text.find('[', at + 1))
                    EXPECT_EQ(out.text.compare(at, 3, "[00"), 0) << out.text;
            }
}

} // namespace
