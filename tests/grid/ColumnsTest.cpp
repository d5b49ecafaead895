// Columns: defaults of the three kinds, layout, widths, visibility, sort flags, display text.
#include "gfx/ImageList.h"
#include "grid/NxColumnDisplays.h"
#include "grid/NxGrid.h"
#include "rtl/FormatSettings.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class Columns : public ::testing::Test {
protected:
    void SetUp() override {
        FormatSettings.DecimalSeparator = '.';
        owner = std::make_unique<TComponent>(nullptr);
        grid = new TNxGrid(owner.get());
    }
    std::unique_ptr<TComponent> owner;
    TNxGrid* grid = nullptr;
};

WideString Shown(TNxCustomColumn* column, double f, const WideString& text = u"") {
    TCellValues v;
    v.Float = f;
    v.Text = text;
    return column->DisplayText(v);
}

} // namespace

TEST_F(Columns, KindDefaults) {
    auto* text = grid->Columns()->Add<TNxTextColumn>();
    auto* number = grid->Columns()->Add<TNxNumberColumn>();
    auto* image = grid->Columns()->Add<TNxImageColumn>();
    const TColumnOptions base{coCanClick, coCanInput, coCanSort, coPublicUsing};
    EXPECT_EQ(text->Options(), base + coShowTextFitHint);
    EXPECT_EQ(number->Options(), base);
    EXPECT_EQ(image->Options(), base);
    EXPECT_EQ(text->Alignment(), taLeftJustify);
    EXPECT_EQ(number->Alignment(), taRightJustify);
    EXPECT_EQ(text->SortType(), stAlphabetic);
    EXPECT_EQ(number->SortType(), stNumeric);
    EXPECT_EQ(image->SortType(), stNumeric);
    EXPECT_EQ(text->DefaultValue(), u"");
    EXPECT_EQ(number->DefaultValue(), u"0");
    EXPECT_EQ(image->DefaultValue(), u"0");
    EXPECT_EQ(text->ValueKind(), vkString);
    EXPECT_EQ(number->ValueKind(), vkFloat);
    EXPECT_EQ(image->ValueKind(), vkInteger);
    for (TNxCustomColumn* c :
         {static_cast<TNxCustomColumn*>(text), static_cast<TNxCustomColumn*>(number),
          static_cast<TNxCustomColumn*>(image)}) {
        EXPECT_EQ(c->Width(), 80);
        EXPECT_EQ(c->MinWidth(), 8);
        EXPECT_EQ(c->Color(), clWindow);
        EXPECT_EQ(c->Header()->Color(), clBtnFace);
        EXPECT_TRUE(c->Header()->HideArrow());
        EXPECT_EQ(c->Footer()->Color(), clWindow);
        EXPECT_EQ(c->VerticalAlignment(), taVerticalCenter);
        EXPECT_EQ(c->WrapKind(), wkEllipsis);
        EXPECT_TRUE(c->ParentFont());
        EXPECT_FALSE(c->Sorted());
        EXPECT_EQ(c->SortKind(), skAscending);
        EXPECT_EQ(c->KindCapabilities() & ckFitOnBorderDblClick, ckFitOnBorderDblClick);
    }
    EXPECT_EQ(number->Increment(), 1.0);
    EXPECT_TRUE(number->SpinButtons());
    EXPECT_TRUE(number->EditOptions().Contains(eoAllowFloat));
    EXPECT_TRUE(image->Transparent());
    // Editing stays off: no column has coEditing by default.
    EXPECT_FALSE(text->EditingCapabilities().Contains(coEditing));
    EXPECT_TRUE(image->EditingCapabilities().Empty()); // no editor of its own
}

TEST_F(Columns, LayoutFollowsDisplayOrderAndVisibility) {
    std::vector<TNxCustomColumn*> cols;
    const int widths[] = {80, 30, 36, 146, 139};
    for (int w : widths) {
        cols.push_back(grid->Columns()->Add<TNxTextColumn>());
        cols.back()->SetWidth(w);
    }
    EXPECT_EQ(cols[3]->Left(), 80 + 30 + 36);
    EXPECT_EQ(grid->Columns()->TotalWidth(), 431);
    cols[0]->SetVisible(false);
    EXPECT_EQ(cols[0]->VisibleIndex(), -1);
    EXPECT_EQ(cols[1]->Left(), 0);
    EXPECT_EQ(cols[3]->Left(), 66);
    EXPECT_EQ(cols[3]->VisibleIndex(), 2);
    EXPECT_EQ(grid->Columns()->TotalWidth(), 351);
    // A column made later gets the next place and starts after the visible ones.
    auto* late = grid->Columns()->Add<TNxNumberColumn>();
    EXPECT_EQ(late->Position(), 5);
    EXPECT_EQ(late->Left(), 351);
    // With the indicator everything starts 12 pixels in.
    grid->SetOptions(grid->Options() + goIndicator);
    EXPECT_EQ(cols[1]->Left(), 12);
}

TEST_F(Columns, WidthNeverBelowMinWidth) {
    auto* c = grid->Columns()->Add<TNxTextColumn>();
    c->SetWidth(3);
    EXPECT_EQ(c->Width(), 8);
    EXPECT_EQ(c->DefaultWidth(), 8);
    c->SetMinWidth(20);
    c->SetWidth(10);
    EXPECT_EQ(c->Width(), 20);
}

TEST_F(Columns, PositionMovesOnlyTheDisplayOrder) {
    auto* a = grid->Columns()->Add<TNxTextColumn>();
    auto* b = grid->Columns()->Add<TNxTextColumn>();
    auto* c = grid->Columns()->Add<TNxTextColumn>();
    std::vector<int> moves;
    grid->OnColumnMove = [&](TObject*, int index, int oldPos, int newPos) {
        moves = {index, oldPos, newPos};
    };
    c->SetPosition(0);
    EXPECT_EQ(c->Position(), 0);
    EXPECT_EQ(a->Position(), 1);
    EXPECT_EQ(b->Position(), 2);
    EXPECT_EQ(c->Left(), 0);
    EXPECT_EQ(a->Left(), 80);
    EXPECT_EQ(c->Index(), 2); // cell access keeps the creation index
    EXPECT_EQ(moves, (std::vector<int>{2, 2, 0}));
}

TEST_F(Columns, SortedIsExclusive) {
    std::vector<TNxCustomColumn*> cols;
    for (int i = 0; i < 12; ++i) cols.push_back(grid->Columns()->Add<TNxNumberColumn>());
    cols[3]->SetSorted(true);
    cols[9]->SetSorted(true);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(cols[size_t(i)]->Sorted(), i == 9) << i;
}

TEST_F(Columns, SearchColumnIsExclusive) {
    auto* a = grid->Columns()->Add<TNxTextColumn>();
    auto* b = grid->Columns()->Add<TNxTextColumn>();
    a->SetOptions(a->Options() + coSearchColumn);
    b->SetOptions(b->Options() + coSearchColumn);
    EXPECT_FALSE(a->Options().Contains(coSearchColumn));
    EXPECT_TRUE(b->Options().Contains(coSearchColumn));
}

TEST_F(Columns, AutoSizeSharesTheFreeWidth) {
    grid->SetBounds(0, 0, 400, 200);
    auto* fixed = grid->Columns()->Add<TNxTextColumn>();
    fixed->SetWidth(100);
    auto* a = grid->Columns()->Add<TNxTextColumn>();
    auto* b = grid->Columns()->Add<TNxTextColumn>();
    a->SetWidth(50);
    b->SetWidth(150);
    a->SetOptions(a->Options() + coAutoSize);
    b->SetOptions(b->Options() + coAutoSize);
    // The two auto-size columns fill what the fixed one leaves.
    EXPECT_EQ(a->Width() + b->Width(), grid->ClientWidth() - 100);
    EXPECT_EQ(b->Left() + b->Width(), grid->ClientWidth());
}

TEST_F(Columns, DisplayTextOfEachKind) {
    auto* text = grid->Columns()->Add<TNxTextColumn>();
    auto* number = grid->Columns()->Add<TNxNumberColumn>();
    EXPECT_EQ(Shown(number, 0.5), u"0.5");
    number->SetPrecision(0);
    EXPECT_EQ(Shown(number, 1.5), u"1.5");
    EXPECT_EQ(Shown(number, 57), u"57");
    number->SetTextBefore(u"~");
    number->SetTextAfter(u"%");
    EXPECT_EQ(Shown(number, 57), u"~57%");
    number->SetFormatMask("0.00");
    EXPECT_EQ(Shown(number, 2), u"~2.00%");
    number->SetHideWhenEmpty(true);
    number->SetEmptyCaption(u"-");
    EXPECT_EQ(Shown(number, 0), u"-");
    text->SetPasswordChar(u'*');
    EXPECT_EQ(Shown(text, 0, u"abc"), u"***");
    text->SetPasswordChar(0);
    text->SetTextBefore(u"[");
    text->SetTextAfter(u"]");
    EXPECT_EQ(Shown(text, 0, u"abc"), u"[abc]");
}

TEST_F(Columns, NumberColumnTakesDigitsAndTheSeparator) {
    auto* number = grid->Columns()->Add<TNxNumberColumn>();
    EXPECT_TRUE(number->AcceptsChar(u'7'));
    EXPECT_TRUE(number->AcceptsChar(u'.'));
    EXPECT_FALSE(number->AcceptsChar(u'-'));
    EXPECT_FALSE(number->AcceptsChar(u'a'));
    number->SetEditOptions({eoAllowSigns});
    EXPECT_TRUE(number->AcceptsChar(u'-'));
    EXPECT_FALSE(number->AcceptsChar(u'.'));
}

TEST_F(Columns, GridFontFollowsIntoParentFontColumnsOnly) {
    auto* follows = grid->Columns()->Add<TNxTextColumn>();
    auto* own = grid->Columns()->Add<TNxTextColumn>();
    TFont f;
    f.SetName("Arial");
    f.SetHeight(20);
    own->SetFont(f);
    EXPECT_FALSE(own->ParentFont());
    TFont gridFont;
    gridFont.SetHeight(-17);
    grid->SetFont(&gridFont);
    EXPECT_EQ(follows->Font()->Height(), -17);
    EXPECT_TRUE(follows->ParentFont());
    EXPECT_EQ(own->Font()->Height(), 20);
}

TEST_F(Columns, ImageColumnForgetsAFreedImageList) {
    auto* image = grid->Columns()->Add<TNxImageColumn>();
    auto* list = new TImageList(owner.get());
    image->SetImages(list);
    delete list;
    EXPECT_EQ(image->Images(), nullptr);
}

TEST_F(Columns, LookupOutsideTheCollectionRaises) {
    grid->Columns()->Add<TNxTextColumn>();
    EXPECT_THROW(grid->Columns()->Item(1), EListError);
    EXPECT_THROW(grid->Columns()->Item(-1), EListError);
    EXPECT_FALSE(grid->Columns()->ValidIndex(1));
}

TEST_F(Columns, ChangesOfTheColumnSetReportTheirKind) {
    auto* a = grid->Columns()->Add<TNxTextColumn>();
    auto* b = grid->Columns()->Add<TNxTextColumn>();
    grid->AddRows(1);
    grid->SetCellText(1, 0, u"b");
    std::vector<std::pair<int, int>> seen;
    grid->OnDataChange = [&](TObject*, int kind, int index) { seen.push_back({kind, index}); };
    grid->Columns()->Add<TNxNumberColumn>(); // appending is silent
    EXPECT_TRUE(seen.empty());
    auto* inserted = new TNxNumberColumn(owner.get());
    grid->Columns()->Insert(1, inserted);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{dkColumnInserted, 1}}));
    EXPECT_EQ(inserted->Index(), 1);
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(grid->CellText(2, 0), u"b"); // the cells moved with their column
    EXPECT_EQ(grid->CellText(1, 0), u"0");
    EXPECT_EQ(inserted->Position(), 3); // the last display place
    EXPECT_EQ(a->Position(), 0);
    grid->OnDataChange = nullptr;
}

// Columns read from stored data, as a form's reader hands them over: created, given their
// stored values while loading, parented, then told that reading is over.
namespace {

TNxCustomColumn* ReadColumn(TNxGrid* grid, TComponent* owner, const char* name, int position,
                            int width) {
    auto* column = new TNxTextColumn(owner);
    column->SetComponentStateFlag(csLoading, true);
    column->SetName(name);
    column->SetPosition(position);
    column->SetWidth(width);
    grid->Columns()->Add(column);
    return column;
}

} // namespace

TEST_F(Columns, ReadColumnsTakeTheirStoredPlaces) {
    auto* third = ReadColumn(grid, owner.get(), "Third", 2, 30);
    auto* first = ReadColumn(grid, owner.get(), "First", 0, 10);
    auto* second = ReadColumn(grid, owner.get(), "Second", 1, 20);
    third->EndLoading();
    first->EndLoading();
    second->EndLoading();
    const auto& order = grid->Columns()->DisplayOrder();
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0], first);
    EXPECT_EQ(order[1], second);
    EXPECT_EQ(order[2], third);
    EXPECT_EQ(first->Position(), 0);
    EXPECT_EQ(third->Position(), 2);
    EXPECT_EQ(second->Left(), 10);
    EXPECT_EQ(third->Left(), 30);
    EXPECT_EQ(third->Index(), 0); // creation order is untouched
}

TEST_F(Columns, AReadColumnWithAKnownNameIsAppliedToThatColumn) {
    TComponent other(nullptr); // a second owner, so the name is free there
    auto* home = grid->Columns()->Add<TNxTextColumn>(owner.get());
    home->SetName("Home");
    grid->Columns()->Add<TNxTextColumn>(owner.get());
    grid->AddRows(1);
    grid->SetCellText(0, 0, u"kept");
    std::vector<std::pair<int, int>> seen;
    grid->OnDataChange = [&](TObject*, int kind, int index) { seen.push_back({kind, index}); };
    auto* read = ReadColumn(grid, &other, "HOME", 1, 146);
    read->Header()->SetCaption(u"Home team");
    read->EndLoading();
    EXPECT_EQ(grid->Columns()->Count(), 2);
    EXPECT_EQ(read->Columns(), nullptr);
    EXPECT_EQ(home->Width(), 146);
    EXPECT_EQ(home->Header()->Caption(), u"Home team");
    EXPECT_EQ(home->Position(), 1);
    EXPECT_EQ(grid->CellText(0, 0), u"kept");
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), (std::pair<int, int>{dkColumnChanged, 0}));
    grid->OnDataChange = nullptr;
}
