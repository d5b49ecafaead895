// Grid timings: filling 100,000 match rows the way the match table does, header-click sorts
// of shuffled rows and of rows as loaded, and a full paint of a window-sized grid. The memory
// the rows take is measured by bench_grid_memory, in a process of its own.
#include "bench/grid/GridBenchSupport.h"

#include <benchmark/benchmark.h>

namespace {

// Filling an empty grid (emptying it again is not timed), as the program loads a list, and
// the same outside an update.
void FillBench(benchmark::State& state, void (TBenchGrid::*fill)()) {
    TBenchGrid g;
    for (auto _ : state) {
        state.PauseTiming();
        g.grid->ClearRows();
        state.ResumeTiming();
        (g.*fill)();
        benchmark::DoNotOptimize(g.grid->RowCount());
    }
    state.counters["rows"] = kRows;
}
void BM_FillMatchRows(benchmark::State& state) {
    FillBench(state, &TBenchGrid::Fill);
}
void BM_FillMatchRowsNotifyingEachCell(benchmark::State& state) {
    FillBench(state, &TBenchGrid::FillNotifyingEachCell);
}
BENCHMARK(BM_FillMatchRows)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FillMatchRowsNotifyingEachCell)->Unit(benchmark::kMillisecond)->Iterations(5);

// What a header click does: sort the column, or flip the direction when it is sorted.
void ClickHeader(TNxCustomColumn* c) {
    if (!c->Sorted())
        c->SetSorted(true);
    else
        c->SetSortKind(c->SortKind() == skAscending ? skDescending : skAscending);
}

// A click on a sorted or unsorted header over rows in a random order, as after edits.
void SortBench(benchmark::State& state, int column) {
    TBenchGrid g;
    g.Fill();
    TNxCustomColumn* c = g.grid->Columns()->Item(column);
    unsigned seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        g.Reorder(false, seed++);
        state.ResumeTiming();
        ClickHeader(c);
    }
}

// The first click on a header over the rows as they were loaded.
void FirstClickBench(benchmark::State& state, int column) {
    TBenchGrid g;
    g.Fill();
    TNxCustomColumn* c = g.grid->Columns()->Item(column);
    for (auto _ : state) {
        state.PauseTiming();
        c->SetSorted(false);
        c->SetSortKind(skAscending);
        g.Reorder(true, 0);
        state.ResumeTiming();
        ClickHeader(c);
    }
}

void BM_SortNumeric(benchmark::State& state) {
    SortBench(state, 13);
}
void BM_SortAlphabetic(benchmark::State& state) {
    SortBench(state, 3);
}
void BM_FirstClickNumeric(benchmark::State& state) {
    FirstClickBench(state, 13);
}
void BM_FirstClickAlphabetic(benchmark::State& state) {
    FirstClickBench(state, 3);
}
BENCHMARK(BM_SortNumeric)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SortAlphabetic)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_FirstClickNumeric)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_FirstClickAlphabetic)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FullPaint(benchmark::State& state) {
    TBenchGrid g;
    for (int i = 0; i < 200; ++i) g.AddMatchRow(i);
    g.grid->SetFocus();
    g.grid->SelectCell(3, 2);
    Application->ProcessMessages();
    for (auto _ : state) {
        g.grid->Invalidate();
        Application->ProcessMessages();
    }
    state.counters["width"] = g.grid->ClientWidth();
    state.counters["height"] = g.grid->ClientHeight();
}
BENCHMARK(BM_FullPaint)->Unit(benchmark::kMicrosecond)->Iterations(200);

} // namespace
