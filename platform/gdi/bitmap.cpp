#include "platform/gdi/bitmap.h"

#include <atomic>
#include <cstring>
#include <new>

namespace gdi {

namespace {

std::atomic<uint64_t> lastSerial{0};

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
    serial = lastSerial.fetch_add(1, std::memory_order_relaxed) + 1;
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
    // All of it goes to GetObjectA's callers, padding included.
    std::memset(&description, 0, sizeof description);
    description.bmWidth = width;
    description.bmHeight = height;
    // Rows are word-aligned for DDBs; 32-bpp rows are anyway.
    description.bmWidthBytes = mono ? ((width + 15) / 16) * 2 : width * 4;
    description.bmPlanes = 1;
    description.bmBitsPixel = mono ? 1 : 32;
    description.bmBits = dib ? pixels : nullptr;

    view.width = width;
    view.height = height;
    view.mono = mono;
    view.writes = dib ? nullptr : &writes;
    view.serial = serial;
    if (bottomUp) {
        view.topRow = pixels + static_cast<ptrdiff_t>(height - 1) * width;
        view.stride = -static_cast<ptrdiff_t>(width);
    } else {
        view.topRow = pixels;
        view.stride = width;
    }
}

} // namespace gdi
