// Skin text: measuring, shortening to a width, the vertically centred line, and glyphs cut
// from a strip.
#include "gfx/Canvas.h"
#include "skin/SkinDrawing.h"

#include <gtest/gtest.h>

namespace {

TCanvas& TextCanvas(TBitmap& b) {
    b.SetSize(200, 40);
    TCanvas& c = *b.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetHeight(14);
    return c;
}

} // namespace

TEST(SkinText, MeasuresAndEllipsizes) {
    TBitmap b;
    TCanvas& c = TextCanvas(b);
    const WideString text = u"Recoming Bets";
    const int width = SkinTextWidth(c, text);
    EXPECT_EQ(width, c.TextWidth(text));
    EXPECT_EQ(SkinTextHeight(c, text), c.TextHeight(text));

    WideString fits = text;
    EllipsizeText(c, fits, width);
    EXPECT_EQ(fits, text);

    WideString shorter = text;
    EllipsizeText(c, shorter, width - 1);
    ASSERT_GE(shorter.size(), 4u);
    EXPECT_EQ(shorter.substr(shorter.size() - 3), u"...");
    EXPECT_LE(SkinTextWidth(c, shorter), width - 1);
    EXPECT_EQ(text.substr(0, shorter.size() - 3), shorter.substr(0, shorter.size() - 3));
    // One more character would not have fitted.
    const WideString longer = text.substr(0, shorter.size() - 2) + u"...";
    EXPECT_GT(SkinTextWidth(c, longer), width - 1);

    WideString none = text;
    EllipsizeText(c, none, 1); // not even "..." fits
    EXPECT_EQ(none, u"...");
    WideString empty;
    EllipsizeText(c, empty, 0);
    EXPECT_EQ(empty, u"");
}

TEST(SkinText, VCenteredLineSitsInTheMiddle) {
    TBitmap b;
    TCanvas& c = TextCanvas(b);
    b.Fill(clWhite);
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetColor(clBlack);
    const TRect r = Rect(10, 0, 190, 40);
    DrawVCenteredText(c, AnsiString("HHHH"), r, 5);
    int top = 40, bottom = -1, left = 200;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            if (b.PixelColor(x, y) != clWhite) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
            }
    ASSERT_GE(bottom, 0);
    EXPECT_GE(left, 10 + 2 + 5);
    EXPECT_LE(left, 10 + 2 + 5 + 2);
    // The cell starts at 20 - height div 2; the ink sits inside it, about the middle.
    const int cellTop = 20 - c.TextHeight(u"HHHH") / 2;
    EXPECT_GE(top, cellTop);
    EXPECT_LE(bottom, cellTop + c.TextHeight(u"HHHH"));
    EXPECT_NEAR((top + bottom) / 2.0, 20.0, 3.0);
}

TEST(SkinText, GlyphsComeFromTheirPlaceInTheStripWithTheCornerColourTransparent) {
    // Three glyphs of 4 x 3: each a filled square of its own colour on magenta.
    TBitmap strip(12, 3);
    strip.Fill(clFuchsia);
    const TColor colours[3] = {clRed, clLime, clBlue};
    for (int g = 0; g < 3; ++g)
        for (int y = 0; y < 2; ++y)
            for (int x = 1; x < 3; ++x) strip.ScanLine(y)[4 * g + x] = ColorToPixel(colours[g]);
    TBitmap target(10, 10);
    target.Fill(clWhite);
    DrawGlyphFromStrip(*target.Canvas(), 3, 4, 2, 3, strip);
    EXPECT_EQ(target.PixelColor(4, 4), clLime);
    EXPECT_EQ(target.PixelColor(3, 4), clWhite); // magenta is see-through
    EXPECT_EQ(target.PixelColor(4, 6), clWhite);
    for (int bad : {0, 4, -1}) DrawGlyphFromStrip(*target.Canvas(), 0, 0, bad, 3, strip);
    DrawGlyphFromStrip(*target.Canvas(), 0, 0, 1, 0, strip);
    DrawGlyphFromStrip(*target.Canvas(), 0, 0, 1, 3, TBitmap());
    EXPECT_EQ(target.PixelColor(1, 0), clWhite);
}

TEST(SkinText, RectAndPointUtilities) {
    EXPECT_TRUE(IsNullRect(Rect(5, 5, 5, 9)));
    EXPECT_TRUE(IsNullRect(Rect(5, 9, 8, 3)));
    EXPECT_FALSE(IsNullRect(Rect(0, 0, 1, 1)));
    EXPECT_TRUE(IsNullPoint(Point(0, 7)));
    EXPECT_FALSE(IsNullPoint(Point(3, 7)));
    EXPECT_TRUE(PointWithinRect(Point(10, 10), Rect(0, 0, 10, 10))); // edges count
    EXPECT_FALSE(PointWithinRect(Point(11, 10), Rect(0, 0, 10, 10)));
    // Exclusive test for both corners: a rect's own bottom-right is outside itself.
    EXPECT_FALSE(RectInRect(Rect(0, 0, 10, 10), Rect(0, 0, 10, 10)));
    EXPECT_TRUE(RectInRect(Rect(1, 1, 9, 9), Rect(0, 0, 10, 10)));
    EXPECT_EQ(RectToCenter(Rect(0, 0, 4, 4), Rect(10, 10, 21, 21)), Rect(13, 13, 17, 17));
    EXPECT_EQ(RectToCenter(Rect(0, 0, 9, 9), Rect(0, 0, 4, 4)), Rect(-2, -2, 7, 7));
}
