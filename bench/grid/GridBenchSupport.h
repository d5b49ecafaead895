#pragma once
// The grid the grid benchmarks measure: a window-sized grid with the sixteen columns of the
// match grid, filled the way the match table fills it.
#include "grid/NxGrid.h"
#include "platform/HeadlessDisplay.h"
#include "rtl/NumberText.h"
#include "ui/Forms.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

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

    // The headless display and the application, once per process.
    static void StartApplication() {
        static bool started = [] {
            SetDisplay(std::make_unique<HeadlessDisplay>(1280, 1024));
            Application->Initialize();
            return true;
        }();
        (void)started;
    }

    TBenchGrid() {
        StartApplication();
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

    // As the program loads a list: inside one update, so that the grid repaints and sets its
    // scroll bar once when the rows are in rather than at every cell.
    void Fill() {
        grid->BeginUpdate();
        for (int i = 0; i < kRows; ++i) AddMatchRow(i);
        grid->EndUpdate();
    }
    // Row by row with the grid told of every cell, as a fill outside an update is.
    void FillNotifyingEachCell() {
        for (int i = 0; i < kRows; ++i) AddMatchRow(i);
    }

    // Puts the rows in the order they were added (`asLoaded`) or in a random one, and changes
    // a cell, so that the next sort of any column is a full one.
    void Reorder(bool asLoaded, unsigned seed) {
        const int n = grid->RowCount();
        std::vector<int> order(static_cast<size_t>(n));
        if (asLoaded) {
            // Column 0 holds 100000 + the row's place in the fill.
            for (int r = 0; r < n; ++r) order[size_t(StrToInt(grid->CellText(0, r)) - 100000)] = r;
        } else {
            std::iota(order.begin(), order.end(), 0);
            std::shuffle(order.begin(), order.end(), std::mt19937(seed));
        }
        grid->Cells()->PermuteRows(order);
        grid->SetCellText(0, 0, grid->CellText(0, 0));
    }
};
