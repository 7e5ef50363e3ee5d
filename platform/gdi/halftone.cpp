#include "platform/gdi/halftone.h"

#include <algorithm>

#if defined(__SSE2__)
#  include <emmintrin.h>
#endif

namespace gdi {

namespace {

// gdi32 computes in 32-bit floats, and ties (a mix landing on n + 1/2) go up or down with the
// float rounding of every step, so each step must round to float as it does: no fused
// multiply-add (this file is built with -ffp-contract=off) and no x87 excess precision.
#if defined(__i386__) && !defined(__SSE2_MATH__)
inline float Rounded(float v)
{
    volatile float kept = v;
    return kept;
}
#else
inline float Rounded(float v) { return v; }
#endif

// Each channel a + (b - a) * w in float, rounded by adding 1/2 and truncating; top byte cleared.
// The channel value lies between a and b, so no conversion leaves 0..255.
#if defined(__SSE2__)
// All four lanes at once: the same float operations in the same order, one rounding each.
inline uint32_t Mix(uint32_t a, uint32_t b, float weight)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i ca =
        _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(a)), zero), zero);
    const __m128i cb =
        _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(b)), zero), zero);
    const __m128 mixed =
        _mm_add_ps(_mm_cvtepi32_ps(ca),
                   _mm_mul_ps(_mm_cvtepi32_ps(_mm_sub_epi32(cb, ca)), _mm_set1_ps(weight)));
    __m128i out = _mm_cvttps_epi32(_mm_add_ps(mixed, _mm_set1_ps(0.5f)));
    out = _mm_packs_epi32(out, out);
    out = _mm_packus_epi16(out, out);
    return static_cast<uint32_t>(_mm_cvtsi128_si32(out)) & 0x00ffffffu;
}
#else
inline uint32_t Mix(uint32_t a, uint32_t b, float weight)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xffu);
        const int cb = static_cast<int>((b >> shift) & 0xffu);
        const float v =
            Rounded(static_cast<float>(ca) + Rounded(static_cast<float>(cb - ca) * weight));
        out |= static_cast<uint32_t>(static_cast<int>(Rounded(v + 0.5f))) << shift;
    }
    return out;
}
#endif

// Pixels that cutting `cut` of `from` pixels off one side takes off the `to` pixels facing them
// on the other side, x = cut * to / from being the exact share: at the end of the side's first
// pixel floor(x) - 1, keeping one to interpolate with, and at the end of its last pixel
// ceil(x) - 1; a mirrored side (its first pixel on the right) loses one pixel more at the first
// pixel's end and one fewer at the last's. Never negative.
int64_t Trim(int64_t cut, int64_t to, int64_t from, bool firstPixelEnd, bool mirroredSide)
{
    const int64_t n = cut * to;
    const int64_t x = firstPixelEnd ? n / from : (n + from - 1) / from;
    const int64_t kept = firstPixelEnd ? (mirroredSide ? 0 : 1) : (mirroredSide ? 2 : 1);
    return std::max<int64_t>(0, x - kept);
}

} // namespace

bool HalftoneAxis::Plan(int64_t x, int64_t w, int64_t sx, int64_t sw, int destLimit,
                        int sourceLimit)
{
    begin = end = 0;
    copies = false;
    if (w == 0 || sw == 0 || destLimit <= 0 || sourceLimit <= 0)
        return false;
    // Extents come from ints: D, S <= 2^31 and every cut below is at most one of them, so the
    // products in Trim() stay under 2^62.
    const int64_t D = w < 0 ? -w : w;
    const int64_t S = sw < 0 ? -sw : sw;
    const int64_t destLeft = w < 0 ? x + w + 1 : x;
    const int64_t sourceLeft = sw < 0 ? sx + sw + 1 : sx;
    const bool mirrored = (w < 0) != (sw < 0);

    // Equal extents of one sign copy, as does 2 onto 1 (the first pixel); they are clipped as
    // below all the same.
    copies = sw == w || (sw == 2 && w == 1);
    copyStep = S == D ? 1 : 0;

    // Mirrored, the source past its bitmap's right edge only, by r pixels: gdi32 cuts c pixels
    // for them off the destination's right end, as if the copy were not mirrored, c being
    // ceil(r * D / S) when the destination is the mirrored side and floor(r * D / S) when the
    // source is. The source is trimmed as if those c pixels had come off the destination's
    // left end, which faces the source's right end, together with the destination's own cut to
    // its bitmap there; its cut at the right end trims the source's left as usual. With the source
    // mirrored and r = 1 the rule below holds instead. The source mirrored, gdi32 also writes one
    // pixel past what is left of the destination, read from outside the source: that pixel is not
    // drawn here.
    const bool destMirrored = w < 0, sourceMirrored = sw < 0;
    const int64_t pastRight = sourceLeft + S - sourceLimit;
    if (mirrored && sourceLeft >= 0 && pastRight > 0 && (destMirrored || pastRight >= 2)) {
        if (pastRight >= S)
            return false;
        const int64_t c = destMirrored ? (pastRight * D + S - 1) / S : pastRight * D / S;
        const int64_t destRight = destLeft + D - c;
        const int64_t cutLeft = std::max<int64_t>(0, -destLeft);
        const int64_t cutRight = std::max<int64_t>(0, destRight - destLimit);
        // Every cut is now under D, as in Trim()'s products below.
        if (cutLeft + cutRight >= destRight - destLeft)
            return false;
        const int64_t s0 = sourceLeft + Trim(cutRight, S, D, !sourceMirrored, sourceMirrored);
        const int64_t s1 =
            sourceLeft + S -
            std::max(pastRight, Trim(c + cutLeft, S, D, sourceMirrored, sourceMirrored));
        return Finish(destLeft + cutLeft, destRight - cutRight, s0, s1, mirrored);
    }

    // Only the destination mirrored, the source past its bitmap's left edge only, by l pixels:
    // gdi32 cuts c = floor(l * D / S) pixels off the destination's left end, as if the copy were
    // not mirrored, and draws what is left min(c, 2) pixels further left, those last pixels read
    // from outside the source; they are not drawn here. The cut and where the rest lands are
    // gdi32's (a destination moved off its bitmap stays untouched there too); how the source is
    // trimmed with the destination also cut to its bitmap is the counterpart of the right edge's
    // rule, unconfirmed, since gdi32 then writes outside-read pixels within the bitmap. With the
    // source alone mirrored past the left edge gdi32 reads outside the source throughout, and the
    // rule below is kept.
    const int64_t pastLeft = -sourceLeft;
    if (mirrored && destMirrored && pastLeft > 0 && sourceLeft + S <= sourceLimit) {
        if (pastLeft >= S)
            return false;
        const int64_t c = pastLeft * D / S;
        const int64_t shift = std::min<int64_t>(c, 2);
        const int64_t drawnLeft = destLeft + c - shift, drawnRight = destLeft + D - shift;
        const int64_t cutLeft = std::max<int64_t>(0, -drawnLeft);
        const int64_t cutRight = std::max<int64_t>(0, drawnRight - destLimit);
        if (cutLeft + cutRight >= drawnRight - drawnLeft)
            return false;
        const int64_t s0 = sourceLeft + std::max(pastLeft, Trim(c + cutRight, S, D, true, false));
        const int64_t s1 = sourceLeft + S - Trim(cutLeft, S, D, false, false);
        return Finish(drawnLeft + cutLeft, drawnRight - cutRight, s0, s1, mirrored);
    }

    // Each side cut to its bitmap cuts the other as Trim() says, at the end facing the cut
    // (mirrored, the destination's left end faces the source's right end); both are cut from the
    // rectangles as given, and each side keeps what both cuts leave it.
    const int64_t destCutLeft = std::max<int64_t>(0, -destLeft);
    const int64_t destCutRight = std::max<int64_t>(0, destLeft + D - destLimit);
    const int64_t sourceCutLeft = std::max<int64_t>(0, -sourceLeft);
    const int64_t sourceCutRight = std::max<int64_t>(0, sourceLeft + S - sourceLimit);
    if (destCutLeft + destCutRight >= D || sourceCutLeft + sourceCutRight >= S)
        return false;
    const int64_t d0 =
        destLeft + std::max(destCutLeft, Trim(mirrored ? sourceCutRight : sourceCutLeft, D, S,
                                              !destMirrored, destMirrored));
    const int64_t d1 = destLeft + D -
                       std::max(destCutRight, Trim(mirrored ? sourceCutLeft : sourceCutRight, D, S,
                                                   destMirrored, destMirrored));
    const int64_t s0 =
        sourceLeft + std::max(sourceCutLeft, Trim(mirrored ? destCutRight : destCutLeft, S, D,
                                                  !sourceMirrored, sourceMirrored));
    const int64_t s1 = sourceLeft + S -
                       std::max(sourceCutRight, Trim(mirrored ? destCutLeft : destCutRight, S, D,
                                                     sourceMirrored, sourceMirrored));
    return Finish(d0, d1, s0, s1, mirrored);
}

bool HalftoneAxis::Finish(int64_t d0, int64_t d1, int64_t s0, int64_t s1, bool mirrored)
{
    if (d0 >= d1 || s0 >= s1)
        return false;
    begin = d0;
    end = d1;
    copyStart = s0;

    // What is left is stretched anew: the sample point starts on the source's first pixel (its
    // last, mirrored) and moves by S / D per pixel, summed in float; from the last pixel on (the
    // first, mirrored) the axis shows that pixel.
    const int64_t n = d1 - d0;
    const TapsKey key{n, s0, s1, mirrored};
    if (tapsValid_ && key == tapsKey_)
        return true;
    tapsValid_ = false; // until every tap is made from `key`
    ++generation_;
    taps.resize(static_cast<size_t>(n));
    const float step = Rounded(static_cast<float>(s1 - s0) / static_cast<float>(n));
    const float firstPosition = static_cast<float>(s0);
    const float lastPosition = static_cast<float>(s1 - 1);
    const auto only = [](int64_t s) {
        return HalftoneTap{static_cast<int32_t>(s), static_cast<int32_t>(s), 0.0f};
    };
    // p lies in (s0, s1 - 1) when converted: no conversion leaves int64_t, and the clamps only
    // guard against positions rounded past a pixel of a huge bitmap.
    const auto between = [&](float p) {
        const int64_t i = std::clamp<int64_t>(static_cast<int64_t>(p), s0, s1 - 2);
        const float weight = std::clamp(Rounded(p - static_cast<float>(i)), 0.0f, 1.0f);
        return HalftoneTap{static_cast<int32_t>(i), static_cast<int32_t>(i + 1), weight};
    };
    float p = mirrored ? lastPosition : firstPosition;
    for (HalftoneTap& tap : taps) {
        if (!mirrored) {
            tap = p >= lastPosition ? only(s1 - 1) : between(p);
            p = Rounded(p + step);
        } else {
            tap = p <= firstPosition ? only(s0) : p >= lastPosition ? only(s1 - 1) : between(p);
            p = Rounded(p - step);
        }
    }
    tapsKey_ = key;
    tapsValid_ = true;
    return true;
}

void HalftoneStretch(const PixelView& dest, const PixelView& source, const HalftoneAxis& columns,
                     const HalftoneAxis& rows, HalftoneRows& scratch)
{
    const size_t width = columns.taps.size();
    const HalftoneTap* const columnTaps = columns.taps.data();
    if (columns.copies && rows.copies) {
        // A copy steps one source pixel per destination pixel from where the cuts left the source,
        // not as the taps do; gdi32 reads on past the bitmap there, which is left untouched here.
        for (int64_t y = rows.begin; y < rows.end; ++y) {
            const int64_t from = rows.copyStart + rows.copyStep * (y - rows.begin);
            if (from >= source.height)
                break;
            const uint32_t* in = source.Row(static_cast<int>(from));
            uint32_t* out = dest.Row(static_cast<int>(y));
            for (int64_t x = columns.begin; x < columns.end; ++x) {
                const int64_t at = columns.copyStart + columns.copyStep * (x - columns.begin);
                if (at >= source.width)
                    break;
                out[x] = in[at];
            }
        }
        return;
    }
    scratch.pixels.resize(2 * width);
    scratch.rowOf[0] = scratch.rowOf[1] = -1;
    // The first pass: source row `row` along the columns, kept in a slot other than `keep`.
    const auto firstPass = [&](int32_t row, int keep) -> const uint32_t* {
        for (int slot = 0; slot < 2; ++slot)
            if (scratch.rowOf[slot] == row)
                return &scratch.pixels[static_cast<size_t>(slot) * width];
        const int slot = keep == 0 ? 1 : 0;
        uint32_t* out = &scratch.pixels[static_cast<size_t>(slot) * width];
        const uint32_t* in = source.Row(row);
        for (size_t k = 0; k < width; ++k)
            out[k] = Mix(in[columnTaps[k].first], in[columnTaps[k].second], columnTaps[k].weight);
        scratch.rowOf[slot] = row;
        return out;
    };
    for (int64_t y = rows.begin; y < rows.end; ++y) {
        const HalftoneTap& tap = rows.taps[static_cast<size_t>(y - rows.begin)];
        uint32_t* out = dest.Row(static_cast<int>(y)) + columns.begin;
        const uint32_t* upper = firstPass(tap.first, -1);
        if (tap.second == tap.first || tap.weight == 0.0f) {
            // Mixing with weight 0 gives the first pass's values back.
            for (size_t k = 0; k < width; ++k)
                out[k] = upper[k];
            continue;
        }
        const int upperSlot = upper == scratch.pixels.data() ? 0 : 1;
        const uint32_t* lower = firstPass(tap.second, upperSlot);
        for (size_t k = 0; k < width; ++k)
            out[k] = Mix(upper[k], lower[k], tap.weight);
    }
}

} // namespace gdi
