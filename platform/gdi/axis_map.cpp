#include "platform/gdi/axis_map.h"

#include <algorithm>

namespace gdi {

namespace {

// Source logical indices [lo, hi], kept to those inside [0, limit), as absolute pixels.
Run SourceRun(const Axis& a, uint64_t lo, uint64_t hi, int limit)
{
    // The logical indices whose pixels are in bounds.
    const int64_t inLo = a.sourceStep > 0 ? -a.sourceOrigin : a.sourceOrigin - (limit - 1);
    const int64_t inHi = a.sourceStep > 0 ? (limit - 1) - a.sourceOrigin : a.sourceOrigin;
    const int64_t from = std::max(static_cast<int64_t>(lo), inLo);
    const int64_t to = std::min(static_cast<int64_t>(hi), inHi);
    if (from > to)
        return {0, 0};
    return {static_cast<int>(a.sourceOrigin + a.sourceStep * from),
            static_cast<int>(to - from + 1)};
}

// Steps floor(N / den) as N grows by `step` per destination pixel, exactly: the integer form of
// walking the source in fixed point, without a division per pixel.
struct Dda {
    uint64_t q, r, dq, dr, den;
    Dda(uint64_t start, uint64_t denominator, uint64_t step)
        : q(start / denominator), r(start % denominator), dq(step / denominator),
          dr(step % denominator), den(denominator)
    {}
    void Next()
    {
        q += dq;
        r += dr;
        if (r >= den) {
            r -= den;
            ++q;
        }
    }
};

// One pixel of a run, as `pick` says.
Run Pick(Run run, RunPick pick, int sourceStep)
{
    if (run.count <= 1 || pick == RunPick::kAll)
        return run;
    if (pick == RunPick::kFirst)
        return {run.first, 1};
    return {run.first + sourceStep * (run.count - 1), 1};
}

// For every destination pixel in `span`, the source run behind it, written to `runs`. Returns
// the longest run.
int MapRuns(const Axis& a, Span span, int sourceLimit, RunPick pick, std::vector<Run>& runs)
{
    const size_t n = static_cast<size_t>(span.end - span.begin);
    runs.resize(n);
    const uint64_t D = a.destSize, S = a.sourceSize;
    // The walk goes in the order of j; a mirrored destination fills the span from its far end.
    const uint64_t jFirst = static_cast<uint64_t>(a.destStep > 0 ? span.begin - a.destOrigin
                                                                 : a.destOrigin - (span.end - 1));
    int widest = 0;
    auto put = [&](size_t k, Run r) {
        runs[a.destStep > 0 ? k : n - 1 - k] = r;
        widest = std::max(widest, r.count);
    };
    // Extents come from int arguments, so j < D <= 2^31 and S <= 2^31: (2j + 2)S <= 2^63 fits
    // 64 bits, on 32-bit hosts too.
    if (D >= S) {
        Dda i((2 * jFirst + 1) * S - 1, 2 * D, 2 * S);
        for (size_t k = 0; k < n; ++k, i.Next())
            put(k, SourceRun(a, i.q, i.q, sourceLimit));
    } else if (D == 1) {
        // One destination pixel stands for the source less its last pixel, but for all of it
        // when either side is mirrored; a mode that keeps one pixel of a run keeps one of it.
        const bool negative = a.destStep < 0 || a.sourceStep < 0;
        put(0, Pick(SourceRun(a, 0, negative ? S - 1 : S - 2, sourceLimit), pick, a.sourceStep));
    } else {
        Dda end((2 * jFirst + 2) * S - D, 2 * D, 2 * S);
        uint64_t lo = jFirst == 0 ? 0 : (2 * jFirst * S - D) / (2 * D) + 1;
        for (size_t k = 0; k < n; ++k, end.Next()) {
            put(k, Pick(SourceRun(a, lo, end.q, sourceLimit), pick, a.sourceStep));
            lo = end.q + 1;
        }
    }
    return widest;
}

// The source pixels an axis loses past its bitmap's left (top) and right (bottom) edges, counted
// on the source rectangle laid left to right.
struct SourceCuts {
    uint64_t left, right;
    bool All(const Axis& a) const { return left + right >= a.sourceSize; }
};

SourceCuts CutsOf(const Axis& a, int sourceLimit)
{
    const int64_t S = static_cast<int64_t>(a.sourceSize);
    const int64_t left = SourceLeft(a);
    return {static_cast<uint64_t>(std::clamp<int64_t>(-left, 0, S)),
            static_cast<uint64_t>(std::clamp<int64_t>(left + S - sourceLimit, 0, S))};
}

// cut * D / S rounded down or up. Extents come from int arguments: cut * D < 2^62.
int64_t ScaledDown(const Axis& a, uint64_t cut)
{
    return static_cast<int64_t>(cut * a.destSize / a.sourceSize);
}
int64_t ScaledUp(const Axis& a, uint64_t cut)
{
    return static_cast<int64_t>((cut * a.destSize + a.sourceSize - 1) / a.sourceSize);
}

} // namespace

bool ClipSource(Axis& a, int sourceLimit)
{
    if (a.destSize == 1 && a.sourceSize == 2 && a.sourceOrigin == -1 && a.destStep > 0 &&
        a.sourceStep > 0) {
        a.sourceOrigin = 0;
        a.sourceSize = 1;
        return true;
    }
    if (a.destStep == a.sourceStep)
        return false;
    const SourceCuts cut = CutsOf(a, sourceLimit);
    if (cut.All(a))
        return false; // nothing of the source is in the bitmap
    int64_t shift;
    if (a.sourceStep > 0) {
        shift = ScaledDown(a, cut.left) - ScaledUp(a, cut.right);
    } else {
        const int64_t kept = cut.left > 0 || cut.right > 1 ? ScaledDown(a, cut.right) : 0;
        shift = kept - ScaledUp(a, cut.left);
    }
    a.destOrigin += a.destStep > 0 ? -shift : shift;
    return shift != 0;
}

bool FailsAtSurfaceEdge(const Axis& a, Span destRect, int destLimit, int sourceLimit)
{
    // No rule found for gdi32's answers with only the destination mirrored, nor for a mirrored
    // source the axis does not stretch; this layer returns TRUE there.
    if ((a.sourceStep > 0 && a.destStep < 0) || (a.sourceStep < 0 && a.destSize == a.sourceSize))
        return false;
    const SourceCuts cut = CutsOf(a, sourceLimit);
    if (cut.All(a))
        return false;
    const int64_t left = destRect.begin + ScaledUp(a, cut.left);
    const int64_t right = destRect.end - ScaledUp(a, cut.right);
    return std::min<int64_t>(right, destLimit) - std::max<int64_t>(left, 0) == 0;
}

void AxisMap::Map(const Axis& a, Span span, int sourceLimit, RunPick pick)
{
    const Key k{span.begin - a.destOrigin,
                span.end - span.begin,
                a.sourceOrigin,
                a.destSize,
                a.sourceSize,
                a.destStep,
                a.sourceStep,
                sourceLimit,
                pick};
    if (valid_ && k == key_)
        return;
    valid_ = false; // until every table below is made from `k`
    ++generation_;
    widest_ = MapRuns(a, span, sourceLimit, pick, runs_);
    key_ = k;
    if (widest_ > 1) {
        valid_ = true;
        return;
    }
    // Source pixels outside the bitmap drop the ends of the span only: the mapping is monotonic.
    first_ = 0;
    last_ = runs_.size();
    while (first_ < last_ && runs_[first_].count == 0)
        ++first_;
    while (last_ > first_ && runs_[last_ - 1].count == 0)
        --last_;
    index_.resize(last_ - first_);
    for (size_t i = first_; i < last_; ++i)
        index_[i - first_] = runs_[i].first;
    MakeGatherBlocks(sourceLimit);
    valid_ = true;
}

void AxisMap::MakeGatherBlocks(int sourceLimit)
{
    blocks_.clear();
    const size_t n = index_.size();
    const int width = static_cast<int>(kGatherBlockPixels);
    if (n < kGatherBlockPixels || sourceLimit < width)
        return;
    auto add = [&](size_t offset) {
        const int* at = &index_[offset];
        const auto [low, high] = std::minmax_element(at, at + kGatherBlockPixels);
        if (*high - *low >= width)
            return false;
        GatherBlock block;
        block.offset = static_cast<int32_t>(offset);
        // Moved back from the row's end where needed, so the read stays inside the row.
        block.base = std::min(*low, sourceLimit - width);
        for (size_t k = 0; k < kGatherBlockPixels; ++k)
            block.lanes[k] = at[k] - block.base;
        blocks_.push_back(block);
        return true;
    };
    for (size_t offset = 0; offset + kGatherBlockPixels < n; offset += kGatherBlockPixels)
        if (!add(offset)) {
            blocks_.clear();
            return;
        }
    if (!add(n - kGatherBlockPixels))
        blocks_.clear();
}

} // namespace gdi
