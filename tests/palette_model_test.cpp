// Random sequences of calls on a real palette and on the independent model (model_palette.h),
// compared after every step, through the driver the fuzzer runs (palette_driver.h) with a seeded
// generator in place of the fuzzer's bytes.
#include "tests/palette_driver.h"

#include <gtest/gtest.h>

#include <random>

namespace {

class SeededDecisions : public Decisions {
public:
    explicit SeededDecisions(uint32_t seed) : rng_(seed) {}
    bool AtEnd() const override { return false; }
    int Range(int lo, int hi) override { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    uint16_t U16() override { return static_cast<uint16_t>(Range(0, 0xFFFF)); }
    int32_t I32() override { return static_cast<int32_t>(rng_()); }

private:
    std::mt19937 rng_;
};

TEST(PaletteModel, Random_call_sequences_match_the_model_after_every_step)
{
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SeededDecisions decisions(seed);
        const std::string failure = DrivePaletteAgainstModel(decisions, 250);
        ASSERT_EQ(failure, "") << "seed " << seed;
    }
}

} // namespace
