// One-to-one stretches: each destination pixel is a copy of the source pixel the column map
// gives it, row by row.
#ifndef PLATFORM_GDI_GATHER_ROWS_H
#define PLATFORM_GDI_GATHER_ROWS_H

#include "platform/gdi/axis_map.h"

#include <vector>

namespace gdi {

// Every destination pixel shows at most one source pixel, unchanged: a gather through the column
// table; columns outside it, and rows whose run is empty, are left untouched. Callers clip: the
// maps were made for these spans and this source.
void GatherRows(const PixelView& dest, Span xs, Span ys, const PixelView& source,
                const AxisMap& columns, const std::vector<Run>& rowRuns);

// Writes rows kept from an earlier stretch with the same maps: row k of `kept`, `width` pixels, to
// row ys.begin + k from column `left`, skipping rows whose run in `rowRuns` is empty (none when
// it is null: a HALFTONE stretch writes every row). Callers clip.
void PutKeptRows(const PixelView& dest, int64_t left, Span ys, size_t width, const Run* rowRuns,
                 const uint32_t* kept);

} // namespace gdi

#endif // PLATFORM_GDI_GATHER_ROWS_H
