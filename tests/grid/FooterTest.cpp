// Footer formulas computed over the visible rows of a column.
#include "GridTestSupport.h"
#include "grid/NxFooterFormula.h"

namespace {

class Footer : public GridFixture {
protected:
    double Value(int column, TFormulaKind kind, bool& computed) {
        TNxCustomColumn* c = grid->Columns()->Item(column);
        c->Footer()->SetFormulaKind(kind);
        double value = -1;
        computed = FooterFormulaValue(*grid, c, value);
        return value;
    }
    double Value(int column, TFormulaKind kind) {
        bool computed = false;
        const double value = Value(column, kind, computed);
        EXPECT_TRUE(computed);
        return value;
    }
};

TEST_F(Footer, NumberColumnFormulasCountOnlyVisibleRows) {
    const double values[4] = {1.5, 100, 2.5, 4};
    for (double v : values) {
        const int row = grid->AddRows(1);
        grid->CellObject(9, row)->SetFloatValue(v);
    }
    grid->SetRowIsVisible(1, false);
    EXPECT_DOUBLE_EQ(Value(9, fkSum), 8.0);
    EXPECT_DOUBLE_EQ(Value(9, fkCount), 3.0);
    EXPECT_DOUBLE_EQ(Value(9, fkAverage), 8.0 / 3);
    EXPECT_DOUBLE_EQ(Value(9, fkMinimum), 1.5);
    EXPECT_DOUBLE_EQ(Value(9, fkMaximum), 4.0);
    EXPECT_DOUBLE_EQ(Value(9, fkDistinct), 3.0);
}

TEST_F(Footer, TextColumnsLeaveOutTextThatIsNoNumber) {
    const char16_t* texts[4] = {u"12", u"abc", u"", u"12"};
    for (const char16_t* t : texts) grid->SetCellText(3, grid->AddRows(1), t);
    EXPECT_DOUBLE_EQ(Value(3, fkSum), 24.0);
    EXPECT_DOUBLE_EQ(Value(3, fkAverage), 12.0);
    EXPECT_DOUBLE_EQ(Value(3, fkCount), 4.0);
    EXPECT_DOUBLE_EQ(Value(3, fkDistinct), 3.0);
}

TEST_F(Footer, NothingToComputeShowsNoValue) {
    bool computed = true;
    Value(9, fkAverage, computed);
    EXPECT_FALSE(computed); // no rows
    Value(9, fkCustom, computed);
    EXPECT_FALSE(computed);
    EXPECT_DOUBLE_EQ(Value(9, fkSum), 0.0);

    TColumnFooter* footer = grid->Columns()->Item(9)->Footer();
    footer->SetCaption(u"caption");
    footer->SetFormulaKind(fkMaximum);
    EXPECT_EQ(FooterText(*grid, grid->Columns()->Item(9)), u"");
    footer->SetFormulaKind(fkNone);
    footer->SetTextBefore(u"[");
    footer->SetTextAfter(u"]");
    EXPECT_EQ(FooterText(*grid, grid->Columns()->Item(9)), u"[caption]");
}

TEST_F(Footer, TextUsesTheFloatMaskAndTheLocaleSeparator) {
    for (double v : {1.25, 2.5}) grid->CellObject(9, grid->AddRows(1))->SetFloatValue(v);
    TColumnFooter* footer = grid->Columns()->Item(9)->Footer();
    footer->SetFormulaKind(fkSum);
    footer->SetTextBefore(u"Sum ");
    EXPECT_EQ(FooterText(*grid, grid->Columns()->Item(9)), u"Sum 3.75");
    footer->SetFormatMaskKind(mkFloat);
    footer->SetFormatMask("0.0");
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(FooterText(*grid, grid->Columns()->Item(9)), u"Sum 3,8");
}

} // namespace

namespace {

// Dark text pixels in column `col`'s footer cell.
int FooterInk(TNxGrid* grid, const TBitmap& shot, int col) {
    const TNxCustomColumn* c = grid->Columns()->Item(col);
    int n = 0;
    for (int y = grid->ClientHeight() - 16; y < grid->ClientHeight() - 2; ++y)
        for (int x = c->Left() + 1; x < c->Left() + c->Width() - 2; ++x)
            if (const TColor p = ClientPixel(grid, shot, x, y);
                (p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF) < 300)
                ++n;
    return n;
}

TEST_F(Footer, PaintedFooterFollowsCellChanges) {
    grid->SetOptions({goGrid, goHeader, goFooter});
    grid->Columns()->Item(9)->Footer()->SetFormulaKind(fkSum);
    const int row = grid->AddRows(1);
    const int zero = FooterInk(grid, Shot(), 9);
    EXPECT_GT(zero, 0) << "a sum of 0 is drawn as \"0\"";
    grid->CellObject(9, row)->SetFloatValue(888);
    const int changed = FooterInk(grid, Shot(), 9);
    EXPECT_GT(changed, zero);
}

} // namespace
