// The value syntax of skin descriptions and the in-memory INI reader.
#include "skin/SkinIni.h"
#include "skin/SkinFonts.h"

#include <gtest/gtest.h>

namespace {

TspSkinIni Ini(const std::string& text) {
    TspSkinIni ini;
    ini.LoadText(text);
    return ini;
}

TEST(SkinValueSyntax, IntegersTakeDecimalAndBothHexForms) {
    TspSkinIni ini =
        Ini("[s]\na=0x10\nb=$10\nc=0X1f\nd=-7\ne=12abc\nf=\ng=$FF00000F\nh=99999999999\n");
    EXPECT_EQ(ini.ReadInteger("s", "a", -1), 16);
    EXPECT_EQ(ini.ReadInteger("s", "b", -1), 16);
    EXPECT_EQ(ini.ReadInteger("s", "c", -1), 31);
    EXPECT_EQ(ini.ReadInteger("s", "d", 0), -7);
    EXPECT_EQ(ini.ReadInteger("s", "e", 5), 5) << "text that does not convert gives the default";
    EXPECT_EQ(ini.ReadInteger("s", "f", 5), 5);
    EXPECT_EQ(ini.ReadColor("s", "g", 0), 0xFF00000Fu) << "hex covers system colours";
    EXPECT_EQ(ini.ReadInteger("s", "h", 3), 3) << "out of range is not a number";
    EXPECT_EQ(ini.ReadInteger("s", "missing", 42), 42);
}

TEST(SkinValueSyntax, OnlyOneIsTrue) {
    TspSkinIni ini = Ini("[s]\na=1\nb=2\nc=0\nd=yes\ne= 1 \n");
    EXPECT_TRUE(ini.ReadBool("s", "a", false));
    EXPECT_FALSE(ini.ReadBool("s", "b", false));
    EXPECT_FALSE(ini.ReadBool("s", "c", true));
    EXPECT_FALSE(ini.ReadBool("s", "d", false));
    EXPECT_TRUE(ini.ReadBool("s", "e", false)) << "blanks around the value are removed";
}

TEST(SkinValueSyntax, PointsAndRectsKeepOnlyDigits) {
    TRect r;
    ASSERT_TRUE(ParseSkinRect("-2,3,10,12", r));
    EXPECT_EQ(r, Rect(2, 3, 10, 12));
    ASSERT_TRUE(ParseSkinRect(" 4 , x5, 6px ,7 ", r));
    EXPECT_EQ(r, Rect(4, 5, 6, 7));
    TPoint p;
    ASSERT_TRUE(ParseSkinPoint("67,11", p));
    EXPECT_EQ(p, Point(67, 11));
    ASSERT_TRUE(ParseSkinPoint("-1,-2", p));
    EXPECT_EQ(p, Point(1, 2));
}

TEST(SkinValueSyntax, MalformedPointsAndRectsFallBackToTheDefault) {
    TspSkinIni ini =
        Ini("[s]\nr3=1,2,3\nr5=1,2,3,4,5\nrx=1,,3,4\np1=5\npx=a,b\nbig=1,2,3,99999999999\n");
    TRect def = Rect(9, 9, 9, 9);
    EXPECT_EQ(ini.ReadRect("s", "r3", def), def);
    EXPECT_EQ(ini.ReadRect("s", "r5", def), def);
    EXPECT_EQ(ini.ReadRect("s", "rx", def), def) << "a part without a digit";
    EXPECT_EQ(ini.ReadRect("s", "big", def), def);
    EXPECT_EQ(ini.ReadPoint("s", "p1", Point(1, 1)), Point(1, 1));
    EXPECT_EQ(ini.ReadPoint("s", "px", Point(1, 1)), Point(1, 1));
    EXPECT_EQ(ini.ReadRect("s", "none", TRect{}), TRect{});
}

TEST(SkinValueSyntax, FontStylesAreCaseSensitiveSubstrings) {
    EXPECT_EQ(ParseSkinFontStyle("fsBold"), 0u);
    EXPECT_EQ(ParseSkinFontStyle("fsbold,fsitalic"), unsigned(spfsBold | spfsItalic));
    EXPECT_EQ(ParseSkinFontStyle("fsbold fsitalic"), unsigned(spfsBold | spfsItalic));
    EXPECT_EQ(ParseSkinFontStyle("fsboldfsitalic"), unsigned(spfsBold | spfsItalic));
    EXPECT_EQ(ParseSkinFontStyle("[fsunderline;fsstrikeout]"),
              unsigned(spfsUnderline | spfsStrikeOut));
    EXPECT_EQ(SkinFontStyleText(spfsBold | spfsStrikeOut), "fsbold,fsstrikeout");
    EXPECT_EQ(SkinFontStyles(ParseSkinFontStyle("fsitalic fsunderline")),
              (TFontStyles{fsItalic, fsUnderline}));
    EXPECT_EQ(SkinFontStyles(0), TFontStyles{});
}

TEST(SkinValueSyntax, AlignmentsMorphKindsAndEffects) {
    TspSkinIni ini = Ini("[s]\nleft=taleftjustify\nodd=TaCenter\nempty=\nmk=mkpush\nmkx=MkPush\n"
                         "e1=ieinvert\ne2=sepia\n");
    EXPECT_EQ(ini.ReadAlignment("s", "left"), TspSkinAlignment::LeftJustify);
    EXPECT_EQ(ini.ReadAlignment("s", "odd"), TspSkinAlignment::RightJustify);
    EXPECT_EQ(ini.ReadAlignment("s", "empty"), TspSkinAlignment::RightJustify);
    EXPECT_EQ(ini.ReadAlignment("s", "absent"), TspSkinAlignment::Center);
    EXPECT_EQ(ini.ReadMorphKind("s", "mk"), mkPush);
    EXPECT_EQ(ini.ReadMorphKind("s", "mkx"), mkDefault);
    EXPECT_EQ(ini.ReadImageEffect("s", "e1"), ieInvert);
    EXPECT_EQ(ini.ReadImageEffect("s", "e2"), ieGrayscale) << "an unknown name is grayscale";
    EXPECT_EQ(ini.ReadImageEffect("s", "absent"), ieBrightness);
}

TEST(SkinIniReader, NamesMatchInAnyCaseAndTheFirstDuplicateWins) {
    TspSkinIni ini = Ini("[FormInfo]\r\nClientRect = 1,2,3,4\r\nclientrect=5,6,7,8\r\n"
                         "[forminfo]\nextra=1\n");
    EXPECT_TRUE(ini.SectionExists("FORMINFO"));
    EXPECT_EQ(ini.ReadRect("FORMINFO", "CLIENTRECT", {}), Rect(1, 2, 3, 4));
    EXPECT_EQ(ini.ReadInteger("FormInfo", "extra", 0), 1) << "a repeated section continues";
    EXPECT_FALSE(ini.SectionExists("FORM"));
}

TEST(SkinIniReader, LinesSplitAtAnyLineEndAndStopAtZero) {
    std::string text = "[a]\rx=1\ny=2\r\nz=3";
    text += '\0';
    text += "\n[b]\nw=4\n";
    TspSkinIni ini = Ini(text);
    EXPECT_EQ(ini.ReadInteger("a", "x", 0), 1);
    EXPECT_EQ(ini.ReadInteger("a", "y", 0), 2);
    EXPECT_EQ(ini.ReadInteger("a", "z", 0), 3);
    EXPECT_FALSE(ini.SectionExists("b"));
}

TEST(SkinIniReader, NameAndLineLists) {
    TspSkinIni ini = Ini("[PICTURES]\nactivepicturescount=3\n0=a.bmp\n1=b.bmp\n2=c.bmp\n"
                         "[L]\nsymbolslinecount=2\nsymbolsline0=AB\nsymbolsline1=CD\n");
    EXPECT_EQ(ini.ReadNameList("PICTURES", "activepictures"),
              (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));
    EXPECT_EQ(ini.ReadLineList("L", "symbols"), (std::vector<std::string>{"AB", "CD"}));
    EXPECT_TRUE(ini.ReadNameList("PICTURES", "cursors").empty());
}

TEST(SkinIniReader, AnAbsurdListCountNeitherHangsNorAllocates) {
    TspSkinIni ini = Ini("[s]\ncount=2000000000\n0=x:button\nlinelinecount=2147483647\n");
    std::vector<std::string> list = ini.ReadNameList("s", "");
    EXPECT_LE(list.size(), 3u);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0], "x:button");
    EXPECT_LE(ini.ReadLineList("s", "line").size(), 3u);
    EXPECT_TRUE(Ini("[s]\ncount=-5\n").ReadNameList("s", "").empty());
}

TEST(SkinIniReader, RandomBytesGiveNoValues) {
    std::string noise;
    unsigned seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise += char((seed >> 16) & 0xFF);
    }
    TspSkinIni ini = Ini(noise);
    EXPECT_EQ(ini.ReadInteger("FORMINFO", "formminwidth", -3), -3);
}

} // namespace
