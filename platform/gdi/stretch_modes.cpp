#include "platform/gdi/stretch_modes.h"

#include "platform/gdi/gdi.h"

namespace gdi {

namespace {

// COLORONCOLOR keeps one pixel of a run: the last column but the first row. HALFTONE stretches
// interpolate instead (halftone.h); its row only makes it a mode SetStretchBltMode accepts.
constexpr StretchMode kModes[] = {
    {BLACKONWHITE, AxisRule::kNearestCentre, RunPick::kAll, RunPick::kAll, Combine::kAnd},
    {WHITEONBLACK, AxisRule::kNearestCentre, RunPick::kAll, RunPick::kAll, Combine::kOr},
    {COLORONCOLOR, AxisRule::kNearestCentre, RunPick::kLast, RunPick::kFirst, Combine::kKeepLast},
    {HALFTONE, AxisRule::kNearestCentre, RunPick::kAll, RunPick::kAll, Combine::kClearAlpha},
};

} // namespace

const StretchMode* FindStretchMode(int mode)
{
    for (const StretchMode& row : kModes)
        if (row.mode == mode)
            return &row;
    return nullptr;
}

const StretchMode& UnstretchedMode() { return *FindStretchMode(COLORONCOLOR); }

} // namespace gdi
