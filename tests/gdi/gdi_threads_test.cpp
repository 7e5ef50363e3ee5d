// Palettes drawn on several threads at once, each thread with its own palette, bitmaps, DCs and
// surface, come out exactly as they do drawn one at a time. Run under ThreadSanitizer too.
#include "host/tooltray_bindings.h"
#include "runtime/win_gdi.h"
#include "tests/gdi/top_down_dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr int kThreads = 4;
constexpr int kWidth = 200;
constexpr int kHeight = 120;

// Draws palette `seed` (its tools' number, size, state and bitmaps depend on it) into a DIB
// section of its own and returns the pixels.
std::vector<uint32_t> DrawPalette(int seed)
{
    uint32_t* bits = nullptr;
    HBITMAP target = MakeTopDownDib(kWidth, kHeight, &bits);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, target);
    std::fill(bits, bits + kWidth * kHeight, 0x00d4d0c8u);

    Environment* ev = GetGlobalEnvironment();
    SOMObject* base = NewObject(FindClass("KxObject"));
    Palette palette(NewObject(resolve_ToolTrayClassData()->classObject), ev,
                    resolve_ToolTrayClassData());
    palette.InitExtension(base);
    std::vector<HBITMAP> bitmaps;
    const int size = 10 + seed * 3; // stretched up, down or not at all
    for (int k = 0; k < 3; ++k) {
        std::vector<uint32_t> pixels(16 * 16);
        for (size_t p = 0; p < pixels.size(); ++p)
            pixels[p] = static_cast<uint32_t>((p * 2654435761u) >> (seed + k)) & 0xffffffu;
        bitmaps.push_back(CreateBitmap(16, 16, 1, 32, pixels.data()));
    }
    for (int i = 0; i < 12 + seed; ++i) {
        const int x = 4 + (i * (size + 3)) % (kWidth - size), y = 4 + (i / 5) * (size / 2);
        const KxRect bounds(PixelsToFixed(x), PixelsToFixed(y), PixelsToFixed(x + size),
                            PixelsToFixed(y + size));
        palette.AddToolInfo(i, &bounds, i % 4 == 3 ? nullptr : bitmaps[static_cast<size_t>(i) % 3],
                            static_cast<uint16_t>(i % 2));
    }
    palette.UpdateTools(dc);
    GdiFlush();
    std::vector<uint32_t> image(bits, bits + kWidth * kHeight);

    palette.Release();
    FreeObject(base);
    for (HBITMAP b : bitmaps)
        DeleteObject(b);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(target);
    return image;
}

TEST(GdiThreads, PalettesDrawnOnFourThreadsAtOnceEqualThoseDrawnAlone)
{
    ASSERT_NE(ToolTrayNewClass(1, 0), nullptr);
    std::vector<std::vector<uint32_t>> alone;
    for (int seed = 0; seed < kThreads; ++seed)
        alone.push_back(DrawPalette(seed));
    std::vector<int> mismatches(kThreads, 0);
    std::vector<std::thread> threads;
    for (int seed = 0; seed < kThreads; ++seed)
        threads.emplace_back([&, seed] {
            for (int round = 0; round < 100; ++round)
                if (DrawPalette(seed) != alone[static_cast<size_t>(seed)])
                    ++mismatches[static_cast<size_t>(seed)];
        });
    for (std::thread& t : threads)
        t.join();
    for (int seed = 0; seed < kThreads; ++seed)
        EXPECT_EQ(mismatches[static_cast<size_t>(seed)], 0) << "thread " << seed;
}

} // namespace
