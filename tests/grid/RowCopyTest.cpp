// Copying rows between grids in bulk: what a copy carries and what it leaves as in a new row,
// texts and hints that outlive their source, all-or-nothing failures, and refilling a grid
// in place.
#include "grid/NxGrid.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "rtl/NumberText.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

const WideString kLong = u"Borussia Moenchengladbach"; // kept on the heap, not inline

class RowCopy : public ::testing::Test {
protected:
    void SetUp() override {
        FormatSettings.DecimalSeparator = '.';
        owner = std::make_unique<TComponent>(nullptr);
        from = MakeGrid();
        to = MakeGrid();
    }

    // Text, number and image columns, as the match grids have.
    TNxGrid* MakeGrid() {
        auto* grid = new TNxGrid(owner.get());
        grid->Columns()->Add<TNxTextColumn>(owner.get());
        grid->Columns()->Add<TNxNumberColumn>(owner.get());
        grid->Columns()->Add<TNxImageColumn>(owner.get());
        return grid;
    }

    // Row r: text "<r> <long>", number r + 0.5, image r, hint "League r % 2", and row 1's
    // number cell highlighted.
    void Fill(TNxGrid* grid, int rows) {
        for (int r = 0; r < rows; ++r) {
            grid->AddRows(1);
            grid->SetCellText(0, r, IntToWideStr(r) + u" " + kLong);
            grid->CellObject(1, r)->SetFloatValue(r + 0.5);
            grid->CellObject(2, r)->SetIntValue(r);
            grid->CellObject(2, r)->SetHint(u"League " + IntToWideStr(r % 2));
        }
        if (rows > 1) grid->CellObject(1, 1)->SetColor(clYellow);
    }

    void ExpectCopyOf(int row, int sourceRow) {
        EXPECT_EQ(to->CellText(0, row), IntToWideStr(sourceRow) + u" " + kLong);
        EXPECT_EQ(to->CellObject(1, row)->FloatValue(), sourceRow + 0.5);
        EXPECT_EQ(to->CellObject(2, row)->IntValue(), sourceRow);
        EXPECT_EQ(to->CellObject(2, row)->Hint(), u"League " + IntToWideStr(sourceRow % 2));
        EXPECT_EQ(to->CellObject(1, row)->Color(), sourceRow == 1 ? clYellow : clWindow);
    }

    std::unique_ptr<TComponent> owner;
    TNxGrid* from = nullptr;
    TNxGrid* to = nullptr;
};

} // namespace

TEST_F(RowCopy, CopiesValuesColoursAndHintsInTheGivenOrder) {
    Fill(from, 4);
    to->AddRows(1);
    to->SetCellText(0, 0, u"kept");
    EXPECT_EQ(to->AddRowsFrom(*from, {3, 1, 1}), 3);
    ASSERT_EQ(to->RowCount(), 4);
    EXPECT_EQ(to->CellText(0, 0), u"kept");
    ExpectCopyOf(1, 3);
    ExpectCopyOf(2, 1);
    ExpectCopyOf(3, 1);
    // The source is untouched.
    EXPECT_EQ(from->RowCount(), 4);
    EXPECT_EQ(from->CellText(0, 3), u"3 " + kLong);
    EXPECT_EQ(to->AddRowsFrom(*from, {}), 3);
    EXPECT_EQ(to->RowCount(), 4);
}

TEST_F(RowCopy, EverythingElseIsThatOfANewRow) {
    Fill(from, 2);
    TFont bold;
    bold.SetStyle({fsBold});
    to->Columns()->Item(0)->SetFont(bold);
    int object = 1;
    from->CellObject(2, 0)->SetObjectReference(&object);
    from->CellObject(0, 0)->SetFontStyle({fsItalic});
    from->SetRowIsVisible(1, false);
    from->SetRowHeightPx(0, 40);
    to->AddRowsFrom(*from, {0, 1});
    EXPECT_EQ(to->CellObject(2, 0)->ObjectReference(), nullptr);
    EXPECT_EQ(to->CellObject(2, 0)->Hint(), u"League 0"); // the hint still comes along
    EXPECT_TRUE(to->CellObject(0, 0)->FontStyle().Contains(fsBold));
    EXPECT_FALSE(to->CellObject(0, 0)->FontStyle().Contains(fsItalic));
    EXPECT_TRUE(to->RowIsVisible(1));
    EXPECT_EQ(to->RowHeightPx(0), to->RowHeightPx(1));
    EXPECT_EQ(to->Cells()->VisibleRowCount(), 2);
}

TEST_F(RowCopy, CopiesOutliveTheirSourceAndChangeAlone) {
    Fill(from, 3);
    to->AddRowsFrom(*from, {0, 2});
    // Shared texts part on the first change, on either side.
    from->SetCellText(0, 0, u"changed " + kLong);
    to->SetCellText(0, 1, u"short");
    EXPECT_EQ(to->CellText(0, 0), u"0 " + kLong);
    EXPECT_EQ(from->CellText(0, 2), u"2 " + kLong);
    from->CellObject(2, 0)->SetHint(u"Other");
    EXPECT_EQ(to->CellObject(2, 0)->Hint(), u"League 0");
    // Hints and texts stay readable after the source drops its rows or goes.
    from->ClearRows();
    delete from;
    from = nullptr;
    EXPECT_EQ(to->CellText(0, 0), u"0 " + kLong);
    EXPECT_EQ(to->CellObject(2, 0)->Hint(), u"League 0");
    EXPECT_EQ(to->CellObject(2, 1)->Hint(), u"League 0");
    to->SortByColumn(to->Columns()->Item(1), false);
    EXPECT_EQ(to->CellObject(2, 1)->Hint(), u"League 0");
}

TEST_F(RowCopy, NoCellNoticesAndOneRowNotice) {
    Fill(from, 3);
    int cellNotices = 0;
    std::vector<std::pair<int, int>> dataNotices;
    to->OnChange = [&](TObject*, int, int) { ++cellNotices; };
    to->OnDataChange = [&](TObject*, int kind, int index) { dataNotices.push_back({kind, index}); };
    to->Columns()->Item(1)->SetSorted(true);
    to->AddRowsFrom(*from, {0, 1, 2});
    EXPECT_EQ(cellNotices, 0);
    EXPECT_EQ(dataNotices, (std::vector<std::pair<int, int>>{{dkRowAdded, 2}}));
    EXPECT_FALSE(to->Cells()->Sorted());
    // The copies are ordinary cells afterwards: their changes are noticed.
    to->SetCellText(0, 0, u"x");
    EXPECT_EQ(cellNotices, 1);
    to->OnChange = nullptr;
    to->OnDataChange = nullptr;
}

TEST_F(RowCopy, BadRequestsAddNothing) {
    Fill(from, 2);
    to->AddRows(1);
    EXPECT_THROW(to->AddRowsFrom(*from, {0, 2}), EListError);
    EXPECT_THROW(to->AddRowsFrom(*from, {-1}), EListError);
    to->Columns()->Add<TNxTextColumn>(owner.get());
    EXPECT_THROW(to->AddRowsFrom(*from, {0}), EListError);
    EXPECT_THROW(to->ReplaceRowsFrom(*from, {0}), EListError);
    EXPECT_EQ(to->RowCount(), 1);
    EXPECT_THROW(from->ReplaceRowsFrom(*from, {0}), EListError);
    EXPECT_EQ(from->RowCount(), 2);
}

TEST_F(RowCopy, ColumnsOfOtherKindsGoThroughText) {
    // Source: number, text, text. Target: text, number, virtual.
    auto* source = new TNxGrid(owner.get());
    source->Columns()->Add<TNxNumberColumn>(owner.get());
    source->Columns()->Add<TNxTextColumn>(owner.get());
    source->Columns()->Add<TNxTextColumn>(owner.get());
    source->AddRows(2);
    source->CellObject(0, 0)->SetFloatValue(2.25);
    source->SetCellText(1, 0, u"7.5");
    source->SetCellText(1, 1, u"not a number");
    source->SetCellText(2, 0, u"ignored");
    auto* target = new TNxGrid(owner.get());
    target->Columns()->Add<TNxTextColumn>(owner.get());
    target->Columns()->Add<TNxNumberColumn>(owner.get());
    struct VirtualColumn : TNxCustomColumn {
        explicit VirtualColumn(TComponent* o) : TNxCustomColumn(o) { SetValueKind(vkVirtual); }
    };
    auto* virtualColumn = new VirtualColumn(owner.get());
    target->Columns()->Add(virtualColumn);
    int writes = 0;
    virtualColumn->OnSetText = [&](TObject*, int, const WideString&) { ++writes; };
    target->AddRows(1);
    target->CellObject(1, 0)->SetFloatValue(9);
    target->ReplaceRowsFrom(*source, {0, 1});
    EXPECT_EQ(target->CellText(0, 0), u"2.25");
    EXPECT_EQ(target->CellObject(1, 0)->FloatValue(), 7.5);
    EXPECT_EQ(target->CellObject(1, 1)->FloatValue(), 0); // unreadable: left empty
    EXPECT_EQ(writes, 0);
}

TEST_F(RowCopy, ReplacingReusesRowsAndResetsThem) {
    Fill(from, 3);
    Fill(to, 5);
    int object = 1;
    to->CellObject(2, 0)->SetObjectReference(&object);
    to->CellObject(0, 1)->SetFontStyle({fsItalic});
    to->CellObject(0, 1)->SetHint(u"Old hint");
    to->SetRowIsVisible(0, false);
    to->SelectCell(1, 4);
    EXPECT_EQ(to->ReplaceRowsFrom(*from, {2, 0}), 1);
    ASSERT_EQ(to->RowCount(), 2);
    ExpectCopyOf(0, 2);
    ExpectCopyOf(1, 0);
    EXPECT_EQ(to->CellObject(2, 0)->ObjectReference(), nullptr);
    EXPECT_FALSE(to->CellObject(0, 1)->FontStyle().Contains(fsItalic));
    EXPECT_EQ(to->CellObject(0, 1)->Hint(), u"");
    EXPECT_TRUE(to->RowIsVisible(0));
    EXPECT_EQ(to->Cells()->VisibleRowCount(), 2);
    EXPECT_EQ(to->CurrentRow(), -1);
    // Growing reuses what is there and adds the rest.
    to->ReplaceRowsFrom(*from, {1, 1, 0, 2});
    ASSERT_EQ(to->RowCount(), 4);
    ExpectCopyOf(0, 1);
    ExpectCopyOf(3, 2);
    to->ReplaceRowsFrom(*from, {});
    EXPECT_EQ(to->RowCount(), 0);
}

TEST_F(RowCopy, ReplacingKeepsOnlyTheHintsStillShown) {
    Fill(from, 2);
    to->AddRows(50);
    for (int r = 0; r < 50; ++r) to->CellObject(0, r)->SetHint(u"Old " + IntToWideStr(r));
    const size_t before = to->Cells()->MemoryBytes();
    to->ReplaceRowsFrom(*from, {0, 1});
    EXPECT_LT(to->Cells()->MemoryBytes(), before);
    EXPECT_EQ(to->CellObject(2, 1)->Hint(), u"League 1");
    EXPECT_EQ(to->CellObject(0, 1)->Hint(), u"");
}

TEST_F(RowCopy, HintsAndObjectsShareOneSlotWithoutLosingEither) {
    to->AddRows(2);
    int a = 1, b = 2;
    TCell* cell = to->CellObject(0, 0);
    cell->SetHint(u"Hint");
    cell->SetObjectReference(&a);
    EXPECT_EQ(cell->Hint(), u"Hint");
    cell->SetObjectReference(&b);
    cell->SetHint(u"Other");
    EXPECT_EQ(cell->ObjectReference(), &b);
    to->SwapRowPair(0, 1); // cells move with both
    cell = to->CellObject(0, 1);
    EXPECT_EQ(cell->Hint(), u"Other");
    EXPECT_EQ(cell->ObjectReference(), &b);
    cell->SetObjectReference(nullptr);
    EXPECT_EQ(cell->Hint(), u"Other");
    cell->SetObjectReference(&a);
    cell->SetHint(u"");
    EXPECT_EQ(cell->ObjectReference(), &a);
    EXPECT_EQ(to->CellObject(0, 0)->ObjectReference(), nullptr);
    EXPECT_EQ(to->CellObject(0, 0)->Hint(), u"");
}
