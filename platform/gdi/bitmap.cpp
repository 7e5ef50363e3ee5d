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
    if (!pixels)
        return true;
    const uint32_t* before = pixels - kGuardWords;
    const uint32_t* after = pixels + PixelCount(*this);
    for (size_t i = 0; i < kGuardWords; ++i)
        if (before[i] != kGuardValue || after[i] != kGuardValue)
            return false;
    return true;
}

PixelView Bitmap::View() const
{
    PixelView view;
    view.width = width;
    view.height = height;
    view.mono = mono;
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
