// Goals: AddMatchRow for 20,000 entries under 60 ms; ApplyRangeFilter over 100,000 rows
// under 40 ms.

#include "grid/NxGrid.h"
#include "rtl/Component.h"
#include "rtl/FormatSettings.h"
#include "service/MatchList.h"
#include "table/MatchColumns.h"
#include "table/MatchRows.h"
#include "table/RangeFilter.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kLeagues[] = {
    "England.Premier League",     "Spain.Primera",  "UEFA.Europa League",
    "Russia.Premier League",      "Brazil.Serie A", "Unknown.Cup",
    "Luxemburg.National Division"};

std::vector<MatchEntry> MakeEntries(int count) {
    std::vector<MatchEntry> entries(count);
    for (int i = 0; i < count; ++i) {
        MatchEntry& e = entries[i];
        e.id = std::to_string(100000 + i);
        e.date = "2026-12-09";
        e.time = std::to_string(12 + i % 10) + ":" + (i % 2 ? "30" : "00");
        e.home = "Home team " + std::to_string(i % 97);
        e.away = "Away team " + std::to_string(i % 89);
        e.liga = kLeagues[i % 7];
        e.kf1 = "1," + std::to_string(10 + i % 90);
        e.kf2 = "3," + std::to_string(10 + i % 80);
        e.kf3 = std::to_string(2 + i % 7) + ",05";
        e.p1 = std::to_string(i % 101);
        e.x = std::to_string((i * 7) % 101);
        e.p2 = std::to_string((i * 13) % 101);
        e.t05 = std::to_string(80 + i % 21);
        e.t15 = std::to_string(60 + i % 41);
        e.t25 = std::to_string(40 + i % 61);
        e.oz = std::to_string(30 + i % 71);
        e.count = std::to_string(i % 40);
    }
    return entries;
}

struct Grids {
    Grids() {
        FormatSettings.DecimalSeparator = ',';
        fg = new TNxGrid(&owner);
        fg5 = new TNxGrid(&owner);
        CreateMatchColumns(*fg, &owner, mgFull, nullptr, nullptr);
        CreateMatchColumns(*fg5, &owner, mgFiltered, nullptr, nullptr);
    }
    TComponent owner{nullptr};
    TNxGrid* fg;
    TNxGrid* fg5;
};

void BM_AddMatchRow20000(benchmark::State& state) {
    const std::vector<MatchEntry> entries = MakeEntries(20000);
    for (auto _ : state) {
        state.PauseTiming();
        auto grids = std::make_unique<Grids>();
        state.ResumeTiming();
        for (const MatchEntry& e : entries) AddMatchRow(*grids->fg, e);
        benchmark::DoNotOptimize(grids->fg->RowCount());
        state.PauseTiming();
        grids.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddMatchRow20000)->Unit(benchmark::kMillisecond);

// Argument: the lower bound of the home win percentage; 20 copies most rows, 101 none (the
// cost of reading the ranges alone).
void BM_ApplyRangeFilter100000(benchmark::State& state) {
    Grids grids;
    for (const MatchEntry& e : MakeEntries(100000)) AddMatchRow(*grids.fg, e);
    TFilterValues bounds = FilterStartValues();
    bounds[6] = double(state.range(0));
    for (auto _ : state) {
        ApplyRangeFilter(*grids.fg, *grids.fg5, bounds);
        benchmark::DoNotOptimize(grids.fg5->RowCount());
    }
    state.counters["copied"] = grids.fg5->RowCount();
}
BENCHMARK(BM_ApplyRangeFilter100000)->Arg(20)->Arg(101)->Unit(benchmark::kMillisecond);

// What the filter's copy of about 80,000 rows costs in the grid alone: refilling the filtered
// grid in place as the filter does (0), appending the copies to an empty grid (1), and
// emptying the grid of them (2).
void BM_GridShareOfFilter(benchmark::State& state) {
    Grids grids;
    for (const MatchEntry& e : MakeEntries(100000)) AddMatchRow(*grids.fg, e);
    std::vector<int> rows;
    for (int r = 0; r < grids.fg->RowCount(); ++r)
        if (r % 5 != 0) rows.push_back(r);
    grids.fg5->ReplaceRowsFrom(*grids.fg, rows);
    for (auto _ : state) {
        if (state.range(0) == 0) {
            grids.fg5->ReplaceRowsFrom(*grids.fg, rows);
        } else {
            state.PauseTiming();
            if (state.range(0) == 1)
                grids.fg5->ClearRows();
            else
                grids.fg5->ReplaceRowsFrom(*grids.fg, rows);
            state.ResumeTiming();
            if (state.range(0) == 1)
                grids.fg5->AddRowsFrom(*grids.fg, rows);
            else
                grids.fg5->ClearRows();
        }
        benchmark::DoNotOptimize(grids.fg5->RowCount());
    }
    state.counters["copied"] = double(rows.size());
}
BENCHMARK(BM_GridShareOfFilter)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// An answer that keeps one 1 MB home team over every entry (open tags without close tags):
// the rows share the text, so time and memory grow with the entries, not with entries times
// the text.
void BM_KeptValueAnswer(benchmark::State& state) {
    const std::string big(1 << 20, 'h');
    std::string answer = "<PODPISKA>s</PODPISKA><match><id>1</id><liga>Spain.Primera</liga><home>" +
                         big +
                         "</home><p1>61</p1><x>20</x><p2>19</p2><t05>91</t05><t15>75</t15>"
                         "<t25>50</t25><count>3</count></match>";
    const int kept = int(state.range(0));
    for (int i = 0; i < kept; ++i)
        answer += "<match><home><liga><p1><x><p2><t05><t15><t25><count></match>";
    for (auto _ : state) {
        state.PauseTiming();
        auto grids = std::make_unique<Grids>();
        state.ResumeTiming();
        ParseMatchList(answer, [&](const MatchEntry& e) { AddMatchRow(*grids->fg, e); });
        state.counters["store_bytes"] = double(grids->fg->Cells()->MemoryBytes());
        state.PauseTiming();
        grids.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_KeptValueAnswer)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

} // namespace
