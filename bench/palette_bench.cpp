// CreateTool and ArrangeTools on palettes of n tools, reported per tool visited, with the heap
// bytes each tool costs.
#include "host/tool_space_palette.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>

namespace {

std::atomic<int64_t> g_bytes{0};

void* SOMLINK CountingMalloc(size_t size)
{
    g_bytes.fetch_add(static_cast<int64_t>(size), std::memory_order_relaxed);
    return std::malloc(size ? size : 1);
}
void SOMLINK CountingFree(void* block) { std::free(block); }

// A palette 1000 pixels wide (38 tools a row) on a tool space that takes tools, with n tools made
// by CreateTool. Frees everything when it goes.
class BenchPalette {
public:
    explicit BenchPalette(int64_t n)
    {
        stage_.SetSize(tooltray::Pixels(1000), tooltray::Pixels(800));
        // Only the tools' own allocations are counted.
        g_bytes = 0;
        SetAllocator(&CountingMalloc, &CountingFree);
        for (int64_t i = 0; i < n; ++i)
            if (!P().CreateTool(static_cast<int32_t>(i), (HBITMAP) nullptr, (uint16_t)0))
                ok_ = false;
        SetAllocator(nullptr, nullptr);
        bytesPerTool_ = n ? static_cast<double>(g_bytes.load()) / static_cast<double>(n) : 0.0;
    }

    const Palette& P() const { return stage_.Tray(); }
    bool Ok() const { return ok_; }
    double BytesPerTool() const { return bytesPerTool_; }

private:
    ToolSpacePalette stage_;
    bool ok_ = true;
    double bytesPerTool_ = 0;
};

// CreateTool into a palette of n tools: placement walks all n. Each iteration then removes the
// new tool again (it is the first in the list, so that is constant time) to keep n fixed.
void BM_CreateTool(benchmark::State& state)
{
    const int64_t n = state.range(0);
    BenchPalette bp(n);
    if (!bp.Ok()) {
        state.SkipWithError("CreateTool failed while filling the palette");
        return;
    }
    const Palette& p = bp.P();
    for (auto _ : state) {
        ToolInfo* t = p.CreateTool(-1, (HBITMAP) nullptr, (uint16_t)0);
        benchmark::DoNotOptimize(t);
        p.RemoveToolInfo(t);
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["heap_bytes_per_tool"] = bp.BytesPerTool();
}
BENCHMARK(BM_CreateTool)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);

// ArrangeTools on n tools: each of the n placements walks the whole list (the tools placed so far
// and the ones still cleared), n * n tools visited in all.
void BM_ArrangeTools(benchmark::State& state)
{
    const int64_t n = state.range(0);
    BenchPalette bp(n);
    if (!bp.Ok()) {
        state.SkipWithError("CreateTool failed while filling the palette");
        return;
    }
    const Palette& p = bp.P();
    for (auto _ : state)
        p.ArrangeTools();
    state.SetItemsProcessed(state.iterations() * n * n);
    state.counters["heap_bytes_per_tool"] = bp.BytesPerTool();
}
BENCHMARK(BM_ArrangeTools)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ArrangeTools)->Arg(10000)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
