// The three fuzzing checks. Each decodes an input, drives the libraries with it and answers what
// went wrong, or "" when nothing did. libFuzzer runs them through fuzz_entry.cpp; the replay test
// runs every stored input through them in the ordinary test suites.
#ifndef FUZZ_FUZZ_CHECKS_H
#define FUZZ_FUZZ_CHECKS_H

#include <cstddef>
#include <cstdint>
#include <string>

// Calls on a palette, compared after every step with the model of tests/model_palette.h.
std::string CheckPaletteCalls(const uint8_t* data, size_t size);

// Fills, frames, stretches and copies on the portable GDI layer among bitmaps selected, swapped and
// deleted in any order, compared with a per-pixel reference where the reference applies.
std::string CheckRasterOps(const uint8_t* data, size_t size);

// Class descriptions for BuildClass: each is built or refused with a message, and a built class
// is whole while a refused one leaves nothing behind.
std::string CheckClassDescription(const uint8_t* data, size_t size);

#endif // FUZZ_FUZZ_CHECKS_H
