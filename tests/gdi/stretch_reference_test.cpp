// The stretch reference model against real GDI's recorded sweeps: every stretch it claims to model
// must come out as gdi32 drew it, line for line (or digest for digest), so its rules are the rules.
#include "tests/gdi/probe_recording.h"
#include "tests/gdi_probe/stretch_reference.h"
#include "tests/gdi_probe/stretch_sweep.h"

#include <gtest/gtest.h>

namespace {

using gdiprobe::SweepStretch;

// One sweep drawn by the model, printed as the probe prints it; false if the model declines one.
bool ModelSweep(const std::vector<SweepStretch>& sweep, int mode, gdiprobe::Out& out)
{
    for (const SweepStretch& g : sweep) {
        stretchref::Bitmap source{g.sourceWidth, g.sourceHeight, {}};
        for (int i = 0; i < g.sourceWidth * g.sourceHeight; ++i)
            source.pixels.push_back(gdiprobe::sweep_pixel(i));
        stretchref::Bitmap dest{g.destWidth, g.destHeight, {}};
        dest.pixels.assign(static_cast<size_t>(g.destWidth * g.destHeight),
                           gdiprobe::kSweepBackground);
        if (!stretchref::Stretch(dest, g.dx, g.dy, g.dw, g.dh, source, g.sx, g.sy, g.sw, g.sh,
                                 mode))
            return false;
        gdiprobe::print_sweep_line(out, g, 1, dest.pixels.data());
    }
    return true;
}

std::string Recorded(const std::string& name)
{
    const auto it = RecordedProbe().find(name);
    return it == RecordedProbe().end() ? "(not recorded)" : it->second;
}

class StretchReference : public testing::TestWithParam<int> {};

TEST_P(StretchReference, One_axis_sweeps_match_real_gdi_line_for_line)
{
    const int mode = GetParam();
    for (int axis = 0; axis < 2; ++axis) {
        const std::string name =
            std::string("Sweep.") + (axis ? "y." : "x.") + gdiprobe::stretch_mode_names()[mode];
        gdiprobe::Out out;
        ASSERT_TRUE(ModelSweep(gdiprobe::axis_sweep(axis), mode, out)) << name;
        EXPECT_EQ(Recorded(name), out.text) << name;
    }
}

TEST_P(StretchReference, Both_axes_sweeps_match_real_gdi_digest_for_digest)
{
    const int mode = GetParam();
    int differing = 0;
    for (int sw = 1; sw <= 8; ++sw)
        for (int sh = 1; sh <= 8; ++sh) {
            gdiprobe::Out all, out;
            ASSERT_TRUE(ModelSweep(gdiprobe::both_axes_sweep(sw, sh), mode, all));
            out.line("digest %016llx",
                     static_cast<unsigned long long>(gdiprobe::sweep_digest(all.text)));
            const std::string name = std::string("Sweep.xy.") +
                                     gdiprobe::stretch_mode_names()[mode] + "." +
                                     std::to_string(sw) + "x" + std::to_string(sh);
            if (Recorded(name) != out.text && differing++ < 3)
                ADD_FAILURE() << name << " differs";
        }
    EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, StretchReference,
                         testing::Values(stretchref::kBlackOnWhite, stretchref::kWhiteOnBlack,
                                         stretchref::kColorOnColor),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(gdiprobe::stretch_mode_names()[info.param]);
                         });

// The cases it leaves to further probing are declined, not drawn by a guess.
TEST(StretchReferenceLimits, Halftone_and_mirrored_clipped_sources_are_declined)
{
    stretchref::Bitmap source{4, 1, {1, 2, 3, 4}};
    stretchref::Bitmap dest{6, 1, std::vector<uint32_t>(6, 0)};
    EXPECT_FALSE(stretchref::Stretch(dest, 0, 0, 6, 1, source, 0, 0, 4, 1, stretchref::kHalftone));
    EXPECT_FALSE(
        stretchref::Stretch(dest, 5, 0, -6, 1, source, -1, 0, 4, 1, stretchref::kColorOnColor));
    EXPECT_EQ(dest.pixels, std::vector<uint32_t>(6, 0));
    EXPECT_TRUE(
        stretchref::Stretch(dest, 5, 0, -6, 1, source, 0, 0, 4, 1, stretchref::kColorOnColor));
    EXPECT_EQ(dest.pixels, (std::vector<uint32_t>{4, 3, 3, 2, 1, 1}));
}

} // namespace
