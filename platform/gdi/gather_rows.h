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

// Writes rows kept from an earlier gather with the same maps: row k of `kept` (as wide as the
// gather) to span row k, skipping rows whose run is empty. Callers clip, as for GatherRows.
void PutKeptRows(const PixelView& dest, Span xs, Span ys, const AxisMap& columns,
                 const std::vector<Run>& rowRuns, const uint32_t* kept);

} // namespace gdi

#endif // PLATFORM_GDI_GATHER_ROWS_H
