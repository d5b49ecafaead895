// The grid as a table for screen readers: shown columns in display order with their headers,
// each cell's shown text (a picture's hint, or what the owner says for it), the current row
// selected, the places on the screen, and the row and selection changes it announces;
// sorting from the keyboard.
#include <algorithm>
#include <utility>
#include <vector>

#include "GridTestSupport.h"

namespace {

class TRecorder : public TAccessibleListener {
public:
    TRecorder() { SetAccessibleListener(this); }
    ~TRecorder() override { SetAccessibleListener(nullptr); }
    void AccessibleChanged(TControl& control, TAccessibleChange change) override {
        heard.emplace_back(&control, change);
    }
    int Count(const TControl* control, TAccessibleChange change) const {
        return int(std::count(heard.begin(), heard.end(),
                              std::make_pair(const_cast<TControl*>(control), change)));
    }
    std::vector<std::pair<TControl*, TAccessibleChange>> heard;
};

class GridAccessible : public GridFixture {
protected:
    TAccessibleTable& Table() {
        TAccessibleTable* table = AccessibleInfoOf(*grid).Table;
        EXPECT_NE(table, nullptr);
        return *table;
    }
    AnsiString Cell(int column, int row) {
        return WideToAnsi(Table().AccessibleCellText(column, row));
    }
};

} // namespace

TEST_F(GridAccessible, ATableOfTheShownColumnsWithTheirHeaders) {
    const TAccessibleInfo info = AccessibleInfoOf(*grid);
    EXPECT_EQ(info.Role, TAccessibleRole::Table);
    EXPECT_TRUE(info.Children.empty());
    TAccessibleTable& table = Table();
    // The ID column is hidden: fifteen columns, the flag first.
    ASSERT_EQ(table.AccessibleColumnCount(), 15);
    EXPECT_EQ(table.AccessibleColumnHeader(0), u"Fl");
    EXPECT_EQ(table.AccessibleColumnHeader(2), u"Home");
    EXPECT_EQ(table.AccessibleColumnHeader(14), u"Count");
    EXPECT_EQ(table.AccessibleColumnHeader(15), u"") << "past the last column";

    grid->Columns()->Item(3)->SetPosition(1); // Home moves before the flag
    EXPECT_EQ(Table().AccessibleColumnHeader(0), u"Home");
}

TEST_F(GridAccessible, CellsSayTheirShownTextAndPicturesTheirHint) {
    AddRow(u"11:45", u"Kingsbridge", u"Eastleigh", 71, 30);
    grid->CellObject(1, 0)->SetHint(u"England.Premier League");
    EXPECT_EQ(Table().AccessibleRowCount(), 1);
    EXPECT_EQ(Cell(1, 0), "11:45");
    EXPECT_EQ(Cell(2, 0), "Kingsbridge");
    EXPECT_EQ(Cell(7, 0), "71") << "a number column says the number as it shows it";
    EXPECT_EQ(Cell(0, 0), "England.Premier League");

    grid->OnCellAccessibleText = [](TObject*, int column, int, WideString& text) {
        if (column == 1) text = text.substr(0, text.find(u'.'));
    };
    EXPECT_EQ(Cell(0, 0), "England") << "the owner may say what a picture stands for";
    EXPECT_EQ(Cell(0, 5), "") << "past the last row";
}

TEST_F(GridAccessible, TheCurrentRowIsSelectedAndCanBeChosen) {
    for (int i = 0; i < 3; ++i) AddRow(u"12:00", u"A", u"B", i, i);
    TRecorder recorder;
    grid->SelectCell(2, 1);
    EXPECT_EQ(Table().AccessibleSelectedRow(), 1);
    EXPECT_EQ(recorder.Count(grid, TAccessibleChange::Selection), 1);
    grid->SelectCell(3, 1); // the same row: no new announcement
    EXPECT_EQ(recorder.Count(grid, TAccessibleChange::Selection), 1);
    Table().AccessibleSelectRow(2);
    EXPECT_EQ(grid->CurrentRow(), 2);
    Table().AccessibleSelectRow(9); // no such row: nothing happens
    EXPECT_EQ(grid->CurrentRow(), 2);
}

TEST_F(GridAccessible, RowChangesAreAnnounced) {
    TRecorder recorder;
    AddRow(u"12:00", u"A", u"B", 1, 1);
    EXPECT_GE(recorder.Count(grid, TAccessibleChange::Table), 1);
    recorder.heard.clear();
    grid->ClearRows();
    EXPECT_GE(recorder.Count(grid, TAccessibleChange::Table), 1);
    EXPECT_EQ(Table().AccessibleRowCount(), 0);
}

TEST_F(GridAccessible, CellsArePlacedOnTheScreenAndScrolledOutOnesAreNot) {
    for (int i = 0; i < 200; ++i) AddRow(u"12:00", u"A", u"B", i, i);
    Pump();
    const TRect first = Table().AccessibleCellBounds(2, 0);
    const TRect local = grid->CellBounds(3, 0);
    const TPoint origin = grid->ClientToScreen({local.Left, local.Top});
    EXPECT_EQ(first, Bounds(origin.X, origin.Y, local.Width(), local.Height()));
    EXPECT_TRUE(Table().AccessibleCellBounds(2, 199).IsEmpty()) << "below the window";
    EXPECT_FALSE(Table().AccessibleHeaderBounds(2).IsEmpty());
}

TEST_F(GridAccessible, CtrlDownAndCtrlUpSortByTheCurrentColumn) {
    AddRow(u"12:00", u"A", u"B", 50, 3);
    AddRow(u"12:00", u"C", u"D", 50, 30);
    AddRow(u"12:00", u"E", u"F", 50, 12);
    grid->SetFocus();
    grid->SelectCell(15, 0); // the count
    Pump();
    Key(VK_DOWN, ModCtrl);
    EXPECT_EQ(Cell(14, 0), "30");
    EXPECT_EQ(Cell(14, 2), "3");
    Key(VK_UP, ModCtrl);
    EXPECT_EQ(Cell(14, 0), "3");
    EXPECT_EQ(Cell(14, 2), "30");
    EXPECT_TRUE(grid->Columns()->Item(15)->Sorted()) << "the header shows the sort";

    // The header's action turns the order round, as a second click does.
    Table().AccessibleSortByColumn(14);
    EXPECT_EQ(Cell(14, 0), "30");
}
