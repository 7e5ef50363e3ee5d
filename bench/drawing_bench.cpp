// UpdateTools of 1,000 tools through the portable GDI layer (also in HALFTONE), beside what the
// same pixels cost with pixman (only the fill and the nearest-neighbour scale, no contexts,
// selection or frame) and with plain row writes (the floor); and how UpdateTools grows with the
// number and the size of the tools (bench/scaling_plot.py turns that into bench/README.md's costs
// and plot).
#include "bench/drawing_scene.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr double kPixelsPerTool = kSceneToolSize * kSceneToolSize;

void Report(benchmark::State& state)
{
    state.counters["tools/s"] =
        benchmark::Counter(double(kSceneTools) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["pixels/s"] = benchmark::Counter(
        double(kSceneTools) * kPixelsPerTool * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_UpdateTools(benchmark::State& state)
{
    DrawingScene scene;
    for (auto _ : state) {
        scene.Draw();
        benchmark::ClobberMemory();
    }
    Report(state);
}
BENCHMARK(BM_UpdateTools)->Unit(benchmark::kMicrosecond);

// The same with the host's DC in HALFTONE: every stretched pixel interpolated in float.
void BM_UpdateTools_Halftone(benchmark::State& state)
{
    DrawingScene scene;
    SetStretchBltMode(scene.Target().Dc(), HALFTONE);
    for (auto _ : state) {
        scene.Draw();
        benchmark::ClobberMemory();
    }
    Report(state);
}
BENCHMARK(BM_UpdateTools_Halftone)->Unit(benchmark::kMicrosecond);

// 10 to 10,000 tools of 16, 32 and 64 pixels, each showing a 16x16 bitmap: copied at 16 pixels,
// enlarged at 32 and 64.
void BM_UpdateTools_Scaling(benchmark::State& state)
{
    const int tools = static_cast<int>(state.range(0)), size = static_cast<int>(state.range(1));
    DrawingScene scene(tools, size);
    for (auto _ : state) {
        scene.Draw();
        benchmark::ClobberMemory();
    }
    state.counters["tools/s"] =
        benchmark::Counter(double(tools) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["pixels/s"] = benchmark::Counter(
        double(tools) * size * size * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_UpdateTools_Scaling)
    ->ArgsProduct({{10, 100, 1000, 10000}, {16, 32, 64}})
    ->ArgNames({"tools", "size"})
    ->Unit(benchmark::kMicrosecond);

struct Target {
    std::vector<uint32_t> bits = std::vector<uint32_t>(kSceneWidth * kSceneHeight);
    pixman_image_t* image = pixman_image_create_bits(PIXMAN_x8r8g8b8, kSceneWidth, kSceneHeight,
                                                     bits.data(), kSceneWidth * 4);
    ~Target() { pixman_image_unref(image); }
};

void BM_PixmanFillAndScale(benchmark::State& state)
{
    Target target;
    pixman_image_t* icons[4];
    for (int k = 0; k < 4; ++k) {
        icons[k] = pixman_image_create_bits(PIXMAN_x8r8g8b8, kSceneBitmapSize, kSceneBitmapSize,
                                            const_cast<uint32_t*>(SceneIcon(k).data()),
                                            kSceneBitmapSize * 4);
        pixman_transform_t scale;
        pixman_transform_init_scale(
            &scale, pixman_double_to_fixed(double(kSceneBitmapSize) / kSceneToolSize),
            pixman_double_to_fixed(double(kSceneBitmapSize) / kSceneToolSize));
        pixman_image_set_transform(icons[k], &scale);
        pixman_image_set_filter(icons[k], PIXMAN_FILTER_NEAREST, nullptr, 0);
    }
    for (auto _ : state) {
        for (int i = kSceneTools - 1; i >= 0; --i) {
            const int x = SceneToolX(i), y = SceneToolY(i);
            pixman_fill(target.bits.data(), kSceneWidth, 32, x + 1, y + 1, kSceneToolSize - 2,
                        kSceneToolSize - 2, i % 3 == 0 ? 0x404040u : 0x808080u);
            pixman_image_composite32(PIXMAN_OP_SRC, icons[i % 4], nullptr, target.image, 0, 0, 0, 0,
                                     x, y, kSceneToolSize, kSceneToolSize);
        }
        benchmark::ClobberMemory();
    }
    for (pixman_image_t* icon : icons)
        pixman_image_unref(icon);
    Report(state);
}
BENCHMARK(BM_PixmanFillAndScale)->Unit(benchmark::kMicrosecond);

void BM_RowWritesFloor(benchmark::State& state)
{
    // The scaled icons prepared once: what is left is writing the pixels, row by row.
    std::vector<uint32_t> scaled[4];
    for (int k = 0; k < 4; ++k)
        for (int y = 0; y < kSceneToolSize; ++y)
            for (int x = 0; x < kSceneToolSize; ++x)
                scaled[k].push_back(
                    SceneIcon(k)[(y * kSceneBitmapSize / kSceneToolSize) * kSceneBitmapSize +
                                 x * kSceneBitmapSize / kSceneToolSize]);
    std::vector<uint32_t> bits(kSceneWidth * kSceneHeight);
    for (auto _ : state) {
        for (int i = kSceneTools - 1; i >= 0; --i) {
            uint32_t* origin = bits.data() + SceneToolY(i) * kSceneWidth + SceneToolX(i);
            const uint32_t face = i % 3 == 0 ? 0x404040u : 0x808080u;
            for (int y = 1; y < kSceneToolSize - 1; ++y)
                std::fill_n(origin + y * kSceneWidth + 1, kSceneToolSize - 2, face);
            const uint32_t* icon = scaled[i % 4].data();
            for (int y = 0; y < kSceneToolSize; ++y)
                std::memcpy(origin + y * kSceneWidth, icon + y * kSceneToolSize,
                            kSceneToolSize * 4);
        }
        benchmark::ClobberMemory();
    }
    Report(state);
}
BENCHMARK(BM_RowWritesFloor)->Unit(benchmark::kMicrosecond);

} // namespace
