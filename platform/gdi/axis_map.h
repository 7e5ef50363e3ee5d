// One axis of a stretch: which source pixels stand behind each destination pixel.
//
// A side given with a negative extent covers (x + w, x], and its first pixel is x, walking left
// (or up); when only one of source and destination is negative the copy is mirrored. The
// mapping is made on the extents as given; source pixels outside the source bitmap are then
// dropped, and a destination pixel left with none is not touched. At the stretch's entry an axis
// whose source reaches past its bitmap is first clipped as gdi32 clips it (ClipSource), and
// FailsAtSurfaceEdge says when a stretch that draws nothing fails.
#ifndef PLATFORM_GDI_AXIS_MAP_H
#define PLATFORM_GDI_AXIS_MAP_H

#include "platform/gdi/pixel_view.h"
#include "platform/gdi/stretch_modes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gdi {

// The source pixels behind one destination pixel: `count` pixels from `first`, stepping by the
// axis's source step.
struct Run {
    int first;
    int count;
};

struct Axis {
    int64_t destOrigin; // the destination's first pixel
    int destStep;       // +1 or -1
    int64_t sourceOrigin;
    int sourceStep;
    uint64_t destSize;   // D
    uint64_t sourceSize; // S
};

inline Axis MakeAxis(int64_t x, int64_t w, int64_t sx, int64_t sw)
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

// The destination pixels the axis covers, not clipped.
inline Span DestRect(const Axis& a)
{
    return a.destStep > 0
               ? Span{a.destOrigin, a.destOrigin + static_cast<int64_t>(a.destSize)}
               : Span{a.destOrigin - static_cast<int64_t>(a.destSize) + 1, a.destOrigin + 1};
}

// The first source pixel of the source rectangle laid left to right (top to bottom).
inline int64_t SourceLeft(const Axis& a)
{
    return a.sourceStep > 0 ? a.sourceOrigin
                            : a.sourceOrigin - static_cast<int64_t>(a.sourceSize) + 1;
}

// Clips an axis whose source rectangle reaches past its bitmap (`sourceLimit` pixels) the way
// gdi32 does, and says whether that changed it. gdi32 cuts the destination as if the copy were not
// mirrored (source pixels lost at the left come off the destination's left) and still starts the
// source at its first pixel. With L and R the source pixels past the bitmap's left and right edges:
// - destination alone mirrored: pixel k shows what k + floor(L * D / S) - ceil(R * D / S) would;
// - source alone mirrored: pixel k shows k + floor(R * D / S) - ceil(L * D / S), the first term 0
//   when L = 0 and R = 1 (as if gdi32 clipped (x + w, x] as [x + w, x) there);
// - pixels moved outside the destination rectangle are not drawn;
// - unmirrored axes keep their mapping: pixels behind cut source pixels are left untouched;
// - two source pixels shrunk onto one go another path, which clips first: source -1..0 shows its
//   pixel 0, where the mapping (which keeps the first of the two) would show nothing.
bool ClipSource(Axis& a, int sourceLimit);

// Whether the source rectangle lies inside its bitmap, so ClipSource has nothing to do.
inline bool SourceInside(const Axis& a, int sourceLimit)
{
    const int64_t left = SourceLeft(a);
    return left >= 0 && left + static_cast<int64_t>(a.sourceSize) <= sourceLimit;
}

// Whether gdi32 fails a stretch whose axis draws nothing. It cuts the destination rectangle
// (`destRect`, as given) by ceil(cut * D / S) at each end for the source pixels past the bitmap
// there, as if the copy were not mirrored, clips what is left to the surface, and fails when
// exactly nothing is left: a one-pixel destination that loses its pixel, or one left starting
// exactly at the surface's far edge; left wholly past that edge, it returns TRUE. This holds for
// every answer recorded with both extents positive. With the source mirrored and the axis
// stretched it is the closest rule found (of 1-D sweeps over 5-pixel sources, about one answer in
// a hundred that draw nothing still differs); with the source mirrored and the axis unstretched,
// or only the destination mirrored, none fits, and those return TRUE. `destLimit` and
// `sourceLimit` are the bitmaps' sizes.
bool FailsAtSurfaceEdge(const Axis& a, Span destRect, int destLimit, int sourceLimit);

// Eight destination pixels of a gather, from `offset` in the gather index, whose source pixels lie
// within eight consecutive ones: they are read as one block from `base`, and `lanes` says which
// pixel each shows.
struct GatherBlock {
    int32_t offset;
    int32_t base;
    int32_t lanes[8];
};
constexpr size_t kGatherBlockPixels = 8;

// The runs of one axis, remembered with everything they were computed from, and for an axis of
// single-pixel runs the table a gather reads: the source pixel of each destination pixel in
// [first, last).
class AxisMap {
public:
    // Maps the destination pixels of `span` (clipped) for a source of `sourceLimit` pixels,
    // keeping of each shrinking run what `pick` says. Every mode maps alike otherwise, so modes
    // with one pick share a map.
    void Map(const Axis& axis, Span span, int sourceLimit, RunPick pick);

    // One run per pixel of the span, in destination order.
    const std::vector<Run>& Runs() const { return runs_; }
    // The longest run: 1 or less means no destination pixel combines several source pixels.
    int Widest() const { return widest_; }
    // For an axis whose runs are single pixels: the span pixels [First(), Last()) that show one,
    // and GatherIndex()[k] the source pixel of span pixel First() + k.
    size_t First() const { return first_; }
    size_t Last() const { return last_; }
    const int* GatherIndex() const { return index_.data(); }
    // The gather index as blocks that cover it, the last one overlapping the one before when the
    // width is not a multiple of eight; empty when some eight pixels are too far apart, or the
    // source or the span is narrower than a block. Every block reads inside the source:
    // base + 8 <= sourceLimit.
    const std::vector<GatherBlock>& GatherBlocks() const { return blocks_; }
    // Changes whenever Map() computes anew; equal generations of one map mean equal runs.
    uint64_t Generation() const { return generation_; }

private:
    void MakeGatherBlocks(int sourceLimit);

    // Where the span starts relative to the destination's first pixel, not where it lies: tools
    // of one size at different places share their runs.
    struct Key {
        int64_t spanOffset, spanSize, sourceOrigin;
        uint64_t destSize, sourceSize;
        int destStep, sourceStep, sourceLimit;
        RunPick pick;
        bool operator==(const Key&) const = default;
    };
    bool valid_ = false;
    uint64_t generation_ = 0;
    Key key_{};
    std::vector<Run> runs_;
    int widest_ = 0;
    size_t first_ = 0, last_ = 0;
    std::vector<int> index_;
    std::vector<GatherBlock> blocks_;
};

} // namespace gdi

#endif // PLATFORM_GDI_AXIS_MAP_H
