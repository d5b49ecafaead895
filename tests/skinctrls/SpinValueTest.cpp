// The spin box's number rules: range, shown text, the typed-text check, conversion and when
// a typed text is put right at once, and the key filter.
#include <gtest/gtest.h>

#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "skinctrls/SpinValue.h"

namespace {
struct SeparatorScope {
    explicit SeparatorScope(char sep) : saved(FormatSettings) {
        FormatSettings.DecimalSeparator = sep;
    }
    ~SeparatorScope() { FormatSettings = saved; }
    TFormatSettings saved;
};
} // namespace

TEST(SpinValue, RangeLimitsOnlyWhenABoundIsSet) {
    TspSpinRange none{0, 0};
    EXPECT_EQ(none.Limit(-5000), -5000);
    TspSpinRange f1{0.01, 1000};
    EXPECT_EQ(f1.Limit(2000), 1000);
    EXPECT_EQ(f1.Limit(0), 0.01);
    EXPECT_EQ(f1.Limit(15), 15);
    TspSpinRange lowOnly{5, 0}; // a set minimum with a zero maximum clamps everything to 0..5
    EXPECT_EQ(lowOnly.Limit(7), 0);
}

TEST(SpinValue, FormatsFixedPointAndRoundedIntegers) {
    SeparatorScope sep('.');
    EXPECT_EQ(FormatSpinValue(1000, vtFloat, 2), "1000.00");
    EXPECT_EQ(FormatSpinValue(1.01, vtFloat, 2), "1.01");
    EXPECT_EQ(FormatSpinValue(2.5, vtInteger, 2), "2");
    EXPECT_EQ(FormatSpinValue(3.5, vtInteger, 2), "4");
    EXPECT_EQ(FormatSpinValue(-0.5, vtInteger, 0).find_first_not_of("-0"), std::string::npos);
    // Values beyond 64 bits and non-numbers still give a text.
    EXPECT_FALSE(FormatSpinValue(1e39, vtInteger, 0).empty());
    EXPECT_EQ(FormatSpinValue(std::numeric_limits<double>::quiet_NaN(), vtFloat, 2), "0.00");
    SeparatorScope comma(',');
    EXPECT_EQ(FormatSpinValue(0.01, vtFloat, 2), "0,01");
}

TEST(SpinValue, TypedTextCheck) {
    SeparatorScope sep(',');
    EXPECT_FALSE(SpinTextPassesCheck("", vtInteger));
    EXPECT_FALSE(SpinTextPassesCheck("-", vtInteger));
    EXPECT_TRUE(SpinTextPassesCheck("-5", vtInteger));
    EXPECT_FALSE(SpinTextPassesCheck("--5", vtInteger));
    EXPECT_FALSE(SpinTextPassesCheck("5-", vtInteger));
    EXPECT_FALSE(SpinTextPassesCheck("1e999", vtFloat));
    EXPECT_FALSE(SpinTextPassesCheck(",", vtFloat));
    EXPECT_FALSE(SpinTextPassesCheck(",5", vtFloat));
    EXPECT_TRUE(SpinTextPassesCheck("1,5", vtFloat));
    EXPECT_FALSE(SpinTextPassesCheck("1,5", vtInteger));
    EXPECT_FALSE(SpinTextPassesCheck("1,5,", vtFloat));
    EXPECT_FALSE(SpinTextPassesCheck("1.5", vtFloat)); // not the separator in use
    EXPECT_TRUE(SpinTextPassesCheck("-,", vtFloat));   // passes, then fails to convert
    EXPECT_FALSE(SpinTextPassesCheck(std::string("1\0002", 3), vtInteger));
}

TEST(SpinValue, ConversionFailuresCarryThePlatformMessage) {
    SeparatorScope sep(',');
    EXPECT_EQ(ConvertSpinText("1,25", vtFloat), 1.25);
    EXPECT_EQ(ConvertSpinText("-17", vtInteger), -17);
    try {
        ConvertSpinText("-,", vtFloat);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'-,' is not a valid floating point value");
    }
    std::string forty(40, '9');
    try {
        ConvertSpinText(forty, vtInteger);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()), "'" + forty + "' is not a valid integer value");
    }
    EXPECT_GT(ConvertSpinText(forty, vtFloat), 9e39);
}

TEST(SpinValue, RewriteOnlyWhenTypingOnCannotHelp) {
    TspSpinRange f1{0.01, 1000};
    EXPECT_TRUE(SpinTextNeedsRewrite(2000, 1000, f1));
    EXPECT_FALSE(SpinTextNeedsRewrite(0, 0.01, f1)); // a typed 1 can still become 15
    EXPECT_FALSE(SpinTextNeedsRewrite(15, 15, f1));
    EXPECT_TRUE(SpinTextNeedsRewrite(-3, 0.01, f1)); // negative under a positive minimum
    TspSpinRange negative{-100, -10};
    EXPECT_TRUE(SpinTextNeedsRewrite(-200, -100, negative));
    EXPECT_TRUE(SpinTextNeedsRewrite(5, -10, negative));
    EXPECT_FALSE(SpinTextNeedsRewrite(-5, -10, negative)); // -5 may become -50
}

TEST(SpinValue, KeyFilter) {
    SeparatorScope sep(',');
    EXPECT_TRUE(SpinKeyAllowed('7', "", vtInteger, true));
    EXPECT_TRUE(SpinKeyAllowed('-', "", vtInteger, true));
    EXPECT_FALSE(SpinKeyAllowed('-', "-1", vtInteger, true));
    EXPECT_FALSE(SpinKeyAllowed(',', "1", vtInteger, true));
    EXPECT_TRUE(SpinKeyAllowed(',', "1", vtFloat, true));
    EXPECT_FALSE(SpinKeyAllowed(',', "1,2", vtFloat, true));
    EXPECT_FALSE(SpinKeyAllowed('e', "1", vtFloat, true));
    EXPECT_FALSE(SpinKeyAllowed(char(0xE9), "1", vtFloat, true));
    EXPECT_TRUE(SpinKeyAllowed(8, "1", vtFloat, true));
    EXPECT_FALSE(SpinKeyAllowed(13, "1", vtFloat, true));
    EXPECT_TRUE(SpinKeyAllowed(3, "1", vtFloat, false)); // Ctrl+C still copies
    EXPECT_FALSE(SpinKeyAllowed(8, "1", vtFloat, false));
    EXPECT_FALSE(SpinKeyAllowed('5', "1", vtFloat, false));
}
