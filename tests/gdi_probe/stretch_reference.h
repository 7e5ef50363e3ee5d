// How gdi32 stretches (SRCCOPY, 32 bpp), as learned from the recorded sweeps: a reference model,
// written apart from the portable layer so that the layer's stretch can be checked against it and
// changed to follow it. It covers what the recordings pin down; where it does not (HALFTONE, and a
// mirrored stretch whose source rectangle reaches past its bitmap) it says so instead of guessing.
//
// The rules, per axis (columns and rows are mapped on their own):
//  1. A negative extent covers (x + w, x]: its first pixel is x, walking left (or up). Source and
//     destination alike; the copy is mirrored when exactly one of them is negative.
//  2. With D destination and S source pixels, counting j and i from the first pixels:
//     D >= S: destination j shows source i = floor(((2j + 1)S - 1) / 2D), the nearest pixel
//             centre, ties to the lower pixel.
//     D <  S: destination j stands for the run of source pixels ending at
//             e(j) = floor(((2j + 2)S - D) / 2D) and starting after e(j - 1).
//  3. D == 1 < S: the one run is source 0 .. S - 2 (the last source pixel left out), but the whole
//     source 0 .. S - 1 when either extent is negative.
//  4. BLACKONWHITE ANDs the run's pixels, WHITEONBLACK ORs them, COLORONCOLOR keeps one: the last
//     column of the run (in walking order) and the first row. Rule 3's run is reduced the same way.
//  5. When both axes are unstretched (D == S on each), the mode takes no part: a plain copy.
//  6. The mapping is made on the rectangles as given: source pixels outside the source bitmap are
//     dropped from their runs (a destination pixel left with none is untouched), and destination
//     pixels outside the destination bitmap are not drawn. The surviving pixels keep the values the
//     unclipped mapping gives them; the top byte is copied like the others.
//  7. A mirrored axis whose source rectangle reaches past its bitmap is clipped differently: gdi32
//     moves the destination's left (top) edge by the source pixels cut at the source's first pixel,
//     as if the copy were not mirrored, and maps the clipped rectangles afresh. How far a stretched
//     destination moves is not pinned down yet; the model declines these.
//  8. HALFTONE interpolates (each destination pixel a weighted mix of two neighbouring source
//     pixels per axis, top byte cleared) rather than picking or combining runs; not modelled yet.
#ifndef TESTS_GDI_PROBE_STRETCH_REFERENCE_H
#define TESTS_GDI_PROBE_STRETCH_REFERENCE_H

#include <cstdint>
#include <vector>

namespace stretchref {

constexpr int kBlackOnWhite = 1, kWhiteOnBlack = 2, kColorOnColor = 3, kHalftone = 4;

struct Bitmap {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels; // rows top to bottom
};

// The source pixels behind one destination pixel: `count` of them from `first`, stepping `step`.
struct Run {
    int first = 0, count = 0, step = 1;
};

struct AxisMapping {
    bool modelled = true;
    std::vector<int> destination; // pixels drawn, inside the destination bitmap
    std::vector<Run> runs;        // the run behind each, inside the source bitmap
};

// Rules 1-3 and 6-7 on one axis.
inline AxisMapping MapAxis(int64_t x, int64_t w, int64_t sx, int64_t sw, int destSize,
                           int sourceSize)
{
    AxisMapping m;
    const int64_t D = w < 0 ? -w : w, S = sw < 0 ? -sw : sw;
    const int destStep = w < 0 ? -1 : 1, sourceStep = sw < 0 ? -1 : 1;
    const bool mirrored = (w < 0) != (sw < 0);
    const int64_t sourceLow = sw < 0 ? sx + sw + 1 : sx;
    if (mirrored && (sourceLow < 0 || sourceLow + S > sourceSize)) {
        m.modelled = false;
        return m;
    }
    const bool anyNegative = w < 0 || sw < 0;
    for (int64_t j = 0; j < D; ++j) {
        const int64_t at = x + destStep * j;
        if (at < 0 || at >= destSize)
            continue;
        int64_t low, high;
        if (D >= S) {
            low = high = ((2 * j + 1) * S - 1) / (2 * D);
        } else if (D == 1) {
            low = 0;
            high = anyNegative ? S - 1 : S - 2;
        } else {
            high = ((2 * j + 2) * S - D) / (2 * D);
            low = j == 0 ? 0 : ((2 * j) * S - D) / (2 * D) + 1;
        }
        Run run;
        run.step = sourceStep;
        for (int64_t i = low; i <= high; ++i) {
            const int64_t p = sx + sourceStep * i;
            if (p < 0 || p >= sourceSize)
                continue;
            if (run.count == 0)
                run.first = static_cast<int>(p);
            ++run.count;
        }
        if (run.count == 0)
            continue;
        m.destination.push_back(static_cast<int>(at));
        m.runs.push_back(run);
    }
    return m;
}

// Draws one stretch into `dest` by the rules above; false (dest untouched) where they do not
// reach: HALFTONE, or rule 7.
inline bool Stretch(Bitmap& dest, int x, int y, int w, int h, const Bitmap& source, int sx, int sy,
                    int sw, int sh, int mode)
{
    if (w == 0 || h == 0 || sw == 0 || sh == 0)
        return true;
    const bool unstretched =
        (w < 0 ? -w : w) == (sw < 0 ? -sw : sw) && (h < 0 ? -h : h) == (sh < 0 ? -sh : sh);
    if (unstretched)
        mode = kColorOnColor;
    if (mode == kHalftone)
        return false;
    const AxisMapping columns = MapAxis(x, w, sx, sw, dest.width, source.width);
    const AxisMapping rows = MapAxis(y, h, sy, sh, dest.height, source.height);
    if (!columns.modelled || !rows.modelled)
        return false;
    for (size_t r = 0; r < rows.destination.size(); ++r) {
        Run rowRun = rows.runs[r];
        for (size_t c = 0; c < columns.destination.size(); ++c) {
            Run columnRun = columns.runs[c];
            if (mode == kColorOnColor) {
                columnRun.first += columnRun.step * (columnRun.count - 1);
                columnRun.count = 1;
                rowRun.count = 1;
            }
            uint32_t value = mode == kBlackOnWhite ? 0xffffffffu : 0u;
            for (int i = 0; i < rowRun.count; ++i)
                for (int k = 0; k < columnRun.count; ++k) {
                    const uint32_t pixel =
                        source.pixels[static_cast<size_t>(rowRun.first + rowRun.step * i) *
                                          static_cast<size_t>(source.width) +
                                      static_cast<size_t>(columnRun.first + columnRun.step * k)];
                    value = mode == kBlackOnWhite   ? value & pixel
                            : mode == kWhiteOnBlack ? value | pixel
                                                    : pixel;
                }
            dest.pixels[static_cast<size_t>(rows.destination[r]) * static_cast<size_t>(dest.width) +
                        static_cast<size_t>(columns.destination[c])] = value;
        }
    }
    return true;
}

} // namespace stretchref

#endif // TESTS_GDI_PROBE_STRETCH_REFERENCE_H
