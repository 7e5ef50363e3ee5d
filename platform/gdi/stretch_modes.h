// What each stretch mode does, one row per mode: how an axis maps destination pixels to source
// pixels and how the source pixels behind one destination pixel combine into it.
#ifndef PLATFORM_GDI_STRETCH_MODES_H
#define PLATFORM_GDI_STRETCH_MODES_H

#include <cstdint>

namespace gdi {

// How an axis of D destination and S source pixels maps, counting j and i from each side's
// first pixel.
enum class AxisRule : uint8_t {
    // D >= S: destination j shows source i = floor(((2j + 1)S - 1) / 2D), the nearest pixel
    // centre with ties going to the lower pixel.
    // D < S: destination k stands for the run of source pixels ending at
    // e(k) = floor(((2k + 2)S - D) / 2D) and starting after e(k - 1); for D == 1 the one run
    // ends at S - 2 instead, or at S - 1 when either extent is negative.
    kNearestCentre,
    // Source i = min(S - 1, (j * floor(65536 S / D) + 0x8000) >> 16) in both directions. gdi32
    // does not pick in this mode but interpolates, which is not reproduced yet. What its answers
    // show on one axis (the other unstretched), shrinking and enlarging alike:
    // - destination j sits at source position p = jS/D, not at a pixel centre; it mixes source
    //   floor(p) and floor(p) + 1 with weights 1 - frac(p) and frac(p), and from p >= S - 1 on
    //   shows the last source pixel; top byte cleared. So shrinking 5 to 2 gives A, then C and
    //   D half and half; pixels between sample points take no part.
    // - each channel is the mix rounded to nearest, exactly so whenever the mix is not a tie;
    //   ties (mix = n + 1/2) go either way, and the same frac(p) goes up for one (S, D, j) and
    //   down for another, even for channels of one pixel: at 3 -> 18, j = 9 (p = 1.5) the pair
    //   (0, 255) gives 127, (255, 0) gives 128 and (48, 85) gives 67, which no pair of 16.16
    //   weights summing to 1 yields (it takes wa >= 32770 with wb <= 32767). Neither
    //   j * floor or round(65536 S / D), 8-bit weights, nor float or double lerps fit all ties.
    // - 2 -> 1 copies the first source pixel with its top byte, as S == D does.
    // - both axes stretched: along each row first, each channel rounded to nearest, then down
    //   the columns of those rounded values, rounded again (2 or 3 square onto 3, 5, 7 square,
    //   random pixels: all 2,988 channels agree; mixing all four at once or columns first
    //   does not).
    kFixedStep,
};

// Which pixels of a shrinking run (D < S) an axis keeps.
enum class RunPick : uint8_t { kAll, kFirst, kLast };

// How the pixels behind one destination pixel become its value.
enum class Combine : uint8_t {
    kKeepLast,   // the last one read
    kAnd,        // AND of all 32 bits, alpha included
    kOr,         // OR of all 32 bits, alpha included
    kClearAlpha, // the one pixel, top byte cleared
};

struct StretchMode {
    int mode; // as SetStretchBltMode takes it
    AxisRule rule;
    RunPick columns;
    RunPick rows;
    Combine combine;

    // Whether a destination pixel behind exactly one source pixel is a plain copy of it.
    bool CopiesSinglePixels() const { return combine != Combine::kClearAlpha; }
};

// The row for a SetStretchBltMode value; null for a value that is not a mode.
const StretchMode* FindStretchMode(int mode);

// Copies that stretch neither axis take no part in the DC's mode: they go by this row.
const StretchMode& UnstretchedMode();

} // namespace gdi

#endif // PLATFORM_GDI_STRETCH_MODES_H
