// Number text under both decimal separators, the conversion errors and rounding.
#include "rtl/SysUtils.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Sets the decimal separator for one test and restores the previous settings.
class SeparatorScope {
public:
    explicit SeparatorScope(char decimal, char thousand = 0) : m_saved(FormatSettings) {
        FormatSettings.DecimalSeparator = decimal;
        FormatSettings.ThousandSeparator = thousand ? thousand : (decimal == ',' ? '.' : ',');
    }
    ~SeparatorScope() { FormatSettings = m_saved; }

private:
    TFormatSettings m_saved;
};

std::string ConvertMessage(auto&& fn) {
    try {
        fn();
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return "<no EConvertError>";
}

} // namespace

TEST(FloatText, ShortestFormUnderComma) {
    SeparatorScope comma(',');
    EXPECT_EQ(FloatToStr(1.01), "1,01");
    EXPECT_EQ(FloatToStr(1000), "1000");
    EXPECT_EQ(FloatToStr(0.5), "0,5");
    EXPECT_EQ(FloatToStr(57), "57");
    EXPECT_EQ(FloatToStr(-2.25), "-2,25");
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0,3"); // 15 digits hide the binary noise
    EXPECT_EQ(FloatToStr(1.0 / 3.0), "0,333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3.0), "0,666666666666667");
}

// The wide form takes a shortcut for whole numbers; it must read as the narrow one does.
TEST(FloatText, WideFormMatchesTheNarrowOne) {
    SeparatorScope comma(',');
    for (double v :
         {0.0, -0.0, 57.0, -42.0, 100.0, 2.5, -2.25, 1e14, 999999999999999.0, 1e15, -1e15,
          999999999999999.9, 123456789012345678.0, 1e-5, std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(FloatToWideStr(v), StringAsciiToWide(FloatToStr(v))) << v;
    EXPECT_EQ(FloatToWideStr(-0.0), u"0");
    EXPECT_EQ(FloatToWideStr(-42), u"-42");
}

TEST(FloatText, ExponentFormAtTheEdges) {
    SeparatorScope point('.');
    EXPECT_EQ(FloatToStr(1e14), "100000000000000");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(123456789012345678.0), "1.23456789012346E17");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    EXPECT_EQ(FloatToStr(0.00001), "1E-5");
    EXPECT_EQ(FloatToStr(-1.5e-7), "-1.5E-7");
    EXPECT_EQ(FloatToStr(999999999999999.9), "1E15"); // rounding carries into a new digit
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
}

TEST(FloatText, RoundTripsUnderBothSeparators) {
    const double values[] = {0.5,
                             1.01,
                             1.85,
                             -3.75,
                             57,
                             1e-3,
                             123456.789,
                             1e15,
                             2.5e-10,
                             -1e20,
                             1e300,
                             4.9e-300,
                             12345678901234.5,
                             0.0001,
                             0.000123,
                             99.99,
                             1.0e-5,
                             7.0};
    for (char sep : {',', '.'}) {
        SeparatorScope scope(sep);
        for (double v : values) {
            std::string text = FloatToStr(v);
            double back = StrToFloat(text);
            EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << text << " under '" << sep << "'";
            EXPECT_EQ(FloatToStr(back), text);
        }
    }
}

TEST(FloatText, AcceptsWhatUsersType) {
    SeparatorScope comma(',');
    EXPECT_DOUBLE_EQ(StrToFloat("1,85"), 1.85);
    EXPECT_DOUBLE_EQ(StrToFloat("  -1,5  "), -1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("\t+2"), 2);
    EXPECT_DOUBLE_EQ(StrToFloat(",5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("5,"), 5);
    EXPECT_DOUBLE_EQ(StrToFloat("1E3"), 1000);
    EXPECT_DOUBLE_EQ(StrToFloat("1,5e-2"), 0.015);
    EXPECT_DOUBLE_EQ(StrToFloat("2E+2"), 200);
    EXPECT_DOUBLE_EQ(StrToFloat(u" 3,25 "), 3.25);
    EXPECT_EQ(StrToFloat("1e-400"), 0.0); // too small to hold is zero
}

TEST(FloatText, RejectsEverythingElse) {
    SeparatorScope comma(',');
    const char* bad[] = {"",     " ",     "1.85", "1,2,3", "abc", "1e",    "1e+",
                         "--1",  "+-1",   ",",    "e5",    "1 2", "INF",   "nan",
                         "0x10", "1e400", "1,5x", "1.5",   "$10", "1,5 e2"};
    for (const char* s : bad) {
        double v = 42;
        EXPECT_FALSE(TryStrToFloat(s, v)) << s;
        EXPECT_EQ(v, 42) << "value changed by failed parse of " << s;
    }
    double v;
    EXPECT_FALSE(TryStrToFloat(std::u16string(u"1,5\u00a0"), v)); // no-break space
    EXPECT_FALSE(TryStrToFloat(std::u16string(u"\u0661,5"), v));  // non-ASCII digit
    EXPECT_EQ(StrToFloatDef("x", 7.5), 7.5);
}

TEST(FloatText, ErrorMessagesCarryTheText) {
    SeparatorScope point('.');
    EXPECT_EQ(ConvertMessage([] { StrToFloat("1,85"); }),
              "'1,85' is not a valid floating point value");
    EXPECT_EQ(ConvertMessage([] { StrToFloat(u"\u0414\u0430"); }),
              "'\xD0\x94\xD0\xB0' is not a valid floating point value");
    // An 8-bit text is shown converted from the code page.
    EXPECT_EQ(ConvertMessage([] { StrToFloat("\xC4"); }),
              "'\xD0\x94' is not a valid floating point value");
}

TEST(FloatText, SeparatorFromTheSettingsOnly) {
    TFormatSettings comma;
    comma.DecimalSeparator = ',';
    SeparatorScope point('.');
    EXPECT_DOUBLE_EQ(StrToFloat("2,5", comma), 2.5);
    EXPECT_EQ(FloatToStr(2.5, comma), "2,5");
    EXPECT_EQ(FloatToStr(2.5), "2.5");
    double v;
    EXPECT_FALSE(TryStrToFloat("2,5", v));
}

TEST(FloatText, FixedAndOtherFormats) {
    SeparatorScope comma(',', ' ');
    EXPECT_EQ(FloatToStrF(1.5, ffFixed, 15, 2), "1,50");
    EXPECT_EQ(FloatToStrF(0.125, ffFixed, 15, 2), "0,13"); // half away from zero
    EXPECT_EQ(FloatToStrF(-0.125, ffFixed, 15, 2), "-0,13");
    EXPECT_EQ(FloatToStrF(2.5, ffFixed, 15, 0), "3");
    EXPECT_EQ(FloatToStrF(-0.001, ffFixed, 15, 2), "0,00");
    EXPECT_EQ(FloatToStrF(9.999, ffFixed, 15, 2), "10,00");
    EXPECT_EQ(FloatToStrF(1.23456, ffFixed, 3, 4), "1,2300"); // precision limits the digits
    EXPECT_EQ(FloatToStrF(0, ffFixed, 15, 3), "0,000");
    EXPECT_EQ(FloatToStrF(1234567.891, ffNumber, 15, 2), "1 234 567,89");
    EXPECT_EQ(FloatToStrF(-1234.5, ffNumber, 15, 1), "-1 234,5");
    EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 4, 2), "1,235E+03");
    EXPECT_EQ(FloatToStrF(0.00012345, ffExponent, 3, 0), "1,23E-4");
    EXPECT_EQ(FloatToStrF(0, ffExponent, 3, 2), "0,00E+00");
    EXPECT_EQ(FloatToStrF(1234.5678, ffGeneral, 6, 0), "1234,57");
    EXPECT_EQ(FloatToStrF(1234567.0, ffGeneral, 4, 0), "1,235E6");
    EXPECT_EQ(FloatToStrF(1e20, ffFixed, 15, 2), "1E20"); // too many integer digits
}

TEST(FloatText, Masks) {
    SeparatorScope comma(',', '.');
    EXPECT_EQ(FormatFloat("0.00", 1.5), "1,50");
    EXPECT_EQ(FormatFloat("#.##", 1.5), "1,5");
    EXPECT_EQ(FormatFloat("#.##", 2), "2");
    EXPECT_EQ(FormatFloat("000", 7), "007");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1.234.567,89");
    EXPECT_EQ(FormatFloat("#,##0", 999), "999");
    EXPECT_EQ(FormatFloat("0", 12345), "12345");
    EXPECT_EQ(FormatFloat("0.0", -0.04), "0,0");
    EXPECT_EQ(FormatFloat("0.0", -2.25), "-2,3");
    EXPECT_EQ(FormatFloat("0.00 'kg'", 3), "3,00 kg");
    EXPECT_EQ(FormatFloat("\"$\"0.00", 3), "$3,00");
    EXPECT_EQ(FormatFloat("0.00;(0.00)", -3), "(3,00)");
    EXPECT_EQ(FormatFloat("0.00;(0.00);\"zero\"", 0), "zero");
    EXPECT_EQ(FormatFloat("0.00E+00", 1234), "1,23E+03");
    EXPECT_EQ(FormatFloat("0.0E-0", 0.00056), "5,6E-4");
    EXPECT_EQ(FormatFloat("0%", 57), "57%");
    EXPECT_EQ(FormatFloat("", 1.25), "1,25");
    EXPECT_EQ(FormatFloat("#,##0.00", -1234.5), "-1.234,50");
    EXPECT_EQ(FormatFloat("0.00E+00", 0), "0,00E+00");
    EXPECT_EQ(FormatFloat("0", 1e20), "100000000000000000000");
    EXPECT_EQ(FormatFloat("#,##0", 1e9), "1.000.000.000");
    EXPECT_EQ(FormatFloat("0.##", 0.999), "1");
    EXPECT_EQ(FormatFloat("Total: 0", 7), "Total: 7");
}

TEST(IntegerText, DecimalAndHex) {
    EXPECT_EQ(StrToInt("57"), 57);
    EXPECT_EQ(StrToInt(" -12 "), -12);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1); // a 32-bit pattern
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(StrToInt(u"42"), 42);
    EXPECT_EQ(IntToStr(-9876543210LL), "-9876543210");
    EXPECT_EQ(IntToWideStr(15), u"15");
    EXPECT_EQ(IntToWideStr(0), u"0");
    EXPECT_EQ(IntToWideStr(-7), u"-7");
    EXPECT_EQ(IntToWideStr(100000), u"100000");
    EXPECT_EQ(IntToWideStr(std::numeric_limits<int64_t>::max()), u"9223372036854775807");
    EXPECT_EQ(IntToWideStr(std::numeric_limits<int64_t>::min()), u"-9223372036854775808");
}

TEST(IntegerText, RejectsAndDefaults) {
    const char* bad[] = {"",  "-",  "12a", "1.0", "1,0",        "2147483648", "-2147483649",
                         "$", "0x", "$G",  "1 2", "$100000000", "٣",          "--1"};
    for (const char* s : bad) {
        int v = 99;
        EXPECT_FALSE(TryStrToInt(s, v)) << s;
        EXPECT_EQ(v, 99);
        EXPECT_EQ(StrToIntDef(s, 1), 1) << s;
    }
    int64_t big;
    EXPECT_FALSE(TryStrToInt64("9223372036854775808", big));
    EXPECT_EQ(ConvertMessage([] { StrToInt("12a"); }), "'12a' is not a valid integer value");
    EXPECT_EQ(ConvertMessage([] { StrToInt(u"x"); }), "'x' is not a valid integer value");
    EXPECT_EQ(StrToIntDef(u"7\u00a0", 1), 1);
}

TEST(Rounding, TiesGoToEven) {
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(-0.5), 0);
    EXPECT_EQ(Round(-1.5), -2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(2.4999999), 2);
    EXPECT_EQ(Round(2.5000001), 3);
    EXPECT_EQ(Round(-7.6), -8);
    EXPECT_EQ(Round(4503599627370497.0), 4503599627370497LL);
    EXPECT_EQ(Trunc(-7.9), -7);
    EXPECT_THROW(Round(1e19), EInvalidOperation);
    EXPECT_THROW(Round(std::nan("")), EInvalidOperation);
}

TEST(BooleanText, WordsAndNumbers) {
    EXPECT_TRUE(StrToBool("True"));
    EXPECT_TRUE(StrToBool("tRUE"));
    EXPECT_FALSE(StrToBool("false"));
    EXPECT_TRUE(StrToBool("-1"));
    EXPECT_FALSE(StrToBool("0"));
    EXPECT_THROW(StrToBool("yes"), EConvertError);
    EXPECT_TRUE(StrToBoolDef("maybe", true));
    EXPECT_EQ(BoolToStr(true), "True");
    EXPECT_EQ(BoolToStr(false, false), "0");
}

// The 15 digits must be the correctly rounded ones: compared with the C library's own
// conversion for many doubles spread over the whole range. Exact halves (large integers and a
// few short fractions) are left out: we round them away from zero, the C library to even.
TEST(FloatText, DigitsMatchCorrectRounding) {
    SeparatorScope point('.');
    SetRandSeed(99);
    for (int i = 0; i < 20000; ++i) {
        uint64_t bits = (static_cast<uint64_t>(Random(1 << 30)) << 34) ^
                        (static_cast<uint64_t>(Random(1 << 30)) << 4) ^ Random(16);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v) || v == 0) continue;
        char exact[80];
        std::snprintf(exact, sizeof exact, "%.40e", std::fabs(v));
        std::string tail(exact + 16, exact + 42); // digits 16 to 41
        if (tail.find_first_not_of('0', 1) == std::string::npos && tail[0] == '5') continue;
        char ref[64];
        std::snprintf(ref, sizeof ref, "%.14e", std::fabs(v));
        std::string refDigits;
        for (const char* p = ref; *p && *p != 'e'; ++p)
            if (*p != '.') refDigits += *p;
        while (refDigits.size() > 1 && refDigits.back() == '0') refDigits.pop_back();

        std::string text = FloatToStr(v);
        std::string mantissa = text.substr(0, text.find('E'));
        std::string digits;
        for (char c : mantissa)
            if (c >= '0' && c <= '9') digits += c;
        digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
        while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
        ASSERT_EQ(digits, refDigits) << text << " vs " << ref;
        double back = StrToFloat(text);
        ASSERT_NEAR(back, v, std::fabs(v) * 1e-14) << text;
    }
}

TEST(FloatText, HalvesRoundAwayFromZeroOnlyWhenExact) {
    SeparatorScope point('.');
    EXPECT_EQ(FloatToStrF(0.375, ffFixed, 15, 2), "0.38"); // exact half
    EXPECT_EQ(FloatToStrF(1.005, ffFixed, 15, 2), "1.00"); // 1.00499999999999989...
    EXPECT_EQ(FloatToStrF(1.015, ffFixed, 15, 2), "1.01"); // 1.01499999999999990...
    EXPECT_EQ(FloatToStrF(1.025, ffFixed, 15, 2), "1.02"); // 1.02499999999999991...
    EXPECT_EQ(FloatToStrF(2.675, ffFixed, 15, 2), "2.67"); // 2.67499999999999982...
    EXPECT_EQ(FloatToStrF(1.045, ffFixed, 15, 2), "1.04"); // 1.04499999999999992...
    EXPECT_EQ(FloatToStrF(-2.5, ffFixed, 15, 0), "-3");
    EXPECT_EQ(FloatToStrF(0.5, ffFixed, 15, 0), "1");
    EXPECT_EQ(FloatToStrF(0.05, ffFixed, 15, 1), "0.1");      // 0.05000000000000000277...
    EXPECT_EQ(FloatToStrF(0.15, ffFixed, 15, 1), "0.1");      // 0.14999999999999999444...
    EXPECT_EQ(FloatToStrF(99.995, ffFixed, 15, 2), "100.00"); // 99.9950000000000045...
}
