#include "table/MatchRows.h"

#include "rtl/Exceptions.h"
#include "table/Highlights.h"
#include "tests/table/MatchGridFixture.h"

#include <string>
#include <vector>

namespace {

class MatchRows : public MatchGridTest {
protected:
    TColor CellColor(int column, int row = 0) { return fg->CellObject(column, row)->Color(); }
    TColor ColumnColor(int column) { return fg->Columns()->Item(column)->Color(); }
};

} // namespace

TEST_F(MatchRows, FillsEveryColumnFromTheEntry) {
    MatchEntry e = SampleEntry("77");
    e.home = "\xD1\xEF\xE0\xF0\xF2\xE0\xEA"; // "Спартак" in code page 1251
    AddMatchRow(*fg, e);
    ASSERT_EQ(fg->RowCount(), 1);
    const std::vector<std::u16string> expected = {
        u"77", u"0",  u"18:30", u"Спартак", u"Chelsea", u"1,85", u"3,40", u"4,20",
        u"48", u"27", u"25",    u"88",      u"70",      u"52",   u"55",   u"12"};
    for (int c = 0; c < kMatchColumnCount; ++c) {
        if (c == mcFlag) continue;
        EXPECT_EQ(fg->CellText(c, 0), expected[c]) << "column " << c;
    }
    EXPECT_EQ(fg->CellObject(mcFlag, 0)->IntValue(), 23);
    EXPECT_EQ(fg->CellObject(mcFlag, 0)->Hint(), u"England.Premier League");
    // The date has no place in the row.
    for (int c = 0; c < kMatchColumnCount; ++c)
        EXPECT_EQ(fg->CellText(c, 0).find(u"2026"), std::u16string::npos);
    for (int c = 0; c < kMatchColumnCount; ++c)
        EXPECT_EQ(CellColor(c), ColumnColor(c)) << "column " << c;
}

TEST_F(MatchRows, EachRowGoesAtTheEndWithItsOwnFlagHint) {
    const char* leagues[] = {"Ecuador.Serie A", "FIFA.World Cup qualifiers", "Narnia.League"};
    const int flags[] = {15, 25, 0};
    for (const char* league : leagues) {
        MatchEntry e = SampleEntry(league);
        e.liga = league;
        AddMatchRow(*fg, e);
    }
    ASSERT_EQ(fg->RowCount(), 3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(fg->CellText(mcId, r), AnsiToWide(leagues[r]));
        EXPECT_EQ(fg->CellObject(mcFlag, r)->IntValue(), flags[r]);
        EXPECT_EQ(fg->CellObject(mcFlag, r)->Hint(), AnsiToWide(leagues[r]));
    }
}

TEST_F(MatchRows, ThresholdsAreStrictlyGreater) {
    struct Case {
        AnsiString MatchEntry::*field;
        int column;
        int threshold;
        TColor highlight;
    };
    const Case cases[] = {
        {&MatchEntry::p1, mcPercent1, 60, kOutcomeHighlight},
        {&MatchEntry::x, mcPercentX, 50, kOutcomeHighlight},
        {&MatchEntry::p2, mcPercent2, 60, kOutcomeHighlight},
        {&MatchEntry::t05, mcOver05, 90, kGoalsHighlight},
        {&MatchEntry::t15, mcOver15, 80, kGoalsHighlight},
        {&MatchEntry::t25, mcOver25, 70, kGoalsHighlight},
        {&MatchEntry::oz, mcBtts, 65, kGoalsHighlight},
    };
    for (const Case& c : cases) {
        fg->ClearRows();
        for (int value : {c.threshold, c.threshold + 1, 99}) {
            MatchEntry e = SampleEntry();
            e.*c.field = std::to_string(value);
            AddMatchRow(*fg, e);
        }
        EXPECT_EQ(CellColor(c.column, 0), ColumnColor(c.column)) << "column " << c.column;
        EXPECT_EQ(CellColor(c.column, 1), c.highlight) << "column " << c.column;
        EXPECT_EQ(CellColor(c.column, 2), c.highlight) << "column " << c.column;
        // One field never colours a neighbour.
        for (int other = mcPercent1; other <= mcBtts; ++other) {
            if (other != c.column) {
                EXPECT_EQ(CellColor(other, 1), ColumnColor(other));
            }
        }
    }
}

TEST_F(MatchRows, HundredIsCertainty) {
    MatchEntry e = SampleEntry();
    e.p1 = e.x = e.p2 = "100";
    e.t05 = e.t15 = e.t25 = e.oz = "100";
    AddMatchRow(*fg, e);
    for (int c : {mcPercent1, mcPercentX, mcPercent2}) EXPECT_EQ(CellColor(c), kOutcomeCertainty);
    for (int c : {mcOver05, mcOver15, mcOver25, mcBtts}) EXPECT_EQ(CellColor(c), kGoalsCertainty);
    EXPECT_EQ(CellColor(mcCount), kCountColumnColor);
}

TEST_F(MatchRows, ValuesThatAreNotIntegersCountAsZero) {
    MatchEntry e = SampleEntry();
    e.oz = "very likely"; // a text column takes any text
    e.t05 = " 95 ";       // blanks around an integer still read
    AddMatchRow(*fg, e);
    EXPECT_EQ(CellColor(mcBtts), clSilver);
    EXPECT_EQ(fg->CellText(mcBtts, 0), u"very likely");
    EXPECT_EQ(CellColor(mcOver05), kGoalsHighlight);

    DecimalSeparatorScope point('.');
    MatchEntry fraction = SampleEntry();
    fraction.p1 = "99.5"; // a number to the cell, but no integer to the highlight test
    fraction.oz = "";
    AddMatchRow(*fg, fraction);
    EXPECT_EQ(fg->CellText(mcPercent1, 1), u"99.5");
    EXPECT_EQ(CellColor(mcPercent1, 1), clSilver);
    EXPECT_EQ(CellColor(mcBtts, 1), clSilver);
}

TEST_F(MatchRows, HexadecimalTextIsNoDecimalInteger) {
    // oz is a text column, so these reach the highlight test as written; read as hexadecimal
    // each would be 100 and mark the cell as certain.
    for (const char* text : {"$64", "0x64", "0X64", " 0x64", "-$64"}) {
        MatchEntry e = SampleEntry();
        e.oz = text;
        AddMatchRow(*fg, e);
        EXPECT_EQ(CellColor(mcBtts, fg->RowCount() - 1), clSilver) << text;
    }
    MatchEntry decimal = SampleEntry();
    decimal.oz = "066"; // leading zeros are still decimal
    AddMatchRow(*fg, decimal);
    EXPECT_EQ(CellColor(mcBtts, fg->RowCount() - 1), kGoalsHighlight);
}

TEST_F(MatchRows, ConversionErrorLeavesThePartialRow) {
    AddMatchRow(*fg, SampleEntry("1"));
    MatchEntry bad = SampleEntry("2");
    bad.p1 = "";
    bad.x = "100"; // would be certainty, but the row stops before the colours
    bad.oz = "100";
    try {
        AddMatchRow(*fg, bad);
        FAIL() << "an empty percentage must stop the row";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'' is not a valid floating point value");
    }
    ASSERT_EQ(fg->RowCount(), 2);
    EXPECT_EQ(fg->CellText(mcId, 1), u"2");
    EXPECT_EQ(fg->CellObject(mcFlag, 1)->IntValue(), 23);
    EXPECT_EQ(fg->CellObject(mcFlag, 1)->Hint(), u"England.Premier League");
    EXPECT_EQ(fg->CellText(mcTime, 1), u"18:30");
    EXPECT_EQ(fg->CellText(mcHome, 1), u"Arsenal");
    EXPECT_EQ(fg->CellText(mcAway, 1), u"Chelsea");
    EXPECT_EQ(fg->CellText(mcOdds2, 1), u"4,20");
    for (int c = mcPercent1; c <= mcOver25; ++c) EXPECT_EQ(fg->CellText(c, 1), u"0");
    EXPECT_EQ(fg->CellText(mcBtts, 1), u"");
    EXPECT_EQ(fg->CellText(mcCount, 1), u"0");
    for (int c = 0; c < kMatchColumnCount; ++c) EXPECT_EQ(CellColor(c, 1), ColumnColor(c));
    // The earlier row is untouched.
    EXPECT_EQ(fg->CellText(mcPercent1, 0), u"48");
}

TEST_F(MatchRows, ConversionErrorEndsAnAnswerPartWay) {
    const std::string answer =
        "<PODPISKA>Gold till 31.12</PODPISKA>"
        "<match><id>1</id><liga>Spain.Primera</liga><p1>61</p1><x>20</x><p2>19</p2>"
        "<t05>91</t05><t15>75</t15><t25>50</t25><oz>66</oz><count>3</count></match>"
        "<match><id>2</id><liga>Italy.Serie A</liga><p1>abc</p1></match>"
        "<match><id>3</id><liga>France.Ligue 1</liga><p1>10</p1></match>";
    int handed = 0;
    EXPECT_THROW(ParseMatchList(answer,
                                [&](const MatchEntry& e) {
                                    ++handed;
                                    AddMatchRow(*fg, e);
                                }),
                 EConvertError);
    EXPECT_EQ(handed, 2);
    ASSERT_EQ(fg->RowCount(), 2);
    EXPECT_EQ(fg->CellObject(mcFlag, 0)->IntValue(), 75);
    EXPECT_EQ(CellColor(mcPercent1, 0), kOutcomeHighlight);
    EXPECT_EQ(CellColor(mcOver05, 0), kGoalsHighlight);
    EXPECT_EQ(CellColor(mcBtts, 0), kGoalsHighlight);
    EXPECT_EQ(fg->CellText(mcId, 1), u"2");
    EXPECT_EQ(fg->CellObject(mcFlag, 1)->IntValue(), 42);
}

// An answer that keeps one long home team over many entries: every row shows it, highlights
// included, while the grid holds the text once instead of once per row.
TEST_F(MatchRows, AKeptValueIsSharedByTheRows) {
    const std::string big(100000, 'h');
    std::string answer = "<PODPISKA>s</PODPISKA>"
                         "<match><id>1</id><liga>Spain.Primera</liga><home>" +
                         big +
                         "</home><p1>61</p1><x>20</x><p2>100</p2><t05>91</t05><t15>75</t15>"
                         "<t25>50</t25><count>3</count></match>";
    // Open tags without their close tags keep the previous values.
    const int kept = 300;
    for (int i = 0; i < kept; ++i)
        answer += "<match><home><liga><p1><x><p2><t05><t15><t25><count></match>";
    ParseMatchList(answer, [&](const MatchEntry& e) { AddMatchRow(*fg, e); });
    ASSERT_EQ(fg->RowCount(), kept + 1);
    for (const int row : {1, kept / 2, kept}) {
        EXPECT_EQ(fg->CellObject(mcHome, row)->TextValue().size(), big.size());
        EXPECT_EQ(fg->CellObject(mcHome, row)->TextValue()[0], u'h');
        EXPECT_EQ(fg->CellObject(mcFlag, row)->IntValue(), 75);
        EXPECT_EQ(fg->CellObject(mcFlag, row)->Hint(), u"Spain.Primera");
        EXPECT_EQ(fg->CellText(mcPercent1, row), u"61");
        EXPECT_EQ(CellColor(mcPercent1, row), kOutcomeHighlight);
        EXPECT_EQ(CellColor(mcPercent2, row), kOutcomeCertainty);
        EXPECT_EQ(CellColor(mcOver05, row), kGoalsHighlight);
        EXPECT_EQ(fg->CellText(mcAway, row), u""); // not kept: no open tag
    }
    // One copy of the text (two bytes a character) and a little per row; a copy per row
    // would take 60 MB.
    EXPECT_LT(fg->Cells()->MemoryBytes(), 2 * big.size() + 2048 * size_t(kept + 1));
}

// A row takes nothing from the row above unless that row was made from the previous entry.
TEST_F(MatchRows, OnlyTheRowOfThePreviousEntryIsShared) {
    MatchEntry e = SampleEntry();
    AddMatchRow(*fg, e);
    e.home = "Everton";
    e.SetSameAsPrevious(~0u); // as if every field were the previous entry's text
    AddMatchRow(*fg5, e);     // but that entry went to another grid
    EXPECT_EQ(fg5->CellText(mcHome, 0), u"Everton");
    fg->AddRows(1); // a row in between
    AddMatchRow(*fg, e);
    EXPECT_EQ(fg->CellText(mcHome, 2), u"Everton");
}
