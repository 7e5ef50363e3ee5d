// What each stretch mode does, one row per mode: which source pixels of a shrinking run an axis
// keeps and how those behind one destination pixel combine into it. Every mode maps an axis of D
// destination and S source pixels alike, counting j and i from each side's first pixel:
// - D >= S: destination j shows source i = floor(((2j + 1)S - 1) / 2D), the nearest pixel centre
//   with ties going to the lower pixel;
// - D < S: destination k stands for the run of source pixels ending at
//   e(k) = floor(((2k + 2)S - D) / 2D) and starting after e(k - 1); for D == 1 the one run ends at
//   S - 2 instead, or at S - 1 when either extent is negative.
// HALFTONE stretches do not map runs but interpolate (halftone.h).
#ifndef PLATFORM_GDI_STRETCH_MODES_H
#define PLATFORM_GDI_STRETCH_MODES_H

#include <cstdint>

namespace gdi {

// Which pixels of a shrinking run (D < S) an axis keeps.
enum class RunPick : uint8_t { kAll, kFirst, kLast };

// How the pixels behind one destination pixel become its value.
enum class Combine : uint8_t {
    kKeepLast, // the last one read
    kAnd,      // AND of all 32 bits, alpha included
    kOr,       // OR of all 32 bits, alpha included
};

struct StretchMode {
    int mode; // as SetStretchBltMode takes it
    RunPick columns;
    RunPick rows;
    Combine combine;
};

// The row for a SetStretchBltMode value; null for a value that is not a mode.
const StretchMode* FindStretchMode(int mode);

// Copies that stretch neither axis take no part in the DC's mode: they go by this row.
const StretchMode& UnstretchedMode();

} // namespace gdi

#endif // PLATFORM_GDI_STRETCH_MODES_H
