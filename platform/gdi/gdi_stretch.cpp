// BitBlt and StretchBlt (SRCCOPY) between 32-bpp surfaces.
//
// Each axis is mapped on its own. A side given with a negative extent covers (x + w, x], and
// its first pixel is x, walking left (or up); when only one of source and destination is
// negative the copy is mirrored. With D destination and S source pixels on an axis, counting
// j and i from those first pixels, the mapping (derived from GDI's output) is:
//   D >= S: destination j shows source i = floor(((2j + 1)S - 1) / 2D), the nearest pixel
//           centre with ties going to the lower pixel.
//   D <  S: destination k stands for the run of source pixels ending at
//           e(k) = floor(((2k + 2)S - D) / 2D) and starting after e(k - 1); for D == 1 the one
//           run ends at S - 2 instead. BLACKONWHITE ANDs the run's pixels, WHITEONBLACK ORs
//           them and COLORONCOLOR keeps one: the last column of the run but the first row (each counted
//           among the run's pixels inside the source bitmap).
//   HALFTONE picks source i = min(S - 1, (j * floor(65536 S / D) + 0x8000) >> 16) in both
//           directions and clears the top byte. That matches GDI only for unclipped, unmirrored
//           stretches: GDI clips first in this mode and maps the clipped rectangles.
// The mapping is made on the rectangles as given; source pixels outside the source bitmap are
// then dropped, and a destination pixel left with none is not touched.
#include "platform/gdi/gdi.h"

#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/gdi_record_internal.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace gdi;

namespace {

using u128 = unsigned __int128;

// The source pixels behind one destination pixel: `count` pixels from `first`, stepping `step`.
struct Run {
    int first;
    int count;
};

struct Axis {
    int64_t dest_origin;   // the destination's first pixel
    int dest_step;         // +1 or -1
    int64_t source_origin;
    int source_step;
    uint64_t dest_size;    // D
    uint64_t source_size;  // S
};

Axis make_axis(int64_t x, int64_t w, int64_t sx, int64_t sw) {
    Axis a;
    a.dest_origin = x;
    a.dest_step = w < 0 ? -1 : 1;
    a.dest_size = static_cast<uint64_t>(w < 0 ? -w : w);
    a.source_origin = sx;
    a.source_step = sw < 0 ? -1 : 1;
    a.source_size = static_cast<uint64_t>(sw < 0 ? -sw : sw);
    return a;
}

// The destination pixels the axis covers, clipped to [0, size).
Span dest_span(const Axis& a, int size) {
    Span s = a.dest_step > 0
                 ? Span{a.dest_origin, a.dest_origin + static_cast<int64_t>(a.dest_size)}
                 : Span{a.dest_origin - static_cast<int64_t>(a.dest_size) + 1, a.dest_origin + 1};
    clip_span(s, size);
    return s;
}

// Source logical indices [lo, hi], kept to those inside [0, limit), as absolute pixels.
Run source_run(const Axis& a, uint64_t lo, uint64_t hi, int limit) {
    // The logical indices whose pixels are in bounds.
    const int64_t in_lo = a.source_step > 0 ? -a.source_origin : a.source_origin - (limit - 1);
    const int64_t in_hi = a.source_step > 0 ? (limit - 1) - a.source_origin : a.source_origin;
    const int64_t from = std::max(static_cast<int64_t>(lo), in_lo);
    const int64_t to = std::min(static_cast<int64_t>(hi), in_hi);
    if (from > to) return {0, 0};
    return {static_cast<int>(a.source_origin + a.source_step * from), static_cast<int>(to - from + 1)};
}

// For every destination pixel in `span`, the source run behind it.
std::vector<Run> map_axis(const Axis& a, Span span, int source_limit, int mode, bool keep_first) {
    std::vector<Run> runs;
    runs.reserve(static_cast<size_t>(span.end - span.begin));
    const uint64_t D = a.dest_size, S = a.source_size;
    const uint64_t step16 = static_cast<uint64_t>((u128{S} << 16) / D);
    for (int64_t p = span.begin; p < span.end; ++p) {
        const uint64_t j = static_cast<uint64_t>(a.dest_step > 0 ? p - a.dest_origin : a.dest_origin - p);
        uint64_t lo, hi;
        if (mode == HALFTONE) {
            uint64_t i = static_cast<uint64_t>((u128{j} * step16 + 0x8000) >> 16);
            lo = hi = i < S ? i : S - 1;
        } else if (D >= S) {
            lo = hi = static_cast<uint64_t>(((2 * u128{j} + 1) * S - 1) / (2 * u128{D}));
        } else {
            auto end = [&](uint64_t k) -> uint64_t {
                if (D == 1) return S - 2;
                return static_cast<uint64_t>(((2 * u128{k} + 2) * S - D) / (2 * u128{D}));
            };
            hi = end(j);
            lo = j == 0 ? 0 : end(j - 1) + 1;
            if (mode == COLORONCOLOR) {
                Run r = source_run(a, lo, hi, source_limit);
                if (r.count > 1) r = {keep_first ? r.first : r.first + a.source_step * (r.count - 1), 1};
                runs.push_back(r);
                continue;
            }
        }
        runs.push_back(source_run(a, lo, hi, source_limit));
    }
    return runs;
}

enum class Combine { keep_last, and_all, or_all, clear_alpha };

// Callers must do clipping: every run lies inside the source and every span inside the
// destination.
template <Combine op>
void stretch_rows(const Surface& dest, Span xs, Span ys, const Surface& source,
                  const std::vector<Run>& column_runs, const std::vector<Run>& row_runs, int column_step,
                  int row_step) {
    for (int64_t y = ys.begin; y < ys.end; ++y) {
        const Run& rows = row_runs[static_cast<size_t>(y - ys.begin)];
        if (rows.count == 0) continue;
        uint32_t* out = dest.row(static_cast<int>(y));
        for (int64_t x = xs.begin; x < xs.end; ++x) {
            const Run& columns = column_runs[static_cast<size_t>(x - xs.begin)];
            if (columns.count == 0) continue;
            uint32_t value = op == Combine::and_all ? 0xffffffffu : 0u;
            for (int r = 0; r < rows.count; ++r) {
                const uint32_t* in = source.row(rows.first + r * row_step);
                for (int c = 0; c < columns.count; ++c) {
                    const uint32_t pixel = in[columns.first + c * column_step];
                    if constexpr (op == Combine::and_all) value &= pixel;
                    else if constexpr (op == Combine::or_all) value |= pixel;
                    else value = pixel;
                }
            }
            if constexpr (op == Combine::clear_alpha) value &= 0x00ffffffu;
            out[x] = value;
        }
    }
}

BOOL stretch(HDC dest_dc, int x, int y, int w, int h, HDC source_dc, int sx, int sy, int sw, int sh,
             DWORD rop) {
    Object* dest_object = lookup(dest_dc, Kind::dc);
    Object* source_object = lookup(source_dc, Kind::dc);
    if (!dest_object || !source_object || rop != SRCCOPY) return FALSE;
    const Surface dest = dc_surface(dest_dc);
    const Surface source = dc_surface(source_dc);
    if (dest.empty() || source.empty()) return FALSE;
    if (w == 0 || h == 0 || sw == 0 || sh == 0) return TRUE;

    const Axis ax = make_axis(x, w, sx, sw);
    const Axis ay = make_axis(y, h, sy, sh);
    Span xs = dest_span(ax, dest.width);
    Span ys = dest_span(ay, dest.height);
    if (xs.begin >= xs.end || ys.begin >= ys.end) return TRUE;

    int mode = dest_object->dc.stretch_mode;
    // Unstretched copies take no part in the mode.
    if (ax.dest_size == ax.source_size && ay.dest_size == ay.source_size && mode != HALFTONE)
        mode = COLORONCOLOR;
    if (mode == HALFTONE && ax.dest_size == ax.source_size && ay.dest_size == ay.source_size)
        mode = COLORONCOLOR;

    const std::vector<Run> columns = map_axis(ax, xs, source.width, mode, false);
    const std::vector<Run> rows = map_axis(ay, ys, source.height, mode, true);

    // Copying within one bitmap reads from a snapshot, so overlap cannot feed back.
    Surface from = source;
    std::vector<uint32_t> snapshot;
    if (dest.top_row == source.top_row) {
        snapshot.resize(static_cast<size_t>(source.width) * static_cast<size_t>(source.height));
        for (int row = 0; row < source.height; ++row)
            std::memcpy(&snapshot[static_cast<size_t>(row) * static_cast<size_t>(source.width)], source.row(row),
                        static_cast<size_t>(source.width) * 4);
        from.top_row = snapshot.data();
        from.stride = source.width;
    }

    const int cs = ax.source_step, rs = ay.source_step;
    switch (mode) {
    case BLACKONWHITE: stretch_rows<Combine::and_all>(dest, xs, ys, from, columns, rows, cs, rs); break;
    case WHITEONBLACK: stretch_rows<Combine::or_all>(dest, xs, ys, from, columns, rows, cs, rs); break;
    case HALFTONE: stretch_rows<Combine::clear_alpha>(dest, xs, ys, from, columns, rows, cs, rs); break;
    default: stretch_rows<Combine::keep_last>(dest, xs, ys, from, columns, rows, cs, rs); break;
    }
    if (dest.mono) dest.top_row[0] = mono_pixel(dest.top_row[0]);
    return TRUE;
}

} // namespace

extern "C" {

BOOL WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
                       int source_width, int source_height, DWORD rop) {
    const BOOL result = stretch(dest, x, y, width, height, source, sx, sy, source_width, source_height, rop);
    if (recording())
        emit("StretchBlt",
             {arg(dest), arg(x), arg(y), arg(width), arg(height), arg(source), arg(sx), arg(sy),
              arg(source_width), arg(source_height), arg(rop)},
             arg(result));
    return result;
}

// BitBlt is a stretch whose source has the destination's extents, negative ones included.
BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop) {
    const BOOL result = stretch(dest, x, y, width, height, source, sx, sy, width, height, rop);
    if (recording())
        emit("BitBlt",
             {arg(dest), arg(x), arg(y), arg(width), arg(height), arg(source), arg(sx), arg(sy), arg(rop)},
             arg(result));
    return result;
}

} // extern "C"
