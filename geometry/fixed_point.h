// 16.16 fixed-point coordinates and their conversion to and from whole device pixels.
#ifndef TOOLTRAY_GEOMETRY_FIXED_POINT_H
#define TOOLTRAY_GEOMETRY_FIXED_POINT_H

#include <stdint.h>

// A signed 16.16 value: 1.0 is 0x10000. Where the framework's signatures say long, this 32-bit
// type is meant on every platform.
typedef int32_t KxFixed;

#ifdef __cplusplus

constexpr KxFixed kFixedOne = 0x10000;

// Nearest whole pixel, exact halves upward: add one half, shift right 16 with the sign, keep the
// low 16 bits as a signed value, widened. The addition wraps in 32 bits (through unsigned
// arithmetic), so a value within one half of the top of the range comes out as -32768.
constexpr int32_t FixedToPixels(KxFixed value)
{
    const uint32_t rounded = static_cast<uint32_t>(value) + 0x8000u;
    return static_cast<int16_t>(static_cast<int32_t>(rounded) >> 16);
}

// Pixels to fixed point: shifted left 16, wrapping in 32 bits.
constexpr KxFixed PixelsToFixed(int32_t pixels)
{
    return static_cast<KxFixed>(static_cast<uint32_t>(pixels) << 16);
}

#endif

#endif // TOOLTRAY_GEOMETRY_FIXED_POINT_H
