// Memory of 100,000 match rows, measured in a process of its own so that no earlier work has
// left freed heap for the rows to reuse: the heap is trimmed first, and the grid with its
// columns is made inside the measurement.
#include "bench/grid/GridBenchSupport.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <optional>

namespace {

long ResidentBytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * 4096;
}

// Heap in use, the mapped blocks of large allocations included.
size_t HeapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

void BM_MemoryPerRow(benchmark::State& state) {
    TBenchGrid::StartApplication();
    for (auto _ : state) {
        malloc_trim(0);
        const size_t heapBefore = HeapInUse();
        const long residentBefore = ResidentBytes();
        std::optional<TBenchGrid> g;
        g.emplace();
        g->Fill();
        const long resident = ResidentBytes() - residentBefore;
        const size_t heap = HeapInUse() - heapBefore;
        state.counters["resident_bytes_per_row"] = double(resident) / kRows;
        state.counters["heap_bytes_per_row"] = double(heap) / kRows;
        state.counters["store_bytes_per_row"] = double(g->grid->Cells()->MemoryBytes()) / kRows;
    }
}
BENCHMARK(BM_MemoryPerRow)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
