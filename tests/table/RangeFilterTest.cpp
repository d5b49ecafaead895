#include "table/RangeFilter.h"

#include "table/Highlights.h"
#include "table/MatchRows.h"
#include "tests/table/MatchGridFixture.h"

#include "rtl/NumberText.h"

#include <limits>
#include <vector>

namespace {

class RangeFilter : public MatchGridTest {
protected:
    // Ids of the rows of the filtered grid, in order.
    std::vector<std::u16string> FilteredIds() {
        std::vector<std::u16string> ids;
        for (int r = 0; r < fg5->RowCount(); ++r) ids.push_back(fg5->CellText(mcId, r));
        return ids;
    }
    void Add(const MatchEntry& e) { AddMatchRow(*fg, e); }
    std::vector<std::u16string> Filter(const TFilterValues& bounds) {
        ApplyRangeFilter(*fg, *fg5, bounds);
        return FilteredIds();
    }

    TFilterValues bounds = FilterStartValues();
};

using Ids = std::vector<std::u16string>;

} // namespace

TEST_F(RangeFilter, StartingBoundsPassOrdinaryRowsUnderEitherSeparator) {
    MatchEntry low = SampleEntry("low");
    low.kf1 = "1,01";
    low.p1 = "0";
    low.count = "0";
    Add(low);
    Add(SampleEntry("mid"));
    MatchEntry high = SampleEntry("high");
    high.kf3 = "1000";
    high.t05 = "100";
    high.count = "1000";
    Add(high);
    MatchEntry below = SampleEntry("below");
    below.kf2 = "1,005";
    Add(below);
    MatchEntry many = SampleEntry("many");
    many.count = "1001";
    Add(many);

    EXPECT_EQ(Filter(bounds), (Ids{u"low", u"mid", u"high"}));
    // The odds keep their "," under a "." locale and must still read as numbers.
    DecimalSeparatorScope point('.');
    EXPECT_EQ(Filter(bounds), (Ids{u"low", u"mid", u"high"}));
    EXPECT_EQ(fg->RowCount(), 5);
}

TEST_F(RangeFilter, OddsBoundsIncludeTheirEnds) {
    for (const char* odds : {"1,85", "1,851", "1.5", "1,5", "1,499"}) {
        MatchEntry e = SampleEntry(odds);
        e.kf1 = odds;
        Add(e);
    }
    bounds[0] = 1.5;
    bounds[1] = 1.85;
    EXPECT_EQ(Filter(bounds), (Ids{u"1,85", u"1.5", u"1,5"}));
    bounds[2] = 3.4; // draw odds "3,40" equal to the lower bound
    bounds[3] = 3.4;
    EXPECT_EQ(Filter(bounds), (Ids{u"1,85", u"1.5", u"1,5"}));
    bounds[5] = 4.199; // away odds "4,20" just above the upper bound
    EXPECT_TRUE(Filter(bounds).empty());
}

TEST_F(RangeFilter, UnreadableOddsCountAsOne) {
    for (const char* odds : {"", "-", "1,2,3", "n/a"}) {
        MatchEntry e = SampleEntry(odds);
        e.kf2 = odds;
        Add(e);
    }
    EXPECT_TRUE(Filter(bounds).empty()); // 1.0 is below the starting 1.01
    bounds[2] = 1.0;
    EXPECT_EQ(Filter(bounds).size(), 4u);
    bounds[2] = 0.5;
    bounds[3] = 0.99;
    EXPECT_TRUE(Filter(bounds).empty());
}

TEST_F(RangeFilter, IntegerBoundsRoundHalvesToEven) {
    for (const char* p : {"49", "50", "51", "52", "53"}) {
        MatchEntry e = SampleEntry(p);
        e.p1 = p;
        Add(e);
    }
    bounds[6] = 50.5; // compares as 50
    EXPECT_EQ(Filter(bounds), (Ids{u"50", u"51", u"52", u"53"}));
    bounds[6] = 51.5; // compares as 52
    EXPECT_EQ(Filter(bounds), (Ids{u"52", u"53"}));
    bounds[6] = 0;
    bounds[7] = 51.5;
    EXPECT_EQ(Filter(bounds), (Ids{u"49", u"50", u"51", u"52"}));
    bounds[7] = 50.5;
    EXPECT_EQ(Filter(bounds), (Ids{u"49", u"50"}));
    bounds[7] = 50.6;
    EXPECT_EQ(Filter(bounds), (Ids{u"49", u"50", u"51"}));
}

TEST_F(RangeFilter, EachIntegerRangeTestsItsOwnColumn) {
    const int columns[] = {mcPercent1, mcPercentX, mcPercent2, mcOver05,
                           mcOver15,   mcOver25,   mcCount};
    for (int k = 0; k < 7; ++k) {
        fg->ClearRows();
        TFilterValues narrow = FilterStartValues();
        narrow[6 + 2 * k] = 30;
        narrow[7 + 2 * k] = 40;
        MatchEntry inside = SampleEntry("inside");
        MatchEntry outside = SampleEntry("outside");
        AnsiString* fieldsIn[] = {&inside.p1,  &inside.x,   &inside.p2,   &inside.t05,
                                  &inside.t15, &inside.t25, &inside.count};
        AnsiString* fieldsOut[] = {&outside.p1,  &outside.x,   &outside.p2,   &outside.t05,
                                   &outside.t15, &outside.t25, &outside.count};
        *fieldsIn[k] = "35";
        *fieldsOut[k] = "41";
        Add(inside);
        Add(outside);
        EXPECT_EQ(Filter(narrow), (Ids{u"inside"})) << "column " << columns[k];
    }
}

TEST_F(RangeFilter, IntegerCellsThatAreNotIntegersCountAsOne) {
    DecimalSeparatorScope point('.');
    MatchEntry e = SampleEntry("fraction");
    e.x = "27.5"; // a number cell, but its text is no integer
    Add(e);
    bounds[8] = 1;
    EXPECT_EQ(Filter(bounds), (Ids{u"fraction"}));
    bounds[8] = 2;
    EXPECT_TRUE(Filter(bounds).empty());
}

TEST_F(RangeFilter, BttsNeverExcludes) {
    for (const char* oz : {"0", "100", "250", "-7", "maybe", ""}) {
        MatchEntry e = SampleEntry(oz);
        e.oz = oz;
        Add(e);
    }
    for (int i = 6; i < 20; i += 2) {
        bounds[i] = 1; // every integer range narrowed around the sample's values
        bounds[i + 1] = 100;
    }
    EXPECT_EQ(Filter(bounds).size(), 6u);
}

TEST_F(RangeFilter, CopiesTextsFlagHintAndColoursInOrder) {
    MatchEntry a = SampleEntry("a");
    a.liga = "Kosovo.Superliga";
    a.p1 = "100";
    a.t15 = "81";
    MatchEntry b = SampleEntry("b");
    b.count = "5000"; // filtered out
    MatchEntry c = SampleEntry("c");
    c.liga = "no country";
    c.oz = "66";
    Add(a);
    Add(b);
    Add(c);
    EXPECT_EQ(Filter(bounds), (Ids{u"a", u"c"}));
    const int sources[] = {0, 2};
    for (int q = 0; q < 2; ++q) {
        const int r = sources[q];
        EXPECT_EQ(fg5->CellObject(mcFlag, q)->IntValue(), fg->CellObject(mcFlag, r)->IntValue());
        EXPECT_EQ(fg5->CellObject(mcFlag, q)->Hint(), fg->CellObject(mcFlag, r)->Hint());
        for (int col = mcTime; col < kMatchColumnCount; ++col) {
            EXPECT_EQ(fg5->CellText(col, q), fg->CellText(col, r)) << col;
            EXPECT_EQ(fg5->CellObject(col, q)->Color(), fg->CellObject(col, r)->Color()) << col;
        }
    }
    EXPECT_EQ(fg5->CellObject(mcFlag, 0)->IntValue(), 98);
    EXPECT_EQ(fg5->CellObject(mcPercent1, 0)->Color(), kOutcomeCertainty);
    EXPECT_EQ(fg5->CellObject(mcOver15, 0)->Color(), kGoalsHighlight);
    EXPECT_EQ(fg5->CellObject(mcBtts, 1)->Color(), kGoalsHighlight);
    EXPECT_EQ(fg5->CellObject(mcOdds1, 1)->Color(), clNavy);
    EXPECT_EQ(fg5->CellObject(mcFlag, 1)->Hint(), u"no country");
}

TEST_F(RangeFilter, ReplacesEarlierResultsAndHandlesAnEmptyGrid) {
    Add(SampleEntry("x"));
    EXPECT_EQ(Filter(bounds).size(), 1u);
    EXPECT_EQ(Filter(bounds).size(), 1u); // not appended a second time
    fg->ClearRows();
    EXPECT_TRUE(Filter(bounds).empty());
    EXPECT_EQ(fg5->RowCount(), 0);
}

TEST(FilterValueReading, NumberCellsReadAsTheirTextWould) {
    // The filter reads number cells by value; it must agree with reading their text.
    const double values[] = {0,
                             -0.0,
                             57,
                             57.5,
                             -3,
                             1e14,
                             1e15,
                             2147483647,
                             2147483648.0,
                             -2147483648.0,
                             -2147483649.0,
                             0.1 + 0.2,
                             1e-7,
                             1e300,
                             std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
    for (char separator : {',', '.'}) {
        DecimalSeparatorScope scope(separator);
        for (double value : values)
            EXPECT_EQ(FilterIntegerValue(value), FilterIntegerValue(FloatToWideStr(value)))
                << value;
    }
}

TEST(FilterValueReading, EitherDecimalMarkWhateverTheLocale) {
    for (char separator : {',', '.'}) {
        DecimalSeparatorScope scope(separator);
        EXPECT_EQ(FilterOddsValue(u"1,85"), 1.85);
        EXPECT_EQ(FilterOddsValue(u"1.85"), 1.85);
        EXPECT_EQ(FilterOddsValue(u" 2 "), 2.0);
        EXPECT_EQ(FilterOddsValue(u"1.000,5"), 1.0);
        EXPECT_EQ(FilterOddsValue(u"١٫٥"), 1.0); // non-ASCII digits are no number here
        EXPECT_EQ(FilterIntegerValue(u"57"), 57);
        EXPECT_EQ(FilterIntegerValue(u"57.0"), 1);
        EXPECT_EQ(FilterIntegerValue(u""), 1);
    }
}
