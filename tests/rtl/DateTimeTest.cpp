// Day numbers, calendar edges and date text under the settings.
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {
class DateScope {
public:
    DateScope(const char* pattern, char sep) : m_saved(FormatSettings) {
        FormatSettings.ShortDateFormat = pattern;
        FormatSettings.DateSeparator = sep;
        FormatSettings.TimeSeparator = ':';
        FormatSettings.LongTimeFormat = "hh:nn:ss";
    }
    ~DateScope() { FormatSettings = m_saved; }

private:
    TFormatSettings m_saved;
};
} // namespace

TEST(DateTime, DayNumbers) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_EQ(EncodeDate(2024, 2, 29) - EncodeDate(2024, 2, 28), 1);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError); // not a leap year
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    for (double day : {-693593.0, -1.0, 0.0, 59.0, 60.0, 36526.0, 45351.0, 2958465.0}) {
        int y, m, d;
        DecodeDate(day, y, m, d);
        EXPECT_EQ(EncodeDate(y, m, d), day);
    }
    int h, n, s, ms;
    DecodeTime(EncodeDate(2020, 5, 17) + EncodeTime(23, 59, 58, 999), h, n, s, ms);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 235958999);
    // Before 1899-12-30 the time of day is the fraction's absolute value.
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(h, 6);
}

TEST(DateTime, TextUnderTheSettings) {
    DateScope ru("dd/mm/yyyy", '.');
    TDateTime t = EncodeDate(2009, 3, 7) + EncodeTime(9, 5, 0, 0);
    EXPECT_EQ(DateTimeToStr(t), "07.03.2009 09:05:00");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2009, 3, 7)), "07.03.2009");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd'T'hh:nn:ss.zzz", t), "2009-03-07T09:05:00.000");
    EXPECT_EQ(FormatDateTime("d/m/yy", t), "7.3.09");
    EXPECT_EQ(StrToDateTime("07.03.2009 09:05:00"), t);
    EXPECT_EQ(StrToDate(" 7.3.09 "), EncodeDate(2009, 3, 7));
    int thisYear, m, d;
    DecodeDate(Date(), thisYear, m, d);
    for (int offset : {-50, -10, 0, 10, 49}) {
        int year = thisYear + offset;
        std::string text = "7.3." + std::to_string(year % 100 / 10) + std::to_string(year % 10);
        EXPECT_EQ(StrToDate(text), EncodeDate(year, 3, 7)) << text;
    }
    EXPECT_EQ(StrToDate("1.2"), EncodeDate(thisYear, 2, 1)); // no year: this year
    EXPECT_DOUBLE_EQ(StrToTime("9:05"), EncodeTime(9, 5, 0, 0));
    EXPECT_DOUBLE_EQ(StrToDateTime("18:30"), EncodeTime(18, 30, 0, 0));
}

TEST(DateTime, FieldOrderFollowsThePattern) {
    DateScope us("mm/dd/yyyy", '/');
    EXPECT_EQ(StrToDate("03/07/2009"), EncodeDate(2009, 3, 7));
    EXPECT_EQ(DateToStr(EncodeDate(2009, 3, 7)), "03/07/2009");
    DateScope iso("yyyy/mm/dd", '-');
    EXPECT_EQ(StrToDate("2009-03-07"), EncodeDate(2009, 3, 7));
}

TEST(DateTime, BadTextRaises) {
    DateScope ru("dd/mm/yyyy", '.');
    for (const char* bad : {"", "31.02.2009", "1.2.3.4", "x", "12.", "07.03.2009 25:00", "7..3"}) {
        TDateTime v = 5;
        EXPECT_FALSE(TryStrToDateTime(bad, v)) << bad;
        EXPECT_EQ(v, 5);
    }
    try {
        StrToDateTime("soon");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'soon' is not a valid date and time");
    }
}

TEST(DateTime, NowIsToday) {
    TDateTime now = Now();
    TDateTime today = Date();
    EXPECT_LE(today, now);
    EXPECT_LT(now - today, 1.0);
    EXPECT_GT(today, EncodeDate(2020, 1, 1));
}

TEST(DateTime, WideText) {
    DateScope ru("dd/mm/yyyy", '.');
    EXPECT_EQ(StrToDateTime(u"01.02.2003"), EncodeDate(2003, 2, 1));
    TDateTime v;
    EXPECT_FALSE(TryStrToDateTime(u"01.02.2003\u0416", v));
    EXPECT_THROW(StrToDateTime(u"\u0416"), EConvertError);
    EXPECT_TRUE(StrToBool(u"TRUE"));
    EXPECT_THROW(StrToBool(u"\u0434\u0430"), EConvertError);
}
