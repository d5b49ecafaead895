// Glyph cell choice and the placement of glyph and caption in a button.
#include <gtest/gtest.h>

#include "skinctrls/ButtonLayout.h"

TEST(ButtonLayout, GlyphNumber) {
    EXPECT_EQ(ButtonGlyphNumber(false, true, 4, true), 4);   // hover over an enabled button
    EXPECT_EQ(ButtonGlyphNumber(true, true, 4, true), 3);    // pressed
    EXPECT_EQ(ButtonGlyphNumber(true, true, 2, true), 1);    // no pressed cell
    EXPECT_EQ(ButtonGlyphNumber(false, false, 2, false), 2); // disabled
    EXPECT_EQ(ButtonGlyphNumber(false, false, 1, false), 1);
    EXPECT_EQ(ButtonGlyphNumber(false, true, 3, true), 1);
}

TEST(ButtonLayout, CentredTogether) {
    TRect r = Rect(0, 0, 100, 30);
    auto p = LayoutGlyphAndCaption(r, 16, 16, 40, 14, 4, -1, blGlyphLeft, false);
    // M = (16 + 40 + 4) / 2 = 30 around cx 50.
    EXPECT_EQ(p.glyph, Point(20, 7));
    EXPECT_EQ(p.text, Point(40, 8));
    p = LayoutGlyphAndCaption(r, 16, 16, 40, 14, 4, -1, blGlyphRight, false);
    EXPECT_EQ(p.glyph, Point(64, 7));
    EXPECT_EQ(p.text, Point(20, 8));
    p = LayoutGlyphAndCaption(r, 16, 16, 40, 14, 4, -1, blGlyphTop, true);
    // L = (14 + 16 + 4) / 2 = 17 around cy 15, one pixel down-right for the press.
    EXPECT_EQ(p.glyph, Point(43, -1));
    EXPECT_EQ(p.text, Point(31, 19));
    // No glyph: the caption alone is centred.
    p = LayoutGlyphAndCaption(r, 0, 0, 40, 14, 1, -1, blGlyphLeft, false);
    EXPECT_EQ(p.text, Point(50 + 20 - 40, 8));
}

TEST(ButtonLayout, Margin) {
    TRect r = Rect(10, 0, 110, 40);
    auto p = LayoutGlyphAndCaption(r, 16, 16, 40, 14, 3, 5, blGlyphLeft, false);
    EXPECT_EQ(p.glyph, Point(15, 12));
    EXPECT_EQ(p.text, Point(34, 13));
    p = LayoutGlyphAndCaption(r, 16, 16, 40, 14, 3, 5, blGlyphRight, false);
    EXPECT_EQ(p.glyph, Point(89, 12));
    EXPECT_EQ(p.text, Point(46, 13));
    p = LayoutGlyphAndCaption(r, 16, 16, 40, 14, 3, 5, blGlyphBottom, false);
    EXPECT_EQ(p.glyph, Point(52, 19));
    EXPECT_EQ(p.text, Point(40, 2));
}
