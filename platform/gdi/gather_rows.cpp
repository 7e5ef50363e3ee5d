#include "platform/gdi/gather_rows.h"

#include "platform/gdi/cpu_features.h"
#include "platform/gdi/row_ops.h"

#if defined(GDI_HAS_AVX2_PATHS)
#  include <immintrin.h>
#endif

namespace gdi {

namespace {

// Enlarging repeats source rows: a row that shows the same source row as the one above is a copy
// of it. Both versions read what they need into locals first: their stores may alias the maps.
void GatherRowsPlain(const PixelView& dest, Span xs, Span ys, const PixelView& source,
                     const AxisMap& columns, const std::vector<Run>& rowRuns)
{
    const size_t width = columns.Last() - columns.First();
    const int* const index = columns.GatherIndex();
    const Run* const runs = rowRuns.data();
    uint32_t* const destOrigin = dest.topRow + xs.begin + columns.First();
    const ptrdiff_t destStride = dest.stride;
    const uint32_t* const sourceTop = source.topRow;
    const ptrdiff_t sourceStride = source.stride;
    const uint32_t* previousIn = nullptr;
    const uint32_t* previousOut = nullptr;
    for (ptrdiff_t y = ys.begin; y < ys.end; ++y) {
        const Run r = runs[y - ys.begin];
        if (r.count == 0)
            continue;
        const uint32_t* in = sourceTop + r.first * sourceStride;
        uint32_t* out = destOrigin + y * destStride;
        if (in == previousIn)
            CopyRow(out, previousOut, width);
        else
            for (size_t k = 0; k < width; ++k)
                out[k] = in[index[k]];
        previousIn = in;
        previousOut = out;
    }
}

#if defined(GDI_HAS_AVX2_PATHS)

// The same walk, a block of eight pixels at a time with one load and one lane permutation;
// chosen at run time because the baseline instruction set has no lane permutation of 32-bit
// elements.
__attribute__((target("avx2"))) void GatherRowsAvx2(const PixelView& dest, Span xs, Span ys,
                                                    const PixelView& source, const AxisMap& columns,
                                                    const std::vector<Run>& rowRuns)
{
    const size_t width = columns.Last() - columns.First();
    const size_t lastBlock = width - kGatherBlockPixels; // width >= 8 when there are blocks
    const GatherBlock* const blocks = columns.GatherBlocks().data();
    const GatherBlock* const blocksEnd = blocks + columns.GatherBlocks().size();
    const Run* const runs = rowRuns.data();
    uint32_t* const destOrigin = dest.topRow + xs.begin + columns.First();
    const ptrdiff_t destStride = dest.stride;
    const uint32_t* const sourceTop = source.topRow;
    const ptrdiff_t sourceStride = source.stride;
    const uint32_t* previousIn = nullptr;
    const uint32_t* previousOut = nullptr;
    for (ptrdiff_t y = ys.begin; y < ys.end; ++y) {
        const Run r = runs[y - ys.begin];
        if (r.count == 0)
            continue;
        const uint32_t* in = sourceTop + r.first * sourceStride;
        uint32_t* out = destOrigin + y * destStride;
        if (in == previousIn) {
            for (size_t k = 0; k < lastBlock; k += kGatherBlockPixels)
                _mm256_storeu_si256(
                    reinterpret_cast<__m256i*>(out + k),
                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(previousOut + k)));
            _mm256_storeu_si256(
                reinterpret_cast<__m256i*>(out + lastBlock),
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(previousOut + lastBlock)));
        } else {
            for (const GatherBlock* b = blocks; b != blocksEnd; ++b)
                _mm256_storeu_si256(
                    reinterpret_cast<__m256i*>(out + b->offset),
                    _mm256_permutevar8x32_epi32(
                        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + b->base)),
                        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b->lanes))));
        }
        previousIn = in;
        previousOut = out;
    }
}

__attribute__((target("avx2"), always_inline)) inline void Copy8(uint32_t* out, const uint32_t* in)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out),
                        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in)));
}

// Rows of a palette's tools are short: up to 32 pixels the copies are written out, as FillRows
// writes its stores.
template <size_t kMiddleCopies>
__attribute__((target("avx2"), always_inline)) inline void
PutShortRowsAvx2(uint32_t* out, ptrdiff_t stride, size_t rows, size_t width, const Run* runs,
                 const uint32_t* kept)
{
    const size_t last = width - kGatherBlockPixels;
    for (size_t k = 0; k < rows; ++k, out += stride, kept += width) {
        if (runs && runs[k].count == 0)
            continue;
        Copy8(out, kept);
        for (size_t i = 1; i <= kMiddleCopies; ++i)
            Copy8(out + i * kGatherBlockPixels, kept + i * kGatherBlockPixels);
        Copy8(out + last, kept + last);
    }
}

// `rows` rows of `width` >= 8 pixels from `out`, `stride` apart; the caller checks the width.
__attribute__((target("avx2"))) void PutKeptRowsAvx2(uint32_t* out, ptrdiff_t stride, size_t rows,
                                                     size_t width, const Run* runs,
                                                     const uint32_t* kept)
{
    if (width <= 16)
        return PutShortRowsAvx2<0>(out, stride, rows, width, runs, kept);
    if (width <= 24)
        return PutShortRowsAvx2<1>(out, stride, rows, width, runs, kept);
    if (width <= 32)
        return PutShortRowsAvx2<2>(out, stride, rows, width, runs, kept);
    const size_t last = width - kGatherBlockPixels;
    for (size_t k = 0; k < rows; ++k, out += stride, kept += width) {
        if (runs && runs[k].count == 0)
            continue;
        for (size_t i = 0; i < last; i += kGatherBlockPixels)
            Copy8(out + i, kept + i);
        Copy8(out + last, kept + last);
    }
}

#endif

// Out of line, so that the vector path is reached by a jump that saves no registers.
[[gnu::noinline]] void PutKeptRowsPlain(uint32_t* out, ptrdiff_t stride, size_t rows, size_t width,
                                        const Run* runs, const uint32_t* kept)
{
    for (size_t k = 0; k < rows; ++k, out += stride, kept += width)
        if (!runs || runs[k].count)
            CopyRow(out, kept, width);
}

} // namespace

void PutKeptRows(const PixelView& dest, int64_t left, Span ys, size_t width, const Run* rowRuns,
                 const uint32_t* kept)
{
    if (ys.begin >= ys.end)
        return; // the row below the last may lie outside the pixels, as in bottom-up DIBs
    // The block's first pixel and its number of rows: six arguments, all in registers.
    uint32_t* const out = dest.Row(static_cast<int>(ys.begin)) + left;
    const size_t rows = static_cast<size_t>(ys.end - ys.begin);
#if defined(GDI_HAS_AVX2_PATHS)
    if (cpuHasAvx2 && width >= kGatherBlockPixels)
        return PutKeptRowsAvx2(out, dest.stride, rows, width, rowRuns, kept);
#endif
    PutKeptRowsPlain(out, dest.stride, rows, width, rowRuns, kept);
}

void GatherRows(const PixelView& dest, Span xs, Span ys, const PixelView& source,
                const AxisMap& columns, const std::vector<Run>& rowRuns)
{
    if (columns.Last() == columns.First())
        return;
#if defined(GDI_HAS_AVX2_PATHS)
    if (cpuHasAvx2 && !columns.GatherBlocks().empty()) {
        GatherRowsAvx2(dest, xs, ys, source, columns, rowRuns);
        return;
    }
#endif
    GatherRowsPlain(dest, xs, ys, source, columns, rowRuns);
}

} // namespace gdi
