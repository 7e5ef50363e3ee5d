// Palette calls chosen by a stream of decisions, made on a real palette and on the model
// (model_palette.h), and compared after every step: the whole tool list (order, handles, ids,
// states, rectangles), every answer, the attributes the palette stores for its host, and a second
// palette no call may touch. Drawing is done too (into small DIBs, guard words checked) for what
// it may break, not compared. The fuzzer feeds it its bytes; palette_model_test a seeded
// generator.
#ifndef TESTS_PALETTE_DRIVER_H
#define TESTS_PALETTE_DRIVER_H

#include <cstdint>
#include <string>

// Where the driver's choices come from.
class Decisions {
public:
    virtual ~Decisions() = default;
    virtual bool AtEnd() const = 0;
    virtual int Range(int lo, int hi) = 0; // a value in [lo, hi]
    virtual uint16_t U16() = 0;
    virtual int32_t I32() = 0;
    bool Chance(int percent) { return Range(0, 99) < percent; }
};

// Up to maxSteps calls, fewer when the decisions end; empty, or the first difference found.
std::string DrivePaletteAgainstModel(Decisions& decisions, int maxSteps);

#endif // TESTS_PALETTE_DRIVER_H
