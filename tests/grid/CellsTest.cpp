// The cell store: conversions of every cell class, bounds, row operations and change
// notification. Grids here have no window unless the test needs one.
#include "grid/NxCellClasses.h"
#include "grid/NxGrid.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "rtl/NumberText.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class CellStore : public ::testing::Test {
protected:
    void SetUp() override {
        FormatSettings.DecimalSeparator = '.';
        owner = std::make_unique<TComponent>(nullptr);
        grid = new TNxGrid(owner.get());
        text = grid->Columns()->Add<TNxTextColumn>(owner.get());
        number = grid->Columns()->Add<TNxNumberColumn>(owner.get());
        image = grid->Columns()->Add<TNxImageColumn>(owner.get());
    }
    void TearDown() override { FormatSettings.DecimalSeparator = '.'; }

    // A column whose cells are of the class a value kind selects.
    template <class Cell> Cell* CellOfKind(int valueKind) {
        struct KindColumn : TNxCustomColumn {
            KindColumn(TComponent* o, int kind) : TNxCustomColumn(o) { SetValueKind(kind); }
        };
        auto* column = new KindColumn(owner.get(), valueKind);
        grid->Columns()->Add(column);
        if (grid->RowCount() == 0) grid->AddRows(1);
        auto* cell = dynamic_cast<Cell*>(grid->CellObject(column->Index(), 0));
        EXPECT_NE(cell, nullptr);
        return cell;
    }

    std::unique_ptr<TComponent> owner;
    TNxGrid* grid = nullptr;
    TNxCustomColumn* text = nullptr;
    TNxCustomColumn* number = nullptr;
    TNxCustomColumn* image = nullptr;
};

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no exception)";
}

} // namespace

TEST_F(CellStore, NewCellsOfTheThreeKindsReadAsTheirKindsZero) {
    EXPECT_EQ(grid->AddRows(1), 0);
    EXPECT_EQ(grid->CellText(0, 0), u"");
    EXPECT_EQ(grid->CellText(1, 0), u"0");
    EXPECT_EQ(grid->CellText(2, 0), u"0");
    EXPECT_NE(dynamic_cast<TStringCell*>(grid->CellObject(0, 0)), nullptr);
    EXPECT_NE(dynamic_cast<TFloatCell*>(grid->CellObject(1, 0)), nullptr);
    EXPECT_NE(dynamic_cast<TIntegerCell*>(grid->CellObject(2, 0)), nullptr);
}

TEST_F(CellStore, AddRowsWithNothingToAddKeepsTheLastAddedRow) {
    EXPECT_EQ(grid->AddRows(0), -1);
    EXPECT_EQ(grid->AddRows(3), 2);
    EXPECT_EQ(grid->AddRows(0), 2);
    EXPECT_EQ(grid->AddRows(-4), 2);
    EXPECT_EQ(grid->RowCount(), 3);
}

TEST_F(CellStore, NumberCellsConvertTextWithTheLocaleSeparator) {
    grid->AddRows(1);
    grid->SetCellText(1, 0, u"57");
    EXPECT_EQ(grid->CellText(1, 0), u"57");
    grid->SetCellText(1, 0, u"1.5");
    EXPECT_EQ(grid->CellText(1, 0), u"1.5");
    EXPECT_EQ(grid->CellObject(1, 0)->IntValue(), 2); // ties to even
    grid->SetCellText(1, 0, u"2.5");
    EXPECT_EQ(grid->CellObject(1, 0)->IntValue(), 2);

    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(MessageOf([&] { grid->SetCellText(1, 0, u"1.5"); }),
              "'1.5' is not a valid floating point value");
    // The failed write left the value and the text alone.
    EXPECT_EQ(grid->CellText(1, 0), u"2,5");
    EXPECT_THROW(grid->SetCellText(1, 0, u""), EConvertError);
}

TEST_F(CellStore, ImageCellsHoldIntegers) {
    grid->AddRows(1);
    grid->CellObject(2, 0)->SetIntValue(3);
    EXPECT_EQ(grid->CellText(2, 0), u"3");
    grid->SetCellText(2, 0, u"");
    EXPECT_EQ(grid->CellObject(2, 0)->IntValue(), 0);
    EXPECT_THROW(grid->SetCellText(2, 0, u"x"), EConvertError);
    grid->CellObject(2, 0)->SetIntValue(-5);
    EXPECT_EQ(grid->CellObject(2, 0)->IntValue(), -5);
    EXPECT_FALSE(grid->CellObject(2, 0)->BoolValue());
    grid->CellObject(2, 0)->SetFloatValue(3.5);
    EXPECT_EQ(grid->CellObject(2, 0)->IntValue(), 4);
}

TEST_F(CellStore, TextCellsParseNumbersOnReadAndRaise) {
    grid->AddRows(1);
    grid->SetCellText(0, 0, u"12");
    EXPECT_EQ(grid->CellObject(0, 0)->IntValue(), 12);
    EXPECT_DOUBLE_EQ(grid->CellObject(0, 0)->FloatValue(), 12.0);
    grid->SetCellText(0, 0, u"");
    EXPECT_THROW(grid->CellObject(0, 0)->IntValue(), EConvertError);
    EXPECT_THROW(grid->CellObject(0, 0)->FloatValue(), EConvertError);
    EXPECT_DOUBLE_EQ(grid->CellObject(0, 0)->DateValue(), 0.0);
    grid->CellObject(0, 0)->SetBoolValue(true);
    EXPECT_EQ(grid->CellText(0, 0), u"True");
    EXPECT_TRUE(grid->CellObject(0, 0)->BoolValue());
    grid->CellObject(0, 0)->SetFloatValue(0.25);
    EXPECT_EQ(grid->CellText(0, 0), u"0.25");
    // Long texts leave the inline storage and come back whole.
    const WideString longText = u"Borussia Moenchengladbach II";
    grid->SetCellText(0, 0, longText);
    EXPECT_EQ(grid->CellText(0, 0), longText);
}

TEST_F(CellStore, BooleanCells) {
    TBooleanCell* cell = CellOfKind<TBooleanCell>(vkBoolean);
    cell->SetTextValue(u"TRUE");
    EXPECT_TRUE(cell->BoolValue());
    cell->SetTextValue(u"yes"); // never raises: anything else is false
    EXPECT_FALSE(cell->BoolValue());
    cell->SetTextValue(u"1");
    EXPECT_EQ(cell->TextValue(), u"True");
    EXPECT_EQ(cell->IntValue(), 1);
    cell->SetFloatValue(0.0);
    EXPECT_EQ(cell->TextValue(), u"False");
}

TEST_F(CellStore, DateTimeCells) {
    const TFormatSettings saved = FormatSettings;
    FormatSettings.ShortDateFormat = "dd/mm/yyyy";
    FormatSettings.DateSeparator = '.';
    FormatSettings.LongTimeFormat = "hh:nn:ss";
    FormatSettings.TimeSeparator = ':';
    TDateTimeCell* cell = CellOfKind<TDateTimeCell>(vkDateTime);
    cell->SetFloatValue(45000.75);
    EXPECT_EQ(cell->IntValue(), 45000); // truncated
    EXPECT_EQ(cell->TextValue(), u"15.03.2023 18:00:00");
    cell->SetTextValue(u"not a date");
    EXPECT_DOUBLE_EQ(cell->DateValue(), 0.0);
    // A flag set on a date cell means today: either day, should midnight pass meanwhile.
    const TDateTime before = Date();
    cell->SetBoolValue(false);
    const TDateTime after = Date();
    EXPECT_TRUE(cell->DateValue() == before || cell->DateValue() == after) << cell->DateValue();
    FormatSettings = saved;
}

TEST_F(CellStore, GuidCellsRoundTripTheirText) {
    TGuidCell* cell = CellOfKind<TGuidCell>(vkGuid);
    const WideString original = cell->TextValue();
    ASSERT_EQ(original.size(), 38u);
    EXPECT_EQ(original.front(), u'{');
    EXPECT_THROW(cell->SetTextValue(u"{nonsense}"), EConvertError);
    EXPECT_EQ(cell->TextValue(), original);
    const WideString other = u"{01234567-89AB-CDEF-0123-456789ABCDEF}";
    cell->SetTextValue(other);
    EXPECT_EQ(cell->TextValue(), other);
    EXPECT_THROW(cell->IntValue(), EConvertError);
}

TEST_F(CellStore, IncrementCellsShowTheirRowNumber) {
    auto* first = CellOfKind<TIncrementCell>(vkRowNumber);
    ASSERT_NE(first, nullptr);
    const int col = grid->Columns()->Count() - 1;
    grid->AddRows(4);
    EXPECT_EQ(grid->CellText(col, 3), u"4");
    EXPECT_EQ(grid->CellObject(col, 0)->IntValue(), 1);
}

TEST_F(CellStore, VirtualCellsUseTheColumnEvents) {
    CellOfKind<TVirtualCell>(vkVirtual);
    TNxCustomColumn* column = grid->Columns()->Item(grid->Columns()->Count() - 1);
    WideString stored;
    column->OnGetText = [](TObject*, int row, WideString& t) { t = u"row " + IntToWideStr(row); };
    column->OnSetText = [&](TObject*, int, const WideString& t) { stored = t; };
    grid->AddRows(2);
    EXPECT_EQ(grid->CellText(column->Index(), 2), u"row 2");
    grid->SetCellText(column->Index(), 1, u"written");
    EXPECT_EQ(stored, u"written");
}

TEST_F(CellStore, BoundsCheckNamesColumnThenRow) {
    EXPECT_EQ(MessageOf([&] { grid->CellText(0, 0); }), "Cell out of bounds (0, 0)");
    grid->AddRows(2);
    EXPECT_EQ(MessageOf([&] { grid->CellText(3, 0); }), "Cell out of bounds (3, 0)");
    EXPECT_EQ(MessageOf([&] { grid->SetCellText(0, -1, u"x"); }), "Cell out of bounds (0, -1)");
    EXPECT_EQ(MessageOf([&] { grid->CellText(1, 2); }), "Cell out of bounds (1, 2)");
    EXPECT_EQ(MessageOf([&] { grid->CellObject(0, 7); }), "List index out of bounds (7)");
    EXPECT_THROW(grid->CellObject(9, 0), EListError);
    EXPECT_THROW(grid->RowIsVisible(2), EListError);
    EXPECT_THROW(grid->RowHeightPx(-1), EListError);
}

TEST_F(CellStore, ClearRowsEmptiesTheStoreAndTheCurrentCell) {
    grid->AddRows(5);
    grid->SelectCell(2, 3);
    EXPECT_EQ(grid->CurrentRow(), 3);
    grid->ClearRows();
    EXPECT_EQ(grid->RowCount(), 0);
    EXPECT_EQ(grid->CurrentRow(), -1);
    EXPECT_EQ(grid->CurrentColumn(), 0);
    EXPECT_EQ(MessageOf([&] { grid->CellText(0, 0); }), "Cell out of bounds (0, 0)");
    EXPECT_EQ(grid->AddRows(1), 0);
}

TEST_F(CellStore, NewCellsTakeTheColumnColourAndFontStyle) {
    number->SetColor(clSilver);
    TFont bold;
    bold.SetStyle({fsBold});
    number->SetFont(bold);
    grid->AddRows(1);
    EXPECT_EQ(grid->CellObject(1, 0)->Color(), clSilver);
    EXPECT_TRUE(grid->CellObject(1, 0)->FontStyle().Contains(fsBold));
    // Existing cells keep their colour when the column's changes.
    number->SetColor(clRed);
    EXPECT_EQ(grid->CellObject(1, 0)->Color(), clSilver);
    grid->AddRows(1);
    EXPECT_EQ(grid->CellObject(1, 1)->Color(), clRed);
}

TEST_F(CellStore, DefaultValuesOnlyWithTheOption) {
    number->SetDefaultValue(u"7");
    grid->AddRows(1);
    EXPECT_EQ(grid->CellText(1, 0), u"0");
    grid->SetOptions(grid->Options() + goUseDefaultValues);
    grid->AddRows(1);
    EXPECT_EQ(grid->CellText(1, 1), u"7");
    EXPECT_EQ(grid->CellText(2, 1), u"0");
}

TEST_F(CellStore, RowOperationsMoveWholeRows) {
    grid->AddRows(4);
    for (int r = 0; r < 4; ++r) grid->SetCellText(0, r, IntToWideStr(r));
    for (int r = 0; r < 4; ++r) grid->CellObject(2, r)->SetIntValue(r * 10);
    grid->MoveRowTo(0, 3);
    EXPECT_EQ(grid->CellText(0, 3), u"0");
    EXPECT_EQ(grid->CellText(2, 3), u"0");
    EXPECT_EQ(grid->CellText(0, 0), u"1");
    EXPECT_EQ(grid->CellText(2, 0), u"10");
    grid->SwapRowPair(0, 3);
    EXPECT_EQ(grid->CellText(0, 0), u"0");
    EXPECT_EQ(grid->CellText(2, 3), u"10");
    grid->InsertRowAt(1);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->CellText(0, 1), u"");
    EXPECT_EQ(grid->CellText(0, 2), u"2");
    grid->RemoveRow(1);
    EXPECT_EQ(grid->CellText(0, 1), u"2");
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_THROW(grid->RemoveRow(4), EListError);
}

// A deleted row's room is reused for the next new row, which must still come out new.
TEST_F(CellStore, ANewRowInheritsNothingFromADeletedOne) {
    grid->AddRows(3);
    grid->SetCellText(0, 1, u"Borussia Moenchengladbach"); // a text on the heap
    grid->SetCellText(1, 1, u"7.5");
    grid->CellObject(2, 1)->SetIntValue(4);
    grid->CellObject(2, 1)->SetHint(u"England.Premier League");
    grid->CellObject(1, 1)->SetColor(clYellow);
    grid->CellObject(0, 1)->SetFontStyle({fsItalic});
    int object = 1;
    grid->CellObject(0, 1)->SetObjectReference(&object);
    grid->RemoveRow(1);
    grid->InsertRowAt(0);
    grid->AddRows(1);
    for (const int r : {0, 3}) {
        EXPECT_EQ(grid->CellText(0, r), u"");
        EXPECT_EQ(grid->CellText(1, r), u"0");
        EXPECT_EQ(grid->CellText(2, r), u"0");
        EXPECT_EQ(grid->CellObject(2, r)->Hint(), u"");
        EXPECT_EQ(grid->CellObject(1, r)->Color(), number->Color());
        EXPECT_FALSE(grid->CellObject(0, r)->FontStyle().Contains(fsItalic));
        EXPECT_EQ(grid->CellObject(0, r)->ObjectReference(), nullptr);
    }
}

// Two cells of one column can be held and used side by side, as a comparison holds them.
TEST_F(CellStore, TwoCellsOfAColumnAtOnce) {
    grid->AddRows(2);
    TCell* first = grid->CellObject(0, 0);
    TCell* second = grid->CellObject(0, 1);
    first->SetTextValue(u"first");
    second->SetTextValue(u"second");
    second->SetHint(first->TextValue());
    EXPECT_EQ(grid->CellText(0, 0), u"first");
    EXPECT_EQ(grid->CellText(0, 1), u"second");
    EXPECT_EQ(grid->CellObject(0, 1)->Hint(), u"first");
}

TEST_F(CellStore, DataChangeEventsReportKindAndIndex) {
    std::vector<std::pair<int, int>> seen;
    grid->OnDataChange = [&](TObject*, int kind, int index) { seen.push_back({kind, index}); };
    grid->AddRows(2);
    grid->InsertRowAt(1);
    grid->RemoveRow(0);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 1}, {3, 1}, {5, 0}}));
    delete image; // a deleted column reports itself too
    EXPECT_EQ(seen.back(), (std::pair<int, int>{4, 2}));
    grid->OnDataChange = nullptr;
}

TEST_F(CellStore, ColumnsAddedLaterGetCellsForEveryRow) {
    grid->AddRows(3);
    auto* late = grid->Columns()->Add<TNxNumberColumn>(owner.get());
    EXPECT_EQ(grid->CellText(late->Index(), 2), u"0");
    grid->SetCellText(0, 1, u"kept");
    delete number; // the store drops that column's cells; later columns shift down
    EXPECT_EQ(grid->Columns()->Count(), 3);
    EXPECT_EQ(grid->CellText(0, 1), u"kept");
    EXPECT_NE(dynamic_cast<TIntegerCell*>(grid->CellObject(1, 1)), nullptr);
    EXPECT_NE(dynamic_cast<TFloatCell*>(grid->CellObject(2, 1)), nullptr);
}

TEST_F(CellStore, StartRowCountAddsAndTrims) {
    grid->SetStartRowCount(3);
    EXPECT_EQ(grid->RowCount(), 3);
    grid->SetCellText(0, 2, u"last");
    grid->SetStartRowCount(1);
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_EQ(grid->CellText(0, 0), u"last"); // rows go from the top
    grid->SetStartRowCount(-2);
    EXPECT_EQ(grid->RowCount(), 1);
}

TEST_F(CellStore, AnyCellChangeClearsTheSortedState) {
    grid->AddRows(3);
    grid->Columns()->Item(1)->SetSorted(true);
    EXPECT_TRUE(grid->Cells()->Sorted());
    grid->CellObject(0, 1)->SetHint(u"changed");
    EXPECT_FALSE(grid->Cells()->Sorted());
    grid->Columns()->Item(1)->SetSortKind(skDescending);
    EXPECT_TRUE(grid->Cells()->Sorted());
    grid->AddRows(1);
    EXPECT_FALSE(grid->Cells()->Sorted());
}

TEST_F(CellStore, CellsDoNotCarryHintsUntilGivenOne) {
    grid->AddRows(1);
    TCell* cell = grid->CellObject(2, 0);
    EXPECT_EQ(cell->Hint(), u"");
    cell->SetHint(u"England.Premier League");
    EXPECT_EQ(grid->CellObject(2, 0)->Hint(), u"England.Premier League");
    int object = 5;
    cell->SetObjectReference(&object);
    cell->SetHint(u"");
    EXPECT_EQ(grid->CellObject(2, 0)->ObjectReference(), &object);
}

TEST_F(CellStore, HintsCopyBetweenCellsAndOntoThemselves) {
    grid->AddRows(2);
    grid->CellObject(2, 0)->SetHint(u"Spain.Primera Division");
    TCell* copy = grid->CellObject(2, 1);
    copy->SetHint(grid->CellObject(2, 0)->Hint());
    TCell* same = grid->CellObject(2, 0);
    same->SetHint(same->Hint());
    EXPECT_EQ(grid->CellObject(2, 0)->Hint(), u"Spain.Primera Division");
    EXPECT_EQ(grid->CellObject(2, 1)->Hint(), u"Spain.Primera Division");
    // Clearing one leaves the other.
    grid->CellObject(2, 0)->SetHint(u"");
    EXPECT_EQ(grid->CellObject(2, 0)->Hint(), u"");
    EXPECT_EQ(grid->CellObject(2, 1)->Hint(), u"Spain.Primera Division");
}

TEST_F(CellStore, SharedHintTextsOutliveChangesOfOtherCellsAndClearing) {
    grid->AddRows(3);
    for (int r = 0; r < 3; ++r) grid->CellObject(2, r)->SetHint(u"Brazil.Serie A");
    grid->CellObject(2, 1)->SetHint(u"Italy.Serie A");
    grid->CellObject(2, 2)->SetHint(u"");
    EXPECT_EQ(grid->CellObject(2, 0)->Hint(), u"Brazil.Serie A");
    EXPECT_EQ(grid->CellObject(2, 1)->Hint(), u"Italy.Serie A");
    EXPECT_EQ(grid->CellObject(2, 2)->Hint(), u"");
    grid->ClearRows();
    grid->AddRows(1);
    EXPECT_EQ(grid->CellObject(2, 0)->Hint(), u"");
    grid->CellObject(2, 0)->SetHint(u"Brazil.Serie A");
    EXPECT_EQ(grid->CellObject(2, 0)->Hint(), u"Brazil.Serie A");
}
