#include "platform/gdi/bitmap.h"

#include <new>

namespace gdi {

namespace {

size_t PixelCount(const Bitmap& bitmap)
{
    return static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height);
}

} // namespace

bool Bitmap::Allocate()
{
    const size_t count = PixelCount(*this);
    storage.reset(new (std::nothrow) uint32_t[count + 2 * kGuardWords]());
    if (!storage)
        return false;
    for (size_t i = 0; i < kGuardWords; ++i)
        storage[i] = storage[count + kGuardWords + i] = kGuardValue;
    pixels = storage.get() + kGuardWords;
    MakeView();
    return true;
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

void Bitmap::MakeView()
{
    view.width = width;
    view.height = height;
    view.mono = mono;
    view.writes = dib ? nullptr : &writes;
    if (bottomUp) {
        view.topRow = pixels + static_cast<ptrdiff_t>(height - 1) * width;
        view.stride = -static_cast<ptrdiff_t>(width);
    } else {
        view.topRow = pixels;
        view.stride = width;
    }
}

} // namespace gdi
