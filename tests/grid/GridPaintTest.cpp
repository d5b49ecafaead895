// Pixels of a painted grid: header, rows, grid lines, cell colours, selection, focus
// rectangle, sort arrows and the empty area.
#include "tests/grid/GridTestSupport.h"

#include "grid/NxColumnDisplays.h"
#include "grid/NxDisplays.h"

#include <algorithm>

namespace {

class GridPaint : public GridFixture {
protected:
    TRect Cell(int col, int row) { return grid->CellBounds(col, row); }
    TColor At(const TBitmap& shot, int x, int y) { return ClientPixel(grid, shot, x, y); }

    // Pixels of clGrayText strictly inside a header (its right and bottom borders excluded).
    int GrayInsideHeader(const TBitmap& shot, int col) {
        const TRect r = grid->ColumnHeaderRect(grid->Columns()->Item(col));
        int n = 0;
        for (int y = r.Top; y < r.Bottom - 1; ++y)
            for (int x = r.Left; x < r.Right - 1; ++x)
                if (At(shot, x, y) == ColorToRGB(clGrayText)) ++n;
        return n;
    }

    void ThreeRows() {
        AddRow(u"21:00", u"Arsenal", u"Chelsea", 40, 5);
        AddRow(u"09:30", u"Everton", u"Fulham", 61, 100);
        AddRow(u"18:45", u"Leeds", u"Burnley", 20, 40);
    }
};

} // namespace

TEST_F(GridPaint, GeometryOfTheProgramsSettings) {
    ThreeRows();
    EXPECT_EQ(grid->LineMarginRight(), 1);
    EXPECT_EQ(grid->LineMarginBottom(), 1);
    EXPECT_EQ(grid->LineMarginLeft(), 0);
    EXPECT_EQ(Cell(3, 0).Top, 18);
    EXPECT_EQ(Cell(3, 1).Top, 35);
    EXPECT_EQ(Cell(3, 0).Height(), 16);
    EXPECT_EQ(Cell(1, 0).Left, 0); // column 0 is hidden
    EXPECT_EQ(Cell(3, 0).Left, 66);
    EXPECT_EQ(Cell(3, 0).Width(), 146);
}

TEST_F(GridPaint, EmptyGridShowsWindowColourWithoutLines) {
    const TBitmap shot = Shot();
    const TRect home = grid->ColumnHeaderRect(grid->Columns()->Item(3));
    // Header in its colour with the grey border below and at the right.
    EXPECT_EQ(At(shot, home.Left + 2, 3), ColorToRGB(kHeaderColor));
    EXPECT_EQ(At(shot, home.Left + 2, 17), ColorToRGB(clGrayText));
    EXPECT_EQ(At(shot, home.Right - 1, 5), ColorToRGB(clGrayText));
    // Body: no grid lines anywhere, the strip right of the last column in the window colour.
    for (int y : {18, 30, 34, 60, 300})
        EXPECT_EQ(At(shot, home.Right - 1, y), ColorToRGB(clWindow)) << y;
    EXPECT_EQ(At(shot, 790, 5), ColorToRGB(clWindow));
    EXPECT_EQ(At(shot, 790, 300), ColorToRGB(clWindow));
    // A navy column shows nothing of its colour without rows.
    EXPECT_EQ(At(shot, Cell(5, 0).Left + 3, 25), ColorToRGB(clWindow));
}

TEST_F(GridPaint, GridLinesStopUnderTheLastRow) {
    ThreeRows();
    const TBitmap shot = Shot();
    const TRect home = Cell(3, 0);
    const TColor line = ColorToRGB(cl3DDkShadow);
    EXPECT_EQ(At(shot, home.Right - 1, 20), line);             // vertical line in row 0
    EXPECT_EQ(At(shot, home.Left + 3, 18 + 16), line);         // bottom line of row 0
    EXPECT_EQ(At(shot, home.Left + 3, 18 + 3 * 17 - 1), line); // bottom line of row 2
    EXPECT_EQ(At(shot, home.Right - 1, 18 + 3 * 17 + 5), ColorToRGB(clWindow));
    EXPECT_EQ(At(shot, home.Left + 3, 18 + 4 * 17 - 1), ColorToRGB(clWindow));
    // Cells take their column's colour.
    EXPECT_EQ(At(shot, Cell(5, 1).Left + 1, Cell(5, 1).Top + 1), ColorToRGB(clNavy));
    EXPECT_EQ(At(shot, Cell(8, 2).Left + 1, Cell(8, 2).Top + 1), ColorToRGB(clSilver));
}

TEST_F(GridPaint, HighlightedCellAndTheSelectedCellWithAndWithoutFocus) {
    ThreeRows();
    grid->CellObject(8, 1)->SetColor(0x80FFFF);
    TBitmap shot = Shot();
    const TRect r = Cell(8, 1);
    EXPECT_EQ(At(shot, r.Left + 1, r.Top + 1), TColor(0x80FFFF));

    // Focused and current: highlight colours and the dotted focus rectangle.
    auto* other = new TNxGrid(form);
    other->SetParent(form);
    other->SetBounds(0, 550, 200, 30);
    grid->SetFocus();
    grid->SelectCell(8, 1);
    shot = Shot();
    EXPECT_EQ(At(shot, r.Left + 3, r.Top + 3), ColorToRGB(clHighlight));
    int dots = 0;
    for (int x = r.Left; x < r.Right - 1; ++x)
        if (At(shot, x, r.Top) != ColorToRGB(clHighlight)) ++dots;
    EXPECT_GT(dots, 5); // every other pixel of the top edge is inverted
    // The text turns to the highlighted text colour.
    bool lightText = false;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left + 2; x < r.Right - 3; ++x)
            if (At(shot, x, y) == ColorToRGB(clHighlightText)) lightText = true;
    EXPECT_TRUE(lightText);

    // Focus elsewhere: own colour, no focus rectangle.
    other->SetFocus();
    shot = Shot();
    EXPECT_EQ(At(shot, r.Left + 3, r.Top + 3), TColor(0x80FFFF));
    for (int x = r.Left; x < r.Right - 1; ++x) EXPECT_EQ(At(shot, x, r.Top), TColor(0x80FFFF)) << x;
}

TEST_F(GridPaint, SortArrowOnAWideHeaderOnly) {
    ThreeRows();
    grid->Columns()->Item(3)->SetSorted(true);
    TBitmap shot = Shot();
    EXPECT_GT(GrayInsideHeader(shot, 3), 10);
    grid->Columns()->Item(9)->SetSorted(true);
    shot = Shot();
    EXPECT_EQ(GrayInsideHeader(shot, 3), 0);
    EXPECT_EQ(GrayInsideHeader(shot, 9), 0); // 35 pixels leave no room for it
    // At 60 pixels the arrow would cross the right edge: hidden unless HideArrow is off.
    grid->Columns()->Item(9)->SetWidth(60);
    shot = Shot();
    EXPECT_EQ(GrayInsideHeader(shot, 9), 0);
    grid->Columns()->Item(9)->Header()->SetHideArrow(false);
    shot = Shot();
    EXPECT_GT(GrayInsideHeader(shot, 9), 0);
}

TEST_F(GridPaint, ImageCellsDrawTheirImageOrNothing) {
    ThreeRows();
    grid->CellObject(1, 0)->SetIntValue(2);
    grid->CellObject(1, 1)->SetIntValue(200);
    grid->CellObject(1, 2)->SetIntValue(-1);
    const TBitmap shot = Shot();
    const TRect r0 = Cell(1, 0);
    EXPECT_EQ(At(shot, r0.Left + 14, r0.Top + 8), RGB(30, 200, 0));
    for (int row : {1, 2}) {
        const TRect r = Cell(1, row);
        for (int x = r.Left; x < r.Right - 1; ++x)
            EXPECT_EQ(At(shot, x, r.Top + 8), ColorToRGB(clWindow)) << row << "," << x;
    }
}

TEST_F(GridPaint, CaptionOfAnEmptyGridAndRepaintAfterAChange) {
    grid->SetGridCaption(u"No matches");
    TBitmap shot = Shot();
    int dark = 0;
    for (int y = 22; y < 40; ++y)
        for (int x = 300; x < 500; ++x)
            if (GetRValue(At(shot, x, y)) < 100) ++dark;
    EXPECT_GT(dark, 20);
    AddRow(u"21:00", u"Arsenal", u"Chelsea", 40, 5);
    shot = Shot();
    // One row: the caption is gone and the new cell colour shows after one loop pass.
    grid->CellObject(12, 0)->SetColor(0x80FF80);
    shot = Shot();
    EXPECT_EQ(At(shot, Cell(12, 0).Left + 1, Cell(12, 0).Top + 1), TColor(0x80FF80));
}

TEST_F(GridPaint, OtherLineStylesAndDarkenedSortedColumn) {
    ThreeRows();
    grid->SetGridLinesStyle(lsNormal);
    grid->SetGridLinesColor(clRed);
    TBitmap shot = Shot();
    const TRect home = Cell(3, 0);
    EXPECT_EQ(At(shot, home.Right - 1, 18 + 5 * 17 + 3), ColorToRGB(clRed)); // empty area too
    grid->SetGridLinesStyle(lsHorizontalOnly);
    EXPECT_EQ(grid->LineMarginRight(), 0);
    shot = Shot();
    EXPECT_NE(At(shot, home.Right - 1, 20), ColorToRGB(clRed));
    grid->SetGridLinesStyle(lsVerticalOnly);
    EXPECT_EQ(grid->LineMarginBottom(), 0);
    EXPECT_EQ(Cell(3, 1).Top, 18 + 16);

    grid->SetAppearanceOptions(grid->AppearanceOptions() + aoIndicateSortedColumn);
    grid->Columns()->Item(8)->SetSorted(true);
    shot = Shot();
    // 245/256 of silver (192): 183.
    const TRect r = Cell(8, 0);
    EXPECT_EQ(At(shot, r.Left + 1, r.Top + 1), RGB(183, 183, 183));
}

TEST_F(GridPaint, ASortKindSetInCodeMovesTheArrow) {
    ThreeRows();
    TNxCustomColumn* home = grid->Columns()->Item(3);
    home->SetSorted(true);
    const TBitmap ascending = Shot();
    home->SetSortKind(skDescending);
    const TBitmap descending = Shot();
    grid->Invalidate();
    const TBitmap repainted = Shot();
    const TRect r = grid->ColumnHeaderRect(home);
    int changed = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            if (At(ascending, x, y) != At(descending, x, y)) ++changed;
            ASSERT_EQ(At(descending, x, y), At(repainted, x, y)) << x << "," << y;
        }
    EXPECT_GT(changed, 0); // the arrow turned over
}

TEST_F(GridPaint, OfficeStylesFrameTheBorderInTheirColour) {
    grid->SetBorderStyle(bsNone);
    grid->SetBorderStyle(bsSingle);
    grid->SetHeaderStyle(hsOffice2007);
    TBitmap shot = Shot();
    const TColor c2007 = ColorToRGB(TOffice2007StyleDisplay::BorderColor);
    EXPECT_EQ(shot.PixelColor(0, 0), c2007);
    EXPECT_EQ(shot.PixelColor(shot.Width() - 1, shot.Height() / 2), c2007);
    EXPECT_EQ(shot.PixelColor(shot.Width() / 2, shot.Height() - 1), c2007);
    grid->SetHeaderStyle(hsOffice2010);
    shot = Shot();
    EXPECT_EQ(shot.PixelColor(0, shot.Height() / 2),
              ColorToRGB(TOffice2010StyleDisplay::BorderColor));
    // The other styles keep the platform's edge.
    grid->SetHeaderStyle(hsFlatBorders);
    shot = Shot();
    EXPECT_NE(shot.PixelColor(0, 0), c2007);
    EXPECT_NE(shot.PixelColor(0, 0), ColorToRGB(TOffice2010StyleDisplay::BorderColor));
}

TEST_F(GridPaint, CellHandlersSeeTheColumnsFont) {
    ThreeRows();
    TNxCustomColumn* home = grid->Columns()->Item(3);
    TNxCustomColumn* away = grid->Columns()->Item(4);
    TFont big;
    big.SetName("Courier New");
    big.SetHeight(21);
    home->SetFont(big);
    away->SetDrawingOptions(doCustomOnly);
    big.SetHeight(17);
    away->SetFont(big);
    std::vector<int> coloring, background, custom;
    // Rows below the last one are empty space, drawn without any column's font.
    grid->OnCellColoring = [&](TObject*, int col, int row, TColor&, TColor&, TCellStates) {
        if (row < grid->RowCount())
            coloring.push_back(col == 3 ? grid->Canvas()->Font()->Height() : 0);
    };
    grid->OnDrawCellBackground = [&](TObject*, int col, int row, TRect, TCellStates, bool&) {
        if (row < grid->RowCount())
            background.push_back(col == 3 ? grid->Canvas()->Font()->Height() : 0);
    };
    grid->OnCustomDrawCell = [&](TObject*, int col, int, TRect, TCellStates) {
        if (col == 4) custom.push_back(grid->Canvas()->Font()->Height());
    };
    grid->Invalidate();
    Shot();
    auto all = [](const std::vector<int>& seen, int height) {
        return !seen.empty() &&
               std::count(seen.begin(), seen.end(), height) +
                       std::count(seen.begin(), seen.end(), 0) ==
                   std::ptrdiff_t(seen.size()) &&
               std::count(seen.begin(), seen.end(), height) > 0;
    };
    EXPECT_TRUE(all(coloring, 21));
    EXPECT_TRUE(all(background, 21));
    // A column that only custom-draws gets its own font too.
    ASSERT_FALSE(custom.empty());
    for (int h : custom) EXPECT_EQ(h, 17);
}

TEST_F(GridPaint, WrappedTextTallerThanItsCellOverhangsEvenly) {
    TBitmap canvasBitmap(120, 120);
    canvasBitmap.Fill(clWhite);
    TCanvas& c = *canvasBitmap.Canvas();
    TFont font;
    font.SetName("Arial");
    font.SetHeight(14);
    font.SetColor(clBlack);
    c.SetFont(font);
    TNxCustomColumn* home = grid->Columns()->Item(3);
    home->SetWrapKind(wkWordWrap);
    home->SetVerticalAlignment(taVerticalCenter);
    TColumnDisplay* display = home->Display();
    display->Canvas = &c;
    const TRect cell{0, 50, 20, 60}; // 10 pixels for four lines of one word
    display->DrawTextRect(u"aa bb cc dd", cell);
    display->Canvas = nullptr;
    int top = -1, bottom = -1;
    for (int y = 0; y < canvasBitmap.Height(); ++y)
        for (int x = 0; x < canvasBitmap.Width(); ++x)
            if (canvasBitmap.PixelColor(x, y) != ColorToRGB(clWhite)) {
                if (top < 0) top = y;
                bottom = y;
            }
    ASSERT_GE(top, 0);
    // About 64 pixels of text start 27 above the cell (half the overhang); the drawing is
    // clipped at the cell's bottom, so the cell shows the middle of the block.
    EXPECT_LT(top, cell.Top - 15);
    EXPECT_GT(top, cell.Top - 30);
    EXPECT_LT(bottom, cell.Bottom);
}
