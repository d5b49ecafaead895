// Refresh batching, change events, scroll bar ranges, the other sort types, selection events
// and the less common paint options.
#include "tests/grid/GridTestSupport.h"

#include "rtl/DateTime.h"

namespace {

class GridBehaviour : public GridFixture {
protected:
    TColor At(const TBitmap& shot, int x, int y) { return ClientPixel(grid, shot, x, y); }
    std::vector<WideString> Column(int col) {
        std::vector<WideString> v;
        for (int r = 0; r < grid->RowCount(); ++r) v.push_back(grid->CellText(col, r));
        return v;
    }
    void FillHomes(std::initializer_list<const char16_t*> homes) {
        for (const char16_t* h : homes) AddRow(u"10:00", h, u"A", 1, 1);
    }
};

using V = std::vector<WideString>;

} // namespace

TEST_F(GridBehaviour, ManyChangesEndInOnePaint) {
    for (int i = 0; i < 30; ++i) AddRow(u"10:00", u"H", u"A", i, i);
    Pump();
    int paints = 0;
    grid->OnPostDraw = [&](TObject*) { ++paints; };
    for (int round = 0; round < 20; ++round)
        for (int r = 0; r < 30; ++r)
            for (int c = 5; c < 16; ++c) grid->CellObject(c, r)->SetColor(0x80FF80 + round);
    Pump();
    EXPECT_EQ(paints, 1);
    grid->OnPostDraw = nullptr;
}

// Rows below the window at the last paint ask for no repaint when they change or are
// appended; once they come into view their changes show again, the row cut by the bottom edge
// included.
TEST_F(GridBehaviour, ChangesBelowTheWindowRepaintOnlyOnceInView) {
    for (int i = 0; i < 100; ++i) AddRow(u"10:00", u"H", u"A", i, i);
    Pump();
    int paints = 0;
    grid->OnPostDraw = [&](TObject*) { ++paints; };
    const int cut = grid->TopRow() + grid->FullyVisibleRowCount(); // partly shown
    grid->SetCellText(3, cut + 1, u"Below");
    grid->CellObject(8, 90)->SetColor(clRed);
    AddRow(u"11:00", u"H", u"A", 1, 1);
    Pump();
    EXPECT_EQ(paints, 0);
    grid->SetCellText(3, cut, u"Cut");
    Pump();
    EXPECT_EQ(paints, 1);

    // Scrolled into view, a row shows what changed while it was below, and changes again.
    grid->ScrollRowIntoView(90);
    Pump();
    EXPECT_EQ(paints, 2);
    const int y = grid->CellBounds(8, 90).Top + 4;
    const int x = grid->CellBounds(8, 90).Left + 2;
    EXPECT_EQ(At(Shot(), x, y), clRed);
    grid->CellObject(8, 90)->SetColor(clLime);
    EXPECT_EQ(At(Shot(), x, y), clLime);
    EXPECT_EQ(paints, 3);

    // Back at the top after the rows are replaced, rows that were shown lower down before are
    // near the top now and repaint.
    grid->ClearRows();
    for (int i = 0; i < 3; ++i) AddRow(u"10:00", u"H", u"A", i, i);
    Pump();
    const int before = paints;
    grid->CellObject(8, 2)->SetColor(clRed);
    EXPECT_EQ(At(Shot(), grid->CellBounds(8, 2).Left + 2, grid->CellBounds(8, 2).Top + 4), clRed);
    EXPECT_EQ(paints, before + 1);
    grid->OnPostDraw = nullptr;
}

TEST_F(GridBehaviour, SuspendedRefreshRaisesNoChangeEvents) {
    AddRow(u"10:00", u"H", u"A", 1, 1);
    std::vector<std::pair<int, int>> changes;
    grid->OnChange = [&](TObject*, int c, int r) { changes.push_back({c, r}); };
    grid->BeginUpdate();
    grid->SetCellText(3, 0, u"X");
    grid->AddRows(2);
    grid->EndUpdate();
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(grid->VertScrollBar()->Max(), 0); // recomputed: three rows fit
    // Setting a colour to the value it has still reports the change.
    grid->CellObject(8, 0)->SetColor(grid->CellObject(8, 0)->Color());
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{8, 0}}));
    // Nested updates: news again only when the outer one ends.
    grid->BeginUpdate();
    grid->BeginUpdate();
    grid->EndUpdate();
    grid->SetCellText(4, 0, u"Y");
    EXPECT_EQ(changes.size(), 1u);
    grid->EndUpdate();
    grid->SetCellText(4, 0, u"Z");
    EXPECT_EQ(changes.back(), (std::pair<int, int>{4, 0}));
    const TBitmap shot = Shot();
    EXPECT_EQ(grid->CellText(3, 0), u"X");
    (void)shot;
}

TEST_F(GridBehaviour, ScrollBarRanges) {
    // Columns fit: no horizontal bar.
    EXPECT_FALSE(grid->HorzScrollBar()->Visible());
    EXPECT_EQ(grid->HorzScrollBar()->Max(), 778);
    const int fit = (grid->ClientHeight() - 18) / 17;
    for (int i = 0; i < fit; ++i) AddRow(u"10:00", u"H", u"A", i, i);
    EXPECT_EQ(grid->VertScrollBar()->Max(), 0);
    for (int i = 0; i < 10; ++i) AddRow(u"10:00", u"H", u"A", i, i);
    Pump();
    const int b = grid->FullyVisibleRowCount();
    EXPECT_EQ(grid->VertScrollBar()->Max(), fit + 10);
    EXPECT_EQ(grid->VertScrollBar()->PageSize(), b + 1);
    EXPECT_TRUE(grid->VertScrollBar()->Visible());
    EXPECT_TRUE(grid->Style() & WS_VSCROLL);
    // Scroll bar messages move the top row, clamped at the end.
    grid->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(grid->TopRow(), 1);
    grid->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(grid->TopRow(), fit + 10 - b);
    grid->Perform(WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(grid->TopRow(), std::max(0, fit + 10 - b - (b + 1)));
    grid->Perform(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(grid->TopRow(), 0);
    // Narrow grid: the horizontal bar appears and scrolls in pixels.
    grid->SetBounds(0, 0, 400, 300);
    Pump();
    EXPECT_TRUE(grid->HorzScrollBar()->Visible());
    grid->Perform(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(grid->HorzScrollBar()->Position(), 5);
    grid->Perform(WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(grid->HorzScrollBar()->Position(), grid->HorzScrollBar()->MaxScrollPos());
    grid->ClearRows();
    EXPECT_EQ(grid->VertScrollBar()->Max(), 0);
    EXPECT_EQ(grid->TopRow(), 0);
}

// The vertical bar that rows bring takes width from the client: the horizontal bar must follow,
// so that the last column can still be scrolled fully into view, and go again with the rows.
TEST_F(GridBehaviour, HorizontalBarFollowsTheVerticalOne) {
    TNxCustomColumn* home = grid->Columns()->Item(3);
    home->SetWidth(home->Width() + 790 - grid->Columns()->TotalWidth());
    ASSERT_EQ(grid->Columns()->TotalWidth(), 790);
    const int wide = grid->ClientWidth();
    ASSERT_GT(wide, 790);
    EXPECT_FALSE(grid->HorzScrollBar()->Visible());
    for (int i = 0; i < 40; ++i) AddRow(u"10:00", u"H", u"A", i, i);
    Pump();
    ASSERT_TRUE(grid->VertScrollBar()->Visible());
    const int narrow = grid->ClientWidth();
    ASSERT_LT(narrow, 790);
    TNxScrollBar& bar = *grid->HorzScrollBar();
    EXPECT_TRUE(bar.Visible());
    EXPECT_TRUE(grid->Style() & WS_HSCROLL);
    EXPECT_EQ(bar.PageSize(), narrow + 1);
    grid->Perform(WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(bar.Position(), 790 - narrow);
    // The last column's right edge is then the client's.
    TNxCustomColumn* last = grid->Columns()->Item(15);
    EXPECT_EQ(grid->ColumnHeaderRect(last).Right, narrow);
    // The horizontal bar took height too: the vertical range counts the rows that still fit.
    EXPECT_EQ(grid->VertScrollBar()->PageSize(), grid->FullyVisibleRowCount() + 1);

    // Without rows the vertical bar goes, the client widens again and no column is hidden.
    grid->ClearRows();
    Pump();
    EXPECT_FALSE(grid->VertScrollBar()->Visible());
    EXPECT_EQ(grid->ClientWidth(), wide);
    EXPECT_FALSE(bar.Visible());
    EXPECT_FALSE(grid->Style() & WS_HSCROLL);
    EXPECT_EQ(bar.Position(), 0);
}

TEST_F(GridBehaviour, OtherSortTypes) {
    FillHomes({u"beta", u"Alpha", u"gamma", u"Beta"});
    TNxCustomColumn* home = grid->Columns()->Item(3);
    grid->SortByColumn(home, true);
    EXPECT_EQ(Column(3), (V{u"Alpha", u"Beta", u"beta", u"gamma"})); // ordinal
    home->SetSortType(stCaseInsensitive);
    grid->SetCellText(0, 0, u"x"); // any change: the next sort is a full one
    grid->SortByColumn(home, true);
    EXPECT_EQ(Column(3)[0], u"Alpha");
    EXPECT_EQ(Column(3)[3], u"gamma");
    home->SetSortType(stCustom);
    grid->OnCompare = [](TObject*, TCell* a, TCell* b, int& result) {
        result = int(a->TextValue().size()) - int(b->TextValue().size());
    };
    grid->SetCellText(3, 0, u"Al");
    grid->SortByColumn(home, true);
    EXPECT_EQ(Column(3).front(), u"Al");
    EXPECT_EQ(Column(3).back().size(), 5u);
    home->SetSortType(stIP);
    grid->SetCellText(3, 0, u"10.0.0.2");
    grid->SetCellText(3, 1, u"9.200.1.1");
    grid->SetCellText(3, 2, u"10.0.0.10");
    grid->SetCellText(3, 3, u"10.0");
    grid->SortByColumn(home, true);
    EXPECT_EQ(Column(3), (V{u"9.200.1.1", u"10.0", u"10.0.0.2", u"10.0.0.10"}));
    home->SetSortType(stDate);
    FormatSettings.ShortDateFormat = "dd/mm/yyyy";
    FormatSettings.DateSeparator = '/';
    grid->SetCellText(3, 0, u"02/01/2026");
    grid->SetCellText(3, 1, u"31/12/2025");
    grid->SetCellText(3, 2, u"01/02/2026");
    grid->SetCellText(3, 3, u"");
    grid->SortByColumn(home, false);
    EXPECT_EQ(Column(3), (V{u"01/02/2026", u"02/01/2026", u"31/12/2025", u""}));
    FormatSettings = LocaleFormatSettings();
    FormatSettings.DecimalSeparator = '.';
}

TEST_F(GridBehaviour, ColumnsWithoutCanSortStayPut) {
    FillHomes({u"b", u"a"});
    TNxCustomColumn* home = grid->Columns()->Item(3);
    home->SetOptions(home->Options() - coCanSort);
    ClickAt(100, 9);
    EXPECT_EQ(Column(3), (V{u"b", u"a"}));
    EXPECT_FALSE(home->Sorted());
}

TEST_F(GridBehaviour, HeaderDoubleClickDoesNotSort) {
    FillHomes({u"b", u"a"});
    std::vector<int> dbl;
    grid->OnHeaderDblClick = [&](TObject*, int index) { dbl.push_back(index); };
    const TPoint p = Screen(100, 9);
    display->Click(p.X, p.Y);
    display->Click(p.X, p.Y);
    Pump();
    EXPECT_EQ(dbl, std::vector<int>{3});
    // The first click of the pair sorted; the double click did not reverse it.
    EXPECT_EQ(grid->Columns()->Item(3)->SortKind(), skAscending);
    EXPECT_EQ(Column(3), (V{u"a", u"b"}));
}

TEST_F(GridBehaviour, SortedFlagSurvivesClearRows) {
    FillHomes({u"b", u"c", u"a"});
    ClickAt(100, 9);
    grid->ClearRows();
    EXPECT_TRUE(grid->Columns()->Item(3)->Sorted());
    FillHomes({u"b", u"c", u"a"});
    EXPECT_EQ(Column(3), (V{u"b", u"c", u"a"})); // arrival order
    ClickAt(100, 9);
    EXPECT_EQ(grid->Columns()->Item(3)->SortKind(), skDescending);
    EXPECT_EQ(Column(3), (V{u"c", u"b", u"a"}));
}

TEST_F(GridBehaviour, SelectionEvents) {
    FillHomes({u"a", u"b"});
    std::vector<std::string> log;
    grid->OnSelectCell = [&](TObject*, int c, int r) { log.push_back(Format("sel %d,%d", c, r)); };
    grid->OnDeselectCell = [&](TObject*, int c, int r) {
        log.push_back(Format("desel %d,%d", c, r));
    };
    grid->SelectCell(3, 0);
    grid->SelectCell(4, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"sel 3,0", "desel 3,0", "sel 4,1"}));
    // A disabled column cannot become current.
    grid->Columns()->Item(5)->SetEnabled(false);
    grid->SelectCell(5, 1);
    EXPECT_EQ(grid->CurrentColumn(), 4);
}

TEST_F(GridBehaviour, DraggingOutHidesOnlyWithTheOption) {
    FillHomes({u"a"});
    grid->SetOptions(grid->Options() + goCanHideColumn);
    Drag({100, 9}, {100, 300});
    EXPECT_FALSE(grid->Columns()->Item(3)->Visible());
    EXPECT_EQ(grid->Columns()->Item(4)->Left(), 66);
}

TEST_F(GridBehaviour, FixedSizeColumnsKeepTheirWidth) {
    FillHomes({u"a"});
    TNxCustomColumn* home = grid->Columns()->Item(3);
    home->SetOptions(home->Options() + coFixedSize);
    Drag({211, 9}, {260, 9});
    EXPECT_EQ(home->Width(), 146);
}

TEST_F(GridBehaviour, SelectionLooksAndHintMarks) {
    FillHomes({u"a", u"b"});
    grid->CellObject(8, 0)->SetColor(RGB(200, 100, 40));
    grid->SetAppearanceOptions(grid->AppearanceOptions() + aoAlphaBlendedSelection);
    grid->SetFocus();
    grid->SelectCell(8, 0);
    TBitmap shot = Shot();
    const TRect r = grid->CellBounds(8, 0);
    const TColor h = ColorToRGB(clHighlight);
    const TColor blend = RGB(uint8_t(Round(0.25 * GetRValue(h) + 0.75 * 200)),
                             uint8_t(Round(0.25 * GetGValue(h) + 0.75 * 100)),
                             uint8_t(Round(0.25 * GetBValue(h) + 0.75 * 40)));
    EXPECT_EQ(At(shot, r.Left + 3, r.Top + 3), blend);
    EXPECT_EQ(At(shot, r.Left, r.Top), h); // a solid frame, not dots
    EXPECT_EQ(At(shot, r.Left + 1, r.Top), h);

    grid->SetAppearanceOptions({aoHintMarks});
    grid->CellObject(4, 1)->SetHint(u"note");
    grid->SetSortedStyle(soWhite);
    grid->Columns()->Item(9)->SetSorted(true);
    shot = Shot();
    const TRect m = grid->CellBounds(4, grid->RowCount() - 1);
    const int row = grid->CellText(3, 0) == u"b" ? 0 : 1;
    const TRect marked = grid->CellBounds(4, row);
    EXPECT_EQ(At(shot, marked.Right - 3, marked.Top), ColorToRGB(clRed));
    EXPECT_EQ(At(shot, marked.Right - 5, marked.Top + 3), ColorToRGB(clWindow));
    (void)m;
    const TRect s = grid->CellBounds(9, 0);
    EXPECT_EQ(At(shot, s.Left + 1, s.Top + 1), TColor(0xFFFFFF));
}

TEST_F(GridBehaviour, HiddenRowsAndOwnHeights) {
    FillHomes({u"a", u"b", u"c", u"d"});
    grid->SetRowIsVisible(1, false);
    EXPECT_EQ(grid->Cells()->VisibleRowCount(), 3);
    EXPECT_EQ(grid->CellBounds(3, 2).Top, 18 + 17); // row 1 takes no room
    EXPECT_EQ(grid->RowAtY(18 + 17 + 3), 2);
    grid->SetFocus();
    grid->SelectCell(3, 0);
    Key(VK_DOWN);
    EXPECT_EQ(grid->CurrentRow(), 2); // the hidden row is skipped
    TBitmap shot = Shot();
    EXPECT_EQ(At(shot, grid->CellBounds(3, 3).Left + 2, 18 + 2 * 17 + 1), ColorToRGB(clWindow));

    grid->SetRowIsVisible(1, true);
    grid->SetRowHeightPx(0, 30);
    EXPECT_EQ(grid->CellBounds(3, 1).Top, 18 + 31);
    EXPECT_EQ(grid->CellBounds(3, 2).Top, 18 + 31 + 17);
    EXPECT_EQ(grid->RowAtY(18 + 25), 0);
    EXPECT_EQ(grid->RowAtY(18 + 31), 1);
    shot = Shot();
    // The taller row's bottom line sits under its 30 pixels.
    EXPECT_EQ(At(shot, grid->CellBounds(3, 0).Left + 3, 18 + 30), ColorToRGB(cl3DDkShadow));
    grid->ClearRows();
    FillHomes({u"a", u"b"});
    EXPECT_EQ(grid->CellBounds(3, 1).Top, 18 + 17);
}

TEST_F(GridBehaviour, RemovingRowsKeepsTheCurrentCellInside) {
    FillHomes({u"a", u"b", u"c"});
    grid->SelectCell(3, 2);
    std::vector<std::pair<int, int>> deselected;
    grid->OnDeselectCell = [&](TObject*, int c, int r) { deselected.push_back({c, r}); };
    grid->RemoveRow(2);
    EXPECT_EQ(grid->CurrentRow(), 1);
    EXPECT_EQ(deselected, (std::vector<std::pair<int, int>>{{3, 2}}));
    grid->RemoveRow(0);
    grid->RemoveRow(0);
    EXPECT_EQ(grid->RowCount(), 0);
    EXPECT_EQ(grid->CurrentRow(), -1);
    // Inserting above the current row keeps the same record current.
    FillHomes({u"x", u"y"});
    grid->SelectCell(3, 1);
    grid->InsertRowAt(0);
    EXPECT_EQ(grid->CurrentRow(), 2);
    EXPECT_EQ(grid->CellText(3, 2), u"y");
    grid->InsertRowAt(3);
    EXPECT_EQ(grid->CurrentRow(), 2);
}

TEST_F(GridBehaviour, NumberEditorStepsAndEscapeCancels) {
    FillHomes({u"a"});
    TNxCustomColumn* count = grid->Columns()->Item(15);
    count->SetOptions(count->Options() + coEditing + coEditorAutoSelect);
    grid->SetFocus();
    grid->SelectCell(15, 0);
    grid->BeginCellEdit(15, 0, grid->CellText(15, 0));
    ASSERT_TRUE(grid->EditController().Editing());
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_RETURN);
    EXPECT_EQ(grid->CellText(15, 0), u"3");
    grid->BeginCellEdit(15, 0, grid->CellText(15, 0));
    display->Type("7");
    Key(VK_ESCAPE);
    EXPECT_FALSE(grid->EditController().Editing());
    EXPECT_EQ(grid->CellText(15, 0), u"3");
    // Letters never reach a number editor.
    grid->BeginCellEdit(15, 0, u"");
    display->Type("x4");
    Key(VK_RETURN);
    EXPECT_EQ(grid->CellText(15, 0), u"4");
}
