// The UpdateTools workload timed without a benchmark framework, so the same program runs on Linux
// through the portable layer and on Windows (or under Wine) through gdi32: prints the median of
// repeated runs.
#include "bench/drawing_scene.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 51;
    DrawingScene scene;
    scene.Draw(); // warm up
    GdiFlush();
    std::vector<double> seconds;
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        scene.Draw();
        GdiFlush();
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf(
        "UpdateTools, %d tools of %dx%d with %dx%d bitmaps on %dx%d: median %.1f us over %d runs, "
        "%.0f tools/s, %.0f pixels/s\n",
        kSceneTools, kSceneToolSize, kSceneToolSize, kSceneBitmapSize, kSceneBitmapSize,
        kSceneWidth, kSceneHeight, median * 1e6, runs, kSceneTools / median,
        kSceneTools * double(kSceneToolSize * kSceneToolSize) / median);
    return 0;
}
