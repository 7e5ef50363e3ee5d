#include "platform/gdi/colour.h"

namespace gdi {

uint32_t ColourToPixel(COLORREF colour)
{
    // The top byte is odd for palette indices (into the 20 static colours; anything else is
    // black) and any even value means plain RGB.
    static const uint32_t kStaticColours[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                                0x800080, 0x008080, 0xc0c0c0, 0xc0dcc0, 0xa6caf0,
                                                0xfffbf0, 0xa0a0a4, 0x808080, 0xff0000, 0x00ff00,
                                                0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff};
    if ((colour >> 24) & 1) {
        const uint32_t index = colour & 0xffff;
        return (colour >> 24) == 1 && index < 20 ? kStaticColours[index] : 0;
    }
    return (colour & 0xff) << 16 | (colour & 0xff00) | ((colour >> 16) & 0xff);
}

uint32_t MonoPixel(uint32_t pixel)
{
    int nearWhite = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int v = static_cast<int>((pixel >> shift) & 0xff);
        nearWhite += v * v - (255 - v) * (255 - v);
    }
    return nearWhite > 0 ? 0x00ffffffu : 0;
}

} // namespace gdi
