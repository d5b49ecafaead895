#pragma once
// A form with one grid on the headless display, set up like the program's match grids:
// sixteen columns of three kinds, flat headers in the match header colour, grid lines only
// under existing rows.
#include "gfx/ImageList.h"
#include "grid/NxGrid.h"
#include "platform/HeadlessDisplay.h"
#include "rtl/FormatSettings.h"
#include "rtl/NumberText.h"
#include "ui/Forms.h"
#include "ui/Snapshot.h"

#include <gtest/gtest.h>

inline HeadlessDisplay* TestDisplay() {
    static HeadlessDisplay* display = [] {
        auto* d = new HeadlessDisplay(1280, 1024);
        SetDisplay(std::unique_ptr<Display>(d));
        Application->Initialize();
        return d;
    }();
    return display;
}

constexpr TColor kHeaderColor = 0xDCA166;
constexpr TColor kCountColor = 0xCCE3E0;

// Column widths and kinds of the match grid; index 0 is hidden.
struct TTestColumn {
    char kind; // 't' text, 'n' number, 'i' image
    const char16_t* caption;
    int width;
    TColor color;
};

inline const TTestColumn kTestColumns[16] = {
    {'t', u"ID", 80, clWindow},      {'i', u"Fl", 30, clWindow},    {'t', u"Time", 36, clWindow},
    {'t', u"Home", 146, clWindow},   {'t', u"Away", 139, clWindow}, {'t', u"1", 35, clNavy},
    {'t', u"X", 40, clNavy},         {'t', u"2", 38, clNavy},       {'n', u"1", 35, clSilver},
    {'n', u"X", 35, clWindow},       {'n', u"2", 35, clSilver},     {'n', u"0.5", 35, clWindow},
    {'n', u"1.5", 35, clSilver},     {'n', u"2.5", 35, clWindow},   {'t', u"BTTS", 40, clSilver},
    {'n', u"Count", 64, kCountColor}};

class GridFixture : public ::testing::Test {
protected:
    void SetUp() override {
        display = TestDisplay();
        FormatSettings.DecimalSeparator = '.';
        form = Application->CreateForm<TForm>();
        form->SetBounds(20, 20, 860, 640);
        form->SetClientWidth(803);
        form->SetClientHeight(589);
        images = new TImageList(form);
        MakeImages(5);
        grid = new TNxGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 803, 548);
        grid->SetGridLinesColor(cl3DDkShadow);
        grid->SetGridLinesStyle(lsActiveRows);
        grid->SetHeaderStyle(hsFlatBorders);
        grid->SetOptions({goGrid, goHeader});
        for (const TTestColumn& def : kTestColumns) AddColumn(def);
        grid->Columns()->Item(0)->SetVisible(false);
        form->Show();
        Application->ProcessMessages();
    }

    void TearDown() override {
        FormatSettings.DecimalSeparator = '.';
        Application->Reset();
        EXPECT_EQ(UnbalancedCanvasStates(), unbalancedAtStart)
            << "a paint left a saved canvas state behind";
    }
    int unbalancedAtStart = UnbalancedCanvasStates();

    TNxCustomColumn* AddColumn(const TTestColumn& def) {
        TNxCustomColumn* column = nullptr;
        if (def.kind == 'n') column = new TNxNumberColumn(form);
        if (def.kind == 'i') {
            auto* image = new TNxImageColumn(form);
            image->SetImages(images);
            column = image;
        }
        if (def.kind == 't') column = new TNxTextColumn(form);
        TFont font;
        font.SetName("Arial");
        font.SetHeight(14);
        font.SetColor(def.color == clNavy ? clYellow : clBtnText);
        column->SetFont(font);
        column->SetWidth(def.width);
        if (def.caption != std::u16string_view(u"Home") &&
            def.caption != std::u16string_view(u"Away"))
            column->SetAlignment(taCenter);
        column->SetColor(def.color);
        column->Header()->SetCaption(def.caption);
        column->Header()->SetColor(kHeaderColor);
        column->Header()->SetAlignment(taCenter);
        grid->Columns()->Add(column);
        return column;
    }

    // Images of 16 x 16, each a solid colour 10 * (index + 1) in red.
    void MakeImages(int count) {
        images->SetSize(16, 16);
        for (int i = 0; i < count; ++i) {
            TBitmap b(16, 16);
            b.Fill(RGB(uint8_t(10 * (i + 1)), 200, 0));
            images->Add(b);
        }
    }

    // One row the way the match table appends it.
    int AddRow(const char16_t* time, const char16_t* home, const char16_t* away, int p1,
               int count) {
        grid->AddRows(1);
        const int r = grid->RowCount() - 1;
        grid->SetCellText(0, r, u"1");
        grid->CellObject(1, r)->SetIntValue(1);
        grid->SetCellText(2, r, time);
        grid->SetCellText(3, r, home);
        grid->SetCellText(4, r, away);
        grid->SetCellText(8, r, IntToWideStr(p1));
        grid->SetCellText(15, r, IntToWideStr(count));
        return r;
    }

    void Pump() { Application->ProcessMessages(); }

    // A picture of the grid as the window system last painted it.
    TBitmap Shot() {
        Pump();
        TBitmap bmp;
        SnapshotControl(grid, bmp);
        return bmp;
    }

    TPoint Screen(int x, int y) { return grid->ClientToScreen({x, y}); }

    void ClickAt(int x, int y) {
        const TPoint p = Screen(x, y);
        display->Click(p.X, p.Y);
        display->Advance(600); // no double click with the next one
        Pump();
    }

    void Drag(TPoint from, TPoint to) {
        TPoint a = Screen(from.X, from.Y);
        TPoint b = Screen(to.X, to.Y);
        display->MouseMove(a.X, a.Y);
        display->MouseDown();
        Pump();
        const int steps = 6;
        for (int i = 1; i <= steps; ++i) {
            display->MouseMove(a.X + (b.X - a.X) * i / steps, a.Y + (b.Y - a.Y) * i / steps);
            Pump();
        }
        display->MouseUp();
        display->Advance(600);
        Pump();
    }

    void Key(int vk, unsigned mods = 0) {
        display->KeyPress(vk, mods);
        Pump();
    }

    HeadlessDisplay* display = nullptr;
    TForm* form = nullptr;
    TImageList* images = nullptr;
    TNxGrid* grid = nullptr;
};

// The colour of a client pixel of a snapshot (the snapshot includes the border).
inline TColor ClientPixel(TNxCustomGrid* grid, const TBitmap& shot, int x, int y) {
    const TRect c = grid->ClientRectInWindow();
    return shot.PixelColor(c.Left + x, c.Top + y);
}
