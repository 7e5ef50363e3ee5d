// The output of recent stretches, kept per thread: a palette draws a few bitmaps at one size many
// times, and copying the scaled rows is cheaper than gathering (or interpolating) them again. Only
// sources whose writes are counted (not DIB sections) are kept, and an entry is good only while
// its source has not been written and both axes are mapped as when it was made.
#ifndef PLATFORM_GDI_KEPT_STRETCHES_H
#define PLATFORM_GDI_KEPT_STRETCHES_H

#include "platform/gdi/axis_map.h"
#include "platform/gdi/gdi.h"

#include <cstdint>
#include <vector>

namespace gdi {

class KeptStretches {
public:
    struct Key {
        uint64_t source; // the bitmap's serial
        uint64_t writes;
        // What else the pixels depend on: the axis maps' (or HALFTONE plans') generations, or the
        // stretch's own arguments for one that lies inside both bitmaps.
        uint64_t shape[4];
        // Written out: the defaulted one compares the array in a loop, on every stretch.
        bool operator==(const Key& other) const
        {
            return source == other.source && writes == other.writes && shape[0] == other.shape[0] &&
                   shape[1] == other.shape[1] && shape[2] == other.shape[2] &&
                   shape[3] == other.shape[3];
        }
    };

    // The rows kept under `key`, span row k at k * width, or null. Inline: a stretch found kept
    // costs little more than this.
    const uint32_t* Find(const Key& key)
    {
        size_t i = start_;
        for (size_t looked = 0; looked < filled_; ++looked) {
            const Entry& entry = entries_[i];
            i = i + 1 == filled_ ? 0 : i + 1;
            if (entry.used && entry.key == key) {
                start_ = i;
                return entry.pixels.data();
            }
        }
        return nullptr;
    }

    // Copies the block a stretch has just drawn into `dest`, `width` pixels from column `left` on
    // the rows of `ys` (those whose run in `rowRuns` is not empty, or all when it is null), and
    // keeps it under `key`; nothing is kept for an empty block or one above the size limit.
    void Keep(const Key& key, const PixelView& dest, int64_t left, Span ys, size_t width,
              const Run* rowRuns);

private:
    static constexpr size_t kEntries = 8;
    static constexpr size_t kMaxPixels = 128 * 128;
    struct Entry {
        bool used = false;
        Key key{};
        std::vector<uint32_t> pixels;
    };
    Entry entries_[kEntries];
    size_t next_ = 0;   // replaced in turn
    size_t filled_ = 0; // entries ever kept into: they fill in turn from the first
    // Where the next search starts: after the entry found last. A palette redrawn asks for its
    // stretches in the order it kept them, so each is found at the first look.
    size_t start_ = 0;
};

} // namespace gdi

#endif // PLATFORM_GDI_KEPT_STRETCHES_H
