// Inflating and loading the program's skin: the container, its pictures and the
// description, as the main window does once at start-up.
#include "data/ProgramSkin.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinIni.h"

#include <benchmark/benchmark.h>

namespace {

void BM_InflateProgramSkin(benchmark::State& state) {
    TspCompressedStoredSkin stored(nullptr);
    LoadProgramSkin(stored);
    // The target keeps its memory between rounds, so this is the inflating alone; the load
    // below is the whole start-up cost, allocations included.
    TMemoryStream out;
    for (auto _ : state) {
        out.SetSize(0);
        stored.DecompressInto(out);
        benchmark::DoNotOptimize(out.Size());
    }
}
BENCHMARK(BM_InflateProgramSkin)->Unit(benchmark::kMillisecond);

void BM_LoadProgramSkin(benchmark::State& state) {
    TspCompressedStoredSkin stored(nullptr);
    LoadProgramSkin(stored);
    TspSkinData store(nullptr);
    for (auto _ : state) {
        store.ApplyStoredSkin(&stored);
        benchmark::DoNotOptimize(store.ControlRecordCount());
    }
}
BENCHMARK(BM_LoadProgramSkin)->Unit(benchmark::kMillisecond);

} // namespace
