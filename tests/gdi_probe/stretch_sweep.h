// StretchBlt swept systematically, in every stretch mode: every source size 1..8 against every
// destination size -8..8 on one axis and on both, and source and destination rectangles that
// reach past their bitmaps. One line per stretch, in a compact form: each destination pixel is
// '.' when untouched, the digit of the source pixel it equals, or its value in brackets.
#ifndef TESTS_GDI_PROBE_STRETCH_SWEEP_H
#define TESTS_GDI_PROBE_STRETCH_SWEEP_H

#include "tests/gdi_probe/probe_support.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace gdiprobe {

// Source pixel `index` (row-major): every byte, the top one included, differs from the same byte
// of every other source pixel (the multipliers are odd), so any mix-up of channels, pixels or
// weights shows.
inline uint32_t sweep_pixel(int index)
{
    const uint32_t i = static_cast<uint32_t>(index) + 1;
    return ((i * 0x25u + 0x10u) & 0xffu) << 24 | ((i * 0x4bu + 0x33u) & 0xffu) << 16 |
           ((i * 0x6du + 0x07u) & 0xffu) << 8 | ((i * 0x13u + 0x5cu) & 0xffu);
}

constexpr uint32_t kSweepBackground = 0xeeeeeeeeu;
constexpr char kSweepDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

struct SweepStretch {
    int sourceWidth, sourceHeight; // source bitmap
    int sx, sy, sw, sh;            // source rectangle
    int destWidth, destHeight;     // destination bitmap
    int dx, dy, dw, dh;            // destination rectangle
};

inline std::string compact_pixels(const uint32_t* bits, int width, int height, int sourceCount)
{
    std::string text;
    for (int y = 0; y < height; ++y) {
        if (y)
            text += '/';
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = bits[y * width + x];
            int index = 0;
            while (index < sourceCount && sweep_pixel(index) != pixel)
                ++index;
            char cell[12];
            if (pixel == kSweepBackground)
                text += '.';
            else if (index < sourceCount && index < 64)
                text += kSweepDigits[index];
            else {
                snprintf(cell, sizeof cell, "[%08x]", static_cast<unsigned>(pixel));
                text += cell;
            }
        }
    }
    return text;
}

// One stretch's line: the geometry, the result and the destination.
inline void print_sweep_line(Out& out, const SweepStretch& g, int result, const uint32_t* bits)
{
    out.line(
        "%dx%d %d,%d,%d,%d -> %dx%d %d,%d,%d,%d = %d %s", g.sourceWidth, g.sourceHeight, g.sx, g.sy,
        g.sw, g.sh, g.destWidth, g.destHeight, g.dx, g.dy, g.dw, g.dh, result,
        compact_pixels(bits, g.destWidth, g.destHeight, g.sourceWidth * g.sourceHeight).c_str());
}

// Runs one stretch and prints its line.
inline void run_sweep_stretch(Out& out, const SweepStretch& g, int mode)
{
    MemoryDib source = make_memory_dib(g.sourceWidth, g.sourceHeight, 0);
    const int count = g.sourceWidth * g.sourceHeight;
    for (int i = 0; i < count; ++i)
        source.bits[i] = sweep_pixel(i);
    MemoryDib dest = make_memory_dib(g.destWidth, g.destHeight, kSweepBackground);
    SetStretchBltMode(dest.dc, mode);
    const BOOL r =
        StretchBlt(dest.dc, g.dx, g.dy, g.dw, g.dh, source.dc, g.sx, g.sy, g.sw, g.sh, SRCCOPY);
    GdiFlush();
    print_sweep_line(out, g, r, dest.bits);
    free_memory_dib(dest);
    free_memory_dib(source);
}

// FNV-1a, 64 bits: the digest long sweeps print in place of their text.
inline uint64_t sweep_digest(const std::string& text)
{
    uint64_t hash = 0xcbf29ce484222325u;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3u;
    }
    return hash;
}

// What a long sweep prints: its whole text with --full, otherwise its digest.
inline void print_sweep(Out& out, const Out& all)
{
    if (out.full)
        out.text += all.text;
    else
        out.line("digest %016llx", static_cast<unsigned long long>(sweep_digest(all.text)));
}

// The same stretch with its axes exchanged, to sweep rows the way a sweep written for columns
// sweeps columns.
inline void transpose(SweepStretch& g)
{
    std::swap(g.sourceWidth, g.sourceHeight);
    std::swap(g.sx, g.sy);
    std::swap(g.sw, g.sh);
    std::swap(g.destWidth, g.destHeight);
    std::swap(g.dx, g.dy);
    std::swap(g.dw, g.dh);
}

// The same pixels of one axis walked the other way: the origin moves to the last pixel and the
// extent turns negative (mirrored).
inline void reverse_extent(int& origin, int& extent)
{
    origin += extent - 1;
    extent = -extent;
}

// Places a destination extent of `size` (negative: mirrored) on an axis with a margin pixel either
// side, so a pixel written off the nominal rectangle shows: the origin, and the axis's length.
inline void place_on_axis(int size, int& origin, int& length)
{
    const int magnitude = size < 0 ? -size : size;
    origin = size < 0 ? 1 + magnitude : 1;
    length = magnitude + 2;
}

inline const char* const* stretch_mode_names()
{
    static const char* const names[] = {"", "BLACKONWHITE", "WHITEONBLACK", "COLORONCOLOR",
                                        "HALFTONE"};
    return names;
}

// One axis (0: columns, 1: rows): every source size 1..8 against every destination size -8..8,
// the other axis one pixel, unstretched.
inline std::vector<SweepStretch> axis_sweep(int axis)
{
    std::vector<SweepStretch> all;
    for (int s = 1; s <= 8; ++s)
        for (int d = -8; d <= 8; ++d) {
            SweepStretch g{s, 1, 0, 0, s, 1, 0, 1, 0, 0, 0, 1};
            place_on_axis(d, g.dx, g.destWidth);
            g.dw = d;
            if (axis)
                transpose(g);
            all.push_back(g);
        }
    return all;
}

// Both axes: one source size against every destination size -8..8 on each.
inline std::vector<SweepStretch> both_axes_sweep(int sw, int sh)
{
    std::vector<SweepStretch> all;
    for (int dw = -8; dw <= 8; ++dw)
        for (int dh = -8; dh <= 8; ++dh) {
            SweepStretch g{sw, sh, 0, 0, sw, sh, 0, 0, 0, 0, dw, dh};
            place_on_axis(dw, g.dx, g.destWidth);
            place_on_axis(dh, g.dy, g.destHeight);
            all.push_back(g);
        }
    return all;
}

// One axis (0: columns, 1: rows) past both bitmaps, extents positive: a 5-pixel source at every
// origin -5..5 with every extent 1..8, onto an 8-pixel destination at every origin -3..9 with
// every extent 1..10, the other axis one pixel, unstretched. Which pixels a cut source leaves,
// and when a stretch that draws nothing fails. Mirrored copies past the bitmap are the Clip
// sweeps' part.
inline std::vector<SweepStretch> clip_axis_sweep(int axis)
{
    std::vector<SweepStretch> all;
    for (int sx = -5; sx <= 5; ++sx)
        for (int sw = 1; sw <= 8; ++sw)
            for (int dx = -3; dx <= 9; ++dx)
                for (int dw = 1; dw <= 10; ++dw) {
                    SweepStretch g{5, 1, sx, 0, sw, 1, 8, 1, dx, 0, dw, 1};
                    if (axis)
                        transpose(g);
                    all.push_back(g);
                }
    return all;
}

inline std::vector<ProbeCase> sweep_cases()
{
    std::vector<ProbeCase> cases;
    for (int mode = BLACKONWHITE; mode <= HALFTONE; ++mode) {
        const std::string modeName = stretch_mode_names()[mode];
        // One axis: the other is one pixel, unstretched.
        for (int axis = 0; axis < 2; ++axis) {
            cases.push_back(
                {std::string("Sweep.") + (axis ? "y." : "x.") + modeName, [mode, axis](Out& out) {
                     for (const SweepStretch& g : axis_sweep(axis))
                         run_sweep_stretch(out, g, mode);
                 }});
        }
        // Both axes: each source size, every destination; a digest per source size.
        for (int sw = 1; sw <= 8; ++sw)
            for (int sh = 1; sh <= 8; ++sh) {
                cases.push_back(
                    {"Sweep.xy." + modeName + "." + std::to_string(sw) + "x" + std::to_string(sh),
                     [mode, sw, sh](Out& out) {
                         Out all;
                         for (const SweepStretch& g : both_axes_sweep(sw, sh))
                             run_sweep_stretch(all, g, mode);
                         print_sweep(out, all);
                     }});
            }
        // One axis past both bitmaps, extents positive; a digest per axis.
        for (int axis = 0; axis < 2; ++axis)
            cases.push_back({std::string("ClipAxis.") + (axis ? "y." : "x.") + modeName,
                             [mode, axis](Out& out) {
                                 Out all;
                                 for (const SweepStretch& g : clip_axis_sweep(axis))
                                     run_sweep_stretch(all, g, mode);
                                 print_sweep(out, all);
                             }});
        // Origins that clip: source rectangles reaching past a 5x4 bitmap on either side (and
        // mirrored) meet destination rectangles past a 7x6 one, on both axes at once; a digest
        // per source column placement.
        struct Extent {
            int origin, size;
        };
        static const Extent sourceX[] = {{-2, 4}, {3, 4}, {1, -3}, {6, -5}, {-1, 7}, {2, 2}};
        for (const Extent& sx : sourceX) {
            cases.push_back({"Clip." + modeName + "." + std::to_string(sx.origin) + "," +
                                 std::to_string(sx.size),
                             [mode, sx](Out& out) {
                                 const Extent sourceY[] = {{-1, 3}, {2, 3}, {3, -4}, {5, -6}};
                                 const Extent destX[] = {{-3, 5},  {4, 5}, {2, -4}, {8, -6},
                                                         {-2, 10}, {3, 1}, {5, -1}};
                                 const Extent destY[] = {{-2, 4}, {4, 3}, {1, -3}, {7, -8}};
                                 Out all;
                                 for (const Extent& sy : sourceY)
                                     for (const Extent& dx : destX)
                                         for (const Extent& dy : destY)
                                             run_sweep_stretch(all,
                                                               {5, 4, sx.origin, sy.origin, sx.size,
                                                                sy.size, 7, 6, dx.origin, dy.origin,
                                                                dx.size, dy.size},
                                                               mode);
                                 print_sweep(out, all);
                             }});
        }
    }
    return cases;
}

// HALFTONE on one axis (the other one pixel, unstretched) with rectangles that reach past either
// bitmap, each side forward or mirrored: every source extent 1..6 and destination extent 1..9
// placed at every origin that keeps some of it on a 6-pixel source and an 8-pixel destination;
// a digest per axis and pair of signs. Left out: plain copies (equal extents of one sign), which
// take no part in the mode, and a mirrored copy whose source rectangle reaches
// past its bitmap, where gdi32 reads pixels outside the source and answers differently from run
// to run.
inline std::vector<ProbeCase> halftone_clip_cases()
{
    std::vector<ProbeCase> cases;
    static const char* const signs[] = {"forward", "dest_mirrored", "source_mirrored",
                                        "both_mirrored"};
    for (int axis = 0; axis < 2; ++axis)
        for (int sign = 0; sign < 4; ++sign) {
            cases.push_back({std::string("HalftoneClip.") + (axis ? "y." : "x.") + signs[sign],
                             [axis, sign](Out& out) {
                                 const bool destMirrored = sign & 1, sourceMirrored = sign & 2;
                                 Out all;
                                 for (int s = 1; s <= 6; ++s)
                                     for (int d = 1; d <= 9; ++d)
                                         for (int sourceLeft = 1 - s; sourceLeft <= 5; ++sourceLeft)
                                             for (int destLeft = std::max(-3, 1 - d); destLeft <= 7;
                                                  ++destLeft) {
                                                 const bool past =
                                                     sourceLeft < 0 || sourceLeft + s > 6;
                                                 if ((past && destMirrored != sourceMirrored) ||
                                                     (s == d && destMirrored == sourceMirrored))
                                                     continue;
                                                 SweepStretch g{6, 1, sourceLeft, 0, s, 1,
                                                                8, 1, destLeft,   0, d, 1};
                                                 if (sourceMirrored)
                                                     reverse_extent(g.sx, g.sw);
                                                 if (destMirrored)
                                                     reverse_extent(g.dx, g.dw);
                                                 if (axis)
                                                     transpose(g);
                                                 run_sweep_stretch(all, g, HALFTONE);
                                             }
                                 print_sweep(out, all);
                             }});
        }
    // Copies on both axes: 2 onto 1 on one axis, equal extents of one sign (1..6, forward or both
    // mirrored) on the other, whose destination reaches past its bitmap: the copy steps from where
    // the cut leaves the source. Sources stay inside the bitmap: past it gdi32 reads beyond it.
    for (int axis = 0; axis < 2; ++axis)
        cases.push_back(
            {std::string("HalftoneClip.") + (axis ? "y" : "x") + ".copies", [axis](Out& out) {
                 Out all;
                 for (int mirrored = 0; mirrored < 2; ++mirrored)
                     for (int s = 1; s <= 6; ++s)
                         for (int sourceLeft = 0; sourceLeft + s <= 6; ++sourceLeft)
                             for (int destLeft = 1 - s; destLeft <= 7; ++destLeft) {
                                 SweepStretch g{6, 2, sourceLeft, 0, s, 2, 8, 1, destLeft, 0, s, 1};
                                 if (mirrored) {
                                     reverse_extent(g.sx, g.sw);
                                     reverse_extent(g.dx, g.dw);
                                 }
                                 if (axis)
                                     transpose(g);
                                 run_sweep_stretch(all, g, HALFTONE);
                             }
                 print_sweep(out, all);
             }});
    return cases;
}

} // namespace gdiprobe

#endif // TESTS_GDI_PROBE_STRETCH_SWEEP_H
