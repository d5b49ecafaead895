// Code page conversions, UTF-8, case, trimming, replacing and formatting.
#include "rtl/Strings.h"

#include <gtest/gtest.h>
#include <set>

TEST(CodePage, EveryHighByteRoundTrips) {
    std::set<char16_t> seen;
    for (int b = 0x80; b <= 0xFF; ++b) {
        std::string one(1, static_cast<char>(b));
        WideString w = AnsiToWide(one);
        ASSERT_EQ(w.size(), 1u);
        EXPECT_TRUE(seen.insert(w[0]).second) << "two bytes share U+" << std::hex << int(w[0]);
        EXPECT_EQ(WideToAnsi(w), one) << "byte " << b;
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(one)), one) << "byte " << b;
    }
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(WideToAnsi(AnsiToWide(all)), all);
}

TEST(CodePage, KnownLetters) {
    EXPECT_EQ(AnsiToWide("\xC0\xDF\xE0\xFF\xA8\xB8"), u"\u0410\u042F\u0430\u044F\u0401\u0451");
    EXPECT_EQ(AnsiCharToWide(0x88), u'\u20AC');
    EXPECT_EQ(AnsiCharToWide(0xB9), u'\u2116');
    EXPECT_EQ(AnsiCharToWide(0x98), u'\u0098'); // the one undefined byte keeps its number
    EXPECT_EQ(WideToAnsi(u"\u041E\u0448\u0438\u0431\u043A\u0430"), "\xCE\xF8\xE8\xE1\xEA\xE0");
    EXPECT_EQ(WideCharToAnsi(u'\u0451'), '\xB8');
    // Not in the code page: one '?' per character, surrogate pairs included.
    EXPECT_EQ(WideToAnsi(u"a\u00E9b\U0001F600c"), "a?b?c");
    EXPECT_EQ(AnsiToWide(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(CodePage, Utf8BothWays) {
    const char* russian = "\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0"; // Ошибка
    EXPECT_EQ(Utf8ToAnsi(russian), "\xCE\xF8\xE8\xE1\xEA\xE0");
    EXPECT_EQ(AnsiToUtf8("\xCE\xF8\xE8\xE1\xEA\xE0"), russian);
    EXPECT_EQ(Utf8ToWide("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(WideToUtf8(u"\U0001F600\u20AC"), "\xF0\x9F\x98\x80\xE2\x82\xAC");
    // Malformed input: one replacement per bad byte, the rest kept.
    EXPECT_EQ(Utf8ToWide("a\xFF"
                         "b"),
              u"a\uFFFD"
              "b");
    EXPECT_EQ(Utf8ToWide("a\xE2\x82"), u"a\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), u"\uFFFD\uFFFD");           // overlong
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // encoded surrogate
    EXPECT_EQ(WideToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToAnsi("x\xE2\x82"), "x??");
}

TEST(Case, AsciiAndCodePage) {
    EXPECT_EQ(UpperCase("abc\xE0z"), "ABC\xE0Z"); // Cyrillic untouched
    EXPECT_EQ(LowerCase("ABC\xC0"), "abc\xC0");
    EXPECT_EQ(AnsiUpperCase("abc\xE0\xFF\xB8"), "ABC\xC0\xDF\xA8");
    EXPECT_EQ(AnsiLowerCase("\xC0\xDF\xA8\xA5Q"), "\xE0\xFF\xB8\xB4q");
    EXPECT_EQ(WideUpperCase(u"\u0430\u0451\u00E9x"), u"\u0410\u0401\u00C9X");
    EXPECT_EQ(WideLowerCase(u"\u0410\u0401\u00C9X\u00DF"), u"\u0430\u0451\u00E9x\u00DF");
    // Every letter pair of the code page maps back.
    for (int b = 0xC0; b <= 0xDF; ++b) {
        std::string up(1, static_cast<char>(b));
        EXPECT_EQ(AnsiUpperCase(AnsiLowerCase(up)), up);
    }
}

TEST(Compare, OrdinalAndFolded) {
    EXPECT_LT(CompareStr("A", "a"), 0);
    EXPECT_GT(CompareStr("\xE0", "z"), 0); // bytes compare unsigned
    EXPECT_EQ(CompareText("Hello", "hELLO"), 0);
    EXPECT_LT(CompareText("abc", "ABCD"), 0);
    EXPECT_NE(CompareText("\xC0", "\xE0"), 0);
    EXPECT_EQ(AnsiCompareText("\xC0\xC1", "\xE0\xE1"), 0);
    EXPECT_TRUE(SameText("LOGIN", "login"));
    EXPECT_FALSE(SameText("login", "login "));
    EXPECT_LT(WideCompareStr(u"B", u"a"), 0);
    EXPECT_EQ(WideCompareText(u"\u0416", u"\u0436"), 0);
}

TEST(Trim, EverythingUpToSpace) {
    EXPECT_EQ(Trim(std::string_view(" \t\r\n\x01 x y \x1F\x20")), "x y");
    EXPECT_EQ(TrimLeft(std::string_view("  x  ")), "x  ");
    EXPECT_EQ(TrimRight(std::string_view("  x  ")), "  x");
    EXPECT_EQ(Trim(std::string_view(std::string("\0a\0", 3))), "a");
    EXPECT_EQ(Trim(std::string_view("   ")), "");
    EXPECT_EQ(Trim(std::string_view("\xA0x\xA0")), "\xA0x\xA0"); // high bytes are text
    EXPECT_EQ(Trim(std::u16string_view(u"\t\u0416 ")), u"\u0416");
}

TEST(Trim, TheViewTrimsAlikeWithoutACopy) {
    const std::string text = "\r\n\x01 key = v \x1F\t";
    const std::string_view view = TrimView(text);
    EXPECT_EQ(view, Trim(std::string_view(text)));
    EXPECT_EQ(view.data(), text.data() + 4); // a view into the text itself
    EXPECT_EQ(TrimView("\xA0x\xA0"), "\xA0x\xA0");
    EXPECT_EQ(TrimView(" \t "), "");
    EXPECT_EQ(TrimView(""), "");
}

TEST(Replace, FlagsAndEdges) {
    EXPECT_EQ(StringReplace("1.85.2", ".", ","), "1,85,2");
    EXPECT_EQ(StringReplace("1.85.2", ".", ",", 0), "1,85.2");
    EXPECT_EQ(StringReplace("Fail fail FAIL", "fail", "ok", rfReplaceAll | rfIgnoreCase),
              "ok ok ok");
    EXPECT_EQ(StringReplace("aaa", "aa", "b"), "ba");
    EXPECT_EQ(StringReplace("abc", "", "x"), "abc");
    EXPECT_EQ(StringReplace("abc", "abcd", "x"), "abc");
    EXPECT_EQ(StringReplace(std::u16string_view(u"a.b"), u".", u","), u"a,b");
}

TEST(Format, ShortAndLong) {
    EXPECT_EQ(Format("%d-%s", 5, "x"), "5-x");
    std::string big(1000, 'q');
    EXPECT_EQ(Format("<%s>", big.c_str()), "<" + big + ">");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0xABCDEF12u, 2), "ABCDEF12");
    EXPECT_TRUE(StartsText("<MATCH", "<match id=1>"));
    EXPECT_FALSE(StartsStr("<MATCH", "<match"));
    EXPECT_TRUE(EndsStr(".brelvan", "a.brelvan"));
}
