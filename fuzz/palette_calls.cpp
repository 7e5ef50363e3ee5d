// Palette calls decoded from the input, made on a real palette and on the model: the driver the
// model test runs with a seeded generator (tests/palette_driver.h), fed the fuzzer's bytes.
#include "fuzz/fuzz_checks.h"
#include "fuzz/fuzz_input.h"
#include "tests/palette_driver.h"

namespace {

constexpr int kMaxSteps = 400;

class InputDecisions : public Decisions {
public:
    explicit InputDecisions(FuzzInput& in) : in_(in) {}
    bool AtEnd() const override { return in_.AtEnd(); }
    int Range(int lo, int hi) override { return in_.Range(lo, hi); }
    uint16_t U16() override { return in_.U16(); }
    int32_t I32() override { return in_.I32(); }

private:
    FuzzInput& in_;
};

} // namespace

std::string CheckPaletteCalls(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    InputDecisions decisions(in);
    return DrivePaletteAgainstModel(decisions, kMaxSteps);
}
