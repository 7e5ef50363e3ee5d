#include "platform/gdi/kept_stretches.h"

#include "platform/gdi/row_ops.h"

#include <new>

namespace gdi {

void KeptStretches::Keep(const Key& key, const PixelView& dest, int64_t left, Span ys, size_t width,
                         const Run* rowRuns)
{
    const size_t height = static_cast<size_t>(ys.end - ys.begin);
    if (width == 0 || width * height > kMaxPixels)
        return;
    Entry& entry = entries_[next_];
    if (next_ == filled_)
        ++filled_;
    next_ = (next_ + 1) % kEntries;
    entry.used = false; // until its pixels are in
    try {
        entry.pixels.resize(width * height);
    } catch (const std::bad_alloc&) {
        return; // the stretch has drawn; it is only not kept
    }
    for (size_t k = 0; k < height; ++k)
        if (!rowRuns || rowRuns[k].count)
            CopyRow(&entry.pixels[k * width],
                    dest.Row(static_cast<int>(ys.begin) + static_cast<int>(k)) + left, width);
    entry.key = key;
    entry.used = true;
}

} // namespace gdi
