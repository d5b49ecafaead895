// Real input through the headless display: header clicks that sort, selection by mouse and
// keys, the wheel, resizing and moving columns, hints.
#include "tests/grid/GridTestSupport.h"

#include "rtl/Exceptions.h"

namespace {

class GridInput : public GridFixture {
protected:
    TPoint HeaderCentre(int col) {
        const TRect r = grid->ColumnHeaderRect(grid->Columns()->Item(col));
        return {(r.Left + r.Right) / 2, 9};
    }
    TPoint CellCentre(int col, int row) {
        const TRect r = grid->CellBounds(col, row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void ClickHeader(int col) {
        const TPoint p = HeaderCentre(col);
        ClickAt(p.X, p.Y);
    }
    void ClickCell(int col, int row) {
        const TPoint p = CellCentre(col, row);
        ClickAt(p.X, p.Y);
    }
    std::vector<WideString> Column(int col) {
        std::vector<WideString> v;
        for (int r = 0; r < grid->RowCount(); ++r) v.push_back(grid->CellText(col, r));
        return v;
    }
    void TimesRows() {
        AddRow(u"21:00", u"Arsenal", u"Chelsea", 40, 100);
        AddRow(u"09:30", u"Everton", u"Fulham", 61, 5);
        AddRow(u"18:45", u"Leeds", u"Burnley", 20, 40);
    }
};

using V = std::vector<WideString>;

} // namespace

TEST_F(GridInput, HeaderClickSortsThenReverses) {
    TimesRows();
    ClickHeader(2);
    EXPECT_TRUE(grid->Columns()->Item(2)->Sorted());
    EXPECT_EQ(Column(2), (V{u"09:30", u"18:45", u"21:00"}));
    EXPECT_EQ(Column(3), (V{u"Everton", u"Leeds", u"Arsenal"})); // whole rows moved
    ClickHeader(2);
    EXPECT_EQ(grid->Columns()->Item(2)->SortKind(), skDescending);
    EXPECT_EQ(Column(2), (V{u"21:00", u"18:45", u"09:30"}));
    // A number column sorts by value, not by text.
    ClickHeader(15);
    EXPECT_FALSE(grid->Columns()->Item(2)->Sorted());
    EXPECT_EQ(Column(15), (V{u"5", u"40", u"100"}));
}

TEST_F(GridInput, ReversalKeepsTiesMirroredUntilACellChanges) {
    for (int i = 0; i < 40; ++i) {
        AddRow(i % 2 ? u"10:00" : u"11:00", u"H", u"A", 0, i);
        grid->SetCellText(0, i, IntToWideStr(i));
    }
    ClickHeader(2);
    const V first = Column(0);
    ClickHeader(2); // same column, no change since: a plain reversal
    V reversed(first.rbegin(), first.rend());
    EXPECT_EQ(Column(0), reversed);
    // After a change the next click sorts fully (in the flipped direction).
    grid->SetCellText(2, 0, u"00:00");
    ClickHeader(2);
    EXPECT_EQ(grid->Columns()->Item(2)->SortKind(), skAscending);
    EXPECT_EQ(grid->CellText(2, 0), u"00:00");
    for (int r = 1; r < grid->RowCount(); ++r)
        EXPECT_LE(grid->CellText(2, r - 1), grid->CellText(2, r));
}

TEST_F(GridInput, PressOnOneHeaderReleaseOnAnotherDoesNotSort) {
    TimesRows();
    std::vector<int> clicked;
    grid->OnHeaderClick = [&](TObject*, int index) { clicked.push_back(index); };
    grid->SetOptions(grid->Options() + goDisableColumnMoving);
    Drag(HeaderCentre(2), HeaderCentre(3));
    EXPECT_EQ(clicked, std::vector<int>{2});
    EXPECT_FALSE(grid->Columns()->Item(2)->Sorted());
    EXPECT_FALSE(grid->Columns()->Item(3)->Sorted());
    EXPECT_EQ(Column(2), (V{u"21:00", u"09:30", u"18:45"}));
}

TEST_F(GridInput, SortKeepsTheCurrentRowRecord) {
    TimesRows();
    ClickCell(3, 2); // Leeds
    ASSERT_EQ(grid->CurrentRow(), 2);
    TRow* record = grid->Cells()->Row(2);
    std::vector<std::pair<int, int>> selected;
    grid->OnSelectCell = [&](TObject*, int c, int r) { selected.push_back({c, r}); };
    ClickHeader(3);
    EXPECT_EQ(grid->CellText(3, grid->CurrentRow()), u"Leeds");
    EXPECT_EQ(grid->Cells()->Row(grid->CurrentRow()), record);
    EXPECT_EQ(grid->CurrentRow(), 2); // Arsenal, Everton, Leeds
    ClickHeader(3);
    EXPECT_EQ(grid->CurrentRow(), 0);
    EXPECT_EQ(grid->CellText(3, 0), u"Leeds");
    EXPECT_FALSE(selected.empty());
}

TEST_F(GridInput, NumericSortOfTextRaisesAndLeavesTheGridUsable) {
    TimesRows();
    grid->SetCellText(3, 1, u"12");
    TNxCustomColumn* home = grid->Columns()->Item(3);
    home->SetSortType(stNumeric);
    EXPECT_THROW(grid->SortByColumn(home, true), EConvertError);
    EXPECT_EQ(Column(3), (V{u"Arsenal", u"12", u"Leeds"}));
    ClickHeader(2);
    EXPECT_EQ(Column(2), (V{u"09:30", u"18:45", u"21:00"}));
}

TEST_F(GridInput, KeyboardMovesTheCurrentCell) {
    TimesRows();
    grid->SetFocus();
    Key(VK_DOWN);
    EXPECT_EQ(grid->CurrentRow(), -1); // nothing current yet
    ClickCell(3, 1);
    Key(VK_DOWN);
    EXPECT_EQ(grid->CurrentRow(), 2);
    Key(VK_DOWN);
    EXPECT_EQ(grid->CurrentRow(), 2); // last row
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(grid->CurrentRow(), 0);
    Key(VK_RIGHT);
    EXPECT_EQ(grid->CurrentColumn(), 4);
    ClickCell(1, 0);
    Key(VK_LEFT); // column 0 is hidden
    EXPECT_EQ(grid->CurrentColumn(), 1);
    Key(VK_END);
    EXPECT_EQ(grid->CurrentRow(), 2);
    Key(VK_HOME);
    EXPECT_EQ(grid->CurrentRow(), 0);
    // A refusing OnBeforeSelect keeps the cell.
    grid->OnBeforeSelect = [](TObject*, int, int, bool& accept) { accept = false; };
    Key(VK_DOWN);
    EXPECT_EQ(grid->CurrentRow(), 0);
}

TEST_F(GridInput, ArrowsAndPagesScrollLongGrids) {
    for (int i = 0; i < 100; ++i) AddRow(u"10:00", u"H", u"A", i, i);
    const int fit = grid->FullyVisibleRowCount();
    ASSERT_GT(fit, 10);
    ClickCell(3, 0);
    Key(VK_NEXT);
    EXPECT_EQ(grid->CurrentRow(), fit - 1); // the last fully shown row
    EXPECT_EQ(grid->TopRow(), 0);
    Key(VK_NEXT);
    EXPECT_EQ(grid->CurrentRow(), 2 * fit - 1);
    EXPECT_EQ(grid->TopRow(), fit);
    Key(VK_PRIOR);
    EXPECT_EQ(grid->CurrentRow(), fit); // the top row first
    Key(VK_UP);
    EXPECT_EQ(grid->CurrentRow(), fit - 1);
    EXPECT_EQ(grid->TopRow(), fit - 1);
    ClickCell(3, grid->TopRow() + fit - 1);
    Key(VK_DOWN);
    EXPECT_EQ(grid->TopRow(), fit);
    Key(VK_END);
    EXPECT_EQ(grid->CurrentRow(), 99);
    EXPECT_EQ(grid->TopRow() + fit - 1, 99);
    Key(VK_HOME);
    EXPECT_EQ(grid->TopRow(), 0);
}

TEST_F(GridInput, WheelScrollsWithoutMovingTheCurrentCell) {
    for (int i = 0; i < 60; ++i) AddRow(u"10:00", u"H", u"A", i, i);
    ClickCell(3, 2);
    const TPoint p = Screen(200, 100);
    display->MouseMove(p.X, p.Y);
    display->Wheel(-1);
    Pump();
    EXPECT_EQ(grid->TopRow(), 1);
    display->Wheel(-2);
    Pump();
    EXPECT_EQ(grid->TopRow(), 3);
    display->Wheel(1);
    Pump();
    EXPECT_EQ(grid->TopRow(), 2);
    EXPECT_EQ(grid->CurrentRow(), 2);
    EXPECT_EQ(grid->CurrentColumn(), 3);
}

TEST_F(GridInput, WheelScrollsSidewaysWhenAllRowsShow) {
    AddRow(u"10:00", u"H", u"A", 1, 1);
    grid->SetBounds(0, 0, 300, 200);
    Pump();
    ASSERT_TRUE(grid->HorzScrollBar()->HasRange());
    const TPoint p = Screen(100, 50);
    display->MouseMove(p.X, p.Y);
    display->Wheel(-1);
    Pump();
    EXPECT_EQ(grid->HorzScrollBar()->Position(), 5);
    EXPECT_EQ(grid->CellBounds(3, 0).Left, 66 - 5);
}

TEST_F(GridInput, ResizingAColumnByItsHeaderBorder) {
    TimesRows();
    std::vector<int> resized;
    grid->OnColumnResize = [&](TObject*, int index) { resized.push_back(index); };
    TNxCustomColumn* home = grid->Columns()->Item(3);
    const int right = home->Left() + home->Width();
    Drag({right - 1, 9}, {right + 29, 9});
    EXPECT_EQ(home->Width(), 176);
    EXPECT_EQ(grid->Columns()->Item(4)->Left(), right + 30);
    EXPECT_EQ(resized, std::vector<int>{3});
    EXPECT_FALSE(home->Sorted()); // resizing is no header click
    Drag({right + 29, 9}, {right - 300, 9});
    EXPECT_EQ(home->Width(), 8);
}

TEST_F(GridInput, DoubleClickOnABorderFitsTheColumn) {
    TimesRows();
    TNxCustomColumn* home = grid->Columns()->Item(3);
    const int right = home->Left() + home->Width();
    const TPoint p = Screen(right, 9);
    display->Click(p.X, p.Y);
    display->Click(p.X, p.Y);
    Pump();
    // "Everton" is the widest text; the column now just holds it.
    TCanvas* c = grid->MeasureCanvas();
    c->SetFont(*home->Font());
    EXPECT_EQ(home->Width(), 5 + c->TextWidth(WideString(u"Everton")));
}

TEST_F(GridInput, DraggingAHeaderOntoAnotherSwapsThem) {
    TimesRows();
    TNxCustomColumn* home = grid->Columns()->Item(3);
    TNxCustomColumn* away = grid->Columns()->Item(4);
    const TRect awayHeader = grid->ColumnHeaderRect(away);
    Drag(HeaderCentre(3), {awayHeader.Right - 10, 9});
    EXPECT_EQ(home->Position(), 4);
    EXPECT_EQ(away->Position(), 3);
    EXPECT_EQ(away->Left(), 66);
    EXPECT_EQ(grid->CellText(3, 0), u"Arsenal"); // cells keep their column index
    EXPECT_FALSE(home->Sorted());
    // While dragging, red marks show where the column would land.
    const TPoint a = Screen(HeaderCentre(3).X, 9); // Home, now fifth
    const TRect timeHeader = grid->ColumnHeaderRect(grid->Columns()->Item(2));
    const TPoint b = Screen(timeHeader.Left + 5, 9);
    display->MouseMove(a.X, a.Y);
    display->MouseDown();
    Pump();
    for (int i = 1; i <= 4; ++i) {
        display->MouseMove(a.X + (b.X - a.X) * i / 4, a.Y);
        Pump();
    }
    ASSERT_NE(grid->Mouse().DraggedColumn(), nullptr);
    TBitmap shot;
    SnapshotControl(grid, shot);
    EXPECT_EQ(ClientPixel(grid, shot, timeHeader.Left, 1), ColorToRGB(clRed));
    display->MouseUp();
    display->Advance(600);
    Pump();
    EXPECT_EQ(home->Position(), 2); // before Time
    // Dropped outside the header: nothing happens.
    Drag(HeaderCentre(2), {300, 300});
    EXPECT_EQ(home->Position(), 2);
    EXPECT_TRUE(away->Visible());
}

TEST_F(GridInput, HintsOverCells) {
    AddRow(u"10:00", u"Borussia Moenchengladbach Amateure", u"A", 1, 1);
    grid->CellObject(1, 0)->SetHint(u"Germany.Bundesliga");
    const TRect home = grid->CellBounds(3, 0);
    TPoint p = Screen(home.Left + 10, home.Top + 5);
    display->MouseMove(p.X, p.Y);
    Pump();
    EXPECT_EQ(grid->HintKind(), hkTextFit);
    EXPECT_EQ(grid->HintText(), u"Borussia Moenchengladbach Amateure");
    const TRect flag = grid->CellBounds(1, 0);
    p = Screen(flag.Left + 5, flag.Top + 5);
    display->MouseMove(p.X, p.Y);
    Pump();
    EXPECT_EQ(grid->HintKind(), hkCell);
    EXPECT_EQ(grid->HintText(), u"Germany.Bundesliga");
    // Hints off: the cell hint goes, the text-fit hint stays.
    Application->SetShowHint(false);
    p = Screen(flag.Left + 5, flag.Top + 40);
    display->MouseMove(p.X, p.Y);
    Pump();
    EXPECT_EQ(grid->HintKind(), hkNone);
    p = Screen(flag.Left + 5, flag.Top + 5);
    display->MouseMove(p.X, p.Y);
    Pump();
    EXPECT_EQ(grid->HintKind(), hkNone);
    p = Screen(home.Left + 10, home.Top + 5);
    display->MouseMove(p.X, p.Y);
    Pump();
    EXPECT_EQ(grid->HintKind(), hkTextFit);
    Application->SetShowHint(true);
}

TEST_F(GridInput, TypingEditsOnlyColumnsWithEditing) {
    TimesRows();
    ClickCell(3, 0);
    display->Type("x");
    Pump();
    EXPECT_FALSE(grid->EditController().Editing());
    TNxCustomColumn* home = grid->Columns()->Item(3);
    home->SetOptions(home->Options() + coEditing);
    display->Type("Q");
    Pump();
    ASSERT_TRUE(grid->EditController().Editing());
    display->Type("PR");
    Key(VK_RETURN);
    EXPECT_FALSE(grid->EditController().Editing());
    EXPECT_EQ(grid->CellText(3, 0), u"QPR");
}

TEST_F(GridInput, UpAndDownFromAnUnseenRowScrollOneRow) {
    for (int i = 0; i < 100; ++i) AddRow(u"10:00", u"H", u"A", i, i);
    const int fit = grid->FullyVisibleRowCount();
    ClickCell(3, 2);
    const TPoint p = Screen(200, 100);
    display->MouseMove(p.X, p.Y);
    display->Wheel(-20);
    Pump();
    ASSERT_EQ(grid->TopRow(), 20);
    // The new current row is above the view: one row up, not a jump to it.
    Key(VK_UP);
    EXPECT_EQ(grid->CurrentRow(), 1);
    EXPECT_EQ(grid->TopRow(), 19);
    // The same below the view.
    Key(VK_END);
    for (int i = 0; i < 20; ++i) Key(VK_UP);
    ASSERT_EQ(grid->CurrentRow(), 79);
    display->Wheel(30);
    Pump();
    const int top = grid->TopRow();
    ASSERT_LT(top + fit, 79);
    Key(VK_DOWN);
    EXPECT_EQ(grid->CurrentRow(), 80);
    EXPECT_EQ(grid->TopRow(), top + 1);
}

TEST_F(GridInput, ASortThatLeavesTheRowInPlaceStillSelectsIt) {
    TimesRows();
    ClickCell(3, 0); // Arsenal, first by name as well
    std::vector<std::pair<int, int>> selected;
    grid->OnSelectCell = [&](TObject*, int c, int r) { selected.push_back({c, r}); };
    ClickHeader(3);
    EXPECT_EQ(grid->CurrentRow(), 0);
    EXPECT_EQ(selected, (std::vector<std::pair<int, int>>{{3, 0}}));
}

TEST_F(GridInput, IndicatorCursors) {
    TimesRows();
    grid->SetOptions(grid->Options() + goIndicator);
    Pump();
    auto cursorAt = [&](int x, int y) {
        const TPoint p = Screen(x, y);
        display->MouseMove(p.X, p.Y);
        Pump();
        return grid->Cursor();
    };
    const TRect first = grid->CellBounds(3, 0);
    const TRect second = grid->CellBounds(3, 1);
    const int border = second.Top - 1; // the line under the first row
    EXPECT_EQ(cursorAt(5, (first.Top + first.Bottom) / 2), crNxIndicatorSelect);
    EXPECT_EQ(cursorAt(5, border), crNxIndicatorSelect); // rows cannot be resized
    EXPECT_EQ(cursorAt(5, 5), crDefault);                // the header above the indicator
    grid->SetOptions(grid->Options() + goRowResizing);
    EXPECT_EQ(cursorAt(5, border), crNxVertSplit);
    EXPECT_EQ(cursorAt(5, (first.Top + first.Bottom) / 2), crNxIndicatorSelect);
    const TRect last = grid->CellBounds(3, 2);
    EXPECT_EQ(cursorAt(5, last.Bottom), crNxVertSplit); // the last row's own bottom
    EXPECT_EQ(cursorAt(5, last.Bottom + 20), crNxIndicatorSelect);
    EXPECT_EQ(cursorAt(200, border), crDefault); // a cell keeps its column's cursor
}
