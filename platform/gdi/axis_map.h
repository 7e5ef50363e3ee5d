// One axis of a stretch: which source pixels stand behind each destination pixel.
//
// A side given with a negative extent covers (x + w, x], and its first pixel is x, walking left
// (or up); when only one of source and destination is negative the copy is mirrored. The
// mapping is made on the extents as given; source pixels outside the source bitmap are then
// dropped, and a destination pixel left with none is not touched.
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

Axis MakeAxis(int64_t x, int64_t w, int64_t sx, int64_t sw);

// The destination pixels the axis covers, clipped to [0, size).
Span DestSpan(const Axis& axis, int size);

// The runs of one axis, remembered with everything they were computed from, and for an axis of
// single-pixel runs the table a gather reads: the source pixel of each destination pixel in
// [first, last).
class AxisMap {
public:
    // Maps the destination pixels of `span` (clipped) for a source of `sourceLimit` pixels.
    void Map(const Axis& axis, Span span, int sourceLimit, const StretchMode& mode, RunPick pick);

    // One run per pixel of the span, in destination order.
    const std::vector<Run>& Runs() const { return runs_; }
    // The longest run: 1 or less means no destination pixel combines several source pixels.
    int Widest() const { return widest_; }
    // For an axis whose runs are single pixels: the span pixels [First(), Last()) that show one,
    // and GatherIndex()[k] the source pixel of span pixel First() + k.
    size_t First() const { return first_; }
    size_t Last() const { return last_; }
    const int* GatherIndex() const { return index_.data(); }

private:
    // Where the span starts relative to the destination's first pixel, not where it lies: tools
    // of one size at different places share their runs.
    struct Key {
        int64_t spanOffset, spanSize, sourceOrigin;
        uint64_t destSize, sourceSize;
        int destStep, sourceStep, sourceLimit;
        const StretchMode* mode;
        RunPick pick;
        bool operator==(const Key&) const = default;
    };
    bool valid_ = false;
    Key key_{};
    std::vector<Run> runs_;
    int widest_ = 0;
    size_t first_ = 0, last_ = 0;
    std::vector<int> index_;
};

} // namespace gdi

#endif // PLATFORM_GDI_AXIS_MAP_H
