// BitBlt and StretchBlt (SRCCOPY) between 32-bpp surfaces. Each axis is mapped on its own (see
// axis_map.h); the DC's stretch mode says how (see stretch_modes.h).
#include "platform/gdi/gdi.h"

#include "platform/gdi/axis_map.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/gather_rows.h"
#include "platform/gdi/halftone.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/kept_stretches.h"
#include "platform/gdi/recorder_hooks.h"
#include "platform/gdi/selection.h"

#include <cassert>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

using namespace gdi;

namespace {

// Every run lies inside the source and every span inside the destination.
[[maybe_unused]] bool Clipped(const PixelView& dest, Span xs, Span ys, const PixelView& source,
                              const AxisMap& columns, const AxisMap& rows, int columnStep,
                              int rowStep)
{
    if (!dest.Holds(xs.begin, ys.begin, xs.end, ys.end))
        return false;
    auto inside = [](const Run& r, int step, int size) {
        const int64_t last = r.first + int64_t{step} * (r.count - 1);
        return r.count == 0 || (r.first >= 0 && r.first < size && last >= 0 && last < size);
    };
    for (const Run& r : columns.Runs())
        if (!inside(r, columnStep, source.width))
            return false;
    for (const Run& r : rows.Runs())
        if (!inside(r, rowStep, source.height))
            return false;
    return true;
}

// Callers clip.
template <Combine op>
void CombineRows(const PixelView& dest, Span xs, Span ys, const PixelView& source,
                 const std::vector<Run>& columnRuns, const std::vector<Run>& rowRuns,
                 int columnStep, int rowStep)
{
    for (int64_t y = ys.begin; y < ys.end; ++y) {
        const Run& rows = rowRuns[static_cast<size_t>(y - ys.begin)];
        if (rows.count == 0)
            continue;
        uint32_t* out = dest.Row(static_cast<int>(y));
        for (int64_t x = xs.begin; x < xs.end; ++x) {
            const Run& columns = columnRuns[static_cast<size_t>(x - xs.begin)];
            if (columns.count == 0)
                continue;
            uint32_t value = op == Combine::kAnd ? 0xffffffffu : 0u;
            for (int r = 0; r < rows.count; ++r) {
                const uint32_t* in = source.Row(rows.first + r * rowStep);
                for (int c = 0; c < columns.count; ++c) {
                    const uint32_t pixel = in[columns.first + c * columnStep];
                    if constexpr (op == Combine::kAnd)
                        value &= pixel;
                    else if constexpr (op == Combine::kOr)
                        value |= pixel;
                    else
                        value = pixel;
                }
            }
            out[x] = value;
        }
    }
}

using CombineRowsFn = void (*)(const PixelView&, Span, Span, const PixelView&,
                               const std::vector<Run>&, const std::vector<Run>&, int, int);

// Indexed by Combine.
constexpr CombineRowsFn kCombineRows[] = {
    &CombineRows<Combine::kKeepLast>,
    &CombineRows<Combine::kAnd>,
    &CombineRows<Combine::kOr>,
};

// Kept per thread: a stretch allocates nothing once these have grown, and a run of stretches of
// one geometry (every tool of a palette, say) maps each axis once.
struct Scratch {
    AxisMap columns, rows;
    KeptStretches kept, keptWhole, keptHalftone;
    HalftoneAxis halftoneColumns, halftoneRows;
    HalftoneRows halftonePass;
};

// Read on every stretch: a pointer in the static TLS block costs one load, where the dynamic TLS
// model of a shared library costs a call. The owner frees the scratch when the thread ends.
[[gnu::tls_model("initial-exec")]] thread_local Scratch* threadScratch = nullptr;
struct ScratchOwner {
    std::unique_ptr<Scratch> scratch;
    ~ScratchOwner() { threadScratch = nullptr; }
};
thread_local ScratchOwner scratchOwner;

Scratch& ThreadScratch()
{
    if (Scratch* s = threadScratch)
        return *s;
    scratchOwner.scratch = std::make_unique<Scratch>();
    threadScratch = scratchOwner.scratch.get();
    return *threadScratch;
}

// A stretch lying inside both bitmaps draws the whole of its destination rectangle (when no
// destination pixel combines several source pixels, and when HALFTONE interpolates), the same
// wherever that lies: it is kept by its own arguments, whose key this makes, and found again before
// any axis is mapped or planned. Kept stretches read a source whose writes are counted, and not the
// destination itself.
// `xRect` and `yRect` receive the destination rectangle when it returns true. Inline: its axes are
// the ones a kept stretch is put back by.
[[gnu::always_inline]] inline bool WholeKey(const GdiObject& destObject,
                                            const GdiObject& sourceObject, int x, int y, int w,
                                            int h, int sx, int sy, int sw, int sh,
                                            KeptStretches::Key& key, Span& xRect, Span& yRect)
{
    const PixelView& dest = destObject.dc.view;
    const PixelView& source = sourceObject.dc.view;
    if (!source.writes || dest.topRow == source.topRow)
        return false;
    const Axis ax = MakeAxis(x, w, sx, sw), ay = MakeAxis(y, h, sy, sh);
    xRect = DestRect(ax);
    yRect = DestRect(ay);
    if (!dest.Holds(xRect.begin, yRect.begin, xRect.end, yRect.end) ||
        !SourceInside(ax, source.width) || !SourceInside(ay, source.height))
        return false;
    // Which path draws it: HALFTONE interpolates all but copies of equal extents, which like every
    // mode's unstretched copies go by one row.
    const int mode = destObject.dc.stretchMode;
    const bool unstretched = ax.destSize == ax.sourceSize && ay.destSize == ay.sourceSize;
    const bool halftone = mode == HALFTONE && (w != sw || h != sh);
    const unsigned path = halftone ? HALFTONE : unstretched ? 0u : static_cast<unsigned>(mode);
    const auto pair = [](int a, int b) {
        return uint64_t{static_cast<uint32_t>(a)} << 32 | static_cast<uint32_t>(b);
    };
    key = {source.serial, *source.writes, {pair(w, h), pair(sx, sy), pair(sw, sh), path}};
    return true;
}

// The stretch not found kept whole: its own frame, so that finding one stays cheap. `wholeKey` is
// WholeKey()'s, or null when it made none.
[[gnu::noinline]] BOOL StretchMapped(const GdiObject* destObject, const GdiObject* sourceObject,
                                     int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                                     Scratch& s, const KeptStretches::Key* wholeKey)
{
    const PixelView& dest = destObject->dc.view;
    const PixelView& source = sourceObject->dc.view;
    Axis ax = MakeAxis(x, w, sx, sw);
    Axis ay = MakeAxis(y, h, sy, sh);
    const bool unstretched = ax.destSize == ax.sourceSize && ay.destSize == ay.sourceSize;
    // HALFTONE copies only extents equal with their signs; a mirrored copy goes through its
    // interpolation and loses the top byte.
    const bool halftone = destObject->dc.stretchMode == HALFTONE && (w != sw || h != sh);
    const Span xRect = DestRect(ax), yRect = DestRect(ay);
    // What is kept reads a source whose writes are counted, and not the destination itself.
    const bool keepable = source.writes && dest.topRow != source.topRow;
    // Clipped here once: the loops below touch only pixels inside both bitmaps.
    Span xs = xRect, ys = yRect;
    if (!ClipSpan(xs, dest.width) || !ClipSpan(ys, dest.height))
        return TRUE;
    const StretchMode& mode =
        unstretched ? UnstretchedMode() : *FindStretchMode(destObject->dc.stretchMode);
    if (halftone) {
        if (!s.halftoneColumns.Plan(x, w, sx, sw, dest.width, source.width) ||
            !s.halftoneRows.Plan(y, h, sy, sh, dest.height, source.height))
            return TRUE;
    } else if (SourceInside(ax, source.width) && SourceInside(ay, source.height)) {
        // Nothing more to clip, and every pixel of the spans is drawn.
        s.columns.Map(ax, xs, source.width, mode.columns);
        s.rows.Map(ay, ys, source.height, mode.rows);
    } else {
        // A moved axis draws only where its destination rectangle and its moved mapping meet.
        if (ClipSource(ax, source.width))
            xs = Intersect(xs, DestRect(ax));
        if (ClipSource(ay, source.height))
            ys = Intersect(ys, DestRect(ay));
        // Whether an axis draws nothing: its span is empty, or all of it lies past the source.
        auto mapsNothing = [&](AxisMap& map, const Axis& a, Span span, int limit, RunPick pick) {
            if (span.begin >= span.end)
                return true;
            map.Map(a, span, limit, pick);
            return map.Widest() == 0;
        };
        const bool columnsNone = mapsNothing(s.columns, ax, xs, source.width, mode.columns);
        const bool rowsNone = mapsNothing(s.rows, ay, ys, source.height, mode.rows);
        if (columnsNone || rowsNone) {
            // Whether gdi32 calls drawing nothing a failure depends on how it clipped.
            const bool fails =
                !unstretched &&
                ((columnsNone && FailsAtSurfaceEdge(ax, xRect, dest.width, source.width)) ||
                 (rowsNone && FailsAtSurfaceEdge(ay, yRect, dest.height, source.height)));
            return fails ? FALSE : TRUE;
        }
    }

    // Copying within one bitmap reads from a snapshot, so overlap cannot feed back.
    PixelView from = source;
    std::vector<uint32_t> snapshot;
    if (dest.topRow == source.topRow) {
        snapshot.resize(static_cast<size_t>(source.width) * static_cast<size_t>(source.height));
        for (int row = 0; row < source.height; ++row)
            std::memcpy(&snapshot[static_cast<size_t>(row) * static_cast<size_t>(source.width)],
                        source.Row(row), static_cast<size_t>(source.width) * 4);
        from.topRow = snapshot.data();
        from.stride = source.width;
    }

    dest.NoteWrite();
    const int cs = ax.sourceStep, rs = ay.sourceStep;
    if (halftone) {
        // Only interpolated blocks are kept: a HALFTONE copy may stop short of its rectangle.
        const HalftoneAxis &columns = s.halftoneColumns, &rows = s.halftoneRows;
        if (!keepable || (columns.copies && rows.copies)) {
            HalftoneStretch(dest, from, columns, rows, s.halftonePass);
        } else if (wholeKey) {
            // Nothing was cut: the plans cover the rectangle.
            assert(columns.begin == xRect.begin && columns.end == xRect.end);
            assert(rows.begin == yRect.begin && rows.end == yRect.end);
            HalftoneStretch(dest, from, columns, rows, s.halftonePass);
            s.keptWhole.Keep(*wholeKey, dest, xRect.begin, yRect, ax.destSize, nullptr);
        } else {
            const KeptStretches::Key key{
                source.serial, *source.writes, {columns.Generation(), rows.Generation(), 0, 0}};
            const Span block{rows.begin, rows.end};
            if (const uint32_t* kept = s.keptHalftone.Find(key)) {
                PutKeptRows(dest, columns.begin, block, columns.taps.size(), nullptr, kept);
            } else {
                HalftoneStretch(dest, from, columns, rows, s.halftonePass);
                s.keptHalftone.Keep(key, dest, columns.begin, block, columns.taps.size(), nullptr);
            }
        }
    } else {
        assert(Clipped(dest, xs, ys, from, s.columns, s.rows, cs, rs));
        if (s.columns.Widest() <= 1 && s.rows.Widest() <= 1) {
            if (!keepable) {
                GatherRows(dest, xs, ys, from, s.columns, s.rows.Runs());
            } else if (wholeKey) {
                // Every pixel of the rectangle shows one: the source is not cut on either axis.
                assert(s.columns.First() == 0 && s.columns.Last() == ax.destSize);
                assert(s.rows.First() == 0 && s.rows.Last() == ay.destSize);
                GatherRows(dest, xs, ys, from, s.columns, s.rows.Runs());
                s.keptWhole.Keep(*wholeKey, dest, xRect.begin, yRect, ax.destSize, nullptr);
            } else {
                const KeptStretches::Key key{source.serial,
                                             *source.writes,
                                             {s.columns.Generation(), s.rows.Generation(), 0, 0}};
                const int64_t left = xs.begin + static_cast<int64_t>(s.columns.First());
                const size_t width = s.columns.Last() - s.columns.First();
                if (const uint32_t* kept = s.kept.Find(key)) {
                    PutKeptRows(dest, left, ys, width, s.rows.Runs().data(), kept);
                } else {
                    GatherRows(dest, xs, ys, from, s.columns, s.rows.Runs());
                    s.kept.Keep(key, dest, left, ys, width, s.rows.Runs().data());
                }
            }
        } else
            kCombineRows[static_cast<int>(mode.combine)](dest, xs, ys, from, s.columns.Runs(),
                                                         s.rows.Runs(), cs, rs);
    }
    if (dest.mono)
        dest.topRow[0] = StoredPixel(dest, dest.topRow[0]);
    return TRUE;
}

BOOL Stretch(HDC destDc, int x, int y, int w, int h, HDC sourceDc, int sx, int sy, int sw, int sh,
             DWORD rop)
{
    const GdiObject* destObject = Lookup(destDc, Kind::kDc);
    const GdiObject* sourceObject = Lookup(sourceDc, Kind::kDc);
    if (!destObject || !sourceObject || rop != SRCCOPY)
        return FALSE;
    const PixelView& dest = destObject->dc.view;
    if (dest.Empty() || sourceObject->dc.view.Empty())
        return FALSE;
    if (w == 0 || h == 0 || sw == 0 || sh == 0)
        return TRUE;
    Scratch& s = ThreadScratch();
    KeptStretches::Key key;
    Span xRect, yRect;
    if (!WholeKey(*destObject, *sourceObject, x, y, w, h, sx, sy, sw, sh, key, xRect, yRect))
        return StretchMapped(destObject, sourceObject, x, y, w, h, sx, sy, sw, sh, s, nullptr);
    const uint32_t* kept = s.keptWhole.Find(key);
    if (!kept)
        return StretchMapped(destObject, sourceObject, x, y, w, h, sx, sy, sw, sh, s, &key);
    dest.NoteWrite();
    PutKeptRows(dest, xRect.begin, yRect, static_cast<size_t>(xRect.end - xRect.begin), nullptr,
                kept);
    if (dest.mono)
        dest.topRow[0] = StoredPixel(dest, dest.topRow[0]);
    return TRUE;
}

// Every allocation a stretch makes (its scratch, the axis maps, a snapshot) comes before the first
// pixel is written, so running out of memory fails the call with nothing drawn.
BOOL StretchOrFail(HDC destDc, int x, int y, int w, int h, HDC sourceDc, int sx, int sy, int sw,
                   int sh, DWORD rop) noexcept
{
    try {
        return Stretch(destDc, x, y, w, h, sourceDc, sx, sy, sw, sh, rop);
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
}

} // namespace

extern "C" {

BOOL WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
                       int sourceWidth, int sourceHeight, DWORD rop) noexcept
{
    const BOOL result =
        StretchOrFail(dest, x, y, width, height, source, sx, sy, sourceWidth, sourceHeight, rop);
    if (Recording())
        Report("StretchBlt", result, dest, x, y, width, height, source, sx, sy, sourceWidth,
               sourceHeight, rop);
    return result;
}

// BitBlt is a stretch whose source has the destination's extents, negative ones included.
BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
                   DWORD rop) noexcept
{
    const BOOL result =
        StretchOrFail(dest, x, y, width, height, source, sx, sy, width, height, rop);
    if (Recording())
        Report("BitBlt", result, dest, x, y, width, height, source, sx, sy, rop);
    return result;
}

} // extern "C"
