// The two units a host meets, as types of their own: the class's 16.16 fixed point and whole
// pixels. The kit's tool sizes take and answer Fixed, which a bare integer does not convert to,
// so SetToolWidth(24) (24/65536 of a pixel, a tool too small to draw) does not compile:
//     palette.SetToolWidth(tooltray::Pixels(24));
//     palette.SetToolWidth(tooltray::Fixed(0x18000)); // 1.5 pixels, as the class stores it
// The plain calls keep the class's own signatures: KxFixed is a plain 32-bit integer there.
#ifndef TOOLTRAY_HOST_TOOLTRAY_UNITS_H
#define TOOLTRAY_HOST_TOOLTRAY_UNITS_H

#include "../geometry/fixed_point.h"

namespace tooltray {

// A 16.16 fixed-point value: Fixed(0x10000) is one pixel.
class Fixed {
public:
    constexpr Fixed() = default;
    constexpr explicit Fixed(KxFixed raw) : raw_(raw) {}
    constexpr KxFixed Raw() const { return raw_; }
    // The nearest whole pixel, halves upward, as the class rounds for layout and drawing.
    constexpr int32_t ToPixels() const { return FixedToPixels(raw_); }
    friend constexpr bool operator==(Fixed a, Fixed b) { return a.raw_ == b.raw_; }
    friend constexpr bool operator!=(Fixed a, Fixed b) { return a.raw_ != b.raw_; }

private:
    KxFixed raw_ = 0;
};

// A whole number of pixels. Converts to Fixed exactly (a shift), so it goes wherever Fixed does;
// Fixed to pixels rounds and is asked for by name (ToPixels).
class Pixels {
public:
    constexpr explicit Pixels(int32_t value) : value_(value) {}
    constexpr int32_t Value() const { return value_; }
    constexpr operator Fixed() const { return Fixed(PixelsToFixed(value_)); }

private:
    int32_t value_;
};

} // namespace tooltray

#endif // TOOLTRAY_HOST_TOOLTRAY_UNITS_H
