#include "GfxTestUtil.h"
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/DrawText.h"
#include "gfx/Font.h"
#include "gfx/FontFace.h"
#include "gfx/Png.h"

#include <gtest/gtest.h>
#include <iterator>
#include <random>

namespace {

TBitmap White(int w, int h) {
    TBitmap b(w, h);
    b.Fill(clWhite);
    b.Canvas()->Font()->SetName("Arial");
    b.Canvas()->Font()->SetColor(clBlack);
    b.Canvas()->Brush()->SetStyle(bsClear);
    return b;
}

// Rows holding ink, as [first, last + 1).
int InkRows(const TBitmap& b) {
    int rows = 0;
    for (int y = 0; y < b.Height(); ++y) {
        bool any = false;
        for (int x = 0; x < b.Width() && !any; ++x) any = b.PixelColor(x, y) != clWhite;
        rows += any;
    }
    return rows;
}

// Number of separate bands of inked rows (text lines).
int InkBands(const TBitmap& b) {
    int bands = 0;
    bool prev = false;
    for (int y = 0; y < b.Height(); ++y) {
        bool any = false;
        for (int x = 0; x < b.Width() && !any; ++x) any = b.PixelColor(x, y) != clWhite;
        if (any && !prev) ++bands;
        prev = any;
    }
    return bands;
}

} // namespace

TEST(Font, CommonFaceNamesFindLiberationSansAndUnknownOnesFallBack) {
    TFont f;
    f.SetName("Arial");
    EXPECT_EQ(f.ResolvedFamily(), "Liberation Sans");
    f.SetName("MS Sans Serif");
    EXPECT_EQ(f.ResolvedFamily(), "Liberation Sans");
    f.SetName("No Such Face At All 123");
    EXPECT_EQ(f.ResolvedFamily(), "Liberation Sans");
    EXPECT_GT(f.Face().TextWidth(u"Hello"), 10);
}

TEST(Font, HeightSizeAndMetricsFollowThePlatformRules) {
    TFont f;
    f.SetName("Arial");
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    f.SetSize(10);
    EXPECT_EQ(f.Height(), -13);
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), 12);

    // Negative height: the em is 16 pixels; the cell is larger by the internal leading.
    TTextMetric m = f.Metrics();
    EXPECT_EQ(m.Height, m.Ascent + m.Descent);
    EXPECT_EQ(m.InternalLeading, m.Height - 16);
    EXPECT_GT(m.InternalLeading, 0);
    EXPECT_EQ(m.AveCharWidth, 7); // weighted letters, not the mean of every glyph (9)

    // The usual interface size: 8 points, an 11-pixel em, five pixels per average character,
    // which is what tab stops (eight of them) are measured in.
    f.SetSize(8);
    EXPECT_EQ(f.Metrics().AveCharWidth, 5);
    f.SetName("MS Sans Serif");
    EXPECT_EQ(f.Metrics().AveCharWidth, 5);

    // Positive height: the cell is exactly that.
    f.SetHeight(20);
    m = f.Metrics();
    EXPECT_EQ(m.Height, 20);
    EXPECT_EQ(m.Ascent + m.Descent, 20);
    EXPECT_LT(m.Height - m.InternalLeading, 20);
}

TEST(Font, ChangesAreAnnouncedOnceAndBoldIsWider) {
    TFont f;
    int changes = 0;
    f.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &f);
        ++changes;
    };
    f.SetColor(clRed);
    f.SetColor(clRed);
    EXPECT_EQ(changes, 1);
    TFont other;
    other.SetName("Tahoma");
    other.SetStyle({fsBold, fsUnderline});
    f.Assign(other);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(f.SameAs(other));
    EXPECT_TRUE(f.Style().Contains(fsUnderline));

    TFont plain;
    TFont bold;
    bold.SetStyle({fsBold});
    EXPECT_GT(bold.Face().TextWidth(u"Mmmmmmmmmm"), plain.Face().TextWidth(u"Mmmmmmmmmm"));
}

TEST(Text, RenderedStringLandsInsideItsMeasuredRectangle) {
    TBitmap b = White(200, 60);
    TCanvas* c = b.Canvas();
    for (int height : {-11, -13, -16, 14}) {
        b.Fill(clWhite);
        c->Font()->SetHeight(height);
        const std::u16string text = u"Quick jumpy Фёдор 57 %";
        const TSize size = c->TextExtent(text);
        c->TextOut(10, 20, text);
        const TRect ink = InkBounds(b, clWhite);
        ASSERT_FALSE(ink.IsEmpty()) << height;
        EXPECT_GE(ink.Left, 10) << height;
        EXPECT_GE(ink.Top, 20) << height;
        EXPECT_LE(ink.Right, 10 + size.cx + 1) << height; // antialiasing may spill one pixel
        EXPECT_LE(ink.Bottom, 20 + size.cy) << height;
        EXPECT_GT(ink.Width(), size.cx * 3 / 4) << height;
        EXPECT_EQ(c->PenPos(), (TPoint{10 + size.cx, 20}));
    }
}

TEST(Text, OpaqueBrushFillsTheTextCellAndColourIsTheFonts) {
    TBitmap b = White(100, 30);
    TCanvas* c = b.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clYellow);
    c->Font()->SetColor(clRed);
    c->TextOut(5, 5, std::string("Ab\xC0")); // code page 1251: Cyrillic A
    const TSize size = c->TextExtent(std::string("Ab\xC0"));
    const TRect ink = InkBounds(b, clWhite);
    EXPECT_EQ(ink.TopLeft(), (TPoint{5, 5}));
    EXPECT_EQ(ink.Bottom, 5 + size.cy);
    EXPECT_NEAR(ink.Right, 5 + size.cx, 1); // a glyph may overhang its advance by a pixel
    EXPECT_EQ(b.PixelColor(5, 5), clYellow);
    EXPECT_EQ(b.PixelColor(5, 5 + size.cy - 1), clYellow);
    int reddish = 0;
    for (int y = 5; y < 5 + size.cy; ++y)
        for (int x = 5; x < 5 + size.cx; ++x) {
            const TColor p = b.PixelColor(x, y);
            reddish += GetRValue(p) > 200 && GetGValue(p) < 120 && GetBValue(p) < 60;
        }
    EXPECT_GT(reddish, 10);
    EXPECT_EQ(c->TextWidth(std::string("\xC0")), c->TextWidth(std::u16string(u"\u0410")));
}

TEST(Text, TextRectClipsToItsRectangle) {
    TBitmap b = White(100, 30);
    b.Canvas()->TextRect(Rect(10, 0, 30, 30), 0, 5, u"WWWWWWWWWW");
    const TRect ink = InkBounds(b, clWhite);
    EXPECT_EQ(ink.Left, 10);
    EXPECT_EQ(ink.Right, 30);
}

TEST(Text, OriginAndClipApplyToText) {
    TBitmap b = White(100, 40);
    TCanvas* c = b.Canvas();
    c->SetOrigin(30, 10);
    c->IntersectClipRect(Rect(0, 0, 20, 100));
    c->TextOut(0, 0, u"WWWWWWWW");
    const TRect ink = InkBounds(b, clWhite);
    EXPECT_EQ(ink.Left, 30);
    EXPECT_EQ(ink.Right, 50);
    EXPECT_GE(ink.Top, 10);
}

TEST(DrawText, AlignsHorizontallyAndVertically) {
    const std::u16string text = u"Label";
    TBitmap b = White(200, 50);
    TCanvas* c = b.Canvas();
    const int w = c->TextWidth(text), h = c->TextHeight(text);
    const TRect box = Rect(20, 5, 180, 45);
    auto inkFor = [&](unsigned flags) {
        b.Fill(clWhite);
        TRect r = box;
        const int result = DrawText(*c, text, r, flags);
        EXPECT_GT(result, 0);
        return InkBounds(b, clWhite);
    };
    const TRect left = inkFor(DT_LEFT | DT_SINGLELINE);
    const TRect centre = inkFor(DT_CENTER | DT_SINGLELINE);
    const TRect right = inkFor(DT_RIGHT | DT_SINGLELINE);
    EXPECT_NEAR(left.Left, 20, 2);
    EXPECT_NEAR(right.Right, 180, 2);
    EXPECT_EQ(centre.Left - left.Left, (160 - w) / 2);
    EXPECT_EQ(right.Left - left.Left, 160 - w);

    const TRect top = inkFor(DT_SINGLELINE);
    const TRect middle = inkFor(DT_SINGLELINE | DT_VCENTER);
    const TRect bottom = inkFor(DT_SINGLELINE | DT_BOTTOM);
    EXPECT_EQ(middle.Top - top.Top, (40 - h) / 2);
    EXPECT_EQ(bottom.Top - top.Top, 40 - h);

    TRect r = box;
    EXPECT_EQ(DrawText(*c, text, r, DT_SINGLELINE | DT_BOTTOM), 40);
    r = box;
    EXPECT_EQ(DrawText(*c, text, r, DT_SINGLELINE), h);
}

TEST(DrawText, LineBreaksCountEveryKind) {
    TBitmap b = White(200, 200);
    TCanvas* c = b.Canvas();
    const int h = c->TextHeight(u"X");
    for (const std::u16string& text :
         {std::u16string(u"one\r\ntwo\nthree\n\rfour\rfive"), std::u16string(u"a\nb\nc\nd\ne")}) {
        TRect r = Rect(0, 0, 200, 0);
        EXPECT_EQ(DrawText(*c, text, r, DT_CALCRECT), 5 * h);
        EXPECT_EQ(r.Bottom, 5 * h);
        b.Fill(clWhite);
        r = Rect(0, 0, 200, 200);
        DrawText(*c, text, r, DT_LEFT);
        EXPECT_EQ(InkBands(b), 5);
    }
    // A single line keeps line feeds out of the layout.
    TRect r = Rect(0, 0, 200, 0);
    EXPECT_EQ(DrawText(*c, u"a\nb", r, DT_CALCRECT | DT_SINGLELINE), h);
    r = Rect(5, 5, 5, 5);
    EXPECT_EQ(DrawText(*c, u"", r, DT_CALCRECT), 0);
    EXPECT_EQ(r, Rect(5, 5, 5, 5));
}

TEST(DrawText, WordBreakFitsTheWidthAndCalcRectMeasuresIt) {
    TBitmap b = White(300, 200);
    TCanvas* c = b.Canvas();
    const std::u16string text = u"the quick brown fox jumps over the lazy dog";
    const int h = c->TextHeight(text);
    const int wordWidth = c->TextWidth(u"quick brown");
    TRect r = Rect(10, 10, 10 + wordWidth, 10);
    const int height = DrawText(*c, text, r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(height % h, 0);
    EXPECT_GE(height / h, 4);
    EXPECT_LE(r.Right, 10 + wordWidth);
    EXPECT_EQ(r.Bottom, 10 + height);

    TRect draw = Rect(10, 10, 10 + wordWidth, 190);
    DrawText(*c, text, draw, DT_WORDBREAK | DT_NOCLIP);
    const TRect ink = InkBounds(b, clWhite);
    EXPECT_LE(ink.Right, 10 + wordWidth + 1);
    EXPECT_EQ(InkBands(b), height / h);

    // Without a break the same text is one wide line.
    r = Rect(10, 10, 10 + wordWidth, 10);
    EXPECT_EQ(DrawText(*c, text, r, DT_CALCRECT), h);
    EXPECT_EQ(r.Right, 10 + c->TextWidth(text));

    // A word longer than the width stays whole on its own line.
    r = Rect(0, 0, 5, 0);
    EXPECT_EQ(DrawText(*c, u"abcdefgh ij", r, DT_WORDBREAK | DT_CALCRECT), 2 * h);
}

TEST(DrawText, EllipsesKeepTheTextInsideTheRectangle) {
    TBitmap b = White(300, 40);
    TCanvas* c = b.Canvas();
    const std::u16string text = u"A text far too long for its column";
    const TRect box = Rect(10, 5, 80, 35);
    TRect r = box;
    DrawText(*c, text, r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBounds(b, clWhite).Right, 80); // overflows without an ellipsis

    b.Fill(clWhite);
    r = box;
    DrawText(*c, text, r, DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS);
    const TRect ink = InkBounds(b, clWhite);
    EXPECT_LE(ink.Right, 80);
    // The text ends in three dots: the last inked columns are short marks on the baseline.
    const int baseline = 5 + c->Font()->Metrics().Ascent;
    int dotColumns = 0;
    for (int x = ink.Right - 1; x >= ink.Right - 3; --x) {
        bool high = false;
        for (int y = 5; y < baseline - 3; ++y) high |= b.PixelColor(x, y) != clWhite;
        dotColumns += !high;
    }
    EXPECT_EQ(dotColumns, 3);

    // A text that fits is left alone.
    TBitmap plain = White(300, 40), dotted = White(300, 40);
    r = Rect(0, 0, 300, 40);
    DrawText(*plain.Canvas(), u"Short", r, DT_SINGLELINE);
    r = Rect(0, 0, 300, 40);
    DrawText(*dotted.Canvas(), u"Short", r, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_TRUE(SamePixels(plain, dotted));

    // A path keeps its file name.
    b.Fill(clWhite);
    const std::u16string path = u"C:\\Program Files\\Very Long Folder\\file.txt";
    r = Rect(0, 0, c->TextWidth(u"C:\\...\\file.txt") + 4, 40);
    DrawText(*c, path, r, DT_SINGLELINE | DT_NOCLIP | DT_PATH_ELLIPSIS);
    TBitmap expected = White(300, 40);
    TRect er = r;
    DrawText(*expected.Canvas(), u"C:\\...\\file.txt", er, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_LE(InkBounds(b, clWhite).Right, r.Right);
    // The tail of the drawing is the file name exactly.
    const int tailWidth = c->TextWidth(u"\\file.txt");
    const TRect inkB = InkBounds(b, clWhite), inkE = InkBounds(expected, clWhite);
    for (int y = 0; y < 40; ++y)
        for (int k = 1; k < tailWidth; ++k)
            ASSERT_EQ(b.PixelColor(inkB.Right - k, y), expected.PixelColor(inkE.Right - k, y));
}

TEST(DrawText, PrefixUnderlinesAndDoubleAmpersandIsLiteral) {
    TBitmap a = White(200, 30), b = White(200, 30), n = White(200, 30), x = White(200, 30);
    TRect r = Rect(0, 0, 200, 30);
    DrawText(*a.Canvas(), u"&Save", r, DT_SINGLELINE);
    r = Rect(0, 0, 200, 30);
    DrawText(*b.Canvas(), u"Save", r, DT_SINGLELINE);
    // Same glyphs plus an underline below the S only.
    EXPECT_EQ(InkRows(a), InkRows(b) + 1);
    EXPECT_FALSE(SamePixels(a, b));
    const TRect underline = InkBounds(a, clWhite);
    const int sWidth = a.Canvas()->TextWidth(u"S");
    int underlined = 0;
    for (int px = 0; px < 200; ++px)
        underlined += a.PixelColor(px, underline.Bottom - 1) != clWhite;
    EXPECT_EQ(underlined, sWidth);

    r = Rect(0, 0, 200, 30);
    DrawText(*n.Canvas(), u"&Save", r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(InkBounds(n, clWhite).Width(), InkBounds(b, clWhite).Width()); // "&" drawn

    r = Rect(0, 0, 200, 30);
    TRect calc = r;
    DrawText(*x.Canvas(), u"R&&D", calc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(calc.Width(), x.Canvas()->TextWidth(u"R&D"));
}

TEST(DrawText, ExpandTabsAndNoClip) {
    TBitmap b = White(300, 30);
    TCanvas* c = b.Canvas();
    const int tab = 8 * c->Font()->Metrics().AveCharWidth;
    TRect r = Rect(0, 0, 300, 0);
    DrawText(*c, u"a\tb", r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_EQ(r.Width(), tab + c->TextWidth(u"b"));

    r = Rect(0, 0, 10, 10);
    DrawText(*c, u"WWWWWW", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBounds(b, clWhite).Right, 10);
    b.Fill(clWhite);
    r = Rect(0, 0, 10, 10);
    DrawText(*c, u"WWWWWW", r, DT_SINGLELINE);
    EXPECT_LE(InkBounds(b, clWhite).Right, 10);
}

TEST(DrawText, AnsiTextIsCodePage1251) {
    TBitmap a = White(200, 30), w = White(200, 30);
    TRect r = Rect(0, 0, 200, 30);
    DrawText(*a.Canvas(), std::string("\xCE\xF8\xE8\xE1\xEA\xE0"), r, DT_SINGLELINE);
    r = Rect(0, 0, 200, 30);
    DrawText(*w.Canvas(), std::u16string(u"Ошибка"), r, DT_SINGLELINE);
    EXPECT_TRUE(SamePixels(a, w));
    EXPECT_GT(a.Width() * a.Height() - CountColor(a, clWhite), 30);
    SavePng(a, TempPath("cyrillic.png"));
}

TEST(DrawText, RandomTextAndFlagsStayInsideTheClippedRectangle) {
    const char16_t alphabet[] = u"ab &\t\r\nW.\\/Жж   ";
    const unsigned flagChoices[] = {
        DT_LEFT,          DT_CENTER,        DT_RIGHT,      DT_VCENTER,    DT_BOTTOM,
        DT_WORDBREAK,     DT_SINGLELINE,    DT_EXPANDTABS, DT_NOPREFIX,   DT_END_ELLIPSIS,
        DT_PATH_ELLIPSIS, DT_WORD_ELLIPSIS, DT_HIDEPREFIX, DT_PREFIXONLY, DT_EXTERNALLEADING};
    std::mt19937 rng(2024);
    TBitmap b = White(120, 80);
    TCanvas* c = b.Canvas();
    for (int round = 0; round < 300; ++round) {
        std::u16string text;
        const int length = int(rng() % 40);
        for (int i = 0; i < length; ++i)
            text.push_back(alphabet[rng() % (std::size(alphabet) - 1)]);
        unsigned flags = 0;
        for (int k = 0; k < 4; ++k) flags |= flagChoices[rng() % std::size(flagChoices)];
        const TRect box =
            Bounds(int(rng() % 60) - 10, int(rng() % 40) - 10, int(rng() % 80), int(rng() % 50));
        b.Fill(clWhite);
        TRect r = box;
        const int height = DrawText(*c, text, r, flags);
        EXPECT_GE(height, 0);
        EXPECT_EQ(r, box); // drawing never changes the rectangle
        const TRect ink = InkBounds(b, clWhite);
        if (!ink.IsEmpty()) {
            EXPECT_GE(ink.Left, box.Left) << round;
            EXPECT_GE(ink.Top, box.Top) << round;
            EXPECT_LE(ink.Right, box.Right) << round;
            EXPECT_LE(ink.Bottom, box.Bottom) << round;
        }
        TRect calc = box;
        const int measured = DrawText(*c, text, calc, flags | DT_CALCRECT);
        EXPECT_EQ(calc.Bottom - calc.Top, text.empty() ? 0 : measured) << round;
    }
}
