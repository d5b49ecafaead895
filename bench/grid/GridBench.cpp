// Grid timings: filling 100,000 match rows the way the match table does, header-click sorts,
// a full paint of a window-sized grid, and the memory those rows take.
#include "grid/NxGrid.h"
#include "platform/HeadlessDisplay.h"
#include "rtl/NumberText.h"
#include "ui/Forms.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>

namespace {

constexpr int kRows = 100000;

const char16_t* const kTeams[] = {u"Arsenal",
                                  u"Manchester United",
                                  u"Borussia Dortmund",
                                  u"Real Madrid",
                                  u"Olympique Lyonnais",
                                  u"Zenit",
                                  u"Galatasaray",
                                  u"Ajax",
                                  u"Celtic",
                                  u"Shakhtar Donetsk",
                                  u"Benfica",
                                  u"Atletico Madrid"};

struct TBenchGrid {
    TForm* form = nullptr;
    TNxGrid* grid = nullptr;

    TBenchGrid() {
        static bool started = [] {
            SetDisplay(std::make_unique<HeadlessDisplay>(1280, 1024));
            Application->Initialize();
            return true;
        }();
        (void)started;
        form = Application->CreateForm<TForm>();
        form->SetClientWidth(803);
        form->SetClientHeight(589);
        grid = new TNxGrid(form);
        grid->SetParent(form);
        grid->SetBounds(1, 42, 801, 546);
        grid->SetGridLinesColor(cl3DDkShadow);
        grid->SetGridLinesStyle(lsActiveRows);
        grid->SetHeaderStyle(hsFlatBorders);
        grid->SetOptions({goGrid, goHeader});
        const char kinds[16] = {'t', 'i', 't', 't', 't', 't', 't', 't',
                                'n', 'n', 'n', 'n', 'n', 'n', 't', 'n'};
        const int widths[16] = {80, 30, 36, 146, 139, 35, 40, 38, 35, 35, 35, 35, 35, 35, 40, 64};
        for (int i = 0; i < 16; ++i) {
            TNxCustomColumn* c = nullptr;
            if (kinds[i] == 't') c = new TNxTextColumn(form);
            if (kinds[i] == 'n') c = new TNxNumberColumn(form);
            if (kinds[i] == 'i') c = new TNxImageColumn(form);
            TFont font;
            font.SetName("Arial");
            font.SetHeight(14);
            c->SetFont(font);
            c->SetWidth(widths[i]);
            c->SetAlignment(taCenter);
            c->Header()->SetCaption(u"Col");
            c->Header()->SetColor(0xDCA166);
            grid->Columns()->Add(c);
        }
        grid->Columns()->Item(0)->SetVisible(false);
        form->Show();
        Application->ProcessMessages();
    }
    ~TBenchGrid() { Application->Reset(); }

    // One row as the match table appends it: fifteen cell writes and the highlight colours.
    void AddMatchRow(int i) {
        grid->AddRows(1);
        const int r = grid->RowCount() - 1;
        grid->SetCellText(0, r, IntToWideStr(100000 + i));
        grid->CellObject(1, r)->SetIntValue(i % 103);
        grid->CellObject(1, r)->SetHint(u"England.Premier League");
        grid->SetCellText(2, r, i % 2 ? u"18:30" : u"21:45");
        grid->SetCellText(3, r, kTeams[i % 12]);
        grid->SetCellText(4, r, kTeams[(i * 7 + 3) % 12]);
        grid->SetCellText(5, r, u"1,85");
        grid->SetCellText(6, r, u"3,40");
        grid->SetCellText(7, r, u"4,20");
        const int p = (i * 37) % 101;
        for (int c = 8; c <= 13; ++c) grid->SetCellText(c, r, IntToWideStr((p + c * 11) % 101));
        grid->SetCellText(14, r, IntToWideStr(p));
        grid->SetCellText(15, r, IntToWideStr(i % 50));
        if (p > 60) grid->CellObject(8, r)->SetColor(0x80FFFF);
        if (p == 100) grid->CellObject(8, r)->SetColor(0x00FF00);
        if (p > 65) grid->CellObject(14, r)->SetColor(0x80FF80);
    }

    void Fill() {
        for (int i = 0; i < kRows; ++i) AddMatchRow(i);
    }
};

void BM_FillMatchRows(benchmark::State& state) {
    TBenchGrid g;
    for (auto _ : state) {
        g.grid->ClearRows();
        g.Fill();
        benchmark::DoNotOptimize(g.grid->RowCount());
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_FillMatchRows)->Unit(benchmark::kMillisecond)->Iterations(3);

void SortBench(benchmark::State& state, int column) {
    TBenchGrid g;
    g.Fill();
    TNxCustomColumn* c = g.grid->Columns()->Item(column);
    bool ascending = true;
    for (auto _ : state) {
        state.PauseTiming();
        g.grid->SetCellText(0, 0, u"1"); // a change: the next sort is a full one
        state.ResumeTiming();
        // What a header click does: sort the column, or flip the direction when it is sorted.
        if (!c->Sorted())
            c->SetSorted(true);
        else
            c->SetSortKind(ascending ? skDescending : skAscending);
        ascending = !ascending;
    }
}

void BM_SortNumeric(benchmark::State& state) {
    SortBench(state, 13);
}
void BM_SortAlphabetic(benchmark::State& state) {
    SortBench(state, 3);
}
BENCHMARK(BM_SortNumeric)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SortAlphabetic)->Unit(benchmark::kMillisecond)->Iterations(10);

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

long ResidentBytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * 4096;
}

void BM_MemoryPerRow(benchmark::State& state) {
    for (auto _ : state) {
        TBenchGrid g;
        // Heap in use, the mapped blocks of large allocations included.
        auto inUse = [] {
            const struct mallinfo2 m = mallinfo2();
            return m.uordblks + m.hblkhd;
        };
        const size_t before = inUse();
        const long rssBefore = ResidentBytes();
        g.Fill();
        const size_t after = inUse();
        state.counters["resident_bytes_per_row"] = double(ResidentBytes() - rssBefore) / kRows;
        // Cell chunks live in mapped slabs of the store, outside the heap's figures.
        state.counters["heap_bytes_per_row"] = double(after - before) / kRows;
        state.counters["store_bytes_per_row"] = double(g.grid->Cells()->MemoryBytes()) / kRows;
    }
}
BENCHMARK(BM_MemoryPerRow)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
