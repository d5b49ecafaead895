// Writing a window-sized picture as PNG, as the screenshot tool does for every scene: the
// picture is compressed once.
#include "gfx/Bitmap.h"
#include "gfx/Png.h"

#include <benchmark/benchmark.h>

namespace {

// Flat areas, edges and a little noise, like a rendered window.
TBitmap WindowLikePicture() {
    TBitmap b(803, 589);
    unsigned noise = 12345;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            noise = noise * 1103515245u + 12345u;
            const bool edge = (x % 97) < 2 || (y % 41) < 2;
            const TPixel base = edge ? 0xFF203040u : (y < 30 ? 0xFF3060C0u : 0xFFF0F0F0u);
            b.ScanLine(y)[x] = (x % 13 == 0 && y % 7 == 0) ? (0xFF000000u | (noise >> 8)) : base;
        }
    return b;
}

void BM_EncodePngWindow(benchmark::State& state) {
    const TBitmap picture = WindowLikePicture();
    std::size_t size = 0;
    for (auto _ : state) {
        size = EncodePng(picture).size();
        benchmark::DoNotOptimize(size);
    }
    state.counters["png_bytes"] = double(size);
}
BENCHMARK(BM_EncodePngWindow)->Unit(benchmark::kMillisecond);

} // namespace
