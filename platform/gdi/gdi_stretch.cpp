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
    int64_t dest_origin; // the destination's first pixel
    int dest_step;       // +1 or -1
    int64_t source_origin;
    int source_step;
    uint64_t dest_size;   // D
    uint64_t source_size; // S
};

Axis make_axis(int64_t x, int64_t w, int64_t sx, int64_t sw)
{
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
Span dest_span(const Axis& a, int size)
{
    Span s = a.dest_step > 0
                 ? Span{a.dest_origin, a.dest_origin + static_cast<int64_t>(a.dest_size)}
                 : Span{a.dest_origin - static_cast<int64_t>(a.dest_size) + 1, a.dest_origin + 1};
    clip_span(s, size);
    return s;
}

// Source logical indices [lo, hi], kept to those inside [0, limit), as absolute pixels.
Run source_run(const Axis& a, uint64_t lo, uint64_t hi, int limit)
{
    // The logical indices whose pixels are in bounds.
    const int64_t in_lo = a.source_step > 0 ? -a.source_origin : a.source_origin - (limit - 1);
    const int64_t in_hi = a.source_step > 0 ? (limit - 1) - a.source_origin : a.source_origin;
    const int64_t from = std::max(static_cast<int64_t>(lo), in_lo);
    const int64_t to = std::min(static_cast<int64_t>(hi), in_hi);
    if (from > to)
        return {0, 0};
    return {static_cast<int>(a.source_origin + a.source_step * from),
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
    void next()
    {
        q += dq;
        r += dr;
        if (r >= den) {
            r -= den;
            ++q;
        }
    }
};

// For every destination pixel in `span`, the source run behind it, written to `runs`. Returns
// the largest run, so callers can tell a plain one-to-one gather from a combining stretch.
int map_axis(const Axis& a, Span span, int source_limit, int mode, bool keep_first,
             std::vector<Run>& runs)
{
    const size_t n = static_cast<size_t>(span.end - span.begin);
    runs.resize(n);
    const uint64_t D = a.dest_size, S = a.source_size;
    // The walk goes in the order of j; a mirrored destination fills the span from its far end.
    const uint64_t j_first = static_cast<uint64_t>(
        a.dest_step > 0 ? span.begin - a.dest_origin : a.dest_origin - (span.end - 1));
    auto slot = [&](size_t k) -> Run& { return runs[a.dest_step > 0 ? k : n - 1 - k]; };
    int widest = 0;
    auto put = [&](size_t k, Run r) {
        slot(k) = r;
        widest = std::max(widest, r.count);
    };
    if (mode == HALFTONE) {
        const uint64_t step16 = static_cast<uint64_t>((u128{S} << 16) / D);
        for (size_t k = 0; k < n; ++k) {
            const uint64_t i = static_cast<uint64_t>((u128{j_first + k} * step16 + 0x8000) >> 16);
            const uint64_t at = i < S ? i : S - 1;
            put(k, source_run(a, at, at, source_limit));
        }
    } else if (D >= S) {
        Dda i((2 * u128{j_first} + 1) * S - 1, 2 * D, 2 * S);
        for (size_t k = 0; k < n; ++k, i.next())
            put(k, source_run(a, i.q, i.q, source_limit));
    } else if (D == 1) {
        put(0, source_run(a, 0, S - 2, source_limit));
    } else {
        Dda end((2 * u128{j_first} + 2) * S - D, 2 * D, 2 * S);
        uint64_t lo =
            j_first == 0 ? 0 : static_cast<uint64_t>((2 * u128{j_first} * S - D) / (2 * D)) + 1;
        for (size_t k = 0; k < n; ++k, end.next()) {
            Run r = source_run(a, lo, end.q, source_limit);
            if (mode == COLORONCOLOR && r.count > 1)
                r = {keep_first ? r.first : r.first + a.source_step * (r.count - 1), 1};
            put(k, r);
            lo = end.q + 1;
        }
    }
    return widest;
}

// The runs of one axis, remembered with everything they were computed from, and for a one-to-one
// axis the table a gather reads: the source pixel of each destination pixel in [first, last).
struct AxisMap {
    // Where the span starts relative to the destination's first pixel, not where it lies: tools
    // of one size at different places share their runs.
    struct Key {
        int64_t span_offset, span_size, source_origin;
        uint64_t dest_size, source_size;
        int dest_step, source_step, source_limit, mode;
        bool keep_first;
        bool operator==(const Key&) const = default;
    };
    bool valid = false;
    Key key{};
    std::vector<Run> runs;
    int widest = 0;
    size_t first = 0, last = 0;
    std::vector<int> index;

    void map(const Axis& a, Span span, int source_limit, int mode, bool keep_first)
    {
        const Key k{span.begin - a.dest_origin,
                    span.end - span.begin,
                    a.source_origin,
                    a.dest_size,
                    a.source_size,
                    a.dest_step,
                    a.source_step,
                    source_limit,
                    mode,
                    keep_first};
        if (valid && k == key)
            return;
        widest = map_axis(a, span, source_limit, mode, keep_first, runs);
        key = k;
        valid = true;
        if (widest > 1)
            return;
        // Source pixels outside the bitmap drop the ends of the span only: the mapping is monotonic.
        first = 0;
        last = runs.size();
        while (first < last && runs[first].count == 0)
            ++first;
        while (last > first && runs[last - 1].count == 0)
            --last;
        index.resize(last - first);
        for (size_t i = first; i < last; ++i)
            index[i - first] = runs[i].first;
    }
};

enum class Combine { keep_last, and_all, or_all, clear_alpha };

// Callers must do clipping: every run lies inside the source and every span inside the
// destination.
template <Combine op>
void stretch_rows(const Surface& dest, Span xs, Span ys, const Surface& source,
                  const std::vector<Run>& column_runs, const std::vector<Run>& row_runs,
                  int column_step, int row_step)
{
    for (int64_t y = ys.begin; y < ys.end; ++y) {
        const Run& rows = row_runs[static_cast<size_t>(y - ys.begin)];
        if (rows.count == 0)
            continue;
        uint32_t* out = dest.row(static_cast<int>(y));
        for (int64_t x = xs.begin; x < xs.end; ++x) {
            const Run& columns = column_runs[static_cast<size_t>(x - xs.begin)];
            if (columns.count == 0)
                continue;
            uint32_t value = op == Combine::and_all ? 0xffffffffu : 0u;
            for (int r = 0; r < rows.count; ++r) {
                const uint32_t* in = source.row(rows.first + r * row_step);
                for (int c = 0; c < columns.count; ++c) {
                    const uint32_t pixel = in[columns.first + c * column_step];
                    if constexpr (op == Combine::and_all)
                        value &= pixel;
                    else if constexpr (op == Combine::or_all)
                        value |= pixel;
                    else
                        value = pixel;
                }
            }
            if constexpr (op == Combine::clear_alpha)
                value &= 0x00ffffffu;
            out[x] = value;
        }
    }
}

// Every destination pixel shows at most one source pixel (enlarging, or one pixel per run): a
// gather through the column table; columns outside it are left untouched.
// Callers must do clipping.
void gather_rows(const Surface& dest, Span xs, Span ys, const Surface& source,
                 const AxisMap& columns, const std::vector<Run>& row_runs)
{
    const size_t width = columns.last - columns.first;
    if (width == 0)
        return;
    const int* index = columns.index.data();
    // Enlarging repeats source rows: a row that shows the same source row as the one above is a
    // copy of it.
    const uint32_t* previous_in = nullptr;
    const uint32_t* previous_out = nullptr;
    for (int64_t y = ys.begin; y < ys.end; ++y) {
        const Run& r = row_runs[static_cast<size_t>(y - ys.begin)];
        if (r.count == 0)
            continue;
        const uint32_t* in = source.row(r.first);
        uint32_t* out = dest.row(static_cast<int>(y)) + xs.begin + columns.first;
        if (in == previous_in)
            std::memcpy(out, previous_out, width * sizeof *out);
        else
            for (size_t k = 0; k < width; ++k)
                out[k] = in[index[k]];
        previous_in = in;
        previous_out = out;
    }
}

BOOL stretch(HDC dest_dc, int x, int y, int w, int h, HDC source_dc, int sx, int sy, int sw, int sh,
             DWORD rop)
{
    Object* dest_object = lookup(dest_dc, Kind::dc);
    Object* source_object = lookup(source_dc, Kind::dc);
    if (!dest_object || !source_object || rop != SRCCOPY)
        return FALSE;
    const Surface dest = dc_surface(dest_dc);
    const Surface source = dc_surface(source_dc);
    if (dest.empty() || source.empty())
        return FALSE;
    if (w == 0 || h == 0 || sw == 0 || sh == 0)
        return TRUE;

    const Axis ax = make_axis(x, w, sx, sw);
    const Axis ay = make_axis(y, h, sy, sh);
    Span xs = dest_span(ax, dest.width);
    Span ys = dest_span(ay, dest.height);
    if (xs.begin >= xs.end || ys.begin >= ys.end)
        return TRUE;

    // Unstretched copies take no part in the mode.
    const bool unstretched = ax.dest_size == ax.source_size && ay.dest_size == ay.source_size;
    const int mode = unstretched ? COLORONCOLOR : dest_object->dc.stretch_mode;

    // Kept per thread: a stretch allocates nothing once these have grown, and a run of stretches
    // of one geometry (every tool of a palette, say) maps each axis once.
    struct Scratch {
        AxisMap columns, rows;
    };
    thread_local Scratch scratch;
    Scratch& s = scratch;
    s.columns.map(ax, xs, source.width, mode, false);
    s.rows.map(ay, ys, source.height, mode, true);
    const std::vector<Run>& columns = s.columns.runs;
    const std::vector<Run>& rows = s.rows.runs;

    // Copying within one bitmap reads from a snapshot, so overlap cannot feed back.
    Surface from = source;
    std::vector<uint32_t> snapshot;
    if (dest.top_row == source.top_row) {
        snapshot.resize(static_cast<size_t>(source.width) * static_cast<size_t>(source.height));
        for (int row = 0; row < source.height; ++row)
            std::memcpy(&snapshot[static_cast<size_t>(row) * static_cast<size_t>(source.width)],
                        source.row(row), static_cast<size_t>(source.width) * 4);
        from.top_row = snapshot.data();
        from.stride = source.width;
    }

    const int cs = ax.source_step, rs = ay.source_step;
    if (s.columns.widest <= 1 && s.rows.widest <= 1 && mode != HALFTONE) {
        gather_rows(dest, xs, ys, from, s.columns, rows);
    } else {
        switch (mode) {
        case BLACKONWHITE:
            stretch_rows<Combine::and_all>(dest, xs, ys, from, columns, rows, cs, rs);
            break;
        case WHITEONBLACK:
            stretch_rows<Combine::or_all>(dest, xs, ys, from, columns, rows, cs, rs);
            break;
        case HALFTONE:
            stretch_rows<Combine::clear_alpha>(dest, xs, ys, from, columns, rows, cs, rs);
            break;
        default:
            stretch_rows<Combine::keep_last>(dest, xs, ys, from, columns, rows, cs, rs);
            break;
        }
    }
    if (dest.mono)
        dest.top_row[0] = mono_pixel(dest.top_row[0]);
    return TRUE;
}

} // namespace

extern "C" {

BOOL WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
                       int source_width, int source_height, DWORD rop)
{
    const BOOL result =
        stretch(dest, x, y, width, height, source, sx, sy, source_width, source_height, rop);
    if (recording())
        emit("StretchBlt",
             {arg(dest), arg(x), arg(y), arg(width), arg(height), arg(source), arg(sx), arg(sy),
              arg(source_width), arg(source_height), arg(rop)},
             arg(result));
    return result;
}

// BitBlt is a stretch whose source has the destination's extents, negative ones included.
BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
                   DWORD rop)
{
    const BOOL result = stretch(dest, x, y, width, height, source, sx, sy, width, height, rop);
    if (recording())
        emit("BitBlt",
             {arg(dest), arg(x), arg(y), arg(width), arg(height), arg(source), arg(sx), arg(sy),
              arg(rop)},
             arg(result));
    return result;
}

} // extern "C"
