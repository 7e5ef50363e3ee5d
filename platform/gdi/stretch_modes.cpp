#include "platform/gdi/stretch_modes.h"

#include "platform/gdi/gdi.h"

namespace gdi {

namespace {

// COLORONCOLOR keeps one pixel of a run: the last column but the first row. Nothing draws by
// HALFTONE's row (a HALFTONE stretch interpolates, halftone.h, and one that stretches neither axis
// goes by UnstretchedMode()): it is here so that SetStretchBltMode accepts the mode.
constexpr StretchMode kModes[] = {
    {BLACKONWHITE, RunPick::kAll, RunPick::kAll, Combine::kAnd},
    {WHITEONBLACK, RunPick::kAll, RunPick::kAll, Combine::kOr},
    {COLORONCOLOR, RunPick::kLast, RunPick::kFirst, Combine::kKeepLast},
    {HALFTONE, RunPick::kLast, RunPick::kFirst, Combine::kKeepLast},
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
