#include "table/MatchColumns.h"

#include "tests/table/MatchGridFixture.h"

namespace {

using MatchColumns = MatchGridTest;

} // namespace

TEST_F(MatchColumns, BothGridsGetTheSameColumnsUnderTheirOwnNames) {
    ASSERT_EQ(fg->Columns()->Count(), kMatchColumnCount);
    ASSERT_EQ(fg5->Columns()->Count(), kMatchColumnCount);
    for (int i = 0; i < kMatchColumnCount; ++i) {
        TNxCustomColumn* a = fg->Columns()->Item(i);
        TNxCustomColumn* b = fg5->Columns()->Item(i);
        EXPECT_EQ(a->Name(), MatchColumnNames(mgFull)[i]);
        EXPECT_EQ(b->Name(), MatchColumnNames(mgFiltered)[i]);
        EXPECT_EQ(owner->FindComponent(a->Name()), a);
        EXPECT_EQ(typeid(*a), typeid(*b)) << i;
        EXPECT_EQ(a->Width(), b->Width()) << i;
        EXPECT_EQ(a->Color(), b->Color()) << i;
        EXPECT_EQ(a->Alignment(), b->Alignment()) << i;
        EXPECT_EQ(a->Options(), b->Options()) << i;
        EXPECT_EQ(a->SortType(), b->SortType()) << i;
        EXPECT_EQ(a->Header()->Caption(), b->Header()->Caption()) << i;
        EXPECT_EQ(a->Header()->Color(), TColor(kMatchHeaderColor)) << i;
        EXPECT_EQ(a->Font()->Color(), b->Font()->Color()) << i;
        EXPECT_EQ(a->Font()->Style(), b->Font()->Style()) << i;
        EXPECT_EQ(a->Font()->Name(), "Arial");
        EXPECT_EQ(a->Font()->Height(), 14);
    }
    // The filtered grid's names are the window's own, not the full grid's.
    EXPECT_EQ(fg5->Columns()->Item(mcPercent1)->Name(), "NxNumberColumn3");
    EXPECT_EQ(fg->Columns()->Item(mcPercent1)->Name(), "NxTextColumn6");
}

TEST_F(MatchColumns, LayoutOfTheVisibleColumns) {
    // The id column is hidden; the others add up to the grid's full width.
    EXPECT_FALSE(fg->Columns()->Item(mcId)->Visible());
    EXPECT_EQ(fg->Columns()->Item(mcId)->VisibleIndex(), -1);
    EXPECT_EQ(fg->Columns()->TotalWidth(), 778);
    EXPECT_EQ(fg->Columns()->Item(mcFlag)->Left(), 0);
    EXPECT_EQ(fg->Columns()->Item(mcCount)->Left(), 778 - 64);
}

TEST_F(MatchColumns, KindsDecideWhatTheCellsHold) {
    fg->AddRows(1);
    // Number columns read back the integer they were given; the filter relies on that.
    for (int c : {mcPercent1, mcPercentX, mcPercent2, mcOver05, mcOver15, mcOver25, mcCount}) {
        EXPECT_EQ(fg->CellText(c, 0), u"0") << c;
        fg->SetCellText(c, 0, u"57");
        EXPECT_EQ(fg->CellText(c, 0), u"57") << c;
        EXPECT_EQ(fg->Columns()->Item(c)->Alignment(), taCenter);
    }
    // Odds and BTTS are text: any text is kept as it stands.
    for (int c : {mcOdds1, mcOddsX, mcOdds2, mcBtts}) {
        EXPECT_EQ(fg->CellText(c, 0), u"") << c;
        fg->SetCellText(c, 0, u"1,85");
        EXPECT_EQ(fg->CellText(c, 0), u"1,85");
    }
    fg->CellObject(mcFlag, 0)->SetIntValue(25);
    EXPECT_EQ(fg->CellText(mcFlag, 0), u"25");
    // New cells take their column's colour.
    EXPECT_EQ(fg->CellObject(mcOdds1, 0)->Color(), clNavy);
    EXPECT_EQ(fg->CellObject(mcPercent1, 0)->Color(), clSilver);
    EXPECT_EQ(fg->CellObject(mcCount, 0)->Color(), TColor(kCountColumnColor));
    EXPECT_EQ(fg->CellObject(mcPercentX, 0)->Color(), clWindow);
}

TEST_F(MatchColumns, FlagColumnShowsImagesAndAGlyphHeader) {
    auto* flag = dynamic_cast<TNxImageColumn*>(fg->Columns()->Item(mcFlag));
    ASSERT_NE(flag, nullptr);
    EXPECT_EQ(flag->Images(), images);
    EXPECT_EQ(flag->Header()->DisplayMode(), dmImageOnly);
    EXPECT_EQ(flag->Header()->Glyph()->Width(), 16);
    EXPECT_EQ(flag->Header()->Caption(), u"Fl");
    // Freeing the image list must not leave the column pointing at it.
    delete images;
    images = nullptr;
    EXPECT_EQ(flag->Images(), nullptr);
}

TEST_F(MatchColumns, OptionsOfThePercentAndBttsColumns) {
    const TColumnOptions plain{coCanClick, coCanInput, coCanSort, coPublicUsing};
    for (int c = mcPercent1; c <= mcOver25; ++c)
        EXPECT_EQ(fg->Columns()->Item(c)->Options(), plain + coShowTextFitHint) << c;
    EXPECT_EQ(fg->Columns()->Item(mcBtts)->Options(), plain);
    EXPECT_TRUE(fg->Columns()->Item(mcHome)->Options().Contains(coShowTextFitHint));
    EXPECT_EQ(fg->Columns()->Item(mcBtts)->DefaultValue(), u"0");
    EXPECT_EQ(fg->Columns()->Item(mcBtts)->SortType(), stAlphabetic);
    EXPECT_TRUE(fg->Columns()->Item(mcOdds1)->Font()->Style().Contains(fsBold));
    EXPECT_EQ(fg->Columns()->Item(mcOdds1)->Font()->Color(), clYellow);
    EXPECT_TRUE(fg->Columns()->Item(mcCount)->Font()->Style().Contains(fsBold));
    EXPECT_FALSE(fg->Columns()->Item(mcHome)->Font()->Style().Contains(fsBold));
}
