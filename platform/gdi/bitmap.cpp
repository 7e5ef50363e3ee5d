#include "platform/gdi/bitmap.h"

namespace gdi {

namespace {

size_t PixelCount(const Bitmap& bitmap)
{
    return static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height);
}

} // namespace

void Bitmap::Allocate()
{
    const size_t count = PixelCount(*this);
    storage.reset(new uint32_t[count + 2 * kGuardWords]());
    for (size_t i = 0; i < kGuardWords; ++i)
        storage[i] = storage[count + kGuardWords + i] = kGuardValue;
    pixels = storage.get() + kGuardWords;
}

bool Bitmap::GuardsIntact() const
{
    if (!storage)
        return true;
    const size_t count = PixelCount(*this);
    for (size_t i = 0; i < kGuardWords; ++i)
        if (storage[i] != kGuardValue || storage[count + kGuardWords + i] != kGuardValue)
            return false;
    return true;
}

PixelView Bitmap::View() const
{
    PixelView view;
    view.width = width;
    view.height = height;
    view.mono = bitsPerPixel == 1;
    if (bottomUp) {
        view.topRow = pixels + static_cast<ptrdiff_t>(height - 1) * width;
        view.stride = -static_cast<ptrdiff_t>(width);
    } else {
        view.topRow = pixels;
        view.stride = width;
    }
    return view;
}

} // namespace gdi
