#include "platform/gdi/axis_map.h"

#include <algorithm>

namespace gdi {

namespace {

using u128 = unsigned __int128;

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
    Dda(u128 start, uint64_t denominator, uint64_t step)
        : q(static_cast<uint64_t>(start / denominator)),
          r(static_cast<uint64_t>(start % denominator)), dq(step / denominator),
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
int MapRuns(const Axis& a, Span span, int sourceLimit, AxisRule rule, RunPick pick,
            std::vector<Run>& runs)
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
    if (rule == AxisRule::kFixedStep) {
        const uint64_t step16 = static_cast<uint64_t>((u128{S} << 16) / D);
        for (size_t k = 0; k < n; ++k) {
            const uint64_t i = static_cast<uint64_t>((u128{jFirst + k} * step16 + 0x8000) >> 16);
            const uint64_t at = i < S ? i : S - 1;
            put(k, SourceRun(a, at, at, sourceLimit));
        }
    } else if (D >= S) {
        Dda i((2 * u128{jFirst} + 1) * S - 1, 2 * D, 2 * S);
        for (size_t k = 0; k < n; ++k, i.Next())
            put(k, SourceRun(a, i.q, i.q, sourceLimit));
    } else if (D == 1) {
        put(0, SourceRun(a, 0, S - 2, sourceLimit));
    } else {
        Dda end((2 * u128{jFirst} + 2) * S - D, 2 * D, 2 * S);
        uint64_t lo =
            jFirst == 0 ? 0 : static_cast<uint64_t>((2 * u128{jFirst} * S - D) / (2 * D)) + 1;
        for (size_t k = 0; k < n; ++k, end.Next()) {
            put(k, Pick(SourceRun(a, lo, end.q, sourceLimit), pick, a.sourceStep));
            lo = end.q + 1;
        }
    }
    return widest;
}

} // namespace

Axis MakeAxis(int64_t x, int64_t w, int64_t sx, int64_t sw)
{
    Axis a;
    a.destOrigin = x;
    a.destStep = w < 0 ? -1 : 1;
    a.destSize = static_cast<uint64_t>(w < 0 ? -w : w);
    a.sourceOrigin = sx;
    a.sourceStep = sw < 0 ? -1 : 1;
    a.sourceSize = static_cast<uint64_t>(sw < 0 ? -sw : sw);
    return a;
}

Span DestSpan(const Axis& a, int size)
{
    Span s = a.destStep > 0
                 ? Span{a.destOrigin, a.destOrigin + static_cast<int64_t>(a.destSize)}
                 : Span{a.destOrigin - static_cast<int64_t>(a.destSize) + 1, a.destOrigin + 1};
    ClipSpan(s, size);
    return s;
}

void AxisMap::Map(const Axis& a, Span span, int sourceLimit, const StretchMode& mode, RunPick pick)
{
    const Key k{span.begin - a.destOrigin,
                span.end - span.begin,
                a.sourceOrigin,
                a.destSize,
                a.sourceSize,
                a.destStep,
                a.sourceStep,
                sourceLimit,
                &mode,
                pick};
    if (valid_ && k == key_)
        return;
    valid_ = false; // until every table below is made from `k`
    widest_ = MapRuns(a, span, sourceLimit, mode.rule, pick, runs_);
    key_ = k;
    valid_ = true;
    if (widest_ > 1)
        return;
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
}

} // namespace gdi
