// HALFTONE stretches: gdi32 interpolates between the two source pixels on either side of each
// destination pixel's sample point instead of picking one, along each row first (each channel
// rounded) and then down the columns of those rounded values. The brush origin plays no part:
// gdi32's answers do not change with SetBrushOrgEx.
#ifndef PLATFORM_GDI_HALFTONE_H
#define PLATFORM_GDI_HALFTONE_H

#include "platform/gdi/pixel_view.h"

#include <cstdint>
#include <vector>

namespace gdi {

// What one destination pixel of an axis shows: source pixels `first` and `second` (absolute, in
// bounds) mixed with `weight` in [0, 1] on the second.
struct HalftoneTap {
    int32_t first;
    int32_t second;
    float weight;
};

// One axis of a HALFTONE stretch, clipped: the destination pixels [begin, end) it writes and the
// taps behind them, left to right (top to bottom).
struct HalftoneAxis {
    int64_t begin = 0;
    int64_t end = 0;
    // The axis copies (equal extents of one sign, or 2 onto 1). When both axes copy, the stretch
    // keeps the top byte and shows source pixel copyStart + copyStep * k at destination pixel
    // begin + k, whatever the taps say.
    bool copies = false;
    int64_t copyStart = 0;
    int copyStep = 0;
    std::vector<HalftoneTap> taps;

    // Maps destination x, extent w (either may be negative, as StretchBlt takes them) onto
    // source sx, extent sw, for bitmaps `destLimit` and `sourceLimit` pixels long. Returns false
    // when nothing on this axis is drawn.
    bool Plan(int64_t x, int64_t w, int64_t sx, int64_t sw, int destLimit, int sourceLimit);

    // Changes whenever Plan() computes the taps anew; equal generations of one axis mean equal
    // taps (their count included), wherever the destination lies.
    uint64_t Generation() const { return generation_; }

private:
    bool Finish(int64_t d0, int64_t d1, int64_t s0, int64_t s1, bool mirrored);

    // What the taps are computed from: the clipped destination's length, the source pixels and
    // the direction. Tools of one size at different places share their taps.
    struct TapsKey {
        int64_t length, s0, s1;
        bool mirrored;
        bool operator==(const TapsKey&) const = default;
    };
    bool tapsValid_ = false;
    TapsKey tapsKey_{};
    uint64_t generation_ = 0;
};

// Rows of the first pass, kept per thread so that a stretch allocates nothing once they have grown.
struct HalftoneRows {
    std::vector<uint32_t> pixels; // two rows of the axis's width
    int64_t rowOf[2] = {-1, -1};  // the source row each holds
};

// Draws a stretch planned on both axes. Callers clip: the axes were planned for these bitmaps.
void HalftoneStretch(const PixelView& dest, const PixelView& source, const HalftoneAxis& columns,
                     const HalftoneAxis& rows, HalftoneRows& scratch);

} // namespace gdi

#endif // PLATFORM_GDI_HALFTONE_H
