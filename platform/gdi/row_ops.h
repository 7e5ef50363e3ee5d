// Writing one row of pixels: the innermost loops of fills and copies. The rows of a palette are
// short (tens of pixels), so the tail is one overlapping vector store rather than a scalar loop.
#ifndef PLATFORM_GDI_ROW_OPS_H
#define PLATFORM_GDI_ROW_OPS_H

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#  include <emmintrin.h>
#endif

namespace gdi {

inline void FillRow(uint32_t* out, size_t count, uint32_t pixel)
{
#if defined(__SSE2__)
    if (count >= 4) {
        const __m128i v = _mm_set1_epi32(static_cast<int>(pixel));
        size_t i = 0;
        for (; i + 8 <= count; i += 8) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), v);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 4), v);
        }
        if (i + 4 <= count)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + count - 4), v);
        return;
    }
#endif
    for (size_t i = 0; i < count; ++i)
        out[i] = pixel;
}

// `out` and `in` do not overlap.
inline void CopyRow(uint32_t* out, const uint32_t* in, size_t count)
{
#if defined(__SSE2__)
    if (count >= 4) {
        size_t i = 0;
        for (; i + 4 <= count; i += 4)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)));
        const size_t last = count - 4;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + last),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + last)));
        return;
    }
#endif
    for (size_t i = 0; i < count; ++i)
        out[i] = in[i];
}

} // namespace gdi

#endif // PLATFORM_GDI_ROW_OPS_H
